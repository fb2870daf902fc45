// Script creators of the turret and the snake.
#include "enemies/ToruRobot.h"
#include "enemies/Turret.h"
#include "script/ApiRegistry.h"
#include "world/CreationTransform.h"
#include <lua.hpp>
#include <cmath>

namespace {

// Reads (x, y, angle) before anything is built: a Lua error jumps out of the
// function and must leave nothing half made. The angle comes back minus the
// creation transform's turn.
b2Vec2 PlacementArguments(lua_State* L, float* angle)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    *angle = CheckFinite(L, 3) - creationTransform.Angle();
    return creationTransform.Apply(x, y);
}

// CreateTurret(x, y, angle) -> turret
int l_CreateTurret(lua_State* L)
{
    float angle = 0.0f;
    const b2Vec2 p = PlacementArguments(L, &angle);
    TGameObject* turret = new TTurret(p.x, p.y, -angle);
    lua_pushlightuserdata(L, turret);
    return 1;
}

// CreateSnake(x, y, angle) -> snake
int l_CreateSnake(lua_State* L)
{
    float angle = 0.0f;
    const b2Vec2 p = PlacementArguments(L, &angle);
    TGameObject* snake = new TToruRobot(p.x, p.y, angle);
    lua_pushlightuserdata(L, snake);
    return 1;
}

} // namespace

void RegisterTurretApi(lua_State* L)
{
    BeginApiGroup("Turrets and the snake",
                  "The two enemies with beams and segments of their own.");
    SetGlobalFunction(L, "CreateTurret", l_CreateTurret,
        "(x, y, angle) -> turret",
        "A sentry gun that wakes when it sees the player in range, swings its head up to a quarter turn to face him and fires until he leaves.");
    SetGlobalFunction(L, "CreateSnake", l_CreateSnake,
        "(x, y, angle) -> snake",
        "The snake: a heavy robot head that hunts like any enemy and drags a tail of 30 jointed pieces.");
}
