#include "core/Frame.h"
#include "core/App.h"
#include "core/EventPoll.h"
#include "core/Game.h"
#include "core/replay/InputReplay.h"
#include "core/InputTables.h"
#include "core/ScreenshotKey.h"
#include "core/ZoomKeys.h"
#include "level/LevelLoader.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Projection.h"
#include "render/ScreenDistortion.h"
#include "render/ShownFrame.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include <GL/glew.h>

namespace {

constexpr size_t kModuleNameLimit = 63;

// F7: save the current level as the module named by the script global mname.
void SaveModuleFromKey()
{
    const std::optional<std::string> name = GetGlobalString("mname");
    if (!name || name->empty()) {
        console.Append("F7: set mname to the module's name first\n");
        return;
    }
    if (name->size() > kModuleNameLimit || name->find('/') != std::string::npos) {
        console.Append("F7: mname must be a plain name of at most 63 characters\n");
        return;
    }
    SaveLevelAsModule(game, *name);
}

// Alt+Return: full screen or window. The Return is the switch's alone: no
// menu entry or other key sees it.
void ApplyFullScreenKey()
{
    if (!KeyPressed(SDLK_RETURN) || !(KeyHeld(SDLK_LALT) || KeyHeld(SDLK_RALT))) return;
    inputTables.ForgetPress(SDLK_RETURN);
    const bool on = windowed != 0;
    if (!SetFullScreen(on)) console.Append(std::string("cannot switch to ") + (on ? "full screen" : "a window") + "\n");
}

bool screenshotWanted = false;
TShownFrame shownFrame;

} // namespace

void UpdateFrame()
{
    PollEvents();
    ++frameNumber;
    ApplyFullScreenKey();
    if (KeyPressed(SDLK_F9)) screenshotWanted = true;
    if (screenDistortion) screenDistortion->strength = float(GetSettingNumber("distortion", 100.0)) / 100.0f;
    game->Update();
    if (KeyPressed(SDLK_F1)) console.visible = !console.visible;
    if (KeyPressed(SDLK_F7)) SaveModuleFromKey();
}

void RedrawWholeWindow()
{
    shownFrame.Forget();
}

bool DrawFrame()
{
    BeginGameFrame();
    ComputeMouseWorldPosition();
    SaveMatrices();
    // Aim and projected points come from the exact view; only the drawing moves.
    NudgeRowsOffPixelCentres();
    CheckGLError();
    game->DrawPass1();
    game->DrawPass2();
    SetScreenView640();
    SetBlendMode(2);
    if (console.visible) {
        console.Draw();
        // Every key of the frame in order: fast typing puts several in one frame.
        for (const TKeyDown& key : inputTables.KeysDownThisFrame()) console.Edit(key.character, key.code == SDLK_RETURN);
    }
    // A frame like the one on the screen is not drawn again, unless a
    // picture of the window is to be taken from it.
    const bool pictureDue = screenshotWanted || inputReplay.ScreenshotsDue();
    if (screenDistortion && !pictureDue &&
        shownFrame.Unchanged(ShownPicture(), windowWidth, windowHeight, screenDistortion->Idle()))
        return false;
    if (pictureDue) shownFrame.Forget();
    CopyScreenToTexture(displayTexture);
    CheckGLError();
    glClear(GL_COLOR_BUFFER_BIT);
    if (screenDistortion) screenDistortion->Draw();
    glViewport(0, 0, 640, 480);
    inputReplay.TakeScreenshotsForFrame();
    if (screenshotWanted) SaveScreenshotFromKey();
    screenshotWanted = false;
    return true;
}

void RunFrame()
{
    ApplyZoomKeys();
    UpdateFrame();
    if (DrawFrame()) SDL_GL_SwapBuffers();
}
