#pragma once
#include <filesystem>
#include <string>

// The directory a benchmark runs in: a fresh one under the temporary directory,
// named after the benchmark and its process, holding a copy of the game's data
// when given one (without the player's settings and stats), and made the
// current directory. It goes when the object goes, so a benchmark that gives up
// early (no display, a scene that would not load) leaves nothing behind; one
// that leaves through std::_Exit calls Remove() first.
class TBenchDirectory {
public:
    explicit TBenchDirectory(const std::string& name, const std::filesystem::path& data = {});
    ~TBenchDirectory();
    TBenchDirectory(const TBenchDirectory&) = delete;
    TBenchDirectory& operator=(const TBenchDirectory&) = delete;

    const std::filesystem::path& Path() const { return path; }
    void Remove();

private:
    std::filesystem::path path;
};
