#include "player/Player.h"
#include "audio/Mixer.h"
#include "core/App.h"
#include "core/Game.h"
#include "level/campaign/Difficulty.h"
#include "level/campaign/LevelProgress.h"
#include "player/items/CombineMenu.h"
#include "player/input/GamepadInputDevice.h"
#include "player/items/Item.h"
#include "player/items/ItemFactory.h"
#include "player/input/KeyboardInputDevice.h"
#include "player/PlayerInventory.h"
#include "player/weapons/Tulirelv.h"
#include "render/Camera.h"
#include "render/effects/Decals.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/ScreenDistortion.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "render/Text.h"
#include "script/ScriptHost.h"
#include "ui/HintLine.h"
#include "ui/HudPlate.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/World.h"
#include <algorithm>
#include <box2d/box2d.h>
#include <cmath>
#include <cstdlib>

b2Vec2 playerPosition(0.0f, 0.0f);
uint8_t playerControl = 1;

namespace {

constexpr float kPi = 3.14159265358979323846f;
constexpr float kDegrees = 180.0f / kPi;
// Shorter vectors are not normalised (they have no direction to speak of).
constexpr float kTinyLength = 1.1920929e-07f;
// The level-start freeze: the player waits until the intro timer passes this.
constexpr int kFrozenUntil = 126;
// Drawing and the HUD start once the intro timer passes this.
constexpr int kVisibleAfter = 99;
// View rays: length, and the shortest length the longest one starts from.
constexpr float kViewRayLength = 10.0f;
constexpr float kMinLongestRay = 0.016666668f;
constexpr float kMinZoom = 0.8f;
constexpr float kMaxZoom = 1.8f;

void Play(const char* name, int volume = kMaxVolume)
{
    PlaySound(FindSound(name), volume);
}

int RandomThousand()
{
    return std::rand() % 1000;
}

// Frames come from float arithmetic; anything that is not a sane index draws nothing.
int FrameIndex(float frame)
{
    if (!(frame >= 0.0f) || frame >= 2147483520.0f) return -1;
    return int(frame);
}

} // namespace

TPlayer::TPlayer(float x, float y)
{
    playerSprite = FindSprite("spr_mees");
    sprite = playerSprite;
    collisionType = kCollisionPlayer;
    collision = kCollisionModeSolid;
    if (game) game->player = this;
    frame = 0.0f;
    action = kActionIdle;
    health = 100.0f;
    // Full health is also the most a script can set: with no maximum at all,
    // actor.SetHealth on the player could only ever kill him.
    maxHealth = 100.0f;

    body = CreateCircleBody(0.15f, 17.5f, false, this, 3.5f, 10.0f);
    if (body) {
        // The gun hand: a small massless circle ahead and to the side.
        AddCircleFixture(1.0f / 6.0f, -1.0f / 8.0f, 0.05f, 0.0f, false, body);
        for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
            b2Filter filter = f->GetFilterData();
            filter.groupIndex = -3;
            f->SetFilterData(filter);
        }
    }
    SetPosition(b2Vec2(x, y));
    spawnX = x;
    spawnY = y;
    inventory = new TPlayerInventory(kPlayerInventorySlots, this);
    SetDepth(2);
    shadowDist = 1.0f;
    stepCounter = 10.0f;
    deathTimer = 0;
    lootingCrate = 0;
    if (body) body->SetTransform(body->GetPosition(), -float(std::rand() % 30));

    if (game && game->makePlayerInput)
        input = game->makePlayerInput();
    else if (GetSettingBool("gamepad") && joystick)
        input = std::make_unique<TGamepadInputDevice>();
    else
        input = std::make_unique<TKeyboardInputDevice>();
    viewRotation = 0.0f;
    stabDamage = 30.0f;
}

TPlayer::~TPlayer()
{
    if (game && game->player == this) game->player = nullptr;
}

TPlayerInventory* TPlayer::PlayerInventory() const
{
    return static_cast<TPlayerInventory*>(inventory);
}

void TPlayer::SetInputDevice(std::unique_ptr<TInputDevice> device)
{
    if (device) input = std::move(device);
}

// --- Update ---------------------------------------------------------------

