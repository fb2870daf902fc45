#include "render/DistortionTiles.h"
#include <algorithm>
#include <cmath>

void TDistortionTiles::Add(float left, float top, float right, float bottom, float reach)
{
    // A NaN corner would reach nowhere sensible: take the whole block.
    if (!(left <= right) || !(top <= bottom)) {
        left = top = 0.0f;
        right = kColumns * kSize;
        bottom = kRows * kSize;
    }
    // One pixel more each way: rasterised edges may touch the pixel beyond.
    // Clamped as floats first: a far-off corner must not overflow an int.
    const auto first = [](float v, int count) {
        return int(std::clamp(std::floor((v - 1.0f) / kSize), 0.0f, float(count)));
    };
    const auto end = [](float v, int count) {
        return int(std::clamp(std::floor((v + 1.0f) / kSize) + 1.0f, 0.0f, float(count)));
    };
    const int i0 = first(left, kColumns), i1 = end(right, kColumns);
    const int j0 = first(top, kRows), j1 = end(bottom, kRows);
    for (int j = j0; j < j1; ++j)
        for (int i = i0; i < i1; ++i) {
            tiles[j][i].live = true;
            tiles[j][i].bound += std::fabs(reach);
        }
}

void TDistortionTiles::Fade(float factor)
{
    for (auto& row : tiles)
        for (TTile& tile : row) tile.bound *= factor;
}

bool TDistortionTiles::Resting(int column, int row, float rest) const
{
    const TTile& tile = tiles[row][column];
    return tile.live && !(tile.bound >= rest);
}

bool TDistortionTiles::AnyResting(float rest) const
{
    for (int j = 0; j < kRows; ++j)
        for (int i = 0; i < kColumns; ++i)
            if (Resting(i, j, rest)) return true;
    return false;
}

void TDistortionTiles::ForgetResting(float rest)
{
    for (int j = 0; j < kRows; ++j)
        for (int i = 0; i < kColumns; ++i)
            if (Resting(i, j, rest)) tiles[j][i] = TTile();
}

bool TDistortionTiles::AnyLive() const
{
    for (const auto& row : tiles)
        for (const TTile& tile : row)
            if (tile.live) return true;
    return false;
}

void TDistortionTiles::ForgetAll()
{
    for (auto& row : tiles)
        for (TTile& tile : row) tile = TTile();
}
