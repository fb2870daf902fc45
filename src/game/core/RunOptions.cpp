#include "core/RunOptions.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

TRunOptions runOptions;

bool ReadRunOptions(int argc, char** argv, TRunOptions* options)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool takesValue = std::strcmp(arg, "--record") == 0 || std::strcmp(arg, "--autoplay-levels") == 0 ||
                                std::strcmp(arg, "--quit-after") == 0;
        if (takesValue && i + 1 >= argc) {
            std::fprintf(stderr, "ERROR: %s needs a value\n", arg);
            return false;
        }
        if (std::strcmp(arg, "--autoplay") == 0) options->autoplay = true;
        else if (std::strcmp(arg, "--fast") == 0) options->fast = true;
        else if (std::strcmp(arg, "--record") == 0) options->recordPath = argv[++i];
        else if (std::strcmp(arg, "--autoplay-levels") == 0) options->autoplayLevels = std::atoi(argv[++i]);
        else if (std::strcmp(arg, "--quit-after") == 0) options->quitAfterSeconds = std::atof(argv[++i]);
    }
    return true;
}
