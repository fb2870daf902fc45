#pragma once
#include <box2d/b2_math.h>
#include <cstdint>
#include <vector>

class TWorld;

// What the ground of a level is like for someone of the player's size, on a
// square grid: open floor, door leaves (they slide open for the player), things
// that can be pushed out of the way, breakable blocks (shoot them) and what
// never lets anyone through. Taken from the physics bodies of the world.
class TNavigationGrid {
public:
    enum class Cell : uint8_t { Open, Door, Pushable, Breakable, Blocked };

    static constexpr float kCellSize = 0.5f;
    // Clearance kept from obstacles: the player's radius and a little room.
    static constexpr float kClearance = 0.32f;

    // Rebuilds the grid from the world's bodies.
    void Build(TWorld& world);
    bool Empty() const { return width == 0 || height == 0; }
    int Width() const { return width; }
    int Height() const { return height; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Cell At(int x, int y) const { return Inside(x, y) ? cells[size_t(y) * width + x] : Cell::Blocked; }
    // Whether the cell is open floor or a door leaf: somewhere the player
    // walks without pushing or shooting first. WalkableAt: the cell under a world point.
    bool Walkable(int x, int y) const
    {
        const Cell cell = At(x, y);
        return cell == Cell::Open || cell == Cell::Door;
    }
    bool WalkableAt(b2Vec2 point) const { return Walkable(CellX(point.x), CellY(point.y)); }
    void Set(int x, int y, Cell cell);
    // World units to cell and back (cell centres).
    int CellX(float x) const;
    int CellY(float y) const;
    b2Vec2 Centre(int x, int y) const;
    // The nearest cell to (x, y) someone can stand in, searching up to
    // kNearestOpenReach cells out: the player may stand where the grid has no
    // room for him (wedged by a wall, pushed by a blast), and the way out of
    // there starts at the nearest open floor.
    static constexpr int kNearestOpenReach = 12;
    bool NearestOpen(b2Vec2 at, int* outX, int* outY) const;

private:
    void Mark(int x, int y, Cell cell);
    int width = 0, height = 0;
    float originX = 0.0f, originY = 0.0f;
    std::vector<Cell> cells;
};
