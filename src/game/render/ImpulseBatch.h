#pragma once
#include "render/SpriteDraw.h"
#include <cstddef>
#include <vector>

// Distortion impulses drawn one after another with the same shader and sprite
// go to OpenGL as one vertex array instead of one draw each: the software
// renderer pays per draw call far more than per quad. What the shaders took
// per impulse travels with each vertex: the colour (a radial blob's strength
// in its alpha) and two numbers in a generic attribute (a push, or a blob's
// centre).
//
// One batch holds either quads (as DrawSpriteEx draws them) or quad strips
// (as DrawSpriteStretched does); the strips go in one multi-draw, so each is
// cut into triangles just as when it is drawn alone.
class TImpulseBatch {
public:
    struct Vertex {
        float x, y, u, v, r, g, b, a, attributeX, attributeY;
    };

    void AddQuad(const TSpriteCorner quad[4], float alpha, float attributeX, float attributeY);
    void AddStrip(const TSpriteCorner strip[8], float alpha, float attributeX, float attributeY);
    size_t Pending() const { return vertices.size(); }
    // Draws what is kept with the program, texture and blend mode in force now,
    // feeding the generic attribute at `attribute`, and empties the batch.
    void Draw(int attribute);
    // How many draws the batch made so far (for checks).
    unsigned long Draws() const { return draws; }

private:
    void Add(const TSpriteCorner* corners, int count, float alpha, float attributeX,
             float attributeY);

    // Kept between frames: no allocation once grown.
    std::vector<Vertex> vertices;
    std::vector<int> stripFirsts;
    std::vector<int> stripCounts;
    unsigned long draws = 0;
};
