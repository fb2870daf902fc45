#pragma once
#include "render/ScreenDistortion.h"

// Distortion for any OpenGL: the frame is drawn as a 32 x 24 cell mesh, once per
// colour channel, and impulses move the mesh points. Displacements fade to 80%
// each frame.
class TVertexScreenDistortion : public TScreenDistortion {
public:
    static constexpr int kColumns = 32;  // cells; the mesh has one point more each way
    static constexpr int kRows = 24;

    TVertexScreenDistortion(int windowWidth, int windowHeight);

    void PushRadial(float x, float y, float strength, int channel) override;
    void PushDirectional(float x, float y, float dx, float dy, float size, int channel) override;
    void Draw() override;

    // The same impulses at a point already in 640 x 480 overlay coordinates.
    void AddRadialAtScreen(float screenX, float screenY, float strength, int channel);
    void AddDirectionalAtScreen(float screenX, float screenY, float dx, float dy, float size,
                                int channel);
    // Multiplies every displacement by 0.8; Draw does it after drawing. Once the
    // largest is below a hundredth of a pixel they all become zero and the mesh
    // is at rest.
    void Decay();

    // Displacement of mesh point (i, j) of a channel in window pixels; (0, 0) outside.
    float DisplacementX(int channel, int i, int j) const;
    float DisplacementY(int channel, int i, int j) const;
    // Where mesh point (i, j) lies in the window before displacement.
    float PointX(int i) const { return xOffset + float(i) * width / float(kColumns); }
    float PointY(int j) const { return yOffset + float(j) * height / float(kRows); }

private:
    static bool ValidPoint(int channel, int i, int j);
    float displacement[3][kColumns + 1][kRows + 1][2] = {};
};
