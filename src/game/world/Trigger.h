#pragma once
#include "world/GameObject.h"
#include <cstdint>
#include <string>

// A round area that runs a level script function while the player stands in
// it: first on the (period + 2)-th step of contact, then every period + 1
// steps of contact. The function is the entry of the script table
// `scripttable` named at creation, looked up once (the script creator does
// that and hands over the registry reference).
class TTrigger : public TGameObject {
public:
    // At (x, y) world units. Owns scriptRef (kNoScriptRef when the entry was nil).
    TTrigger(float x, float y, float radius, const std::string& scriptName, int period,
             int scriptRef);
    ~TTrigger() override;

    // Calls the function when a contact fired it; errors go to the console.
    void Update() override;
    // Only in the editors: two white circles of the trigger's radius.
    void Draw() override;
    // Absolute position: triggers do not move with the save origin.
    std::string GetCreateCommand() override;
    // Counts the player's contact steps.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    int scriptRef;
    uint8_t fired = 0;
    int32_t period = 0;
    int32_t counter = 0;
    int lastContactStep = -1;  // the world step of the last counted contact
    std::string scriptName;
    float radius = 0.0f;
};
