#include "render/ShaderScreenDistortion.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include <GL/glew.h>
#include <cmath>
#include <cstdio>

namespace {

// Framebuffer objects through the extension where it exists, else through core 3.0.
bool UseFramebufferExtension()
{
    return GLEW_EXT_framebuffer_object && glGenFramebuffersEXT && glBindFramebufferEXT &&
           glFramebufferTexture2DEXT && glCheckFramebufferStatusEXT && glDeleteFramebuffersEXT;
}

bool HaveCoreFramebuffers()
{
    return GLEW_VERSION_3_0 && glGenFramebuffers && glBindFramebuffer && glFramebufferTexture2D &&
           glCheckFramebufferStatus && glDeleteFramebuffers;
}

GLuint GenFramebuffer()
{
    GLuint id = 0;
    if (UseFramebufferExtension())
        glGenFramebuffersEXT(1, &id);
    else if (HaveCoreFramebuffers())
        glGenFramebuffers(1, &id);
    return id;
}

void DeleteFramebuffer(GLuint id)
{
    if (UseFramebufferExtension())
        glDeleteFramebuffersEXT(1, &id);
    else if (HaveCoreFramebuffers())
        glDeleteFramebuffers(1, &id);
}

void BindFramebuffer(GLuint id)
{
    if (UseFramebufferExtension())
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, id);
    else if (HaveCoreFramebuffers())
        glBindFramebuffer(GL_FRAMEBUFFER, id);
}

void AttachTexture(GLuint texture)
{
    if (UseFramebufferExtension())
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                                  texture, 0);
    else if (HaveCoreFramebuffers())
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
}

bool FramebufferComplete()
{
    if (UseFramebufferExtension())
        return glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    if (HaveCoreFramebuffers())
        return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    return false;
}

// One streak or directional impulse moves the picture by dx / 600 of the display
// texture per unit of dx.
constexpr float kDirectionScale = 1.0f / 600.0f;

// Offsets below a hundredth of a display texel move no pixel worth seeing.
constexpr float kRestOffset = 0.01f / 512.0f;
// The buffers fade to 80% a frame; half-float rounding may keep a little more.
constexpr float kFadeBound = 0.81f;

}  // namespace

bool TShaderScreenDistortion::Supported()
{
    bool shaders = GLEW_VERSION_2_0 && glCreateShader && glUseProgram;
    bool framebuffers = UseFramebufferExtension() || HaveCoreFramebuffers();
    bool floatTextures = GLEW_ARB_texture_float || GLEW_VERSION_3_0;
    return shaders && framebuffers && floatTextures;
}

TShaderScreenDistortion::TShaderScreenDistortion(int windowWidth, int windowHeight)
    : TScreenDistortion(windowWidth, windowHeight),
      compositor("shaders/distortion_v.glsl", "shaders/distortion_f.glsl"),
      directional("shaders/directional_v.glsl", "shaders/directional_f.glsl"),
      radial("shaders/radial_v.glsl", "shaders/radial_f.glsl")
{
    if (!Supported()) return;
    for (int c = 0; c < 3; ++c) {
        char name[32];
        snprintf(name, sizeof(name), "distbuffer%d", c);
        CreateBlankTexture(&buffers[c], name, 640, 480, true);
    }
    BindTexture(0);
    framebuffer = GenFramebuffer();
    bool complete = false;
    if (framebuffer) {
        BindFramebuffer(framebuffer);
        AttachTexture(buffers[0].id);
        complete = FramebufferComplete();
        AttachTexture(0);
        BindFramebuffer(0);
    }
    if (!complete) fprintf(stderr, "GL: the distortion buffers cannot be drawn into\n");
    usable = complete && compositor.IsUsable() && directional.IsUsable() && radial.IsUsable();
    CheckGLError();
}

TShaderScreenDistortion::~TShaderScreenDistortion()
{
    if (framebuffer) DeleteFramebuffer(framebuffer);
    for (TTexture& buffer : buffers) {
        if (buffer.id) {
            if (CurrentBoundTexture() == buffer.id) BindTexture(0);
            GLuint id = buffer.id;
            glDeleteTextures(1, &id);
        }
    }
}

void TShaderScreenDistortion::Push(int channel, const TImpulse& impulse)
{
    if (channel < 0 || channel > 2) return;
    std::deque<TImpulse>& queue = queues[channel];
    if (queue.size() >= kMaxQueued) queue.pop_front();
    queue.push_back(impulse);
}

void TShaderScreenDistortion::AddRadial(float x, float y, float strength, int channel)
{
    TImpulse impulse;
    impulse.type = TImpulse::Radial;
    WorldToScreen(x, y, &impulse.screenX, &impulse.screenY);
    impulse.frame = 0;
    impulse.strength = -strength / 4000.0f;
    impulse.scale = 50.0f;
    Push(channel, impulse);
}

void TShaderScreenDistortion::AddDirectional(float x, float y, float dx, float dy, float size,
                                             int channel)
{
    TImpulse impulse;
    impulse.type = TImpulse::Directional;
    WorldToScreen(x, y, &impulse.screenX, &impulse.screenY);
    impulse.frame = 0;
    impulse.angle = std::atan2(dx, dy) + cameraAngle;
    impulse.dirX = -dx * kDirectionScale;
    impulse.dirY = dy * kDirectionScale;
    impulse.strength = 1.0f;
    impulse.scale = size * 0.5f;
    Push(channel, impulse);
}

