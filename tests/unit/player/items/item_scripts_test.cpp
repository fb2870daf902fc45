// The item scripts: relvad.lua and loot.lua run after luainit, gfx and
// objects against a stand-in for the item, crate and handle functions of the
// engine, and every item, recipe, callback and crate roll is checked.
#include "startup_scripts_test_support.h"

#include <lua.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

using namespace startup_scripts;

namespace {

struct ItemCall {
    std::string creator;
    double x, y;
    std::string name;
    void* handle;
};

struct ItemEngine {
    std::vector<ItemCall> created;
    std::vector<std::vector<std::string>> reactions;
    std::vector<std::string> played;
    struct Rocket {
        double x, y, angle;
    };
    std::vector<Rocket> rockets;
    std::map<void*, std::vector<std::string>> crateItems;
    std::vector<std::string> crateKinds;
    std::vector<void*> deleted;
    std::vector<std::pair<void*, double>> frames;
    std::vector<std::tuple<void*, double, int>> armor;
    int ammo[10] = {};
    double holderX = 2.0, holderY = 3.0, holderAngle = 0.5;
    int handles = 0;
};

ItemEngine* items = nullptr;
void* const kPlayer = reinterpret_cast<void*>(0x7000);
void* const kSoldier = reinterpret_cast<void*>(0x7100);

void* newItemHandle()
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x20000 + ++items->handles));
}

template <int Creator>
int createItemStub(lua_State* L)
{
    static const char* const names[] = {"_CreateWeapon", "_CreateAmmo", "_CreateMedkit",
                                        "_CreateBomb", "_CreateSimpleItem", "_CreateLuaItem"};
    double x = luaL_checknumber(L, 1);
    double y = luaL_checknumber(L, 2);
    luaL_checkstring(L, 3);
    void* handle = newItemHandle();
    items->created.push_back({names[Creator], x, y, lua_tostring(L, 3), handle});
    lua_pushlightuserdata(L, handle);
    return 1;
}

int addReaction(lua_State* L)
{
    int n = lua_gettop(L);
    for (int i = 1; i <= n; ++i)
        luaL_checkstring(L, i);
    if (n < 3)
        return 0;
    std::vector<std::string> recipe;
    for (int i = 1; i <= n; ++i)
        recipe.push_back(lua_tostring(L, i));
    items->reactions.push_back(recipe);
    return 0;
}

int playSound(lua_State* L)
{
    luaL_checkstring(L, lua_gettop(L));
    items->played.push_back(lua_tostring(L, lua_gettop(L)));
    return 0;
}

int createRocket(lua_State* L)
{
    double x = luaL_checknumber(L, 1), y = luaL_checknumber(L, 2), a = luaL_checknumber(L, 3);
    items->rockets.push_back({x, y, a});
    lua_pushlightuserdata(L, newItemHandle());
    return 1;
}

int getPlayer(lua_State* L)
{
    lua_pushlightuserdata(L, kPlayer);
    return 1;
}

int getAmmo(lua_State* L)
{
    int type = int(luaL_checkinteger(L, 1));
    if (type < 0 || type > 9)
        return luaL_error(L, "ammo type %d", type);
    lua_pushnumber(L, items->ammo[type]);
    return 1;
}

int setAmmo(lua_State* L)
{
    int count = int(luaL_checkinteger(L, 1));
    int type = int(luaL_checkinteger(L, 2));
    int add = int(luaL_checkinteger(L, 3));
    if (type < 0 || type > 9)
        return luaL_error(L, "ammo type %d", type);
    if (count < 0 && add == 0)
        return 0;
    items->ammo[type] = count + (add ? items->ammo[type] : 0);
    return 0;
}

int getXForm(lua_State* L)
{
    if (lua_touserdata(L, lua_gettop(L)) == nullptr)
        return 0;
    lua_pushnumber(L, items->holderX);
    lua_pushnumber(L, items->holderY);
    lua_pushnumber(L, items->holderAngle);
    return 3;
}

int setFrame(lua_State* L)
{
    void* obj = lua_touserdata(L, 1);
    double frame = luaL_checknumber(L, 2);
    items->frames.emplace_back(obj, frame);
    return 0;
}

int deleteObject(lua_State* L)
{
    items->deleted.push_back(lua_touserdata(L, 1));
    return 0;
}

int setArmor(lua_State* L)
{
    void* obj = lua_touserdata(L, 1);
    double value = luaL_checknumber(L, 2);
    int add = int(luaL_checkinteger(L, 3));
    items->armor.emplace_back(obj, value, add);
    return 0;
}

int addCrateItem(lua_State* L)
{
    void* crate = lua_touserdata(L, 1);
    luaL_checkstring(L, 2);
    if (!crate)
        return luaL_error(L, "container.AddItem:invalid pointer");
    items->crateItems[crate].push_back(lua_tostring(L, 2));
    return 0;
}

