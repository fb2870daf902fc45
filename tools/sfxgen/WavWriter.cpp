#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sfxgen {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

} // namespace

std::int16_t toPcm16(float sample)
{
    if (std::isnan(sample))
        return 0;
    float clipped = std::clamp(sample, -1.0f, 1.0f);
    return static_cast<std::int16_t>(std::lround(clipped * 32767.0f));
}

std::vector<std::uint8_t> encodeWav(const std::vector<float>& samples, int sampleRate)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);                                    // fmt chunk size
    put16(out, 1);                                     // PCM
    put16(out, 1);                                     // mono
    put32(out, static_cast<std::uint32_t>(sampleRate));
    put32(out, static_cast<std::uint32_t>(sampleRate) * 2); // bytes per second
    put16(out, 2);                                     // bytes per frame
    put16(out, 16);                                    // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (float s : samples)
        put16(out, static_cast<std::uint16_t>(toPcm16(s)));
    return out;
}

bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate, std::string& error)
{
    std::vector<std::uint8_t> bytes = encodeWav(samples, sampleRate);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        error = "could not write " + path;
    return ok;
}

} // namespace sfxgen
