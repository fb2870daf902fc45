#include "world/ObjectDefinition.h"
#include "script/ScriptTable.h"

std::optional<TObjectDefinition> TObjectDefinition::Read(const std::string& name,
                                                         std::string* error, bool* unknown)
{
    if (unknown) *unknown = false;
    const std::optional<TScriptTable> entry = TScriptTable::ReadEntry("objectlist", name);
    if (!entry) {
        if (unknown) *unknown = true;
        if (error) *error = "objectlist[\"" + name + "\"] is not an object definition";
        return std::nullopt;
    }
    // The keys are checked in this order; the first bad one is reported.
    TObjectDefinition d;
    const bool ok = entry->GetInteger("collision", &d.collision, error) &&
                    entry->GetInteger("depth", &d.depth, error) &&
                    entry->GetInteger("frame", &d.frame, error) &&
                    entry->GetInteger("rectangle", &d.rectangle, error) &&
                    entry->GetInteger("fovshadows", &d.fovshadows, error) &&
                    entry->GetInteger("material", &d.material, error) &&
                    entry->GetString("sprite", &d.sprite, error) &&
                    entry->GetNumber("rw", &d.rw, error) &&
                    entry->GetNumber("rh", &d.rh, error) &&
                    entry->GetNumber("shadowdist", &d.shadowdist, error) &&
                    entry->GetNumber("mass", &d.mass, error);
    if (!ok) return std::nullopt;
    return d;
}
