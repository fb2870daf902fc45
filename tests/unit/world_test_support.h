#pragma once
// Shared set-up for the world tests: a set-up game with its script host, a
// probe object that records what the world does to it, static walls, stand-in
// sprites, counts of what is in the world, and Lua helpers.
#include "TestSupport.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "world/GameObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <functional>
#include <gtest/gtest.h>
#include <lua.hpp>
#include <string>
#include <vector>

// What one probe saw in a contact.
struct ProbeContact {
    TGameObject* other;
    b2Vec2 point;
    b2Vec2 normal;
    b2Vec2 relativeVelocity;
};

// A game object that logs its updates and draws into a shared journal.
class TProbe : public TGameObject {
public:
    TProbe(std::vector<std::string>* journal, std::string name, int depth = 0)
        : journal(journal), name(std::move(name))
    {
        SetDepth(depth);
    }
    ~TProbe() override
    {
        if (journal) journal->push_back("delete " + name);
    }
    void Update() override
    {
        if (journal) journal->push_back("update " + name);
        if (onUpdate) onUpdate(*this);
    }
    void Draw() override
    {
        if (journal) journal->push_back("draw " + name);
    }
    void DrawShadow() override
    {
        if (journal) journal->push_back("shadow " + name);
    }
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 rv) override
    {
        contacts.push_back({other, point, normal, rv});
    }

    std::vector<std::string>* journal;
    std::string name;
    std::function<void(TProbe&)> onUpdate;
    std::vector<ProbeContact> contacts;
};

class WorldFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        console = TConsole();
        world = game->world;
        world->Clear();
    }
    void TearDown() override { console = TConsole(); }

    // Runs Lua code in the game's state; the error message, or "" when it ran.
    std::string Run(const std::string& code) { return testing_support::RunLua(luaState, code); }
    void* GlobalPointer(const char* name) { return testing_support::GlobalPointer(luaState, name); }
    double GlobalNumber(const char* name) { return testing_support::GlobalNumber(luaState, name); }
    std::string GlobalString(const char* name) { return testing_support::GlobalString(luaState, name); }

    // A probe with a circle body at (x, y).
    TProbe* ProbeAt(float x, float y, float radius, float mass, bool sensor = false,
                    const std::string& name = "probe")
    {
        auto* probe = new TProbe(nullptr, name);
        probe->body = CreateCircleBody(radius, mass, sensor, probe, 0.0f, 0.0f);
        probe->SetPosition(b2Vec2(x, y));
        return probe;
    }

    // A static box of the given collision type centred at (x, y).
    TProbe* WallAt(float x, float y, float halfWidth, float halfHeight, int32_t type = kCollisionWall)
    {
        auto* wall = new TProbe(nullptr, "wall");
        wall->body = CreateBoxBody(halfWidth, halfHeight, 0.0f, false, wall, 0.0f, 0.0f);
        wall->SetPosition(b2Vec2(x, y));
        wall->collisionType = type;
        return wall;
    }

    // A stand-in sprite GetSprite(name) returns (see testing_support::AddSprite).
    TSprite* AddSprite(const std::string& name, int frames) { return testing_support::AddSprite(name, frames); }

    bool InWorld(const void* object) const
    {
        for (TGameObject* o : world->objects)
            if (o == object) return true;
        return false;
    }

    // Objects of kind T in the world that are not dead.
    template <typename T>
    int CountInWorld() const
    {
        int n = 0;
        for (TGameObject* o : world->objects)
            if (dynamic_cast<T*>(o) && !o->dead) ++n;
        return n;
    }

    void Steps(int n)
    {
        for (int i = 0; i < n; ++i) world->Step();
    }

    // What the probes did; outlives the world, whose clear deletes them.
    std::vector<std::string> journal;
    testing_support::GameFixture fixture;
    TWorld* world = nullptr;
};
