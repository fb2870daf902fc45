#pragma once
#include "world/MinimalObject.h"
#include <vector>

// The small sticky charge some weapons fire: a little ball flung from the
// muzzle that welds itself to the first walls and enemies it touches (it rides
// along with an enemy) and blows up 50 to 59 frames after it was fired.
class TSmallExplosive : public TMinimalObject {
public:
    // At (x, y) world units, flung with the impulse 0.25 × (vx, vy) (weapons
    // pass the shot direction times the bullet speed).
    TSmallExplosive(float x, float y, float vx, float vy);

    // Fuse down by one; below 0 a small explosion, "exp_pump_cluster", gone.
    // The drop shadow shrinks as the charge settles.
    void Update() override;
    // Not saved with a level.
    std::string GetCreateCommand() override;
    // Welds to a wall or an enemy it is not stuck to yet.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    // True while a weld joint holds this charge to `object`.
    bool StuckTo(const TGameObject* object) const;

    int fuse = 0;
    std::vector<TGameObject*> stuckTo;
};

// A weapon's shot of bullet type 5: a new charge at (x, y) world units flung
// with (vx, vy). Installed as the firearms' fireSmallExplosive hook.
void FireSmallExplosive(float x, float y, float vx, float vy);

constexpr int kSmallExplosiveFrame = 51;          // of "spr_asjad"
constexpr float kSmallExplosivePower = 0.4f;
constexpr float kSmallExplosiveShadow = 6.0f;     // pixels at launch
