#pragma once
#include <string>

// Text as a Lua string literal, quotes included: quotes and backslashes get a
// backslash, control bytes become \ddd. Plain names come out as "name", so
// creation lines written before names were escaped read the same.
std::string LuaQuoted(const std::string& text);
