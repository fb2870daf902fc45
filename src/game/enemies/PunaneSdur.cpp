#include "enemies/PunaneSdur.h"

const TSdur::Variant TPunaneSdur::kRedSoldier = {
    "red_soldat", "spr_punane_s6dur", "CreateRedSoldier", 80.0f, 17.0f, 8.0f, 0.7f, 0.1f, 8.0f, 7, 13,
};

TPunaneSdur::TPunaneSdur(float x, float y, const std::string& weapon) : TSdur(x, y, weapon, kRedSoldier) {}
