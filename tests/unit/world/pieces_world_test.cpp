// Static world pieces in a running world: block bodies, breakable blocks,
// doors, crates, triggers, direction controllers and map markers. Nothing is
// drawn; sprites the pieces size themselves by are registered by hand.
#include "player/Player.h"
#include "player/PlayerInventory.h"
#include "render/effects/ParticleSystem.h"
#include "render/Sprite.h"
#include "script/Handles.h"
#include "world/DirectionController.h"
#include "world/Door.h"
#include "world/Kast.h"
#include "world/MapMarker.h"
#include "world/PuuSein.h"
#include "world/Sein.h"
#include "world/Trigger.h"
#include "world/UkseSein.h"
#include "world/CreationTransform.h"
#include "items_test_support.h"
#include "world_test_support.h"
#include <cmath>
#include <cstring>
#include <memory>

namespace {

class Pieces : public WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        creationTransform = TCreationTransform();
        ASSERT_EQ(Run("sprites = {}\nfunction GetSprite(name) return sprites[name] end\n"
                      "settings = {keys = {use = 101, nextitem = 110, previtem = 112, shoot = 323}}"),
                  "");
    }
    void TearDown() override
    {
        world->Clear();
        for (auto& s : sprites) UnregisterHandle(s.get());
        WorldFixture::TearDown();
    }

    // A sprite of `count` frames of w x h pixels that GetSprite(name) returns.
    TSprite* FakeSprite(const char* name, int count, int w, int h)
    {
        auto texture = std::make_unique<TTexture>();
        texture->width = 256;
        texture->height = 256;
        std::strncpy(texture->name, name, sizeof texture->name - 1);
        auto sprite = std::make_unique<TSprite>();
        sprite->texture = texture.get();
        sprite->frameCount = count;
        sprite->frames.resize(size_t(count));
        for (int i = 0; i < count; ++i) sprite->SetFrame(i, i * w, 0, i * w + w, h);
        RegisterHandle(sprite.get(), HandleKind::Sprite);
        lua_pushlightuserdata(luaState, sprite.get());
        lua_setglobal(luaState, "newsprite");
        EXPECT_EQ(Run(std::string("sprites['") + name + "'] = newsprite"), "");
        textures.push_back(std::move(texture));
        sprites.push_back(std::move(sprite));
        return sprites.back().get();
    }

    // A stand-in for a bullet or enemy: only its collision type matters.
    TProbe* Thing(int32_t type, float x = 0.0f, float y = 0.0f)
    {
        TProbe* probe = ProbeAt(x, y, 0.15f, 1.0f, false, "thing");
        probe->collisionType = type;
        return probe;
    }

    void Steps(int n)
    {
        for (int i = 0; i < n; ++i) world->Step();
    }

    // Moves a body (awake, or its resting contacts would stay as they were).
    static void To(TGameObject* object, float x, float y)
    {
        object->body->SetTransform(b2Vec2(x, y), 0);
        object->body->SetAwake(true);
    }
    // Somewhere nothing is.
    static void Away(TGameObject* object) { To(object, 500.0f, 500.0f); }

    template <typename T>
    T* Created(const char* global)
    {
        return ObjectFromHandleAs<T>(GlobalPointer(global));
    }

    static b2AABB Bounds(const b2Body* body)
    {
        b2AABB box;
        body->GetFixtureList()->GetShape()->ComputeAABB(&box, b2Transform(b2Vec2(0, 0), b2Rot(0)), 0);
        return box;
    }

    std::vector<std::unique_ptr<TTexture>> textures;
    std::vector<std::unique_ptr<TSprite>> sprites;
};

} // namespace

