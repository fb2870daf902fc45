#include "render/ShaderScreenDistortion.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteBatch.h"
#include "render/SpriteDraw.h"
#include <GL/glew.h>
#include <algorithm>
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

// Where a streak's far end lies in the 320 x 240 view.
float StreakEndX(const TShaderScreenDistortion::TImpulse& impulse)
{
    return impulse.screenX - impulse.dirX * 600.0f * 1.2f;
}

float StreakEndY(const TShaderScreenDistortion::TImpulse& impulse)
{
    return impulse.screenY + impulse.dirY * 600.0f * 1.3f;
}

}  // namespace

bool TShaderScreenDistortion::Supported()
{
    bool shaders = GLEW_VERSION_2_0 && glCreateShader && glUseProgram;
    bool framebuffers = UseFramebufferExtension() || HaveCoreFramebuffers();
    bool floatTextures = GLEW_ARB_texture_float || GLEW_VERSION_3_0;
    return shaders && framebuffers && floatTextures;
}

TShaderScreenDistortion::TShaderScreenDistortion(int windowWidth, int windowHeight, bool economical)
    : TScreenDistortion(windowWidth, windowHeight),
      compositor("shaders/distortion_v.glsl", "shaders/distortion_f.glsl"),
      directional("shaders/directional_v.glsl", "shaders/directional_f.glsl"),
      radial("shaders/radial_v.glsl", "shaders/radial_f.glsl")
{
    tiled = economical;
    if (!Supported()) return;
    // An offset is two numbers: red and green only halve what the software
    // renderer reads and blends, where the driver can draw into such buffers.
    const bool twoChannels = economical && (GLEW_ARB_texture_rg || GLEW_VERSION_3_0);
    bool complete = MakeBuffers(twoChannels);
    if (!complete && twoChannels) complete = MakeBuffers(false);
    if (!complete) fprintf(stderr, "GL: the distortion buffers cannot be drawn into\n");
    directionAttribute = directional.AttributeLocation("dir");
    centreAttribute = radial.AttributeLocation("centre");
    usable = complete && compositor.IsUsable() && directional.IsUsable() && radial.IsUsable() &&
             directionAttribute >= 0 && centreAttribute >= 0;
    CheckGLError();
}

bool TShaderScreenDistortion::MakeBuffers(bool twoChannels)
{
    for (int c = 0; c < 3; ++c) {
        if (buffers[c].id) {
            GLuint id = buffers[c].id;
            glDeleteTextures(1, &id);
        }
        char name[32];
        snprintf(name, sizeof(name), "distbuffer%d", c);
        CreateBlankTexture(&buffers[c], name, 640, 480, true, twoChannels);
    }
    BindTexture(0);
    if (!framebuffer) framebuffer = GenFramebuffer();
    if (!framebuffer) return false;
    BindFramebuffer(framebuffer);
    bool complete = true;
    for (const TTexture& buffer : buffers) {
        AttachTexture(buffer.id);
        complete = complete && FramebufferComplete();
    }
    AttachTexture(0);
    BindFramebuffer(WindowFramebuffer());
    return complete;
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
    std::vector<TImpulse>& queue = queues[channel];
    if (queue.size() >= kMaxQueued) queue.erase(queue.begin());
    queue.push_back(impulse);
}

void TShaderScreenDistortion::PushRadial(float x, float y, float strength, int channel)
{
    TImpulse impulse;
    impulse.type = TImpulse::Radial;
    WorldToScreen(x, y, &impulse.screenX, &impulse.screenY);
    impulse.frame = 0;
    impulse.strength = -strength / 4000.0f;
    impulse.scale = 50.0f;
    Push(channel, impulse);
}

