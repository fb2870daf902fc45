#pragma once
#include <map>
#include <optional>
#include <string>

struct _Mix_Music;
typedef struct _Mix_Music Mix_Music;

// The music: one track at a time on SDL_mixer's music stream, beside the
// effect channels (which it never touches). A track is a name, played from
// music/NAME.ogg (the player's own copy first). Tracks load once and stay
// loaded; one that is missing or broken is reported once and stays silent.
// Without an audio device it does nothing at all.
class TMusic {
public:
    TMusic() = default;
    TMusic(const TMusic&) = delete;
    TMusic& operator=(const TMusic&) = delete;
    ~TMusic();

    // Asks for `name` to play, fading in over fadeInMs, once delayFrames
    // frames have passed; what plays until then goes on, and a track that is
    // playing already is left alone. A later request replaces one still
    // waiting. `once`: the track plays a single time instead of looping.
    void Play(const std::string& name, int fadeInMs = 0, int delayFrames = 0, bool once = false);
    // Ends the music (and a request still waiting), fading out over fadeOutMs.
    void Stop(int fadeOutMs = 0);

    // The player's music volume, 0..128.
    void SetVolume(int volume);
    int Volume() const { return volume; }
    // Music switched off stays silent; switched on again, the looping track
    // that was asked for starts again.
    void SetEnabled(bool on);
    bool Enabled() const { return enabled; }
    // Ducked: softer, under a menu opened during play. Glides there and back.
    void SetDucked(bool on);
    bool Ducked() const { return ducked; }

    // Once a frame: counts the delay down, starts a track once the one before
    // has faded out, glides the volume.
    void Update();

    // The track playing or about to play ("" for none).
    const std::string& Track() const { return waiting ? waiting->name : current; }
    // The volume the stream is set to now (0..128), ducking included.
    int HeardVolume() const { return heard; }

    // Halts the music and frees every track (at exit, before the device closes).
    void Release();

    // Share of the volume left while ducked, in percent.
    static constexpr int kDuckedPercent = 35;

private:
    struct Request {
        std::string name;
        int fadeInMs = 0;
        int delayFrames = 0;
        bool once = false;
    };

    void Advance();
    void Start(const Request& request);
    Mix_Music* Load(const std::string& name);
    int TargetVolume() const;

    std::map<std::string, Mix_Music*> tracks;  // null: failed, and reported
    std::optional<Request> waiting;
    std::string current;
    bool currentOnce = false;
    int volume = 128;
    int heard = 128;
    bool enabled = true;
    bool ducked = false;
};
