#pragma once

class TWorld;

// The teleport-in effect at the start of a level, driven by the world's
// introTimer t (0 after a clear, one more every step): distortion impulses
// and sparks around the player while t runs up to 99, a hard shake from 100 to
// 109, calmer impulses to 126, white flashes at 110, 113, 116 and 120, and at
// 127 a last flash with five bursts. Without a player it happens far away.
class TLevelStartEffect {
public:
    // Installs Step and DrawLate as the world's level-start hooks.
    static void Install(TWorld& world);

    // One world step of the effect (the world calls it while t <= 126).
    static void Step(TWorld& world);
    // The late draw pass: flashes and the closing bursts.
    static void DrawLate(TWorld& world);

    // Whether the late pass flashes the screen at this timer value.
    static bool FlashesAt(int t);
};
