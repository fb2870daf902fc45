#pragma once
#include "script/ScriptHost.h"
#include "script/ScriptValue.h"
#include <optional>
#include <string>
#include <vector>

// Script glue for items programmed in Lua: callbacks kept from their itemtable
// entry and the per-item data table `itemdata`. The item classes call these
// instead of touching the Lua stack. Table entries are read and written raw,
// so a script's metatables cannot raise errors outside a protected call.

// What a callback gave back: its results, and the interpreter's type name of
// each ("nil", "number", "table", ...), so the caller can tell a table or a
// function from nothing and report it.
struct ScriptCallResult {
    std::vector<ScriptValue> values;
    std::vector<std::string> types;
};

// Keeps global `table`[key][field] as a registry reference, whatever value it
// holds; kNoScriptRef when it is nil or any table on the way is missing.
int MakeEntryFieldRef(const char* table, const std::string& key, const char* field);

// Calls the value behind a registry reference, protected, with the arguments,
// and returns its first `results` results. nullopt when the reference is
// kNoScriptRef or the call raised an error (reported as `errors` says).
std::optional<ScriptCallResult> CallScriptRefWith(int ref, const std::vector<ScriptValue>& args,
                                                  int results, ScriptErrors errors);

// Per-object data kept in the global table `table` keyed by the object as a
// light userdata. False when the global is not a table.
bool SetObjectDataTable(const char* table, const void* object);  // entry = {}
bool ClearObjectData(const char* table, const void* object);      // entry = nil

// Calls global `function`(`table`[object]) protected and returns its first
// result as text; nullopt when the function is missing, failed (reported as
// `errors` says) or returned something that is not a string or number.
std::optional<std::string> CallWithObjectData(const char* function, const char* table,
                                              const void* object, ScriptErrors errors);
