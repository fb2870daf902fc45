#include "TestSupport.h"
#include "world/GameObject.h"
#include "world/World.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// An object whose update runs a script, as a trigger does, and then goes on
// using itself: a clear or level load inside the update must not delete it.
struct ScriptedObject : TGameObject {
    explicit ScriptedObject(std::string code) : code(std::move(code)) {}
    void Update() override
    {
        RunScriptString(code, ScriptErrors::Console);
        ++updates;  // touches the object after the script ran
    }
    void Draw() override {}
    std::string code;
    int updates = 0;
};

size_t ObjectCount() { return game->world->objects.size(); }

TEST(LevelChange, ClearLevelFromAnUpdateWaitsForTheEndOfTheStep)
{
    GameFixture fixture;
    const size_t empty = ObjectCount();
    auto* object = new ScriptedObject("ClearLevel()");
    new ScriptedObject("");
    ASSERT_EQ(ObjectCount(), empty + 2);
    game->world->Step();
    EXPECT_EQ(ObjectCount(), empty);
    (void)object;
}

TEST(LevelChange, ImmediateLoadFromAnUpdateHappensAfterTheStep)
{
    GameFixture fixture;
    fixture.scratch.Write("room/script.lua", "loaded = (loaded or 0) + 1");
    new ScriptedObject("LoadLevel('room', 0)");
    game->SetState("game");
    UpdateWithKeys({});
    EXPECT_EQ(game->currentLevelName, "room");
    EXPECT_TRUE(RunScriptString("assert(loaded == 1)", ScriptErrors::StdErr));
    EXPECT_TRUE(game->pendingLevelName.empty());
}

} // namespace
