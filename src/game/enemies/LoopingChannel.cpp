#include "enemies/LoopingChannel.h"
#include "audio/Mixer.h"

void TLoopingChannel::Switch(const TSound* sound, int volume)
{
    if (sound == current && (channel != -1 || !sound)) return;
    Restart(sound, volume);
}

void TLoopingChannel::Restart(const TSound* sound, int volume)
{
    Halt();
    current = sound;
    if (sound) channel = PlaySoundLooping(sound, volume);
}

void TLoopingChannel::SetVolume(int volume)
{
    if (channel != -1) SetChannelVolume(channel, volume);
}

void TLoopingChannel::Halt()
{
    if (channel != -1) HaltChannel(channel);
    channel = -1;
    current = nullptr;
}

bool TLoopingChannel::Playing() const
{
    return channel != -1 && IsChannelPlaying(channel);
}
