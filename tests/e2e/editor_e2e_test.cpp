// The module editor in the real game: a shipped room chosen from the F12 list,
// selected with a drag, moved, turned a quarter, duplicated, the originals
// deleted, saved with F7; then a fresh start builds the saved room with every
// piece where the quarter turn put it.
#include "GameRun.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

namespace {

constexpr double kQuarter = 1.5707963267948966;

// A creation line as its function and numbers, the quoted name kept as text.
struct Piece {
    std::string kind;
    std::vector<double> numbers;
    std::string name;
};

// The pieces of a module file by kind: creation lines and connection points.
std::map<std::string, std::vector<Piece>> ReadPieces(const std::string& text)
{
    std::map<std::string, std::vector<Piece>> pieces;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        Piece piece;
        std::string args;
        if (line.rfind("table.insert(", 0) == 0) {
            piece.kind = "connection";
            double x, y, a;
            if (std::sscanf(line.c_str(), "table.insert(%*[^,],{x=%lf,y=%lf,a=%lf})", &x, &y, &a) != 3) continue;
            piece.numbers = {x, y, a};
        } else if (line.size() > 1 && line[0] == '\t') {
            const size_t open = line.find('(');
            piece.kind = line.substr(1, open - 1);
            args = line.substr(open + 1, line.rfind(')') - open - 1);
            std::istringstream fields(args);
            std::string field;
            while (std::getline(fields, field, ',')) {
                if (!field.empty() && field[0] == '"') piece.name = field;
                else piece.numbers.push_back(std::atof(field.c_str()));
            }
        } else {
            continue;
        }
        pieces[piece.kind].push_back(piece);
    }
    return pieces;
}

// Where the quarter turn about the room's centre puts a piece: (x, y) goes to
// (−y, x); bodies turn with it, crates and bitmaps keep their angles the
// other way round.
Piece Turned(Piece p)
{
    const double x = p.numbers[0], y = p.numbers[1];
    p.numbers[0] = -y;
    p.numbers[1] = x;
    if (p.kind == "CreateBlock" || p.kind == "CreateObject" || p.kind == "CreateNode" || p.kind == "CreateDoor" ||
        p.kind == "connection")
        p.numbers[2] += kQuarter;
    else if (p.kind == "CreateContainer" || p.kind == "CreateBitmap")
        p.numbers[2] -= kQuarter;
    return p;
}

bool Before(const Piece& a, const Piece& b)
{
    auto key = [](const Piece& p) { return std::make_pair(std::lround(p.numbers[0] * 100), std::lround(p.numbers[1] * 100)); };
    return key(a) < key(b);
}

void ExpectSamePieces(std::vector<Piece> expected, std::vector<Piece> actual, const std::string& what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    std::sort(expected.begin(), expected.end(), Before);
    std::sort(actual.begin(), actual.end(), Before);
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(actual[i].numbers.size(), expected[i].numbers.size()) << what;
        for (size_t k = 0; k < expected[i].numbers.size(); ++k)
            EXPECT_NEAR(actual[i].numbers[k], expected[i].numbers[k], 2e-3) << what << " #" << i << " value " << k;
        EXPECT_EQ(actual[i].name, expected[i].name) << what;
    }
}

// Replay lines at frames counted from `frame`, which moves on.
struct Replay {
    std::string text;
    int frame = 5;
    void At(int offset, const std::string& command) { text += std::to_string(frame + offset) + " " + command + "\n"; }
    void Then(int frames, const std::string& command)
    {
        At(0, command);
        frame += frames;
    }
};

// Records what the creators make in level coordinates: objects where the
// engine put them, bitmaps from their arguments through the creation transform.
const char* kRecorder = R"(
made = {}
for _, name in ipairs{ "CreateBlock", "CreateDoor", "CreateNode", "CreateContainer", "CreateTrigger",
                       "CreateMapMarker", "CreateObject", "CreateBitmap" } do
  local create = _G[name]
  _G[name] = function(...)
    local result = create(...)
    local x, y
    if name == "CreateBitmap" then
      local tx, ty, ta = GetCreationTransform()
      x, y = TransformPoint(select(1, ...), select(2, ...), tx, ty, ta)
    else
      x, y = object.GetXForm(result)
    end
    made[#made + 1] = string.format("%s %f %f", name, x, y)
    return result
  end
end
function WriteMade(path)
  local f = io.open(path, "w")
  f:write(table.concat(made, "\n"), "\n")
  f:close()
end
)";

