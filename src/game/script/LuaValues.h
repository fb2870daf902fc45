#pragma once
#include "script/ScriptHost.h"
#include "script/ScriptValue.h"

struct lua_State;

// The few stack operations every script binding helper shares: moving values
// between ScriptValue and the Lua stack, and reporting a script's error.
void PushScriptValue(lua_State* L, const ScriptValue& value);
ScriptValue ReadScriptValue(lua_State* L, int index);
void ReportScriptError(const char* message, ScriptErrors errors);