TEST_F(Pieces, BlockTypesHaveTheirBodiesDepthsAndMaterials)
{
    ASSERT_EQ(Run("b0 = CreateBlock(1, 2, 0.5, 3, 0)\n"
                  "b1 = CreateBlock(0, 5, 0, 1, 1)\n"
                  "b1b = CreateBlock(0, 8, 0, 2, 1)\n"
                  "b2 = CreateBlock(5, 5, 0.25, 0, 2)\n"
                  "b3 = CreateBlock(10, 0, 0, 0, 3)\n"
                  "b4 = CreateBlock(15, 0, 0, 0, 4)\n"
                  "b5 = CreateBlock(20, 0, 0, 2, 5)\n"
                  "b6 = CreateBlock(25, 0, 0, 1, 6, 9)"),
              "");
    struct Expect {
        const char* name;
        float halfW, halfH;
        int depth;
        int material;
        bool shadows;
    };
    const Expect cases[] = {
        {"b0", 1.0f, 1.0f, 10, 0, true},
        {"b1", 0.25f, 0.25f, 6, 0, true},        // value exactly 1
        {"b1b", 0.25f, 0.25f, 8, 0, true},
        {"b3", 0.583333f, 1.708333f, 10, 1, true},
        {"b4", 0.583333f, 1.708333f, 10, 0, true},
        {"b5", 0.5f, 0.25f, 7, 2, true},         // a door leaf's material is its value
        {"b6", 1.0f, 1.0f, 10, 4, false},        // no art: a standard block's size
    };
    for (const Expect& e : cases) {
        SCOPED_TRACE(e.name);
        TSein* block = Created<TSein>(e.name);
        ASSERT_NE(block, nullptr);
        const b2AABB box = Bounds(block->body);
        EXPECT_NEAR(box.upperBound.x, e.halfW + b2_polygonRadius, 1e-4f);
        EXPECT_NEAR(box.upperBound.y, e.halfH + b2_polygonRadius, 1e-4f);
        EXPECT_EQ(block->GetDepth(), e.depth);
        EXPECT_EQ(block->material, e.material);
        EXPECT_EQ(block->fovShadows != 0, e.shadows);
        EXPECT_EQ(block->collisionType, kCollisionWall);
        EXPECT_FLOAT_EQ(block->shadowDist, 1.0f);
    }
    TSein* wall = Created<TSein>("b0");
    EXPECT_EQ(wall->GetPosition(), b2Vec2(1, 2));
    EXPECT_FLOAT_EQ(wall->GetAngle(), 0.5f);
    EXPECT_FLOAT_EQ(wall->frame, 3.0f) << "the value is the frame";
    EXPECT_EQ(wall->body->GetType(), b2_staticBody);
    EXPECT_EQ(Created<TSein>("b5")->body->GetType(), b2_kinematicBody);
    EXPECT_NE(Created<TPuuSein>("b6"), nullptr);
    EXPECT_EQ(Created<TPuuSein>("b6")->storedValue, 9);

    // The pillar: an octagon of radius 7/12 at a random angle of its own.
    TSein* pillar = Created<TSein>("b2");
    ASSERT_NE(pillar, nullptr);
    const b2Fixture* fixture = pillar->body->GetFixtureList();
    ASSERT_EQ(fixture->GetType(), b2Shape::e_polygon);
    const auto* octagon = static_cast<const b2PolygonShape*>(fixture->GetShape());
    ASSERT_EQ(octagon->m_count, 8);
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(octagon->m_vertices[i].Length(), 7.0f / 12.0f, 1e-5f);
    EXPECT_FLOAT_EQ(fixture->GetFriction(), 0.3f);
    EXPECT_FLOAT_EQ(fixture->GetRestitution(), 0.0f);
    EXPECT_GE(pillar->GetAngle(), 0.0f);
    EXPECT_LT(pillar->GetAngle(), 10.0f);
    EXPECT_EQ(pillar->body->GetType(), b2_staticBody);

    // Types outside the table are refused, and nothing is left behind.
    const size_t before = world->objects.size();
    EXPECT_NE(Run("CreateBlock(0, 0, 0, 0, 7)"), "");
    EXPECT_NE(Run("CreateBlock(0, 0, 0, 0, -1)"), "");
    EXPECT_NE(Run("CreateBlock(0, 0, 0, 'x', 0)"), "");
    EXPECT_EQ(world->objects.size(), before);
}

