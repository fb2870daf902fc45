#include "level/ModuleFile.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "util/AtomicFile.h"
#include "util/UserStatePaths.h"
#include "world/Bitmap.h"
#include "world/GameObject.h"
#include "world/World.h"
#include <cctype>
#include <cstdio>

TModuleRect moduleRect;

namespace {

std::string Format(const char* format, const std::string& name, double value)
{
    char line[256];
    std::snprintf(line, sizeof line, format, name.c_str(), value);
    return line;
}

// A connection point of the module: the creation line of a node of kind 0
// already carries its position relative to the save origin and its angle.
bool ConnectionOf(const std::string& line, double* x, double* y, double* a)
{
    int kind = -1;
    if (std::sscanf(line.c_str(), "CreateNode(%lf,%lf,%lf,%d)", x, y, a, &kind) != 4) return false;
    return kind == 0;
}

} // namespace

bool IsModuleName(const std::string& name)
{
    if (name.empty() || name.size() > 63) return false;
    if (!std::isalpha(static_cast<unsigned char>(name[0])) && name[0] != '_') return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

std::string ModuleFileText(const TWorld& world, const std::string& name, const TModuleRect& rect)
{
    std::string text = "modlist." + name + "={}\n";
    text += Format("modlist.%s.w=%f\n", name, double(rect.minX) - double(rect.maxX));
    text += Format("modlist.%s.h=%f\n", name, double(rect.minY) - double(rect.maxY));
    text += "\n";

    std::string body;
    for (TGameObject* object : world.objects) {
        if (!object->selected) continue;
        const std::string line = object->GetCreateCommand();
        double x = 0, y = 0, a = 0;
        if (ConnectionOf(line, &x, &y, &a)) {
            char entry[256];
            std::snprintf(entry, sizeof entry, "table.insert(modlist.%s,{x=%f,y=%f,a=%f})\n", name.c_str(), x, y,
                          a);
            text += entry;
        }
        if (!line.empty()) body += "\t" + line;
    }
    for (TBitmap* bitmap : world.bitmaps) {
        if (!bitmap->selected) continue;
        const std::string line = bitmap->GetCreateCommand();
        if (!line.empty()) body += "\t" + line;
    }

    text += "\n";
    text += "function modlist." + name + ".CreateObjects()\n";
    text += body;
    text += "end\n";
    return text;
}

bool SelectionHasContent(const TWorld& world)
{
    for (TGameObject* object : world.objects)
        if (object->selected && !object->GetCreateCommand().empty()) return true;
    for (TBitmap* bitmap : world.bitmaps)
        if (bitmap->selected && !bitmap->GetCreateCommand().empty()) return true;
    return false;
}

bool SaveModule(const TWorld& world, const std::string& name)
{
    if (!IsModuleName(name)) {
        console.AppendF("Module not saved: \"%s\" is not a usable module name\n", name.c_str());
        return false;
    }
    // A room whose last build stopped part way (PlaceModule keeps why in
    // partlyBuiltModules) is in the world only up to the failing line: saved
    // over its file, the rest of the room would be gone for good.
    const ScriptValue stopped = GetTableField("partlyBuiltModules", name.c_str());
    if (stopped.Truthy()) {
        console.AppendF("Module not saved: %s stopped building part way, so only part of it is here:\n  %s\n"
                        "Mend its file and open it again, or save under another name (mname = \"...\")\n",
                        name.c_str(), stopped.type == ScriptValue::Type::String ? stopped.text.c_str() : "");
        return false;
    }
    // An empty module written over a room would lose the room.
    if (!SelectionHasContent(world)) {
        console.Append("Module not saved: nothing is selected (drag a rectangle round the room in the module editor, F3)\n");
        return false;
    }
    const std::string path = userStatePaths.ModuleWritePath(name);
    if (!WriteFileAtomically(path, ModuleFileText(world, name, moduleRect))) {
        console.AppendF("Module not saved: cannot write %s\n", path.c_str());
        return false;
    }
    console.AppendF("Module saved as %s\n", path.c_str());
    return true;
}
