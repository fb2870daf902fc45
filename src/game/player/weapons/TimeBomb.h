#pragma once
#include "player/items/Item.h"
#include <cstdint>

// A thrown time bomb. Using it drops it from the inventory armed: thrown
// where the holder faces when aiming, otherwise laid at the holder's feet.
// `delay` frames later it explodes with the power `radius`, throws
// `nailCount` nails in all directions, shakes the camera and leaves a crater.
// A bomb that was never used never goes off.
//
// itemtable fields besides the common ones: "delay", "nailcount", "radius",
// "throwspeed" (all numbers, all required).
class TTimeBomb : public TItem {
public:
    // Null (nothing made) when itemtable[name] is missing or malformed; *error
    // (may be null) then holds the message for the script error.
    static TTimeBomb* Create(float x, float y, const std::string& name, std::string* error);

    // From an entry whose bomb fields were read by ReadBombFields.
    TTimeBomb(float x, float y, const Entry& entry, int delay, int nailCount, float radius,
              float throwSpeed);

    // The fuse, and whether the bomb bounces: solid while it flies, a sensor
    // again once it has come to rest. Replaces the carried and floor hooks.
    void Update() override;
    // Arms it, drops it and, while aiming, throws it. One use per press.
    bool Activate() override;

    bool Armed() const { return fuse >= 0; }

    int32_t fuse = -1;  // frames left; -1 and below while not armed
    int32_t delay = 0;
    int32_t nailCount = 0;
    float radius = 0.0f;
    float throwSpeed = 0.0f;

private:
    void Explode();
    // The ring of nails from (x, y) world units.
    void ThrowNails(float x, float y);
};

// The most nails one bomb throws.
constexpr int kMaxBombNails = 500;
constexpr float kBombCameraShake = 20.0f;
