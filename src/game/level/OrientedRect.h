#pragma once

// A rectangle placed in the level: centre, turn in radians, full width and
// height. Level scripts test module placements with it.
struct TOrientedRect {
    double x = 0.0;
    double y = 0.0;
    double angle = 0.0;
    double width = 0.0;
    double height = 0.0;

    // True when the two rectangles overlap; rectangles that only touch count
    // as overlapping. Separating axes: each rectangle's two edge directions.
    bool Intersects(const TOrientedRect& other) const;

private:
    // Whether the other rectangle's corners, projected on this rectangle's two
    // edge axes, reach into this rectangle's extent on both.
    bool ReachesInto(const TOrientedRect& other) const;
    void Corners(double cx[4], double cy[4]) const;
};
