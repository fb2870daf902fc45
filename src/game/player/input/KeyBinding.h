#pragma once
#include <string>
#include <vector>

// One row of the controls screen: the label, the action's name in settings.keys,
// and the bound key code.
struct TKeyBinding {
    std::string text;
    std::string action;
    int key = 0;
};

// The twenty bindable actions in display order, with their default key codes.
struct TDefaultBinding {
    const char* action;
    const char* text;
    int defaultKey;
};
const std::vector<TDefaultBinding>& DefaultBindings();

// The name shown for a key code: SDL's key name, the mouse buttons, or "wtf".
std::string KeyCodeName(int code);
