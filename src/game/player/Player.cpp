#include "player/Player.h"
#include "audio/Mixer.h"
#include "core/Game.h"
#include "player/KeyboardInputDevice.h"
#include "script/Console.h"
#include "world/Physics.h"

TPlayer::TPlayer(float x, float y) : input(std::make_unique<TKeyboardInputDevice>())
{
    collisionType = kCollisionPlayer;
    collision = kCollisionModeSolid;
    if (game) game->player = this;
    body = CreateCircleBody(0.15f, 17.5f, false, this, 3.5f, 10.0f);
    SetPosition(b2Vec2(x, y));
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

void TPlayer::TakeItem(const std::string&)
{
    // Items taken from crates need the inventory to land in; until it exists the
    // name is gone from the crate and nothing arrives.
    if (takeItemReported) return;
    takeItemReported = true;
    console.Append("item pick-up arrives with the inventory\n");
}
