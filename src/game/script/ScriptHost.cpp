#include "script/ScriptHost.h"
#include "script/ApiRegistry.h"
#include "script/LuaValues.h"
#include "script/Console.h"
#include "util/UserStatePaths.h"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <lua.hpp>

lua_State* luaState = nullptr;

namespace {

int Panic(lua_State* L)
{
    std::fprintf(stderr, "ERROR: unprotected script error: %s\n", lua_tostring(L, -1));
    return 0;
}

// Calls the chunk or function on top of the stack with `argCount` arguments above it,
// keeping up to `results` results on the stack. Reports and pops the error on failure.
bool ProtectedCall(lua_State* L, int argCount, int results, ScriptErrors errors)
{
    if (lua_pcall(L, argCount, results, 0) != 0) {
        ReportScriptError(lua_tostring(L, -1), errors);
        lua_pop(L, 1);
        return false;
    }
    return true;
}

// Pushes the global `name`, or `table.name` for a dotted name; nil when missing.
void PushGlobalPath(lua_State* L, const std::string& name)
{
    const size_t dot = name.find('.');
    if (dot == std::string::npos) {
        lua_getglobal(L, name.c_str());
        return;
    }
    lua_getglobal(L, name.substr(0, dot).c_str());
    if (!lua_istable(L, -1)) return;
    lua_getfield(L, -1, name.substr(dot + 1).c_str());
    lua_remove(L, -2);
}

// Pushes settings.keys, or nil.
void PushKeysTable(lua_State* L)
{
    lua_getglobal(L, "settings");
    if (!lua_istable(L, -1)) return;
    lua_getfield(L, -1, "keys");
    lua_remove(L, -2);
}

bool (*scriptStopRequest)() = nullptr;
constexpr int kInstructionsBetweenStopChecks = 10000;

void StopIfRequested(lua_State* L, lua_Debug*)
{
    if (scriptStopRequest && scriptStopRequest()) luaL_error(L, "script stopped: the game is ending");
}

} // namespace

void StopScriptsWhen(bool (*shouldStop)())
{
    scriptStopRequest = shouldStop;
    if (!luaState) return;
    if (shouldStop)
        lua_sethook(luaState, StopIfRequested, LUA_MASKCOUNT, kInstructionsBetweenStopChecks);
    else
        lua_sethook(luaState, nullptr, 0, 0);
}

void StartScriptHost()
{
    lua_State* L = luaL_newstate();
    luaState = L;
    luaL_openlibs(L);
    RegisterEngineApi(L);
    lua_atpanic(L, Panic);

    // On the console too, as every start-up script's errors are (and where
    // --check hears them).
    RunScriptFile("luainit.lua", ScriptErrors::StdErrAndConsole);
    // A first start has no settings yet (luainit.lua holds the defaults); only a
    // settings file that is there and broken is worth a message. A broken one
    // is the player's to mend: SaveSettings leaves it as it is (brokenSettingsFile).
    const std::string settingsPath = userStatePaths.ReadPath("settings.lua");
    if (std::filesystem::exists(settingsPath) && !RunScriptFile(settingsPath, ScriptErrors::StdErrAndConsole)) {
        lua_pushstring(L, settingsPath.c_str());
        lua_setglobal(L, "brokenSettingsFile");
        std::fprintf(stderr,
                     "%s did not load: this run uses the default settings and leaves the file as it is "
                     "(mend or remove it to have settings saved again)\n",
                     settingsPath.c_str());
    }
    // Whatever the file held, every setting the engine reads is there and sound.
    if (ScriptFunctionExists("CheckSettings")) CallScriptFunction("CheckSettings", {}, 0, ScriptErrors::StdErr);
}

void StopScriptHost()
{
    if (luaState) lua_close(luaState);
    luaState = nullptr;
}

bool RunScriptFile(const std::string& path, ScriptErrors errors)
{
    lua_State* L = luaState;
    if (!L) return false;
    const int top = lua_gettop(L);
    if (luaL_loadfile(L, path.c_str()) != 0) {
        ReportScriptError(lua_tostring(L, -1), errors);
        lua_settop(L, top);
        return false;
    }
    const bool ok = ProtectedCall(L, 0, LUA_MULTRET, errors);
    lua_settop(L, top);
    return ok;
}

bool RunStartupScript(const std::string& name)
{
    bool ok = RunScriptFile(name, ScriptErrors::StdErrAndConsole);
    const std::string own = userStatePaths.OwnContent(name);
    if (own.empty()) return ok;
    if (RunScriptFile(own, ScriptErrors::StdErrAndConsole)) return ok;
    // Lua shortens long file names in its messages: say in full which file it was.
    const std::string note = own + " stopped there; the shipped " + name + " is in use\n";
    std::fprintf(stderr, "%s", note.c_str());
    console.Append(note);
    return false;
}

