#pragma once
#include "player/input/KeyBinding.h"
#include "core/screens/Menustate.h"
#include <vector>

// The key-binding screen: the twenty actions in two columns; Return on a row
// waits for the new key, Escape leaves.
class TControlsMenuState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;
    void DrawPass2() override;
    void Enter() override;
    // Reads every binding, writing the default for the ones missing or not numbers.
    void InitBindings();
    // Navigation, Return to rebind, and the new key while one is awaited.
    void HandleKeys();

    std::vector<TKeyBinding> bindings;
    float fade = 0.0f;
    uint8_t leaving = 0;
    uint8_t waitingForKey = 0;
    int selectedRow = 0;

private:
    void Navigate();
    void CaptureKey();
    void DrawBindings(float y0) const;
    void DrawCursor(float y0, int frame) const;
};
