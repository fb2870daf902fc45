#include "script/ScriptTable.h"
#include "script/ScriptHost.h"
#include <climits>
#include <cmath>
#include <lua.hpp>

// Raw reads only: no metamethod may run here, since engine code calls these
// outside any protected call.
void TScriptTable::CopyTop(lua_State* L)
{
    lua_pushnil(L);
    while (lua_next(L, -2) != 0) {
        if (lua_type(L, -2) == LUA_TSTRING) {
            Field field;
            field.typeName = luaL_typename(L, -1);
            if (lua_isnumber(L, -1)) {
                field.isNumber = true;
                field.number = lua_tonumber(L, -1);
            }
            if (lua_isstring(L, -1)) {
                // Convert a copy: converting in place would upset lua_next.
                lua_pushvalue(L, -1);
                size_t length = 0;
                const char* text = lua_tolstring(L, -1, &length);
                field.isString = true;
                field.text.assign(text, length);
                lua_pop(L, 1);
            }
            fields[lua_tostring(L, -2)] = std::move(field);
        }
        lua_pop(L, 1);
    }
}

std::optional<TScriptTable> TScriptTable::ReadGlobal(const char* name)
{
    lua_State* L = luaState;
    if (!L) return std::nullopt;
    lua_getfield(L, LUA_GLOBALSINDEX, name);
    std::optional<TScriptTable> table;
    if (lua_istable(L, -1)) {
        table.emplace();
        table->where = name;
        table->CopyTop(L);
    }
    lua_pop(L, 1);
    return table;
}

std::optional<TScriptTable> TScriptTable::ReadEntry(const char* tableName, const std::string& key)
{
    lua_State* L = luaState;
    if (!L) return std::nullopt;
    lua_getfield(L, LUA_GLOBALSINDEX, tableName);
    if (!lua_istable(L, -1)) {
        lua_pop(L, 1);
        return std::nullopt;
    }
    lua_pushlstring(L, key.data(), key.size());
    lua_rawget(L, -2);
    std::optional<TScriptTable> table;
    if (lua_istable(L, -1)) {
        table.emplace();
        table->where = std::string(tableName) + "[\"" + key + "\"]";
        table->CopyTop(L);
    }
    lua_pop(L, 2);
    return table;
}

bool TScriptTable::Has(const std::string& key) const
{
    return fields.count(key) != 0;
}

bool TScriptTable::Fail(const std::string& key, const char* expected, std::string* error) const
{
    if (error) {
        auto it = fields.find(key);
        *error = where + "." + key + ": " + expected + " expected, got " +
                 (it == fields.end() ? std::string("nil") : it->second.typeName);
    }
    return false;
}

bool TScriptTable::GetNumber(const std::string& key, double* out, std::string* error) const
{
    auto it = fields.find(key);
    if (it == fields.end() || !it->second.isNumber) return Fail(key, "number", error);
    *out = it->second.number;
    return true;
}

bool TScriptTable::GetInteger(const std::string& key, int* out, std::string* error) const
{
    double value = 0.0;
    if (!GetNumber(key, &value, error)) return false;
    // Converting NaN or an out-of-range double to int is undefined: clamp first.
    if (std::isnan(value)) *out = 0;
    else if (value >= double(INT_MAX)) *out = INT_MAX;
    else if (value <= double(INT_MIN)) *out = INT_MIN;
    else *out = int(value);
    return true;
}

bool TScriptTable::GetString(const std::string& key, std::string* out, std::string* error) const
{
    auto it = fields.find(key);
    if (it == fields.end() || !it->second.isString) return Fail(key, "string", error);
    *out = it->second.text;
    return true;
}
