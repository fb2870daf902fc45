#pragma once
#include <string>
#include <vector>

class TSound;

// Sound output: 32 mixing channels, a master volume and a listener at the
// player's position. Volumes are 0..128 like the mixer's own.

constexpr int kMixerChannels = 32;
constexpr int kMaxVolume = 128;

// Opens the audio device and runs sfx.lua, which loads the game's sounds.
// Without a device the game goes on silently.
void InitAudio();
// The device half of InitAudio. True when the device is open.
bool OpenMixer();
// Closes the device again (tests; the game keeps it open to the end).
void CloseMixer();
bool IsMixerOpen();

// Loads every file as a variant of a new sound at `volume` (0..1). Files that
// fail to load are reported and skipped; the sound is returned even when empty.
// The sound is registered as a script handle and lives for the whole run.
TSound* LoadSound(float volume, const std::vector<std::string>& files);

// Asks the scripts' GetSound(name); null (and a message) when it has no such sound.
TSound* FindSound(const std::string& name);
TSound* FindSound(const char* name);

// Plays a random variant on a free channel at `volume`; the channel, or -1 when
// nothing was played (no sound, no variants, no free channel, no device).
int PlaySound(const TSound* sound, int volume);
// As PlaySound, repeating until the channel is halted.
int PlaySoundLooping(const TSound* sound, int volume);
// Plays at a position in metres, quieter the farther it is from the listener.
int PlaySoundAt(const TSound* sound, float x, float y);
int PlaySoundAt(const std::string& name, float x, float y);
// By a name the caller keeps: no string is made on the way (called every frame).
int PlaySoundAt(const char* name, float x, float y);

// Volume for a sound `distance` metres from the listener: full within 3 m, then
// falling off as 3/distance.
int PositionalVolume(float distance);

void SetListenerPosition(float x, float y);
float ListenerX();
float ListenerY();

// Channel control for effects that keep their channel. Channels outside the
// mixer's range are ignored.
void SetChannelVolume(int channel, int volume);
int ChannelVolume(int channel);  // -1 for a channel that doesn't exist
bool IsChannelPlaying(int channel);
void HaltChannel(int channel);
void HaltAllChannels();
// The volume of all channels at once.
void SetMasterVolume(int volume);
