#include "player/weapons/Tulirelv.h"
#include "ui/HintLine.h"
#include "ui/HudPlate.h"
#include "audio/Mixer.h"
#include "core/InputTables.h"
#include "enemies/ElectricShot.h"
#include "enemies/Laser.h"
#include "player/Actor.h"
#include "player/items/Container.h"
#include "player/weapons/Kuul.h"
#include "player/Player.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Text.h"
#include "script/ScriptHost.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

void (*fireSmallExplosive)(float x, float y, float vx, float vy) = nullptr;

namespace {

// Once per weapon and field: the message for data that would divide by zero.
void ReportTakenAsOne(const std::string& item, const char* field, int value)
{
    static std::set<std::string> reported;
    if (!reported.insert(item + "." + field).second) return;
    std::fprintf(stderr, "ERROR: item \"%s\": %s %d is taken as 1\n", item.c_str(), field, value);
}

// Once per bullet type: shots this build does not make yet.
void ReportUnsupportedShot(int type)
{
    static std::set<int> reported;
    if (!reported.insert(type).second) return;
    std::fprintf(stderr, "ERROR: bullet type %d is not supported\n", type);
}

int AtLeastOne(const std::string& item, const char* field, int value)
{
    if (value >= 1) return value;
    ReportTakenAsOne(item, field, value);
    return 1;
}

bool IsSteadyAction(int action)
{
    return action == kActionAim || action == kActionShoot || action == kActionIdle ||
           action == kActionWalk;
}

} // namespace

b2Vec2 MuzzlePoint(const TActor* actor)
{
    if (!actor || !actor->body) return b2Vec2(0.0f, 0.0f);
    const b2Body* body = actor->body;
    const b2Vec2 local(1.0f / 6.0f, -1.0f / 8.0f);
    const b2Vec2 at = body->GetWorldPoint(local);
    return at + (1.0f / 30.0f) * body->GetLinearVelocityFromWorldPoint(at);
}

TTulirelv* TTulirelv::Create(float x, float y, const std::string& name, std::string* error)
{
    Entry entry;
    if (!ReadEntry(name, &entry, error)) return nullptr;
    const TScriptTable& t = entry.table;
    int clip = 0, spr = 0, reload = 0, speed = 0, dmg = 0, rng = 0, prc = 0, shk = 0;
    int hold = 0, shoot = 0, reloadF = 0, type = 0, clipReload = 0, count = 0, perShot = 0;
    int kind = 0;
    std::string shootName, reloadName;
    if (!t.GetInteger("clipsize", &clip, error) || !t.GetInteger("spread", &spr, error) ||
        !t.GetInteger("reloadtime", &reload, error) ||
        !t.GetInteger("bulletspeed", &speed, error) || !t.GetInteger("damage", &dmg, error) ||
        !t.GetInteger("range", &rng, error) || !t.GetInteger("pierce", &prc, error) ||
        !t.GetInteger("shake", &shk, error) || !t.GetInteger("holdframe", &hold, error) ||
        !t.GetInteger("shootframe", &shoot, error) ||
        !t.GetInteger("reloadframe", &reloadF, error) ||
        !t.GetInteger("ammotype", &type, error) ||
        !t.GetInteger("clipreloadtime", &clipReload, error) ||
        !t.GetInteger("bulletcount", &count, error) ||
        !t.GetInteger("ammocount", &perShot, error) ||
        !t.GetInteger("bullettype", &kind, error) ||
        !t.GetString("shootsound", &shootName, error) ||
        !t.GetString("reloadsound", &reloadName, error))
        return nullptr;
    if (type < 0 || type >= kActorAmmoTypes) {
        if (error)
            *error = t.where + ".ammotype: " + std::to_string(type) +
                     " is not an ammunition type 0.." + std::to_string(kActorAmmoTypes - 1);
        return nullptr;
    }
    auto* weapon = new TTulirelv(x, y, entry);
    weapon->clipSize = clip;
    weapon->roundsLoaded = clip;
    weapon->spread = AtLeastOne(name, "spread", spr);
    weapon->reloadTime = reload;
    weapon->bulletSpeed = speed;
    weapon->damage = dmg;
    weapon->range = AtLeastOne(name, "range", rng);
    weapon->pierce = AtLeastOne(name, "pierce", prc);
    weapon->shake = shk;
    weapon->holdFrame = hold;
    weapon->shootFrame = shoot;
    weapon->reloadFrame = reloadF;
    weapon->ammoType = type;
    // A reload of 0 frames would never reach its end.
    weapon->clipReloadTime = AtLeastOne(name, "clipreloadtime", clipReload);
    weapon->bulletCount = count;
    weapon->ammoCount = perShot;
    weapon->bulletType = kind;
    weapon->shootSound = FindSound(shootName);
    weapon->reloadSound = FindSound(reloadName);
    return weapon;
}

TTulirelv::TTulirelv(float x, float y, const Entry& entry) : TItem(x, y, entry) {}

bool TTulirelv::ReloadPressed() const
{
    TActor* holder = Holder();
    if (!holder || static_cast<TActor*>(CurrentPlayer()) != holder) return false;
    return inputTables.KeyPressed(GetKeyBinding("reload"));
}

