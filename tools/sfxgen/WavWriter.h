#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfxgen {

// Mono 16-bit PCM WAV. Samples are clipped to [-1, 1] before conversion.
std::int16_t toPcm16(float sample);
std::vector<std::uint8_t> encodeWav(const std::vector<float>& samples, int sampleRate);
bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate, std::string& error);

} // namespace sfxgen
