#include "ui/PickupNotes.h"
#include "ui/HudPlate.h"
#include "render/GLState.h"
#include "render/Text.h"
#include <algorithm>

namespace {
constexpr int kFadeFrames = 15;
constexpr float kLineHeight = 7.0f;
}

void TPickupNotes::Post(const std::string& text)
{
    if (notes.size() >= kMaxLines) notes.erase(notes.begin());
    notes.push_back({text.substr(0, 60), kShownFrames});
}

void TPickupNotes::Update()
{
    for (Note& note : notes) --note.framesLeft;
    notes.erase(std::remove_if(notes.begin(), notes.end(), [](const Note& n) { return n.framesLeft <= 0; }),
                notes.end());
}

void TPickupNotes::Draw(float x, float y) const
{
    float lineY = y - kLineHeight * float(notes.size() - 1);
    for (const Note& note : notes) {
        const float alpha = std::min(1.0f, float(note.framesLeft) / float(kFadeFrames));
        DrawHudPlateFor(note.text.c_str(), x, lineY);
        SetColor(0.85f, 1.0f, 0.75f, alpha);
        DrawTextLine(note.text.c_str(), x, lineY);
        lineY += kLineHeight;
    }
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}
