#include "audio/Music.h"
#include "audio/Mixer.h"
#include "core/ContentFile.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <cstdio>

namespace {

// How fast a track that is being replaced fades out, in ms.
constexpr int kSwitchFadeMs = 400;
// Volume steps a frame while gliding into or out of the duck.
constexpr int kGlidePerFrame = 6;
constexpr std::size_t kMaxNameLength = 64;

bool IsTrackName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxNameLength) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
}

}  // namespace

TMusic::~TMusic()
{
    Release();
}

void TMusic::Release()
{
    // Freeing a track halts it, but waits for a fade-out to end first: halt now.
    if (IsMixerOpen()) Mix_HaltMusic();
    for (auto& [name, track] : tracks)
        if (track && IsMixerOpen()) Mix_FreeMusic(track);
    tracks.clear();
    waiting.reset();
    current.clear();
}

void TMusic::Play(const std::string& name, int fadeInMs, int delayFrames, bool once)
{
    if (!IsMixerOpen()) return;
    if (name == current && (Mix_PlayingMusic() || !enabled)) {
        waiting.reset();
        return;
    }
    waiting = Request{name, std::max(0, fadeInMs), std::max(0, delayFrames), once};
    Advance();
}

void TMusic::Stop(int fadeOutMs)
{
    waiting.reset();
    current.clear();
    if (!IsMixerOpen() || !Mix_PlayingMusic()) return;
    if (fadeOutMs > 0) Mix_FadeOutMusic(fadeOutMs);
    else Mix_HaltMusic();
}

void TMusic::SetVolume(int newVolume)
{
    volume = std::clamp(newVolume, 0, kMaxVolume);
    heard = TargetVolume();
    if (IsMixerOpen()) Mix_VolumeMusic(heard);
}

void TMusic::SetEnabled(bool on)
{
    if (on == enabled) return;
    enabled = on;
    if (!IsMixerOpen()) return;
    if (!enabled) {
        Mix_HaltMusic();
    } else if (!current.empty() && !currentOnce && !waiting) {
        Start(Request{current, 1000, 0, false});
    }
    SetVolume(volume);
}

void TMusic::SetDucked(bool on)
{
    ducked = on;
}

int TMusic::TargetVolume() const
{
    return ducked ? volume * kDuckedPercent / 100 : volume;
}

void TMusic::Update()
{
    if (!IsMixerOpen()) return;
    if (waiting && waiting->delayFrames > 0) --waiting->delayFrames;
    Advance();

    const int target = TargetVolume();
    if (heard != target) {
        heard = heard < target ? std::min(target, heard + kGlidePerFrame) : std::max(target, heard - kGlidePerFrame);
        Mix_VolumeMusic(heard);
    }
}

void TMusic::Advance()
{
    if (!waiting || waiting->delayFrames > 0) return;
    // Starting a track while another fades out would block until the fade
    // ends, so the old one is faded out first and the new one waits for it.
    if (Mix_PlayingMusic()) {
        if (Mix_FadingMusic() != MIX_FADING_OUT) Mix_FadeOutMusic(kSwitchFadeMs);
        return;
    }
    const Request request = *waiting;
    waiting.reset();
    Start(request);
}

void TMusic::Start(const Request& request)
{
    current = request.name;
    currentOnce = request.once;
    if (!enabled) return;
    Mix_Music* track = Load(request.name);
    if (!track) {
        current.clear();
        return;
    }
    Mix_VolumeMusic(heard);
    const int loops = request.once ? 1 : -1;
    const int started = request.fadeInMs > 0 ? Mix_FadeInMusic(track, loops, request.fadeInMs)
                                             : Mix_PlayMusic(track, loops);
    if (started < 0) {
        std::fprintf(stderr, "Music \"%s\" cannot play. SDL error: %s\n", request.name.c_str(), Mix_GetError());
        Mix_FreeMusic(track);
        tracks[request.name] = nullptr;
        current.clear();
    }
}

Mix_Music* TMusic::Load(const std::string& name)
{
    if (auto known = tracks.find(name); known != tracks.end()) return known->second;
    if (!IsTrackName(name)) {
        std::fprintf(stderr, "No music named \"%.64s\": a track name is letters, digits, '_' and '-'\n",
                     name.c_str());
        tracks[name] = nullptr;
        return nullptr;
    }
    Mix_Music* track = nullptr;
    LoadContentFile("music/" + name + ".ogg", [&](const std::string& path) {
        track = Mix_LoadMUS(path.c_str());
        if (!track)
            std::fprintf(stderr, "Music file loading failed. SDL error: %s\nFile:\"%s\"\n", Mix_GetError(),
                         path.c_str());
        return track != nullptr;
    });
    tracks[name] = track;
    return track;
}
