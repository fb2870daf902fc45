// The player's input devices: keyboard and mouse through settings.keys, and
// the gamepad's sticks and buttons.
#include "TestSupport.h"
#include "player/input/GamepadInputDevice.h"
#include "player/input/KeyboardInputDevice.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

using testing_support::GameFixture;
using testing_support::PressKeys;

// The default bindings of the controls screen that the devices read.
const char* kDefaultKeys =
    "settings = {keys = {up = 119, down = 115, left = 97, right = 100, aim = 325, shoot = 323,"
    " use = 32, nextitem = 32, previtem = 32, stab = 306, drop = 113, combine = 99}}\n";

class InputKeyboard : public ::testing::Test {
protected:
    void SetUp() override { inputTables = TInputTables(); }
    void TearDown() override { inputTables = TInputTables(); }
    GameFixture fixture{kDefaultKeys};
    TKeyboardInputDevice device;
};

} // namespace

TEST_F(InputKeyboard, AimIsTheCrosshairOffsetAtMostEightUnitsLong)
{
    // Player at (10, 10) units, mouse 200 pixels to the right of him.
    SetMouseWorldPosition(120.0f + 200.0f, 120.0f);
    const b2Vec2 far = device.GetAim(b2Vec2(10.0f, 10.0f));
    EXPECT_NEAR(far.x, 8.0f, 1e-5f);
    EXPECT_NEAR(far.y, 0.0f, 1e-5f);

    // Inside the limit the offset is kept as it is, diagonals included.
    SetMouseWorldPosition(120.0f + 36.0f, 120.0f - 48.0f);
    const b2Vec2 near = device.GetAim(b2Vec2(10.0f, 10.0f));
    EXPECT_NEAR(near.x, 3.0f, 1e-5f);
    EXPECT_NEAR(near.y, -4.0f, 1e-5f);

    SetMouseWorldPosition(120.0f - 120.0f, 120.0f - 120.0f);  // (−10, −10) units away
    const b2Vec2 diagonal = device.GetAim(b2Vec2(10.0f, 10.0f));
    EXPECT_NEAR(std::sqrt(diagonal.x * diagonal.x + diagonal.y * diagonal.y), 8.0f, 1e-4f);
    EXPECT_NEAR(diagonal.x, diagonal.y, 1e-5f);
}

TEST_F(InputKeyboard, MovementAndActionsFollowTheBindings)
{
    PressKeys({'a', 'w', 'd'});
    EXPECT_EQ(device.GetMove(), b2Vec2(0.0f, -1.0f)) << "left and right cancel";
    PressKeys({'s'});
    inputTables.SetKey('a', false);
    inputTables.SetKey('d', false);
    inputTables.SetKey('w', false);
    EXPECT_EQ(device.GetMove(), b2Vec2(0.0f, 1.0f));

    // One space press is use, next and previous at once; previous wins.
    PressKeys({' '});
    EXPECT_EQ(device.GetItemStep(), -1);
    EXPECT_TRUE(device.IsUsePressed());
    PressKeys({});
    EXPECT_EQ(device.GetItemStep(), 0) << "a press lasts one frame";
    EXPECT_FALSE(device.IsUsePressed());

    PressKeys({'q', 'c', 306});
    EXPECT_TRUE(device.IsDropPressed());
    EXPECT_TRUE(device.IsCombinePressed());
    EXPECT_TRUE(device.IsStabPressed());

    PressKeys({kMouseCodeBase + 1, kMouseCodeBase + 3});
    EXPECT_TRUE(device.IsShootHeld());
    EXPECT_TRUE(device.IsAimHeld());
    device.ReleaseShoot();
    EXPECT_FALSE(device.IsShootHeld()) << "the trigger must be pressed anew";
    EXPECT_TRUE(device.IsAimHeld());

    // Rebinding takes effect on the next query, nothing is cached.
    SetKeyBinding("nextitem", 'n');
    SetKeyBinding("previtem", 'p');
    PressKeys({'n'});
    EXPECT_EQ(device.GetItemStep(), 1);
    PressKeys({'n', 'p'});
    EXPECT_EQ(device.GetItemStep(), -1);
}

TEST_F(InputKeyboard, FirstPressedKeyIsTheLowestKeyboardCode)
{
    PressKeys({});
    EXPECT_EQ(device.GetFirstPressedKey(), -1);
    PressKeys({'z', 'b', 300});
    EXPECT_EQ(device.GetFirstPressedKey(), 'b');
    PressKeys({177, kMouseCodeBase + 1});
    EXPECT_EQ(device.GetFirstPressedKey(), -1) << "codes past 176 do not count";
    PressKeys({0});
    EXPECT_EQ(device.GetFirstPressedKey(), 0);
}

