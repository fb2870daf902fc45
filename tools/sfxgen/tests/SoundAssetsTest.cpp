// Checks on the game's own sound recipes.
#include "RecipeParser.h"
#include "Synth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace sfxgen;

TEST(SoundAssets, EveryRecipeRendersShortCleanAndUnclipped)
{
    const auto dir = std::filesystem::path(KORVANMIRE_ROOT) / "assets" / "sound";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".sfx")
            continue;
        ++count;
        const std::string name = entry.path().filename().string();
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        auto parsed = RecipeParser{}.parse(text.str(), name);
        ASSERT_TRUE(parsed.ok()) << parsed.errors.front().text();
        EXPECT_LT(parsed.recipe.length, 3.0) << name;

        for (int v = 0; v < parsed.recipe.variants; ++v) {
            auto s = Synth{}.render(parsed.recipe, v);
            float peak = 0;
            for (float x : s)
                peak = std::max(peak, std::fabs(x));
            EXPECT_LE(peak, 1.0f) << name << " variant " << v + 1 << " clips";
            EXPECT_GE(peak, 0.2f) << name << " variant " << v + 1 << " is nearly silent";
            // no click at either end
            EXPECT_LT(std::fabs(s.front()), 0.05f) << name;
            EXPECT_LT(std::fabs(s.back()), 0.05f) << name;
        }
    }
    EXPECT_GT(count, 0);
}
