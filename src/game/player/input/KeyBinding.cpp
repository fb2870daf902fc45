#include "player/input/KeyBinding.h"
#include <SDL/SDL.h>

const std::vector<TDefaultBinding>& DefaultBindings()
{
    static const std::vector<TDefaultBinding> bindings = {
        {"up", "move up", 119},
        {"down", "move down", 115},
        {"left", "move left", 97},
        {"right", "move right", 100},
        {"aim", "aim", 325},
        {"shoot", "shoot", 323},
        {"use", "use/pick up", 32},
        {"nextitem", "next item", 32},
        {"previtem", "previous item", 32},
        {"stab", "stab", 306},
        {"drop", "drop item", 113},
        {"combine", "combine menu", 99},
        {"map", "show/hide map", 9},
        {"reload", "reload", 114},
        {"sc_1", "qswitch pistols", 49},
        {"sc_2", "qswitch machineguns", 50},
        {"sc_3", "qswitch shotguns", 51},
        {"sc_4", "qswitch experimental", 52},
        {"sc_medkit", "qswitch medkits", 109},
        {"sc_bombs", "qswitch bombs", 109},
    };
    return bindings;
}

std::string KeyCodeName(int code)
{
    switch (code) {
    case 323: return "left mouse";
    case 324: return "middle mouse";
    case 325: return "right mouse";
    case 326: return "wheelup";
    case 327: return "wheeldown";
    default: break;
    }
    if (code < 0 || code > 321) return "wtf";
    const char* name = SDL_GetKeyName(static_cast<SDLKey>(code));
    return name ? name : "wtf";
}
