#include "core/replay/RunOptions.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

TRunOptions runOptions;

int RunOptionValueCount(const std::string& arg)
{
    if (arg == "--autoplay" || arg == "--fast") return 0;
    if (arg == "--record" || arg == "--autoplay-levels" || arg == "--autoplay-level-frames" || arg == "--quit-after")
        return 1;
    return -1;
}

bool ReadRunOptions(int argc, char** argv, TRunOptions* options)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool takesValue = RunOptionValueCount(arg) == 1;
        if (takesValue && i + 1 >= argc) {
            std::fprintf(stderr, "ERROR: %s needs a value\n", arg);
            return false;
        }
        if (std::strcmp(arg, "--autoplay") == 0) options->autoplay = true;
        else if (std::strcmp(arg, "--fast") == 0) options->fast = true;
        else if (std::strcmp(arg, "--record") == 0) options->recordPath = argv[++i];
        else if (std::strcmp(arg, "--autoplay-levels") == 0) options->autoplayLevels = std::atoi(argv[++i]);
        else if (std::strcmp(arg, "--autoplay-level-frames") == 0) {
            const int frames = std::atoi(argv[++i]);
            if (frames > 0) options->autoplayLevelFrames = frames;
        } else if (std::strcmp(arg, "--quit-after") == 0) options->quitAfterSeconds = std::atof(argv[++i]);
    }
    return true;
}
