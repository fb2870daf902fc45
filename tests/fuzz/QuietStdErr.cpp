#include "QuietStdErr.h"

QuietStdErr::QuietStdErr() : saved(stderr)
{
    std::fflush(stderr);
    if (FILE* sink = std::fopen("fuzz-stderr.log", "w")) stderr = sink;
}

QuietStdErr::~QuietStdErr()
{
    if (stderr != saved) std::fclose(stderr);
    stderr = saved;
}
