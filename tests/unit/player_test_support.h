#pragma once
// Shared set-up for the player tests: an item world (itemtable, CreateItem)
// with a "teleport" item, a scripted input device, and a player that is past
// the level-start freeze.
#include "items_test_support.h"
#include "player/Player.h"
#include "player/PlayerInventory.h"
#include "render/Camera.h"
#include <memory>

// Input the test sets frame by frame. A stab press lasts one query.
class TScriptedInput : public TInputDevice {
public:
    b2Vec2 GetAim(b2Vec2) override { return aim; }
    b2Vec2 GetMove() override { return move; }
    int GetItemStep() override { return 0; }
    bool IsShootHeld() override { return shoot; }
    bool IsAimHeld() override { return aiming; }
    bool IsStabPressed() override
    {
        const bool pressed = stab;
        stab = false;
        return pressed;
    }
    bool IsUsePressed() override { return false; }
    bool IsDropPressed() override { return false; }
    bool IsCombinePressed() override { return false; }
    void ReleaseShoot() override { shoot = false; }

    b2Vec2 move{0.0f, 0.0f};
    b2Vec2 aim{1.0f, 0.0f};
    bool aiming = false;
    bool shoot = false;
    bool stab = false;
};

class PlayerFixture : public ItemFixture {
protected:
    void SetUp() override
    {
        ItemFixture::SetUp();
        ASSERT_EQ(Run("itemtable.teleport = itemtable.key and {frame = 1, invtext = 'teleport', "
                      "longtext = 'home', shortcutkey = 'none', sprite = 'spr_asjad', r = 1, g = 1, "
                      "b = 1, kind = 'simple'}"),
                  "");
        playerControl = 1;
        cameraShake = 1.0f;
    }

    // A player at (x, y) with a scripted device, ready to move at once.
    TPlayer* MakePlayer(float x = 0.0f, float y = 0.0f)
    {
        auto* player = new TPlayer(x, y);
        auto device = std::make_unique<TScriptedInput>();
        input = device.get();
        player->SetInputDevice(std::move(device));
        world->introTimer = 1000;
        return player;
    }

    // Live objects of kind T (what the enemy and beam tests count).
    template <typename T>
    int Live() const
    {
        return CountInWorld<T>();
    }

    void Updates(TPlayer* player, int n)
    {
        for (int i = 0; i < n; ++i) player->Update();
    }

    TScriptedInput* input = nullptr;
};
