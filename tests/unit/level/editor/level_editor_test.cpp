// The module editor's rules (selection, move, turn, duplicate, delete, bitmap
// order), the F7 writer's refusal of an empty selection, the script-driven
// editor's globals and keys, the module list keys, and a round trip of every
// shipped room through the editor's selection and the module writer.
#include "core/screens/StateRegistry.h"
#include "level/editor/EditorState.h"
#include "level/editor/EditorState2.h"
#include "level/ModuleFile.h"
#include "level/editor/ModuleSelectState.h"
#include "level/editor/SelectionEditor.h"
#include "level_test_support.h"
#include "world/CreationTransform.h"
#include "world/FloorBitmap.h"
#include "world/GameObject.h"
#include "world/MinimalObject.h"
#include <map>
#include <numbers>

namespace {

using testing_support::PressKeys;

const char* kKinds = R"(
objectlist = { post = { collision = 1, depth = 0, frame = 0, rectangle = 0, fovshadows = 0, material = 0,
                        sprite = "spr_none", rw = 6, rh = 6, shadowdist = 1, mass = 0 } }
scripttable = { go = function() end }
)";

class SelectionRules : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        world->Clear();
        ASSERT_EQ(Run(kKinds), "");
        std::filesystem::create_directories(fixture.scratch.path() / "mods");
    }
    void TearDown() override
    {
        world->Clear();
        saveOriginX = saveOriginY = 0.0f;
        moduleRect = TModuleRect();
        creationTransform = TCreationTransform();
        LevelFixture::TearDown();
    }
    TGameObject* Object(const char* global) { return ObjectFromHandle(GlobalPointer(global)); }
    void* GlobalPointer(const char* name)
    {
        lua_getglobal(luaState, name);
        void* p = lua_touserdata(luaState, -1);
        lua_pop(luaState, 1);
        return p;
    }
    TFloorBitmap* Bitmap(size_t i)
    {
        auto it = world->bitmaps.begin();
        std::advance(it, i);
        return static_cast<TFloorBitmap*>(*it);
    }
    int Live()
    {
        int n = 0;
        for (TGameObject* o : world->objects) n += o->body && !o->GetCreateCommand().empty();
        return n;
    }

    TSelectionEditor editor{*game->world};
};

TEST_F(SelectionRules, RectanglesSelectWhatLiesStrictlyInsideAndShiftAdds)
{
    ASSERT_EQ(Run("a = CreateObject(1, 1, 0, 'post'); b = CreateObject(3, 2, 0, 'post');"
                  "edge = CreateObject(4, 1, 0, 'post'); far = CreateObject(10, 10, 0, 'post');"
                  "CreateBitmap(2, 3, 0, 0, 0, 24, 24, 'floor')"),
              "");
    editor.SelectRectangle(b2Vec2(4, 0), b2Vec2(0, 4), false);  // corners in any order
    EXPECT_TRUE(Object("a")->selected);
    EXPECT_TRUE(Object("b")->selected);
    EXPECT_FALSE(Object("edge")->selected) << "on the border is not inside";
    EXPECT_FALSE(Object("far")->selected);
    EXPECT_TRUE(Bitmap(0)->selected) << "bitmaps by their centre in world units";
    EXPECT_FLOAT_EQ(moduleRect.minX, 1);
    EXPECT_FLOAT_EQ(moduleRect.maxX, 3);
    EXPECT_FLOAT_EQ(moduleRect.minY, 1);
    EXPECT_FLOAT_EQ(moduleRect.maxY, 3);
    EXPECT_FLOAT_EQ(saveOriginX, 2);
    EXPECT_FLOAT_EQ(saveOriginY, 2);

    // Shift keeps the old selection and widens the rectangle by the new one.
    editor.SelectRectangle(b2Vec2(9, 9), b2Vec2(11, 11), true);
    EXPECT_TRUE(Object("a")->selected);
    EXPECT_TRUE(Object("far")->selected);
    EXPECT_FLOAT_EQ(moduleRect.maxX, 10);
    EXPECT_FLOAT_EQ(saveOriginX, 5.5f);
    // A plain drag replaces it.
    editor.SelectRectangle(b2Vec2(9, 9), b2Vec2(11, 11), false);
    EXPECT_FALSE(Object("a")->selected);
    EXPECT_TRUE(Object("far")->selected);

    // A drag that catches nothing leaves the rectangle inside out and the origin at 0.
    editor.SelectRectangle(b2Vec2(50, 50), b2Vec2(51, 51), false);
    EXPECT_FALSE(Object("far")->selected);
    EXPECT_FLOAT_EQ(moduleRect.minX, kEmptySelectionBound);
    EXPECT_FLOAT_EQ(moduleRect.maxY, -kEmptySelectionBound);
    EXPECT_FLOAT_EQ(saveOriginX, 0);
    EXPECT_FLOAT_EQ(saveOriginY, 0);
}

