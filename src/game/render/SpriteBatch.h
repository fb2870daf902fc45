#pragma once
#include <cstddef>
#include <vector>

// Sprite quads drawn one after another with the same texture and blend mode
// go to OpenGL as one vertex array instead of one immediate-mode quad each:
// the software renderer pays per draw call far more than per quad.
//
// While a batch is open (TSpriteBatchScope), DrawSpriteEx and its shorthands
// turn their quads into window-independent vertices of the current model-view
// space and keep them; so does DrawThickLine (untextured, texture 0). Whatever changes the state they depend on sends them
// first: a change of texture or blend mode (GLState), a matrix change
// (Projection, Camera), a shader program, and every other piece of drawing
// code that talks to OpenGL directly (it calls FlushSprites()). So the
// drawing order and the picture stay as without the batch.
class TSpriteBatch {
public:
    struct Vertex {
        float x, y, u, v, r, g, b, a;
    };

    void Open();
    void Close();
    // True inside a scope while batching is enabled.
    bool Collecting() const { return depth > 0 && enabled; }
    // A quad drawn with the texture and blend mode in force now.
    void Add(const Vertex quad[4]);
    // Draws what is kept, in the order it came.
    void Flush();
    size_t Pending() const { return vertices.size() / 4; }
    // How many vertex-array draws the batch made so far (for checks and benchmarks).
    unsigned long Draws() const { return draws; }

    // Off: every sprite is drawn at once, as without batches (for comparisons).
    bool enabled = true;

private:
    std::vector<Vertex> vertices;  // kept between frames: no allocation once grown
    int depth = 0;
    unsigned long draws = 0;
};

extern TSpriteBatch spriteBatch;

// Sends the kept sprites; for code about to draw or change state on its own.
inline void FlushSprites()
{
    if (spriteBatch.Pending()) spriteBatch.Flush();
}

// Opens a batch for its lifetime; batches nest, the outermost close sends them.
class TSpriteBatchScope {
public:
    TSpriteBatchScope() { spriteBatch.Open(); }
    ~TSpriteBatchScope() { spriteBatch.Close(); }
    TSpriteBatchScope(const TSpriteBatchScope&) = delete;
    TSpriteBatchScope& operator=(const TSpriteBatchScope&) = delete;
};
