#include "util/LuaQuoted.h"
#include <cstdio>

std::string LuaQuoted(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 32 || c == 127) {
            // Always three digits, so a digit after the escape is not read into it.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03d", int(c));
            out += escape;
        } else {
            out += char(c);
        }
    }
    out += '"';
    return out;
}