int createContainer(lua_State* L)
{
    luaL_checknumber(L, 1);
    luaL_checknumber(L, 2);
    luaL_checknumber(L, 3);
    luaL_checkstring(L, 4);
    for (int i = 5; i <= lua_gettop(L); ++i)
        luaL_checkstring(L, i);
    void* crate = newItemHandle();
    items->crateKinds.push_back(lua_tostring(L, 4));
    auto& held = items->crateItems[crate];
    for (int i = 5; i <= lua_gettop(L); ++i)
        held.push_back(lua_tostring(L, i));
    lua_pushlightuserdata(L, crate);
    return 1;
}

void registerTable(lua_State* L, const char* name, std::initializer_list<std::pair<const char*, lua_CFunction>> fns)
{
    lua_newtable(L);
    for (const auto& [key, fn] : fns) {
        lua_pushcfunction(L, fn);
        lua_setfield(L, -2, key);
    }
    lua_setglobal(L, name);
}

// One itemtable entry, read the way the engine reads it.
struct ItemEntry {
    std::string name;
    std::map<std::string, int> types;        // field -> lua type
    std::map<std::string, double> numbers;
    std::map<std::string, std::string> strings;

    bool isInteger(const std::string& key) const
    {
        auto t = types.find(key);
        if (t == types.end() || t->second != LUA_TNUMBER)
            return false;
        double v = numbers.at(key);
        return v == std::floor(v);
    }
    const std::string& kind() const { return strings.at("kind"); }
    // NaN for a missing field, so every comparison with it fails
    double num(const std::string& key) const
    {
        auto v = numbers.find(key);
        return v == numbers.end() ? std::nan("") : v->second;
    }
};

class ItemScripts : public StartupScripts {
protected:
    void SetUp() override
    {
        StartupScripts::SetUp();
        items = &items_;
        // relvad.lua finds loot.lua in the working directory, as in data/
        fs::copy_file(kRoot / "data" / "loot.lua", dir_ / "loot.lua");
        lua_register(L_, "_CreateWeapon", createItemStub<0>);
        lua_register(L_, "_CreateAmmo", createItemStub<1>);
        lua_register(L_, "_CreateMedkit", createItemStub<2>);
        lua_register(L_, "_CreateBomb", createItemStub<3>);
        lua_register(L_, "_CreateSimpleItem", createItemStub<4>);
        lua_register(L_, "_CreateLuaItem", createItemStub<5>);
        lua_register(L_, "AddReaction", addReaction);
        lua_register(L_, "PlaySound", playSound);
        lua_register(L_, "CreateRocket", createRocket);
        lua_register(L_, "CreateContainer", createContainer);
        registerTable(L_, "player", {{"GetPlayer", getPlayer}, {"GetAmmo", getAmmo}, {"SetAmmo", setAmmo}});
        registerTable(L_, "object", {{"GetXForm", getXForm}, {"SetFrame", setFrame}, {"Delete", deleteObject}});
        registerTable(L_, "actor", {{"SetArmor", setArmor}});
        registerTable(L_, "container", {{"AddItem", addCrateItem}});
    }

    void TearDown() override
    {
        items = nullptr;
        StartupScripts::TearDown();
    }

    // The start-up order of the game: luainit.lua, the graphics scripts with
    // relvad.lua last, then the sounds.
    void runAll()
    {
        run("luainit.lua");
        run("gfx.lua");
        run("objects.lua");
        run("relvad.lua");
        run("sfx.lua");
        ASSERT_TRUE(fake_.printed.empty()) << fake_.printed.front();
    }

    std::map<std::string, ItemEntry> entries()
    {
        std::map<std::string, ItemEntry> out;
        lua_getglobal(L_, "itemtable");
        EXPECT_TRUE(lua_istable(L_, -1));
        lua_pushnil(L_);
        while (lua_next(L_, -2) != 0) {
            ItemEntry e;
            EXPECT_EQ(lua_type(L_, -2), LUA_TSTRING);
            e.name = lua_tostring(L_, -2);
            EXPECT_TRUE(lua_istable(L_, -1)) << e.name;
            lua_pushnil(L_);
            while (lua_next(L_, -2) != 0) {
                if (lua_type(L_, -2) == LUA_TSTRING) {
                    std::string key = lua_tostring(L_, -2);
                    e.types[key] = lua_type(L_, -1);
                    if (lua_type(L_, -1) == LUA_TNUMBER)
                        e.numbers[key] = lua_tonumber(L_, -1);
                    if (lua_type(L_, -1) == LUA_TSTRING)
                        e.strings[key] = lua_tostring(L_, -1);
                }
                lua_pop(L_, 1);
            }
            lua_pop(L_, 1);
            out[e.name] = e;
        }
        lua_pop(L_, 1);
        return out;
    }

    // Runs Lua text that must succeed.
    void lua(const std::string& code)
    {
        ASSERT_EQ(luaL_dostring(L_, code.c_str()), 0) << lua_tostring(L_, -1);
    }

    double number(const std::string& expression)
    {
        lua(("return " + expression).c_str());
        double v = lua_tonumber(L_, -1);
        lua_pop(L_, 1);
        return v;
    }

