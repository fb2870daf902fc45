#pragma once
#include "core/screens/Menustate.h"
#include <cstdint>
#include <string>

// The module list ("moduleselect", F12): the names the scripts registered with
// AddModule in 4 columns of 40 rows over the dimmed world. The arrow keys move
// the highlight (held up or down it scrolls faster and faster), Return builds
// the highlighted room at the world's origin in an empty world, names it in
// mname and opens the module editor; Escape goes back to the main menu.
class TModuleSelectState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;
    // The list; it also takes the list keys.
    void DrawPass2() override;

    // The list keys of one frame. Returns the index of the module chosen with
    // Return, or -1.
    int Navigate();
    // Clears the world, builds the module through the scripts' PlaceModule at
    // (0, 0), sets mname, puts a player at the mouse and opens "editor2".
    void Open(const std::string& name);

    int32_t column = 0;
    int32_t row = 0;
    float scrollSpeed = 0.0f;
};

constexpr int kModuleListColumns = 4;
constexpr int kModuleListRows = 40;
// Each frame a scroll key is held the scrolling speeds up by this many rows a frame.
constexpr float kModuleListScrollStep = 0.07f;
