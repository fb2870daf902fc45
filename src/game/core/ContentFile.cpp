#include "core/ContentFile.h"
#include "script/Console.h"
#include "util/UserStatePaths.h"
#include <cstdio>

bool LoadContentFile(const std::string& name, const std::function<bool(const std::string& path)>& load)
{
    const std::vector<std::string> paths = userStatePaths.ContentPaths(name);
    for (size_t i = 0; i < paths.size(); ++i) {
        if (load(paths[i])) return true;
        if (i + 1 < paths.size()) {
            std::fprintf(stderr, "%s did not load; using the shipped %s\n", paths[i].c_str(), paths[i + 1].c_str());
            console.AppendF("%s did not load; using the shipped %s\n", paths[i].c_str(), paths[i + 1].c_str());
        }
    }
    return false;
}
