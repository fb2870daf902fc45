#pragma once
#include "world/GameObject.h"
#include <cstdint>
#include <memory>
#include <string>

class TInputDevice;

// The soldier the user steers. For now this holds only what the level pieces
// talk to: the input device, the view rotation that direction controllers set,
// the looting flag that crates set, and the hand-over of items taken from a
// crate. Movement, health, the inventory and weapons build on this class.
//
// There is one player at a time: constructing one makes it game->player, and
// its destructor clears game->player again if it still points here.
class TPlayer : public TGameObject {
public:
    // Body at (x, y) world units: a circle of radius 0.15 and mass 17.5,
    // damping 3.5 and 10. Depth 2, collision type "player".
    TPlayer(float x, float y);
    ~TPlayer() override;

    // Keeps the sound listener at the player.
    void Update() override;
    void Draw() override;

    // Receives an item a crate hands over (the crate has already removed its
    // name from its list).
    virtual void TakeItem(const std::string& itemName);

    std::unique_ptr<TInputDevice> input;  // a keyboard device from the start
    float viewRotation = 0.0f;            // radians; turns movement and camera
    uint8_t lootingCrate = 0;             // a crate's take menu is open

private:
    bool takeItemReported = false;
};
