#include "enemies/Electric.h"
#include "enemies/Laser.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/World.h"
#include <GL/gl.h>
#include <box2d/box2d.h>
#include <cmath>
#include <cstdlib>

TElectric::TElectric(float x1, float y1, float x2, float y2)
{
    SetDepth(kBeamDepth);
    alwaysDraw = 1;
    body = CreateCircleBody(kArcSensorRadius, 0.0f, true, this, 0.0f, 0.0f);
    SetEnds(b2Vec2(x1, y1), b2Vec2(x2, y2));
}

void TElectric::SetEnds(b2Vec2 from, b2Vec2 to)
{
    start = from;
    end = to;
    control = 0.5f * (from + to);
    if (body && control.IsValid()) body->SetTransform(control, 0.0f);
}

b2Vec2 TElectric::CurvePoint(float t) const
{
    return QuadraticBezier(start.x, start.y, end.x, end.y, control.x, control.y, t);
}

void TElectric::Update()
{
    for (int i = 0; i < 6; ++i) phase[i] += kArcPhaseSteps[i];
    const b2Vec2 mid = 0.5f * (start + end);
    if (body && mid.IsValid()) body->SetTransform(mid, 0.0f);
}

void TElectric::Draw()
{
    const b2Vec2 a = kPixelsPerUnit * start;
    const b2Vec2 b = kPixelsPerUnit * end;
    const b2Vec2 k = kPixelsPerUnit * control;
    const float length = (b - a).Length();
    if (!std::isfinite(length)) return;
    int samples = int(length);
    if (samples < 2) samples = 2;
    if (samples > kArcMaxSamples) samples = kArcMaxSamples;

    SetBlendMode(1);
    BindTexture(0);
    for (int strand = 0; strand < 6; ++strand) {
        const float fade = 1.0f / float(strand + 1);
        SetColor(0.6f * fade, 0.65f * fade, 1.0f * fade, 1.0f);
        glLineWidth(2.5f * fade < 1.0f ? 1.0f : 2.5f * fade);
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i <= samples; ++i) {
            const float t = float(i) / float(samples);
            const b2Vec2 p = QuadraticBezier(a.x, a.y, b.x, b.y, k.x, k.y, t);
            b2Vec2 n = QuadraticBezierNormal(a.x, a.y, b.x, b.y, k.x, k.y, t);
            const float nl = n.Length();
            n = nl > 1e-6f ? (1.0f / nl) * n : b2Vec2(0.0f, 0.0f);
            // Ends stay put, the middle crackles: the slow phases sway the
            // strand, the jitter makes it buzz.
            const float envelope = std::sin(3.14159265f * t);
            const float sway = 3.0f * std::sin(phase[strand] * 7.0f + t * 11.0f * float(strand + 1));
            const float jitter = float(std::rand() % 5 - 2) * (0.5f + 0.3f * float(strand));
            const float offset = envelope * (sway + jitter);
            glVertex2f(p.x + n.x * offset, p.y + n.y * offset);
        }
        glEnd();
    }
    glLineWidth(1.0f);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);

    if (world && world->debris) {
        world->debris->EmitFlash(b.x, b.y, 1.0f, 0.6f, 0.6f, 1.0f, 1.0f);
        for (int i = 0; i < 2; ++i)
            world->debris->EmitSpark(b.x, b.y, RandomRange(-6.0f, 6.0f), RandomRange(-6.0f, 6.0f));
    }
}
