#pragma once
#include <string>

// What the command line asks for. Parsing only; nothing is started here.
class TCommandLine {
public:
    enum class Action { Play, Check, Help, Version, BadUsage };

    TCommandLine(int argc, char** argv);

    Action action = Action::Play;
    bool windowed = false;
    // Empty unless --data names the data directory.
    std::string dataDirectory;

    // For every action but Play and Check: prints the answer and returns the exit status.
    int Answer() const;
    static std::string Usage();

private:
    std::string problem;  // why the usage is shown for BadUsage
};
