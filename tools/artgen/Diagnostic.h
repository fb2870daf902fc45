#pragma once

#include <string>

namespace artgen {

// One problem found in an art file, printed as "file:line: message".
struct Diagnostic {
    std::string file;
    int line = 0;
    std::string message;

    std::string text() const { return file + ":" + std::to_string(line) + ": " + message; }
};

} // namespace artgen
