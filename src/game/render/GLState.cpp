#include "render/GLState.h"
#include "render/SpriteBatch.h"
#include <GL/glew.h>
#include <GL/glu.h>
#include <cstdio>

namespace {
int blendModeCache = 4;
float colorCache[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
uint32_t textureCache = 0;
uint32_t stateChanges = 0;
uint32_t windowFramebuffer = 0;
}

void ApplyBlendMode(int mode)
{
    switch (mode) {
    case 0:  // multiply: the picture darkened by the source colour
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        break;
    case 1:  // additive glow
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
    case 2:  // ordinary transparency
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case 3:  // opaque
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        break;
    case 4:  // hard cut-out edges
        glDisable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
        break;
    case 5:  // multiply that can brighten as well as darken
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
        break;
    }
}

void SetBlendMode(int mode)
{
    if (mode == blendModeCache || mode < 0 || mode > 5) return;
    static_assert(kUnknownBlendMode < 0 || kUnknownBlendMode > 5);
    // Kept sprites carry their own blend mode, except those kept while it was
    // unknown (set behind the cache): they are drawn in the state they found.
    if (blendModeCache == kUnknownBlendMode) FlushSprites();
    blendModeCache = mode;
    ++stateChanges;
    ApplyBlendMode(mode);
}

void SetColor(float r, float g, float b, float a)
{
    if (colorCache[0] == r && colorCache[1] == g && colorCache[2] == b && colorCache[3] == a)
        return;
    colorCache[0] = r;
    colorCache[1] = g;
    colorCache[2] = b;
    colorCache[3] = a;
    ++stateChanges;
    glColor4f(r, g, b, a);
}

void BindTexture(uint32_t id)
{
    if (id == textureCache) {
        // Untextured shapes draw directly after binding nothing: kept untextured
        // quads (trails) come first.
        if (id == 0) FlushSprites();
        return;
    }
    FlushSprites();
    textureCache = id;
    ++stateChanges;
    glBindTexture(GL_TEXTURE_2D, id);
}

void ResetGLStateCache()
{
    blendModeCache = 4;
    for (float& c : colorCache) c = -1.0f;
    textureCache = 0;
}

void ForgetBlendModeCache()
{
    FlushSprites();  // kept in the mode the cache still knew
    blendModeCache = kUnknownBlendMode;
}

int CurrentBlendMode()
{
    return blendModeCache;
}

uint32_t CurrentBoundTexture()
{
    return textureCache;
}

void CurrentColor(float rgba[4])
{
    for (int i = 0; i < 4; ++i) rgba[i] = colorCache[i];
}

uint32_t GLStateChangeCount()
{
    return stateChanges;
}

void NoteWindowFramebuffer()
{
    // Without framebuffer objects nothing can be bound but the window itself.
    GLint bound = 0;
    if (GLEW_VERSION_3_0 || GLEW_EXT_framebuffer_object) glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    windowFramebuffer = static_cast<uint32_t>(bound);
}

uint32_t WindowFramebuffer()
{
    return windowFramebuffer;
}

void CheckGLError()
{
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        const GLubyte* text = gluErrorString(error);
        fprintf(stderr, "GL:%s\n", text ? reinterpret_cast<const char*>(text) : "unknown error");
    }
}