void TTulirelv::Emit(TActor* holder, float angle)
{
    switch (bulletType) {
    case kBulletPlain:
    case kBulletNail:
    case kBulletExploding: {
        const b2Vec2 at = MuzzlePoint(holder);
        new TKuul(at.x, at.y, angle, float(bulletSpeed + std::rand() % 10), float(damage),
                  float(range - (std::rand() % range) / 2), pierce, bulletType, holder);
        break;
    }
    case kShotNothing:
        break;
    case kShotSmallExplosive: {
        if (!fireSmallExplosive) {
            ReportUnsupportedShot(bulletType);
            break;
        }
        const b2Vec2 at = MuzzlePoint(holder);
        const float speed = float(bulletSpeed + std::rand() % 10);
        fireSmallExplosive(at.x, at.y, std::cos(angle) * speed, -std::sin(angle) * speed);
        break;
    }
    case kShotLaser:     // one beam per holder, kept alive while firing
        KeepLaserBeam(holder, float(damage));
        break;
    case kShotElectric:
        KeepElectricShot(holder);
        break;
    default:
        ReportUnsupportedShot(bulletType);
        break;
    }
}

bool TTulirelv::Activate()
{
    TActor* holder = Holder();
    if (!holder || holder->action != kActionAim) return false;
    const bool singleShot = reloadTime < 0;
    if (cooldown >= 1) return singleShot;
    const b2Vec2 at = holder->GetPosition();
    if (roundsLoaded < 1) {
        if (reloadTimer < 0) {
            if (holder->ammo[ammoType] < 1) {
                PlaySoundAt("no_ammo", at.x, at.y);
                return true;
            }
            reloadTimer = clipReloadTime;
            PlaySoundAt(reloadSound, at.x, at.y);
        }
        return singleShot;
    }
    holder->frame = float(shootFrame);
    holder->SetAction(kActionShoot);
    cooldown = std::abs(reloadTime);
    if (CurrentPlayer() && static_cast<TActor*>(CurrentPlayer()) == holder) cameraShake += float(shake);
    if (shootSound) PlaySoundAt(shootSound, at.x, at.y);
    for (int i = 0; i < bulletCount; ++i) {
        const float angle =
            -holder->GetAngle() + float(std::rand() % spread - std::rand() % spread) / 20.0f;
        Emit(holder, angle);
    }
    roundsLoaded -= ammoCount;
    return singleShot;
}

void TTulirelv::UpdateCarried(bool isCurrent)
{
    TActor* holder = Holder();
    if (!isCurrent || !holder || !IsSteadyAction(holder->action)) return;
    int32_t& store = holder->ammo[ammoType];
    cooldown -= 1;
    reloadTimer -= 1;
    if (reloadTimer == 0 && store > 0) {
        int n = clipSize - roundsLoaded;
        if (n > store) n = store;
        if (n < 0) n = 0;
        roundsLoaded += n;
        store -= n;
    } else if (reloadTimer < 0 && roundsLoaded < clipSize && store > 0 && ReloadPressed()) {
        hintLine.Done("reload");
        const b2Vec2 at = holder->GetPosition();
        PlaySoundAt(reloadSound, at.x, at.y);
        reloadTimer = clipReloadTime;
        if (roundsLoaded > 0) store += roundsLoaded;
        roundsLoaded = 0;
    }

    // An empty clip with rounds to spare: say which key reloads.
    if (reloadTimer < 0 && roundsLoaded == 0 && store > 0 && holder == CurrentPlayer()) hintLine.Want("reload");

    if (cooldown > std::abs(reloadTime) - 2) {
        holder->frame = float(shootFrame);
    } else if (holder->action != kActionWalk && holder->action != kActionIdle) {
        holder->SetAction(kActionAim);
        holder->frame = float(holdFrame);
    }
    if (cooldown < 0 && holder->action != kActionWalk) holder->frame = float(holdFrame);
    if (reloadTimer > 0 && holder->action != kActionWalk) holder->frame = float(reloadFrame);
}

std::string TTulirelv::AmmoLine() const
{
    char line[64];
    if (reloadTimer < 1) {
        const TActor* holder = Holder();
        std::snprintf(line, sizeof line, "ammo  =%d/%d", roundsLoaded,
                      holder ? holder->ammo[ammoType] : 0);
    } else {
        std::snprintf(line, sizeof line, "reloading%d", reloadTimer);
    }
    return line;
}

void TTulirelv::DrawLate()
{
    if (!inContainer) {
        DrawFloorMarker();
        return;
    }
    TActor* holder = Holder();
    if (!holder || static_cast<TActor*>(CurrentPlayer()) != holder) return;
    if (holder->GetCurrentItem() != this || holder->action == kActionFall) return;
    const std::string line = AmmoLine();
    DrawHudPlateFor(line.c_str(), 3.0f, 191.0f);
    SetBlendMode(2);
    if (reloadTimer < 1) SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    else SetColor(1.0f, 0.34901962f, 0.34901962f, 1.0f);
    DrawTextF(3.0f, 191.0f, "%s", line.c_str());
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}

TLevelProgress::CarriedSlot TTulirelv::GetCarryState()
{
    TLevelProgress::CarriedSlot slot = TItem::GetCarryState();
    slot.count = roundsLoaded;
    return slot;
}
