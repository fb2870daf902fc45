#pragma once
#include "world/Sein.h"

class TDoor;

// One sliding leaf of a door: a kinematic wall block of type 5 that its door
// moves. It is never saved on its own (the door recreates its leaves).
class TUkseSein : public TSein {
public:
    TUkseSein(float x, float y, float angle, float value, TDoor* owner);

    // The leaf in blue while its door has never been opened, else white.
    void DrawOnMap(float alpha) override;

    // The door, or null once it is gone.
    TDoor* Owner() const;

    TDoor* owner = nullptr;
};
