// Script functions that build the static pieces of a level: wall blocks,
// breakable blocks, doors, crates, triggers, nodes, direction controllers, map
// markers, text labels and floor bitmaps, plus container.AddItem.
//
// Every argument is read and checked before anything is built: a Lua error
// jumps out of the function and would skip C++ destructors, and a failed
// check must leave no half-made object in the world.
#include "render/Sprite.h"
#include "script/ApiRegistry.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "world/CreationTransform.h"
#include "world/DirectionController.h"
#include "world/Door.h"
#include "world/FloorBitmap.h"
#include "world/Kast.h"
#include "world/MapMarker.h"
#include "world/Node.h"
#include "world/ObjectDefinition.h"
#include "world/PuuSein.h"
#include "world/Sein.h"
#include "world/TextObject.h"
#include "world/Trigger.h"
#include <lua.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int CheckInt(lua_State* L, int index)
{
    const lua_Integer value = luaL_checkinteger(L, index);
    return int(std::clamp<lua_Integer>(value, -0x7fffffff, 0x7fffffff));
}

float CheckFloat(lua_State* L, int index)
{
    return float(luaL_checknumber(L, index));
}

// A radius: finite and above zero.
float CheckRadius(lua_State* L, int index)
{
    const float radius = CheckFinite(L, index);
    if (!(radius > 0.0f)) luaL_argerror(L, index, "positive radius expected");
    return radius;
}

// A number truncated toward zero, kept inside the int range.
int TruncToInt(lua_Number value)
{
    if (std::isnan(value)) return 0;
    return int(std::clamp<lua_Number>(std::trunc(value), -2147483647.0, 2147483647.0));
}

int PushObject(lua_State* L, TGameObject* object)
{
    lua_pushlightuserdata(L, object);
    return 1;
}

// Where a script puts a piece: (x, y) from arguments 1 and 2 and, for a piece
// that turns, its angle from argument 3, as the script gave them. At() and
// Turned() put them through the creation transform when the piece is built.
struct Placement {
    float x = 0.0f, y = 0.0f, angle = 0.0f;
    b2Vec2 At() const { return creationTransform.Apply(x, y); }
    float Turned() const { return creationTransform.ApplyAngle(angle); }
};

Placement CheckPoint(lua_State* L)
{
    Placement place;
    place.x = CheckFinite(L, 1);
    place.y = CheckFinite(L, 2);
    return place;
}

Placement CheckPlacement(lua_State* L)
{
    Placement place = CheckPoint(L);
    place.angle = CheckFloat(L, 3);
    return place;
}

// CreateBlock(x, y, angle, value, type [, stored value]) -> block
int l_CreateBlock(lua_State* L)
{
    const Placement place = CheckPlacement(L);
    const int value = CheckInt(L, 4);
    const int type = CheckInt(L, 5);
    const int stored = int(std::clamp<lua_Integer>(luaL_optinteger(L, 6, 0), -0x7fffffff, 0x7fffffff));
    if (!IsWallBlockType(type)) return luaL_error(L, "CreateBlock: unknown block type %d", type);
    const b2Vec2 at = place.At();
    const float a = place.Turned();
    if (type == kBlockBreakable) return PushObject(L, new TPuuSein(at.x, at.y, a, float(value), stored));
    return PushObject(L, new TSein(at.x, at.y, a, float(value), type));
}

// CreateBlock2(x, y, angle, sprite name, frame, material) -> block; the angle
// is not turned by the creation transform.
int l_CreateBlock2(lua_State* L)
{
    const Placement place = CheckPlacement(L);
    size_t length = 0;
    const char* name = luaL_checklstring(L, 4, &length);
    const int frame = CheckInt(L, 5);
    const int material = CheckInt(L, 6);
    const b2Vec2 at = place.At();
    return PushObject(L, new TSein(at.x, at.y, place.angle, std::string(name, length), frame, material));
}

// CreateBreakableBlock(x, y, angle, stored value) -> block
int l_CreateBreakableBlock(lua_State* L)
{
    const Placement place = CheckPlacement(L);
    const int stored = CheckInt(L, 4);
    const b2Vec2 at = place.At();
    return PushObject(L, new TPuuSein(at.x, at.y, place.Turned(), 0.0f, stored));
}

// CreateDoor(x, y, angle [, kind]) -> door; the kind counts only as the
// fourth of exactly four arguments.
int l_CreateDoor(lua_State* L)
{
    const Placement place = CheckPlacement(L);
    const int kind = lua_gettop(L) == 4 ? CheckInt(L, 4) : 0;
    const b2Vec2 at = place.At();
    return PushObject(L, new TDoor(at.x, at.y, place.Turned(), kind));
}

