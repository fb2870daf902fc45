#include "FuzzInput.h"
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <vector>

namespace fuzz {

uint32_t Seed()
{
    const char* seed = std::getenv("KORVANMIRE_FUZZ_SEED");
    return seed ? static_cast<uint32_t>(std::strtoul(seed, nullptr, 10)) : 1u;
}

int Rounds(int defaultRounds)
{
    const char* scale = std::getenv("KORVANMIRE_FUZZ_SCALE");
    const int factor = scale ? std::max(1, std::atoi(scale)) : 1;
    return defaultRounds * factor;
}

int Random::Int(int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(engine);
}

double Random::Number()
{
    static const double odd[] = {0.0, -0.0, 1.0, -1.0, 0.5, 2.0, 3.0, 7.0, 13.0, 100.0, 255.0, 256.0, 321.0, 328.0,
                                 65535.0, 2147483647.0, 2147483648.0, -2147483648.0, 4294967296.0, 9007199254740993.0,
                                 1e9, -1e9, 1e38, 1e300, -1e300, std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::lowest(), std::numeric_limits<double>::denorm_min(),
                                 std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity()};
    switch (Int(0, 3)) {
    case 0: return odd[Int(0, static_cast<int>(std::size(odd)) - 1)];
    case 1: return Int(-5, 400);
    case 2: return std::uniform_real_distribution<double>(-50.0, 50.0)(engine);
    default: return std::ldexp(std::uniform_real_distribution<double>(-1.0, 1.0)(engine), Int(-1100, 1100));
    }
}

std::string Random::String()
{
    static const std::string known[] = {
        "", "a", "level1", "level10", "mainmenu", "game", "controls", "map", "gameover", "stats", "help", "editor",
        "spr_mees", "spr_font", "spr_sihik", "spr_zombi1", "tex_floor_metal", "teleporter", "zombi_hit", "automaat",
        "rifle ammo", "medkit", "teleport", "nails", "zombie", "keys", "settings", "walk", "room_hall", ".", "..",
        "%s%s%s%n%d", "%999999999s", "'", "\"", "\\", "]]", "\n", std::string("a\0b", 3), "x.y", "__index"};
    switch (Int(0, 4)) {
    case 0:
    case 1: return known[Int(0, static_cast<int>(std::size(known)) - 1)];
    case 2: return std::string(static_cast<size_t>(Int(1, 100000)), static_cast<char>(Int(' ', '~')));
    case 3: {
        std::string text = Bytes(static_cast<size_t>(Int(0, 40)));
        for (char& c : text)
            if (c == '/') c = '_';
        return text;
    }
    default: return "'\"" + std::string(static_cast<size_t>(Int(0, 300)), '\'') + "\\\"%s";
    }
}

std::string Random::Bytes(size_t length)
{
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(Int(0, 255));
    return bytes;
}

namespace {

std::string OddNumberText(Random& random)
{
    static const char* odd[] = {"0", "-0", "1e308", "-1e308", "1e999", "-1e999", "(0/0)", "(1/0)", "(-1/0)",
                                "2147483648", "-2147483649", "4294967296", "9e18", "0x7fffffff", "1e-320",
                                "321", "328", "-1", "99999999"};
    return odd[random.Int(0, static_cast<int>(std::size(odd)) - 1)];
}

// Replaces the number starting at `at` (if any) with an odd one.
void SwapNumber(std::string& text, size_t at, Random& random)
{
    size_t end = at;
    while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.')) ++end;
    if (end > at) text.replace(at, end - at, OddNumberText(random));
}

} // namespace

std::string Random::Mutate(const std::string& text)
{
    std::string out = text;
    const int edits = Int(1, 8);
    for (int i = 0; i < edits; ++i) {
        const size_t at = out.empty() ? 0 : static_cast<size_t>(Int(0, static_cast<int>(out.size()) - 1));
        switch (Int(0, 8)) {
        case 0:
            if (!out.empty()) out[at] = static_cast<char>(Int(0, 255));
            break;
        case 1: out.insert(at, Bytes(static_cast<size_t>(Int(1, 8)))); break;
        case 2: out.erase(at, static_cast<size_t>(Int(1, 16))); break;
        case 3:
        case 4: {
            // The next number after `at`.
            size_t digit = out.find_first_of("0123456789", at);
            if (digit != std::string::npos) SwapNumber(out, digit, *this);
            break;
        }
        case 5: {
            // The next quoted string's content.
            const size_t open = out.find('"', at);
            const size_t close = open == std::string::npos ? open : out.find('"', open + 1);
            if (close != std::string::npos) {
                std::string odd = String();
                for (char& c : odd)
                    if (c == '"' || c == '\\' || c == '\n') c = '_';
                out.replace(open + 1, close - open - 1, odd);
            }
            break;
        }
        case 6: {
            // Repeat a line.
            const size_t start = out.rfind('\n', at);
            const size_t end = out.find('\n', at);
            const size_t from = start == std::string::npos ? 0 : start + 1;
            if (end != std::string::npos) out.insert(from, out.substr(from, end - from + 1));
            break;
        }
        case 7: out.resize(at); break;
        default: {
            // Drop a line.
            const size_t start = out.rfind('\n', at);
            const size_t end = out.find('\n', at);
            const size_t from = start == std::string::npos ? 0 : start + 1;
            out.erase(from, end == std::string::npos ? std::string::npos : end - from + 1);
            break;
        }
        }
    }
    return out;
}

} // namespace fuzz
