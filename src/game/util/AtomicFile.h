#pragma once
#include <string>

// Writes the whole text to path through a temporary file and a rename, so a
// crash never leaves a half-written file. On failure the old file is untouched,
// an "ERROR: ..." line goes to stderr and false is returned.
bool WriteFileAtomically(const std::string& path, const std::string& text);
