// The piece creators as level scripts call them, and the lines the pieces
// write back when a level or module is saved.
#include "render/Sprite.h"
#include "script/Handles.h"
#include "world/CreationTransform.h"
#include "world/FloorBitmap.h"
#include "world/Kast.h"
#include "world/MinimalObject.h"
#include "world/Node.h"
#include "world/Sein.h"
#include "world/TextObject.h"
#include "world/Trigger.h"
#include "world_test_support.h"
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

class PieceApi : public WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        creationTransform = TCreationTransform();
        saveOriginX = saveOriginY = 0.0f;
        ASSERT_EQ(Run("scripttable = {go = function() end}\n"
                      "objectlist = {mapmarker = {collision = 2, depth = 0, frame = 0, rectangle = 0,\n"
                      "  fovshadows = 0, material = 0, sprite = 'spr_none', rw = 6, rh = 6,\n"
                      "  shadowdist = 0, mass = 0}}\n"
                      "sprites = {}\nfunction GetSprite(name) return sprites[name] end"),
                  "");
        std::strncpy(texture.name, "tiles", sizeof texture.name - 1);
        texture.width = texture.height = 128;
        sprite.texture = &texture;
        sprite.frameCount = 4;
        sprite.frames.resize(4);
        for (int i = 0; i < 4; ++i) sprite.SetFrame(i, 16 * i, 32, 16 * i + 16, 56);
        RegisterHandle(&sprite, HandleKind::Sprite);
        lua_pushlightuserdata(luaState, &sprite);
        lua_setglobal(luaState, "tilesprite");
        ASSERT_EQ(Run("sprites.spr_tiles = tilesprite"), "");
    }
    void TearDown() override
    {
        world->Clear();
        UnregisterHandle(&sprite);
        creationTransform = TCreationTransform();
        saveOriginX = saveOriginY = 0.0f;
        WorldFixture::TearDown();
    }

    template <typename T>
    T* Created(const char* global)
    {
        return ObjectFromHandleAs<T>(GlobalPointer(global));
    }

    TFloorBitmap* LastBitmap() { return static_cast<TFloorBitmap*>(world->bitmaps.back()); }

    TTexture texture;
    TSprite sprite;
};

} // namespace

TEST_F(PieceApi, EveryPieceWritesTheCallThatRecreatesIt)
{
    ASSERT_EQ(Run("CreateBlock(1, 2, 0.5, 3, 0)\n"
                  "CreateBlock(1, 2, 0, 1, 6, 7)\n"
                  "CreateBlock2(3, 4, 0.25, 'spr_tiles', 2, 1)\n"
                  "CreateDoor(5, 6, 0, 1)\n"
                  "CreateContainer(7, 8, 0.5, 'spr_hiteckast', 'pistol')\n"
                  "CreateTrigger(9, 10, 1.5, 'go', 3)\n"
                  "CreateNode(11, 12, 0.5, 2)\n"
                  "CreateDirectionController(13, 14, 0.5, 2)\n"
                  "CreateMapMarker(15, 16, 1, 0.5, 0)\n"
                  "CreateTextObj(17, 18, 'hello')\n"
                  "CreateBitmap(19, 20, 0.5, 0, 0, 32, 16, 'floor')"),
              "");
    const char* expected =
        "CreateBitmap(19.000000,20.000000,0.500000,0,0,32,16,\"floor\")\n"
        "CreateBlock(1.000000,2.000000,0.500000,3,0)\n"
        "CreateBlock(1.000000,2.000000,0.000000,1,6,7)\n"
        "CreateBlock2(3.000000,4.000000,0.250000,\"spr_tiles\",2,1)\n"
        "CreateDoor(5.000000,6.000000,0.000000,1)\n"
        "CreateContainer(7.000000,8.000000,0.500000,\"spr_hiteckast\")\n"
        "CreateTrigger(9.000000,10.000000,1.500000,\"go\",3)\n"
        "CreateNode(11.000000,12.000000,0.500000,2)\n"
        "CreateDirectionController(13.000000,14.000000,0.500000,2.000000)\n"
        "CreateMapMarker(15.000000,16.000000,1.000000,0.500000,0.000000)\n";
    EXPECT_EQ(world->CreateCommands(), expected);

    // A module saved with its origin at (1, 2): everything moves by it, triggers
    // and direction controllers too, so they stay in their room.
    saveOriginX = 1.0f;
    saveOriginY = 2.0f;
    const char* moved =
        "CreateBitmap(18.000000,18.000000,0.500000,0,0,32,16,\"floor\")\n"
        "CreateBlock(0.000000,0.000000,0.500000,3,0)\n"
        "CreateBlock(0.000000,0.000000,0.000000,1,6,7)\n"
        "CreateBlock2(2.000000,2.000000,0.250000,\"spr_tiles\",2,1)\n"
        "CreateDoor(4.000000,4.000000,0.000000,1)\n"
        "CreateContainer(6.000000,6.000000,0.500000,\"spr_hiteckast\")\n"
        "CreateTrigger(8.000000,8.000000,1.500000,\"go\",3)\n"
        "CreateNode(10.000000,10.000000,0.500000,2)\n"
        "CreateDirectionController(12.000000,12.000000,0.500000,2.000000)\n"
        "CreateMapMarker(14.000000,14.000000,1.000000,0.500000,0.000000)\n";
    EXPECT_EQ(world->CreateCommands(), moved);
}