void TPlayer::Update()
{
    playerPosition = GetPosition();
    SetListenerPosition(playerPosition.x, playerPosition.y);
    if (world && world->introTimer <= kFrozenUntil) return;

    lookAhead += (lookAheadTarget - lookAhead) * 0.1f;
    pickupNotes.Update();
    // A crate's or a gun's hint comes first.
    if (combineHintFrames > 0 && --combineHintFrames > 0 && hintLine.Wanted().empty()) hintLine.Want("combine");
    if (health <= 0.0f) {
        UpdateDeath();
        return;
    }
    if (stepCounter < 0.0f) {
        Play("mees_samm");
        stepCounter += 30.0f;
    }
    if (!playerControl || !body) return;

    TPlayerInventory* items = PlayerInventory();
    const bool menuOpen = items && items->combineMenu && items->combineMenu->open;

    if (input->IsDropPressed() && items) {
        items->DropSelected();
        Play("inv_drop");
    }
    if (!menuOpen && !lootingCrate) UpdateItemSelection();
    crateNear = 0;

    if (input->IsStabPressed() && (action == kActionWalk || action == kActionAim)) {
        SetAction(kActionHit);
        frame = kPlayerStabFirstFrame;
        Play("luukere_m88da");
    }

    const b2Vec2 velocity = body->GetLinearVelocity();
    move = input->GetMove();
    aim = input->GetAim(GetPosition());

    if (action != kActionFall) {
        const float length = move.Length();
        if (length > 0.1f) {
            b2Vec2 push = move;
            if (length > 1.0f && length >= kTinyLength) push *= 1.0f / length;
            push = RotateVector(push.x, push.y, viewRotation);
            push *= action == kActionWalk ? kWalkForce : kOtherForce;
            body->ApplyForceToCenter(push, true);
        } else {
            ApplyDrag(body, 4.0f);
        }
        if (input->IsShootHeld() && !menuOpen && !lootingCrate) {
            FaceAim(aim);
            if (TItem* item = GetCurrentItem())
                if (item->Activate()) input->ReleaseShoot();
        }
    }

    const float speed = velocity.Length();
    stepCounter -= speed;
    UpdateActions(speed, velocity);
    move.SetZero();
}

void TPlayer::UpdateItemSelection()
{
    TPlayerInventory* items = PlayerInventory();
    if (!items) return;
    // "use" at a crate is for the crate; with the default keys the item steps
    // would switch the weapon in hand on the same press.
    const bool useMeantForCrate = input->IsUsePressed() && crateNear;
    const int step = useMeantForCrate ? 0 : input->GetItemStep();
    if (step < 0) {
        items->SelectPrevious();
        Play("inv_piiks");
    }
    if (step > 0) {
        items->SelectNext();
        Play("inv_piiks");
    }
    items->RunShortcutKeys();
}

void TPlayer::UpdateActions(float speed, b2Vec2 velocity)
{
    float limit = 10.0f;
    switch (action) {
    case kActionIdle:
        action = kActionAim;
        frame = 0.0f;
        break;
    case kActionWalk: {
        if (frame > kPlayerLastWalkFrame) frame = 0.0f;
        const float d = (VectorAngle(move.x, move.y) - viewRotation) * kDegrees;
        const float h = -body->GetAngle() * kDegrees;
        const float r = AngleDifferenceDeg(d, h);
        if (move.Length() > 0.01f) {
            const float angle = -(h - r / 3.0f) / kDegrees;
            if (!std::isnan(angle)) body->SetTransform(body->GetPosition(), angle);
        }
        frame += speed * 0.4f * 0.25f;
        if (frame > kPlayerLastWalkFrame) frame -= 4.0f;
        if (input->IsAimHeld()) action = kActionAim;
        lookAheadTarget = 0.1f;
        limit = kWalkSpeedCap;
        break;
    }
    case kActionFall:
        --fallTimer;
        collision = kCollisionModeNone;
        ApplyDrag(body, 3.0f);
        body->SetAngularVelocity(0.0f);
        shadowDist = 0.0f;
        if (fallTimer < 0) {
            shadowDist = 0.5f;
            fallTimer = 20;
            action = kActionRise;
            frame = kPlayerFallLastFrame;
            collision = kCollisionModeSolid;
        }
        break;
    case kActionRise:
        if (fallTimer < 0)
            --fallTimer;
        else
            frame -= 0.25f;
        if (frame < kPlayerFallFirstFrame) {
            body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
            action = kActionWalk;
            frame = 0.0f;
            collision = kCollisionModeSolid;
        }
        break;
    case kActionHit:
        if (input->IsAimHeld()) FaceAim(aim);
        if (frame < kPlayerStabLastFrame) {
            frame += 0.5f;
        } else {
            action = kActionWalk;
            frame = 0.0f;
        }
        break;
    case kActionAim:
        if (!input->IsAimHeld()) action = kActionWalk;
        [[fallthrough]];
    case kActionShoot:
        FaceAim(aim);
        lookAheadTarget = 0.3f;
        limit = kAimSpeedCap;
        break;
    default:
        break;
    }

    if (speed > limit && (action == kActionWalk || action == kActionAim)) {
        const b2Vec2 capped = (limit / speed) * velocity;
        body->SetLinearVelocity(capped);
        if (capped.LengthSquared() > 0.0f) body->SetAwake(true);
    }
}