bool RunScriptString(const std::string& code, ScriptErrors errors, const char* chunkName)
{
    lua_State* L = luaState;
    if (!L) return false;
    const int top = lua_gettop(L);
    if (luaL_loadbuffer(L, code.data(), code.size(), chunkName) != 0) {
        ReportScriptError(lua_tostring(L, -1), errors);
        lua_settop(L, top);
        return false;
    }
    const bool ok = ProtectedCall(L, 0, LUA_MULTRET, errors);
    lua_settop(L, top);
    return ok;
}

std::optional<std::vector<ScriptValue>> CallScriptFunction(const std::string& name,
                                                           std::initializer_list<ScriptValue> args,
                                                           int results, ScriptErrors errors)
{
    lua_State* L = luaState;
    if (!L) return std::nullopt;
    const int top = lua_gettop(L);
    PushGlobalPath(L, name);
    if (!lua_isfunction(L, -1)) {
        lua_settop(L, top);
        ReportScriptError(("script function '" + name + "' is not defined").c_str(), errors);
        return std::nullopt;
    }
    lua_checkstack(L, static_cast<int>(args.size()) + results + 2);
    for (const ScriptValue& arg : args) PushScriptValue(L, arg);
    if (!ProtectedCall(L, static_cast<int>(args.size()), results, errors)) {
        lua_settop(L, top);
        return std::nullopt;
    }
    std::vector<ScriptValue> values;
    for (int i = 0; i < results; ++i) values.push_back(ReadScriptValue(L, top + 1 + i));
    lua_settop(L, top);
    return values;
}

bool ScriptFunctionExists(const std::string& name)
{
    lua_State* L = luaState;
    if (!L) return false;
    const int top = lua_gettop(L);
    PushGlobalPath(L, name);
    const bool exists = lua_isfunction(L, -1);
    lua_settop(L, top);
    return exists;
}

bool CallScriptRef(int ref, ScriptErrors errors)
{
    lua_State* L = luaState;
    if (!L || ref == kNoScriptRef) return false;
    const int top = lua_gettop(L);
    lua_rawgeti(L, LUA_REGISTRYINDEX, ref);
    const bool ok = ProtectedCall(L, 0, 0, errors);
    lua_settop(L, top);
    return ok;
}

int MakeScriptRef(lua_State* L, int index)
{
    if (lua_isnoneornil(L, index)) return kNoScriptRef;
    lua_pushvalue(L, index);
    return luaL_ref(L, LUA_REGISTRYINDEX);
}

void ReleaseScriptRef(int ref)
{
    if (luaState && ref != kNoScriptRef) luaL_unref(luaState, LUA_REGISTRYINDEX, ref);
}

void* ResolveScriptName(const char* resolver, const char* name)
{
    // Sprites and sounds are looked up many times a frame: straight on the Lua
    // stack, without building argument and result lists on the heap.
    lua_State* L = luaState;
    if (!L || !resolver || !name) return nullptr;
    const int top = lua_gettop(L);
    lua_getglobal(L, resolver);
    if (!lua_isfunction(L, -1)) {
        lua_settop(L, top);
        return nullptr;
    }
    lua_pushstring(L, name);
    void* handle = nullptr;
    if (ProtectedCall(L, 1, 1, ScriptErrors::Silent) && lua_islightuserdata(L, -1))
        handle = lua_touserdata(L, -1);
    lua_settop(L, top);
    return handle;
}

namespace {

// Pushes `table`[index]; nil when the global is not a table.
void PushTableEntry(lua_State* L, const char* table, int index)
{
    lua_getglobal(L, table);
    if (lua_istable(L, -1)) lua_rawgeti(L, -1, index);
    else lua_pushnil(L);
    lua_remove(L, -2);
}

} // namespace

ScriptValue GetTableEntry(const char* table, int index)
{
    lua_State* L = luaState;
    if (!L) return ScriptValue::Nil();
    PushTableEntry(L, table, index);
    ScriptValue value = ReadScriptValue(L, -1);
    lua_pop(L, 1);
    return value;
}

std::vector<std::string> GetTableKeys(const char* table)
{
    std::vector<std::string> keys;
    lua_State* L = luaState;
    if (!L) return keys;
    lua_getglobal(L, table);
    if (lua_istable(L, -1)) {
        lua_pushnil(L);
        // Raw traversal; only string keys are copied (lua_tostring on a number
        // key would confuse lua_next).
        while (lua_next(L, -2) != 0) {
            if (lua_type(L, -2) == LUA_TSTRING) keys.emplace_back(lua_tostring(L, -2));
            lua_pop(L, 1);
        }
    }
    lua_pop(L, 1);
    std::sort(keys.begin(), keys.end());
    return keys;
}

