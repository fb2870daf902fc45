// The module file writer (F7), the level-start effect and the free camera.
#include "core/App.h"
#include "level/editor/FreeCamera.h"
#include "level/editor/SelectionEditor.h"
#include "level/LevelStartEffect.h"
#include "level/ModuleFile.h"
#include "level_test_support.h"
#include "render/Camera.h"
#include "render/effects/ParticleSystem.h"
#include "world/GameObject.h"
#include "util/UserStatePaths.h"
#include "world/MinimalObject.h"
#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

using testing_support::PressKeys;

const char* kObjectKinds = R"(
objectlist = { post = { collision = 1, depth = 0, frame = 0, rectangle = 0, fovshadows = 0, material = 0,
                        sprite = "spr_none", rw = 6, rh = 6, shadowdist = 1, mass = 0 } }
)";

class ModuleWriting : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        world->Clear();
        ASSERT_EQ(Run(kObjectKinds), "");
        std::filesystem::create_directories(fixture.scratch.path() / "mods");
    }
    void TearDown() override
    {
        saveOriginX = saveOriginY = 0.0f;
        moduleRect = TModuleRect();
        LevelFixture::TearDown();
    }
    void SelectAll()
    {
        for (TGameObject* object : world->objects) object->selected = 1;
    }
};

TEST_F(ModuleWriting, WritesTheSelectionAroundItsCentreInTheModuleFormat)
{
    ASSERT_EQ(Run("a = CreateObject(12, 20, 0, 'post'); b = CreateObject(16, 24, 0.5, 'post');"
                  "n1 = CreateNode(17, 22, 0, 0); n2 = CreateNode(12, 21, 3.141593, 0);"
                  "n3 = CreateNode(14, 22, 0, 2); left = CreateObject(0, 0, 0, 'post')"),
              "");
    SelectAll();
    for (TGameObject* object : world->objects) {
        auto* minimal = dynamic_cast<TMinimalObject*>(object);
        if (minimal && object->GetPosition().x == 0.0f) object->selected = 0;  // not part of the module
    }
    moduleRect = {12, 20, 17, 24};
    saveOriginX = 14.5f;
    saveOriginY = 22.0f;

    const std::string text = ModuleFileText(*world, "hut", moduleRect);
    const std::string expectedStart =
        "modlist.hut={}\n"
        "modlist.hut.w=-5.000000\n"
        "modlist.hut.h=-4.000000\n"
        "\n"
        "table.insert(modlist.hut,{x=2.500000,y=0.000000,a=0.000000})\n"
        "table.insert(modlist.hut,{x=-2.500000,y=-1.000000,a=3.141593})\n"
        "\n"
        "function modlist.hut.CreateObjects()\n"
        "\tCreateObject(-2.500000,-2.000000,0.000000,\"post\")\n"
        "\tCreateObject(1.500000,2.000000,0.500000,\"post\")\n"
        "\tCreateNode(2.500000,0.000000,0.000000,0)\n";
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart) << text;
    EXPECT_NE(text.find("\tCreateNode(-0.500000,0.000000,0.000000,2)\n"), std::string::npos)
        << "nodes of other kinds are objects, not connections\n" << text;
    EXPECT_EQ(text.find("CreateObject(-14.5"), std::string::npos) << "an unselected object was written";
    EXPECT_EQ(text.substr(text.size() - 4), "end\n");

    // Written and read back: the scripts see the module.
    ASSERT_TRUE(SaveModule(*world, "hut"));
    EXPECT_NE(console.Text().find("Module saved as ./mods/hut.lua"), std::string::npos) << console.Text();
    EXPECT_EQ(ReadFile(fixture.scratch.File("mods/hut.lua")), text);
    ASSERT_EQ(Run("modlist = {}; dofile('mods/hut.lua')"), "");
    EXPECT_EQ(Number("#modlist.hut"), 2);
    EXPECT_EQ(Number("modlist.hut[2].x"), -2.5);
    EXPECT_EQ(String("type(modlist.hut.CreateObjects)"), "function");
}

TEST_F(ModuleWriting, AnInstalledGameSavesTheRoomAmongThePlayersOwnFiles)
{
    const std::filesystem::path xdg = fixture.scratch.path() / "xdg";
    testing_support::ScopedEnv xdgHome("XDG_DATA_HOME", xdg.string());
    fixture.scratch.Write(TUserStatePaths::kInstalledMarker, "installed\n");
    const TUserStatePaths before = userStatePaths;
    userStatePaths = TUserStatePaths(".");
    ASSERT_EQ(Run("CreateObject(3, 3, 0, 'post')"), "");
    SelectAll();
    const bool saved = SaveModule(*world, "hut");
    userStatePaths = before;

    ASSERT_TRUE(saved) << console.Text();
    const std::filesystem::path own = xdg / "korvanmire/content/mods/hut.lua";
    EXPECT_NE(ReadFile(own.string()).find("modlist.hut={}"), std::string::npos);
    EXPECT_NE(console.Text().find("Module saved as " + own.string()), std::string::npos) << console.Text();
    EXPECT_FALSE(std::filesystem::exists(fixture.scratch.path() / "mods/hut.lua"));
}

TEST_F(ModuleWriting, BeforeAnySelectionTheModuleIsEmptyWithZeroSize)
{
    ASSERT_EQ(Run("CreateObject(3, 3, 0, 'post')"), "");
    const std::string text = ModuleFileText(*world, "empty", TModuleRect());
    EXPECT_EQ(text,
              "modlist.empty={}\nmodlist.empty.w=0.000000\nmodlist.empty.h=0.000000\n\n\n"
              "function modlist.empty.CreateObjects()\nend\n");
}

