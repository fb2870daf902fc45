#pragma once
#include "level/campaign/LevelProgress.h"
#include "script/ScriptTable.h"
#include "world/MinimalObject.h"
#include <cstdint>
#include <string>

class TActor;
class TContainer;

// Something the player can carry: it lies on the floor (a small sensor body
// with a blinking ring and a label when the player is near) until an actor
// touches it and presses "use", then sits in a slot of that actor's
// container. Every kind is described by its entry in the script table
// `itemtable`, keyed by the item's name.
//
// Creating: each kind has a static Create(x, y, name, &error) that reads and
// checks the entry first and builds nothing when it is missing or malformed,
// so a failed creation never leaves a half-built item in the world. Kinds made
// elsewhere do the same with ReadEntry and the protected constructor.
//
// An item keeps its body while carried; the body is not moved with its
// holder, and a dropped item is put down at the holder's position.
class TItem : public TMinimalObject {
public:
    // The itemtable fields every item kind has, already checked.
    struct Entry {
        std::string name;          // the key in itemtable
        int frame = 0;             // "frame": floor sprite frame (and icon)
        std::string invText;       // "invtext": inventory line and floor label
        std::string longText;      // "longtext": status line while selected
        std::string shortcutKey;   // "shortcutkey": sc_1..sc_4, sc_medkit, sc_bombs, or anything
        std::string spriteName;    // "sprite"
        float r = 1.0f, g = 1.0f, b = 1.0f;  // "r", "g", "b"; exactly 0 reads as 1
        TScriptTable table;        // the whole entry, for the kind's own fields
    };

    // Reads itemtable[name]. False when the entry is missing (which also
    // writes "ERROR: cannot create item \"name\"! \n" to stderr) or a common
    // field is missing or of the wrong type; *error (may be null) then holds
    // the message for the script error the creating function raises.
    static bool ReadEntry(const std::string& name, Entry* out, std::string* error);
    // A colour channel as items use it: exactly 0 means full.
    static float ColorChannel(double value);

    // Leaves its container first.
    ~TItem() override;

    // On the floor UpdateOnGround, in a container UpdateCarried(whether the
    // holder's current item is this one).
    void Update() override;
    // The floor sprite, only while on the floor.
    void Draw() override;
    // The floor label and blinking ring (see DrawFloorMarker).
    void DrawLate() override;
    // "CreateItem(x,y,\"name\")\n" on the floor, "" while carried.
    std::string GetCreateCommand() override;
    // On the floor: picked up by a player who presses "use" while touching
    // it; dragged by enemies and walls.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    // Called while the holder holds the shoot input with this item selected.
    // True means a single use per press: the holder releases the input.
    virtual bool Activate();
    // Every frame while in a container.
    virtual void UpdateCarried(bool isCurrent);
    // Every frame while on the floor.
    virtual void UpdateOnGround();
    // The item's line in the inventory column.
    virtual std::string GetInventoryText();
    // Into the actor's inventory (stays on the floor when it is full), with
    // the "inv_pickup" sound.
    virtual void PickUp(TActor* actor);
    // The status line shown while the item is selected.
    virtual std::string GetStatusText();
    // What the item leaves behind when the inventory crosses a level change.
    virtual TLevelProgress::CarriedSlot GetCarryState();

    // The actor whose container holds this item; null on the floor.
    TActor* Holder() const;
    // Floor ring and label, drawn in overlay coordinates: within 4 units of
    // the player and in sight the ring blinks 3 frames out of 15, brighter
    // when near; within 1 unit the label shows.
    void DrawFloorMarker();

    uint8_t inContainer = 0;
    TContainer* container = nullptr;
    std::string itemName;
    std::string invText;
    std::string longText;
    std::string shortcutKey;
    std::string itemClass;  // "class" when the entry has one: "material", "weapon", ...
    int32_t blinkPhase = 0;
    float colorR = 1.0f, colorG = 1.0f, colorB = 1.0f;

protected:
    // On the floor at (x, y) world units (already through the creation
    // transform), from an entry read by ReadEntry.
    TItem(float x, float y, const Entry& entry);
};

// Radius of the floor marker's view and of the label, world units.
constexpr float kItemMarkerRange = 4.0f;
constexpr float kItemLabelRange = 1.0f;
// Depth of items (under everything that walks).
constexpr int kItemDepth = -5;
