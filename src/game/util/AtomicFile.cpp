#include "util/AtomicFile.h"
#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteFileAtomically(const std::string& path, const std::string& text, const char* what)
{
    auto fail = [&](int error) {
        std::fprintf(stderr, "ERROR: cannot write %s \"%s\": %s\n", what, path.c_str(), std::strerror(error));
        return false;
    };
    if (path.empty()) return fail(ENOENT);
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return fail(errno);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (!closed && written) error = errno;
    if (written && closed && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    if (written && closed) error = errno;
    std::remove(temporary.c_str());
    return fail(error ? error : EIO);
}
