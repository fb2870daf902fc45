#include "level/OrientedRect.h"
#include <algorithm>
#include <cmath>

void TOrientedRect::Corners(double cx[4], double cy[4]) const
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double xx = c * width * 0.5, xy = s * width * 0.5;     // half the width axis
    const double yx = -s * height * 0.5, yy = c * height * 0.5;  // half the height axis
    cx[0] = x - xx - yx; cy[0] = y - xy - yy;
    cx[1] = x + xx - yx; cy[1] = y + xy - yy;
    cx[2] = x + xx + yx; cy[2] = y + xy + yy;
    cx[3] = x - xx + yx; cy[3] = y - xy + yy;
}

bool TOrientedRect::ReachesInto(const TOrientedRect& other) const
{
    double ax[4], ay[4], bx[4], by[4];
    Corners(ax, ay);
    other.Corners(bx, by);
    // Edge axes scaled by their squared length, so this rectangle projects
    // onto [origin, origin + 1] along each.
    double axisX[2] = {ax[1] - ax[0], ax[3] - ax[0]};
    double axisY[2] = {ay[1] - ay[0], ay[3] - ay[0]};
    for (int k = 0; k < 2; ++k) {
        const double lengthSquared = axisX[k] * axisX[k] + axisY[k] * axisY[k];
        // A rectangle without extent along an axis: the projection degenerates
        // to its own point, so only that point has to be reached.
        const double scale = lengthSquared > 0.0 ? 1.0 / lengthSquared : 0.0;
        const double ux = axisX[k] * scale, uy = axisY[k] * scale;
        const double origin = ax[0] * ux + ay[0] * uy;
        double lo = bx[0] * ux + by[0] * uy, hi = lo;
        for (int i = 1; i < 4; ++i) {
            const double t = bx[i] * ux + by[i] * uy;
            lo = std::min(lo, t);
            hi = std::max(hi, t);
        }
        const double extent = lengthSquared > 0.0 ? 1.0 : 0.0;
        if (lo > origin + extent || hi < origin) return false;
    }
    return true;
}

bool TOrientedRect::Intersects(const TOrientedRect& other) const
{
    return ReachesInto(other) && other.ReachesInto(*this);
}