TEST_F(SelectionRules, MovingAndTurningCarryTheSelectionAndTheOriginOnly)
{
    ASSERT_EQ(Run("a = CreateObject(1, 0, 0.25, 'post'); b = CreateObject(-1, 0, 0, 'post');"
                  "still = CreateObject(9, 9, 0, 'post'); CreateBitmap(0, 1, 0.5, 0, 0, 24, 24, 'floor')"),
              "");
    editor.SelectRectangle(b2Vec2(-2, -2), b2Vec2(2, 2), false);
    ASSERT_FLOAT_EQ(saveOriginX, 0);
    ASSERT_FLOAT_EQ(saveOriginY, 0.5f);

    editor.Move(24, -12);  // world pixels: 2 units right, 1 up
    EXPECT_FLOAT_EQ(Object("a")->GetPosition().x, 3);
    EXPECT_FLOAT_EQ(Object("a")->GetPosition().y, -1);
    EXPECT_FLOAT_EQ(Object("a")->GetAngle(), 0.25f) << "moving keeps the angle";
    EXPECT_FLOAT_EQ(Bitmap(0)->centre.x, 24);
    EXPECT_FLOAT_EQ(Bitmap(0)->centre.y, 0);
    EXPECT_FLOAT_EQ(saveOriginX, 2);
    EXPECT_FLOAT_EQ(saveOriginY, -0.5f);
    EXPECT_FLOAT_EQ(Object("still")->GetPosition().x, 9);

    // A quarter turn about the origin (2, -0.5): +x goes to +y.
    const float quarter = 90 * kTurnPerScreenPixel;
    editor.Turn(quarter);
    EXPECT_NEAR(Object("a")->GetPosition().x, 2.5f, 1e-5);
    EXPECT_NEAR(Object("a")->GetPosition().y, 0.5f, 1e-5);
    EXPECT_NEAR(Object("a")->GetAngle(), 0.25f + std::numbers::pi / 2, 1e-5);
    EXPECT_NEAR(Object("b")->GetPosition().x, 2.5f, 1e-5);
    EXPECT_NEAR(Object("b")->GetPosition().y, -1.5f, 1e-5);
    EXPECT_NEAR(Bitmap(0)->centre.x, 18, 1e-3) << "bitmaps turn about the origin in pixels";
    EXPECT_NEAR(Bitmap(0)->centre.y, -6, 1e-3);
    EXPECT_NEAR(Bitmap(0)->angle, 0.5f - std::numbers::pi / 2, 1e-5) << "bitmap angles run the other way";
    EXPECT_FLOAT_EQ(Object("still")->GetAngle(), 0);

    // The module file is written around the moved origin: a quarter turn of the room.
    ASSERT_TRUE(SaveModule(*world, "turned"));
    const std::string text = ReadFile(fixture.scratch.File("mods/turned.lua"));
    EXPECT_NE(text.find("\tCreateObject(0.500000,1.000000,1.820796,\"post\")\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\tCreateObject(0.500000,-1.000000,1.570796,\"post\")\n"), std::string::npos) << text;
}

TEST_F(SelectionRules, DuplicatesLandOnTheirOriginalsAndStayBehindWhenTheSelectionMoves)
{
    ASSERT_EQ(Run("a = CreateObject(5, 6, 0.5, 'post'); t = CreateTrigger(7, 6, 1, 'go', 3);"
                  "c = CreateContainer(6, 7, 0.25, 'spr_metallkast'); CreateBitmap(6, 5, 0.5, 0, 0, 24, 24, 'floor');"
                  "zspawncount = nil; z = CreateZSpawner(6, 6, 0, 2)"),
              "");
    editor.SelectRectangle(b2Vec2(4, 4), b2Vec2(8, 8), false);
    ASSERT_FLOAT_EQ(saveOriginX, 6);
    const std::string before = ModuleFileText(*world, "m", moduleRect);
    const int objects = Live();
    creationTransform.Set(1, 2, 0.3f);

    editor.Duplicate();
    EXPECT_EQ(Live(), 2 * objects) << "the spawner's line loads without zspawncount";
    EXPECT_EQ(world->bitmaps.size(), 2u);
    float x = 0, y = 0, a = 0;
    creationTransform.Get(&x, &y, &a);
    EXPECT_FLOAT_EQ(x, 1) << "the creation transform is restored";
    EXPECT_FLOAT_EQ(a, 0.3f);

    // Only the originals are selected: the file is what it was.
    EXPECT_EQ(ModuleFileText(*world, "m", moduleRect), before);
    // Every copy sits exactly on its original, the trigger too.
    std::multiset<std::string> lines;
    for (TGameObject* o : world->objects) lines.insert(o->GetCreateCommand());
    for (TBitmap* b : world->bitmaps) lines.insert(b->GetCreateCommand());
    for (const std::string& line : lines)
        if (!line.empty()) {
            EXPECT_EQ(lines.count(line), 2u) << line;
        }

    // Moving the selection leaves the copies behind.
    editor.Move(120, 0);
    EXPECT_FLOAT_EQ(Object("a")->GetPosition().x, 15);
    int left = 0;
    for (TGameObject* o : world->objects) left += o->body && !o->selected && o->GetPosition().x == 5.0f;
    EXPECT_EQ(left, 1) << "the copy of a stays at x = 5";
}

