#pragma once

class TSound;

// One mixer channel that an object keeps for a looping sound (a beam's hum,
// the turret's drone). Switching to another sound halts the old one first, so
// the object never holds more than one channel, and the channel is halted
// when the holder goes: no loop keeps playing after the object is gone.
class TLoopingChannel {
public:
    TLoopingChannel() = default;
    ~TLoopingChannel() { Halt(); }
    TLoopingChannel(const TLoopingChannel&) = delete;
    TLoopingChannel& operator=(const TLoopingChannel&) = delete;

    // Starts `sound` looping at `volume` unless it is already what plays here.
    // A null sound (or no audio device) leaves the channel at -1.
    void Switch(const TSound* sound, int volume);
    // Starts `sound` looping at `volume` whatever played before.
    void Restart(const TSound* sound, int volume);
    void SetVolume(int volume);
    // Halts the loop and forgets the channel.
    void Halt();
    // True while the mixer still plays this channel.
    bool Playing() const;

    int Channel() const { return channel; }
    const TSound* Current() const { return current; }

private:
    int channel = -1;
    const TSound* current = nullptr;
};
