#include "stats/StatsReport.h"
#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <map>

namespace {

void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

void AppendFormat(std::string& out, const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0) return;
    if (std::size_t(length) < sizeof buffer) {
        out.append(buffer, std::size_t(length));
        return;
    }
    // Only an absurdly long enemy name gets here.
    std::string big(std::size_t(length) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(big.data(), big.size(), format, args);
    va_end(args);
    big.resize(std::size_t(length));
    out += big;
}

// Kill counts from a damaged file can be anything; the sum stays a valid int.
int SaturatingAdd(int a, int b)
{
    long long sum = (long long)a + b;
    return int(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

}  // namespace

std::string BuildStatsReport(const std::vector<TRunRecord>& records)
{
    std::map<std::string, int> kills;
    int highScore = 0;
    double accuracySum = 0.0;
    double timeSum = 0.0;
    int wins = 0;
    for (const TRunRecord& record : records) {
        if (record.won) ++wins;
        for (const auto& [name, count] : record.kills) kills[name] = SaturatingAdd(kills[name], count);
        highScore = std::max(highScore, record.score);
        accuracySum += record.accuracy;
        timeSum += record.time;
    }
    // A run that left through the last gate is no death; the accuracy averages all runs.
    const int runs = int(records.size());
    const int deaths = runs - wins;
    const double accuracyPercent = runs > 0 ? 100.0 * accuracySum / runs : 0.0;
    const std::string rule(49, '-');

    std::string out;
    out += "GENERAL STATS\n" + rule + "\n";
    AppendFormat(out, "accuracy                 = %.2f%%\n", accuracyPercent);
    AppendFormat(out, "total time               = %.2fs\n", timeSum / 30.0);
    AppendFormat(out, "deaths                   = %d\n", deaths);
    if (wins > 0) AppendFormat(out, "escapes                  = %d\n", wins);
    AppendFormat(out, "high score               = %d\n", highScore);
    out += "\nKILLS\n" + rule + "\n";
    for (const auto& [name, count] : kills) AppendFormat(out, "%-25s= %d\n", name.c_str(), count);
    out += rule + "\n";
    return out;
}