TEST(InputKeyboardUnbound, MissingBindingsReadAsKeyCodeZero)
{
    GameFixture fixture("settings = {keys = {shoot = 'left mouse'}}\n");
    TKeyboardInputDevice device;
    PressKeys({'a', ' ', kMouseCodeBase + 1});
    EXPECT_EQ(device.GetMove(), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(device.GetItemStep(), 0);
    EXPECT_FALSE(device.IsShootHeld()) << "a binding that is not a number is unbound";

    // Every unbound action tests code 0, SDL's unknown key.
    PressKeys({0});
    EXPECT_TRUE(device.IsShootHeld());
    EXPECT_TRUE(device.IsUsePressed());
    EXPECT_EQ(device.GetItemStep(), -1);
    EXPECT_EQ(device.GetMove(), b2Vec2(0.0f, 0.0f)) << "left and right both on code 0 cancel";
    inputTables = TInputTables();
}

namespace {

// A gamepad whose stick positions the test sets.
class TStubGamepad : public TGamepadInputDevice {
public:
    int axes[4] = {0, 0, 0, 0};

protected:
    int ReadAxis(int axis) override { return axis >= 0 && axis < 4 ? axes[axis] : 0; }
};

void JoyButton(int button, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.button = uint8_t(button);
    inputTables.HandleEvent(event);
}

} // namespace

TEST(InputGamepad, SticksAreScaledAndTheAimIsSmoothed)
{
    TStubGamepad pad;
    pad.axes[0] = 16384;
    pad.axes[1] = -32768;
    EXPECT_EQ(pad.GetMove(), b2Vec2(1.0f, -2.0f));

    // The right stick's axis 3 drives x and axis 2 drives y; each call moves a
    // third of the way.
    pad.axes[3] = 16384;  // target x 1
    pad.axes[2] = -8192;  // target y −0.5
    b2Vec2 aim = pad.GetAim(b2Vec2(100.0f, 100.0f));
    EXPECT_NEAR(aim.x, 1.0f / 3.0f, 1e-6f);
    EXPECT_NEAR(aim.y, -1.0f / 6.0f, 1e-6f);
    EXPECT_FALSE(pad.IsAimHeld()) << "0.37 long is not yet aiming";
    aim = pad.GetAim(b2Vec2(0.0f, 0.0f));
    EXPECT_NEAR(aim.x, 5.0f / 9.0f, 1e-6f);
    EXPECT_NEAR(aim.y, -5.0f / 18.0f, 1e-6f);
    EXPECT_TRUE(pad.IsAimHeld());

    // Asking whether aim is held does not move the stored vector.
    pad.axes[3] = pad.axes[2] = 0;
    for (int i = 0; i < 5; ++i) pad.IsAimHeld();
    EXPECT_NEAR(pad.aimX, 5.0f / 9.0f, 1e-6f);
    for (int i = 0; i < 3; ++i) pad.GetAim(b2Vec2(0.0f, 0.0f));
    EXPECT_FALSE(pad.IsAimHeld()) << "released stick: the aim decays";
}

TEST(InputGamepad, WithoutAJoystickEverythingIsAtRest)
{
    ASSERT_EQ(joystick, nullptr);
    TGamepadInputDevice pad;
    EXPECT_EQ(pad.GetMove(), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(pad.GetAim(b2Vec2(3.0f, 4.0f)), b2Vec2(0.0f, 0.0f));
    EXPECT_FALSE(pad.IsAimHeld());
    EXPECT_EQ(pad.GetFirstPressedKey(), 0);
}

TEST(InputGamepad, ButtonsMapToActions)
{
    inputTables = TInputTables();
    TGamepadInputDevice pad;
    inputTables.BeginFrame();
    JoyButton(1, true);
    JoyButton(2, true);
    EXPECT_EQ(pad.GetItemStep(), -1) << "button 1 (previous) comes first";
    inputTables.BeginFrame();
    JoyButton(1, false);
    EXPECT_EQ(pad.GetItemStep(), 0) << "button 2 is still held but not pressed this frame";
    inputTables.BeginFrame();
    JoyButton(2, false);
    JoyButton(2, true);
    EXPECT_EQ(pad.GetItemStep(), 1);

    inputTables.BeginFrame();
    for (int b : {5, 6, 7, 8, 9}) JoyButton(b, true);
    EXPECT_TRUE(pad.IsStabPressed());
    EXPECT_TRUE(pad.IsUsePressed());
    EXPECT_TRUE(pad.IsDropPressed());
    EXPECT_TRUE(pad.IsCombinePressed());
    EXPECT_TRUE(pad.IsShootHeld());
    pad.ReleaseShoot();
    EXPECT_FALSE(pad.IsShootHeld());
    inputTables = TInputTables();
}
