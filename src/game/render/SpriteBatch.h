#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Sprite quads go to OpenGL as vertex arrays, many in one draw, instead of one
// immediate-mode quad each: the software renderer pays per draw call far more
// than per quad.
//
// While a batch is open (TSpriteBatchScope), DrawSpriteEx and its shorthands
// turn their quads into window-independent vertices of the current model-view
// space and keep them, each with its texture and the blend mode in force; so
// do floor decals and DrawThickLine (untextured, texture 0, without binding
// it). Quads are kept in runs of one texture and blend mode, drawn in the
// order they came. Additive quads (blend mode 1) add the same amounts to the
// picture in any order, so one joins an earlier run of its texture as long as
// only additive runs came since: a volley of bullets, trails and head each, is
// two draws.
//
// Whatever else the quads depend on sends them first: binding another texture
// (GLState; sprites and decals bind theirs, so runs of other textures end
// there), binding none (for untextured shapes), a matrix change (Projection,
// Camera), a shader program, and every other piece of drawing code that talks
// to OpenGL directly (it calls FlushSprites()). A change of blend mode does
// not: each run is drawn in its own mode. So the picture stays as without the
// batch.
class TSpriteBatch {
public:
    struct Vertex {
        float x, y, u, v, r, g, b, a;
    };

    void Open();
    void Close();
    // True inside a scope while batching is enabled.
    bool Collecting() const { return depth > 0 && enabled; }
    // A quad drawn with the texture and the blend mode in force now.
    void Add(const Vertex quad[4], uint32_t texture);
    // Draws what is kept, run by run, and leaves blend mode and texture as the
    // GLState caches say.
    void Flush();
    size_t Pending() const { return pending; }
    // How many vertex-array draws the batch made so far (for checks and benchmarks).
    unsigned long Draws() const { return draws; }

    // Off: every sprite is drawn at once, as without batches (for comparisons).
    bool enabled = true;

private:
    struct Run {
        uint32_t texture = 0;
        int blendMode = 0;
        std::vector<Vertex> vertices;  // kept between frames: no allocation once grown
    };
    // More runs than this send the batch first.
    static constexpr size_t kMaxRuns = 8;
    Run& RunFor(uint32_t texture, int blendMode);

    std::array<Run, kMaxRuns> runs;
    size_t runCount = 0;
    size_t pending = 0;  // quads
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
