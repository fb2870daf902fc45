#include "render/SpriteBatch.h"
#include "render/GLState.h"
#include <GL/gl.h>

TSpriteBatch spriteBatch;

namespace {
// Additive blending: what a quad adds does not depend on what is under it.
constexpr int kAdditive = 1;
}  // namespace

void TSpriteBatch::Open()
{
    ++depth;
}

void TSpriteBatch::Close()
{
    if (depth > 0 && --depth == 0) FlushSprites();
}

TSpriteBatch::Run& TSpriteBatch::RunFor(uint32_t texture, int blendMode)
{
    const auto same = [&](const Run& run) { return run.texture == texture && run.blendMode == blendMode; };
    if (runCount > 0 && same(runs[runCount - 1])) return runs[runCount - 1];
    if (blendMode == kAdditive) {
        // Back over the additive runs since the last other one.
        for (size_t i = runCount; i-- > 0 && runs[i].blendMode == kAdditive;)
            if (same(runs[i])) return runs[i];
    }
    if (runCount == kMaxRuns) Flush();
    Run& run = runs[runCount++];
    run.texture = texture;
    run.blendMode = blendMode;
    return run;
}

void TSpriteBatch::Add(const Vertex quad[4], uint32_t texture)
{
    Run& run = RunFor(texture, CurrentBlendMode());
    run.vertices.insert(run.vertices.end(), quad, quad + 4);
    ++pending;
}

void TSpriteBatch::Flush()
{
    if (pending == 0) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    int drawnMode = CurrentBlendMode();
    uint32_t drawnTexture = CurrentBoundTexture();
    for (size_t i = 0; i < runCount; ++i) {
        Run& run = runs[i];
        if (run.blendMode != drawnMode) ApplyBlendMode(run.blendMode);
        if (run.texture != drawnTexture) glBindTexture(GL_TEXTURE_2D, run.texture);
        drawnMode = run.blendMode;
        drawnTexture = run.texture;
        const Vertex* v = run.vertices.data();
        glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &v->x);
        glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &v->u);
        glColorPointer(4, GL_FLOAT, sizeof(Vertex), &v->r);
        glDrawArrays(GL_QUADS, 0, GLsizei(run.vertices.size()));
        ++draws;
        run.vertices.clear();
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    runCount = 0;
    pending = 0;
    // Back to the state the caches hold.
    if (drawnMode != CurrentBlendMode()) ApplyBlendMode(CurrentBlendMode());
    if (drawnTexture != CurrentBoundTexture()) glBindTexture(GL_TEXTURE_2D, CurrentBoundTexture());
    // A colour array leaves the current colour undefined: make the cache true again.
    float color[4];
    CurrentColor(color);
    if (color[0] >= 0.0f) glColor4f(color[0], color[1], color[2], color[3]);
}
