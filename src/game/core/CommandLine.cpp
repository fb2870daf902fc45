#include "core/CommandLine.h"
#include "core/replay/RunOptions.h"
#include "core/Version.h"
#include <cstdio>

TCommandLine::TCommandLine(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "-w" || word == "--windowed") {
            windowed = true;
        } else if (word == "-h" || word == "--help") {
            action = Action::Help;
            return;
        } else if (word == "--check") {
            action = Action::Check;
        } else if (word == "--version") {
            action = Action::Version;
            return;
        } else if (word == "--data" || word == "-d") {
            if (i + 1 >= argc) {
                action = Action::BadUsage;
                problem = word + " needs a directory";
                return;
            }
            dataDirectory = argv[++i];
        } else if (word.rfind("--data=", 0) == 0) {
            dataDirectory = word.substr(7);
        } else if (const int values = RunOptionValueCount(word); values >= 0) {
            // Read with their values by the run options at start-up.
            if (i + values >= argc) {
                action = Action::BadUsage;
                problem = word + " needs a value";
                return;
            }
            i += values;
        } else {
            action = Action::BadUsage;
            problem = "unknown option \"" + word + "\"";
            return;
        }
    }
}

std::string TCommandLine::Usage()
{
    return "usage: korvanmire [-w] [--data DIR] [run options]\n"
           "  -w, --windowed          play in a resizable 640 x 480 window instead of full screen\n"
           "  -d, --data DIR          run from the game data in DIR (the directory holding luainit.lua)\n"
           "  -h, --help              show this help and exit\n"
           "      --version           show the version and exit\n"
           "      --check             without a window: load every script, room and level (shipped\n"
           "                          and the content folder's), print each problem as FILE: message,\n"
           "                          exit 1 when there was one\n"
           "run options:\n"
           "      --autoplay          the automatic player plays from the main menu on\n"
           "      --autoplay-levels N with --autoplay: leave the game after N levels\n"
           "      --fast              frames follow each other without sleeping\n"
           "      --quit-after SECS   end the program after that much time\n"
           "      --record FILE       write every input event of the run to FILE\n";
}

int TCommandLine::Answer() const
{
    switch (action) {
    case Action::Help:
        std::fputs(Usage().c_str(), stdout);
        return 0;
    case Action::Version:
        std::printf("korvanmire %s\n", kGameVersion);
        return 0;
    case Action::BadUsage:
        std::fprintf(stderr, "korvanmire: %s\n%s", problem.c_str(), Usage().c_str());
        return 2;
    case Action::Play:
    case Action::Check:
        break;
    }
    return 0;
}
