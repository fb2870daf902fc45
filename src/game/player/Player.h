#pragma once
#include "level/campaign/Carrier.h"
#include "player/Actor.h"
#include "ui/PickupNotes.h"
#include <box2d/b2_math.h>
#include <cstdint>
#include <memory>
#include <string>

class TInputDevice;
class TPlayerInventory;
class TSprite;

// The soldier the user steers. Each frame it reads its input device, pushes
// its body, turns toward the crosshair or its walking direction, runs the
// action machine (walk, aim, stab, knocked down, getting up), uses the
// selected item, sets the automatic camera zoom, and at death fades to the
// game-over screen or comes back through a teleport item.
//
// There is one player at a time: constructing one makes it game->player, and
// its destructor clears game->player again if it still points here.
//
// It is also the carrier of the state that crosses a level change
// (ammunition, health and the 16 inventory slots).
class TPlayer : public TActor, public TCarrier {
public:
    // At (x, y) world units (already through the creation transform): health
    // 100, a 16-slot inventory, depth 2, the input device the game makes for
    // its players (TGame::makePlayerInput), else the keyboard or the gamepad.
    TPlayer(float x, float y);
    ~TPlayer() override;

    void Update() override;
    // Ray fan (seen walls, camera zoom), then the drop shadow and the soldier.
    void Draw() override;
    // HUD: inventory column, item status, health and armor; the death fade.
    void DrawLate() override;
    // The death fade is over: time for the game-over screen. Not before the
    // death steps have begun: a player killed after his own update in a frame
    // (by a bullet updated later) still has the fade, and a teleport its
    // chance to bring him back, ahead of him.
    bool FadedOut() const { return dying && deathTimer == 0; }
    // The player is never saved into a module: "".
    std::string GetCreateCommand() override;
    // Bullets and explosions.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    void SetAction(int32_t newAction) override;
    // The inventory's selected slot.
    TItem* GetCurrentItem() override;
    void Bleed(float x, float y, float dx, float dy, int amount) override;

    // Armored damage with blood, push, camera kick and a hit sound.
    void HitByBullet(float vx, float vy, float damage, float piercing) override;
    // Unarmored damage with blood and camera kick.
    void TakeHit(float vx, float vy, float damage) override;
    // Unarmored damage that lays the player down for 21 frames.
    void KnockDown(float vx, float vy, float damage) override;
    // Blood thrown away from the centre, then TakeHit(4 × strength push, 3 × strength).
    void HitByExplosion(float x, float y, float strength) override;
    void NotePickup(const std::string& text) override { pickupNotes.Post(text); }
    void TookMaterial() override { combineHintFrames = kCombineHintFrames; }

    // Receives an item by its `itemtable` name (a crate's take menu): creates
    // it through the item factory at the player and picks it up.
    virtual void TakeItem(const std::string& itemName);

    // The inventory as the player's own kind of container (null only while
    // the inventory is not made).
    TPlayerInventory* PlayerInventory() const;
    // Faces the game direction of `aimVector` (skipped for a zero or NaN angle).
    void FaceAim(b2Vec2 aimVector);
    // Replaces the input device (gamepad, or a test's device).
    void SetInputDevice(std::unique_ptr<TInputDevice> device);

    // TCarrier.
    b2Vec2 CarrierPosition() const override;
    int GetCarriedAmmo(int type) const override;
    void SetCarriedAmmo(int type, int count) override;
    float GetCarriedHealth() const override;
    void SetCarriedHealth(float value) override;
    bool GetCarriedSlot(int index, TLevelProgress::CarriedSlot* slot) const override;
    bool AddCarriedItem(const TLevelProgress::CarriedSlot& slot) override;

    std::unique_ptr<TInputDevice> input;
    TSprite* playerSprite = nullptr;  // "spr_mees"
    int32_t fallTimer = 0;            // frames left lying down
    int32_t deathTimer = 0;           // frames left of the death fade
    bool dying = false;               // the death steps have begun (reset by a revival)
    float stabDamage = 30.0f;         // read by enemies when the stab lands
    float lookAhead = 0.0f;           // camera look-ahead, eased to the target
    float spawnX = 0.0f;              // creation point; a teleport revival returns here
    float spawnY = 0.0f;
    uint8_t lootingCrate = 0;         // a crate's take menu is open
    uint8_t crateNear = 0;            // a crate was in or near reach since the last update
    b2Vec2 move{0.0f, 0.0f};          // this frame's movement input
    b2Vec2 aim{0.0f, 0.0f};           // this frame's crosshair offset, world units
    float viewRotation = 0.0f;        // radians; turns movement and camera
    float lookAheadTarget = 0.0f;     // 0.1 walking, 0.3 aiming
    float zoomVelocity = 0.0f;
    TPickupNotes pickupNotes;         // "+24 pistol rounds" above the health line
    int combineHintFrames = 0;        // the combine hint shows while above 0
    static constexpr int kCombineHintFrames = 150;

private:
    void UpdateDeath();
    void UpdateItemSelection();
    void UpdateActions(float speed, b2Vec2 velocity);
    // The camera zoom the ray fan asks for, and the seen walls.
    void CastViewRays();
    // Blood for a hit of `damage` pushing by (vx, vy), as bullets throw it.
    void BulletBlood(float vx, float vy, float damage);
    // At health 0: down and out.
    void CheckFallDead();
    // The carried "teleport" item, or null.
    TItem* TeleportItem() const;
    // A hit's damage as the campaign's difficulty deals it to the player.
    float DamageTaken(float damage) const;
};

// Where the player stood at the start of its last update, world units.
extern b2Vec2 playerPosition;
// 0 while scripts have taken control away from the player (SetPlayerControl).
extern uint8_t playerControl;

// Player walking forces and speed caps, world units.
constexpr float kWalkForce = 23.0f;
constexpr float kOtherForce = 10.0f;
constexpr float kWalkSpeedCap = 4.0f;
constexpr float kAimSpeedCap = 2.0f;
// Sprite frames of "spr_mees".
constexpr float kPlayerLastWalkFrame = 4.0f;
constexpr float kPlayerFallFirstFrame = 19.0f;
constexpr float kPlayerFallLastFrame = 22.0f;
constexpr float kPlayerStabFirstFrame = 27.0f;
constexpr float kPlayerStabLastFrame = 30.0f;

// The running game's player, or null while there is none (menus before a
// level, editors, after his death). For code that needs only the player.
TPlayer* CurrentPlayer();
