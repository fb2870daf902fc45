#pragma once

class TSprite;
struct TSpriteFrame;

// Sprite drawing: (x, y) is the frame's centre in the current model-view space,
// angle in radians (the quad is turned by -angle). A null sprite, a sprite
// without texture or a frame outside its frames draws nothing.
void DrawSpriteEx(const TSprite* sprite, float x, float y, float angle, int frame,
                  float scaleX, float scaleY, float r, float g, float b, float a);
void DrawSprite(const TSprite* sprite, float x, float y, float angle, int frame);
void DrawSpriteTinted(const TSprite* sprite, float x, float y, float angle, int frame,
                      float r, float g, float b, float a);
void DrawSpriteScaled(const TSprite* sprite, float x, float y, float angle, float scaleX,
                      float scaleY, int frame);
// Leaves the current colour as it is.
void DrawSpriteNoTint(const TSprite* sprite, float x, float y, float angle, int frame,
                      float scaleX, float scaleY);
// A beam from (x1, y1) to (x2, y2): the frame's left half caps the start, its right
// half the end, and its middle column is stretched between them.
void DrawSpriteStretched(const TSprite* sprite, float x1, float y1, float x2, float y2,
                         int frame, float scaleX, float scaleY);

// A corner of a sprite quad worked out on the CPU, for vertex arrays: its place
// in the current model-view space and its texture coordinates.
struct TSpriteCorner {
    float x, y, u, v;
};
// The quad DrawSpriteEx draws, turned and moved as the matrices would.
void SpriteQuadCorners(const TSpriteFrame& f, float x, float y, float angle, float scaleX,
                       float scaleY, TSpriteCorner quad[4]);
// The beam DrawSpriteStretched draws: eight corners of a quad strip.
void StretchedSpriteCorners(const TSpriteFrame& f, float x1, float y1, float x2, float y2,
                            float scaleX, float scaleY, TSpriteCorner strip[8]);
