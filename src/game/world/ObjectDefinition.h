#pragma once
#include <optional>
#include <string>

// One entry of the script table `objectlist`, read and checked in full before
// any object is built from it.
class TObjectDefinition {
public:
    // Reads objectlist[name] key by key in the order below. nullopt when the
    // entry is missing (*unknown set) or a key is missing or of the wrong type;
    // `error` then holds the script error text.
    static std::optional<TObjectDefinition> Read(const std::string& name, std::string* error,
                                                 bool* unknown);

    int collision = 1;
    int depth = 0;
    int frame = 0;
    int rectangle = 0;
    int fovshadows = 0;
    int material = 0;
    std::string sprite;
    double rw = 0.0;          // world pixels: box width, or circle radius
    double rh = 0.0;          // world pixels: box height
    double shadowdist = 0.0;  // world pixels
    double mass = 0.0;        // fixture density; 0 makes the body static
};
