#include "script/LuaValues.h"
#include "script/Console.h"
#include <cstdio>
#include <lua.hpp>

void PushScriptValue(lua_State* L, const ScriptValue& value)
{
    switch (value.type) {
    case ScriptValue::Type::Nil: lua_pushnil(L); break;
    case ScriptValue::Type::Boolean: lua_pushboolean(L, value.boolean); break;
    case ScriptValue::Type::Number: lua_pushnumber(L, value.number); break;
    case ScriptValue::Type::String: lua_pushlstring(L, value.text.data(), value.text.size()); break;
    case ScriptValue::Type::Pointer: lua_pushlightuserdata(L, value.pointer); break;
    }
}

ScriptValue ReadScriptValue(lua_State* L, int index)
{
    switch (lua_type(L, index)) {
    case LUA_TBOOLEAN: return ScriptValue::Bool(lua_toboolean(L, index));
    case LUA_TNUMBER: return ScriptValue::Number(lua_tonumber(L, index));
    case LUA_TSTRING: {
        size_t length = 0;
        const char* text = lua_tolstring(L, index, &length);
        return ScriptValue::String(std::string(text, length));
    }
    case LUA_TLIGHTUSERDATA: return ScriptValue::Pointer(lua_touserdata(L, index));
    default: return ScriptValue::Nil();
    }
}

void ReportScriptError(const char* message, ScriptErrors errors)
{
    if (!message) message = "(error object is not a string)";
    switch (errors) {
    case ScriptErrors::StdErr: std::fprintf(stderr, "%s\n", message); break;
    case ScriptErrors::StdErrAndConsole:
        std::fprintf(stderr, "%s\n", message);
        console.Append(std::string(message) + "\n");
        break;
    case ScriptErrors::Console: console.Append(std::string(message) + "\n"); break;
    case ScriptErrors::ConsoleNoBreak: console.Append(message); break;
    case ScriptErrors::Silent: break;
    }
}
