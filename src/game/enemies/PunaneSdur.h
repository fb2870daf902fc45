#pragma once
#include "enemies/Sdur.h"
#include <string>

// The red soldier: the trooper with more health, a harder push, bursts of
// seven and a steadier aim.
class TPunaneSdur : public TSdur {
public:
    // At (x, y) world units with the item called `weapon` ("" and "0": "automaat").
    TPunaneSdur(float x, float y, const std::string& weapon);

    static const Variant kRedSoldier;
};