TEST(ModuleEditor, ARoomChosenMovedTurnedDuplicatedAndSavedIsBuiltTurnedAtTheNextStart)
{
    GameRun run;
    const std::string original = run.ReadData("mods/room_small.lua");
    ASSERT_FALSE(original.empty());

    // The list holds the rooms by name, 40 to a column.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(run.Dir() / "mods"))
        if (entry.path().extension() == ".lua") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    const int index = int(std::find(names.begin(), names.end(), "room_small") - names.begin());
    ASSERT_LT(index, int(names.size()));

    Replay r;
    r.Then(4, "press f12");
    for (int i = 0; i < index / 40; ++i) r.Then(2, "press right");
    for (int i = 0; i < index % 40; ++i) r.Then(2, "press down");
    r.Then(3, "mouse 320 240");  // the player is made at the mouse: the room's centre
    r.Then(4, "press return");
    r.Then(10, "down 269");      // keypad minus for 10 frames: zoom 0.5, the room in view
    r.Then(7, "up 269");
    r.Then(16, "drag 1 40 40 600 440 10");     // select everything
    r.Then(14, "drag 3 320 240 416 192 8");    // move by 48, -24 screen pixels: 2, -1 world units
    r.Then(2, "screenshot moved.bmp");
    r.Then(16, "drag 2 320 240 320 420 9");    // turn by 90 screen pixels
    r.Then(4, "press return");                 // duplicate in place
    r.Then(4, "press delete");                 // the originals go
    r.Then(4, "press f7");                     // nothing selected: nothing written
    r.Then(3, "lua mname = 'edited_room'");
    r.Then(16, "drag 1 40 40 600 440 10");     // the copies
    r.Then(4, "press f7");
    r.Then(3, "lua ExitGame()");
    ASSERT_TRUE(run.Run(r.text, 120)) << run.stderrText;
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;

    const std::string consoleText = run.ReadData("console.log");
    EXPECT_NE(consoleText.find("Module not saved: nothing is selected"), std::string::npos) << consoleText;
    EXPECT_EQ(run.ReadData("mods/room_small.lua"), original) << "F7 with nothing selected kept the room";
    EXPECT_NE(consoleText.find("Module saved as ./mods/edited_room.lua"), std::string::npos) << consoleText;
    Screenshot moved(run.Dir() / "moved.bmp");
    ASSERT_TRUE(moved.Loaded());
    EXPECT_GT(moved.BrightShare(0, 0, 640, 480, 40), 0.1) << "the room is in view";

    // The saved room is the original turned a quarter about its centre.
    const std::string saved = run.ReadData("mods/edited_room.lua");
    const auto before = ReadPieces(original);
    const auto after = ReadPieces(saved);
    ASSERT_EQ(after.size(), before.size()) << saved;
    for (const auto& [kind, pieces] : before) {
        std::vector<Piece> expected;
        for (const Piece& p : pieces) expected.push_back(Turned(p));
        ExpectSamePieces(expected, after.count(kind) ? after.at(kind) : std::vector<Piece>{}, kind);
    }
    double w = 0, h = 0;
    ASSERT_EQ(std::sscanf(saved.c_str(), "modlist.edited_room={}\nmodlist.edited_room.w=%lf\nmodlist.edited_room.h=%lf", &w, &h), 2)
        << saved;
    EXPECT_NEAR(w, -13.0, 1e-3) << "the room is square: turned, it is as wide as before";
    EXPECT_NEAR(h, -13.0, 1e-3);

    // A fresh start lists the room for the level generator and builds it.
    run.WriteData("recorder.lua", kRecorder);
    ASSERT_TRUE(run.Run("3 lua dofile('recorder.lua')\n"
                        "5 lua for _, n in ipairs(ModuleParts().rooms) do if n == 'edited_room' then print('listed\\n') end end\n"
                        "6 lua PlaceModule(0, 0, 0, 'edited_room'); WriteMade('made.txt')\n"
                        "8 lua ExitGame()\n"))
        << run.stderrText;
    EXPECT_NE(run.ReadData("console.log").find("listed"), std::string::npos) << run.ReadData("console.log");
    std::map<std::string, std::vector<Piece>> made;
    std::istringstream lines(run.ReadData("made.txt"));
    Piece p;
    double x, y;
    while (lines >> p.kind >> x >> y) {
        p.numbers = {x, y};
        made[p.kind].push_back(p);
    }
    for (const auto& [kind, pieces] : before) {
        if (kind == "connection") continue;
        std::vector<Piece> expected;
        for (const Piece& q : pieces) {
            Piece turned = Turned(q);
            turned.numbers.resize(2);
            turned.name.clear();
            expected.push_back(turned);
        }
        ExpectSamePieces(expected, made[kind], "built " + kind);
    }
}

} // namespace

