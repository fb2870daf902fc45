#include "audio/Mixer.h"
#include "audio/Sound.h"
#include "script/ApiRegistry.h"
#include "script/Handles.h"
#include "script/ScriptHost.h"
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>
#include <lua.hpp>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// A mono 16-bit PCM WAV file of a sine tone.
void WriteToneWav(const std::string& path, float frequency, float seconds)
{
    const uint32_t rate = 22050;
    const uint32_t samples = uint32_t(rate * seconds);
    const uint32_t dataBytes = samples * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);         // PCM
    u16(1);         // mono
    u32(rate);
    u32(rate * 2);  // bytes per second
    u16(2);         // block align
    u16(16);        // bits per sample
    out.write("data", 4);
    u32(dataBytes);
    for (uint32_t i = 0; i < samples; ++i)
        u16(uint16_t(int16_t(8000.0f * std::sin(6.2831853f * frequency * float(i) / float(rate)))));
}

TSound* GlobalSound(lua_State* L, const char* name)
{
    lua_getglobal(L, name);
    void* pointer = lua_touserdata(L, -1);
    lua_pop(L, 1);
    return HandleAs<TSound>(pointer, HandleKind::Sound);
}

// A Lua state with the audio functions and a GetSound resolver over the table
// `sounds`, an open mixer on the dummy driver and three short WAV files.
class AudioTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_TRUE(OpenMixer());
    }
    static void TearDownTestSuite() { CloseMixer(); }

    void SetUp() override
    {
        ASSERT_TRUE(IsMixerOpen());
        char pattern[] = "/tmp/korvanmire_audio_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        for (int i = 0; i < 3; ++i) {
            files[i] = dir + "/tone" + std::to_string(i) + ".wav";
            WriteToneWav(files[i], 220.0f * float(i + 1), 0.25f);
        }
        L = luaL_newstate();
        luaL_openlibs(L);
        RegisterAudioApi(L);
        previousState = luaState;
        luaState = L;
        ASSERT_EQ(Run("sounds = {} function GetSound(name) return sounds[name] end"), "");
        SetMasterVolume(kMaxVolume);
    }
    void TearDown() override
    {
        HaltAllChannels();
        luaState = previousState;
        lua_close(L);
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    // Runs a chunk; the error message, or "" when it ran.
    std::string Run(const std::string& code)
    {
        if (luaL_dostring(L, code.c_str()) == 0) return "";
        std::string message = lua_isstring(L, -1) ? lua_tostring(L, -1) : "error";
        lua_pop(L, 1);
        return message;
    }
    std::string Quoted(int i) const { return "\"" + files[i] + "\""; }
    std::string LoadThree(const char* volume = "0.5")
    {
        return "s = _LoadSound(" + std::string(volume) + ", " + Quoted(0) + ", " + Quoted(1) + ", " + Quoted(2)
               + ")";
    }
    static int PlayingChannels()
    {
        int playing = 0;
        for (int c = 0; c < kMixerChannels; ++c) playing += IsChannelPlaying(c) ? 1 : 0;
        return playing;
    }

    lua_State* L = nullptr;
    lua_State* previousState = nullptr;
    std::string dir;
    std::string files[3];
};

}  // namespace

TEST(AudioPositionalVolume, FallsOffWithDistance)
{
    const std::map<float, int> expected = {{0.0f, 128}, {1.5f, 128}, {3.0f, 128}, {6.0f, 64},
                                           {9.0f, 42}, {12.0f, 32}, {30.0f, 12}, {384.0f, 1}};
    for (const auto& [distance, volume] : expected) EXPECT_EQ(PositionalVolume(distance), volume) << distance;
    EXPECT_EQ(PositionalVolume(-4.0f), 128);
    EXPECT_EQ(PositionalVolume(1e30f), 0);
    EXPECT_EQ(PositionalVolume(INFINITY), 0);
}

