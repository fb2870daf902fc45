#include "script/ItemScript.h"
#include "script/LuaValues.h"
#include <lua.hpp>

int MakeEntryFieldRef(const char* table, const std::string& key, const char* field)
{
    lua_State* L = luaState;
    if (!L) return kNoScriptRef;
    const int top = lua_gettop(L);
    int ref = kNoScriptRef;
    lua_getglobal(L, table);
    if (lua_istable(L, -1)) {
        lua_pushlstring(L, key.data(), key.size());
        lua_rawget(L, -2);
        if (lua_istable(L, -1)) {
            lua_pushstring(L, field);
            lua_rawget(L, -2);
            if (!lua_isnil(L, -1)) ref = luaL_ref(L, LUA_REGISTRYINDEX);
        }
    }
    lua_settop(L, top);
    return ref;
}

std::optional<ScriptCallResult> CallScriptRefWith(int ref, const std::vector<ScriptValue>& args,
                                                  int results, ScriptErrors errors)
{
    lua_State* L = luaState;
    if (!L || ref == kNoScriptRef) return std::nullopt;
    const int top = lua_gettop(L);
    if (!lua_checkstack(L, int(args.size()) + results + 2)) return std::nullopt;
    lua_rawgeti(L, LUA_REGISTRYINDEX, ref);
    for (const ScriptValue& arg : args) PushScriptValue(L, arg);
    if (lua_pcall(L, int(args.size()), results, 0) != 0) {
        ReportScriptError(lua_tostring(L, -1), errors);
        lua_settop(L, top);
        return std::nullopt;
    }
    ScriptCallResult result;
    for (int i = 0; i < results; ++i) {
        result.values.push_back(ReadScriptValue(L, top + 1 + i));
        result.types.push_back(luaL_typename(L, top + 1 + i));
    }
    lua_settop(L, top);
    return result;
}

namespace {

// table[object] = {} when fresh, nil otherwise.
bool SetObjectDataEntry(const char* table, const void* object, bool fresh)
{
    lua_State* L = luaState;
    if (!L) return false;
    const int top = lua_gettop(L);
    lua_getglobal(L, table);
    const bool ok = lua_istable(L, -1);
    if (ok) {
        lua_pushlightuserdata(L, const_cast<void*>(object));
        if (fresh)
            lua_newtable(L);
        else
            lua_pushnil(L);
        lua_rawset(L, -3);
    }
    lua_settop(L, top);
    return ok;
}

}  // namespace

bool SetObjectDataTable(const char* table, const void* object) { return SetObjectDataEntry(table, object, true); }

bool ClearObjectData(const char* table, const void* object) { return SetObjectDataEntry(table, object, false); }

std::optional<std::string> CallWithObjectData(const char* function, const char* table,
                                              const void* object, ScriptErrors errors)
{
    lua_State* L = luaState;
    if (!L) return std::nullopt;
    const int top = lua_gettop(L);
    lua_getglobal(L, function);
    if (!lua_isfunction(L, -1)) {
        lua_settop(L, top);
        ReportScriptError((std::string("script function '") + function + "' is not defined").c_str(), errors);
        return std::nullopt;
    }
    lua_getglobal(L, table);
    if (lua_istable(L, -1)) {
        lua_pushlightuserdata(L, const_cast<void*>(object));
        lua_rawget(L, -2);
        lua_remove(L, -2);
    } else {
        lua_pop(L, 1);
        lua_pushnil(L);
    }
    if (lua_pcall(L, 1, 1, 0) != 0) {
        ReportScriptError(lua_tostring(L, -1), errors);
        lua_settop(L, top);
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (lua_type(L, -1) == LUA_TSTRING || lua_type(L, -1) == LUA_TNUMBER) {
        size_t length = 0;
        const char* s = lua_tolstring(L, -1, &length);
        text = std::string(s, length);
    }
    lua_settop(L, top);
    return text;
}
