#include "player/items/ItemFactory.h"
#include "player/items/Item.h"
#include "script/ScriptHost.h"
#include "world/CreationTransform.h"
#include <cstdio>

TItem* CreateItemByName(float x, float y, const std::string& name)
{
    const b2Vec2 at = creationTransform.Apply(x, y);
    const std::optional<std::vector<ScriptValue>> results = CallScriptFunction(
        "CreateItem",
        {ScriptValue::Number(at.x), ScriptValue::Number(at.y), ScriptValue::String(name)}, 1,
        ScriptErrors::Console);
    // A missing resolver or a script error has been reported to the console.
    if (!results) return nullptr;
    TItem* item = nullptr;
    if (!results->empty() && (*results)[0].type == ScriptValue::Type::Pointer)
        item = ObjectFromHandleAs<TItem>((*results)[0].pointer);
    if (!item) std::fprintf(stderr, "ERROR: item \"%s\" not defined\n", name.c_str());
    return item;
}
