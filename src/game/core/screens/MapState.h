#pragma once
#include "core/screens/Menustate.h"

// The map: the view zooms out to the level, pans with the movement keys, and
// shows what the player has seen.
class TMapState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;
    void DrawPass1() override;
    void DrawPass2() override;
    void Enter() override;

    float transition = 0.0f;
    float savedZoom = 1.0f;
    float mapX = 0.0f, mapY = 0.0f;
    float panX = 0.0f, panY = 0.0f;
    int phase = 1;  // 1 opening, 2 open, 0 closing

private:
    void SetMapView() const;
};
