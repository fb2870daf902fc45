#include "render/Graphics.h"
#include "render/SpriteBatch.h"
#include "core/App.h"
#include "render/GLState.h"
#include "render/ScreenDistortion.h"
#include "render/ShaderProgram.h"
#include "render/ShaderScreenDistortion.h"
#include "render/Sprite.h"
#include "render/Text.h"
#include "render/Texture.h"
#include "render/VertexScreenDistortion.h"
#include "script/ScriptHost.h"
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

TTexture* displayTexture = nullptr;

namespace {

// The window's size to come back to from full screen.
int lastWindowWidth = 640;
int lastWindowHeight = 480;
// The desktop's size as it was before the game set a mode (0 when unknown:
// SDL then takes the mode in use).
int desktopWidth = 0;
int desktopHeight = 0;

// The fixed state every context starts the game with.
void PrepareContext()
{
    // Without a GLX display (EGL, Wayland) GLEW still loads the GL entry points and
    // only its GLX part fails; that is no loss here.
    GLenum result = glewInit();
    if (result != GLEW_OK && result != GLEW_ERROR_NO_GLX_DISPLAY)
        fprintf(stderr, "GLEW: %s\n", reinterpret_cast<const char*>(glewGetErrorString(result)));
    ResetGLStateCache();
    NoteWindowFramebuffer();
    TShaderProgram::ResetCache();
    // Texturing stays on; untextured drawing binds texture 0, which has no image.
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    // The caches start at blend mode 4, texture 0 and no colour: make OpenGL agree.
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glBindTexture(GL_TEXTURE_2D, 0);
}

const char* GLString(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

bool SetVideoMode(int width, int height, bool windowed)
{
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 0);
    SDL_Surface* surface;
    if (windowed)
        surface = SDL_SetVideoMode(width, height, 32, SDL_OPENGL | SDL_RESIZABLE | SDL_DOUBLEBUF);
    else
        surface = SDL_SetVideoMode(width, height, 32, SDL_OPENGL | SDL_FULLSCREEN | SDL_DOUBLEBUF);
    if (!surface) {
        // sdl12-compat first reaches the X server here, not in SDL_Init: the
        // display is named so that an unreachable one says what it is.
        const char* display = getenv("DISPLAY");
        const char* driver = getenv("SDL_VIDEODRIVER");
        if (display && driver && strcmp(driver, "x11") == 0)
            fprintf(stderr, "Setting the video mode on X11 display \"%s\" failed. SDL error: %s\n", display,
                    SDL_GetError());
        else
            fprintf(stderr, "Setting the video mode failed. SDL error: %s\n", SDL_GetError());
        return false;
    }
    windowWidth = surface->w;
    windowHeight = surface->h;
    PrepareContext();
    return true;
}

bool InitGraphics()
{
    // Without -w the player's last choice holds (full screen by default).
    if (!windowed && !GetSettingBool("fullscreen")) windowed = 1;
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo()) {
        desktopWidth = info->current_w;
        desktopHeight = info->current_h;
    }
    if (windowed ? !SetVideoMode(640, 480, true) : !SetVideoMode(desktopWidth, desktopHeight, false)) return false;

    displayTexture = new TTexture;
    CreateBlankTexture(displayTexture, "displaytexture", 512, 256, false);
    // The draw and read buffers stay as the window's framebuffer has them: the
    // back buffer of a plain double-buffered window, but the colour attachment
    // when that framebuffer is an object (naming GL_BACK there is an error).
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    fprintf(stderr, "%s", GLString(GL_VENDOR));
    fprintf(stderr, "%s\n", GLString(GL_RENDERER));

    if (TShaderScreenDistortion::Supported() && GetSettingBool("pixeldistortion")) {
        auto* shaderKind = new TShaderScreenDistortion(windowWidth, windowHeight);
        if (shaderKind->IsUsable()) {
            screenDistortion = shaderKind;
        } else {
            fprintf(stderr, "Pixel distortion unavailable; using the mesh distortion\n");
            delete shaderKind;
        }
    }
    if (!screenDistortion) screenDistortion = new TVertexScreenDistortion(windowWidth, windowHeight);
    ApplyScreenScale();
    CheckGLError();
    return true;
}

void OnVideoResize(int width, int height)
{
    // A full screen keeps the desktop's size.
    if (!windowed) return;
    if (screenDistortion) screenDistortion->SetWindowSize(width, height);
    windowWidth = width;
    windowHeight = height;
    lastWindowWidth = width;
    lastWindowHeight = height;
    SetVideoMode(width, height, true);
}

bool SetFullScreen(bool on)
{
    bool switched = on == !windowed;
    if (!switched) {
        switched = on ? SetVideoMode(desktopWidth, desktopHeight, false) : SetVideoMode(lastWindowWidth, lastWindowHeight, true);
        if (switched) windowed = on ? 0 : 1;
        // A full screen that failed: back to the window the player had.
        else if (on) SetVideoMode(lastWindowWidth, lastWindowHeight, true);
        if (screenDistortion) screenDistortion->SetWindowSize(windowWidth, windowHeight);
    }
    // The settings and the options menu say what the screen really is.
    SetSettingBool("fullscreen", windowed == 0);
    if (ScriptFunctionExists("FullScreenChanged")) CallScriptFunction("FullScreenChanged", {}, 0, ScriptErrors::Console);
    return switched;
}

void ApplyScreenScale()
{
    if (screenDistortion) screenDistortion->SetScale(ScreenScaleNamed(GetSettingString("scale", "fit")));
}

TPictureRect ShownPicture()
{
    if (screenDistortion) return screenDistortion->Picture();
    return FitPicture(windowWidth, windowHeight, TScreenScale::Fit);
}

void MousePicturePoint(float* x, float* y)
{
    int mx = 0, my = 0;
    SDL_GetMouseState(&mx, &my);
    WindowPointToPicture(ShownPicture(), mx, my, x, y);
}

void CopyScreenToTexture(TTexture* texture)
{
    // The frame block goes to texels 0..320 x 16..256; a smaller texture cannot take it.
    if (!texture || texture->width < 320 || texture->height < 256) return;
    FlushSprites();
    BindTexture(texture->id);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 16, 0, 240, 320, 240);
    BindTexture(0);
    BindTexture(texture->id);
}
