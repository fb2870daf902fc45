#pragma once
// Shared set-up for the enemy kind tests: the player world with an
// "automaat" in the itemtable, AddToRndTable recording what it is told, and
// helpers to make enemies through their script creators.
#include "enemies/Enemy.h"
#include "player_test_support.h"
#include "world/Sein.h"
#include "util/FileText.h"
#include <sstream>
#include <string>

class EnemyKindFixture : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        ASSERT_EQ(Run("itemtable.automaat = gun{invtext = 'automaat', clipsize = 30, reloadtime = 4, "
                      "spread = 1, range = 60, pierce = 40, holdframe = 8, shootframe = 9, "
                      "reloadframe = 10, ammotype = 1, clipreloadtime = 20} "
                      "told = {} "
                      "function AddToRndTable(enemy, kind) told[#told + 1] = kind end"),
                  "");
    }

    // Runs a creator call ("CreateSoldier(1, 2)") and returns the enemy it
    // handed back, as Kind (null when it returned no live Kind).
    template <typename Kind>
    Kind* Create(const std::string& call)
    {
        const std::string error = Run("made = " + call);
        EXPECT_EQ(error, "") << call;
        return ObjectFromHandleAs<Kind>(GlobalPointer("made"));
    }

    // A plain 2 x 2 wall block centred at (x, y).
    TSein* WallAt(float x, float y) { return new TSein(x, y, 0.0f, 0.0f, 99); }

    // Faces the enemy's body toward (x, y).
    static void Face(TEnemy* enemy, float x, float y)
    {
        const b2Vec2 p = enemy->body->GetPosition();
        enemy->body->SetTransform(p, std::atan2(y - p.y, x - p.x));
    }
};

// The number of frames of a sprite as data/gfx.lua cuts it (columns × rows),
// or -1 when the sprite is not listed there.
inline int SheetFrames(const std::string& spriteName)
{
    std::istringstream text(ReadWholeFile((testing_support::SourceDir() / "data" / "gfx.lua").string()).value_or(""));
    // A sprite line reads { "name", "file", columns, rows, ... }.
    std::string line;
    while (std::getline(text, line)) {
        const size_t open = line.find('{');
        if (open == std::string::npos || line.find("\"" + spriteName + "\"", open) != line.find('"', open))
            continue;
        for (char& c : line)
            if (c == ',' || c == '{' || c == '}') c = ' ';
        std::istringstream fields(line);
        std::string name, file;
        int columns = 0, rows = 0;
        if (fields >> name >> file >> columns >> rows) return columns * rows;
    }
    return -1;
}
