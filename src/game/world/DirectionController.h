#pragma once
#include "world/GameObject.h"
#include <string>

// A round area that turns the player's view: while the player stands in it,
// the view rotation snaps to the controller's direction (taken modulo a
// quarter turn, whichever of the two nearest candidates is closer to the
// current rotation). With the setting "viewrotate" off it straightens the view.
class TDirectionController : public TGameObject {
public:
    TDirectionController(float x, float y, float angle, float radius);

    void Update() override;
    // Only in the editors: a white circle and a line along the direction.
    void Draw() override;
    // Absolute position: controllers do not move with the save origin.
    std::string GetCreateCommand() override;
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    // The view rotation a controller at `angle` gives a player whose rotation
    // is `current`.
    static float ChooseViewRotation(float angle, float current);

    float radius = 0.0f;
};