TEST_F(Pieces, BreakableBlockWearsDownAndBreaksOnTheTwelfthHit)
{
    FakeSprite("spr_puustuks", 4, 24, 36);
    ASSERT_EQ(Run("w = CreateBreakableBlock(0, 0, 0, 5)"), "");
    TPuuSein* block = Created<TPuuSein>("w");
    ASSERT_NE(block, nullptr);
    const b2AABB box = Bounds(block->body);
    EXPECT_NEAR(box.upperBound.x, 1.0f + b2_polygonRadius, 1e-4f) << "frame 0 is 24 pixels wide";
    EXPECT_NEAR(box.upperBound.y, 1.5f + b2_polygonRadius, 1e-4f);
    EXPECT_EQ(block->material, kMaterialWoodDestructable);
    EXPECT_FALSE(block->fovShadows);

    TProbe* bullet = Thing(kCollisionBullet, 20, 20);
    std::vector<int> frames;
    for (int hit = 1; hit <= 12; ++hit) {
        const int aliveBefore = world->particles->AliveCount();
        block->OnContact(bullet, b2Vec2(0.5f, 0), b2Vec2(1, 0), b2Vec2(0, 0));
        EXPECT_GT(world->particles->AliveCount(), aliveBefore) << "splinters on hit " << hit;
        frames.push_back(block->CurrentFrame());
        EXPECT_EQ(block->dead != 0, hit == 12) << "hit " << hit;
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, -1}));
    Steps(1);
    EXPECT_FALSE(InWorld(block));

    // Anything but a bullet leaves it whole.
    ASSERT_EQ(Run("w2 = CreateBreakableBlock(3, 0, 0, 0)"), "");
    TPuuSein* other = Created<TPuuSein>("w2");
    EXPECT_EQ(other->CurrentFrame(), 0);
    other->OnContact(Thing(kCollisionEnemy, 30, 30), b2Vec2(3, 0), b2Vec2(1, 0), b2Vec2(0, 0));
    EXPECT_FLOAT_EQ(other->health, 3.0f);
}

TEST_F(Pieces, BulletsOnStoneAndMetalThrowSparks)
{
    ASSERT_EQ(Run("stone = CreateBlock(0, 0, 0, 0, 0)\nmetal = CreateBlock(5, 0, 0, 0, 3)"), "");
    TProbe* bullet = Thing(kCollisionBullet, 20, 20);
    TSein* stone = Created<TSein>("stone");
    const int before = world->particles->AliveCount();
    stone->OnContact(bullet, b2Vec2(1, 0), b2Vec2(1, 0), b2Vec2(0, 0));
    EXPECT_GE(world->particles->AliveCount() - before, 11);

    TSein* metal = Created<TSein>("metal");
    const int beforeMetal = world->particles->AliveCount();
    metal->OnContact(bullet, b2Vec2(6, 0), b2Vec2(1, 0), b2Vec2(0, 0));
    const int thrown = world->particles->AliveCount() - beforeMetal;
    EXPECT_GE(thrown, 3);
    EXPECT_LE(thrown, 5);

    // Other things touching a wall throw nothing.
    const int quiet = world->particles->AliveCount();
    stone->OnContact(Thing(kCollisionEnemy, 30, 30), b2Vec2(1, 0), b2Vec2(1, 0), b2Vec2(0, 0));
    EXPECT_EQ(world->particles->AliveCount(), quiet);
}

TEST_F(Pieces, EnemiesCannotOpenADoorThePlayerNeverOpened)
{
    ASSERT_EQ(Run("d = CreateDoor(0, 0, 0)"), "");
    TDoor* door = Created<TDoor>("d");
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->doorState, TDoor::kNeverOpened);
    TUkseSein* a = door->LeafA();
    TUkseSein* b = door->LeafB();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NEAR(a->GetPosition().x, -0.5f, 1e-5f) << "closed leaves sit 6 pixels out";
    EXPECT_NEAR(b->GetPosition().x, 0.5f, 1e-5f);

    // An enemy standing in the doorway does nothing.
    TProbe* enemy = Thing(kCollisionEnemy, 0.0f, 1.0f);
    Steps(30);
    EXPECT_EQ(door->doorState, TDoor::kNeverOpened);
    EXPECT_FLOAT_EQ(door->opening, 6.0f);

    // The player opens it.
    Away(enemy);
    auto* player = new TPlayer(0.0f, 1.0f);
    Steps(30);
    EXPECT_EQ(door->doorState, TDoor::kOpen);
    EXPECT_NEAR(b->GetPosition().x, 1.0f, 1e-5f) << "open leaves sit 12 pixels out";
    Away(player);
    Steps(60);
    EXPECT_EQ(door->doorState, TDoor::kClosed);

    // From now on enemies open it too.
    To(enemy, 0.0f, -1.0f);
    Steps(2);
    EXPECT_EQ(door->doorState, TDoor::kOpening);
}

