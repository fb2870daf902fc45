#pragma once
#include <cstdint>
#include <string>

class TGame;

// A floor bitmap: drawn under every object, owned by the world's `bitmaps`
// list until the next clear. Not a game object (no body, no update). The
// concrete floor bitmap derives from this; constructing one appends it to
// game->world->bitmaps, and only the world deletes it.
class TBitmap {
public:
    TBitmap();
    virtual ~TBitmap() = default;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    virtual void Draw() = 0;
    // The script line that recreates the bitmap in a saved level or module.
    virtual std::string GetCreateCommand() = 0;

    TGame* game = nullptr;
    uint8_t selected = 0;  // belongs to the module being edited
};