// CreateContainer(x, y, angle, kind, item name, ...) -> crate. The body turns
// the other way from the given angle: transform angle minus angle.
int l_CreateContainer(lua_State* L)
{
    const Placement place = CheckPlacement(L);
    luaL_checkstring(L, 4);
    const int count = lua_gettop(L);
    for (int i = 5; i <= count; ++i) luaL_checkstring(L, i);
    // All checked: nothing below raises a Lua error.
    const b2Vec2 at = place.At();
    TKast* crate = nullptr;
    {
        std::vector<std::string> items;
        for (int i = 5; i <= count; ++i) {
            size_t length = 0;
            const char* name = lua_tolstring(L, i, &length);
            items.emplace_back(name, length);
        }
        size_t kindLength = 0;
        const char* kind = lua_tolstring(L, 4, &kindLength);
        crate = new TKast(at.x, at.y, creationTransform.Angle() - place.angle, std::string(kind, kindLength),
                          std::move(items));
    }
    return PushObject(L, crate);
}

// CreateTrigger(x, y, radius, script name, period) -> trigger. The function it
// runs is scripttable[script name]; without a scripttable no trigger is made.
int l_CreateTrigger(lua_State* L)
{
    const Placement place = CheckPoint(L);
    const float radius = CheckRadius(L, 3);
    size_t length = 0;
    const char* name = luaL_checklstring(L, 4, &length);
    const int period = CheckInt(L, 5);

    lua_getglobal(L, "scripttable");
    if (!lua_istable(L, -1)) {
        console.Append("oioi\n");
        return luaL_error(L, "attempt to index global 'scripttable' (a %s value)", luaL_typename(L, -1));
    }
    lua_pushlstring(L, name, length);
    lua_gettable(L, -2);
    const int ref = MakeScriptRef(L, -1);
    lua_pop(L, 2);
    console.AppendF("%d\n", period);

    const b2Vec2 at = place.At();
    return PushObject(L, new TTrigger(at.x, at.y, radius, std::string(name, length), period, ref));
}

// CreateNode(x, y, angle [, kind]) -> node
int l_CreateNode(lua_State* L)
{
    const Placement place = CheckPlacement(L);
    const int kind = lua_gettop(L) >= 4 ? TruncToInt(luaL_checknumber(L, 4)) : 0;
    const b2Vec2 at = place.At();
    return PushObject(L, new TNode(at.x, at.y, place.Turned(), kind));
}

// CreateDirectionController(x, y, angle, radius) -> controller
int l_CreateDirectionController(lua_State* L)
{
    const Placement place = CheckPlacement(L);
    const float radius = CheckRadius(L, 4);
    const b2Vec2 at = place.At();
    return PushObject(L, new TDirectionController(at.x, at.y, place.Turned(), radius));
}

// CreateMapMarker(x, y, red, green, blue) -> marker, built from objectlist.mapmarker
int l_CreateMapMarker(lua_State* L)
{
    const Placement place = CheckPoint(L);
    const float red = CheckFloat(L, 3);
    const float green = CheckFloat(L, 4);
    const float blue = CheckFloat(L, 5);
    TMapMarker* marker = nullptr;
    {
        // The error is pushed before this scope ends; lua_error comes after.
        std::string error;
        bool unknown = false;
        const std::optional<TObjectDefinition> definition =
            TObjectDefinition::Read(kMapMarkerType, &error, &unknown);
        if (unknown) std::fprintf(stderr, "ERROR: cannot create object\"%s\"! \n", kMapMarkerType);
        if (definition) {
            const b2Vec2 at = place.At();
            marker = new TMapMarker(at.x, at.y, red, green, blue, *definition);
        } else {
            luaL_where(L, 1);
            lua_pushstring(L, error.c_str());
            lua_concat(L, 2);
        }
    }
    if (!marker) return lua_error(L);
    return PushObject(L, marker);
}

// CreateTextObj(x, y, text) -> label; not moved by the creation transform.
int l_CreateTextObj(lua_State* L)
{
    const Placement place = CheckPoint(L);
    size_t length = 0;
    const char* text = luaL_checklstring(L, 3, &length);
    return PushObject(L, new TTextObject(place.x, place.y, std::string(text, length)));
}