void TPlayer::FaceAim(b2Vec2 aimVector)
{
    if (!body) return;
    const float angle = -VectorAngle(aimVector.x, aimVector.y);
    if (std::isnan(angle)) return;
    body->SetTransform(body->GetPosition(), angle);
}

TItem* TPlayer::TeleportItem() const
{
    const TPlayerInventory* items = PlayerInventory();
    if (!items) return nullptr;
    return items->Slot(items->FindByName("teleport"));
}

void TPlayer::UpdateDeath()
{
    SetDepth(1);
    shadowDist = 0.0f;
    collision = kCollisionModeNone;
    if (!dying) {
        dying = true;
        // Killed during the stab (frames past the fall): sink like any other death.
        if (frame > kPlayerFallLastFrame) {
            action = kActionFall;
            frame = kPlayerFallFirstFrame;
        }
        // Killed while already lying (a knock-down): the sinking frames are skipped,
        // so the fade must start here or the game-over screen is never reached.
        deathTimer = TeleportItem() ? 80 : 50;
    }
    if (frame < kPlayerFallLastFrame) {
        frame += 0.2f;
        deathTimer = TeleportItem() ? 80 : 50;
        return;
    }
    if (TItem* teleport = TeleportItem()) {
        const b2Vec2 p = GetPosition();
        for (int channel = 0; channel < 3; ++channel) {
            const float strength = (1.0f - float(deathTimer) / 80.0f) * RandomRange(-100.0f, 100.0f);
            if (screenDistortion) screenDistortion->AddRadial(p.x * 12.0f, p.y * 12.0f, strength, channel);
        }
        if (deathTimer < 40) {
            Play("teleporter");
            if (world) world->introTimer = 0;
            deathTimer = -1;
            dying = false;
            health = 50.0f;
            SetPosition(b2Vec2(spawnX, spawnY));
            teleport->dead = 1;
            collision = kCollisionModeSolid;
            shadowDist = 1.0f;
        }
    }
    deathTimer = std::max(deathTimer - 1, -1);
}

// --- Damage ---------------------------------------------------------------

float TPlayer::DamageTaken(float damage) const
{
    if (!game || !game->progress) return damage;
    return damage * DifficultyNamed(game->progress->difficulty).damageTaken;
}

void TPlayer::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2 relativeVelocity)
{
    if (!other) return;
    if (other->collisionType == kCollisionBullet) {
        float damage = 0.0f, piercing = 0.0f;
        if (!other->dead && other->BulletDamage(&damage, &piercing))
            HitByBullet(relativeVelocity.x, relativeVelocity.y, damage, piercing);
    } else if (other->collisionType == kCollisionExplosion) {
        float strength = 0.0f;
        if (other->ExplosionStrength(&strength)) {
            const b2Vec2 centre = other->GetPosition();
            HitByExplosion(centre.x, centre.y, strength);
        }
    }
}

void TPlayer::HitByExplosion(float x, float y, float strength)
{
    const b2Vec2 p = GetPosition();
    b2Vec2 u = p - b2Vec2(x, y);
    if (u.Length() >= kTinyLength) u.Normalize();
    const b2Vec2 k = (4.0f * strength) * u;
    const int count = std::min(int(3.0f * strength), 20);
    float bx = p.x * 12.0f, by = p.y * 12.0f;
    for (int i = 0; i < count; ++i) {
        bx = p.x * 12.0f + float(std::rand() % 5 - 2);
        by = p.y * 12.0f + float(std::rand() % 5 - 2);
        const float vx = float(RandomThousand() - 500) / 150.0f + 5.0f * k.x / 12.0f;
        const float vy = float(RandomThousand() - 500) / 150.0f + 5.0f * k.y / 12.0f;
        if (world && world->particles) world->particles->EmitBlood(bx, by, vx, vy);
    }
    PlaceBloodDecal(bx, by);
    TakeHit(k.x, k.y, 3.0f * strength);
}