    std::string lua_string(const std::string& expression)
    {
        lua(("return " + expression).c_str());
        const char* text = lua_tostring(L_, -1);
        std::string v = text ? text : "";
        lua_pop(L_, 1);
        return v;
    }

    ItemEngine items_;
};

const char* const kItemKinds[] = {"weapon", "ammo", "medkit", "bomb", "simple", "lua"};

const char* const kWeaponIntegers[] = {"clipsize", "spread", "reloadtime", "bulletspeed", "damage",
                                       "range", "pierce", "shake", "holdframe", "shootframe",
                                       "reloadframe", "ammotype", "clipreloadtime", "bulletcount",
                                       "ammocount", "bullettype"};

} // namespace

TEST_F(ItemScripts, EveryItemHasTheFieldsItsKindReads)
{
    runAll();
    auto all = entries();
    ASSERT_GE(all.size(), 30u);
    std::map<std::string, int> perKind;
    for (const auto& [name, e] : all) {
        for (const char* key : {"frame", "r", "g", "b"})
            EXPECT_EQ(e.types.count(key) ? e.types.at(key) : LUA_TNIL, LUA_TNUMBER) << name << "." << key;
        for (const char* key : {"invtext", "longtext", "shortcutkey", "sprite", "kind", "class"})
            EXPECT_EQ(e.types.count(key) ? e.types.at(key) : LUA_TNIL, LUA_TSTRING) << name << "." << key;
        if (!e.strings.count("kind"))
            continue;
        const std::string& kind = e.kind();
        EXPECT_TRUE(std::find(std::begin(kItemKinds), std::end(kItemKinds), kind) != std::end(kItemKinds))
            << name << ": kind " << kind;
        ++perKind[kind];
        // the inventory column and the combine menu are 42 pixels wide,
        // 4 per letter; the status line runs across the 320-pixel screen
        EXPECT_LE(e.strings.at("invtext").size(), 10u) << name;
        EXPECT_FALSE(e.strings.at("invtext").empty()) << name;
        EXPECT_LE(e.strings.at("longtext").size(), 78u) << name;
        EXPECT_LE(name.size(), 15u) << name << ": recipes keep 15 characters of a name";

        if (kind == "weapon") {
            for (const char* key : kWeaponIntegers)
                EXPECT_TRUE(e.isInteger(key)) << name << "." << key << " must be an integer";
            for (const char* key : {"shootsound", "reloadsound"})
                EXPECT_TRUE(e.strings.count(key)) << name << "." << key;
            // the engine divides by these
            for (const char* key : {"spread", "range", "pierce", "clipsize", "bulletcount", "ammocount"})
                EXPECT_GE(e.numbers.at(key), 1) << name << "." << key;
            EXPECT_GE(e.numbers.at("clipsize"), e.numbers.at("ammocount")) << name;
            EXPECT_NE(e.numbers.at("reloadtime"), 0) << name;
            EXPECT_GE(e.numbers.at("clipreloadtime"), 1) << name;
            const int type = int(e.numbers.at("bullettype"));
            // 4 fires nothing; 3 and 6 are the laser and electric beams.
            EXPECT_TRUE(type == 0 || type == 1 || type == 2 || type == 3 || type == 5 || type == 6)
                << name << ": bullet type " << type << " fires nothing";
        } else if (kind == "ammo") {
            EXPECT_TRUE(e.isInteger("count")) << name;
            EXPECT_TRUE(e.isInteger("ammotype")) << name;
            EXPECT_GE(e.num("count"), 1) << name;
        } else if (kind == "medkit") {
            EXPECT_TRUE(e.isInteger("health")) << name;
            EXPECT_GT(e.num("health"), 0) << name;
            EXPECT_LE(e.num("health"), 100) << name;
        } else if (kind == "bomb") {
            for (const char* key : {"delay", "nailcount"})
                EXPECT_TRUE(e.isInteger(key)) << name << "." << key;
            for (const char* key : {"radius", "throwspeed"})
                EXPECT_EQ(e.types.count(key) ? e.types.at(key) : LUA_TNIL, LUA_TNUMBER) << name << "." << key;
            EXPECT_GE(e.num("delay"), 1) << name << ": a delay of 0 never goes off";
            EXPECT_GT(e.num("radius"), 0) << name;
        } else if (kind == "lua") {
            int callbacks = 0;
            for (const char* key : {"oninit", "onactivate", "onequip", "ongroundupdate", "oncollision", "onpickup"}) {
                auto t = e.types.find(key);
                if (t == e.types.end())
                    continue;
                EXPECT_EQ(t->second, LUA_TFUNCTION) << name << "." << key;
                ++callbacks;
            }
            EXPECT_GE(callbacks, 1) << name;
        }
    }
    EXPECT_GE(perKind["weapon"], 9);
    EXPECT_GE(perKind["ammo"], 5);
    EXPECT_GE(perKind["medkit"], 2);
    EXPECT_GE(perKind["bomb"], 2);
    EXPECT_GE(perKind["simple"], 11);
    for (const char* needed : {"automaat", "teleport", "detector", "small charge"})
        EXPECT_TRUE(all.count(needed)) << needed;
    EXPECT_EQ(all["teleport"].kind(), "lua");
    EXPECT_EQ(all["detector"].kind(), "lua");
    EXPECT_EQ(all["small charge"].numbers["frame"], 51);
}

