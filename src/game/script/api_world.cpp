// Script functions of the world: objectlist objects, the creation transform,
// point transforms, and the method tables `object` and `input`. Every object
// handle coming back from a script is checked against the live objects, so a
// stale, null or wrong-kind handle is reported (or ignored) instead of followed.
#include "core/InputTables.h"
#include "script/ApiRegistry.h"
#include "script/Console.h"
#include "world/CreationTransform.h"
#include "world/GameObject.h"
#include "world/MinimalObject.h"
#include "world/World.h"
#include <box2d/b2_body.h>
#include <cmath>
#include <cstdio>
#include <lua.hpp>
#include <string>

namespace {

// The object behind argument `index`, whatever pointer-like value it is.
TGameObject* ObjectArg(lua_State* L, int index)
{
    return ObjectFromHandle(lua_topointer(L, index));
}

// SetWorldTint(r, g, b): the light of the level, each channel 0..1 (a number
// out of range is clamped, one that is not a number counts as 1).
int l_SetWorldTint(lua_State* L)
{
    TWorld* world = CurrentWorld();
    for (int i = 0; i < 3; ++i) {
        const lua_Number v = luaL_optnumber(L, i + 1, 1.0);
        const float channel = std::isfinite(v) ? float(std::fmin(1.0, std::fmax(0.0, v))) : 1.0f;
        if (world) world->tint[i] = channel;
    }
    return 0;
}

void ReportInvalidPointer(const char* method)
{
    console.AppendF("%s:invalid pointer\n", method);
}

// CreateObject(x, y, angle, name) -> object
int l_CreateObject(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const float angle = float(luaL_checknumber(L, 3));  // NaN or infinite: the body stays at 0
    const char* name = luaL_checkstring(L, 4);
    TMinimalObject* object = nullptr;
    {
        // Raising the script error skips C++ destructors: leave this scope first,
        // with the message already on the Lua stack.
        std::string error;
        const b2Vec2 at = creationTransform.Apply(x, y);
        object = TMinimalObject::Create(at.x, at.y, creationTransform.ApplyAngle(angle), name, &error);
        if (!object) {
            luaL_where(L, 1);
            lua_pushstring(L, error.c_str());
            lua_concat(L, 2);
        }
    }
    if (!object) return lua_error(L);
    lua_pushlightuserdata(L, static_cast<TGameObject*>(object));
    return 1;
}

// SetCreationTransform(x, y, angle)
int l_SetCreationTransform(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const float angle = CheckFinite(L, 3);
    creationTransform.Set(x, y, angle);
    return 0;
}

// GetCreationTransform() -> x, y, angle
int l_GetCreationTransform(lua_State* L)
{
    float x = 0.0f, y = 0.0f, angle = 0.0f;
    creationTransform.Get(&x, &y, &angle);
    lua_pushnumber(L, x);
    lua_pushnumber(L, y);
    lua_pushnumber(L, angle);
    return 3;
}

// TransformPoint(px, py, x, y, angle) -> x', y'
int l_TransformPoint(lua_State* L)
{
    const lua_Number px = luaL_checknumber(L, 1);
    const lua_Number py = luaL_checknumber(L, 2);
    const lua_Number x = luaL_checknumber(L, 3);
    const lua_Number y = luaL_checknumber(L, 4);
    const lua_Number angle = luaL_checknumber(L, 5);
    const lua_Number c = std::cos(angle);
    const lua_Number s = std::sin(angle);
    lua_pushnumber(L, px * c - py * s + x);
    lua_pushnumber(L, px * s + py * c + y);
    return 2;
}

// object.GetXForm(..., obj) -> x, y, angle. Traces its arguments to stderr first.
int l_object_GetXForm(lua_State* L)
{
    const int count = lua_gettop(L);
    for (int i = 1; i <= count; ++i) {
        switch (lua_type(L, i)) {
        case LUA_TNUMBER: std::fprintf(stderr, "%g  ", lua_tonumber(L, i)); break;
        case LUA_TSTRING: std::fprintf(stderr, "`%s'  ", lua_tostring(L, i)); break;
        case LUA_TBOOLEAN: std::fprintf(stderr, "%s  ", lua_toboolean(L, i) ? "true" : "false"); break;
        default: std::fprintf(stderr, "%s  ", luaL_typename(L, i)); break;
        }
    }
    std::fprintf(stderr, "\n");
    TGameObject* object = count > 0 ? ObjectArg(L, count) : nullptr;
    if (!object) return 0;
    const b2Vec2 p = object->GetPosition();
    lua_pushnumber(L, p.x);
    lua_pushnumber(L, p.y);
    lua_pushnumber(L, object->GetAngle());
    return 3;
}

// object.GetCollisionType(obj) -> name of the highest collision-type bit
int l_object_GetCollisionType(lua_State* L)
{
    static const char* const names[] = {"null", "wall", "player", "bullet", "enemy",
                                        "explosion", "door", "laser", "zspawner"};
    TGameObject* object = ObjectArg(L, 1);
    if (!object) {
        lua_pushvalue(L, 1);
        return 1;
    }
    uint32_t bits = uint32_t(object->collisionType);
    int index = 0;
    while (bits > 1) {
        bits >>= 1;
        ++index;
    }
    // Bits past the named ones (triggers, spawners) have no name of their own.
    lua_pushstring(L, index < int(sizeof names / sizeof names[0]) ? names[index] : "unknown");
    return 1;
}

// object.Delete(obj): removed at the end of the next world step
int l_object_Delete(lua_State* L)
{
    if (TGameObject* object = ObjectArg(L, 1)) object->dead = 1;
    return 0;
}

// object.SetFrame(obj, frame)
int l_object_SetFrame(lua_State* L)
{
    auto* object = ObjectFromHandleAs<TMinimalObject>(lua_topointer(L, 1));
    if (!object) {
        ReportInvalidPointer("object.SetFrame");
        return 0;
    }
    object->frame = float(luaL_checknumber(L, 2));
    return 0;
}

// Argument 1 as the input code `base` + n; -1, which no input has, when n
// lies outside the table (so that a huge n neither overflows nor wraps
// round onto a real key).
int InputCodeArg(lua_State* L, int base)
{
    const lua_Integer n = luaL_checkinteger(L, 1);
    return n >= 0 && n < kInputCodeCount ? base + int(n) : -1;
}

int l_input_KeyDown(lua_State* L)
{
    lua_pushboolean(L, KeyHeld(InputCodeArg(L, 0)));
    return 1;
}

int l_input_MouseDown(lua_State* L)
{
    lua_pushboolean(L, KeyHeld(InputCodeArg(L, kMouseCodeBase)));
    return 1;
}

int l_input_MousePressed(lua_State* L)
{
    lua_pushboolean(L, KeyPressed(InputCodeArg(L, kMouseCodeBase)));
    return 1;
}

int l_input_MouseReleased(lua_State* L)
{
    lua_pushboolean(L, KeyReleased(InputCodeArg(L, kMouseCodeBase)));
    return 1;
}

} // namespace

