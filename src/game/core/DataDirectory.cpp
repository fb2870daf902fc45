#include "core/DataDirectory.h"
#include <algorithm>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

// Filled in by the build for this file only.
#ifndef KORVANMIRE_SOURCE_DATA_DIR
#define KORVANMIRE_SOURCE_DATA_DIR ""
#endif
#ifndef KORVANMIRE_BUILD_DIR
#define KORVANMIRE_BUILD_DIR ""
#endif
#ifndef KORVANMIRE_INSTALLED_DATA_DIR
#define KORVANMIRE_INSTALLED_DATA_DIR "/usr/local/share/korvanmire"
#endif

namespace {

constexpr const char* kMarkerFile = "luainit.lua";

bool HoldsData(const fs::path& dir)
{
    std::error_code error;
    return !dir.empty() && fs::is_regular_file(dir / kMarkerFile, error);
}

fs::path Executable()
{
    std::error_code error;
    const fs::path executable = fs::canonical("/proc/self/exe", error);
    return error ? fs::path() : executable;
}

// A built game that has not been installed runs from the source tree's data/.
// An installed copy of the same build must not: it has its own data.
bool RunningFromBuildTree()
{
    const fs::path buildDir = KORVANMIRE_BUILD_DIR;
    const fs::path executable = Executable();
    if (buildDir.empty() || executable.empty()) return false;
    std::error_code error;
    const fs::path build = fs::canonical(buildDir, error);
    if (error) return false;
    const auto [end, unused] = std::mismatch(build.begin(), build.end(), executable.begin(), executable.end());
    return end == build.end();
}

} // namespace

std::vector<fs::path> DataDirectoryCandidates(const std::string& requested)
{
    if (!requested.empty()) return {fs::path(requested)};
    std::vector<fs::path> candidates{fs::path(".")};
    if (RunningFromBuildTree() && *KORVANMIRE_SOURCE_DATA_DIR) candidates.push_back(KORVANMIRE_SOURCE_DATA_DIR);
    // Installed: PREFIX/games/korvanmire (or PREFIX/bin/korvanmire) beside
    // PREFIX/share/korvanmire, whatever the prefix the package or
    // `cmake --install --prefix` chose.
    if (const fs::path executable = Executable(); !executable.empty())
        candidates.push_back(executable.parent_path().parent_path() / "share" / "korvanmire");
    candidates.push_back(KORVANMIRE_INSTALLED_DATA_DIR);
    return candidates;
}

fs::path FindDataDirectory(const std::vector<fs::path>& candidates)
{
    for (const fs::path& dir : candidates)
        if (HoldsData(dir)) return dir;
    return {};
}

bool EnterDataDirectory(const std::string& requested)
{
    const std::vector<fs::path> candidates = DataDirectoryCandidates(requested);
    const fs::path found = FindDataDirectory(candidates);
    if (found.empty()) {
        if (!requested.empty()) {
            std::fprintf(stderr, "korvanmire: \"%s\" holds no %s; --data must name the game's data directory\n",
                         requested.c_str(), kMarkerFile);
        } else {
            std::string places;
            for (const fs::path& dir : candidates)
                places += (places.empty() ? "" : ", ") + (dir == "." ? std::string("the working directory") : dir.string());
            std::fprintf(stderr,
                         "korvanmire: cannot find the game data (%s) in %s; "
                         "start it from the data directory or name it with --data DIR\n",
                         kMarkerFile, places.c_str());
        }
        return false;
    }
    std::error_code error;
    fs::current_path(found, error);
    if (error) {
        std::fprintf(stderr, "korvanmire: cannot enter the data directory \"%s\": %s\n", found.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}