TEST_F(PieceApi, SavedLinesRebuildTheSamePieces)
{
    ASSERT_EQ(Run("b = CreateBlock2(3, 4, 0.25, 'spr_tiles', 2, 1)\n"
                  "c = CreateContainer(1, 1, 0.75, 'spr_metallkast')"),
              "");
    TSein* block = Created<TSein>("b");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->sprite, &sprite);
    EXPECT_EQ(block->GetDepth(), 10);
    EXPECT_FALSE(block->fovShadows);
    b2AABB box;
    block->body->GetFixtureList()->GetShape()->ComputeAABB(&box, b2Transform(b2Vec2(0, 0), b2Rot(0)), 0);
    EXPECT_NEAR(box.upperBound.x, 16.0f / 24.0f + b2_polygonRadius, 1e-4f) << "the frame's size";
    EXPECT_NEAR(box.upperBound.y, 1.0f + b2_polygonRadius, 1e-4f);

    const std::string saved = world->CreateCommands();
    world->Clear();
    ASSERT_EQ(Run(saved), "");
    EXPECT_EQ(world->CreateCommands(), saved);
    TSein* again = nullptr;
    for (TGameObject* o : world->objects)
        if (auto* s = dynamic_cast<TSein*>(o)) again = s;
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->material, 1);
    EXPECT_FLOAT_EQ(again->frame, 2.0f);
    EXPECT_EQ(again->sprite, &sprite);
}