void RegisterWorldApi(lua_State* L)
{
    BeginApiGroup("The world",
                  "Objects of `objectlist`, the creation transform that rooms are built through, the world's light, and the method tables `object` and `input`.");
    OpenMethodTable(L, "container");
    lua_pop(L, 1);

    OpenMethodTable(L, "input");
    SetMethod(L, "KeyDown", l_input_KeyDown,
        "(n) -> bool",
        "True while key code `n` is held.");
    SetMethod(L, "MouseDown", l_input_MouseDown,
        "(n) -> bool",
        "True while mouse button `n` is held.");
    SetMethod(L, "MousePressed", l_input_MousePressed,
        "(n) -> bool",
        "True in the frame mouse button `n` went down.");
    SetMethod(L, "MouseReleased", l_input_MouseReleased,
        "(n) -> bool",
        "True in the frame mouse button `n` came up.");
    lua_pop(L, 1);

    OpenMethodTable(L, "object");
    SetMethod(L, "GetXForm", l_object_GetXForm,
        "(..., object) -> x, y, angle",
        "The object's position and angle; the handle is the last argument, so it may be called as a method.");
    SetMethod(L, "GetCollisionType", l_object_GetCollisionType,
        "(object) -> name",
        "The name of the object's highest collision-type bit: \"wall\", \"player\", \"bullet\", \"enemy\", \"door\", ... or \"unknown\".");
    SetMethod(L, "Delete", l_object_Delete,
        "(object)",
        "Removes the object at the end of the next world step.");
    SetMethod(L, "SetFrame", l_object_SetFrame,
        "(object, frame)",
        "Shows frame `frame` of the object's sprite.");
    lua_pop(L, 1);

    OpenMethodTable(L, "player");
    lua_pop(L, 1);
    OpenMethodTable(L, "actor");
    lua_pop(L, 1);

    SetGlobalFunction(L, "SetCreationTransform", l_SetCreationTransform,
        "(x, y, angle)",
        "Moves and turns everything created from now on: rooms are built at the origin through it.");
    SetGlobalFunction(L, "GetCreationTransform", l_GetCreationTransform,
        "() -> x, y, angle",
        "The creation transform in use.");
    SetGlobalFunction(L, "TransformPoint", l_TransformPoint,
        "(px, py, x, y, angle) -> x, y",
        "The point (px, py) turned by `angle` and moved by (x, y).");
    SetGlobalFunction(L, "CreateObject", l_CreateObject,
        "(x, y, angle, kind) -> object",
        "Places an object of the `objectlist` kind through the creation transform; an unknown or broken kind is a script error naming it.");
    SetGlobalFunction(L, "SetWorldTint", l_SetWorldTint,
        "(r, g, b)",
        "The level's light, multiplied over the world: each channel 0..1 (out of range clamped, not a number counts as 1).");
}
