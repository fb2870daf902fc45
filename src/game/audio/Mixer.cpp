#include "audio/Mixer.h"
#include "audio/Sound.h"
#include "core/ContentFile.h"
#include "script/Handles.h"
#include "script/ScriptHost.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

float listenerX = 0.0f;
float listenerY = 0.0f;

// Every sound ever loaded. Sounds live for the whole run; keeping them listed
// here also keeps them reachable for the leak checker.
std::vector<TSound*>* const loadedSounds = new std::vector<TSound*>;

int ClampVolume(int volume)
{
    return std::clamp(volume, 0, kMaxVolume);
}

// Only channels of an open mixer may be touched: the mixer indexes its channel
// array without checking, and the array is gone while the device is closed.
bool IsValidChannel(int channel)
{
    return IsMixerOpen() && channel >= 0 && channel < Mix_AllocateChannels(-1);
}

int StartSound(const TSound* sound, int volume, int loops)
{
    if (!sound || !IsMixerOpen()) return -1;
    Mix_Chunk* chunk = sound->PickVariant();
    if (!chunk) return -1;
    int channel = Mix_PlayChannelTimed(-1, chunk, loops, -1);
    if (channel >= 0) Mix_Volume(channel, ClampVolume(volume));
    return channel;
}

}  // namespace

bool OpenMixer()
{
    if (IsMixerOpen()) return true;
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 1, 512) < 0) {
        std::fprintf(stderr, "Couldn't open audio: %s\n", SDL_GetError());
        return false;
    }
    Mix_AllocateChannels(kMixerChannels);
    Mix_Volume(-1, kMaxVolume);
    return true;
}

void CloseMixer()
{
    if (IsMixerOpen()) Mix_CloseAudio();
}

bool IsMixerOpen()
{
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    return Mix_QuerySpec(&frequency, &format, &channels) != 0;
}

void InitAudio()
{
    OpenMixer();
    RunStartupScript("sfx.lua");
}

TSound* LoadSound(float volume, const std::vector<std::string>& files)
{
    TSound* sound = new TSound;
    loadedSounds->push_back(sound);
    RegisterHandle(sound, HandleKind::Sound);

    if (files.empty()) std::fprintf(stderr, "Cannot create new sound with 0 samples.\n");
    if (!(volume >= 0.0f)) volume = 0.0f;  // also NaN
    volume = std::min(volume, 1.0f);

    // The player's content/sfx/... comes before the shipped file.
    for (const std::string& name : files) {
        LoadContentFile(name, [&](const std::string& file) {
            SDL_RWops* source = SDL_RWFromFile(file.c_str(), "rb");
            Mix_Chunk* chunk = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
            if (!chunk) {
                std::fprintf(stderr, "Sound file loading failed. SDL error: %s\nFile:\"%s\"\n", Mix_GetError(),
                             file.c_str());
                return false;
            }
            Mix_VolumeChunk(chunk, int(volume * kMaxVolume));
            sound->AddVariant(chunk);
            return true;
        });
    }
    return sound;
}

TSound* FindSound(const std::string& name)
{
    return FindSound(name.c_str());
}

TSound* FindSound(const char* name)
{
    if (!name) return nullptr;
    void* handle = ResolveScriptName("GetSound", name);
    if (!IsHandle(handle, HandleKind::Sound)) {
        std::fprintf(stderr, "No sound named \"%s\"! \n", name);
        return nullptr;
    }
    return static_cast<TSound*>(handle);
}

int PlaySound(const TSound* sound, int volume)
{
    return StartSound(sound, volume, 0);
}

int PlaySoundLooping(const TSound* sound, int volume)
{
    return StartSound(sound, volume, -1);
}

int PositionalVolume(float distance)
{
    const float ratio = distance / 3.0f;
    if (!(ratio >= 1.0f)) return kMaxVolume;  // close by (or a broken distance)
    return ClampVolume(int(float(kMaxVolume) / ratio));
}

int PlaySoundAt(const TSound* sound, float x, float y)
{
    const float distance = std::hypot(x - listenerX, y - listenerY);
    return PlaySound(sound, PositionalVolume(distance));
}

int PlaySoundAt(const std::string& name, float x, float y)
{
    return PlaySoundAt(name.c_str(), x, y);
}

int PlaySoundAt(const char* name, float x, float y)
{
    return PlaySoundAt(FindSound(name), x, y);
}

void SetListenerPosition(float x, float y)
{
    listenerX = x;
    listenerY = y;
}

float ListenerX()
{
    return listenerX;
}

float ListenerY()
{
    return listenerY;
}

void SetChannelVolume(int channel, int volume)
{
    if (IsValidChannel(channel)) Mix_Volume(channel, ClampVolume(volume));
}

int ChannelVolume(int channel)
{
    return IsValidChannel(channel) ? Mix_Volume(channel, -1) : -1;
}

bool IsChannelPlaying(int channel)
{
    return IsValidChannel(channel) && Mix_Playing(channel) != 0;
}

void HaltChannel(int channel)
{
    if (IsValidChannel(channel)) Mix_HaltChannel(channel);
}

void HaltAllChannels()
{
    if (IsMixerOpen()) Mix_HaltChannel(-1);
}

void SetMasterVolume(int volume)
{
    if (IsMixerOpen()) Mix_Volume(-1, ClampVolume(volume));
}