void TPlayer::BulletBlood(float vx, float vy, float damage)
{
    if (!world || !world->particles) return;
    const b2Vec2 p = GetPosition();
    for (int i = 0; float(i) < damage; ++i) {
        const float bvx = float(RandomThousand() - 500) / 100.0f - vx / 12.0f;
        const float bvy = float(RandomThousand() - 500) / 100.0f - vy / 12.0f;
        world->particles->EmitBlood(p.x * 12.0f, p.y * 12.0f, bvx, bvy);
    }
}

void TPlayer::CheckFallDead()
{
    if (health > 0.0f) return;
    health = 0.0f;
    collision = kCollisionModeNone;
    action = kActionFall;
    frame = kPlayerFallFirstFrame;
}

void TPlayer::HitByBullet(float vx, float vy, float damage, float piercing)
{
    if (health <= 0.0f) return;
    BulletBlood(vx, vy, damage);
    if (body) body->ApplyForceToCenter(b2Vec2(vx, vy), true);
    const float s = ApplyArmoredDamage(DamageTaken(damage), piercing) / 2.0f;
    if (game) {
        game->kickX += RandomRange(-2.0f * s, 2.0f * s);
        game->kickY += RandomRange(-2.0f * s, 2.0f * s);
    }
    cameraShake += std::min(s, 8.0f);
    CheckFallDead();
    Play("zombi_hit", 128);
}

void TPlayer::TakeHit(float vx, float vy, float damage)
{
    if (health <= 0.0f) return;
    damage = DamageTaken(damage);
    if (world && world->particles) {
        const b2Vec2 p = GetPosition();
        for (int i = 0; float(i) < damage; ++i)
            world->particles->EmitBlood(p.x * 12.0f, p.y * 12.0f,
                                        -vx / 5.0f + RandomRange(-4.0f, 4.0f),
                                        -vy / 5.0f + RandomRange(-4.0f, 4.0f));
    }
    health -= damage;
    if (game) {
        game->kickX += RandomRange(-2.0f * damage, 2.0f * damage);
        game->kickY += RandomRange(-2.0f * damage, 2.0f * damage);
    }
    cameraShake += std::min(damage / 2.0f, 8.0f);
    CheckFallDead();
}

void TPlayer::KnockDown(float vx, float vy, float damage)
{
    if (health <= 0.0f) return;
    damage = DamageTaken(damage);
    BulletBlood(vx, vy, damage);
    health -= damage;
    action = kActionFall;
    frame = kPlayerFallLastFrame;
    fallTimer = 20;
    cameraShake += std::min(damage, 5.0f);
}

void TPlayer::Bleed(float x, float y, float dx, float dy, int amount)
{
    TActor::Bleed(x, y, dx, dy, amount);
}

void TPlayer::SetAction(int32_t newAction)
{
    action = newAction;
}

TItem* TPlayer::GetCurrentItem()
{
    return inventory ? inventory->SelectedItem() : nullptr;
}

// --- Drawing --------------------------------------------------------------

void TPlayer::CastViewRays()
{
    if (!body || !game) return;
    const b2Vec2 p = body->GetPosition();
    const float facing = -body->GetAngle();
    const bool aiming = action == kActionAim;
    const int rays = aiming ? 3 : 24;
    float shortest = kViewRayLength;
    float longest = kMinLongestRay;
    for (int i = 0; i < rays; ++i) {
        const float offset = aiming ? float(i - 1) : 15.0f * float(i);
        const b2Vec2 dir = AngleVector(facing + offset / kDegrees);
        const b2Vec2 end = p + kViewRayLength * dir;
        b2Vec2 hit = end;
        TGameObject* wall = nullptr;
        float length = kViewRayLength;
        if (RayCast(p.x, p.y, end.x, end.y, &hit, nullptr, &wall, kCollisionWall, nullptr)) {
            length = (hit - p).Length();
            if (wall) wall->seen = 1;
        }
        shortest = std::min(shortest, length);
        longest = std::max(longest, length);
    }

    if (game->currentStateName == "map") return;
    float z = kMinZoom;
    if (GetSettingBool("viewzoom")) z = std::clamp(1.0f / (((shortest + longest) / 2.0f) / 5.0f), kMinZoom, kMaxZoom);
    float step = zoomVelocity;
    if (z > cameraZoom)
        step = (z - cameraZoom) * 0.01f + zoomVelocity;
    else if (z < cameraZoom)
        step = (z - cameraZoom) * 0.03f + zoomVelocity;
    cameraZoom = std::clamp(cameraZoom + step, kMinZoom, kMaxZoom);
    zoomVelocity = step * 0.8f;
}

