#pragma once
#include <set>

// The hands of the automatic player: each frame it says which keys and mouse
// buttons it wants down, which it taps, and where the mouse points; PushEvents
// turns that into the key and button events a person's hands would make, so
// the game (and a run record) cannot tell the two apart.
class TAutoControls {
public:
    // Down this frame (stays down while asked for every frame).
    void Hold(int code);
    // Down this frame and up the next: one press.
    void Tap(int code);
    // The same by action name, through the player's key bindings.
    void HoldAction(const char* action);
    void TapAction(const char* action);
    // The mouse on world pixel (x, y).
    void Point(float worldX, float worldY);
    // This frame's wishes as SDL events in the queue, then a fresh frame.
    void PushEvents();
    // Lets go of everything (the next PushEvents sends the ups).
    void Clear();
    // Whether this frame asks for the action's key (held or tapped).
    bool Wants(const char* action) const;

private:
    void Push(int code, bool down);
    std::set<int> wanted;
    std::set<int> tapped;
    std::set<int> down;  // what our events left down
};
