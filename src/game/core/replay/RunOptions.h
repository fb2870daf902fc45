#pragma once
#include <string>

// Options for unattended and recorded runs, read from the command line:
//   --autoplay            the automatic player plays from the main menu on
//   --autoplay-levels N   with --autoplay: leave the game after N levels (a level
//                         ends at its gate, or when the player gives it up)
//   --autoplay-level-frames N  with --autoplay: a level not won in N frames
//                         (its attempts together; default 27000) is given up
//   --fast                frames follow each other without sleeping (the
//                         frame itself is unchanged, only its pacing)
//   --quit-after SECONDS  ends the program after that much time (soak runs)
//   --record FILE         writes every input event of the run to FILE in the
//                         replay language KORVANMIRE_REPLAY reads
// Other arguments are left to the rest of start-up.
struct TRunOptions {
    bool autoplay = false;
    int autoplayLevels = 0;  // 0: play on until the program is ended
    // Fifteen minutes of play: time for a few attempts at a hard level after
    // deaths (and walks back from a teleport's revival at its start), and the
    // whole campaign well inside a benchmark's twenty minutes of wall time.
    int autoplayLevelFrames = 27000;
    bool fast = false;
    double quitAfterSeconds = 0.0;  // 0: no time limit
    std::string recordPath;
};

extern TRunOptions runOptions;

// How many values the option `arg` above takes (0 or 1); -1 when it is none of them.
int RunOptionValueCount(const std::string& arg);

// Reads the options above from argv; false (with a message) when one lacks its value.
bool ReadRunOptions(int argc, char** argv, TRunOptions* options);
