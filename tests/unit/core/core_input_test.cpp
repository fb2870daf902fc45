#include "core/App.h"
#include "core/FramePacing.h"
#include "core/replay/InputReplay.h"
#include "core/InputTables.h"
#include "core/ZoomKeys.h"
#include <gtest/gtest.h>

namespace {

SDL_Event KeyEvent(bool down, int sym, int unicode = 0)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    event.key.keysym.unicode = static_cast<Uint16>(unicode);
    return event;
}

SDL_Event ButtonEvent(Uint8 type, int button)
{
    SDL_Event event{};
    event.type = type;
    event.button.button = static_cast<Uint8>(button);
    event.jbutton.button = static_cast<Uint8>(button);
    return event;
}

TEST(InputTables, KeyTappedWithinOneFrameIsPressedAndReleasedButNotHeld)
{
    TInputTables input;
    input.BeginFrame();
    input.HandleEvent(KeyEvent(true, SDLK_a, 'a'));
    input.HandleEvent(KeyEvent(false, SDLK_a));
    EXPECT_TRUE(input.KeyPressed(SDLK_a));
    EXPECT_TRUE(input.KeyReleased(SDLK_a));
    EXPECT_FALSE(input.KeyHeld(SDLK_a));
    EXPECT_EQ(input.TypedChar(), 'a');
    EXPECT_TRUE(input.AnyKeyPressed());

    input.BeginFrame();
    EXPECT_FALSE(input.KeyPressed(SDLK_a));
    EXPECT_FALSE(input.KeyReleased(SDLK_a));
    EXPECT_EQ(input.TypedChar(), 0);
    EXPECT_FALSE(input.AnyKeyPressed());
    EXPECT_EQ(input.LastKeyCode(), SDLK_a);  // kept across frames
}

TEST(InputTables, HeldKeysSurviveFramesUntilReleasedOrUnheld)
{
    TInputTables input;
    input.BeginFrame();
    input.HandleEvent(KeyEvent(true, SDLK_w));
    input.BeginFrame();
    EXPECT_TRUE(input.KeyHeld(SDLK_w));
    EXPECT_FALSE(input.KeyPressed(SDLK_w));
    input.ReleaseKey(SDLK_w);
    EXPECT_FALSE(input.KeyHeld(SDLK_w));
}

TEST(InputTables, MouseButtonsShareTheKeyCodeSpace)
{
    TInputTables input;
    input.BeginFrame();
    input.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
    EXPECT_TRUE(input.KeyHeld(325));
    EXPECT_EQ(input.LastKeyCode(), 325);
    input.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, 4));
    EXPECT_EQ(input.MouseWheel(), -1);
    input.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, 5));
    EXPECT_EQ(input.MouseWheel(), 1);
    // Buttons above 5 are not part of the code space.
    input.HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, 6));
    EXPECT_EQ(input.LastKeyCode(), 327);
    EXPECT_FALSE(input.KeyHeld(-1));
    EXPECT_FALSE(input.KeyHeld(328));
}

TEST(InputTables, GamepadButtonsAboveNineAreIgnored)
{
    TInputTables input;
    input.BeginFrame();
    input.HandleEvent(ButtonEvent(SDL_JOYBUTTONDOWN, 9));
    input.HandleEvent(ButtonEvent(SDL_JOYBUTTONDOWN, 10));
    EXPECT_TRUE(input.JoyButtonPressed(9));
    EXPECT_TRUE(input.JoyButtonHeld(9));
    EXPECT_FALSE(input.JoyButtonHeld(10));
    EXPECT_FALSE(input.AnyKeyPressed());
    input.ReleaseJoyButton(9);
    EXPECT_FALSE(input.JoyButtonHeld(9));
}

class ZoomKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        inputTables = TInputTables();
        cameraZoom = 1.0f;
    }
    void TearDown() override { inputTables = TInputTables(); }
    void HoldFor(int key, int frames)
    {
        inputTables.SetKey(key, true);
        for (int i = 0; i < frames; ++i) ApplyZoomKeys();
        inputTables.SetKey(key, false);
    }
};

TEST_F(ZoomKeysTest, ZoomStaysWithinItsRange)
{
    HoldFor(SDLK_KP_MINUS, 20);
    EXPECT_FLOAT_EQ(cameraZoom, 0.05f);
    HoldFor(SDLK_KP_PLUS, 60);
    EXPECT_FLOAT_EQ(cameraZoom, 2.0f);
    HoldFor(SDLK_KP0, 1);
    EXPECT_FLOAT_EQ(cameraZoom, 1.0f);
}

TEST_F(ZoomKeysTest, KeypadOneForcesHalfOverPlusAndMinus)
{
    inputTables.SetKey(SDLK_KP_PLUS, true);
    inputTables.SetKey(SDLK_KP1, true);
    for (int i = 0; i < 5; ++i) {
        ApplyZoomKeys();
        EXPECT_FLOAT_EQ(cameraZoom, 0.5f);
    }
}

TEST(FramePacing, SleepsTheRestOfTheBudgetOnlyForQuickFrames)
{
    EXPECT_EQ(FrameSleepMicroseconds(40.0), 0);
    EXPECT_EQ(FrameSleepMicroseconds(10.0), 23333);
    EXPECT_EQ(FrameSleepMicroseconds(kFrameBudgetMs), 0);
}

// A replay line asking for an endless drag is refused instead of filling the
// memory with its steps; a sane one is taken.
TEST(InputReplay, DragsAreBoundedInLengthAndPlace)
{
    for (const char* line : {"5 drag 1 0 0 600 400 2000000000", "5 drag 1 0 0 2147483647 400 10",
                             "5 drag 1 -70000 0 10 10 10", "5 drag 1 0 0 10 10 0"}) {
        TInputReplay replay;
        testing::internal::CaptureStderr();
        replay.Parse(line);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("replay:1:"), std::string::npos) << line;
        EXPECT_TRUE(replay.Empty()) << line;
    }
    TInputReplay replay;
    replay.Parse("5 drag 1 0 0 600 400 1800");
    EXPECT_FALSE(replay.Empty());
}

} // namespace
