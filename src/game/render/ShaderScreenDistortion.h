#pragma once
#include "render/ScreenDistortion.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include <cstdint>
#include <deque>
#include <random>

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

    TShaderScreenDistortion(int windowWidth, int windowHeight);
    ~TShaderScreenDistortion() override;

    // True when the buffers, the framebuffer and all three programs were made.
    bool IsUsable() const { return usable; }

    void AddRadial(float x, float y, float strength, int channel) override;
    void AddDirectional(float x, float y, float dx, float dy, float size, int channel) override;
    void AddStreak(float x, float y, float dx, float dy, float size, int channel) override;
    void Draw() override;

    const std::deque<TImpulse>& Queue(int channel) const { return queues[channel]; }
    const TTexture& Buffer(int channel) const { return buffers[channel]; }

    // OpenGL 2.0 and framebuffer objects, and float textures to draw into.
    static bool Supported();

private:
    void Push(int channel, const TImpulse& impulse);
    void Composite();
    void RenderImpulses();
    void DrawImpulse(const TImpulse& impulse, TSprite* blob, TSprite* streak);
    // The most an impulse can add to any offset, in display-texture units.
    static float OffsetReach(const TImpulse& impulse, const TSprite* blob);
    void ClearBuffers();

    TTexture buffers[3];
    uint32_t framebuffer = 0;
    TShaderProgram compositor;
    TShaderProgram directional;
    TShaderProgram radial;
    std::deque<TImpulse> queues[3];
    std::minstd_rand random{12345};
    // Upper bound of every offset in the buffers; below a hundredth of a texel
    // the buffers are cleared and the distortion is at rest.
    float offsetBound = 0.0f;
    bool usable = false;
};