void TShaderScreenDistortion::AddStreak(float x, float y, float dx, float dy, float size,
                                        int channel)
{
    // The streak is drawn on the screen, so its direction turns with the camera.
    float c = std::cos(cameraAngle), s = std::sin(cameraAngle);
    float vx = dx * c - dy * s;
    float vy = dx * s + dy * c;
    TImpulse impulse;
    impulse.type = TImpulse::Streak;
    WorldToScreen(x, y, &impulse.screenX, &impulse.screenY);
    impulse.frame = 0;
    impulse.angle = std::atan2(vx, vy);
    impulse.dirX = -vx * kDirectionScale;
    impulse.dirY = vy * kDirectionScale;
    impulse.strength = std::hypot(vx, vy) / 10.0f;
    impulse.scale = size / 10.0f;
    Push(channel, impulse);
}

void TShaderScreenDistortion::Draw()
{
    if (!usable) {
        for (auto& queue : queues) queue.clear();
        return;
    }
    const bool queued = !queues[0].empty() || !queues[1].empty() || !queues[2].empty();
    if (atRest && !queued && !alwaysDistort) {
        // The buffers are all zero: the compositor would show the frame as it is.
        DrawUndistorted();
        SetBlendMode(2);
        return;
    }
    atRest = false;
    Composite();
    RenderImpulses();
    if (offsetBound < kRestOffset) {
        ClearBuffers();
        atRest = true;
    }
}

float TShaderScreenDistortion::OffsetReach(const TImpulse& impulse, const TSprite* blob)
{
    if (impulse.type != TImpulse::Radial) return std::hypot(impulse.dirX, impulse.dirY);
    // The radial shader pushes by the distance from the blob's centre, in texels
    // of the 256-texel-high display texture, times the strength.
    const TSpriteFrame* f = blob ? blob->DrawableFrame(impulse.frame) : nullptr;
    if (!f) return 0.0f;
    const float reach = 0.5f * std::fabs(impulse.scale) * std::hypot(f->width, f->height);
    return std::fabs(impulse.strength) * reach / 256.0f;
}

void TShaderScreenDistortion::ClearBuffers()
{
    BindFramebuffer(framebuffer);
    for (const TTexture& buffer : buffers) {
        AttachTexture(buffer.id);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    AttachTexture(0);
    BindFramebuffer(0);
    glDrawBuffer(GL_BACK);
    offsetBound = 0.0f;
}

void TShaderScreenDistortion::Composite()
{
    glViewport(0, 0, int(windowWidth), int(windowHeight));
    SetBlendMode(3);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    compositor.Use();
    for (int c = 0; c < 3; ++c) {
        char name[32];
        snprintf(name, sizeof(name), "distoffsets%d", c);
        compositor.SetSampler(name, &buffers[c], c + 1);
    }
    compositor.SetSampler("tex", displayTexture, 0);
    SetWindowView();
    DrawFrameBlockQuad();
    TShaderProgram::Unuse();
    for (int unit = 1; unit <= 3; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
}

void TShaderScreenDistortion::RenderImpulses()
{
    // The buffers hold the frame block where the display texture has it: the 320 x 240
    // view over pixels 0..640 x 32..512 of a 1024 x 512 buffer is texture coordinates
    // 0..0.625 x 0.0625..1, one view unit per frame pixel. Impulse points are overlay
    // coordinates, whose 0..320 x 0..240 is the frame block, so they go in unchanged.
    glViewport(0, 32, 640, 480);
    SetScreenView320();
    BindTexture(0);
    BindFramebuffer(framebuffer);
    TSprite* blob = FindSprite("spr_dir_distort2");
    TSprite* streak = FindSprite("spr_dir_distort");
    float added = 0.0f;
    for (int c = 0; c < 3; ++c) {
        AttachTexture(buffers[c].id);
        // Last frame's offsets fade to 80%.
        SetBlendMode(0);
        DrawRect(0.0f, 0.0f, 320.0f, 240.0f, true, 0.8f, 0.8f, 0.8f, 0.8f);
        for (const TImpulse& impulse : queues[c]) {
            DrawImpulse(impulse, blob, streak);
            added += OffsetReach(impulse, blob);
        }
        TShaderProgram::Unuse();
        queues[c].clear();
    }
    offsetBound = offsetBound * kFadeBound + added;
    AttachTexture(0);
    BindFramebuffer(0);
    SetBlendMode(2);
    glDrawBuffer(GL_BACK);
    glViewport(0, 0, 640, 480);
}

void TShaderScreenDistortion::DrawImpulse(const TImpulse& impulse, TSprite* blob, TSprite* streak)
{
    SetBlendMode(1);
    directional.SetUniform2("dir", impulse.dirX, impulse.dirY);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    const float x = impulse.screenX, y = impulse.screenY;
    switch (impulse.type) {
    case TImpulse::Directional: {
        directional.Use();
        // A little jitter keeps repeated pushes from printing the same blob.
        std::uniform_real_distribution<float> jitter(-0.1f, 0.1f);
        DrawSpriteEx(blob, x, y, impulse.angle + jitter(random), impulse.frame, impulse.scale,
                     impulse.scale, 1.0f, 1.0f, 1.0f, 1.0f);
        break;
    }
    case TImpulse::Radial:
        radial.Use();
        DrawSpriteEx(blob, x, y, impulse.angle, impulse.frame, impulse.scale, impulse.scale, 1.0f,
                     1.0f, 1.0f, impulse.strength);
        break;
    case TImpulse::Streak:
        directional.Use();
        DrawSpriteStretched(streak, x, y, x - impulse.dirX * 600.0f * 1.2f,
                            y + impulse.dirY * 600.0f * 1.3f, impulse.frame, impulse.scale,
                            impulse.scale);
        break;
    }
}
