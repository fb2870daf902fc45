#include "BenchDirectory.h"
#include <unistd.h>

TBenchDirectory::TBenchDirectory(const std::string& name, const std::filesystem::path& data)
    : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid())))
{
    std::filesystem::remove_all(path);
    if (data.empty()) {
        std::filesystem::create_directories(path);
    } else {
        std::filesystem::copy(data, path, std::filesystem::copy_options::recursive);
        for (const char* userFile : {"settings.lua", "stats"}) std::filesystem::remove(path / userFile);
    }
    std::filesystem::current_path(path);
}

TBenchDirectory::~TBenchDirectory()
{
    Remove();
}

void TBenchDirectory::Remove()
{
    if (path.empty()) return;
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(path, ignored);
    path.clear();
}
