#include "script/ApiDocs.h"
#include <algorithm>

TApiDocs apiDocs;

namespace {

// "(x, y) -> object" as its arguments "(x, y)" and results "object".
void SplitCall(const std::string& call, std::string* arguments, std::string* results)
{
    const size_t arrow = call.find(" -> ");
    *arguments = call.substr(0, arrow);
    *results = arrow == std::string::npos ? "" : call.substr(arrow + 4);
}

// A table cell: a "|" would end the cell early.
std::string Cell(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '|') out += '\\';
        out += c;
    }
    return out;
}

} // namespace

void TApiDocs::BeginGroup(const std::string& title, const std::string& about)
{
    currentGroup = title;
    const bool known = std::any_of(groups.begin(), groups.end(), [&](const Group& g) { return g.title == title; });
    if (!known) groups.push_back({title, about});
}

void TApiDocs::Add(const std::string& table, const std::string& name, const char* call, const char* description)
{
    for (const Entry& entry : entries)
        if (entry.table == table && entry.name == name) return;
    entries.push_back({currentGroup, table, name, call ? call : "", description ? description : ""});
}

void TApiDocs::Clear()
{
    groups.clear();
    entries.clear();
    currentGroup.clear();
}

std::string TApiDocs::Markdown() const
{
    std::string page =
        "# The engine's Lua functions\n"
        "\n"
        "Every function the engine gives the scripts, by subsystem, in the order it\n"
        "registers them. Written from the registrations in `src/game/script/`\n"
        "(`cmake --build build --target lua_api_doc`); do not edit by hand.\n"
        "\n"
        "A call reads `Name(arguments) -> results`; `[...]` is optional. Positions\n"
        "and sizes are in world units of 12 pixels unless a line says otherwise; an\n"
        "object handle that is stale or of the wrong kind gives the function's\n"
        "\":invalid pointer\" message on the console, or a script error, and nothing\n"
        "else happens. Names beginning with `_` are the shipped scripts' building\n"
        "blocks: content calls the helpers made from them (`AddSprite`, `AddSound`,\n"
        "`weapon`, ...), which check what they are given.\n";
    for (const Group& group : groups) {
        page += "\n## " + group.title + "\n\n" + group.about + "\n\n";
        page += "| Function | Results | What it does |\n|---|---|---|\n";
        for (const Entry& entry : entries) {
            if (entry.group != group.title) continue;
            std::string arguments, results;
            SplitCall(entry.call, &arguments, &results);
            const std::string name = entry.table.empty() ? entry.name : entry.table + "." + entry.name;
            page += "| `" + Cell(name + arguments) + "` | " + Cell(results) + " | " + Cell(entry.description) + " |\n";
        }
    }
    return page;
}
