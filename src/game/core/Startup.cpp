#include "core/Startup.h"
#include "audio/Mixer.h"
#include "autoplay/AutoInputDevice.h"
#include "core/App.h"
#include "core/CommandLine.h"
#include "core/screens/ControlsMenuState.h"
#include "core/Frame.h"
#include "core/FramePacing.h"
#include "core/FrameTimer.h"
#include "core/Game.h"
#include "core/replay/InputReplay.h"
#include "core/InputTables.h"
#include "core/QuitSignals.h"
#include "core/replay/RunOptions.h"
#include "core/replay/RunRecorder.h"
#include "core/replay/RunState.h"
#include "core/screens/StateRegistry.h"
#include "render/Graphics.h"
#include "render/Sprite.h"
#include "render/Text.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "util/AtomicFile.h"
#include "util/UserStatePaths.h"
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
// Started with the process, for the start-up time report.
FrameTimer processTimer;

unsigned RandomSeed()
{
    // A replayed run plays with the seed it was recorded with.
    if (const char* replay = std::getenv("KORVANMIRE_REPLAY"))
        if (const std::optional<unsigned> seed = ReplaySeed(replay)) return *seed;
    // A fixed seed reproduces a run for tests and bug reports.
    if (const char* seed = std::getenv("KORVANMIRE_SEED")) return static_cast<unsigned>(std::strtoul(seed, nullptr, 10));
    return static_cast<unsigned>(std::time(nullptr));
}

// SDL falls back to text-mode video drivers that draw over the terminal when X11
// cannot be reached; those are used only when SDL_VIDEODRIVER asks for them.
// False, with a message naming the display, when there is nothing to draw on.
// A driver variable of "x11" is no such request: sdl12-compat sets it itself
// when it loads, before the game starts.
bool ChooseVideoDriver()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && std::strcmp(driver, "x11") != 0) return true;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "korvanmire: no display: DISPLAY is not set; start the game inside an X session\n");
        return false;
    }
    setenv("SDL_VIDEODRIVER", "x11", 1);
    return true;
}

void ReportSdlStartFailure()
{
    const char* display = std::getenv("DISPLAY");
    if (display && std::strcmp(std::getenv("SDL_VIDEODRIVER"), "x11") == 0)
        std::fprintf(stderr, "korvanmire: cannot open X11 display \"%s\" (named by DISPLAY): %s\n", display,
                     SDL_GetError());
    else
        std::fprintf(stderr, "korvanmire: cannot start SDL: %s\n", SDL_GetError());
}
}

bool StartGame(int argc, char** argv)
{
    console.visible = false;
    if (TCommandLine(argc, argv).windowed) windowed = 1;

    if (!ChooseVideoDriver()) return false;
    // Installed before SDL starts, so SDL keeps its own handlers out of the way.
    InstallQuitSignalHandlers();
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) {
        // Without sound hardware the game still plays. sdl12-compat answers this
        // second call with success although it starts nothing, so the video is
        // started by itself when it is not running yet.
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
        if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) {
            ReportSdlStartFailure();
            return false;
        }
        SDL_InitSubSystem(SDL_INIT_AUDIO);
    }
    SDL_JoystickEventState(SDL_ENABLE);
    SDL_WM_SetCaption("korvanmire", "korvanmire");
    joystick = SDL_NumJoysticks() > 0 ? SDL_JoystickOpen(0) : nullptr;
    SDL_EnableUNICODE(1);
    std::atexit(SDL_Quit);
    const unsigned seed = RandomSeed();
    std::srand(seed);
    if (!ReadRunOptions(argc, argv, &runOptions)) return false;
    // An automatic run: every player the levels create is played by the
    // automatic player's device (the event poll has the automatic player think
    // for it each frame).
    if (runOptions.autoplay) game->makePlayerInput = [] { return std::make_unique<TAutoInputDevice>(); };
    if (!runOptions.recordPath.empty() && !runRecorder.Open(runOptions.recordPath, seed)) return false;

    StartScriptHost();
    StopScriptsWhen(QuitSignalReceived);
    if (!InitGraphics()) return false;
    LoadContent();
    if (auto* controls = dynamic_cast<TControlsMenuState*>(stateRegistry.Find("controls")))
        controls->InitBindings();
    SDL_ShowCursor(SDL_DISABLE);
    // The crosshair starts in the middle of the window. Until the mouse first
    // moves, SDL 1.2.15 reports it at the window's corner and sdl12-compat where
    // the pointer really is, so the aim of the first frames, and with it a
    // replayed run, would depend on the library and on where the pointer was.
    SDL_WarpMouse(static_cast<Uint16>(windowWidth / 2), static_cast<Uint16>(windowHeight / 2));

    if (const char* replay = std::getenv("KORVANMIRE_REPLAY")) inputReplay.Load(replay);
    return true;
}

void LoadContent()
{
    // Errors are on the console and the standard error stream.
    RunStartupScript("gfx.lua");
    RunStartupScript("editor.lua");
    RunStartupScript("objects.lua");
    RunStartupScript("relvad.lua");
    font = FindSprite("spr_font");
    InitAudio();

    inputTables.ClearHeldAndPressed(320);
    frameNumber = 0;

    game->SetUp();
    // The menus, and through levels.lua the zones, the rooms and the campaign.
    RunStartupScript("init.lua");
}

void RunMainLoop()
{
    FrameTimer timer;
    const bool reportTiming = std::getenv("KORVANMIRE_TIMING") != nullptr;
    bool firstFrame = true;
    while (running) {
        timer.start();
        const TMenustate* stateBefore = reportTiming ? game->CurrentState() : nullptr;
        RunFrame();
        if (QuitSignalReceived()) running = 0;
        if (firstFrame && reportTiming)
            std::fprintf(stderr, "timing: first frame drawn %.1f ms after start\n", processTimer.ElapsedMilliseconds());
        // A state change (the menu's "new game" loads a level and enters the game)
        // is drawn in the frame that asked for it: its time is the wait the player sees.
        if (reportTiming && !firstFrame && game->CurrentState() != stateBefore)
            std::fprintf(stderr, "timing: entered state %s, first frame drawn %.1f ms after its frame began\n",
                         game->currentStateName.c_str(), timer.ElapsedMilliseconds());
        firstFrame = false;
        timer.stop();
        if (!runOptions.fast) SleepRestOfFrame(timer.ElapsedMilliseconds());
        if (runOptions.quitAfterSeconds > 0.0 && processTimer.ElapsedMilliseconds() > runOptions.quitAfterSeconds * 1000.0)
            running = 0;
    }
}

void ShutDownGame()
{
    // The exit's own scripts run to their end, signal or not.
    StopScriptsWhen(nullptr);
    CallScriptFunction("SaveSettings", {}, 0, ScriptErrors::Silent);
    game->music.Release();
    game->SaveStats(userStatePaths.WritePath("stats"));
    runRecorder.Close();
    // Where a recorded or replayed run ended, to compare the two.
    if (!runOptions.recordPath.empty() || std::getenv("KORVANMIRE_REPLAY"))
        std::fprintf(stderr, "%s\n", RunStateLine(*game).c_str());
    // For tests and bug reports: what the console showed at the end.
    if (const char* path = std::getenv("KORVANMIRE_CONSOLE_LOG")) WriteFileAtomically(path, console.Text());
}
