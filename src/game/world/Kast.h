#pragma once
#include "world/MinimalObject.h"
#include <cstdint>
#include <string>
#include <vector>

class TPlayer;

// A crate or locker holding items by name (keys of `itemtable`). The player
// opens it with "use" while standing in its reach area in front of it; the lid
// opens, a take menu lists the contents, the item steps move the selection and
// "shoot" takes the selected item. Walking away closes it. Wooden crates
// ("spr_puitkast") can be pushed around; the others stand fixed.
class TKast : public TMinimalObject {
public:
    // At (x, y) world units with the body angle in radians; kind is the
    // crate's sprite name.
    TKast(float x, float y, float angle, const std::string& kind,
          std::vector<std::string> items = {});

    // Lid, selection, taking, opening and closing, for the player who touched
    // the crate during this step's contacts.
    void Update() override;
    // Screen overlay: the take menu while open, else the "something inside"
    // indicator when the player is near and can see the crate.
    void DrawLate() override;
    // "CreateContainer(...)" with the kind; the items are not written.
    std::string GetCreateCommand() override;
    // Remembers the player for this step.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    // Hands items[index] to the player and removes it from the list.
    void TakeItem(size_t index, TPlayer* player);

    // One line of the take menu.
    struct MenuLine {
        std::string text;
        float r = 1.0f, g = 1.0f, b = 1.0f;
    };
    // The menu lines in item order, read from `itemtable`. Stops at the first
    // item that is not defined there ("ERROR:undefined item ..." on stderr) or
    // whose entry lacks invtext, r, g or b (a message naming the field);
    // *complete is false then.
    std::vector<MenuLine> MenuLines(bool* complete) const;

    // Tells the player that a crate is in or near his reach this frame, so
    // that "use" there is meant for the crate and does not also switch the
    // item in hand (the item steps share the use key by default).
    void MarkPlayerNear();

    // The selection after an item step: back to 0 when it leaves 0..count−1.
    static int StepSelection(int selection, int step, int count);
    // Indicator frame for a crate kind: 0 metal, 1 high-tech, 2 wood. Kinds
    // without an indicator of their own use the metal crate's.
    static int KindIndexOf(const std::string& kind);

    std::vector<std::string> items;
    std::string crateKind;
    int32_t closed = 1;
    int32_t selection = 0;
    TPlayer* toucher = nullptr;  // valid only between the contact pass and Update
    int32_t kindIndex = 0;
};

// How near a closed crate the player counts as stepping up to it, world
// units between the centres (the reach area ends about 1.1 in front).
constexpr float kCrateNearRange = 1.8f;
// How near the player must be to see a crate's indicator, world units.
constexpr float kCrateIndicatorRange = 7.0f;
