#pragma once
#include <filesystem>
#include <string>
#include <vector>

// The game runs from its data directory: the one that holds luainit.lua.

// Where to look, in order. A directory named on the command line is the only
// place looked at; otherwise the working directory, then the source tree's data/
// while the executable still sits in the build tree it was built in, then the
// installed data: share/korvanmire beside the executable's games/, then the one
// under the configured install prefix.
std::vector<std::filesystem::path> DataDirectoryCandidates(const std::string& requested);
// The first candidate holding luainit.lua, or an empty path.
std::filesystem::path FindDataDirectory(const std::vector<std::filesystem::path>& candidates);
// Finds the data and changes into it. When there is none, prints one line saying
// what is missing and how to fix it, and returns false.
bool EnterDataDirectory(const std::string& requested);
