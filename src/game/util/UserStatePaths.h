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
    // The module directories to list, shipped first, then the player's: rooms
    // saved by earlier versions in mods/, then content/mods/.
    std::vector<std::string> ModuleDirs() const;
    // Where F7 writes module `name`: data/mods/ when the state lives in the data
    // directory (running from the repository), else the player's content/mods/.
    std::string ModuleWritePath(const std::string& name) const;

    // The player's own content: content/ in the state directory (data/content/
    // when running from the repository); empty without a home. Its start-up
    // scripts run after the shipped ones, its other files are found first.
    std::string ContentDir() const;
    // The player's copy of content file `name` ("gfx/spr_x.png", "level3"), or
    // empty when there is none.
    std::string OwnContent(const std::string& name) const;
    // Where to read content file `name` from, in order: the player's copy when
    // there is one, then the shipped file (left out when only the player has
    // it). Every loader of images, sounds, shaders, music and level scripts
    // takes the first of these that loads, through LoadContentFile.
    std::vector<std::string> ContentPaths(const std::string& name) const;

    static constexpr const char* kInstalledMarker = "INSTALLED";

private:
    std::string dataDir;
    std::string userDir;
};

// Set at start-up once the data directory is known.
extern TUserStatePaths userStatePaths;