void TPlayer::Draw()
{
    if (!world || world->introTimer <= kVisibleAfter || !body) return;
    if (!game || !game->CurrentStateIsEditor()) CastViewRays();
    const b2Vec2 p = 12.0f * body->GetPosition();
    const float a = body->GetAngle();
    const int f = FrameIndex(frame);
    if (f < 0) return;
    SetBlendMode(2);
    DrawSpriteTinted(playerSprite, p.x + shadowDist, p.y + shadowDist, -a, f, 0.0f, 0.0f, 0.0f, 0.2f);
    SetBlendMode(4);
    DrawSprite(playerSprite, p.x, p.y, -a, f);
}

void TPlayer::DrawLate()
{
    if (health <= 0.0f) {
        SetBlendMode(2);
        DrawRect(0.0f, 0.0f, 640.0f, 480.0f, true, 0.0f, 0.0f, 0.0f, 1.0f - float(deathTimer) / 40.0f);
        if (FadedOut() && game) game->SetState("gameover");
        return;
    }
    if (world && world->introTimer > kVisibleAfter && action != kActionFall) {
        if (inventory) inventory->DrawBar();
        if (TItem* item = GetCurrentItem()) {
            std::string status = item->GetStatusText();
            if (status.size() > 511) status.resize(511);
            DrawHudPlateFor(status.c_str(), 3.0f, 217.0f);
            SetColor(1.0f, 1.0f, 1.0f, 1.0f);
            DrawTextLine(status.c_str(), 3.0f, 217.0f);
        }
    }
    DrawHudPlate(3.0f, 198.0f, 14, armor > 0.0f ? 2 : 1);
    const bool blinkOff = world && (world->stepCount & 4) == 0;
    if (health < 20.0f && blinkOff)
        SetColor(1.0f, 0.34901962f, 0.34901962f, 1.0f);
    else
        SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    DrawTextF(3.0f, 198.0f, "health=%d/100", int(health));
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    // Above the weapon's ammunition line.
    pickupNotes.Draw(3.0f, 183.0f);
    hintLine.Draw();
    if (armor > 0.0f) DrawTextF(3.0f, 205.0f, "armor =%d/100", int(armor));
}

std::string TPlayer::GetCreateCommand()
{
    return "";
}

// --- Items ----------------------------------------------------------------

void TPlayer::TakeItem(const std::string& itemName)
{
    const b2Vec2 p = GetPosition();
    TItem* item = CreateItemByName(p.x, p.y, itemName);
    if (item) item->PickUp(this);
}

// --- Carried state --------------------------------------------------------

b2Vec2 TPlayer::CarrierPosition() const
{
    return body ? body->GetPosition() : b2Vec2(0.0f, 0.0f);
}

int TPlayer::GetCarriedAmmo(int type) const
{
    return type >= 0 && type < kActorAmmoTypes ? ammo[type] : 0;
}

void TPlayer::SetCarriedAmmo(int type, int count)
{
    if (type >= 0 && type < kActorAmmoTypes) ammo[type] = count;
}

float TPlayer::GetCarriedHealth() const
{
    return health;
}

void TPlayer::SetCarriedHealth(float value)
{
    health = value;
}

bool TPlayer::GetCarriedSlot(int index, TLevelProgress::CarriedSlot* slot) const
{
    TItem* item = inventory ? inventory->Slot(index) : nullptr;
    if (!item) return false;
    if (slot) *slot = item->GetCarryState();
    return true;
}

bool TPlayer::AddCarriedItem(const TLevelProgress::CarriedSlot& slot)
{
    const b2Vec2 p = GetPosition();
    TItem* item = CreateItemByName(p.x, p.y, slot.name);
    if (!item) return false;
    if (auto* weapon = dynamic_cast<TTulirelv*>(item)) weapon->roundsLoaded = slot.count;
    if (inventory) inventory->Insert(item);
    return true;
}
