#pragma once
#include <string>

// The world of the current level. It steps and draws its objects; clearing it
// deletes them all. Objects arrive with the world code; for now the world is
// an empty stage with its step counter and the clear requests.
class TWorld {
public:
    void Step();
    void Draw();
    // Late pass over the HUD: object overlays and the level-start effect.
    void DrawLate();
    // Objects the player has seen, on the map, faded in by alpha.
    void DrawOnMap(float alpha);
    // Deletes every object now.
    void Clear();
    // Clears after the next draw pass (safe from inside an update).
    void RequestClear() { clearRequested = true; }
    // Writes the creation lines of every placed object as a module file.
    bool SaveAsModule(const std::string& path) const;

    int stepCount = 0;

private:
    bool clearRequested = false;
};
