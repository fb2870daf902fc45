#pragma once
#include <cstdint>

struct lua_State;

// What a light userdata handed to scripts points at. Every engine object that
// scripts may hold registers itself here while it lives, so a stale, null or
// wrong-kind handle coming back from a script is caught instead of followed.
enum class HandleKind : uint8_t {
    Texture,
    Sprite,
    Sound,
    MenuItem,
    GameObject,
};

void RegisterHandle(const void* pointer, HandleKind kind);
void UnregisterHandle(const void* pointer);
bool IsHandle(const void* pointer, HandleKind kind);

// Reads argument `index` as a live handle of `kind`; null for anything else.
void* CheckHandle(lua_State* L, int index, HandleKind kind);

template <typename T>
T* HandleAs(const void* pointer, HandleKind kind)
{
    return IsHandle(pointer, kind) ? static_cast<T*>(const_cast<void*>(pointer)) : nullptr;
}
