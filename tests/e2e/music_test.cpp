// Listening to the real game: SDL's disk audio driver writes what the mixer
// plays (22050 Hz, mono, 16-bit) into a file, at about real time, and the
// tests look at the samples: the menu's theme, a level's own track, and the
// music volume against the effects' in the options, kept across runs.
#include "GameRun.h"
#include "util/FileText.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kRate = 22050;

// What the game played, from its disk audio file.
class Heard {
public:
    explicit Heard(const std::string& bytes)
    {
        samples.resize(bytes.size() / 2);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            std::int16_t value = 0;
            std::memcpy(&value, bytes.data() + 2 * i, 2);
            samples[i] = value / 32768.0f;
        }
    }

    double Seconds() const { return double(samples.size()) / kRate; }

    double Rms(double from, double to) const
    {
        const auto [first, last] = Range(from, to);
        double sum = 0.0;
        for (std::size_t i = first; i < last; ++i) sum += double(samples[i]) * samples[i];
        return last > first ? std::sqrt(sum / double(last - first)) : 0.0;
    }

    // Share of the energy above `hertz` (a one-pole split): a timbre's signature.
    double ShareAbove(double hertz, double from, double to) const
    {
        const auto [first, last] = Range(from, to);
        const double pole = std::exp(-2.0 * M_PI * hertz / kRate);
        double low = 0.0, above = 0.0, all = 0.0;
        for (std::size_t i = first; i < last; ++i) {
            low = (1.0 - pole) * samples[i] + pole * low;
            const double high = samples[i] - low;
            above += high * high;
            all += double(samples[i]) * samples[i];
        }
        return all > 0.0 ? above / all : 0.0;
    }

    // The quietest stretch of `length` seconds within [from, to): its start.
    double QuietestStart(double length, double from, double to) const
    {
        double best = from, bestRms = 1e9;
        for (double t = from; t + length <= to; t += 0.05) {
            const double rms = Rms(t, t + length);
            if (rms < bestRms) bestRms = rms, best = t;
        }
        return best;
    }

    double LoudestRms(double length, double from, double to) const
    {
        double best = 0.0;
        for (double t = from; t + length <= to; t += 0.05) best = std::max(best, Rms(t, t + length));
        return best;
    }

private:
    std::pair<std::size_t, std::size_t> Range(double from, double to) const
    {
        const auto clamp = [&](double t) { return std::min(samples.size(), std::size_t(std::max(0.0, t) * kRate)); };
        return {clamp(from), clamp(to)};
    }

    std::vector<float> samples;
};

// A run of the game that writes what it plays into audio.raw.
Heard Listen(GameRun& run, const std::string& replay)
{
    run.audioDriver = "disk";
    run.environment = {{"SDL_DISKAUDIOFILE", (run.Dir() / "audio.raw").string()},
                       // about one mixing buffer (512 samples), so the mixer plays in real time
                       {"SDL_DISKAUDIODELAY", "20"}};
    EXPECT_TRUE(run.Run(replay)) << run.stderrText;
    return Heard(run.ReadData("audio.raw"));
}

}  // namespace

TEST(Music, TheMenuHasItsThemeAndALevelItsOwnTrack)
{
    GameRun menu;
    const Heard idle = Listen(menu, "120 lua ExitGame()\n");
    ASSERT_GT(idle.Seconds(), 3.5);
    // The theme fades in over a second and goes on: never a quiet stretch.
    EXPECT_GT(idle.Rms(1.5, 3.5), 0.02);
    EXPECT_GT(idle.Rms(idle.QuietestStart(0.5, 1.5, 3.5), idle.QuietestStart(0.5, 1.5, 3.5) + 0.5), 0.01);

    // "new game": the level's track follows the arrival effect (126 frames)
    // and a two-second fade.
    GameRun level;
    const Heard play = Listen(level, "10 press return\n"
                                     "330 lua io.stderr:write('music: ' .. tostring(GetMusic()) .. '\\n')\n"
                                     "331 lua ExitGame()\n");
    ASSERT_GT(play.Seconds(), 11.0);
    EXPECT_NE(level.stderrText.find("music: decks"), std::string::npos) << level.stderrText;
    const double end = play.Seconds() - 0.5;
    EXPECT_GT(play.Rms(end - 3.0, end), 0.02);
    // The decks' ticking valves and steam against the menu's pads: their
    // share of high sound differs several times over.
    const double menuHigh = std::max(idle.ShareAbove(600, 1.5, 2.5), idle.ShareAbove(600, 2.5, 3.5));
    EXPECT_GT(play.ShareAbove(600, end - 3.0, end), 2.5 * menuHigh)
        << "menu " << menuHigh << ", level " << play.ShareAbove(600, end - 3.0, end);
}

