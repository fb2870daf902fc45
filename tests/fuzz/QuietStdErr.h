#pragma once
#include <cstdio>

// Standard error is where the game reports bad files and odd script calls;
// thousands of such reports only hide a real failure, so while one of these
// lives the game's reports (everything written through `stderr`) go to
// fuzz-stderr.log in the working directory. File descriptor 2 stays as it
// was: the sanitizers write their reports there, and those must be seen.
class QuietStdErr {
public:
    QuietStdErr();
    ~QuietStdErr();
    QuietStdErr(const QuietStdErr&) = delete;
    QuietStdErr& operator=(const QuietStdErr&) = delete;

private:
    FILE* saved;
};
