#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfxgen {

// Mono Ogg Vorbis (variable bit rate at `quality`, -0.1..1). Samples are
// clipped to [-1, 1]. The stream holds exactly the samples given, so a file
// made to loop keeps its length to the sample.
std::vector<std::uint8_t> encodeOgg(const std::vector<float>& samples, int sampleRate, float quality);
bool writeOgg(const std::string& path, const std::vector<float>& samples, int sampleRate, float quality,
              std::string& error);

} // namespace sfxgen
