#include "ui/Summaries.h"
#include <cstdarg>
#include <cstdio>

namespace {
constexpr int kStepsPerSecond = 30;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(result.data(), result.size(), format, args);
        result.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return result;
}
}

double Accuracy(int hits, int shots)
{
    return shots == 0 ? 0.0 : static_cast<double>(hits) / shots;
}

std::string LevelEndText(const std::string& level, const std::string& next, int hits, int shots,
                         int stepCount, int score)
{
    return Format("FINISHED %s, prepare for %s!\n\n\naccuracy=%f\ntime=%ds\nscore=%d",
                  level.c_str(), next.c_str(), Accuracy(hits, shots),
                  stepCount / kStepsPerSecond, score);
}

std::string GameOverText(int hits, int shots, int time, int score)
{
    return Format("GAME OVER\npress <return> to continue\n\n\naccuracy=%f\ntime=%ds\nscore=%d",
                  Accuracy(hits, shots), time / kStepsPerSecond, score);
}

std::string WinText(int hits, int shots, int time, int score)
{
    // A line's first character always belongs to it, so "\n\n\n" makes one empty line.
    return Format("THE TENTH GATE\n\n\n"
                  "The last gate folds shut behind you and the hum of\n"
                  "the machines is gone. No more rooms, no more crates,\n"
                  "no more dead that walk: you are out of synthetic hell.\n\n\n"
                  "press <return> to continue\n\n\n"
                  "accuracy=%f\ntime=%ds\nscore=%d",
                  Accuracy(hits, shots), time / kStepsPerSecond, score);
}

std::vector<std::string> KillLines(const std::map<std::string, int>& kills)
{
    std::vector<std::string> lines;
    lines.reserve(kills.size());
    for (const auto& [name, count] : kills) lines.push_back(Format("%s=%d", name.c_str(), count));
    return lines;
}
