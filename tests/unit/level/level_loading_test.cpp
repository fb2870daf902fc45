// Loading level directories, level changes with the countdown and the
// level-end screen, the carried player state, and saving a level.
#include "core/screens/MainMenuState.h"
#include "core/screens/StateRegistry.h"
#include "level/campaign/Carrier.h"
#include "level/campaign/CarriedState.h"
#include "level/LevelLoader.h"
#include "level_test_support.h"
#include "player/Player.h"
#include "world/CreationTransform.h"
#include "world/GameObject.h"
#include "world/MinimalObject.h"
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace {

using testing_support::UpdateWithKeys;

// A stand-in for the player: what the level code reads and writes of it.
class TFakeCarrier : public TCarrier {
public:
    b2Vec2 CarrierPosition() const override { return position; }
    int GetCarriedAmmo(int type) const override { return ammo[type]; }
    void SetCarriedAmmo(int type, int count) override { ammo[type] = count; }
    float GetCarriedHealth() const override { return health; }
    void SetCarriedHealth(float h) override { health = h; }
    bool GetCarriedSlot(int index, TLevelProgress::CarriedSlot* slot) const override
    {
        auto it = inventory.find(index);
        if (it == inventory.end()) return false;
        *slot = it->second;
        return true;
    }
    bool AddCarriedItem(const TLevelProgress::CarriedSlot& slot) override
    {
        if (slot.name == "unknown_thing") return false;  // the item factory knows no such item
        received.push_back(slot);
        return true;
    }

    b2Vec2 position{0, 0};
    int ammo[TLevelProgress::kAmmoTypes] = {};
    float health = 100.0f;
    std::map<int, TLevelProgress::CarriedSlot> inventory;
    std::vector<TLevelProgress::CarriedSlot> received;
};

// The record the stand-in player reads and writes (none: the player is empty).
TFakeCarrier* nextPlayer = nullptr;

// The game's player as the level code sees him: a player that stands still
// and whose carried state is the record `nextPlayer` points to at the time.
class TStandInPlayer : public TPlayer {
public:
    TStandInPlayer() : TPlayer(0.0f, 0.0f) {}
    void Update() override {}
    void Draw() override {}
    b2Vec2 CarrierPosition() const override { return nextPlayer ? nextPlayer->position : b2Vec2(0, 0); }
    int GetCarriedAmmo(int type) const override { return nextPlayer ? nextPlayer->GetCarriedAmmo(type) : 0; }
    void SetCarriedAmmo(int type, int count) override
    {
        if (nextPlayer) nextPlayer->SetCarriedAmmo(type, count);
    }
    float GetCarriedHealth() const override { return nextPlayer ? nextPlayer->health : 0.0f; }
    void SetCarriedHealth(float h) override
    {
        if (nextPlayer) nextPlayer->SetCarriedHealth(h);
    }
    bool GetCarriedSlot(int index, TLevelProgress::CarriedSlot* slot) const override
    {
        return nextPlayer && nextPlayer->GetCarriedSlot(index, slot);
    }
    bool AddCarriedItem(const TLevelProgress::CarriedSlot& slot) override
    {
        return nextPlayer && nextPlayer->AddCarriedItem(slot);
    }
};

// The level scripts make "the player" by calling MakeTestPlayer().
int l_MakeTestPlayer(lua_State*)
{
    new TStandInPlayer();  // becomes game->player
    return 0;
}

bool StandInIsThePlayer()
{
    return game->player && dynamic_cast<TStandInPlayer*>(game->player) != nullptr;
}

const char* kObjectKinds = R"(
objectlist = {}
local function def(name, t)
    local e = {collision = 1, depth = 0, frame = 0, rectangle = 0, fovshadows = 0,
               material = 0, sprite = "spr_none", rw = 12, rh = 12, shadowdist = 2, mass = 0}
    for k, v in pairs(t) do e[k] = v end
    objectlist[name] = e
end
def("pillar", {rw = 12})
def("barrel", {rw = 6, mass = 3, depth = 4})
def("slab", {rectangle = 1, rw = 24, rh = 12, depth = 2})
)";

