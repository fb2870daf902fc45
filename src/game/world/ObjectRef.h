#pragma once
#include <cstdint>

class TGameObject;

// An object remembered from one frame to the next without keeping it alive.
// Get gives it back only while that very object lives: an object made later
// at the address of a removed one is another object, which an address alone
// cannot tell (the allocator hands freed places out again), so a decision
// kept about the old one would silently apply to the new.
class TObjectRef {
public:
    TObjectRef() = default;
    explicit TObjectRef(const TGameObject* object);

    // The object while it lives; null when it is gone or nothing is remembered.
    TGameObject* Get() const;
    template <typename T>
    T* GetAs() const
    {
        return dynamic_cast<T*>(Get());
    }
    // Whether it remembers `object` (alive or not, by its creation number).
    bool Is(const TGameObject* object) const;
    bool Empty() const { return serial == 0; }
    void Reset() { *this = TObjectRef(); }

private:
    const void* handle = nullptr;
    uint64_t serial = 0;  // the object's creation number; 0: nothing
};