TEST_F(Pieces, DoorClosesTwentyStepsAfterTheLastContactAndTakesEighteenSteps)
{
    ASSERT_EQ(Run("d = CreateDoor(0, 0, 0)"), "");
    TDoor* door = Created<TDoor>("d");
    auto* player = new TPlayer(0.0f, 1.0f);
    Steps(40);  // fully open and held open
    ASSERT_EQ(door->doorState, TDoor::kOpen);
    Away(player);
    Steps(1);  // the first step without contact

    int closingAt = -1, closedAt = -1;
    for (int step = 2; step <= 60 && closedAt < 0; ++step) {
        world->Step();
        if (closingAt < 0 && door->doorState == TDoor::kClosing) closingAt = step;
        if (door->doorState == TDoor::kClosed) closedAt = step;
    }
    // Counting from the last step of contact (step 0).
    EXPECT_EQ(closingAt, 20);
    EXPECT_EQ(closedAt - closingAt, 18);
    EXPECT_FLOAT_EQ(door->opening, 6.0f);
}

TEST_F(Pieces, DoorTakesItsLeavesAlongAndSavesItsKind)
{
    ASSERT_EQ(Run("d = CreateDoor(2, 3, 0, 2)\nd5 = CreateDoor(0, 0, 0, 2, 1)"), "");
    TDoor* door = Created<TDoor>("d");
    EXPECT_EQ(door->kind, 2);
    EXPECT_EQ(door->LeafA()->material, 2);
    EXPECT_EQ(door->LeafA()->GetCreateCommand(), "") << "the door recreates its leaves";
    EXPECT_EQ(door->GetCreateCommand(), "CreateDoor(2.000000,3.000000,0.000000,2)\n");
    EXPECT_EQ(Created<TDoor>("d5")->kind, 0) << "the kind counts only with exactly four arguments";

    TUkseSein* a = door->LeafA();
    TUkseSein* b = door->LeafB();
    door->dead = 1;
    Steps(2);
    EXPECT_FALSE(InWorld(door));
    EXPECT_FALSE(InWorld(a));
    EXPECT_FALSE(InWorld(b));

    // A leaf deleted by a script leaves the door working.
    TDoor* other = Created<TDoor>("d5");
    other->LeafA()->dead = 1;
    Steps(1);
    EXPECT_EQ(other->LeafA(), nullptr);
    new TPlayer(0.0f, 1.0f);
    Steps(25);
    EXPECT_EQ(other->doorState, TDoor::kOpen);
}