TEST_F(SelectionRules, DeleteRemovesObjectsAndParksBitmapsOutOfTheModule)
{
    ASSERT_EQ(Run("a = CreateObject(1, 1, 0, 'post'); keep = CreateObject(9, 9, 0, 'post');"
                  "CreateBitmap(1, 2, 0, 0, 0, 24, 24, 'floor'); CreateBitmap(9, 8, 0, 0, 0, 24, 24, 'floor')"),
              "");
    editor.SelectRectangle(b2Vec2(0, 0), b2Vec2(3, 3), false);
    editor.Delete();
    EXPECT_EQ(Object("a"), nullptr) << "removed by the two world steps";
    EXPECT_NE(Object("keep"), nullptr);
    ASSERT_EQ(world->bitmaps.size(), 2u) << "a deleted bitmap stays in the list";
    EXPECT_FALSE(Bitmap(0)->selected);
    EXPECT_FLOAT_EQ(Bitmap(0)->centre.x, 10000);
    EXPECT_EQ(Bitmap(0)->GetCreateCommand(), "");

    // Parked bitmaps are no longer part of any selection.
    editor.SelectRectangle(b2Vec2(-1e6, -1e6), b2Vec2(1e6, 1e6), false);
    EXPECT_FALSE(Bitmap(0)->selected);
    EXPECT_FLOAT_EQ(moduleRect.maxX, 9);
}

TEST_F(SelectionRules, QAndWMoveTheFirstSelectedBitmapToTheTopOrBottom)
{
    ASSERT_EQ(Run("for i = 1, 4 do CreateBitmap(i, 0, 0, 0, 0, 24, 24, 'floor') end"), "");
    Bitmap(1)->selected = 1;
    Bitmap(2)->selected = 1;
    TBitmap* second = Bitmap(1);
    TBitmap* third = Bitmap(2);
    editor.RaiseBitmap();
    EXPECT_EQ(world->bitmaps.back(), second);
    EXPECT_EQ(Bitmap(1), third) << "one bitmap per key press";
    editor.LowerBitmap();
    EXPECT_EQ(world->bitmaps.front(), third);
}

TEST_F(SelectionRules, F7WithNothingSelectedWritesNothingAndSaysSo)
{
    fixture.scratch.Write("mods/room.lua", "precious\n");
    ASSERT_EQ(Run("CreateObject(1, 1, 0, 'post')"), "");
    EXPECT_FALSE(SaveModule(*world, "room")) << "before any selection";
    editor.SelectRectangle(b2Vec2(50, 50), b2Vec2(60, 60), false);
    EXPECT_FALSE(SaveModule(*world, "room")) << "after a selection that caught nothing";
    EXPECT_EQ(ReadFile(fixture.scratch.File("mods/room.lua")), "precious\n");
    EXPECT_NE(console.Text().find("Module not saved: nothing is selected"), std::string::npos) << console.Text();

    editor.SelectRectangle(b2Vec2(0, 0), b2Vec2(2, 2), false);
    EXPECT_TRUE(SaveModule(*world, "room"));
    EXPECT_NE(ReadFile(fixture.scratch.File("mods/room.lua")).find("CreateObject"), std::string::npos);
}

