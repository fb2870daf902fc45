#include "level/campaign/CarriedState.h"
#include "core/Game.h"
#include "level/campaign/Carrier.h"
#include "player/Player.h"
#include "world/World.h"

void StoreCarriedState(TGame* game)
{
    TCarrier* carrier = game->player;
    if (!carrier || !game->progress) return;
    TLevelProgress& progress = *game->progress;

    for (int type = 0; type < TLevelProgress::kAmmoTypes; ++type)
        progress.ammo[type] = carrier->GetCarriedAmmo(type);
    for (int i = 0; i < TLevelProgress::kCarriedSlots; ++i) {
        TLevelProgress::CarriedSlot slot;
        if (!carrier->GetCarriedSlot(i, &slot) || slot.name.empty()) slot = TLevelProgress::CarriedSlot();
        progress.slots[i] = slot;
    }
    progress.health = carrier->GetCarriedHealth();

    if (game->world) {
        progress.time += game->world->stepCount;
        for (const auto& [name, count] : game->world->killCounts) progress.kills[name] += count;
        progress.levelKills = game->world->killCounts;
    }
    progress.carriedStateValid = true;
}

void ApplyCarriedState(TGame* game)
{
    if (!game->progress || !game->progress->carriedStateValid) return;
    TCarrier* carrier = game->player;
    if (!carrier) return;
    const TLevelProgress& progress = *game->progress;

    for (int type = 0; type < TLevelProgress::kAmmoTypes; ++type)
        carrier->SetCarriedAmmo(type, progress.ammo[type]);
    carrier->SetCarriedHealth(progress.health);
    for (const TLevelProgress::CarriedSlot& slot : progress.slots) {
        if (slot.Empty()) continue;
        // An item the factory does not know is dropped; the rest still arrive.
        carrier->AddCarriedItem(slot);
    }
}

bool PlayerPixelPosition(const TGame* game, float* x, float* y)
{
    const TCarrier* carrier = game ? game->player : nullptr;
    if (!carrier) return false;
    const b2Vec2 p = carrier->CarrierPosition();
    if (x) *x = p.x * 12.0f;
    if (y) *y = p.y * 12.0f;
    return true;
}

bool PlayerIsDown(const TGame* game)
{
    const TCarrier* carrier = game ? game->player : nullptr;
    return carrier && carrier->GetCarriedHealth() <= 0.0f;
}