TEST_F(Pieces, CrateOpensForThePlayerAndHandsOverTheSelectedItem)
{
    FakeSprite("spr_metallkast", 6, 18, 8);
    ASSERT_EQ(Run("itemtable = {pistol = {invtext = 'pistol', r = 1, g = 1, b = 1},\n"
                  "             medkit = {invtext = 'medkit', r = 0, g = 0, b = 1}}\n"
                  "c = CreateContainer(0, 0, 0, 'spr_metallkast', 'pistol', 'medkit', 'flare')\n"
                  "function CreateItem(x, y, name) taken = name end"),
              "");
    TKast* crate = Created<TKast>("c");
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(crate->items, (std::vector<std::string>{"pistol", "medkit", "flare"}));
    EXPECT_EQ(crate->body->GetType(), b2_staticBody);

    auto* player = new TPlayer(0.0f, 0.6f);  // in the reach area in front of the lid
    Steps(1);
    EXPECT_EQ(crate->closed, 1);
    testing_support::PressKeys({'e'});
    Steps(1);
    EXPECT_EQ(crate->closed, 0);
    EXPECT_EQ(player->lootingCrate, 1);
    inputTables.SetKey('e', false);
    for (int i = 0; i < 8; ++i) {
        testing_support::PressKeys({});
        Steps(1);
    }
    EXPECT_FLOAT_EQ(crate->frame, 5.0f) << "the lid opens up to the last frame";

    // Next item, then take it with the trigger.
    testing_support::PressKeys({'n'});
    Steps(1);
    EXPECT_EQ(crate->selection, 1);
    inputTables.SetKey('n', false);
    testing_support::PressKeys({kMouseCodeBase + 1});
    Steps(1);
    EXPECT_EQ(crate->items, (std::vector<std::string>{"pistol", "flare"}));
    EXPECT_FALSE(KeyHeld(kMouseCodeBase + 1)) << "taking releases the trigger";
    EXPECT_EQ(GetGlobalString("taken"), std::optional<std::string>("medkit"))
        << "the taken item is made by name for the player";

    // Walking away closes the crate and ends the looting.
    Away(player);
    testing_support::PressKeys({});
    Steps(1);
    EXPECT_EQ(crate->closed, 1);
    EXPECT_EQ(player->lootingCrate, 0);
    Steps(10);
    EXPECT_FLOAT_EQ(crate->frame, 0.0f) << "the lid shuts";
}

// With the default keys Space is use, next and previous item at once. Just
// short of a crate's reach it must not switch the gun in hand behind the
// player's back; away from crates it still steps through the items.
TEST_F(Pieces, UseNearACrateIsForTheCrateNotTheItemInHand)
{
    FakeSprite("spr_metallkast", 6, 18, 8);
    ASSERT_EQ(Run(kItemTestScript), "");
    ASSERT_EQ(Run("settings.keys.nextitem = 101\n"
                  "c = CreateContainer(0, 0, 0, 'spr_metallkast', 'stone')"),
              "");
    TKast* crate = Created<TKast>("c");
    ASSERT_NE(crate, nullptr);
    auto* player = new TPlayer(0.0f, 1.5f);  // a step short of the reach area
    world->introTimer = 1000;                 // past the arrival, the player moves
    player->TakeItem("pistol");
    player->TakeItem("rope");
    TPlayerInventory* items = player->PlayerInventory();
    ASSERT_NE(items, nullptr);
    TItem* inHand = items->SelectedItem();
    ASSERT_NE(inHand, nullptr);
    Steps(1);
    testing_support::PressKeys({'e'});
    Steps(1);
    EXPECT_EQ(crate->closed, 1) << "out of reach the crate stays shut";
    EXPECT_EQ(items->SelectedItem(), inHand);

    Away(player);
    testing_support::PressKeys({});
    Steps(2);
    testing_support::PressKeys({'e'});
    Steps(1);
    EXPECT_NE(items->SelectedItem(), inHand) << "away from crates the key steps the items";
}

