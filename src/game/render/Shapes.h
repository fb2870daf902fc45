#pragma once

// Untextured shapes; each unbinds the texture and sets the colour first.
void DrawFilledCircle(float x, float y, float radius, float r, float g, float b, float a);
void DrawCircle(float x, float y, float radius, float r, float g, float b, float a);
void DrawDashedCircle(float x, float y, float radius, float phase, float r, float g, float b,
                      float a);
void DrawRect(float x1, float y1, float x2, float y2, bool filled, float r, float g, float b,
              float a);
void DrawPoint(float x, float y, float size, float r, float g, float b, float a);
void DrawThickLine(float x1, float y1, float x2, float y2, float r, float g, float b, float a,
                   float width);