TEST(Music, TheOptionsSetBothVolumesAndTheSwitchAndTheNextStartKeepsThem)
{
    // Options -> sound, through the keys: effects volume opens on 100 % and
    // goes down to 60 %; music volume opens on 70 % and goes down to 0 %. An
    // explosion then sounds alone; last, the music is switched off.
    std::string replay = "10 press right\n13 press return\n16 press right\n19 press right\n"
                         "22 press return\n25 press return\n";
    int frame = 28;
    for (int i = 0; i < 4; ++i, frame += 3) replay += std::to_string(frame) + " press left\n";
    replay += std::to_string(frame) + " press return\n";  // 60 %
    replay += std::to_string(frame += 3) + " press up\n";
    replay += std::to_string(frame += 3) + " press right\n";
    replay += std::to_string(frame += 3) + " press return\n";
    for (int i = 0; i < 7; ++i) replay += std::to_string(frame += 3) + " press left\n";
    replay += std::to_string(frame += 3) + " press return\n";  // 0 %
    const int silenced = frame;
    replay += "125 lua PlaySound('explosion')\n"
              "140 press up\n143 press right\n146 press return\n"  // music: off
              "160 lua ExitGame()\n";
    GameRun run;
    const Heard heard = Listen(run, replay);
    ASSERT_GT(heard.Seconds(), 5.0);

    // Music before the change; after it, only the clicks and the explosion.
    const double change = silenced / 30.0;
    EXPECT_GT(heard.Rms(1.2, change - 0.2), 0.02);
    const double quiet = heard.QuietestStart(0.5, change, 125 / 30.0 + 0.3);
    EXPECT_LT(heard.Rms(quiet, quiet + 0.5), 0.002) << "the music still plays at 0 %";
    EXPECT_GT(heard.LoudestRms(0.2, quiet + 0.5, heard.Seconds()), 0.05) << "the explosion was not heard";

    const std::string settings = run.ReadData("settings.lua");
    EXPECT_NE(settings.find("effectsvolume = 60"), std::string::npos) << settings;
    EXPECT_NE(settings.find("musicvolume = 0"), std::string::npos) << settings;
    EXPECT_NE(settings.find("music = false"), std::string::npos) << settings;

    // The next start restores them; with the music off the idle menu is silent.
    run.RemoveData("audio.raw");
    const Heard next = Listen(run, "10 lua io.stderr:write(string.format('sound %d %d %s\\n', "
                                   "settings.effectsvolume, settings.musicvolume, tostring(settings.music)))\n"
                                   "90 lua ExitGame()\n");
    EXPECT_NE(run.stderrText.find("sound 60 0 false"), std::string::npos) << run.stderrText;
    EXPECT_LT(next.LoudestRms(0.2, 0.0, next.Seconds()), 0.002);

    // A settings file from before there was music still loads, with the
    // defaults for what it lacks.
    run.WriteData("settings.lua", "settings = { viewrotate = true, keys = {} }\n");
    const Heard older = Listen(run, "10 lua io.stderr:write(string.format('sound %d %d %s %s %s %s %d %d\\n', "
                                    "settings.effectsvolume, settings.musicvolume, tostring(settings.music), "
                                    "tostring(settings.viewrotate), settings.difficulty, settings.scale, "
                                    "settings.shake, settings.keys.up))\n"
                                    "75 lua ExitGame()\n");
    EXPECT_NE(run.stderrText.find("sound 100 70 true true normal fit 100 119"), std::string::npos) << run.stderrText;
    EXPECT_GT(older.Rms(1.5, 2.3), 0.02);
}

TEST(Music, AMissingOrBrokenTrackIsReportedOnceAndTheGameGoesOn)
{
    GameRun run;
    run.RemoveData("music/menu.ogg");
    run.WriteData("music/broken.ogg", "OggS this is no music");
    ASSERT_TRUE(run.Run("5 lua for i = 1, 3 do PlayMusic('broken') PlayMusic('nothing/../x') end\n"
                        "6 lua PlayMusic('missing') PlayMusic('missing')\n"
                        "10 lua io.stderr:write('alive ' .. tostring(GetMusic()) .. '\\n')\n"
                        "12 lua ExitGame()\n"))
        << run.stderrText;
    EXPECT_EQ(run.exitCode, 0);
    const auto count = [&](const std::string& text) {
        std::size_t n = 0;
        for (auto at = run.stderrText.find(text); at != std::string::npos; at = run.stderrText.find(text, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("File:\"music/menu.ogg\""), 1u) << run.stderrText;
    EXPECT_EQ(count("File:\"music/broken.ogg\""), 1u) << run.stderrText;
    EXPECT_EQ(count("File:\"music/missing.ogg\""), 1u) << run.stderrText;
    EXPECT_EQ(count("No music named \"nothing/../x\""), 1u) << run.stderrText;
    EXPECT_NE(run.stderrText.find("alive nil"), std::string::npos) << run.stderrText;

    // No audio device at all: one message and a silent game.
    GameRun silent;
    silent.audioDriver = "no-such-driver";
    ASSERT_TRUE(silent.Run("5 lua PlayMusic('decks') SetMusicVolume(64) SetMusicOn(false) SetMusicOn(true)\n"
                           "8 lua ExitGame()\n"));
    EXPECT_EQ(silent.exitCode, 0);
    const std::string& said = silent.stderrText;
    const auto opened = said.find("Couldn't open audio");
    EXPECT_NE(opened, std::string::npos) << said;
    EXPECT_EQ(said.find("Couldn't open audio", opened + 1), std::string::npos) << said;
    EXPECT_EQ(said.find("Music"), std::string::npos) << said;
}