TEST_F(PieceApi, CreatorsFollowTheCreationTransformRules)
{
    const float quarter = std::numbers::pi_v<float> / 2.0f;
    ASSERT_EQ(Run("SetCreationTransform(100, 50, math.pi / 2)\n"
                  "b = CreateBlock(10, 0, 0.25, 0, 0)\n"
                  "b2 = CreateBlock2(10, 0, 0.25, 'spr_tiles', 0, 0)\n"
                  "c = CreateContainer(10, 0, 0.25, 'spr_metallkast')\n"
                  "t = CreateTrigger(10, 0, 1, 'go', 0)\n"
                  "n = CreateNode(10, 0, 0.25)\n"
                  "x = CreateTextObj(10, 0, 'label')\n"
                  "bm = CreateBitmap(10, 0, 0.25, 'spr_tiles', 1)"),
              "");
    const b2Vec2 mapped(100.0f, 60.0f);
    for (const char* name : {"b", "b2", "c", "t", "n"}) {
        SCOPED_TRACE(name);
        TGameObject* object = Created<TGameObject>(name);
        ASSERT_NE(object, nullptr);
        EXPECT_NEAR(object->GetPosition().x, mapped.x, 1e-4f);
        EXPECT_NEAR(object->GetPosition().y, mapped.y, 1e-4f);
    }
    EXPECT_NEAR(Created<TGameObject>("b")->GetAngle(), 0.25f + quarter, 1e-5f);
    EXPECT_NEAR(Created<TGameObject>("b2")->GetAngle(), 0.25f, 1e-5f) << "CreateBlock2 keeps the angle";
    EXPECT_NEAR(Created<TGameObject>("c")->GetAngle(), quarter - 0.25f, 1e-5f);
    EXPECT_NEAR(Created<TGameObject>("n")->GetAngle(), 0.25f + quarter, 1e-5f);
    EXPECT_EQ(Created<TNode>("n")->kind, 0) << "three arguments: kind 0";
    EXPECT_EQ(Created<TGameObject>("x")->GetPosition(), b2Vec2(10, 0)) << "text ignores the transform";
    EXPECT_EQ(Created<TGameObject>("x")->GetDepth(), 1000);
    EXPECT_EQ(Created<TGameObject>("x")->GetCreateCommand(), "");

    // The crate saves the negated body angle, which CreateContainer turns back.
    EXPECT_NE(Created<TKast>("c")->GetCreateCommand().find(",-1.320796,"), std::string::npos)
        << Created<TKast>("c")->GetCreateCommand();

    // The bitmap turns against the transform and covers the sprite frame.
    TFloorBitmap* bitmap = LastBitmap();
    EXPECT_NEAR(bitmap->centre.x, 1200.0f, 1e-2f);
    EXPECT_NEAR(bitmap->centre.y, 720.0f, 1e-2f);
    EXPECT_NEAR(bitmap->angle, 0.25f - quarter, 1e-5f);
    EXPECT_EQ(bitmap->textureName, "tiles");
    EXPECT_FLOAT_EQ(bitmap->x1, 16.0f);
    EXPECT_FLOAT_EQ(bitmap->y1, 32.0f);
    EXPECT_FLOAT_EQ(bitmap->x2, 32.0f);
    EXPECT_FLOAT_EQ(bitmap->y2, 56.0f);

    ASSERT_EQ(Run("n4 = CreateNode(0, 0, 0, 2.7)"), "");
    EXPECT_EQ(Created<TNode>("n4")->kind, 2) << "the kind is truncated";
    EXPECT_EQ(Created<TNode>("n4")->collision, 0);
}

TEST_F(PieceApi, FloorBitmapCornersAndArgumentCounts)
{
    ASSERT_EQ(Run("bm = CreateBitmap(1, 1, 0, 0, 0, 24, 12, 'floor')"), "");
    EXPECT_NE(GlobalPointer("bm"), nullptr);
    TFloorBitmap* flat = LastBitmap();
    EXPECT_EQ(flat->corners[0], b2Vec2(0.0f, 6.0f));
    EXPECT_EQ(flat->corners[2], b2Vec2(24.0f, 18.0f));

    ASSERT_EQ(Run("bm = CreateBitmap(0, 0, math.pi / 2, 0, 0, 24, 12, 'floor')"), "");
    TFloorBitmap* turned = LastBitmap();
    // A quarter turn swaps the extents: 12 wide and 24 high.
    float maxX = 0.0f, maxY = 0.0f;
    for (const b2Vec2& c : turned->corners) {
        maxX = std::max(maxX, c.x);
        maxY = std::max(maxY, c.y);
    }
    EXPECT_NEAR(maxX, 6.0f, 1e-4f);
    EXPECT_NEAR(maxY, 12.0f, 1e-4f);

    const size_t count = world->bitmaps.size();
    ASSERT_EQ(Run("r6 = CreateBitmap(0, 0, 0, 0, 0, 24)\nr3 = CreateBitmap(0, 0, 0)\n"
                  "n6 = select('#', CreateBitmap(0, 0, 0, 0, 0, 24))"),
              "");
    EXPECT_EQ(GlobalNumber("n6"), 0.0) << "nothing returned, not even nil";
    EXPECT_EQ(world->bitmaps.size(), count);

    testing::internal::CaptureStderr();
    ASSERT_EQ(Run("r5 = CreateBitmap(0, 0, 0, 'spr_tiles', 9)\nu5 = CreateBitmap(0, 0, 0, 'spr_nope', 0)"), "");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("has no frame 9"), std::string::npos);
    EXPECT_EQ(world->bitmaps.size(), count);
    EXPECT_EQ(GlobalPointer("r5"), nullptr);

    // Parked bitmaps are not saved.
    ASSERT_EQ(Run("CreateBitmap(10000 / 12, 10000 / 12, 0, 0, 0, 8, 8, 'floor')"), "");
    EXPECT_EQ(LastBitmap()->GetCreateCommand(), "");
}

