// luaapi <output file>: writes docs/lua-api.md, the engine's script functions
// as their registrations document them, without a window, sound or data.
#include "script/ApiDocs.h"
#include "script/ApiRegistry.h"
#include "util/AtomicFile.h"
#include <cstdio>
#include <lua.hpp>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: luaapi <output file>\n");
        return 2;
    }
    lua_State* L = luaL_newstate();
    apiDocs.Clear();
    RegisterEngineApi(L);
    lua_close(L);
    return WriteFileAtomically(argv[1], apiDocs.Markdown(), "script API page") ? 0 : 1;
}
