#include "level/campaign/CampaignSave.h"
#include "level/campaign/Difficulty.h"
#include "util/UserStatePaths.h"
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

const char* const kHeader = "korvanmire campaign 1";

// Names and texts may hold anything; tabs and line ends are written escaped so
// every field stays on its line.
std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

// The whole text as an int in [low, high]; nothing otherwise.
std::optional<int> ToInt(const std::string& text, long low, long high)
{
    if (text.empty() || text.size() > 32) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || value < low || value > high) return std::nullopt;
    return int(value);
}

std::optional<float> ToFloat(const std::string& text)
{
    if (text.empty() || text.size() > 32) return std::nullopt;
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string FormatFloat(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", double(value));
    return text;
}

// Applies one "key<TAB>..." line; the reason when it makes no sense.
std::string ApplyLine(const std::vector<std::string>& f, TCampaignSave& save, bool& sawLevel)
{
    TLevelProgress& p = save.progress;
    const std::string& key = f[0];
    auto counter = [&](int& field) -> std::string {
        if (f.size() != 2) return "\"" + key + "\" wants one value";
        auto v = ToInt(f[1], 0, INT_MAX);
        if (!v) return "\"" + key + "\" is not a count";
        field = *v;
        return "";
    };
    if (key == "level") {
        if (f.size() != 2 || !IsCampaignLevelName(f[1])) return "the level name is not a plain directory name";
        save.level = f[1];
        sawLevel = true;
        return "";
    }
    if (key == "score") {
        if (f.size() != 2) return "\"score\" wants one value";
        auto v = ToInt(f[1], INT_MIN, INT_MAX);
        if (!v) return "\"score\" is not a number";
        p.score = *v;
        return "";
    }
    if (key == "shots") return counter(p.shots);
    if (key == "hits") return counter(p.hits);
    if (key == "time") return counter(p.time);
    if (key == "levels") return counter(p.levelCount);
    if (key == "health") {
        auto v = f.size() == 2 ? ToFloat(f[1]) : std::nullopt;
        // A save is only made for a living player.
        if (!v || *v <= 0.0f || *v > 10000.0f) return "the health is not a living player's";
        p.health = *v;
        return "";
    }
    if (key == "ammo") {
        if (f.size() != 2) return "\"ammo\" wants one field";
        std::istringstream in(f[1]);
        std::string word;
        int type = 0;
        while (in >> word) {
            auto v = ToInt(word, 0, INT_MAX);
            if (!v || type >= TLevelProgress::kAmmoTypes) return "the ammunition is not ten counts";
            p.ammo[type++] = *v;
        }
        if (type != TLevelProgress::kAmmoTypes) return "the ammunition is not ten counts";
        return "";
    }
    if (key == "difficulty") {
        // Saves from before difficulties have no such line and play "normal".
        if (f.size() != 2 || !IsDifficultyName(f[1])) return "the difficulty is not easy, normal or hard";
        p.difficulty = f[1];
        return "";
    }
    if (key == "kill") {
        auto count = f.size() == 3 ? ToInt(f[2], 0, INT_MAX) : std::nullopt;
        if (!count || f[1].empty()) return "a kill line wants a name and a count";
        p.kills[f[1]] = *count;
        return "";
    }
    if (key == "slot") {
        if (f.size() != 5) return "a slot line wants an index, a number, a name and a text";
        auto index = ToInt(f[1], 0, TLevelProgress::kCarriedSlots - 1);
        auto count = ToInt(f[2], INT_MIN, INT_MAX);
        auto name = Unescape(f[3]);
        auto text = Unescape(f[4]);
        if (!index || !count || !name || !text || name->empty()) return "a slot line is malformed";
        p.slots[*index] = TLevelProgress::CarriedSlot{*name, *count, *text};
        return "";
    }
    return "unknown line \"" + key + "\"";
}

}  // namespace

std::string CampaignSavePath(bool forWriting)
{
    return forWriting ? userStatePaths.WritePath("campaign") : userStatePaths.ReadPath("campaign");
}

bool IsCampaignLevelName(const std::string& name)
{
    if (name.empty() || name.size() > 64 || name == "." || name == "..") return false;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '_' || c == '-' || c == '.';
        if (!plain) return false;
    }
    return true;
}

std::string FormatCampaignSave(const TCampaignSave& save)
{
    const TLevelProgress& p = save.progress;
    std::string text = std::string(kHeader) + "\n";
    text += "level\t" + save.level + "\n";
    text += "score\t" + std::to_string(p.score) + "\n";
    text += "shots\t" + std::to_string(p.shots) + "\n";
    text += "hits\t" + std::to_string(p.hits) + "\n";
    text += "time\t" + std::to_string(p.time) + "\n";
    text += "levels\t" + std::to_string(p.levelCount) + "\n";
    text += "health\t" + FormatFloat(p.health) + "\n";
    text += std::string("difficulty\t") + DifficultyNamed(p.difficulty).name + "\n";
    text += "ammo\t";
    for (int type = 0; type < TLevelProgress::kAmmoTypes; ++type)
        text += (type ? " " : "") + std::to_string(p.ammo[type]);
    text += "\n";
    for (const auto& [name, count] : p.kills)
        if (!name.empty() && name.find_first_of("\t\n\r") == std::string::npos)
            text += "kill\t" + name + "\t" + std::to_string(count) + "\n";
    for (int i = 0; i < TLevelProgress::kCarriedSlots; ++i) {
        const TLevelProgress::CarriedSlot& slot = p.slots[i];
        if (slot.Empty()) continue;
        text += "slot\t" + std::to_string(i) + "\t" + std::to_string(slot.count) + "\t" + Escape(slot.name) +
                "\t" + Escape(slot.text) + "\n";
    }
    text += "end\n";
    return text;
}

std::optional<TCampaignSave> ParseCampaignSave(const std::string& text, std::string* error)
{
    auto fail = [&](int line, const std::string& why) -> std::optional<TCampaignSave> {
        if (error) *error = line > 0 ? "line " + std::to_string(line) + ": " + why : why;
        return std::nullopt;
    };
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) return fail(1, "not a campaign save");

    TCampaignSave save;
    bool sawLevel = false;
    int number = 1;
    while (std::getline(in, line)) {
        ++number;
        if (line == "end") {
            if (!sawLevel) return fail(number, "no level named");
            save.progress.carriedStateValid = true;
            return save;
        }
        const std::string why = ApplyLine(SplitTabs(line), save, sawLevel);
        if (!why.empty()) return fail(number, why);
    }
    return fail(0, "cut short (no \"end\" line)");
}