TEST_F(PieceApi, AddItemChecksTheCrateHandle)
{
    ASSERT_EQ(Run("c = CreateContainer(0, 0, 0, 'spr_metallkast', 'pistol')\n"
                  "container.AddItem(c, 'medkit')\ncontainer.AddItem(c, 'unheard_of')\n"
                  "wall = CreateBlock(5, 5, 0, 0, 0)"),
              "");
    TKast* crate = Created<TKast>("c");
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(crate->items, (std::vector<std::string>{"pistol", "medkit", "unheard_of"}));
    // An unturned crate writes a plain zero angle, so a saved room saves again the same.
    EXPECT_EQ(crate->GetCreateCommand(), "CreateContainer(0.000000,0.000000,0.000000,\"spr_metallkast\")\n");

    ASSERT_EQ(Run("container.AddItem(wall, 'pistol')\ncontainer.AddItem(nil, 'pistol')"), "");
    EXPECT_EQ(console.Text().find("container.AddItem:invalid pointer\ncontainer.AddItem:invalid pointer\n") !=
                  std::string::npos,
              true)
        << console.Text();

    crate->dead = 1;
    world->Step();
    console = TConsole();
    ASSERT_EQ(Run("container.AddItem(c, 'pistol')"), "") << "a stale handle is reported, not followed";
    EXPECT_NE(console.Text().find("container.AddItem:invalid pointer\n"), std::string::npos);

    ASSERT_EQ(Run("c2 = CreateContainer(0, 0, 0, 'spr_metallkast')"), "");
    EXPECT_NE(Run("container.AddItem(c2)"), "") << "the name is required";
    EXPECT_NE(Run("CreateContainer(0, 0, 0, 'spr_metallkast', 'pistol', 5 > 4)"), "");
}

TEST_F(PieceApi, BadArgumentsAreScriptErrorsAndBuildNothing)
{
    const size_t objects = world->objects.size();
    for (const char* call :
         {"CreateBlock(0/0, 0, 0, 0, 0)", "CreateBlock(1/0, 0, 0, 0, 0)", "CreateBlock2(0, 0, 0, {}, 0, 0)",
          "CreateBreakableBlock(0, 0, 0)", "CreateDoor('a', 0, 0)", "CreateDoor(0, 0, 0, 'x')",
          "CreateContainer(0, 0, 0)", "CreateNode(0, 0)", "CreateNode(0, 0, 0, 'x')",
          "CreateDirectionController(0, 0, 0)", "CreateDirectionController(0, 0, 0, 0)",
          "CreateMapMarker(0, 0, 1, 1)", "CreateTextObj(0, 0)", "CreateTrigger(0, 0, 0/0, 'go', 0)",
          "CreateBitmap(0, 0, 0, 0, 0, 24, 12, {})", "CreateBitmap(0, 0, 0, 'spr_tiles', 'x')"}) {
        EXPECT_NE(Run(call), "") << call;
    }
    EXPECT_EQ(world->objects.size(), objects);
    EXPECT_TRUE(world->bitmaps.empty());
}