TEST_F(ModuleWriting, FailedSavesKeepTheOldFile)
{
    ASSERT_EQ(Run("CreateObject(3, 3, 0, 'post')"), "");
    SelectAll();  // something to write, so the write itself fails
    fixture.scratch.Write("mods/kept.lua", "old\n");
    std::filesystem::create_directories(fixture.scratch.path() / "mods/kept.lua.tmp");
    EXPECT_FALSE(SaveModule(*world, "kept"));
    EXPECT_EQ(ReadFile(fixture.scratch.File("mods/kept.lua")), "old\n");
    EXPECT_NE(console.Text().find("Module not saved"), std::string::npos) << console.Text();

    // Names that would not make modlist.<name> are refused before anything is written.
    for (const char* bad : {"", "two words", "../escape", "9lives", "a.b"}) {
        EXPECT_FALSE(SaveModule(*world, bad)) << bad;
        EXPECT_FALSE(IsModuleName(bad)) << bad;
    }
    EXPECT_TRUE(IsModuleName("room_2"));
    EXPECT_FALSE(std::filesystem::exists(fixture.scratch.path() / "escape.lua"));
}

class LevelStart : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        world->Clear();
        TLevelStartEffect::Install(*world);
    }
};

// Every shipped room, built at the origin as F12 builds it, selected whole and
// written as F7 writes it, is its file again byte for byte, but for the
// angle of pillars (block type 2), which every build turns at random.
std::string WithoutPillarAngles(const std::string& text)
{
    const std::string call = "CreateBlock(";
    std::string out;
    size_t from = 0;
    for (size_t at = text.find(call); at != std::string::npos; at = text.find(call, from)) {
        // CreateBlock(x, y, angle, sprite, type): the commas after the first four.
        size_t commas[4] = {};
        size_t next = at + call.size();
        bool four = true;
        for (size_t& comma : commas) {
            comma = text.find(',', next);
            if (comma == std::string::npos) {
                four = false;
                break;
            }
            next = comma + 1;
        }
        const bool pillar = four && text.compare(commas[3] + 1, 2, "2)") == 0;
        const size_t kept = pillar ? commas[1] + 1 : at + call.size();
        out.append(text, from, kept - from);
        if (pillar) out += '*';
        from = pillar ? commas[2] : kept;
    }
    out.append(text, from);
    return out;
}

class ShippedRooms : public LevelFixture {
protected:
    void TearDown() override
    {
        saveOriginX = saveOriginY = 0.0f;
        moduleRect = TModuleRect();
        LevelFixture::TearDown();
    }
};

TEST_F(ShippedRooms, EachSavesBackAsTheSameFile)
{
    LoadCampaign();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(SourceData() / "mods"))
        if (entry.path().extension() == ".lua") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 40u);
    for (const std::string& name : names) {
        world->Clear();
        ASSERT_EQ(Run("SetCreationTransform(0, 0, 0) modlist['" + name + "'].CreateObjects()"), "") << name;
        TSelectionEditor(*world).SelectRectangle(b2Vec2(-1000, -1000), b2Vec2(1000, 1000), false);
        EXPECT_EQ(WithoutPillarAngles(ModuleFileText(*world, name, moduleRect)),
                  WithoutPillarAngles(ReadFile((SourceData() / "mods" / (name + ".lua")).string())))
            << name << " does not save back as it was";
    }
}

TEST_F(LevelStart, SparksForTheFirst99StepsThenOnlyImpulses)
{
    ASSERT_NE(world->particles, nullptr);
    for (int t = 1; t <= 99; ++t) world->Step();
    EXPECT_EQ(world->introTimer, 99);
    EXPECT_EQ(world->particles->AliveCount() > 0, true);
    // Sparks live briefly; after the spark phase they die out and no new ones come.
    for (int t = 100; t <= 126; ++t) world->Step();
    EXPECT_EQ(world->particles->AliveCount(), 0);

    // The flashes of the late pass.
    int flashes = 0;
    for (int t = 0; t <= 200; ++t) flashes += TLevelStartEffect::FlashesAt(t) ? 1 : 0;
    EXPECT_EQ(flashes, 5);
    EXPECT_TRUE(TLevelStartEffect::FlashesAt(127));
    EXPECT_FALSE(TLevelStartEffect::FlashesAt(126));
}

TEST_F(LevelStart, FreeCameraPansOnlyWithoutAPlayer)
{
    cameraX = 100.0f;
    cameraY = 50.0f;
    cameraZoom = 1.0f;
    PressKeys({SDLK_RIGHT, SDLK_UP});
    EXPECT_TRUE(UpdateFreeCamera(game));
    EXPECT_FLOAT_EQ(cameraX, 106.0f);
    EXPECT_FLOAT_EQ(cameraY, 44.0f);
    inputTables = TInputTables();
    PressKeys({SDLK_LEFT, SDLK_LSHIFT});
    EXPECT_TRUE(UpdateFreeCamera(game));
    EXPECT_FLOAT_EQ(cameraX, 82.0f);
    inputTables = TInputTables();
    PressKeys({});
    EXPECT_FALSE(UpdateFreeCamera(game));

    game->player = reinterpret_cast<TPlayer*>(0x1000);
    PressKeys({SDLK_RIGHT});
    EXPECT_FALSE(UpdateFreeCamera(game));
    EXPECT_FLOAT_EQ(cameraX, 82.0f);
    game->player = nullptr;
}

} // namespace