namespace {

// Every command of the placement editor's palette, run once at a spot of its
// own: each has a preview sprite the game knows and builds one piece.
const char* kPaletteCheck = R"(
local report = {}
local made
for _, name in ipairs{ "CreateBlock", "CreateBreakableBlock", "CreateDoor", "CreateNode", "CreateContainer",
                       "CreateTrigger", "CreateDirectionController", "CreateMapMarker", "CreateObject",
                       "CreateBitmap", "CreateZombie", "CreateBigZombie", "CreateSoldier", "CreateRedSoldier",
                       "CreateGreySoldier", "CreateBigSoldier", "CreateMSkeleton", "CreateRedRobot",
                       "CreateTurret", "CreateSnake", "CreateZSpawner" } do
  local create = _G[name]
  _G[name] = function(...)
    local result = create(...)
    if result ~= nil then made[#made + 1] = name end
    return result
  end
end
for n = 1, edit_commands.length do
  made = {}
  edit_mousex, edit_mousey, edit_dir, edit_type, edit_frame = 40 * n, 0, 0.5, n, 0
  local ok, err = pcall(edit_commands[n])
  report[#report + 1] = string.format("%s|%s|%s|%s|%s", edit_names[n], tostring(edit_sprites[n]),
    tostring(GetSprite(edit_sprites[n]) ~= nil), table.concat(made, ","), ok and "ok" or tostring(err))
end
local f = io.open("palette.txt", "w")
f:write(table.concat(report, "\n"), "\n")
f:close()
)";

TEST(ModuleEditor, EveryPaletteCommandHasAPreviewAndBuildsOnePiece)
{
    GameRun run;
    run.WriteData("palette.lua", kPaletteCheck);
    ASSERT_TRUE(run.Run("3 press f2\n5 lua dofile('palette.lua')\n7 lua ExitGame()\n")) << run.stderrText;
    for (const char* problem : {"not found", "No sound named", "cannot create", "ERROR"})
        EXPECT_EQ(run.stderrText.find(problem), std::string::npos) << run.stderrText;

    std::istringstream lines(run.ReadData("palette.txt"));
    std::string line;
    std::map<std::string, int> kinds;
    int commands = 0;
    while (std::getline(lines, line)) {
        ++commands;
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '|');) f.push_back(field);
        ASSERT_EQ(f.size(), 5u) << line;
        EXPECT_EQ(f[2], "true") << "a preview sprite: " << line;
        EXPECT_EQ(f[4], "ok") << line;
        EXPECT_EQ(f[3].find(','), std::string::npos) << "one piece: " << line;
        EXPECT_FALSE(f[3].empty()) << "one piece: " << line;
        ++kinds[f[3]];
    }
    // The kinds our rooms are made of, and every enemy.
    EXPECT_EQ(kinds["CreateBlock"], 5) << "each wall type";
    EXPECT_EQ(kinds["CreateContainer"], 3) << "each crate kind";
    EXPECT_EQ(kinds["CreateBitmap"], 12) << "each zone's floor textures and the gate pad";
    EXPECT_GE(kinds["CreateObject"], 20) << "every kind of objects.lua";
    for (const char* kind : {"CreateBreakableBlock", "CreateDoor", "CreateNode", "CreateTrigger", "CreateDirectionController",
                             "CreateMapMarker", "CreateBigZombie", "CreateSoldier", "CreateRedSoldier", "CreateGreySoldier",
                             "CreateBigSoldier", "CreateMSkeleton", "CreateRedRobot", "CreateTurret", "CreateSnake",
                             "CreateZSpawner"})
        EXPECT_EQ(kinds[kind], 1) << kind;
    EXPECT_EQ(kinds["CreateZombie"], 3) << "plain, blue and buried";
    EXPECT_GE(commands, 50);
}

} // namespace
