#pragma once
#include "world/MinimalObject.h"
#include <string>

class TObjectDefinition;

// A coloured dot on the map screen, shown once the player has come within 6
// units of it. Built from the `objectlist` entry "mapmarker".
class TMapMarker : public TMinimalObject {
public:
    TMapMarker(float x, float y, float red, float green, float blue,
               const TObjectDefinition& definition);

    // Marks the marker seen when the player is near.
    void Update() override;
    // Invisible in the world.
    void Draw() override;
    std::string GetCreateCommand() override;
    // A filled circle of 12 pixels in the marker's colour.
    void DrawOnMap(float alpha) override;

    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
};

// The objectlist entry map markers are built from.
inline constexpr const char* kMapMarkerType = "mapmarker";
// How near the player must come, world units.
constexpr float kMapMarkerSeenRange = 6.0f;
