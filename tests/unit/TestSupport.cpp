#include "TestSupport.h"
#include "core/screens/StateRegistry.h"
#include <atomic>
#include <cstdlib>
#include <unistd.h>

namespace testing_support {

ScratchDir::ScratchDir()
{
    static std::atomic<int> counter{0};
    dir = std::filesystem::temp_directory_path() /
          ("korvanmire-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(dir, ignored);
}

void ScratchDir::Write(const std::string& name, const std::string& text) const
{
    std::filesystem::create_directories((dir / name).parent_path());
    std::ofstream(dir / name) << text;
}

ScopedEnv::ScopedEnv(const char* name, const std::optional<std::string>& value) : name(name)
{
    if (const char* old = std::getenv(name)) previous = old;
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
}

ScopedEnv::~ScopedEnv()
{
    if (previous) setenv(name, previous->c_str(), 1);
    else unsetenv(name);
}

GameFixture::GameFixture(const std::string& luainit)
{
    if (!luainit.empty()) scratch.Write("luainit.lua", luainit);
    StartScriptHost();
    game = new TGame(scratch.File("stats"));
    game->SetUp();
    inputTables = TInputTables();
    running = 1;
    cameraZoom = 1.0f;
}

GameFixture::~GameFixture()
{
    delete game;
    game = nullptr;
    stateRegistry.Clear();
    StopScriptHost();
    inputTables = TInputTables();
}

void PressKeys(std::initializer_list<int> codes)
{
    inputTables.BeginFrame();
    for (int code : codes) inputTables.SetKey(code, true);
}

void UpdateWithKeys(std::initializer_list<int> codes)
{
    PressKeys(codes);
    // Keys tapped for one frame only: let them go before the next.
    game->Update();
    for (int code : codes) inputTables.SetKey(code, false);
}

} // namespace testing_support
