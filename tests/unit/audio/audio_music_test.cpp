// The music on the dummy driver: delayed starts, one track replacing another,
// the switch, and what the screens do to it.
#include "audio/Mixer.h"
#include "audio/Music.h"
#include "core/screens/ScreenMusic.h"
#include "util/UserStatePaths.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// An open mixer and a data directory with two tracks: "long" (the menu
// theme) and "short" (the sting).
class MusicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_TRUE(OpenMixer());
        char pattern[] = "/tmp/korvanmire_music_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        const fs::path music = fs::path(KORVANMIRE_ROOT) / "data" / "music";
        if (!fs::exists(music / "menu.ogg")) GTEST_SKIP() << "no music built in " << music;
        fs::create_directories(dir / "music");
        fs::copy_file(music / "menu.ogg", dir / "music" / "long.ogg");
        fs::copy_file(music / "sting.ogg", dir / "music" / "short.ogg");
        previousPaths = userStatePaths;
        userStatePaths = TUserStatePaths(dir.string());
    }
    void TearDown() override
    {
        music.Release();
        userStatePaths = previousPaths;
        CloseMixer();
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    // Frames of the game, with the mixer's thread given time to run.
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            music.Update();
            SDL_Delay(5);
        }
    }

    TMusic music;
    fs::path dir;
    TUserStatePaths previousPaths;
};

}  // namespace

TEST_F(MusicTest, StartsAfterItsDelayAndReplacesTheTrackBeforeItsFadeOut)
{
    music.Play("long", 0, 3);
    EXPECT_EQ(music.Track(), "long");
    Frames(2);
    EXPECT_FALSE(Mix_PlayingMusic()) << "started before its delay";
    Frames(1);
    EXPECT_TRUE(Mix_PlayingMusic());

    // The same track again changes nothing; another one waits for the first to fade out.
    music.Play("long");
    EXPECT_EQ(Mix_FadingMusic(), MIX_NO_FADING);
    music.Play("short", 0, 0, true);
    EXPECT_EQ(music.Track(), "short");
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_OUT);
    for (int i = 0; i < 200 && Mix_FadingMusic() == MIX_FADING_OUT; ++i) Frames(1);
    Frames(2);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_EQ(Mix_FadingMusic(), MIX_NO_FADING);

    // Switched off, nothing plays; on again, a track played once stays ended
    // and a looping one comes back.
    music.SetEnabled(false);
    EXPECT_FALSE(Mix_PlayingMusic());
    music.SetEnabled(true);
    EXPECT_FALSE(Mix_PlayingMusic());
    music.SetEnabled(false);
    music.Play("long");
    EXPECT_FALSE(Mix_PlayingMusic());
    music.SetEnabled(true);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_EQ(music.Track(), "long");
}

TEST_F(MusicTest, AMenuDucksALevelsTrackAndGameOverFadesItOut)
{
    music.SetVolume(100);
    music.Play("long");
    CueMusicForScreen(music, "game", true);
    EXPECT_EQ(music.HeardVolume(), 100);

    CueMusicForScreen(music, "mainmenu", true);
    Frames(30);
    EXPECT_EQ(music.HeardVolume(), 100 * TMusic::kDuckedPercent / 100);
    EXPECT_EQ(Mix_VolumeMusic(-1), music.HeardVolume());
    EXPECT_TRUE(Mix_PlayingMusic()) << "the level's track goes on under the menu";
    CueMusicForScreen(music, "help", true);
    EXPECT_TRUE(music.Ducked());

    CueMusicForScreen(music, "game", true);
    Frames(30);
    EXPECT_EQ(music.HeardVolume(), 100);
    // A volume set while ducked holds for when the duck ends.
    CueMusicForScreen(music, "mainmenu", true);
    music.SetVolume(60);
    EXPECT_EQ(music.HeardVolume(), 60 * TMusic::kDuckedPercent / 100);

    CueMusicForScreen(music, "gameover", false);
    EXPECT_FALSE(music.Ducked());
    EXPECT_EQ(music.Track(), "");
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_OUT);
}

TEST_F(MusicTest, ATrackThatFailsIsAskedForOnlyOnce)
{
    testing::internal::CaptureStderr();
    for (int i = 0; i < 5; ++i) {
        music.Play("absent");
        Frames(1);
    }
    music.Play("../long");
    music.Play("");
    const std::string said = testing::internal::GetCapturedStderr();
    const auto reported = said.find("absent.ogg\"\n");
    EXPECT_NE(reported, std::string::npos) << said;
    EXPECT_EQ(said.find("absent.ogg\"\n", reported + 1), std::string::npos) << "reported again: " << said;
    EXPECT_NE(said.find("No music named \"../long\""), std::string::npos) << said;
    EXPECT_FALSE(Mix_PlayingMusic());
    EXPECT_EQ(music.Track(), "");
}
