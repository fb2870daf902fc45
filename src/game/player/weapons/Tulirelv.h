#pragma once
#include "player/items/Item.h"
#include <box2d/b2_math.h>

class TSound;

// A firearm. It fires while its holder aims and holds the trigger, keeps a
// loaded clip, and reloads from the holder's ammunition store: by itself when
// the trigger is pulled on an empty clip, or on the "reload" key (the rounds
// still loaded go back to the store first). Every number comes from the
// weapon's itemtable entry. While it is the holder's current item it also
// drives the holder's hold, shoot and reload frames.
class TTulirelv : public TItem {
public:
    // Reads the weapon fields besides the common ones (see the itemtable keys
    // beside each field). Null (nothing made) when the entry is missing or a
    // field is missing or not a number (sounds: strings), or the ammunition
    // type is outside 0..9; *error (may be null) then holds the message for
    // the script error. Spread, range, pierce or reload time below 1 would
    // break the shot arithmetic: they are taken as 1, reported once per weapon.
    static TTulirelv* Create(float x, float y, const std::string& name, std::string* error);

    // Fire (see the class comment). True for a single-shot weapon, or for an
    // empty weapon that clicked ("no_ammo"): the holder releases the trigger.
    bool Activate() override;
    // Cooldown, reloading and the holder's frames, only while this is the
    // holder's current item and the holder idles, walks, aims or shoots.
    void UpdateCarried(bool isCurrent) override;
    // On the floor the label and ring; carried by the player as the current
    // item, the ammunition line of the HUD.
    void DrawLate() override;
    // The loaded rounds cross a level change.
    TLevelProgress::CarriedSlot GetCarryState() override;

    // The HUD ammunition line: "ammo  =loaded/store" or "reloadingN".
    std::string AmmoLine() const;
    // Whether the holder's reload key went down this frame (the player's key binding).
    virtual bool ReloadPressed() const;

    int32_t roundsLoaded = 0;
    int32_t clipSize = 0;        // "clipsize"
    int32_t spread = 1;          // "spread": twentieths of a radian
    int32_t reloadTime = 0;      // "reloadtime": frames between shots; negative = single shot
    int32_t cooldown = 0;
    int32_t bulletSpeed = 0;     // "bulletspeed": pixels per frame
    int32_t damage = 0;          // "damage"
    int32_t range = 1;           // "range": bullet life in frames
    int32_t pierce = 1;          // "pierce": percent
    int32_t shake = 0;           // "shake": camera shake per shot of the player
    int32_t holdFrame = 0;       // "holdframe"
    int32_t shootFrame = 0;      // "shootframe"
    int32_t reloadFrame = 0;     // "reloadframe"
    int32_t ammoType = 0;        // "ammotype": 0..9
    int32_t reloadTimer = 0;     // frames left of a reload; negative when idle
    int32_t clipReloadTime = 1;  // "clipreloadtime"
    int32_t bulletCount = 1;     // "bulletcount": projectiles per shot
    int32_t ammoCount = 1;       // "ammocount": rounds per shot
    int32_t bulletType = 0;      // "bullettype"
    TSound* shootSound = nullptr;   // "shootsound"
    TSound* reloadSound = nullptr;  // "reloadsound"

protected:
    explicit TTulirelv(float x, float y, const Entry& entry);

private:
    // One projectile of a shot at game angle `angle`.
    void Emit(TActor* holder, float angle);
};

// Where an actor's bullets start: the body point (1/6, −1/8) one frame ahead
// of the moving body, world units.
b2Vec2 MuzzlePoint(const TActor* actor);

// Fires a small explosive (bullet type 5) from (x, y) world units with
// velocity (vx, vy); set by the explosives code. Until then such weapons
// report once and fire nothing.
extern void (*fireSmallExplosive)(float x, float y, float vx, float vy);

// Bullet types of firearms.
constexpr int kShotLaser = 3;
constexpr int kShotNothing = 4;
constexpr int kShotSmallExplosive = 5;
constexpr int kShotElectric = 6;