ScriptValue GetTableField(const char* table, const char* field)
{
    lua_State* L = luaState;
    if (!L) return ScriptValue::Nil();
    lua_getglobal(L, table);
    ScriptValue value;
    if (lua_istable(L, -1)) {
        // Raw: a metamethod could raise an error here, outside any protected call.
        lua_pushstring(L, field);
        lua_rawget(L, -2);
        value = ReadScriptValue(L, -1);
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
    return value;
}

EntryCall CallTableEntry(const char* table, int index, ScriptErrors errors)
{
    lua_State* L = luaState;
    if (!L) return EntryCall::NotAFunction;
    const int top = lua_gettop(L);
    PushTableEntry(L, table, index);
    if (!lua_isfunction(L, -1)) {
        lua_settop(L, top);
        return EntryCall::NotAFunction;
    }
    const bool ok = ProtectedCall(L, 0, 0, errors);
    lua_settop(L, top);
    return ok ? EntryCall::Done : EntryCall::Failed;
}

void SetGlobalNumber(const char* name, double value)
{
    if (!luaState) return;
    lua_pushnumber(luaState, value);
    lua_setglobal(luaState, name);
}

void SetGlobalString(const char* name, const std::string& value)
{
    if (!luaState) return;
    lua_pushlstring(luaState, value.data(), value.size());
    lua_setglobal(luaState, name);
}

std::optional<std::string> GetGlobalString(const char* name)
{
    lua_State* L = luaState;
    if (!L) return std::nullopt;
    lua_getglobal(L, name);
    std::optional<std::string> value;
    if (lua_type(L, -1) == LUA_TSTRING) {
        size_t length = 0;
        const char* text = lua_tolstring(L, -1, &length);
        value = std::string(text, length);
    }
    lua_pop(L, 1);
    return value;
}

namespace {

// settings[name] read by `read` (which finds the value on top of the stack);
// `fallback` without a settings table.
template <typename T, typename Read>
T ReadSetting(const char* name, T fallback, Read read)
{
    lua_State* L = luaState;
    if (!L) return fallback;
    lua_getglobal(L, "settings");
    T value = fallback;
    if (lua_istable(L, -1)) {
        lua_getfield(L, -1, name);
        value = read(L, fallback);
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
    return value;
}

}  // namespace

bool GetSettingBool(const char* name)
{
    return ReadSetting(name, false, [](lua_State* L, bool) { return lua_toboolean(L, -1) != 0; });
}

double GetSettingNumber(const char* name, double fallback)
{
    return ReadSetting(name, fallback, [](lua_State* L, double otherwise) {
        return lua_type(L, -1) == LUA_TNUMBER ? double(lua_tonumber(L, -1)) : otherwise;
    });
}

std::string GetSettingString(const char* name, const std::string& fallback)
{
    return ReadSetting(name, fallback, [](lua_State* L, const std::string& otherwise) {
        return lua_type(L, -1) == LUA_TSTRING ? std::string(lua_tostring(L, -1)) : otherwise;
    });
}

void SetSettingBool(const char* name, bool value)
{
    lua_State* L = luaState;
    if (!L) return;
    lua_getglobal(L, "settings");
    if (lua_istable(L, -1)) {
        lua_pushboolean(L, value);
        lua_setfield(L, -2, name);
    }
    lua_pop(L, 1);
}

int GetKeyBinding(const char* name)
{
    lua_State* L = luaState;
    if (!L) return 0;
    const int top = lua_gettop(L);
    PushKeysTable(L);
    int code = 0;
    if (lua_istable(L, -1)) {
        lua_getfield(L, -1, name);
        if (lua_type(L, -1) == LUA_TNUMBER) code = static_cast<int>(lua_tointeger(L, -1));
    }
    lua_settop(L, top);
    return code;
}

void SetKeyBinding(const char* name, int code)
{
    lua_State* L = luaState;
    if (!L) return;
    const int top = lua_gettop(L);
    // A settings script that lost its tables gets them back rather than losing the binding.
    lua_getglobal(L, "settings");
    if (!lua_istable(L, -1)) {
        lua_pop(L, 1);
        lua_newtable(L);
        lua_pushvalue(L, -1);
        lua_setglobal(L, "settings");
    }
    lua_getfield(L, -1, "keys");
    if (!lua_istable(L, -1)) {
        lua_pop(L, 1);
        lua_newtable(L);
        lua_pushvalue(L, -1);
        lua_setfield(L, -3, "keys");
    }
    lua_pushinteger(L, code);
    lua_setfield(L, -2, name);
    lua_settop(L, top);
}
