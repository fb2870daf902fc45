#pragma once
#include "world/GameObject.h"
#include <string>

// A text label in the world, drawn ten times the font size. Never saved.
class TTextObject : public TGameObject {
public:
    TTextObject(float x, float y, const std::string& text);

    void Update() override;
    void Draw() override;

    std::string text;
};
