#pragma once
#include <string>
#include <vector>

// Short HUD lines for what the player just took ("+24 pistol rounds"), the
// newest at the bottom. Each stays a few seconds, then fades out; ammunition
// for a gun not in hand is otherwise counted where nobody sees it.
class TPickupNotes {
public:
    void Post(const std::string& text);
    // One frame older; the expired ones go.
    void Update();
    // The lines upward from the baseline (x, y) of the bottom one.
    void Draw(float x, float y) const;
    size_t Count() const { return notes.size(); }

    static constexpr int kShownFrames = 75;  // 2.5 s at 30 frames a second
    static constexpr size_t kMaxLines = 3;

private:
    struct Note {
        std::string text;
        int framesLeft;
    };
    std::vector<Note> notes;
};