TEST_F(AudioTest, LoadSoundFromScript)
{
    ASSERT_EQ(Run(LoadThree()), "");
    TSound* sound = GlobalSound(L, "s");
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(sound->VariantCount(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_NE(sound->Variant(i), nullptr);
        EXPECT_EQ(sound->Variant(i)->volume, 64);
    }
    EXPECT_EQ(sound->Variant(3), nullptr);

    // Volumes outside 0..1 are clamped instead of wrapping the chunk volume.
    ASSERT_EQ(Run("loud = _LoadSound(7, " + Quoted(0) + ") quiet = _LoadSound(-2, " + Quoted(0) + ")"), "");
    EXPECT_EQ(GlobalSound(L, "loud")->Variant(0)->volume, 128);
    EXPECT_EQ(GlobalSound(L, "quiet")->Variant(0)->volume, 0);
}

TEST_F(AudioTest, BrokenFilesAreReportedAndSkipped)
{
    std::ofstream(dir + "/junk.wav") << "this is not a wave file";
    testing::internal::CaptureStderr();
    ASSERT_EQ(Run("s = _LoadSound(1, " + Quoted(0) + ", \"" + dir + "/missing.wav\", \"" + dir + "/junk.wav\", "
                  + Quoted(2) + ")"),
              "");
    std::string err = testing::internal::GetCapturedStderr();
    TSound* sound = GlobalSound(L, "s");
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->VariantCount(), 2u);
    EXPECT_NE(err.find("Sound file loading failed. SDL error: "), std::string::npos);
    EXPECT_NE(err.find("\nFile:\"" + dir + "/missing.wav\"\n"), std::string::npos);
    EXPECT_NE(err.find("\nFile:\"" + dir + "/junk.wav\"\n"), std::string::npos);

    testing::internal::CaptureStderr();
    ASSERT_EQ(Run("empty = _LoadSound(1)"), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Cannot create new sound with 0 samples.\n");
    TSound* empty = GlobalSound(L, "empty");
    ASSERT_NE(empty, nullptr);  // still a valid handle
    EXPECT_TRUE(empty->Empty());

    // Playing nothing is quietly nothing.
    EXPECT_EQ(PlaySound(empty, 128), -1);
    EXPECT_EQ(PlaySound(nullptr, 128), -1);
    EXPECT_EQ(PlaySoundLooping(empty, 128), -1);
    EXPECT_EQ(PlayingChannels(), 0);
}

TEST_F(AudioTest, WrongScriptArgumentsRaiseLuaErrors)
{
    EXPECT_NE(Run("_LoadSound()"), "");
    EXPECT_NE(Run("_LoadSound(\"loud\", " + Quoted(0) + ")"), "");
    EXPECT_NE(Run("_LoadSound(1, " + Quoted(0) + ", {})"), "");
    EXPECT_NE(Run("PlaySound()"), "");
    EXPECT_NE(Run("PlaySound({})"), "");
    EXPECT_NE(Run("SetVolume()"), "");
    EXPECT_NE(Run("SetVolume(\"max\")"), "");
    EXPECT_EQ(PlayingChannels(), 0);
    // Out of range volumes are clamped.
    ASSERT_EQ(Run(LoadThree()), "");
    int channel = PlaySound(GlobalSound(L, "s"), 50);
    ASSERT_GE(channel, 0);
    ASSERT_EQ(Run("SetVolume(100000)"), "");
    EXPECT_EQ(ChannelVolume(channel), 128);
    ASSERT_EQ(Run("SetVolume(-5)"), "");
    EXPECT_EQ(ChannelVolume(channel), 0);
}

TEST_F(AudioTest, FindAndPlayByName)
{
    ASSERT_EQ(Run(LoadThree() + " sounds.shot = s sounds.notasound = {} function sounds.broken() end"), "");
    TSound* sound = GlobalSound(L, "s");
    EXPECT_EQ(FindSound("shot"), sound);

    for (const char* name : {"nothing", "notasound"}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(FindSound(name), nullptr);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "No sound named \"" + std::string(name) + "\"! \n");
    }
    // A resolver that raises an error is a missing sound, too.
    ASSERT_EQ(Run("function GetSound(name) if name == 'bad' then error('boom') end return sounds[name] end"), "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(FindSound("bad"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "No sound named \"bad\"! \n");

    // The name is the last argument.
    ASSERT_EQ(Run("PlaySound('shot')"), "");
    ASSERT_EQ(Run("PlaySound(1, 2, 'shot')"), "");
    EXPECT_EQ(PlayingChannels(), 2);
    testing::internal::CaptureStderr();
    ASSERT_EQ(Run("PlaySound('shot', 'nothing')"), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "No sound named \"nothing\"! \n");
    EXPECT_EQ(PlayingChannels(), 2);

    // By name at a position: 9 m from the listener.
    SetListenerPosition(10.0f, -2.0f);
    int channel = PlaySoundAt("shot", 10.0f, 7.0f);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(ChannelVolume(channel), 42);
    channel = PlaySoundAt(sound, 11.0f, -2.0f);
    EXPECT_EQ(ChannelVolume(channel), 128);
    SetListenerPosition(0.0f, 0.0f);
}

