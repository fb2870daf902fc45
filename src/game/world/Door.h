#pragma once
#include "world/GameObject.h"
#include <cstdint>
#include <string>

class TUkseSein;

// A sliding door: a sensor circle around the doorway and two leaves that slide
// apart when the player (or, once the player has opened it, an enemy) stands
// in it, and slide shut 20 steps after the last one left.
class TDoor : public TGameObject {
public:
    // Door states.
    static constexpr int kClosing = 0;
    static constexpr int kClosed = 1;
    static constexpr int kOpening = 2;
    static constexpr int kOpen = 3;
    static constexpr int kNeverOpened = 4;

    // At (x, y) world units, turned by angle; kind 0, 1 or 2 picks the leaves'
    // look and material.
    TDoor(float x, float y, float angle, int kind);
    // A dead door takes its leaves with it.
    ~TDoor() override;

    void Update() override;
    // Only in the editors: keeps the leaves on the door and unselected, so that
    // moving the door moves them and only the door is saved.
    void Draw() override;
    std::string GetCreateCommand() override;
    // The player opens the door; enemies only once the player has opened it.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    void Open();
    void Close();
    // Puts the leaves `opening` pixels either side of the door's centre.
    void PlaceLeaves();

    // A leaf if it is still alive (scripts may delete leaves), else null.
    TUkseSein* LeafA() const;
    TUkseSein* LeafB() const;

    int32_t openTimer = 0;
    TUkseSein* leafA = nullptr;
    TUkseSein* leafB = nullptr;
    float opening = 6.0f;  // world pixels from the centre to each leaf
    int32_t doorState = kNeverOpened;
    int32_t soundChannel = -1;
    int32_t kind = 0;

private:
    void StartSound();
    void StopSound();
};

// Door motion in world pixels.
constexpr float kDoorClosedOpening = 6.0f;
constexpr float kDoorOpenOpening = 12.0f;
constexpr float kDoorSpeed = 0.35f;       // per step
constexpr int kDoorOpenTime = 20;         // steps open after the last contact
