#pragma once
#include <string>

// Writes 8-bit RGB rows (top row first, `pitch` bytes apart) as a PNG file.
// False, with a message on stderr, when the file cannot be written.
bool WritePngFile(const std::string& path, int width, int height, const unsigned char* rows, int pitch);