class LevelLoading : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        creationTransform = TCreationTransform();
        nextPlayer = &carrier;
        lua_register(luaState, "MakeTestPlayer", l_MakeTestPlayer);
        ASSERT_EQ(Run(kObjectKinds), "");
    }
    void TearDown() override
    {
        // No stand-in outlives the test: the next one finds an empty world.
        for (TGameObject* object : world->objects)
            if (dynamic_cast<TStandInPlayer*>(object)) {
                world->Clear();
                break;
            }
        nextPlayer = nullptr;
        creationTransform = TCreationTransform();
        LevelFixture::TearDown();
    }

    void WriteLevel(const std::string& dir, const std::string& script, const std::string& objects)
    {
        if (!script.empty()) fixture.scratch.Write(dir + "/script.lua", script);
        if (!objects.empty()) fixture.scratch.Write(dir + "/objects.lua", objects);
    }

    size_t ObjectsNamed(const std::string& typeName)
    {
        size_t count = 0;
        for (TGameObject* object : world->objects) {
            auto* minimal = dynamic_cast<TMinimalObject*>(object);
            if (minimal && minimal->typeName == typeName) ++count;
        }
        return count;
    }

    TFakeCarrier carrier;
};

TEST_F(LevelLoading, RunsScriptThenObjectsInOneStateAndResetsTheWorld)
{
    WriteLevel("alpha", "order = 'script'; shared = 41; CreateObject(1, 2, 0, 'pillar')",
               "order = order .. ',objects'; seen = shared + 1; CreateObject(3, 4, 0, 'barrel')");
    ASSERT_EQ(Run("CreateObject(0, 0, 0, 'slab'); CreateObject(5, 5, 0, 'slab')"), "");
    ASSERT_EQ(Run("SetCreationTransform(100, 100, 1)"), "");
    auto* menu = dynamic_cast<TMainMenuState*>(stateRegistry.Find("mainmenu"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->noGameLoaded, 1);

    ASSERT_EQ(Run("LoadLevel('alpha', 0)"), "");

    EXPECT_EQ(String("order"), "script,objects");
    EXPECT_EQ(Number("seen"), 42);
    EXPECT_EQ(ObjectsNamed("slab"), 0u) << "the old level's objects were not cleared";
    EXPECT_EQ(ObjectsNamed("pillar"), 1u);
    EXPECT_EQ(ObjectsNamed("barrel"), 1u);
    EXPECT_EQ(world->levelDir, "alpha");
    EXPECT_EQ(game->currentLevelName, "alpha");
    EXPECT_EQ(menu->noGameLoaded, 0);
    EXPECT_NE(console.Text().find("Loading:alpha\n"), std::string::npos) << console.Text();
    EXPECT_TRUE(world->needsSort);
    EXPECT_EQ(world->introTimer, 0);
    // A level is built from the untransformed origin whatever was set before.
    for (TGameObject* object : world->objects) {
        auto* minimal = dynamic_cast<TMinimalObject*>(object);
        if (minimal && minimal->typeName == "pillar") {
            EXPECT_NEAR(object->GetPosition().x, 1.0f, 1e-5);
            EXPECT_NEAR(object->GetPosition().y, 2.0f, 1e-5);
        }
    }
    EXPECT_TRUE(world->levelStartStep) << "the level-start effect is not installed";
}

TEST_F(LevelLoading, FailingAndMissingScriptsAreReportedAndLoadingGoesOn)
{
    // script.lua fails half way: what it made stays, objects.lua still runs.
    WriteLevel("broken", "CreateObject(0, 0, 0, 'pillar'); error('script blew up')",
               "CreateObject(1, 1, 0, 'barrel'); reached = true");
    ASSERT_EQ(Run("LoadLevel('broken', 0)"), "");
    EXPECT_NE(console.Text().find("script blew up"), std::string::npos) << console.Text();
    EXPECT_EQ(String("tostring(reached)"), "true");
    EXPECT_EQ(ObjectsNamed("pillar"), 1u);
    EXPECT_EQ(ObjectsNamed("barrel"), 1u);

    // A syntax error in objects.lua: reported, the rest of the level stays.
    console = TConsole();
    WriteLevel("syntax", "CreateObject(0, 0, 0, 'slab')", "CreateObject(((");
    ASSERT_EQ(Run("LoadLevel('syntax', 0)"), "");
    EXPECT_NE(console.Text().find("syntax/objects.lua"), std::string::npos) << console.Text();
    EXPECT_EQ(ObjectsNamed("slab"), 1u);

    // No directory at all: said plainly, the world is left empty, the game goes on.
    console = TConsole();
    ASSERT_EQ(Run("LoadLevel('nowhere', 0)"), "");
    EXPECT_NE(console.Text().find("Level directory \"nowhere\" not found"), std::string::npos) << console.Text();
    EXPECT_NE(console.Text().find("nowhere/script.lua"), std::string::npos) << console.Text();
    EXPECT_EQ(ObjectsNamed("slab"), 0u);
    EXPECT_EQ(world->levelDir, "nowhere");
    UpdateWithKeys({});
}

TEST_F(LevelLoading, DelayedChangeCountsDownToTheLevelEndAndHandsTheStateOver)
{
    WriteLevel("first", "MakeTestPlayer()", "");
    WriteLevel("second", "MakeTestPlayer(); built = 'second'", "");
    WriteLevel("third", "built = 'third'", "");
    ASSERT_EQ(Run("LoadLevel('first', 0)"), "");
    game->SetState("game");
    game->levelEndCountdown = -5;  // long after any earlier change
    ASSERT_TRUE(StandInIsThePlayer());

    carrier.ammo[0] = 30;
    carrier.ammo[9] = 4;
    carrier.health = 37.5f;
    carrier.inventory[0] = {"pistol", 7, ""};
    carrier.inventory[3] = {"medkit", 0, "small"};
    carrier.inventory[5] = {"unknown_thing", 1, ""};
    for (int i = 0; i < 12; ++i) world->Step();
    world->killCounts["zombie"] = 3;

    ASSERT_EQ(Run("LoadLevel('second', 1)"), "");
    EXPECT_EQ(game->levelEndCountdown, 57);
    EXPECT_EQ(game->nextLevelName, "second");
    ASSERT_EQ(Run("LoadLevel('third', 1)"), "");  // a second change during the countdown is ignored
    EXPECT_EQ(game->levelEndCountdown, 57);
    EXPECT_EQ(game->nextLevelName, "second");

    for (int frame = 1; frame <= 56; ++frame) {
        UpdateWithKeys({});
        ASSERT_EQ(game->currentStateName, "game") << "frame " << frame;
    }
    const int stepsBeforeEnd = world->stepCount;
    UpdateWithKeys({});
    ASSERT_EQ(game->currentStateName, "levelend");

    // Entering the level-end screen stored the player's state and the level's counts.
    const TLevelProgress& progress = *game->progress;
    EXPECT_TRUE(progress.carriedStateValid);
    EXPECT_EQ(progress.ammo[0], 30);
    EXPECT_EQ(progress.ammo[9], 4);
    EXPECT_FLOAT_EQ(progress.health, 37.5f);
    EXPECT_EQ(progress.slots[0].name, "pistol");
    EXPECT_EQ(progress.slots[0].count, 7);
    EXPECT_EQ(progress.slots[3].text, "small");
    EXPECT_EQ(progress.slots[1].name, "---");
    EXPECT_EQ(progress.slots[1].count, 0);
    EXPECT_EQ(progress.time, stepsBeforeEnd);
    EXPECT_EQ(progress.kills.at("zombie"), 3);

    // The new level's player starts empty-handed.
    TFakeCarrier newPlayer;
    nextPlayer = &newPlayer;
    UpdateWithKeys({SDLK_SPACE});  // any key leaves the level-end screen
    EXPECT_EQ(game->currentStateName, "game");
    EXPECT_EQ(String("built"), "second");
    EXPECT_EQ(game->currentLevelName, "second");
    EXPECT_EQ(game->applyCarryOver, 1);
    EXPECT_TRUE(newPlayer.received.empty()) << "handed over before the next update";

    UpdateWithKeys({});
    EXPECT_EQ(game->applyCarryOver, 0);
    EXPECT_EQ(newPlayer.ammo[0], 30);
    EXPECT_EQ(newPlayer.ammo[9], 4);
    EXPECT_FLOAT_EQ(newPlayer.health, 37.5f);
    ASSERT_EQ(newPlayer.received.size(), 2u) << "empty slots stay empty, unknown items are dropped";
    EXPECT_EQ(newPlayer.received[0].name, "pistol");
    EXPECT_EQ(newPlayer.received[0].count, 7) << "a loaded firearm keeps its rounds";
    EXPECT_EQ(newPlayer.received[1].name, "medkit");

    // Entering through the gate saved the campaign: the level and the player as he arrived.
    const std::string save = ReadFile("campaign");
    EXPECT_NE(save.find("level\tsecond\n"), std::string::npos) << save;
    EXPECT_NE(save.find("health\t37.500000\n"), std::string::npos) << save;
    EXPECT_NE(save.find("slot\t0\t7\tpistol\t\n"), std::string::npos) << save;
}

TEST_F(LevelLoading, APlayerKilledWhileTheGateCountsDownDoesNotGetThrough)
{
    WriteLevel("first", "MakeTestPlayer()", "");
    WriteLevel("second", "MakeTestPlayer(); built = 'second'", "");
    ASSERT_EQ(Run("LoadLevel('first', 0)"), "");
    game->SetState("game");
    game->levelEndCountdown = -5;
    ASSERT_EQ(Run("LoadLevel('second', 1)"), "");
    carrier.health = -4.0f;  // shot down in the gate
    for (int frame = 1; frame <= 60; ++frame) UpdateWithKeys({});
    EXPECT_EQ(game->currentStateName, "game") << "the death, not the level end, comes next";
    EXPECT_EQ(String("tostring(built)"), "nil");
    EXPECT_FALSE(std::filesystem::exists("campaign"));
}

TEST_F(LevelLoading, CarriedStateNeedsAPlayerAndAValidRecord)
{
    // No player: storing changes nothing.
    game->player = nullptr;
    game->progress->Reset();
    StoreCarriedState(game);
    EXPECT_FALSE(game->progress->carriedStateValid);

    // A record that was never stored is not handed to a player.
    new TStandInPlayer();
    carrier.health = 80.0f;
    carrier.ammo[2] = 5;
    ApplyCarriedState(game);
    EXPECT_FLOAT_EQ(carrier.health, 80.0f);
    EXPECT_EQ(carrier.ammo[2], 5);

    // ResetSave gives a fresh record: health 100, no ammunition, empty slots.
    game->progress->ammo[2] = 9;
    game->progress->health = 3.0f;
    game->progress->slots[4] = {"rifle", 12, "x"};
    game->progress->carriedStateValid = true;
    ASSERT_EQ(Run("ResetSave()"), "");
    EXPECT_FLOAT_EQ(game->progress->health, 100.0f);
    EXPECT_EQ(game->progress->ammo[2], 0);
    EXPECT_EQ(game->progress->slots[4].name, "---");
    EXPECT_FALSE(game->progress->carriedStateValid);

    // The player's position for the teleport effects, in pixels.
    carrier.position = b2Vec2(2.0f, -1.5f);
    float x = 0, y = 0;
    ASSERT_TRUE(PlayerPixelPosition(game, &x, &y));
    EXPECT_FLOAT_EQ(x, 24.0f);
    EXPECT_FLOAT_EQ(y, -18.0f);
    game->player = nullptr;
    EXPECT_FALSE(PlayerPixelPosition(game, &x, &y));
}

TEST_F(LevelLoading, SavedLevelRebuildsTheSameObjects)
{
    ASSERT_EQ(Run("CreateObject(1.5, -2.25, 0.5, 'pillar');"
                  "CreateObject(-7, 3, 0, 'barrel');"
                  "CreateObject(10, 10, 1.25, 'slab');"
                  "CreateObject(11, 10, 0, 'slab')"),
              "");
    std::filesystem::create_directories(fixture.scratch.path() / "saved");
    ASSERT_EQ(Run("SaveLevel('saved')"), "");

    const std::string text = ReadFile(fixture.scratch.File("saved/static.lua"));
    EXPECT_EQ(text.rfind("CreateObject(1.500000,-2.250000,0.500000,\"pillar\")\n", 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
    EXPECT_EQ(text.find('\t'), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(fixture.scratch.path() / "saved/static.lua.tmp"));

    ASSERT_EQ(Run("ClearLevel()"), "");
    EXPECT_EQ(ObjectsNamed("slab"), 0u);
    ASSERT_EQ(Run("dofile('saved/static.lua')"), "");
    EXPECT_EQ(ObjectsNamed("pillar"), 1u);
    EXPECT_EQ(ObjectsNamed("barrel"), 1u);
    EXPECT_EQ(ObjectsNamed("slab"), 2u);
    // Saving the rebuilt level gives the same file.
    ASSERT_EQ(Run("SaveLevel('saved')"), "");
    EXPECT_EQ(ReadFile(fixture.scratch.File("saved/static.lua")), text);
}

TEST_F(LevelLoading, UnwritableSaveLeavesTheOldFileAndSaysSo)
{
    namespace fs = std::filesystem;
    fs::create_directories(fixture.scratch.path() / "kept");
    fixture.scratch.Write("kept/static.lua", "old = true\n");
    // The temporary file cannot be made: a directory is in its way.
    fs::create_directories(fixture.scratch.path() / "kept/static.lua.tmp");
    ASSERT_EQ(Run("CreateObject(0, 0, 0, 'pillar'); SaveLevel('kept')"), "");
    EXPECT_EQ(ReadFile(fixture.scratch.File("kept/static.lua")), "old = true\n");
    EXPECT_NE(console.Text().find("Level not saved"), std::string::npos) << console.Text();

    console = TConsole();
    ASSERT_EQ(Run("SaveLevel('no_such_dir')"), "");
    EXPECT_FALSE(fs::exists(fixture.scratch.path() / "no_such_dir"));
    EXPECT_NE(console.Text().find("Level not saved"), std::string::npos) << console.Text();

    // Only a plain directory name: never a level saved beside or above the game's folders.
    fs::create_directories(fixture.scratch.path() / "inner");
    fs::current_path(fixture.scratch.path() / "inner");
    for (const char* dir : {"..", "../kept", ".", "kept/../..", "..\\kept", "\0kept"}) {
        console = TConsole();
        lua_State* L = luaState;
        lua_getglobal(L, "SaveLevel");
        lua_pushlstring(L, dir, dir[0] ? std::strlen(dir) : 5);
        ASSERT_EQ(lua_pcall(L, 1, 0, 0), 0);
        EXPECT_NE(console.Text().find("is not a level directory's plain name"), std::string::npos)
            << dir << "\n" << console.Text();
    }
    fs::current_path(fixture.scratch.path());
    EXPECT_FALSE(fs::exists(fixture.scratch.path() / "static.lua"));
    EXPECT_FALSE(fs::exists(fixture.scratch.path() / "inner/static.lua"));
    EXPECT_EQ(ReadFile(fixture.scratch.File("kept/static.lua")), "old = true\n");
}

TEST_F(LevelLoading, ModuleListAndClearLevel)
{
    ASSERT_EQ(Run("AddModule('a'); AddModule('b'); AddModule('a')"), "");
    EXPECT_EQ(game->moduleNames, (std::vector<std::string>{"a", "b", "a"}));
    ASSERT_EQ(Run("ClearModules(); AddModule('c')"), "");
    EXPECT_EQ(game->moduleNames, (std::vector<std::string>{"c"}));
    EXPECT_NE(Run("AddModule()"), "");

    ASSERT_EQ(Run("CreateObject(0, 0, 0, 'pillar'); ClearLevel()"), "");
    EXPECT_EQ(ObjectsNamed("pillar"), 0u);
}

} // namespace
