#include "player/Player.h"
#include "audio/Mixer.h"
#include "core/Game.h"
#include "player/KeyboardInputDevice.h"
#include "script/Console.h"
#include "world/Physics.h"

b2Vec2 playerPosition(0.0f, 0.0f);
uint8_t playerControl = 1;

TPlayer::TPlayer(float x, float y) : input(std::make_unique<TKeyboardInputDevice>())
{
    collisionType = kCollisionPlayer;
    collision = kCollisionModeSolid;
    if (game) game->player = this;
    health = 100.0f;
    body = CreateCircleBody(0.15f, 17.5f, false, this, 3.5f, 10.0f);
    SetPosition(b2Vec2(x, y));
    spawnX = x;
    spawnY = y;
    SetDepth(2);
}

TPlayer::~TPlayer()
{
    if (game && game->player == this) game->player = nullptr;
}

void TPlayer::Update()
{
    const b2Vec2 p = GetPosition();
    SetListenerPosition(p.x, p.y);
}

void TPlayer::Draw() {}
void TPlayer::DrawLate() {}
std::string TPlayer::GetCreateCommand() { return ""; }
void TPlayer::OnContact(TGameObject*, b2Vec2, b2Vec2, b2Vec2) {}
void TPlayer::SetAction(int32_t newAction) { action = newAction; }
TItem* TPlayer::GetCurrentItem() { return nullptr; }
void TPlayer::Bleed(float x, float y, float dx, float dy, int amount) { TActor::Bleed(x, y, dx, dy, amount); }
void TPlayer::HitByBullet(float vx, float vy, float damage, float piercing) { TActor::HitByBullet(vx, vy, damage, piercing); }
void TPlayer::TakeHit(float vx, float vy, float damage) { TActor::TakeHit(vx, vy, damage); }
void TPlayer::KnockDown(float vx, float vy, float damage) { TActor::KnockDown(vx, vy, damage); }
void TPlayer::HitByExplosion(float x, float y, float strength) { TActor::HitByExplosion(x, y, strength); }
void TPlayer::TakeItem(const std::string&) {}
TPlayerInventory* TPlayer::PlayerInventory() const { return nullptr; }
void TPlayer::FaceAim(b2Vec2) {}
void TPlayer::SetInputDevice(std::unique_ptr<TInputDevice> device) { input = std::move(device); }
b2Vec2 TPlayer::CarrierPosition() const { return b2Vec2(0, 0); }
int TPlayer::GetCarriedAmmo(int type) const { return ammo[type]; }
void TPlayer::SetCarriedAmmo(int type, int count) { ammo[type] = count; }
float TPlayer::GetCarriedHealth() const { return health; }
void TPlayer::SetCarriedHealth(float value) { health = value; }
bool TPlayer::GetCarriedSlot(int, TLevelProgress::CarriedSlot*) const { return false; }
bool TPlayer::AddCarriedItem(const TLevelProgress::CarriedSlot&) { return false; }
