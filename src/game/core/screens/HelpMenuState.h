#pragma once
#include "core/screens/Menustate.h"
#include <string>

// A text page that slides down over the main menu: the help and the statistics.
class THelpMenuState : public TMenustate {
public:
    THelpMenuState(TGame* game, std::string text) : TMenustate(game), text(std::move(text)) {}
    void Update() override;
    void DrawPass2() override;
    void Enter() override;

    std::string text;
    float slide = 0.0f;
    uint8_t closing = 0;
};