TEST_F(AudioTest, VariantsArePickedEvenly)
{
    ASSERT_EQ(Run(LoadThree()), "");
    TSound* sound = GlobalSound(L, "s");
    std::map<Mix_Chunk*, int> picks;
    std::srand(4242);
    const int plays = 3000;
    for (int i = 0; i < plays; ++i) {
        int channel = PlaySound(sound, 128);
        ASSERT_GE(channel, 0);
        ++picks[Mix_GetChunk(channel)];
        HaltChannel(channel);
    }
    ASSERT_EQ(picks.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_GT(picks[sound->Variant(i)], plays / 3 - 150) << i;
        EXPECT_LT(picks[sound->Variant(i)], plays / 3 + 150) << i;
    }
}

TEST_F(AudioTest, ChannelsAndVolumes)
{
    ASSERT_EQ(Run(LoadThree()), "");
    TSound* sound = GlobalSound(L, "s");

    // Fill every channel, each with its own volume.
    for (int i = 0; i < kMixerChannels; ++i) {
        int channel = PlaySoundLooping(sound, i + 1);
        ASSERT_GE(channel, 0);
        EXPECT_EQ(ChannelVolume(channel), i + 1);
    }
    EXPECT_EQ(PlayingChannels(), kMixerChannels);
    std::map<int, int> before;
    for (int c = 0; c < kMixerChannels; ++c) before[c] = ChannelVolume(c);

    // No free channel: nothing plays and nobody's volume changes.
    EXPECT_EQ(PlaySound(sound, 100), -1);
    for (int c = 0; c < kMixerChannels; ++c) EXPECT_EQ(ChannelVolume(c), before[c]) << c;

    // A halted channel is the next one used.
    HaltChannel(5);
    EXPECT_FALSE(IsChannelPlaying(5));
    EXPECT_EQ(PlaySound(sound, 100), 5);
    SetChannelVolume(5, 500);
    EXPECT_EQ(ChannelVolume(5), 128);

    // The master volume sets every channel; a new sound sets its own channel.
    ASSERT_EQ(Run("SetVolume(0)"), "");
    for (int c = 0; c < kMixerChannels; ++c) EXPECT_EQ(ChannelVolume(c), 0) << c;
    HaltAllChannels();
    EXPECT_EQ(PlayingChannels(), 0);
    int channel = PlaySound(sound, 128);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(ChannelVolume(channel), 128);
    EXPECT_EQ(ChannelVolume(channel == 0 ? 1 : 0), 0);

    // Channels that don't exist are ignored.
    for (int bad : {-1, -7, kMixerChannels, 1000}) {
        SetChannelVolume(bad, 10);
        HaltChannel(bad);
        EXPECT_FALSE(IsChannelPlaying(bad));
        EXPECT_EQ(ChannelVolume(bad), -1);
    }
}

// The game runs on without an audio device: loading reports and playing does nothing.
TEST_F(AudioTest, NoDeviceNeverCrashes)
{
    ASSERT_EQ(Run(LoadThree()), "");
    TSound* loaded = GlobalSound(L, "s");
    CloseMixer();
    ASSERT_FALSE(IsMixerOpen());

    testing::internal::CaptureStderr();
    ASSERT_EQ(Run("silent = _LoadSound(1, " + Quoted(0) + ")"), "");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Sound file loading failed."), std::string::npos);
    TSound* silent = GlobalSound(L, "silent");
    ASSERT_NE(silent, nullptr);
    EXPECT_TRUE(silent->Empty());

    EXPECT_EQ(PlaySound(loaded, 128), -1);
    EXPECT_EQ(PlaySoundLooping(loaded, 128), -1);
    EXPECT_EQ(PlaySoundAt(loaded, 1.0f, 1.0f), -1);
    EXPECT_EQ(Run("sounds.shot = s PlaySound('shot') SetVolume(10)"), "");
    SetChannelVolume(0, 10);
    HaltChannel(0);
    HaltAllChannels();
    EXPECT_FALSE(IsChannelPlaying(0));
    EXPECT_EQ(ChannelVolume(0), -1);

    // Opening again gives all channels back at full volume.
    ASSERT_TRUE(OpenMixer());
    EXPECT_EQ(Mix_AllocateChannels(-1), kMixerChannels);
    int channel = PlaySound(loaded, 77);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(ChannelVolume(channel), 77);
    EXPECT_EQ(ChannelVolume(channel == 0 ? 1 : 0), 128);
}