TEST_F(ItemScripts, IconsPosesAndSoundsExist)
{
    runAll();
    const SpriteCall& mees = fake_.spritesByHandle.at(lookup("GetSprite", "spr_mees"));
    const std::set<std::vector<int>> poses = {{5, 6, 7}, {8, 9, 10}, {11, 12, 13}, {14, 15, 16}, {17, 18, 25}};
    for (const auto& [name, e] : entries()) {
        const std::string handle = lookup("GetSprite", e.strings.at("sprite"));
        ASSERT_FALSE(handle.empty()) << name << ": no sprite " << e.strings.at("sprite");
        const SpriteCall& call = fake_.spritesByHandle.at(handle);
        EXPECT_TRUE(e.isInteger("frame")) << name;
        EXPECT_GE(e.numbers.at("frame"), 0) << name;
        EXPECT_LT(e.numbers.at("frame"), call.cols * call.rows) << name;
        if (e.kind() != "weapon")
            continue;
        std::vector<int> pose = {int(e.numbers.at("holdframe")), int(e.numbers.at("shootframe")),
                                 int(e.numbers.at("reloadframe"))};
        EXPECT_TRUE(poses.count(pose)) << name << ": not a weapon pose of spr_mees";
        for (int f : pose)
            EXPECT_LT(f, mees.cols * mees.rows) << name;
        for (const char* key : {"shootsound", "reloadsound"})
            EXPECT_FALSE(lookup("GetSound", e.strings.at(key)).empty()) << name << "." << key << " "
                                                                         << e.strings.at(key);
    }
    // sounds the scripted items play
    for (const char* s : {"beep", "no_ammo", "rocket_lask", "medkit_use"})
        EXPECT_FALSE(lookup("GetSound", s).empty()) << s;
}

TEST_F(ItemScripts, ColoursFollowTheHelpPage)
{
    runAll();
    const std::map<std::string, std::string> classOfKind = {
        {"weapon", "weapon"}, {"ammo", "ammo"}, {"medkit", "medkit"}, {"bomb", "explosive"}, {"simple", "material"}};
    std::set<std::string> classes;
    for (const auto& [name, e] : entries()) {
        const std::string& cls = e.strings.at("class");
        classes.insert(cls);
        if (classOfKind.count(e.kind())) {
            EXPECT_EQ(cls, classOfKind.at(e.kind())) << name;
        }
        const double r = e.numbers.at("r"), g = e.numbers.at("g"), b = e.numbers.at("b");
        // a channel of exactly 0 is drawn as 1: red (1, 0, 0) would show white
        for (double c : {r, g, b}) {
            EXPECT_GT(c, 0.0) << name;
            EXPECT_LE(c, 1.0) << name;
        }
        if (cls == "weapon") {
            EXPECT_TRUE(r >= 0.9 && g >= 0.9 && b >= 0.9) << name << " should be white";
        } else if (cls == "ammo") {
            EXPECT_TRUE(r > g && g > b && r >= 0.5 && r <= 0.85 && b <= 0.35) << name << " should be brown";
        } else if (cls == "medkit") {
            EXPECT_TRUE(b >= 0.8 && r <= 0.5 && g <= 0.7) << name << " should be blue";
        } else if (cls == "explosive") {
            EXPECT_TRUE(r >= 0.8 && g <= 0.35 && b <= 0.35) << name << " should be red";
        } else if (cls == "material") {
            EXPECT_TRUE(g >= 0.8 && r <= 0.5 && b <= 0.5) << name << " should be green";
        } else if (cls == "device") {
            // not one of the five colours of the help page
            EXPECT_TRUE(r >= 0.8 && g >= 0.7 && b <= 0.5) << name << " should be yellow";
        } else {
            ADD_FAILURE() << name << ": unknown class " << cls;
        }
        // quick-switch groups match the help page too
        const std::string& key = e.strings.at("shortcutkey");
        if (cls == "weapon") {
            EXPECT_TRUE(key == "sc_1" || key == "sc_2" || key == "sc_3" || key == "sc_4") << name;
        } else if (cls == "medkit") {
            EXPECT_EQ(key, "sc_medkit") << name;
        } else if (cls == "explosive") {
            EXPECT_EQ(key, "sc_bombs") << name;
        } else {
            EXPECT_EQ(key.rfind("sc_", 0), std::string::npos) << name;
        }
    }
    EXPECT_EQ(classes.size(), 6u);
}