TEST_F(SelectionRules, NamesInCreationLinesAreEscapedAndLoadBack)
{
    // A kind whose name needs escaping, and names that are plain.
    ASSERT_EQ(Run("objectlist['odd \"one\" \\\\ \\n'] = objectlist.post\n"
                  "scripttable['say \"hi\"'] = function() end\n"
                  "CreateObject(1, 1, 0, 'odd \"one\" \\\\ \\n')\n"
                  "CreateTrigger(2, 2, 1, 'say \"hi\"', 3)\n"
                  "CreateContainer(3, 3, 0, 'crate\"')\n"
                  "CreateBitmap(4, 4, 0, 0, 0, 24, 24, 'fl\\\\oor')\n"
                  "CreateObject(5, 5, 0, 'post')"),
              "");
    const std::string saved = world->CreateCommands();
    EXPECT_NE(saved.find("CreateObject(5.000000,5.000000,0.000000,\"post\")\n"), std::string::npos)
        << "plain names give the same bytes as ever";
    EXPECT_NE(saved.find("\"odd \\\"one\\\" \\\\ \\010\""), std::string::npos) << saved;
    world->Clear();
    ASSERT_EQ(Run(saved), "") << saved;
    EXPECT_EQ(world->CreateCommands(), saved);
}

// The script-driven editor, driven through its update with scripted tables.
class ScriptEditor : public SelectionRules {
protected:
    void SetUp() override
    {
        SelectionRules::SetUp();
        state = static_cast<TEditorState*>(stateRegistry.Find("editor"));
        game->SetState("editor");
        ASSERT_EQ(Run("placed = {}\n"
                      "edit_commands = { length = 3 }\n"
                      "for i = 1, 3 do edit_commands[i] = function()\n"
                      "  placed[#placed + 1] = { i, edit_mousex, edit_mousey, edit_dir, edit_type, edit_frame }\n"
                      "end end\n"
                      "edit_sprites = { 'nothing', 42 }\n"
                      "edit_rendercmds = {}"),
                  "");
        SetMouseWorldPosition(24, -36);
    }
    // One update with these keys tapped (down this frame, up before the next).
    void Frame(std::initializer_list<int> keys)
    {
        PressKeys(keys);
        state->Update();
        for (int code : keys) inputTables.SetKey(code, false);
    }
    TEditorState* state = nullptr;
};

TEST_F(ScriptEditor, PublishesTheCursorAndRunsTheCurrentCommandOnAClick)
{
    Frame({SDLK_i});  // turn while held
    Frame({SDLK_m});
    Frame({SDLK_m});
    Frame({kMouseCodeBase + 1});
    ASSERT_EQ(Number("#placed"), 1);
    EXPECT_EQ(Number("placed[1][1]"), 3) << "the third command";
    EXPECT_EQ(Number("placed[1][2]"), 2);
    EXPECT_EQ(Number("placed[1][3]"), -3);
    EXPECT_NEAR(Number("placed[1][4]"), -kCoarseTurn, 1e-6) << "edit_dir is the negated angle";
    EXPECT_EQ(Number("placed[1][5]"), 3);

    Frame({SDLK_m});
    EXPECT_EQ(state->commandNumber, 1) << "M wraps past the last command";
    Frame({SDLK_n});
    EXPECT_EQ(state->commandNumber, 3) << "N wraps below the first";
    // No sprite (a wrong name, a number, nothing): the frame stays at 0.
    Frame({SDLK_k});
    EXPECT_EQ(state->previewFrame, 0);
    Frame({SDLK_j});
    EXPECT_EQ(state->previewFrame, 0);

    // A failing command is dropped silently; a missing one is no error.
    ASSERT_EQ(Run("edit_commands[3] = function() error('boom') end edit_commands[1] = nil"), "");
    Frame({kMouseCodeBase + 1});
    Frame({SDLK_m});
    Frame({kMouseCodeBase + 1});
    EXPECT_EQ(console.Text().find("boom"), std::string::npos);
}

TEST_F(ScriptEditor, WithoutANumericLengthItReportsOnceAndEscapeStillLeaves)
{
    ASSERT_EQ(Run("edit_commands = { function() placed[#placed + 1] = 1 end }"), "");
    Frame({kMouseCodeBase + 1});
    Frame({kMouseCodeBase + 1});
    EXPECT_EQ(Number("#placed"), 0);
    const std::string text = console.Text();
    const size_t first = text.find("edit_commands.length");
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_EQ(text.find("edit_commands.length", first + 1), std::string::npos) << "once, not every frame";
    Frame({SDLK_ESCAPE});
    EXPECT_EQ(game->currentStateName, "mainmenu");
}

