#pragma once

#include "Image.h"

#include <string>

namespace artgen {

// 8-bit RGBA PNG files. Both return false and fill `error` on failure.
bool writePng(const std::string& path, const Image& image, std::string& error);
bool readPng(const std::string& path, Image& image, std::string& error);

} // namespace artgen
