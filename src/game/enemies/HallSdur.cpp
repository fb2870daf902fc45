#include "enemies/HallSdur.h"

const TSdur::Variant THallSdur::kGreySoldier = {
    "grey_soldat", "spr_hall_s6dur", "CreateGreySoldier", 120.0f, 20.0f, 10.0f, 0.8f, 0.05f, 10.0f, 10, 10,
};

THallSdur::THallSdur(float x, float y, const std::string& weapon) : TSdur(x, y, weapon, kGreySoldier) {}
