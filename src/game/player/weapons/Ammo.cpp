#include "player/weapons/Ammo.h"
#include "audio/Mixer.h"
#include "player/Actor.h"

TAmmo* TAmmo::Create(float x, float y, const std::string& name, std::string* error)
{
    Entry entry;
    if (!ReadEntry(name, &entry, error)) return nullptr;
    int count = 0, type = 0;
    if (!entry.table.GetInteger("count", &count, error) ||
        !entry.table.GetInteger("ammotype", &type, error))
        return nullptr;
    if (type < 0 || type >= kActorAmmoTypes) {
        if (error)
            *error = entry.table.where + ".ammotype: " + std::to_string(type) +
                     " is not an ammunition type 0.." + std::to_string(kActorAmmoTypes - 1);
        return nullptr;
    }
    TAmmo* ammo = new TAmmo(x, y, entry, count, type);
    // The HUD's name for the rounds (optional; the inventory text otherwise).
    if (!entry.table.Has("rounds") || !entry.table.GetString("rounds", &ammo->roundsName, nullptr))
        ammo->roundsName = entry.invText;
    return ammo;
}

TAmmo::TAmmo(float x, float y, const Entry& entry, int rounds, int type)
    : TItem(x, y, entry), count(rounds), ammoType(type)
{
}

bool TAmmo::Activate()
{
    return false;
}

std::string TAmmo::GetInventoryText()
{
    return {};
}

void TAmmo::PickUp(TActor* actor)
{
    if (!actor || dead) return;
    actor->ammo[ammoType] += count;
    actor->NotePickup("+" + std::to_string(count) + " " + roundsName);
    dead = 1;
    PlaySound(FindSound("inv_pickup"), kMaxVolume);
}
