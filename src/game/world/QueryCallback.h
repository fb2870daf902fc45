#pragma once
#include <box2d/b2_world_callbacks.h>
#include <vector>

// Collects every fixture whose bounding box overlaps the queried box.
class TQueryCallback : public b2QueryCallback {
public:
    // Collects into `out` (appending; the caller clears and reserves it).
    explicit TQueryCallback(std::vector<b2Fixture*>& out) : fixtures(out) {}
    bool ReportFixture(b2Fixture* fixture) override;

    std::vector<b2Fixture*>& fixtures;
};
