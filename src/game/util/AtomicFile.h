#pragma once
#include <string>

// Writes the whole text to path through a temporary file and a rename, so a
// crash never leaves a half-written file. On failure the old file is untouched,
// "ERROR: cannot write <what> \"<path>\": <reason>" goes to stderr and false is returned.
bool WriteFileAtomically(const std::string& path, const std::string& text, const char* what = "file");
