#pragma once
#include "world/GameObject.h"
#include <cstdint>
#include <string>

// A marker seen only in the editors. Kind 0 marks where a module connects to
// its neighbours when levels are assembled.
class TNode : public TGameObject {
public:
    TNode(float x, float y, float angle, int kind);

    void Update() override;
    // Only in the editors: "spr_node" frame kind.
    void Draw() override;
    std::string GetCreateCommand() override;

    int32_t kind = 0;
};
