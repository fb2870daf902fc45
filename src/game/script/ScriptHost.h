#pragma once
#include "script/ScriptValue.h"
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

struct lua_State;

// The one interpreter state of the run, created by StartScriptHost and never closed.
extern lua_State* luaState;

// Where a failing script call reports its message.
enum class ScriptErrors {
    StdErr,          // "%s\n" on the standard error stream (CheckSettings, the tools)
    StdErrAndConsole,  // both: the start-up scripts and settings.lua, whose mistakes a modder
                       // looks for on the console
    Console,         // message and "\n" on the console (init.lua, callbacks, levels)
    ConsoleNoBreak,  // message only (console input)
    Silent,          // nothing (SaveSettings at exit)
};

// Creates the state, opens the standard libraries and the gl table, registers the
// engine API, then runs luainit.lua and settings.lua.
void StartScriptHost();
// Closes the state; only tests use it, the game keeps its state to the end.
void StopScriptHost();

// While `shouldStop` answers true, a running script raises an error at its next
// check (every few thousand instructions), so one caught in an endless loop
// cannot keep the game from ending. Null turns the checks off again.
void StopScriptsWhen(bool (*shouldStop)());

// Loads a file as a chunk and calls it protected. False when loading or running failed.
bool RunScriptFile(const std::string& path, ScriptErrors errors);
// Runs the start-up script `name` (gfx.lua, objects.lua, relvad.lua, ...): the
// shipped file, then the player's content/`name` when there is one, so that
// it can add to or change what the shipped one made. Errors go to the
// standard error stream and the console, a player's file named by its path.
// False when either failed.
bool RunStartupScript(const std::string& name);
// Loads a string as a chunk and calls it protected.
bool RunScriptString(const std::string& code, ScriptErrors errors, const char* chunkName = "=input");

// Calls the global function `name` (or `table.name` when given as "table.name")
// protected, with the arguments, and returns its first `results` results; nullopt
// when it is missing or raised an error (reported as `errors` says).
std::optional<std::vector<ScriptValue>> CallScriptFunction(const std::string& name,
                                                           std::initializer_list<ScriptValue> args,
                                                           int results, ScriptErrors errors);
// True when the scripts define the global function `name` (optional hooks).
bool ScriptFunctionExists(const std::string& name);
// Calls a function kept as a registry reference (menu callbacks and the like).
bool CallScriptRef(int ref, ScriptErrors errors);
// Keeps the value at the given stack index as a registry reference; -2 for nil.
int MakeScriptRef(lua_State* L, int index);
void ReleaseScriptRef(int ref);
constexpr int kNoScriptRef = -2;

// Calls a name resolver such as GetTexture(name) and returns its light userdata,
// or null when the script returned anything else or failed. Prints nothing.
void* ResolveScriptName(const char* resolver, const char* name);

// Entries of global tables, for engine code that reads script-built tables
// by number (the script-driven editor's commands and sprites): the value of
// `table`[index] or `table`.`field`, nil when the global is not a table.
ScriptValue GetTableEntry(const char* table, int index);
ScriptValue GetTableField(const char* table, const char* field);
// The string keys of global `table`, sorted; empty when it is not a table.
std::vector<std::string> GetTableKeys(const char* table);
// Calls `table`[index] with no arguments, protected, when it is a function.
enum class EntryCall { NotAFunction, Done, Failed };
EntryCall CallTableEntry(const char* table, int index, ScriptErrors errors);
void SetGlobalNumber(const char* name, double value);
void SetGlobalString(const char* name, const std::string& value);

// Reads a global string safely: nullopt when missing or not a string.
std::optional<std::string> GetGlobalString(const char* name);

// The settings table.
bool GetSettingBool(const char* name);
// A number or a string of the settings table; `fallback` when it is not one.
double GetSettingNumber(const char* name, double fallback);
std::string GetSettingString(const char* name, const std::string& fallback);
void SetSettingBool(const char* name, bool value);
int GetKeyBinding(const char* name);
void SetKeyBinding(const char* name, int code);
