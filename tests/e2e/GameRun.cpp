#include "GameRun.h"
#include "util/FileText.h"
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

GameRun::GameRun()
{
    // A fresh directory of our own: runs in other sandboxes may share /tmp and pids.
    std::string pattern = (fs::temp_directory_path() / "korvanmire-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data())) pattern += std::to_string(getpid());
    dir = pattern;
    const char* data = std::getenv("KORVANMIRE_DATA");
    fs::copy(data ? data : "data", dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const char* userFile : {"settings.lua", "stats", "campaign", "settings.lua.tmp", "stats.tmp", "campaign.tmp"}) fs::remove(dir / userFile);
}

GameRun::~GameRun()
{
    if (!std::getenv("KORVANMIRE_KEEP_E2E")) fs::remove_all(dir);
}

void GameRun::WriteData(const std::string& name, const std::string& text) const
{
    fs::create_directories((dir / name).parent_path());
    std::ofstream(dir / name, std::ios::binary) << text;
}

void GameRun::RemoveData(const std::string& name) const { fs::remove(dir / name); }

bool GameRun::HasData(const std::string& name) const { return fs::exists(dir / name); }

std::string GameRun::ReadData(const std::string& name) const
{
    return ReadWholeFile(dir / name).value_or("");
}

bool GameRun::Run(const std::string& replay, int timeoutSeconds)
{
    // A display that is still coming up refuses the first connections: try again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const bool exited = RunOnce(replay, timeoutSeconds);
        if (!(exited && exitCode == 1 && stderrText.find("open X11 display") != std::string::npos)) return exited;
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    return true;
}

bool GameRun::RunOnce(const std::string& replay, int timeoutSeconds)
{
    WriteData("replay.txt", replay);
    std::vector<std::string> commandLine;
    if (windowed) commandLine.push_back("-w");
    commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
    std::vector<std::pair<std::string, const char*>> variables{{"KORVANMIRE_REPLAY", "replay.txt"},
                                                               {"KORVANMIRE_CONSOLE_LOG", "console.log"},
                                                               {"KORVANMIRE_SEED", "1"},
                                                               {"SDL_AUDIODRIVER", audioDriver.c_str()},
                                                               {"LIBGL_ALWAYS_SOFTWARE", "1"}};
    for (const auto& [name, value] : environment) variables.emplace_back(name, value.c_str());
    const GameExit result = RunGameBinary(GameBinary(), dir, commandLine, variables, timeoutSeconds, whileRunning);
    exitCode = result.exitCode;
    stderrText = ReadData("stderr.log");
    return result.exited;
}

std::string GameBinary()
{
    const char* binary = std::getenv("KORVANMIRE_BINARY");
    return binary ? binary : "korvanmire";
}

GameExit RunGameBinary(const std::string& binary, const fs::path& dir, const std::vector<std::string>& arguments,
                       const std::vector<std::pair<std::string, const char*>>& environment, int timeoutSeconds,
                       const std::function<void(pid_t)>& whileRunning)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        FILE* output = std::freopen("stdout.log", "w", stdout);
        FILE* errors = std::freopen("stderr.log", "w", stderr);
        (void)output;
        (void)errors;
        for (const auto& [name, value] : environment) {
            if (value) setenv(name.c_str(), value, 1);
            else unsetenv(name.c_str());
        }
        std::vector<char*> argv{const_cast<char*>("korvanmire")};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        execvp(binary.c_str(), argv.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    GameExit result;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            result.exited = true;
            break;
        }
        if (whileRunning) whileRunning(pid);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!result.exited) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

Screenshot::Screenshot(const std::string& path)
{
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return;
    SDL_PixelFormat format{};
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    format.Rmask = 0x000000FF;
    format.Gmask = 0x0000FF00;
    format.Bmask = 0x00FF0000;
    format.Amask = 0xFF000000;
    format.Gshift = 8;
    format.Bshift = 16;
    format.Ashift = 24;
    surface = SDL_ConvertSurface(loaded, &format, SDL_SWSURFACE);
    SDL_FreeSurface(loaded);
}

Screenshot::~Screenshot()
{
    if (surface) SDL_FreeSurface(surface);
}

SDL_Color Screenshot::Pixel(int x, int y) const
{
    SDL_Color color{0, 0, 0, 0};
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return color;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 4;
    color.r = p[0];
    color.g = p[1];
    color.b = p[2];
    return color;
}

double Screenshot::BrightShare(int x1, int y1, int x2, int y2, int level) const
{
    int bright = 0, total = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            const SDL_Color c = Pixel(x, y);
            ++total;
            if (c.r > level && c.g > level && c.b > level) ++bright;
        }
    return total ? static_cast<double>(bright) / total : 0.0;
}