TEST_F(ItemScripts, EveryAmmunitionTypeAWeaponUsesHasOneAmmoItem)
{
    runAll();
    std::map<int, std::vector<std::string>> ammoOfType;
    std::set<int> used;
    for (const auto& [name, e] : entries()) {
        if (e.kind() == "ammo")
            ammoOfType[int(e.numbers.at("ammotype"))].push_back(name);
        if (e.numbers.count("ammotype") && e.strings.at("class") == "weapon")
            used.insert(int(e.numbers.at("ammotype")));
    }
    for (const auto& [type, names] : ammoOfType) {
        EXPECT_GE(type, 0);
        EXPECT_LE(type, 9);
        EXPECT_EQ(names.size(), 1u) << "ammunition type " << type;
        EXPECT_TRUE(used.count(type)) << names.front() << ": no weapon fires it";
    }
    for (int type : used)
        EXPECT_TRUE(ammoOfType.count(type)) << "no ammunition item of type " << type;
    EXPECT_GE(used.size(), 6u);
}

TEST_F(ItemScripts, RecipesNameItemsThatExist)
{
    runAll();
    auto all = entries();
    ASSERT_GE(items_.reactions.size(), 10u);
    std::set<std::vector<std::string>> seen;
    std::set<std::string> results;
    for (const auto& recipe : items_.reactions) {
        ASSERT_GE(recipe.size(), 3u);
        EXPECT_TRUE(seen.insert(recipe).second) << recipe[0] << " registered twice";
        EXPECT_TRUE(all.count(recipe[0])) << "result " << recipe[0];
        EXPECT_LE(recipe[0].size(), 31u);
        EXPECT_LE(recipe.size() - 1, 16u) << recipe[0];
        results.insert(recipe[0]);
        for (size_t i = 1; i < recipe.size(); ++i) {
            EXPECT_TRUE(all.count(recipe[i])) << recipe[0] << ": ingredient " << recipe[i];
            EXPECT_LE(recipe[i].size(), 15u) << recipe[i];
            EXPECT_NE(recipe[i], recipe[0]) << recipe[0] << " makes itself";
        }
    }
    // every material is good for something
    for (const auto& [name, e] : all) {
        if (e.kind() != "simple")
            continue;
        bool usedSomewhere = false;
        for (const auto& recipe : items_.reactions)
            usedSomewhere |= std::find(recipe.begin() + 1, recipe.end(), name) != recipe.end();
        EXPECT_TRUE(usedSomewhere) << name << " combines into nothing";
        EXPECT_FALSE(results.count(name)) << name;
    }
    auto has = [&](std::vector<std::string> r) {
        std::sort(r.begin() + 1, r.end());
        for (auto recipe : items_.reactions) {
            std::sort(recipe.begin() + 1, recipe.end());
            if (recipe == r)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has({"nail gun", "nails", "pipe", "battery"}));
    EXPECT_TRUE(has({"detector", "battery", "magnet", "circuit board"}));
    EXPECT_TRUE(has({"time bomb", "canister", "fuel", "tape"}));
}

TEST_F(ItemScripts, CreateItemUsesTheCreatorOfTheKind)
{
    runAll();
    const std::map<std::string, std::string> creatorOf = {
        {"weapon", "_CreateWeapon"}, {"ammo", "_CreateAmmo"},         {"medkit", "_CreateMedkit"},
        {"bomb", "_CreateBomb"},     {"simple", "_CreateSimpleItem"}, {"lua", "_CreateLuaItem"}};
    for (const auto& [name, e] : entries()) {
        items_.created.clear();
        lua_getglobal(L_, "CreateItem");
        lua_pushnumber(L_, 1.5);
        lua_pushnumber(L_, -2.25);
        lua_pushstring(L_, name.c_str());
        ASSERT_EQ(lua_pcall(L_, 3, 1, 0), 0) << lua_tostring(L_, -1);
        ASSERT_EQ(items_.created.size(), 1u) << name;
        const ItemCall& call = items_.created.front();
        EXPECT_EQ(call.creator, creatorOf.at(e.kind())) << name;
        EXPECT_EQ(call.name, name);
        EXPECT_EQ(call.x, 1.5);
        EXPECT_EQ(call.y, -2.25);
        EXPECT_EQ(lua_touserdata(L_, -1), call.handle) << name << ": the new item is handed back";
        lua_pop(L_, 1);
    }
    // an unknown name makes nothing and returns nothing; the engine reports it
    items_.created.clear();
    lua_getglobal(L_, "CreateItem");
    lua_pushnumber(L_, 0);
    lua_pushnumber(L_, 0);
    lua_pushstring(L_, "no such thing");
    ASSERT_EQ(lua_pcall(L_, 3, 1, 0), 0) << lua_tostring(L_, -1);
    EXPECT_TRUE(lua_isnil(L_, -1));
    lua_pop(L_, 1);
    EXPECT_TRUE(items_.created.empty());
    EXPECT_TRUE(fake_.printed.empty());
}

TEST_F(ItemScripts, RocketLauncherNeedsAimAmmoAndCooldown)
{
    runAll();
    lua("launcher = CreateItem(0, 0, 'rocket launcher'); itemtable['rocket launcher'].oninit(launcher, 'rocket launcher')");
    auto activate = [&](const char* holder, bool aiming) {
        lua(std::string("result = itemtable['rocket launcher'].onactivate(launcher, ") + holder + ", " +
            (aiming ? "true" : "false") + ")");
        return number("result");
    };
    auto equip = [&](int frames) {
        for (int i = 0; i < frames; ++i)
            lua("itemtable['rocket launcher'].onequip(launcher, player.GetPlayer(), true)");
    };

    items_.ammo[5] = 2;
    EXPECT_EQ(activate("player.GetPlayer()", false), 0) << "not aiming: the trigger stays held";
    EXPECT_TRUE(items_.rockets.empty());

    EXPECT_NE(activate("player.GetPlayer()", true), 0);
    ASSERT_EQ(items_.rockets.size(), 1u);
    EXPECT_EQ(items_.ammo[5], 1);
    EXPECT_NEAR(items_.rockets[0].angle, 0.5, 1e-9);
    EXPECT_NEAR(items_.rockets[0].x, 2.0 + std::cos(0.5) * 0.9, 1e-9);
    EXPECT_NEAR(items_.rockets[0].y, 3.0 + std::sin(0.5) * 0.9, 1e-9);
    EXPECT_EQ(std::count(items_.played.begin(), items_.played.end(), "rocket_lask"), 1);

    // cooling down: the next pull does nothing
    activate("player.GetPlayer()", true);
    EXPECT_EQ(items_.rockets.size(), 1u);
    equip(int(number("ROCKET_COOLDOWN")));
    activate("player.GetPlayer()", true);
    EXPECT_EQ(items_.rockets.size(), 2u);
    EXPECT_EQ(items_.ammo[5], 0);

    // out of rockets: a click, no rocket, nothing taken
    equip(int(number("ROCKET_COOLDOWN")));
    items_.played.clear();
    activate("player.GetPlayer()", true);
    EXPECT_EQ(items_.rockets.size(), 2u);
    EXPECT_EQ(items_.ammo[5], 0);
    EXPECT_EQ(items_.played, std::vector<std::string>{"no_ammo"});

    // a soldier holding it does not spend the player's store
    equip(int(number("ROCKET_COOLDOWN")));
    lua_pushlightuserdata(L_, kSoldier);
    lua_setglobal(L_, "soldier");
    activate("soldier", true);
    EXPECT_EQ(items_.rockets.size(), 3u);
    EXPECT_EQ(items_.ammo[5], 0);
    ASSERT_FALSE(items_.frames.empty());
    EXPECT_EQ(items_.frames.back().first, kSoldier);
    EXPECT_EQ(items_.frames.back().second, 18) << "the launcher's firing pose";
}

TEST_F(ItemScripts, TeleportDetectorAndVestCallbacks)
{
    runAll();
    lua("for _, n in ipairs({'teleport', 'detector', 'armour vest'}) do"
        "  local it = CreateItem(0, 0, n); itemdata[it] = {}"
        "  if itemtable[n].oninit then itemtable[n].oninit(it, n) end"
        "  _G[n:gsub(' ', '_')] = it end");
    // teleport and detector are used by being carried or selected; using
    // them only pings and lets go of the trigger
    lua("r1 = itemtable.teleport.onactivate(teleport, player.GetPlayer(), false)");
    lua("r2 = itemtable.detector.onactivate(detector, player.GetPlayer(), true)");
    EXPECT_TRUE(number("r1 == nil and 1 or r1") != 0);
    EXPECT_TRUE(number("r2 == nil and 1 or r2") != 0);
    EXPECT_EQ(number("itemdata[detector].pings"), 1);
    EXPECT_TRUE(items_.deleted.empty()) << "the teleport is used up by the player's death, not by use";
    EXPECT_EQ(number("itemdata[teleport].charged"), 1);
    // and the carry state of their data can be written
    lua("assert(loadstring('return ' .. DataDumper(itemdata[teleport])))");

    // the vest is put on and gone
    lua("r3 = itemtable['armour vest'].onactivate(armour_vest, player.GetPlayer(), false)");
    ASSERT_EQ(items_.armor.size(), 1u);
    EXPECT_EQ(std::get<0>(items_.armor[0]), kPlayer);
    EXPECT_GT(std::get<1>(items_.armor[0]), 0);
    EXPECT_EQ(std::get<2>(items_.armor[0]), 1) << "added to what is worn";
    ASSERT_EQ(items_.deleted.size(), 1u);
    lua_getglobal(L_, "armour_vest");
    EXPECT_EQ(items_.deleted[0], lua_touserdata(L_, -1));
    lua_pop(L_, 1);
}

TEST_F(ItemScripts, EnemiesAreRecordedAndDropTheirLootOnce)
{
    runAll();
    auto all = entries();
    // every drop names an item, and chances are chances
    lua("kinds = {} for kind, d in pairs(DROPS) do kinds[#kinds + 1] = kind "
        "assert(type(d[1]) == 'number' and d[1] > 0 and d[1] <= 1, kind) assert(#d >= 2, kind) end");
    lua("names = {} for kind, d in pairs(DROPS) do for i = 2, #d do names[#names + 1] = d[i] end end");
    int n = int(number("#names"));
    ASSERT_GT(n, 10);
    for (int i = 1; i <= n; ++i) {
        lua("name = names[" + std::to_string(i) + "]");
        lua_getglobal(L_, "name");
        std::string name = lua_tostring(L_, -1);
        lua_pop(L_, 1);
        EXPECT_TRUE(all.count(name)) << "drop " << name;
    }
    for (const char* kind : {"zombie", "soldat", "red_soldat", "grey_soldat", "giant_zombie", "giant_soldat",
                             "skeleton", "red_commander", "sentry_gun", "snake"})
        EXPECT_EQ(number(std::string("DROPS['") + kind + "'] and 1 or 0"), 1) << kind;

    // a roll below the chance drops, picking from the list; above it, nothing
    lua("seq = {0.0, 0.0} function fixed() return table.remove(seq, 1) end");
    lua("d1 = RollDrop('soldat', fixed)");
    lua("seq = {0.99, 0.0} d2 = RollDrop('soldat', fixed)");
    lua("seq = {0.0, 0.999999} d3 = RollDrop('soldat', fixed)");
    EXPECT_EQ(number("d1 == DROPS.soldat[2] and 1 or 0"), 1);
    EXPECT_EQ(number("d2 == nil and 1 or 0"), 1);
    EXPECT_EQ(number("d3 == DROPS.soldat[#DROPS.soldat] and 1 or 0"), 1);
    EXPECT_EQ(number("RollDrop('no such kind', fixed) == nil and 1 or 0"), 1);

    // the engine's call: counted by kind; a commander always carries something
    lua("ResetRndTable()");
    lua_getglobal(L_, "AddToRndTable");
    lua_pushlightuserdata(L_, kSoldier);
    lua_pushstring(L_, "red_commander");
    ASSERT_EQ(lua_pcall(L_, 2, 0, 0), 0) << lua_tostring(L_, -1);
    lua("AddToRndTable(nil, 'zombie_spawner') AddToRndTable(nil, 'thing from the next issue')");
    EXPECT_EQ(number("rndtable.counts.red_commander"), 1);
    EXPECT_EQ(number("rndtable.spawners"), 1);
    EXPECT_EQ(number("rndtable.counts['thing from the next issue']"), 1);

    lua_pushlightuserdata(L_, kSoldier);
    lua_setglobal(L_, "commander");
    items_.created.clear();
    lua("first = DropEnemyLoot(commander, 4, 5) second = DropEnemyLoot(commander, 4, 5)");
    ASSERT_EQ(items_.created.size(), 1u);
    EXPECT_EQ(items_.created[0].x, 4);
    EXPECT_EQ(items_.created[0].y, 5);
    EXPECT_EQ(number("first ~= nil and second == nil and 1 or 0"), 1);
    const std::string dropped = items_.created[0].name;
    bool listed = false;
    lua("list = DROPS.red_commander");
    for (int i = 2; i <= int(number("#list")); ++i) {
        lua("name = list[" + std::to_string(i) + "]");
        lua_getglobal(L_, "name");
        listed |= dropped == lua_tostring(L_, -1);
        lua_pop(L_, 1);
    }
    EXPECT_TRUE(listed) << dropped;
}

TEST_F(ItemScripts, CratesGetBetterDeeperIn)
{
    runAll();
    auto all = entries();
    lua("for _, e in ipairs(LOOT) do assert(itemtable[e[1]], 'loot names unknown item ' .. e[1]) end");
    lua("value = {} first = {} for _, e in ipairs(LOOT) do value[e[1]] = e[6] first[e[1]] = e[2] end");
    lua("crate = CreateContainer(0, 0, 0, 'spr_metallkast')");
    auto meanValue = [&](int level, const char* kind) {
        lua(std::string("math.randomseed(") + std::to_string(level * 31) + ")");
        lua(std::string("total, n, early, best = 0, 0, 0, 0 for i = 1, 400 do "
                        "local names = StockCrate(crate, ") + std::to_string(level) + ", '" + kind + "') "
            "local size = #names "
            "local lo, hi = CRATE_SIZE['" + kind + "'][1], CRATE_SIZE['" + kind + "'][2] "
            "if " + std::to_string(level) + " >= 6 then lo, hi = lo + 1, hi + 1 end "
            "assert(size >= lo and size <= hi, 'crate of ' .. size) "
            "for _, name in ipairs(names) do total = total + value[name] n = n + 1 best = math.max(best, value[name]) "
            "if first[name] > " + std::to_string(level) + " then early = early + 1 end end end");
        EXPECT_EQ(number("early"), 0) << "level " << level << " got items of deeper levels";
        // the first level hands out basics: nothing better than a pistol
        if (level == 1) {
            EXPECT_LE(number("best"), 3) << kind;
        }
        return number("total / n");
    };
    for (const char* kind : {"spr_puitkast", "spr_metallkast", "spr_hiteckast"}) {
        const double v1 = meanValue(1, kind), v5 = meanValue(5, kind), v10 = meanValue(10, kind);
        EXPECT_LT(v1, v5) << kind;
        EXPECT_LT(v5, v10) << kind;
    }
    EXPECT_LT(meanValue(7, "spr_puitkast"), meanValue(7, "spr_hiteckast"));
    // AddItem got exactly what StockCrate reported
    items_.crateItems.clear();
    lua("crate2 = CreateContainer(0, 0, 0, 'spr_hiteckast') names2 = StockCrate(crate2, 8, 'spr_hiteckast')");
    lua_getglobal(L_, "crate2");
    void* crate2 = lua_touserdata(L_, -1);
    lua_pop(L_, 1);
    ASSERT_EQ(double(items_.crateItems[crate2].size()), number("#names2"));
    for (const std::string& name : items_.crateItems[crate2])
        EXPECT_TRUE(all.count(name)) << name;
    EXPECT_EQ(number("LevelNumber('level7')"), 7);
    EXPECT_EQ(number("LevelNumber(3)"), 3);
    EXPECT_EQ(number("LevelNumber('menu')"), 1);
}

TEST_F(ItemScripts, WithLootStocksTheEmptyCratesABuildMakes)
{
    runAll();
    auto stockedLevel = [&](int level, int seed) {
        items_.crateItems.clear();
        lua("WithLoot(" + std::to_string(level) + ", " + std::to_string(seed) +
            ", function() CreateContainer(0, 0, 0, 'spr_metallkast') "
            "CreateContainer(1, 0, 0, 'spr_puitkast', 'tape') CreateContainer(2, 0, 0, 'spr_hiteckast') end)");
        std::vector<std::vector<std::string>> out;
        for (auto& [crate, names] : items_.crateItems)
            out.push_back(names);
        return out;
    };
    auto a = stockedLevel(1, 77);
    ASSERT_EQ(a.size(), 3u);
    // handles rise with creation, so the map keeps the order of the build
    EXPECT_GE(a[0].size(), 3u);
    EXPECT_EQ(a[0][0], "pistol") << "the first crate of the first level has the starting kit";
    EXPECT_EQ(a[0][1], "pistol ammo");
    EXPECT_EQ(a[1], std::vector<std::string>{"tape"}) << "a crate the module fills is left alone";
    EXPECT_GE(a[2].size(), 2u);
    // the same seed stocks the same way; the kit is only on level 1
    EXPECT_EQ(stockedLevel(1, 77), a);
    EXPECT_LE(a[0].size(), 5u);
    // The foundry's and the core's start crates hold a rifle with its rounds
    // first (a nearly full pack takes those) and a medkit; the core's stocks
    // up the stores for the finale besides.
    const std::vector<std::string> core = stockedLevel(10, 77).at(0);
    for (const char* name : {"automaat", "heavy mg", "energy cells", "rifle ammo", "ammo belt", "large medkit"})
        EXPECT_NE(std::find(core.begin(), core.end(), name), core.end()) << name;
    const std::vector<std::string> foundry = stockedLevel(7, 77).at(0);
    EXPECT_EQ(std::vector<std::string>(foundry.begin(), foundry.begin() + 3),
              (std::vector<std::string>{"automaat", "rifle ammo", "large medkit"}));
    // pistols are stocked up to level 3 only, so a pistol on level 4 is the kit
    for (int seed = 1; seed <= 20; ++seed) {
        auto b = stockedLevel(4, seed);
        ASSERT_EQ(b.size(), 3u);
        EXPECT_EQ(std::count(b[0].begin(), b[0].end(), "pistol"), 0) << "seed " << seed;
        // Up to three picks, and every weapon among them brings a pack of its rounds.
        size_t weapons = 0;
        for (const auto& crate : b)
            for (size_t i = 0; i < crate.size(); ++i) {
                const std::string ammo = lua_string("tostring(LOOT_GROUP['" + crate[i] + "'] == 'weapon' and AmmoFor('" +
                                                    crate[i] + "'))");
                if (ammo == "false" || ammo == "nil") continue;
                if (&crate == &b[0]) ++weapons;
                EXPECT_NE(std::find(crate.begin() + long(i), crate.end(), ammo), crate.end())
                    << crate[i] << " without " << ammo << ", seed " << seed;
            }
        EXPECT_LE(b[0].size(), 3u + weapons);
    }

    // CreateContainer is the engine's again afterwards, also after an error
    lua("engineCreate = CreateContainer");
    EXPECT_NE(luaL_dostring(L_, "WithLoot(2, 1, function() error('broken module') end)"), 0);
    EXPECT_NE(std::string(lua_tostring(L_, -1)).find("broken module"), std::string::npos);
    lua_pop(L_, 1);
    EXPECT_EQ(number("CreateContainer == engineCreate and 1 or 0"), 1);
    // and it starts a new level's drop records
    lua("rndtable.counts.zombie = 5 WithLoot(2, 1, function() end)");
    EXPECT_EQ(number("rndtable.counts.zombie or 0"), 0);
}
