#include "script/Handles.h"
#include <lua.hpp>
#include "util/RecyclingAllocator.h"
#include <functional>
#include <unordered_map>

namespace {
// Every object made or destroyed passes through here: nodes are recycled.
using THandleTable = std::unordered_map<const void*, HandleKind, std::hash<const void*>, std::equal_to<const void*>,
                                        TRecyclingAllocator<std::pair<const void* const, HandleKind>>>;

THandleTable& LiveHandles()
{
    static THandleTable handles;
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
