#pragma once
#include "enemies/Sdur.h"
#include <string>

// The grey soldier: the toughest and quickest trooper, aiming fastest and
// most precisely, in bursts of ten.
class THallSdur : public TSdur {
public:
    // At (x, y) world units with the item called `weapon` ("" and "0": "automaat").
    THallSdur(float x, float y, const std::string& weapon);

    static const Variant kGreySoldier;
};
