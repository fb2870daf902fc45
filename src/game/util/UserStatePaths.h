#pragma once
#include <string>
#include <vector>

// Where the player's own files live: settings.lua, stats, the campaign
// progress, saved modules and levels.
//
// A game run from a writable data directory (the repository's data/) keeps
// them there, beside the scripts. An installed game (its data directory holds
// kInstalledMarker, put there by the install step) or one whose data directory
// cannot be written keeps them in $XDG_DATA_HOME/korvanmire, by default
// ~/.local/share/korvanmire, made when the first file is written. The install
// prefix is never written to, even by root.
class TUserStatePaths {
public:
    // dataDir is the directory the game reads its scripts from; HOME and
    // XDG_DATA_HOME are read now.
    explicit TUserStatePaths(const std::string& dataDir = ".");

    // True when the user state lives in the data directory itself.
    bool InDataDir() const { return userDir == dataDir; }
    // The directory that holds the user state.
    const std::string& Dir() const { return userDir; }

    // The player's copy of `name` when there is one, else the data directory's.
    std::string ReadPath(const std::string& name) const;
    // Where `name` is written; the directories on the way are made. `name` may
    // hold a subdirectory ("mods/room.lua").
    std::string WritePath(const std::string& name) const;
    // The module directories to list, shipped first, then the player's.
    std::vector<std::string> ModuleDirs() const;

    static constexpr const char* kInstalledMarker = "INSTALLED";

private:
    std::string dataDir;
    std::string userDir;
};

// Set at start-up once the data directory is known.
extern TUserStatePaths userStatePaths;
