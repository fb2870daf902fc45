#pragma once
#include "util/RecyclingAllocator.h"
#include <functional>
#include <map>
#include <optional>
#include <string>

struct lua_State;

// A script table copied into engine values, so engine code can read and check
// table entries without touching the Lua stack. Reads follow the interpreter's
// own checks: numbers accept numeric strings, strings accept numbers.
class TScriptTable {
public:
    // The table at global `table`[key]; nullopt when the global is not a table
    // or the entry is not a table.
    static std::optional<TScriptTable> ReadEntry(const char* table, const std::string& key);
    // The table held by a global.
    static std::optional<TScriptTable> ReadGlobal(const char* name);

    bool Has(const std::string& key) const;
    // Checked reads. On a missing key or a wrong type they return false and
    // write "<where>.<key>: number expected, got <type>" (or "string expected")
    // into *error, where `where` names the table in the message.
    bool GetNumber(const std::string& key, double* out, std::string* error) const;
    // A number truncated toward zero (clamped to the int range; NaN reads as 0).
    bool GetInteger(const std::string& key, int* out, std::string* error) const;
    bool GetString(const std::string& key, std::string* out, std::string* error) const;

    // Shown in error messages, e.g. objectlist["barrel"].
    std::string where;

private:
    struct Field {
        std::string typeName;  // the interpreter's type name
        bool isNumber = false; // a number or a numeric string
        double number = 0.0;
        bool isString = false; // a string or a number
        std::string text;
    };
    bool Fail(const std::string& key, const char* expected, std::string* error) const;
    // Copies the string-keyed fields of the table on top of the stack.
    void CopyTop(lua_State* L);
    // Items read their entry each time one is made (an enemy's drop): the
    // nodes are recycled.
    std::map<std::string, Field, std::less<std::string>,
             TRecyclingAllocator<std::pair<const std::string, Field>>>
        fields;
};
