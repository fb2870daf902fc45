#include "player/weapons/Medkit.h"
#include "audio/Mixer.h"
#include "player/Actor.h"
#include "player/items/Container.h"

TMedkit* TMedkit::Create(float x, float y, const std::string& name, std::string* error)
{
    Entry entry;
    if (!ReadEntry(name, &entry, error)) return nullptr;
    int heal = 0;
    if (!entry.table.GetInteger("health", &heal, error)) return nullptr;
    return new TMedkit(x, y, entry, heal);
}

TMedkit::TMedkit(float x, float y, const Entry& entry, int heal) : TItem(x, y, entry), healAmount(heal)
{
}

bool TMedkit::Activate()
{
    TActor* holder = Holder();
    if (!holder || holder->health == kMedkitHealthCap) return true;
    PlaySound(FindSound("medkit_use"), kMaxVolume);
    dead = 1;
    container->RemoveItem(this);
    holder->health += float(healAmount);
    if (holder->health > kMedkitHealthCap) holder->health = kMedkitHealthCap;
    return true;
}
