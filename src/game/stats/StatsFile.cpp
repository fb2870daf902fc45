#include "stats/StatsFile.h"
#include "util/AtomicFile.h"
#include "util/FileText.h"
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <sstream>
#include <optional>
#include <string_view>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Splits off the next blank-separated word of `line`, starting at `pos`.
std::string_view NextWord(const std::string& line, std::size_t& pos)
{
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    std::size_t start = pos;
    while (pos < line.size() && !IsBlank(line[pos])) ++pos;
    return std::string_view(line).substr(start, pos - start);
}

// A whole word as an int; nothing for empty, trailing junk or out of range values.
// A number may be followed by junk in the same word ("12abc" reads as 12), as the
// old reader accepted it.
std::optional<int> ToInt(std::string_view word)
{
    if (word.empty() || word.size() > 64) return std::nullopt;
    std::string text(word);
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return int(value);
}

std::optional<float> ToFloat(std::string_view word)
{
    if (word.empty() || word.size() > 64) return std::nullopt;
    std::string text(word);
    char* end = nullptr;
    float value = std::strtof(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Applies one line inside a record. True when the line was "end".
bool ApplyRecordLine(const std::string& line, TRunRecord& record)
{
    std::size_t pos = 0;
    std::string_view key = NextWord(line, pos);
    if (key == "end") return true;
    if (key == "scr") {
        if (auto v = ToInt(NextWord(line, pos))) record.score = *v;
    } else if (key == "acc") {
        if (auto v = ToFloat(NextWord(line, pos))) record.accuracy = *v;
    } else if (key == "tim") {
        if (auto v = ToInt(NextWord(line, pos))) record.time = *v;
    } else if (key == "won") {
        // Older readers skip this line, so files stay readable both ways.
        if (auto v = ToInt(NextWord(line, pos))) record.won = *v != 0;
    } else if (key == "dif") {
        // Skipped by older readers, like "won".
        std::string_view name = NextWord(line, pos);
        if (!name.empty()) record.difficulty = std::string(name.substr(0, kStatsNameMax));
    } else if (key == "enm") {
        std::string_view name = NextWord(line, pos);
        std::optional<int> count = ToInt(NextWord(line, pos));
        if (!name.empty() && count)
            record.kills[std::string(name.substr(0, kStatsNameMax))] = *count;
    }
    return false;
}

std::string FileSafeName(const std::string& name)
{
    std::string safe = name.substr(0, kStatsNameMax);
    for (char& c : safe)
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f') c = '_';
    if (safe.empty()) safe = "_";
    return safe;
}

}  // namespace

std::vector<TRunRecord> ParseRunRecords(std::istream& in, std::string& warning)
{
    warning.clear();
    auto warn = [&](const std::string& text) { warning += (warning.empty() ? "stats: " : "; ") + text; };
    std::vector<TRunRecord> records;
    std::string line;

    if (!std::getline(in, line)) {
        warn("file is empty or unreadable");
        return records;
    }
    std::size_t pos = 0;
    std::optional<int> declared = ToInt(NextWord(line, pos));
    // With a broken count the records that follow are still worth keeping.
    int expected = kStatsMaxRecords;
    bool countKnown = declared && *declared >= 0;
    if (!countKnown)
        warn("bad record count, reading the records that are there");
    else if (*declared > kStatsMaxRecords)
        warn("record count " + std::to_string(*declared) + " is too large, reading at most "
             + std::to_string(kStatsMaxRecords));
    else
        expected = *declared;

    bool truncated = false;
    while (int(records.size()) < expected) {
        bool started = false;
        while (std::getline(in, line)) {
            pos = 0;
            if (NextWord(line, pos) == "start") {
                started = true;
                break;
            }
        }
        if (!started) {
            truncated = countKnown;
            break;
        }

        TRunRecord record;
        bool finished = false;
        while (!finished && std::getline(in, line)) finished = ApplyRecordLine(line, record);
        if (!finished) {
            truncated = true;  // the unfinished record is dropped
            break;
        }
        records.push_back(std::move(record));
    }
    if (truncated) warn("file truncated after " + std::to_string(records.size()) + " records");
    return records;
}

std::vector<TRunRecord> ReadRunRecords(const std::string& path)
{
    errno = 0;
    const std::optional<std::string> whole = ReadWholeFile(path);
    if (!whole) {
        // No file yet is the normal state before the first death.
        if (errno != ENOENT)
            std::fprintf(stderr, "stats: cannot read \"%s\": %s\n", path.c_str(), std::strerror(errno));
        return {};
    }
    const std::string& text = *whole;  // a read error (a directory, say) leaves it short, never throws
    std::istringstream parsed(text);
    std::string warning;
    std::vector<TRunRecord> records = ParseRunRecords(parsed, warning);
    if (warning.empty()) return records;
    // The file is rewritten from the records that survived when the game exits:
    // keep the player's original bytes beside it so nothing unreadable is lost.
    const std::string keptPath = path + ".broken";
    if (!text.empty() && WriteFileAtomically(keptPath, text, "copy of the stats file"))
        std::fprintf(stderr, "%s (\"%s\"; the file as it was is kept as \"%s\")\n", warning.c_str(), path.c_str(),
                     keptPath.c_str());
    else
        std::fprintf(stderr, "%s (\"%s\")\n", warning.c_str(), path.c_str());
    return records;
}

std::string FormatRunRecords(const std::vector<TRunRecord>& records)
{
    std::string text = std::to_string(records.size()) + "\n";
    char line[256];  // room for the longest int and float "%f" can print
    for (const TRunRecord& record : records) {
        text += "start\n";
        std::snprintf(line, sizeof line, "scr %d\nacc %f\ntim %d\n", record.score, double(record.accuracy), record.time);
        text += line;
        for (const auto& [name, count] : record.kills)
            text += "enm " + FileSafeName(name) + " " + std::to_string(count) + "\n";
        if (record.won) text += "won 1\n";
        if (!record.difficulty.empty()) text += "dif " + FileSafeName(record.difficulty) + "\n";
        text += "end\n";
    }
    return text;
}

bool WriteRunRecords(const std::string& path, const std::vector<TRunRecord>& records)
{
    return WriteFileAtomically(path, FormatRunRecords(records), "stats file");
}
