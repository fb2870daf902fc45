// A modder at work in the real game: a room that stops building part way is
// never saved over (and can still be saved under another name), and
// ReloadContent() brings an edited item and object kind in without a restart.
#include "GameRun.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The index of `name` in the F12 list, which holds the rooms in name order.
int ModuleListIndex(const GameRun& run, const std::string& name)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(run.Dir() / "mods"))
        if (entry.path().extension() == ".lua") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return int(std::find(names.begin(), names.end(), name) - names.begin());
}

} // namespace

TEST(Modding, F7NeverSavesOverARoomWhoseBuildStoppedPartWay)
{
    GameRun run;
    // A shipped room with a line naming an object kind that does not exist:
    // building stops there, and the walls after it are never made.
    std::string room = run.ReadData("mods/room_small.lua");
    ASSERT_FALSE(room.empty());
    for (size_t at = room.find("room_small"); at != std::string::npos; at = room.find("room_small", at))
        room.replace(at, 10, "room_half");
    const size_t middle = room.find("\tCreateBlock", room.find("CreateObjects") + 200);
    ASSERT_NE(middle, std::string::npos);
    room.insert(middle, "\tCreateObject(0,0,0,\"no_such_kind\")\n");
    run.WriteData("mods/room_half.lua", room);
    const int index = ModuleListIndex(run, "room_half");

    std::string replay;
    int frame = 5;
    auto then = [&](int frames, const std::string& command) {
        replay += std::to_string(frame) + " " + command + "\n";
        frame += frames;
    };
    then(4, "press f12");
    for (int i = 0; i < index / 40; ++i) then(2, "press right");
    for (int i = 0; i < index % 40; ++i) then(2, "press down");
    then(3, "mouse 320 240");
    then(4, "press return");              // builds the room, mname = "room_half", module editor
    then(10, "down 269");                 // keypad minus: zoom out until the room is in view
    then(7, "up 269");
    then(16, "drag 1 40 40 600 440 10");  // select all that was built
    then(4, "press f7");                  // refused
    then(3, "lua mname = 'room_half_kept'");
    then(4, "press f7");                  // saved under the other name
    then(3, "lua ExitGame()");
    ASSERT_TRUE(run.Run(replay, 120)) << run.stderrText;
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;

    const std::string consoleText = run.ReadData("console.log");
    EXPECT_NE(consoleText.find("Module not saved: room_half stopped building part way"), std::string::npos)
        << consoleText;
    EXPECT_NE(consoleText.find("no_such_kind"), std::string::npos) << "the reason is given: " << consoleText;
    EXPECT_EQ(run.ReadData("mods/room_half.lua"), room) << "the room's file is as it was";
    EXPECT_NE(consoleText.find("Module saved as ./mods/room_half_kept.lua"), std::string::npos) << consoleText;
    const std::string kept = run.ReadData("mods/room_half_kept.lua");
    EXPECT_NE(kept.find("function modlist.room_half_kept.CreateObjects()"), std::string::npos) << kept;
    EXPECT_NE(kept.find("CreateBlock("), std::string::npos) << "the part that was built is saved: " << kept;
}

TEST(Modding, ReloadContentBringsInAnEditedItemAndObjectKindWithoutARestart)
{
    GameRun run;
    // The modder's own files: an item, then (while the game runs) the item
    // made stronger, a second item and an object kind.
    run.WriteData("content/relvad.lua",
                  "weapon('twin pistol', { frame = 8, invtext = 'twin', longtext = 'Twin pistol.', pose = 'pistol',\n"
                  "  clipsize = 10, spread = 3, reloadtime = -8, bulletspeed = 36, damage = 12, range = 24,\n"
                  "  pierce = 20, shake = 3, ammotype = 0, clipreloadtime = 45,\n"
                  "  shootsound = 'pistol_lask', reloadsound = 'reload_clip' })\n");
    run.WriteData("edited_relvad.lua",
                  "weapon('twin pistol', { frame = 8, invtext = 'twin', longtext = 'Twin pistol.', pose = 'pistol',\n"
                  "  clipsize = 10, spread = 3, reloadtime = -8, bulletspeed = 36, damage = 40, range = 24,\n"
                  "  pierce = 20, shake = 3, ammotype = 0, clipreloadtime = 45,\n"
                  "  shootsound = 'pistol_lask', reloadsound = 'reload_clip' })\n"
                  "material('twin barrel', 48, 'barrel', 'A spare barrel.')\n");
    run.WriteData("edited_objects.lua",
                  "objectlist.thin_pillar = kind{ collision = 1, depth = 11, rectangle = 1, material = 0,\n"
                  "  sprite = 'spr_pillar', rw = 12, rh = 12 }\n");
    // Results go to a file: the console keeps only its last lines.
    run.WriteData("look.lua",
                  "function Look(tag)\n"
                  "  local f = io.open('look.txt', 'a')\n"
                  "  local made = CreateItem(1, 0, 'twin barrel') ~= nil\n"
                  "  local kind = pcall(CreateObject, 3, 0, 0, 'thin_pillar')\n"
                  "  f:write(string.format('%s damage=%s barrel=%s kind=%s rooms=%d\\n', tag,\n"
                  "    tostring(itemtable['twin pistol'] and itemtable['twin pistol'].damage), tostring(made),\n"
                  "    tostring(kind), #ModuleParts().rooms))\n"
                  "  f:close()\n"
                  "end\n");
    const std::string replay =
        "3 lua dofile('look.lua')\n"
        "4 lua LoadLevel('level1', 0)\n"
        "20 lua Look('before')\n"
        "21 lua os.rename('edited_relvad.lua', 'content/relvad.lua'); os.rename('edited_objects.lua', 'content/objects.lua')\n"
        "22 lua LoadLevel('level1', 0)\n"
        "40 lua Look('reloaded level')\n"
        "41 lua ReloadContent()\n"
        "42 lua Look('reloaded content')\n"
        "43 lua ExitGame()\n";
    ASSERT_TRUE(run.Run(replay, 60)) << run.stderrText;
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;

    const std::string look = run.ReadData("look.txt");
    const size_t rooms = look.find("rooms=");
    ASSERT_NE(rooms, std::string::npos) << look;
    const std::string roomCount = look.substr(rooms, look.find('\n', rooms) - rooms);
    EXPECT_EQ(look, "before damage=12 barrel=false kind=false " + roomCount + "\n" +
                        "reloaded level damage=12 barrel=false kind=false " + roomCount + "\n" +
                        "reloaded content damage=40 barrel=true kind=true " + roomCount + "\n")
        << "loading a level keeps the old tables; ReloadContent takes the edited files, and the rooms "
           "are the same as before";
    // (The probes before the reload make "cannot create object" lines of their own.)
    for (const char* problem : {"No sound named", "is not defined", "stopped there"})
        EXPECT_EQ(run.stderrText.find(problem), std::string::npos) << run.stderrText;
}