void TShaderScreenDistortion::PushDirectional(float x, float y, float dx, float dy, float size,
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

void TShaderScreenDistortion::PushStreak(float x, float y, float dx, float dy, float size,
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

bool TShaderScreenDistortion::Idle() const
{
    const bool queued = !queues[0].empty() || !queues[1].empty() || !queues[2].empty();
    return usable ? atRest && !queued && !alwaysDistort : true;
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
    const bool anyLive = tiles[0].AnyLive() || tiles[1].AnyLive() || tiles[2].AnyLive();
    if (offsetBound < kRestOffset || (tiled && !anyLive)) {
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

void TShaderScreenDistortion::Footprint(const TImpulse& impulse, const TSprite* blob,
                                        const TSprite* streak, float box[4])
{
    // BatchImpulse's quads: a blob turned about its point, or a streak from its
    // point to the far end with half a frame of cap beyond either end. Any turn
    // stays within half the frame's diagonal of where it is centred.
    const bool isStreak = impulse.type == TImpulse::Streak;
    const TSprite* sprite = isStreak ? streak : blob;
    const TSpriteFrame* f = sprite ? sprite->DrawableFrame(impulse.frame) : nullptr;
    const float radius = f ? 0.5f * std::fabs(impulse.scale) * std::hypot(f->width, f->height) : 0.0f;
    float x1 = impulse.screenX, y1 = impulse.screenY, x2 = x1, y2 = y1;
    if (isStreak) {
        x2 = StreakEndX(impulse);
        y2 = StreakEndY(impulse);
    }
    box[0] = std::min(x1, x2) - radius;
    box[1] = std::min(y1, y2) - radius;
    box[2] = std::max(x1, x2) + radius;
    box[3] = std::max(y1, y2) + radius;
}

void TShaderScreenDistortion::ClearBuffers()
{
    BindFramebuffer(framebuffer);
    for (const TTexture& buffer : buffers) {
        AttachTexture(buffer.id);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    AttachTexture(0);
    BindFramebuffer(WindowFramebuffer());
    offsetBound = 0.0f;
    for (TDistortionTiles& channel : tiles) channel.ForgetAll();
}

void TShaderScreenDistortion::Composite()
{
    glViewport(0, 0, int(windowWidth), int(windowHeight));
    SetBlendMode(3);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetWindowView();
    if (tiled) {
        // Where the offsets are zero the compositor would read the frame as it is.
        if (displayTexture) BindTexture(displayTexture->id);
        DrawFrameBlockTiles(false);
    }
    compositor.Use();
    for (int c = 0; c < 3; ++c) {
        static const char* const kNames[3] = {"distoffsets0", "distoffsets1", "distoffsets2"};
        compositor.SetSampler(kNames[c], &buffers[c], c + 1);
    }
    compositor.SetSampler("tex", displayTexture, 0);
    if (tiled) DrawFrameBlockTiles(true);
    else DrawFrameBlockQuad();
    TShaderProgram::Unuse();
    for (int unit = 1; unit <= 3; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
}

void TShaderScreenDistortion::DrawFrameBlockTiles(bool live) const
{
    // The whole frame block quad each time, cut down by the scissor: the same
    // vertices give bit for bit the same texture coordinates as the full pass,
    // and a displaced read near a texel's edge lands on the same texel. Runs of
    // tiles along a row go in one draw, and rows alike go together (a frame
    // full of bullets is one draw). Live runs take a window pixel more on each
    // side, for windows whose tile edges fall between pixels.
    const float size = TDistortionTiles::kSize;
    const auto windowX = [&](int column) {
        return int(std::lround(xOffset + width * (float(column) * size / 320.0f)));
    };
    const auto windowY = [&](int row) {
        return int(std::lround(yOffset + height * (float(row) * size / 240.0f)));
    };
    const auto sameRow = [&](int row, int other) {
        for (int i = 0; i < TDistortionTiles::kColumns; ++i)
            if (LiveTile(i, row) != LiveTile(i, other)) return false;
        return true;
    };
    const int margin = live ? 1 : 0;
    glEnable(GL_SCISSOR_TEST);
    for (int j = 0; j < TDistortionTiles::kRows;) {
        int band = j + 1;
        while (band < TDistortionTiles::kRows && sameRow(j, band)) ++band;
        const int top = windowY(j) - margin, bottom = windowY(band) + margin;
        for (int i = 0; i < TDistortionTiles::kColumns;) {
            if (LiveTile(i, j) != live) {
                ++i;
                continue;
            }
            int end = i + 1;
            while (end < TDistortionTiles::kColumns && LiveTile(end, j) == live) ++end;
            const int left = windowX(i) - margin, right = windowX(end) + margin;
            glScissor(left, int(windowHeight) - bottom, right - left, bottom - top);
            DrawFrameBlockQuad();
            i = end;
        }
        j = band;
    }
    glDisable(GL_SCISSOR_TEST);
}

bool TShaderScreenDistortion::LiveTile(int column, int row) const
{
    return tiles[0].Live(column, row) || tiles[1].Live(column, row) || tiles[2].Live(column, row);
}

void TShaderScreenDistortion::DrawChannelTiles(const TDistortionTiles& channel, bool resting)
{
    const float size = TDistortionTiles::kSize;
    glBegin(GL_QUADS);
    for (int j = 0; j < TDistortionTiles::kRows; ++j) {
        for (int i = 0; i < TDistortionTiles::kColumns; ++i) {
            if (resting ? !channel.Resting(i, j, kRestOffset) : !channel.Live(i, j)) continue;
            const float x0 = float(i) * size, x1 = float(i + 1) * size;
            const float y0 = float(j) * size, y1 = float(j + 1) * size;
            glVertex2f(x0, y0);
            glVertex2f(x0, y1);
            glVertex2f(x1, y1);
            glVertex2f(x1, y0);
        }
    }
    glEnd();
}

void TShaderScreenDistortion::ClearRestingTiles(int channel)
{
    // The channel's buffer is still the one drawn into.
    if (!tiles[channel].AnyResting(kRestOffset)) return;
    SetBlendMode(3);
    BindTexture(0);
    SetColor(0.0f, 0.0f, 0.0f, 0.0f);
    DrawChannelTiles(tiles[channel], true);
    tiles[channel].ForgetResting(kRestOffset);
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
        // Last frame's offsets fade to 80%; untouched tiles hold zeros and stay so.
        tiles[c].Fade(kFadeBound);
        SetBlendMode(0);
        if (tiled) {
            if (tiles[c].AnyLive()) {
                // Untextured: the last channel's impulses left their sprite bound.
                BindTexture(0);
                SetColor(0.8f, 0.8f, 0.8f, 0.8f);
                DrawChannelTiles(tiles[c], false);
            }
        } else {
            DrawRect(0.0f, 0.0f, 320.0f, 240.0f, true, 0.8f, 0.8f, 0.8f, 0.8f);
        }
        for (const TImpulse& impulse : queues[c]) {
            BatchImpulse(impulse, blob, streak);
            if (!batched) DrawBatch();
            const float reach = OffsetReach(impulse, blob);
            added += reach;
            float box[4];
            Footprint(impulse, blob, streak, box);
            tiles[c].Add(box[0], box[1], box[2], box[3], reach);
        }
        DrawBatch();
        TShaderProgram::Unuse();
        queues[c].clear();
        if (tiled) ClearRestingTiles(c);
    }
    offsetBound = offsetBound * kFadeBound + added;
    AttachTexture(0);
    BindFramebuffer(WindowFramebuffer());
    SetBlendMode(2);
    glViewport(0, 0, 640, 480);
}

float TShaderScreenDistortion::Jitter()
{
    // A little jitter keeps repeated pushes from printing the same blob.
    std::uniform_real_distribution<float> jitter(-0.1f, 0.1f);
    return jitter(random);
}

void TShaderScreenDistortion::BatchImpulse(const TImpulse& impulse, TSprite* blob, TSprite* streak)
{
    // The quads are placed on the CPU as DrawSpriteEx and DrawSpriteStretched
    // would place them with the matrices: a blob turned about its point, a
    // streak from its point to its far end.
    TSprite* sprite = impulse.type == TImpulse::Streak ? streak : blob;
    const TSpriteFrame* f = sprite ? sprite->DrawableFrame(impulse.frame) : nullptr;
    // A directional turns the jitter whether it draws or not, as drawn one by one.
    const float angle = impulse.type == TImpulse::Directional ? impulse.angle + Jitter()
                                                              : impulse.angle;
    if (!f) return;
    if (batch.Pending() && (impulse.type != batchType || sprite != batchSprite)) DrawBatch();
    batchType = impulse.type;
    batchSprite = sprite;
    const float x = impulse.screenX, y = impulse.screenY;
    switch (impulse.type) {
    case TImpulse::Directional: {
        TSpriteCorner quad[4];
        SpriteQuadCorners(*f, x, y, angle, impulse.scale, impulse.scale, quad);
        batch.AddQuad(quad, 1.0f, impulse.dirX, impulse.dirY);
        break;
    }
    case TImpulse::Radial: {
        // About the origin: the shader reads the way out from the corners.
        TSpriteCorner quad[4];
        SpriteQuadCorners(*f, 0.0f, 0.0f, angle, impulse.scale, impulse.scale, quad);
        batch.AddQuad(quad, impulse.strength, x, y);
        break;
    }
    case TImpulse::Streak: {
        TSpriteCorner strip[8];
        StretchedSpriteCorners(*f, x, y, StreakEndX(impulse), StreakEndY(impulse), impulse.scale,
                               impulse.scale, strip);
        batch.AddStrip(strip, 1.0f, impulse.dirX, impulse.dirY);
        break;
    }
    }
}

void TShaderScreenDistortion::DrawBatch()
{
    if (!batch.Pending() || !batchSprite || !batchSprite->texture) return;
    SetBlendMode(1);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    TShaderProgram& program = batchType == TImpulse::Radial ? radial : directional;
    program.Use();
    BindTexture(batchSprite->texture->id);
    batch.Draw(batchType == TImpulse::Radial ? centreAttribute : directionAttribute);
}
