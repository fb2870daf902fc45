#include "util/UserStatePaths.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

TUserStatePaths userStatePaths;

namespace {

std::string In(const std::string& dir, const std::string& name)
{
    return dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool Exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// $XDG_DATA_HOME/korvanmire; a relative or empty XDG_DATA_HOME is ignored,
// as the base directory convention asks. Empty when there is no home at all.
std::string HomeStateDir()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/korvanmire";
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* entry = getpwuid(getuid());
        home = entry ? entry->pw_dir : nullptr;
    }
    if (!home || !home[0]) return "";
    return std::string(home) + "/.local/share/korvanmire";
}

// mkdir -p for the directory part of path; new directories are private to
// the player.
void MakeParentDirs(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string dir = path.substr(0, slash);
        if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
            std::fprintf(stderr, "ERROR: cannot make directory \"%s\": %s\n", dir.c_str(), std::strerror(errno));
    }
}

} // namespace

TUserStatePaths::TUserStatePaths(const std::string& dataDir) : dataDir(dataDir), userDir(dataDir)
{
    const bool installed = Exists(In(dataDir, kInstalledMarker));
    if (installed || access(dataDir.c_str(), W_OK) != 0) userDir = HomeStateDir();
}

std::string TUserStatePaths::ReadPath(const std::string& name) const
{
    const std::string own = In(userDir, name);
    if (!InDataDir() && !userDir.empty() && Exists(own)) return own;
    return In(dataDir, name);
}

std::string TUserStatePaths::WritePath(const std::string& name) const
{
    // Without any home directory the state cannot be kept: an empty path makes
    // the writer report it instead of writing into the data directory.
    if (userDir.empty()) return "";
    const std::string path = In(userDir, name);
    MakeParentDirs(path);
    return path;
}

std::vector<std::string> TUserStatePaths::ModuleDirs() const
{
    if (InDataDir() || userDir.empty()) return {In(dataDir, "mods")};
    return {In(dataDir, "mods"), In(userDir, "mods")};
}
