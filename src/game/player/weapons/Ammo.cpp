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
    return new TAmmo(x, y, entry, count, type);
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
    dead = 1;
    PlaySound(FindSound("inv_pickup"), kMaxVolume);
}