TEST_F(Pieces, CrateSelectionAndTakeMenu)
{
    // Stepping past either end starts again at the top.
    EXPECT_EQ(TKast::StepSelection(0, 1, 3), 1);
    EXPECT_EQ(TKast::StepSelection(2, 1, 3), 0);
    EXPECT_EQ(TKast::StepSelection(0, -1, 3), 0);
    EXPECT_EQ(TKast::StepSelection(2, -1, 3), 1);
    EXPECT_EQ(TKast::StepSelection(0, 0, 0), 0);
    EXPECT_EQ(TKast::StepSelection(5, 0, 2), 0) << "a list that shrank under the selection";

    EXPECT_EQ(TKast::KindIndexOf("spr_metallkast"), 0);
    EXPECT_EQ(TKast::KindIndexOf("spr_hiteckast"), 1);
    EXPECT_EQ(TKast::KindIndexOf("spr_puitkast"), 2);
    EXPECT_EQ(TKast::KindIndexOf("spr_somethingelse"), 0);

    ASSERT_EQ(Run("itemtable = {shotgun = {invtext = 'shotgun', r = 0.5, g = 0.25, b = 1},\n"
                  "             ammo = {invtext = 'shells', r = 1, g = 0, b = 0},\n"
                  "             broken = {invtext = 'broken'}}\n"
                  "c = CreateContainer(0, 0, 0, 'spr_puitkast', 'ammo', 'shotgun', 'nothing', 'ammo')"),
              "");
    TKast* crate = Created<TKast>("c");
    EXPECT_EQ(crate->body->GetType(), b2_dynamicBody) << "wooden crates can be pushed";
    bool complete = true;
    testing::internal::CaptureStderr();
    std::vector<TKast::MenuLine> lines = crate->MenuLines(&complete);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR:undefined item \"nothing\" in container!\n");
    EXPECT_FALSE(complete);
    ASSERT_EQ(lines.size(), 2u) << "the menu stops at the undefined item";
    EXPECT_EQ(lines[0].text, "shells");
    EXPECT_EQ(lines[1].text, "shotgun");
    EXPECT_FLOAT_EQ(lines[1].r, 0.5f);
    EXPECT_FLOAT_EQ(lines[1].g, 0.25f);

    crate->items = {"shotgun", "broken"};
    testing::internal::CaptureStderr();
    lines = crate->MenuLines(&complete);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("itemtable[\"broken\"].r: number expected"), std::string::npos) << message;
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_FALSE(complete);

    crate->items = {"shotgun", "ammo"};
    lines = crate->MenuLines(&complete);
    EXPECT_TRUE(complete);
    EXPECT_EQ(lines.size(), 2u);
}

TEST_F(Pieces, TriggerFiresOnTheSecondContactStepThenEveryStep)
{
    ASSERT_EQ(Run("count = 0\nscripttable = {door = function() count = count + 1 end}\n"
                  "t = CreateTrigger(0, 0, 1, 'door', 0)\n"
                  "t2 = CreateTrigger(20, 0, 1, 'door', 2)"),
              "");
    EXPECT_NE(console.Text().find("0\n2\n"), std::string::npos) << "the period is echoed";
    auto* player = new TPlayer(0.0f, 0.5f);
    std::vector<int> counts;
    for (int i = 0; i < 4; ++i) {
        world->Step();
        counts.push_back(int(GlobalNumber("count")));
    }
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 2, 3}));

    // Period 2: the fourth contact step, then every third.
    ASSERT_EQ(Run("count = 0"), "");
    To(player, 20.0f, 0.5f);
    counts.clear();
    for (int i = 0; i < 8; ++i) {
        world->Step();
        counts.push_back(int(GlobalNumber("count")));
    }
    EXPECT_EQ(counts, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2}));

    // Only the player counts.
    ASSERT_EQ(Run("count = 0"), "");
    Away(player);
    Thing(kCollisionEnemy, 0.0f, 0.5f);
    Steps(5);
    EXPECT_EQ(GlobalNumber("count"), 0.0);
}

TEST_F(Pieces, TriggerScriptErrorsGoToTheConsoleEveryFiring)
{
    ASSERT_EQ(Run("scripttable = {bad = function() error('boom') end}\n"
                  "CreateTrigger(0, 0, 1, 'bad', 0)\nCreateTrigger(20, 0, 1, 'missing', 0)"),
              "");
    auto* player = new TPlayer(0.0f, 0.5f);
    console = TConsole();
    Steps(3);
    const std::string& text = console.Text();
    size_t count = 0;
    for (size_t at = text.find("boom\n"); at != std::string::npos; at = text.find("boom\n", at + 1)) ++count;
    EXPECT_EQ(count, 2u) << text;

    // An entry the scripttable lacks fails like calling nil, each time.
    To(player, 20.0f, 0.5f);
    console = TConsole();
    Steps(3);
    EXPECT_EQ(console.Text().find("boom\n"), std::string::npos);
    count = 0;
    for (size_t at = console.Text().find("nil"); at != std::string::npos;
         at = console.Text().find("nil", at + 1))
        ++count;
    EXPECT_EQ(count, 2u) << console.Text();
}

