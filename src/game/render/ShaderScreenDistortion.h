#pragma once
#include "render/DistortionTiles.h"
#include "render/ImpulseBatch.h"
#include "render/ScreenDistortion.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include <cstdint>
#include <random>
#include <vector>

class TSprite;

// Per-pixel distortion: each colour channel has a float offset buffer into which
// impulses are drawn as soft sprites with small shaders; the compositor reads the
// frame through those offsets. Needs OpenGL 2.0 with framebuffer objects.
class TShaderScreenDistortion : public TScreenDistortion {
public:
    // One impulse waiting to be drawn into its channel's buffer.
    struct TImpulse {
        enum Type : uint8_t { Streak = 0, Directional = 1, Radial = 2 };
        int frame = 0;
        float screenX = 0, screenY = 0;  // 640 x 480 overlay coordinates
        float angle = 0;
        float dirX = 0, dirY = 0;        // offset in display-texture coordinates
        float strength = 0;              // radial: alpha handed to the shader
        float scale = 1;
        Type type = Directional;
    };
    // More impulses than this in one frame's queue push the oldest out.
    static constexpr size_t kMaxQueued = 4096;

    // `economical` off: three-channel buffers and full-screen passes everywhere,
    // as the pass was first written (for comparisons).
    TShaderScreenDistortion(int windowWidth, int windowHeight, bool economical = true);
    ~TShaderScreenDistortion() override;

    // True when the buffers, the framebuffer and all three programs were made.
    bool IsUsable() const { return usable; }

    bool Idle() const override;
    void PushRadial(float x, float y, float strength, int channel) override;
    void PushDirectional(float x, float y, float dx, float dy, float size, int channel) override;
    void PushStreak(float x, float y, float dx, float dy, float size, int channel) override;
    void Draw() override;

    const std::vector<TImpulse>& Queue(int channel) const { return queues[channel]; }
    // Some channel may hold an offset in that tile.
    bool LiveTile(int column, int row) const;

    // OpenGL 2.0 and framebuffer objects, and float textures to draw into.
    static bool Supported();

    // Fade and per-pixel composition only where the buffers may hold offsets
    // (see TDistortionTiles); off: over the whole frame.
    bool tiled = true;
    // Impulses of a kind drawn one after another go in one vertex-array draw;
    // off: one draw each (for comparisons).
    bool batched = true;
    // How many draws the impulses took so far.
    unsigned long ImpulseDraws() const { return batch.Draws(); }

private:
    void Push(int channel, const TImpulse& impulse);
    bool MakeBuffers(bool twoChannels);
    void Composite();
    // The frame block's tiles in one state, as window quads carrying the display
    // texture's coordinates; `live` picks which.
    void DrawFrameBlockTiles(bool live) const;
    void RenderImpulses();
    // Quads over a channel's live tiles, or those come to rest, in the
    // 320 x 240 view of the buffer drawn into.
    static void DrawChannelTiles(const TDistortionTiles& channel, bool resting);
    // Zeros over the channel's tiles whose offsets all fell below a visible size.
    void ClearRestingTiles(int channel);
    // Where in the frame block an impulse can draw (frame pixels).
    static void Footprint(const TImpulse& impulse, const TSprite* blob, const TSprite* streak,
                          float box[4]);
    // Keeps the impulse in the batch, first sending the batch if it holds
    // another kind.
    void BatchImpulse(const TImpulse& impulse, TSprite* blob, TSprite* streak);
    void DrawBatch();
    // A directional's blob turns a little at random each time.
    float Jitter();
    // The most an impulse can add to any offset, in display-texture units.
    static float OffsetReach(const TImpulse& impulse, const TSprite* blob);
    void ClearBuffers();

    TTexture buffers[3];
    uint32_t framebuffer = 0;
    TShaderProgram compositor;
    TShaderProgram directional;
    TShaderProgram radial;
    int directionAttribute = -1;  // the directional shader's push
    int centreAttribute = -1;     // the radial shader's blob centre
    TImpulseBatch batch;
    TImpulse::Type batchType = TImpulse::Directional;
    TSprite* batchSprite = nullptr;
    // Vectors keep their room between frames: no allocation once grown.
    std::vector<TImpulse> queues[3];
    std::minstd_rand random{12345};
    // Upper bound of every offset in the buffers; below a hundredth of a texel
    // the buffers are cleared and the distortion is at rest.
    float offsetBound = 0.0f;
    TDistortionTiles tiles[3];  // one per channel: bullets push only two of them
    bool usable = false;
};
