#pragma once
#include <string>

// A Lua value handed between the engine and the scripts without the engine
// touching the Lua stack: nil, boolean, number, string or light userdata.
struct ScriptValue {
    enum class Type { Nil, Boolean, Number, String, Pointer };

    Type type = Type::Nil;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    void* pointer = nullptr;

    static ScriptValue Nil() { return {}; }
    static ScriptValue Bool(bool b) { ScriptValue v; v.type = Type::Boolean; v.boolean = b; return v; }
    static ScriptValue Number(double n) { ScriptValue v; v.type = Type::Number; v.number = n; return v; }
    static ScriptValue String(std::string s) { ScriptValue v; v.type = Type::String; v.text = std::move(s); return v; }
    static ScriptValue Pointer(void* p) { ScriptValue v; v.type = Type::Pointer; v.pointer = p; return v; }

    // Lua truth: everything but nil and false.
    bool Truthy() const { return type != Type::Nil && !(type == Type::Boolean && !boolean); }
};
