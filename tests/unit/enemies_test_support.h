#pragma once
// Shared set-up for the enemy tests: the player fixture plus stand-in sprites
// the scripts can name (no OpenGL: nothing here draws), a recorder behind
// AddToRndTable, walls, and a zombie placed and turned as the test needs.
#include "audio/Sound.h"
#include "enemies/Zombi.h"
#include "level/campaign/LevelProgress.h"
#include "player_test_support.h"
#include "render/Sprite.h"
#include "script/Handles.h"
#include "world/MathUtil.h"
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

class EnemyFixture : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        std::srand(12345);
        ASSERT_EQ(Run("sprites = {}; function GetSprite(name) return sprites[name] end\n"
                      "sounds = {}; function GetSound(name) return sounds[name] end\n"
                      "rnd = {}\n"
                      "function AddToRndTable(enemy, kind) rnd[#rnd + 1] = {enemy = enemy, kind = kind} end"),
                  "");
        AddSprite("spr_zombi1", 37);
        AddSprite("spr_zombi2", 37);
        AddSprite("spr_sininezombi", 37);
        AddSprite("spr_zombitykid1", 5);
        AddSprite("spr_veri", 8);
        for (const char* name : {"zombi_valu", "zombi_samm", "zombi_hit", "zombi_l88b", "luukere_m66k",
                                 "zombi_random_h22l", "zombi_ribadeks"})
            AddSound(name);
    }

    // A silent sound (no samples) that GetSound(name) returns, kept for the run.
    TSound* AddSound(const std::string& name)
    {
        static std::map<std::string, std::unique_ptr<TSound>> made;
        std::unique_ptr<TSound>& sound = made[name];
        if (!sound) {
            sound = std::make_unique<TSound>();
            RegisterHandle(sound.get(), HandleKind::Sound);
        }
        lua_getglobal(luaState, "sounds");
        lua_pushlightuserdata(luaState, sound.get());
        lua_setfield(luaState, -2, name.c_str());
        lua_pop(luaState, 1);
        return sound.get();
    }

    // A zombie at (x, y) facing `angle` (body radians), standing still.
    TZombi* ZombieAt(float x, float y, float angle = 0.0f, int flags = 0)
    {
        auto* zombie = new TZombi(x, y, flags);
        zombie->body->SetTransform(b2Vec2(x, y), angle);
        zombie->body->SetAngularVelocity(0.0f);
        return zombie;
    }

    // A player far from everything unless placed, out of the level-start freeze.
    TPlayer* PlayerAt(float x, float y)
    {
        TPlayer* player = MakePlayer(x, y);
        return player;
    }

    // Number of AddToRndTable calls the scripts received.
    int RndCalls() { return int(RunNumber("return #rnd")); }
    std::string RndKind(int i) { return RunString("return rnd[" + std::to_string(i) + "].kind"); }
    void* RndEnemy(int i)
    {
        EXPECT_EQ(Run("last = rnd[" + std::to_string(i) + "].enemy"), "");
        return GlobalPointer("last");
    }

    double RunNumber(const std::string& expression)
    {
        EXPECT_EQ(Run("value = (function() " + expression + " end)()"), "");
        return GlobalNumber("value");
    }
    std::string RunString(const std::string& expression)
    {
        EXPECT_EQ(Run("value = (function() " + expression + " end)()"), "");
        return GlobalString("value");
    }

    int Score() const { return game->progress->score; }
    int Kills(const std::string& kind) const
    {
        auto it = world->killCounts.find(kind);
        return it == world->killCounts.end() ? 0 : it->second;
    }
    int EnemyCount(const std::string& kind) const
    {
        auto it = world->enemyCounts.find(kind);
        return it == world->enemyCounts.end() ? 0 : it->second;
    }
};
