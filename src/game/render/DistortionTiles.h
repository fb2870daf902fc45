#pragma once

// Which parts of the distortion's offset buffers can hold an offset. The
// 320 x 240 frame block is cut into square tiles; each keeps an upper bound of
// the offsets drawn into it, fading as the buffers fade. A tile no impulse
// touched since it was last cleared holds zeros: it needs neither the fade pass
// nor the compositor's per-pixel reads, which on a software renderer cost more
// than the rest of the frame together.
class TDistortionTiles {
public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 12;
    static constexpr float kSize = 20.0f;  // frame pixels a side

    // An impulse drawn somewhere inside the rectangle (frame pixels, y down,
    // any extent) added at most `reach` to the offsets there.
    void Add(float left, float top, float right, float bottom, float reach);
    // The buffers were faded: every bound shrinks by the factor.
    void Fade(float factor);
    // Touched since its last clear.
    bool Live(int column, int row) const { return tiles[row][column].live; }
    // Live, but every offset in it is below `rest`: time to clear it.
    bool Resting(int column, int row, float rest) const;
    bool AnyResting(float rest) const;
    // The resting tiles were cleared: zeros again.
    void ForgetResting(float rest);
    bool AnyLive() const;
    void ForgetAll();

private:
    struct TTile {
        float bound = 0.0f;
        bool live = false;
    };
    TTile tiles[kRows][kColumns];
};