TEST_F(Pieces, TriggerWithoutScripttableIsAScriptErrorAndLeavesNothing)
{
    const size_t before = world->objects.size();
    const std::string error = Run("scripttable = nil\nCreateTrigger(0, 0, 1, 'door', 0)");
    EXPECT_NE(error.find("scripttable"), std::string::npos) << error;
    EXPECT_NE(console.Text().find("oioi\n"), std::string::npos);
    EXPECT_EQ(world->objects.size(), before);

    EXPECT_NE(Run("scripttable = {}\nCreateTrigger(0, 0, -1, 'door', 0)"), "") << "negative radius";
    EXPECT_NE(Run("CreateTrigger(0, 0, 1, 'door')"), "") << "period missing";
    EXPECT_EQ(world->objects.size(), before);
}

TEST_F(Pieces, DirectionControllerTurnsTheViewToTheNearestQuarter)
{
    const float q = b2_pi / 2.0f;
    EXPECT_NEAR(TDirectionController::ChooseViewRotation(0.0f, 0.0f), 0.0f, 1e-6f);
    EXPECT_NEAR(TDirectionController::ChooseViewRotation(q, 0.0f), 0.0f, 1e-5f);
    EXPECT_NEAR(TDirectionController::ChooseViewRotation(0.3f, 0.0f), 0.3f, 1e-6f);
    EXPECT_NEAR(TDirectionController::ChooseViewRotation(0.3f, -1.5f), 0.3f - q, 1e-6f);
    EXPECT_NEAR(TDirectionController::ChooseViewRotation(0.3f + 2 * b2_pi, 0.0f), 0.3f, 1e-5f);
    EXPECT_NEAR(TDirectionController::ChooseViewRotation(-0.5f, 0.0f), -0.5f, 1e-6f);
    EXPECT_FLOAT_EQ(TDirectionController::ChooseViewRotation(NAN, 0.7f), 0.7f);

    ASSERT_EQ(Run("settings.viewrotate = true\ndc = CreateDirectionController(0, 0, 0.4, 1)"), "");
    auto* player = new TPlayer(0.0f, 0.5f);
    Steps(1);
    EXPECT_NEAR(player->viewRotation, 0.4f, 1e-5f);
    ASSERT_EQ(Run("settings.viewrotate = false"), "");
    Steps(1);
    EXPECT_EQ(player->viewRotation, 0.0f);
}

TEST_F(Pieces, MapMarkerIsSeenWithinSixUnits)
{
    const size_t before = world->objects.size();
    EXPECT_NE(Run("objectlist = {}\nCreateMapMarker(0, 0, 1, 0, 0)"), "");
    EXPECT_EQ(world->objects.size(), before) << "no mapmarker entry, no marker";

    ASSERT_EQ(Run("objectlist = {mapmarker = {collision = 2, depth = 0, frame = 0, rectangle = 0,\n"
                  "  fovshadows = 0, material = 0, sprite = 'spr_none', rw = 6, rh = 6,\n"
                  "  shadowdist = 0, mass = 0}}\n"
                  "m = CreateMapMarker(0, 0, 1, 0.5, 0)"),
              "");
    TMapMarker* marker = Created<TMapMarker>("m");
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->typeName, "mapmarker");
    Steps(1);
    EXPECT_EQ(marker->seen, 0) << "no player";
    auto* player = new TPlayer(6.5f, 0.0f);
    Steps(1);
    EXPECT_EQ(marker->seen, 0);
    To(player, 5.5f, 0.0f);
    Steps(1);
    EXPECT_EQ(marker->seen, 1);
}

TEST_F(Pieces, PlayerSkeletonRegistersItself)
{
    auto* player = new TPlayer(1.0f, 2.0f);
    EXPECT_EQ(game->player, player);
    EXPECT_EQ(player->collisionType, kCollisionPlayer);
    EXPECT_NE(player->input, nullptr);
    EXPECT_EQ(player->GetPosition(), b2Vec2(1, 2));
    player->dead = 1;
    Steps(1);
    EXPECT_EQ(game->player, nullptr);
}
