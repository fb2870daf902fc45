// The drawing tests share one window: opening it is the first step of the run.
#include "gl_test_support.h"
#include <gtest/gtest.h>
#include <cstdio>

// Xlib keeps a few blocks from visual and locale look-ups for good; they are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libX11.so\n";
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (!gltest::OpenWindow()) {
        fprintf(stderr, "no OpenGL window: the drawing tests cannot run\n");
        return 1;
    }
    // The window and the script host stay up to the end, as in the game: the
    // textures and sprites the scripts made live as long as they do. (Closing SDL
    // would unload the GL driver and leave its blocks unattributable.)
    return RUN_ALL_TESTS();
}
