#include "util/AtomicFile.h"
#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteFileAtomically(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "ERROR: cannot write \"%s\": %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "ERROR: cannot write \"%s\": %s\n", path.c_str(), std::strerror(errno));
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