// CreateBitmap(x, y, angle, x1, y1, x2, y2, texture name) or
// CreateBitmap(x, y, angle, sprite name, frame) -> bitmap. The bitmap turns
// the other way from the creation transform: angle minus transform angle.
// Any other argument count makes nothing.
int l_CreateBitmap(lua_State* L)
{
    const int count = lua_gettop(L);
    if (count != 8 && count != 5) return 0;
    const Placement place = CheckPlacement(L);
    const b2Vec2 at = place.At();
    const float a = place.angle - creationTransform.Angle();
    TFloorBitmap* bitmap = nullptr;
    if (count == 8) {
        int corner[4];
        for (int i = 0; i < 4; ++i) corner[i] = CheckInt(L, 4 + i);
        size_t length = 0;
        const char* name = luaL_checklstring(L, 8, &length);
        bitmap = new TFloorBitmap(at.x, at.y, a, corner[0], corner[1], corner[2], corner[3],
                                  std::string(name, length));
    } else {
        size_t length = 0;
        const char* name = luaL_checklstring(L, 4, &length);
        const int frame = CheckInt(L, 5);
        const TSprite* sprite = FindSprite(std::string(name, length));
        if (!TFloorBitmap::HasFrame(sprite, frame)) {
            std::fprintf(stderr, "ERROR: CreateBitmap: sprite \"%s\" has no frame %d!\n", name, frame);
            // On the console too, with the room's line: the floor is missing
            // there, and --check names the line.
            luaL_where(L, 1);
            console.AppendF("%sCreateBitmap: sprite \"%s\" has no frame %d; no bitmap made\n", lua_tostring(L, -1), name, frame);
            lua_pop(L, 1);
            return 0;
        }
        bitmap = new TFloorBitmap(at.x, at.y, a, *sprite, frame);
    }
    lua_pushlightuserdata(L, bitmap);
    return 1;
}

// container.AddItem(crate, item name): the name is kept even when itemtable
// has no such item; the take menu reports it when it is shown.
int l_container_AddItem(lua_State* L)
{
    TKast* crate = ObjectFromHandleAs<TKast>(lua_topointer(L, 1));
    if (!crate) {
        console.Append("container.AddItem:invalid pointer\n");
        return 0;
    }
    size_t length = 0;
    const char* name = luaL_checklstring(L, 2, &length);
    crate->items.emplace_back(name, length);
    return 0;
}

} // namespace

void RegisterPiecesApi(lua_State* L)
{
    BeginApiGroup("Level pieces",
                  "The static pieces rooms are built of: walls, doors, crates, triggers, nodes, markers, labels and floor bitmaps, all through the creation transform unless said otherwise.");
    OpenMethodTable(L, "container");
    SetMethod(L, "AddItem", l_container_AddItem,
        "(crate, item)",
        "Puts the named item into a crate; the name is kept even when itemtable has none, and the take menu reports it when shown.");
    lua_pop(L, 1);

    SetGlobalFunction(L, "CreateBitmap", l_CreateBitmap,
        "(x, y, angle, x1, y1, x2, y2, texture) or (x, y, angle, sprite, frame) -> bitmap",
        "A floor bitmap under everything: a pixel rectangle of a texture, or a sprite's frame.");
    SetGlobalFunction(L, "CreateTextObj", l_CreateTextObj,
        "(x, y, text) -> label",
        "A text label in the world, not moved by the creation transform.");
    SetGlobalFunction(L, "CreateBlock", l_CreateBlock,
        "(x, y, angle, value, type [, stored value]) -> block",
        "A wall block of a fixed block type (`type`), `value` its sprite frame; the breakable type makes a wooden block holding `stored value`.");
    SetGlobalFunction(L, "CreateBlock2", l_CreateBlock2,
        "(x, y, angle, sprite, frame, material) -> block",
        "A wall block drawn with a sprite's frame, of a material (`materials`); its angle is not turned by the transform.");
    SetGlobalFunction(L, "CreateBreakableBlock", l_CreateBreakableBlock,
        "(x, y, angle, stored value) -> block",
        "A breakable wooden block holding `stored value`.");
    SetGlobalFunction(L, "CreateDoor", l_CreateDoor,
        "(x, y, angle [, kind]) -> door",
        "A sliding door: two leaves that part when the player (or, once he opened it, an enemy) stands in the doorway and shut 20 steps after.");
    SetGlobalFunction(L, "CreateNode", l_CreateNode,
        "(x, y, angle [, kind]) -> node",
        "An editor marker; kind 0 is a connection where the generator joins rooms.");
    SetGlobalFunction(L, "CreateTrigger", l_CreateTrigger,
        "(x, y, radius, script, period) -> trigger",
        "While the player stands within `radius`, calls scripttable[`script`] every period + 1 steps; echoes the period on the console.");
    SetGlobalFunction(L, "CreateContainer", l_CreateContainer,
        "(x, y, angle, kind, item, ...) -> crate",
        "A crate or locker of the objectlist kind holding the named items.");
    SetGlobalFunction(L, "CreateDirectionController", l_CreateDirectionController,
        "(x, y, angle, radius) -> controller",
        "While the player stands within `radius`, the view rotation snaps to the controller's direction (straightens it with \"viewrotate\" off).");
    SetGlobalFunction(L, "CreateMapMarker", l_CreateMapMarker,
        "(x, y, red, green, blue) -> marker",
        "A coloured mark on the map (Tab), made from objectlist.mapmarker.");
}