TEST_F(SelectionRules, TheModuleListMovesClampsAndScrollsFasterWhileHeld)
{
    auto* list = static_cast<TModuleSelectState*>(stateRegistry.Find("moduleselect"));
    game->moduleNames = {"a", "b", "c"};
    auto tap = [&](std::initializer_list<int> keys) {
        PressKeys(keys);
        const int chosen = list->Navigate();
        for (int code : keys) inputTables.SetKey(code, false);
        return chosen;
    };
    EXPECT_EQ(tap({SDLK_LEFT, SDLK_UP}), -1);
    EXPECT_EQ(list->column, 0);
    EXPECT_EQ(list->row, 0);
    for (int i = 0; i < 10; ++i) tap({SDLK_RIGHT});
    EXPECT_EQ(list->column, 3) << "4 columns";
    list->column = 0;

    // Down held: a row for the press, then 0.07 rows a frame faster each frame.
    PressKeys({SDLK_DOWN});
    list->Navigate();
    EXPECT_EQ(list->row, 1);
    for (int frame = 0; frame < 30; ++frame) {
        inputTables.BeginFrame();
        list->Navigate();
    }
    EXPECT_EQ(list->row, 21) << "14 frames below one row a frame, 14 at one, 2 at two";
    for (int frame = 0; frame < 30; ++frame) {
        inputTables.BeginFrame();
        list->Navigate();
    }
    EXPECT_EQ(list->row, 39) << "40 rows";
    inputTables.SetKey(SDLK_DOWN, false);
    inputTables.BeginFrame();
    list->Navigate();
    EXPECT_EQ(list->scrollSpeed, 0.0f);

    // Return on an empty cell chooses nothing; on a name it gives its index.
    EXPECT_EQ(tap({SDLK_RETURN}), -1);
    list->row = 2;
    EXPECT_EQ(tap({SDLK_RETURN}), 2);
}

// Every shipped room, built at the origin, selected whole and saved under a
// new name, writes as many lines of each kind and rebuilds as many objects.
class RoomRoundTrip : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        CopyLevelScripts();
        namespace fs = std::filesystem;
        for (const char* file : {"objects.lua", "luainit.lua"})
            fs::copy_file(SourceData() / file, fixture.scratch.path() / file, fs::copy_options::overwrite_existing);
        ASSERT_EQ(Run("dofile('luainit.lua') dofile('objects.lua') dofile('levels.lua')"), "");
    }
    void TearDown() override
    {
        world->Clear();
        saveOriginX = saveOriginY = 0.0f;
        moduleRect = TModuleRect();
        LevelFixture::TearDown();
    }
    // Objects built by placing the module (the world's own particle systems not counted).
    size_t Place(const std::string& name)
    {
        world->Clear();
        const size_t empty = world->objects.size();
        EXPECT_EQ(Run("assert(PlaceModule(0, 0, 0, '" + name + "'))"), "") << name;
        return world->objects.size() - empty;
    }
    static std::map<std::string, int> LinesByKind(const std::string& text)
    {
        std::map<std::string, int> kinds;
        std::istringstream in(text);
        std::string line;
        // Creation lines (tab first) by their function, and connection points.
        while (std::getline(in, line)) {
            const size_t open = line.find('(');
            if (open == std::string::npos) continue;
            if (line[0] == '\t') ++kinds[line.substr(1, open - 1)];
            else if (line.rfind("table.insert(", 0) == 0) ++kinds["connection"];
        }
        return kinds;
    }
};

TEST_F(RoomRoundTrip, EveryShippedRoomSavesBackWithTheSamePieces)
{
    const std::vector<std::string> rooms = game->moduleNames;
    ASSERT_GE(rooms.size(), 12u);
    for (const std::string& room : rooms) {
        const size_t built = Place(room);
        EXPECT_GT(built, 3u) << room;
        const size_t bitmaps = world->bitmaps.size();
        TSelectionEditor(*world).SelectRectangle(b2Vec2(-1000, -1000), b2Vec2(1000, 1000), false);
        const std::string copy = "copy_of_" + room;
        ASSERT_TRUE(SaveModule(*world, copy)) << room << console.Text();

        const std::string original = ReadFile(fixture.scratch.File("mods/" + room + ".lua"));
        const std::string saved = ReadFile(fixture.scratch.File("mods/" + copy + ".lua"));
        EXPECT_EQ(LinesByKind(saved), LinesByKind(original)) << room << "\n" << saved;
        ASSERT_EQ(Run("dofile('mods/" + copy + ".lua')"), "") << room;
        EXPECT_NEAR(Number("modlist." + copy + ".w"), Number("modlist." + room + ".w"), 1e-5) << room;
        EXPECT_NEAR(Number("modlist." + copy + ".h"), Number("modlist." + room + ".h"), 1e-5) << room;
        EXPECT_EQ(Place(copy), built) << room;
        EXPECT_EQ(world->bitmaps.size(), bitmaps) << room;
    }
}

} // namespace
