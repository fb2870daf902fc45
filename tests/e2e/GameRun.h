#pragma once
#include <SDL/SDL.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

// The game binary the tests run (KORVANMIRE_BINARY, else "korvanmire" on the path).
std::string GameBinary();

// How a run of the binary ended.
struct GameExit {
    bool exited = false;  // by itself, before the timeout
    int exitCode = -1;    // -1 when it did not exit normally
};

// Runs `binary` with `arguments` in `dir`, its standard output and error going to
// stdout.log and stderr.log there. `environment` is applied in the child (a null
// value unsets the variable). `whileRunning` is called about every 50 ms with the
// process id. After the timeout the process is killed.
GameExit RunGameBinary(const std::string& binary, const std::filesystem::path& dir,
                       const std::vector<std::string>& arguments,
                       const std::vector<std::pair<std::string, const char*>>& environment, int timeoutSeconds,
                       const std::function<void(pid_t)>& whileRunning = {});

// The test levels' room: walls round x -8..8, y -4..4 (a level script begins with it).
inline constexpr const char* kWalledRoom =
    "for x = -8, 8, 2 do CreateBlock(x, -4, 0, 2, 0); CreateBlock(x, 4, 0, 2, 0) end\n"
    "for y = -2, 2, 2 do CreateBlock(-8, y, 0, 2, 0); CreateBlock(8, y, 0, 2, 0) end\n";

// One run of the real game in a fresh copy of data/, with a replay file.
class GameRun {
public:
    GameRun();
    ~GameRun();

    // Replaces or adds a file in the run's data directory before starting.
    void WriteData(const std::string& name, const std::string& text) const;
    void RemoveData(const std::string& name) const;
    // Runs the game until it exits or the timeout passes. True when it exited by itself.
    bool Run(const std::string& replay, int timeoutSeconds = 60);

    // Command-line arguments after "-w" (left out when `windowed` is false,
    // so that the settings choose the screen).
    std::vector<std::string> arguments;
    bool windowed = true;
    // SDL's sound driver: "dummy" plays into nothing; a name SDL does not
    // know leaves the game without sound.
    std::string audioDriver = "dummy";
    // More variables for the game's environment (SDL's disk audio file, say).
    std::vector<std::pair<std::string, std::string>> environment;
    int exitCode = -1;
    std::string stderrText;
    // Called about every 50 ms while the game runs, with its process id.
    std::function<void(pid_t)> whileRunning;
    std::string ReadData(const std::string& name) const;
    bool HasData(const std::string& name) const;
    const std::filesystem::path& Dir() const { return dir; }

private:
    bool RunOnce(const std::string& replay, int timeoutSeconds);
    std::filesystem::path dir;
};

// A loaded screenshot; pixel reads are in window coordinates, y downward.
class Screenshot {
public:
    explicit Screenshot(const std::string& path);
    ~Screenshot();
    bool Loaded() const { return surface != nullptr; }
    int Width() const { return surface ? surface->w : 0; }
    int Height() const { return surface ? surface->h : 0; }
    SDL_Color Pixel(int x, int y) const;
    // Share of pixels in the rectangle brighter than `level` on all channels.
    double BrightShare(int x1, int y1, int x2, int y2, int level) const;

private:
    SDL_Surface* surface = nullptr;
};
