#include "ui/Easing.h"
#include "ui/Summaries.h"
#include "ui/TextPage.h"
#include <gtest/gtest.h>

TEST(Summaries, LevelEndText)
{
    EXPECT_EQ(LevelEndText("swamp", "caves", 3, 4, 95, 1200),
              "FINISHED swamp, prepare for caves!\n\n\naccuracy=0.750000\ntime=3s\nscore=1200");
    EXPECT_EQ(LevelEndText("a", "b", 0, 0, 29, 0),
              "FINISHED a, prepare for b!\n\n\naccuracy=0.000000\ntime=0s\nscore=0")
        << "no shots means accuracy 0 and seconds round down";
    const std::string longName(500, 'x');
    EXPECT_EQ(LevelEndText(longName, "end", 1, 1, 60, 5).substr(9, 500), longName);
}

TEST(Summaries, GameOverText)
{
    EXPECT_EQ(GameOverText(1, 3, 3600, -50),
              "GAME OVER\npress <return> to continue\n\n\naccuracy=0.333333\ntime=120s\nscore=-50");
    EXPECT_EQ(GameOverText(5, 0, 59, 7),
              "GAME OVER\npress <return> to continue\n\n\naccuracy=0.000000\ntime=1s\nscore=7");
}

TEST(Summaries, KillLinesAreSortedByName)
{
    EXPECT_TRUE(KillLines({}).empty());
    EXPECT_EQ(KillLines({{"wasp", 12}, {"bog_crawler", 3}, {"Ogre", 1}}),
              (std::vector<std::string>{"Ogre=1", "bog_crawler=3", "wasp=12"}));
}

TEST(Summaries, TextPageSlidesDownEasedAtBothEnds)
{
    EXPECT_FLOAT_EQ(TextPageOffset(0.0f), -240.0f);
    EXPECT_NEAR(TextPageOffset(0.5f), -120.0f, 1e-4f);
    EXPECT_NEAR(TextPageOffset(1.0f), 0.0f, 1e-4f);
    // Slow start: a quarter of the time covers well under a quarter of the way.
    EXPECT_NEAR(TextPageOffset(0.25f), -240.0f + 240.0f * 0.1464466f, 1e-3f);
    EXPECT_NEAR(CosineInterpolate(10.0f, 20.0f, 0.75f), 18.535534f, 1e-4f);
    float previous = TextPageOffset(0.0f);
    for (int i = 1; i <= 20; ++i) {
        const float v = TextPageOffset(i / 20.0f);
        EXPECT_GT(v, previous) << i;
        previous = v;
    }
}
