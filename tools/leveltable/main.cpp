// leveltable <data dir> <output file>: writes the table of each level's
// enemies and crate loot (docs/levels.md), built from the level scripts the
// way the game builds them, without a window or sound.
#include "core/Game.h"
#include "script/ScriptHost.h"
#include "util/AtomicFile.h"
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: leveltable <data dir> <leveltable.lua> <output file>\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path script = fs::absolute(argv[2]);
    const fs::path output = fs::absolute(argv[3]);
    std::error_code error;
    fs::current_path(argv[1], error);
    if (error) {
        std::fprintf(stderr, "leveltable: cannot enter \"%s\": %s\n", argv[1], error.message().c_str());
        return 1;
    }
    StartScriptHost();
    // No stats of its own: a name that is never there.
    game = new TGame("leveltable-has-no-stats");
    game->SetUp();
    bool ok = true;
    for (const char* file : {"objects.lua", "relvad.lua", "levels.lua"}) ok = RunScriptFile(file, ScriptErrors::StdErr) && ok;
    ok = RunScriptFile(script.string(), ScriptErrors::StdErr) && ok;
    const auto text = CallScriptFunction("LevelTableMarkdown", {}, 1, ScriptErrors::StdErr);
    if (!ok || !text || text->empty() || (*text)[0].type != ScriptValue::Type::String) {
        std::fprintf(stderr, "leveltable: the level scripts did not build the table\n");
        return 1;
    }
    return WriteFileAtomically(output.string(), (*text)[0].text, "level table") ? 0 : 1;
}
