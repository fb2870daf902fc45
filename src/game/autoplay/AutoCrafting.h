#pragma once
#include <string>

class TAutoControls;
class TPlayer;

// The automatic player's workbench: between fights it looks at what the
// combine menu offers and makes what it needs, ammunition for a gun it
// carries with an empty store first, then hand grenades. It works the menu
// the way a person does: open it, step the cursor to the entry, pull the
// trigger, and close it again.
class TAutoCrafting {
public:
    // One frame; true while it is busy at the menu (the legs stay still).
    bool Work(TPlayer& player, TAutoControls& hands);

private:
    // The recipe result worth making now, or empty.
    static std::string Wanted(TPlayer& player);
    std::string making;  // the result being made, empty when idle
    int frames = 0;      // spent on it
    int clock = 0;       // frames of work between fights
    std::string lastGivenUp;  // the last piece of work given up, while nothing was made since
    int restUntil = 0;        // after the same one given up twice, nothing new before this
};
