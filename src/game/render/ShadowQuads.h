#pragma once
#include <cstddef>
#include <vector>

// The field-of-view shadows of a frame: opaque black quads, all in one state,
// whose order does not matter. While gathering they are kept and sent to
// OpenGL in one vertex-array draw at End; otherwise each is drawn at once.
class TShadowQuads {
public:
    void Begin();
    // Corners in drawing order as x, y pairs, in the current model-view space.
    void Add(const float corners[8]);
    // Draws what was gathered and stops gathering.
    void End();

    size_t Pending() const { return vertices.size() / 8; }
    // How many draws sent shadow quads so far (for checks).
    unsigned long Draws() const { return draws; }

    // Off: Begin gathers nothing and every quad is drawn at once (for comparisons).
    bool batching = true;

private:
    void Draw(const float* vertices, size_t quads);
    std::vector<float> vertices;  // kept between frames: no allocation once grown
    bool gathering = false;
    unsigned long draws = 0;
};

// The world's draw pass gathers its shadows here.
extern TShadowQuads shadowQuads;
