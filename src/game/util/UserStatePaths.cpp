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
    std::vector<std::string> dirs{In(dataDir, "mods")};
    if (!InDataDir() && !userDir.empty()) dirs.push_back(In(userDir, "mods"));
    if (!userDir.empty()) dirs.push_back(In(ContentDir(), "mods"));
    return dirs;
}

std::string TUserStatePaths::ModuleWritePath(const std::string& name) const
{
    return WritePath((InDataDir() ? "mods/" : "content/mods/") + name + ".lua");
}

std::string TUserStatePaths::ContentDir() const
{
    return userDir.empty() ? "" : In(userDir, "content");
}

std::string TUserStatePaths::OwnContent(const std::string& name) const
{
    if (userDir.empty() || name.empty()) return "";
    const std::string own = In(ContentDir(), name);
    return Exists(own) ? own : "";
}

std::vector<std::string> TUserStatePaths::ContentPaths(const std::string& name) const
{
    // Shipped files keep the names the scripts gave them, in messages too.
    const std::string shipped = dataDir == "." ? name : In(dataDir, name);
    const std::string own = OwnContent(name);
    if (own.empty()) return {shipped};
    if (!Exists(shipped)) return {own};
    return {own, shipped};
}
