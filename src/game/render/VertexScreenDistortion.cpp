#include "render/VertexScreenDistortion.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Projection.h"
#include "render/Texture.h"
#include <GL/glew.h>
#include <algorithm>
#include <cmath>

TVertexScreenDistortion::TVertexScreenDistortion(int windowWidth, int windowHeight)
    : TScreenDistortion(windowWidth, windowHeight)
{
}

bool TVertexScreenDistortion::ValidPoint(int channel, int i, int j)
{
    return channel >= 0 && channel < 3 && i >= 0 && i <= kColumns && j >= 0 && j <= kRows;
}

float TVertexScreenDistortion::DisplacementX(int channel, int i, int j) const
{
    return ValidPoint(channel, i, j) ? displacement[channel][i][j][0] : 0.0f;
}

float TVertexScreenDistortion::DisplacementY(int channel, int i, int j) const
{
    return ValidPoint(channel, i, j) ? displacement[channel][i][j][1] : 0.0f;
}

void TVertexScreenDistortion::PushRadial(float x, float y, float strength, int channel)
{
    float sx, sy;
    WorldToScreen(x, y, &sx, &sy);
    AddRadialAtScreen(sx, sy, strength, channel);
}

void TVertexScreenDistortion::PushDirectional(float x, float y, float dx, float dy, float size,
                                             int channel)
{
    float sx, sy;
    WorldToScreen(x, y, &sx, &sy);
    AddDirectionalAtScreen(sx, sy, dx, dy, size, channel);
}

void TVertexScreenDistortion::AddRadialAtScreen(float screenX, float screenY, float strength,
                                                int channel)
{
    if (channel < 0 || channel > 2) return;
    atRest = false;
    // The frame block spans overlay 0..320 x 0..240, ten overlay pixels a cell.
    float gx = 2.0f * screenX * 0.05f;
    float gy = 2.0f * screenY * 0.05f;
    for (int i = 0; i < kColumns; ++i) {
        for (int j = 0; j < kRows; ++j) {
            float r = std::hypot(gx - float(i), gy - float(j));
            float k = strength / (r + 2.0f);
            displacement[channel][i][j][0] += (gx - float(i)) * k;
            displacement[channel][i][j][1] += (gy - float(j)) * k;
        }
    }
}

void TVertexScreenDistortion::AddDirectionalAtScreen(float screenX, float screenY, float dx,
                                                     float dy, float size, int channel)
{
    if (channel < 0 || channel > 2 || !(size > 0.0f)) return;
    // Far-off points and huge sizes would not fit an int; they reach no mesh point anyway
    // or cover all of it.
    if (!(std::fabs(screenX) < 1e6f) || !(std::fabs(screenY) < 1e6f)) return;
    if (size > 1e4f) size = 1e4f;
    atRest = false;
    int gx = int(2.0f * screenX * float(kColumns) / 640.0f);
    int gy = int(2.0f * screenY * float(kRows) / 480.0f);
    int n = int(size);
    int iFirst = std::max(gx - n, 0), iEnd = std::min(gx + n, kColumns);
    int jFirst = std::max(gy - n, 0), jEnd = std::min(gy + n, kRows);
    for (int i = iFirst; i < iEnd; ++i) {
        for (int j = jFirst; j < jEnd; ++j) {
            float r = std::hypot(float(gx - i), float(gy - j));
            if (r < size) {
                float falloff = 1.0f - r / size;
                displacement[channel][i][j][0] += dx * falloff;
                displacement[channel][i][j][1] += dy * falloff;
            }
        }
    }
}

void TVertexScreenDistortion::Decay()
{
    // Below a hundredth of a window pixel no point moves a pixel worth seeing.
    constexpr float kRestDisplacement = 0.01f;
    float largest = 0.0f;
    for (auto& channel : displacement)
        for (auto& column : channel)
            for (auto& point : column) {
                point[0] *= 0.8f;
                point[1] *= 0.8f;
                largest = std::max({largest, std::fabs(point[0]), std::fabs(point[1])});
            }
    if (largest < kRestDisplacement) {
        for (auto& channel : displacement)
            for (auto& column : channel)
                for (auto& point : column) point[0] = point[1] = 0.0f;
        atRest = true;
    }
}

void TVertexScreenDistortion::Draw()
{
    if (atRest && !alwaysDistort) {
        DrawUndistorted();
        return;
    }
    glViewport(0, 0, int(windowWidth), int(windowHeight));
    if (displayTexture) BindTexture(displayTexture->id);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetBlendMode(3);
    SetWindowView();
    // Texture coordinates: the frame block is texels 0..320 x 16..256 of the
    // 512 x 256 display texture, ten texels a cell, row 0 of the mesh at the top.
    const float du = 10.0f / 512.0f;
    const float dv = 10.0f / 256.0f;
    for (int c = 0; c < 3; ++c) {
        glColorMask(c == 0, c == 1, c == 2, GL_TRUE);
        for (int j = 0; j < kRows; ++j) {
            glBegin(GL_QUAD_STRIP);
            for (int i = 0; i <= kColumns; ++i) {
                for (int row = j; row <= j + 1; ++row) {
                    glTexCoord2f(float(i) * du, 1.0f - float(row) * dv);
                    glVertex2f(PointX(i) + displacement[c][i][row][0],
                               PointY(row) + displacement[c][i][row][1]);
                }
            }
            glEnd();
        }
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    Decay();
    glViewport(0, 0, 640, 480);
}
