#include "script/Handles.h"
#include <lua.hpp>
#include <unordered_map>

namespace {
std::unordered_map<const void*, HandleKind>& LiveHandles()
{
    static std::unordered_map<const void*, HandleKind> handles;
    return handles;
}
}

void RegisterHandle(const void* pointer, HandleKind kind)
{
    if (pointer) LiveHandles()[pointer] = kind;
}

void UnregisterHandle(const void* pointer)
{
    LiveHandles().erase(pointer);
}

bool IsHandle(const void* pointer, HandleKind kind)
{
    if (!pointer) return false;
    auto it = LiveHandles().find(pointer);
    return it != LiveHandles().end() && it->second == kind;
}

void* CheckHandle(lua_State* L, int index, HandleKind kind)
{
    if (!lua_islightuserdata(L, index)) return nullptr;
    void* pointer = lua_touserdata(L, index);
    return IsHandle(pointer, kind) ? pointer : nullptr;
}
