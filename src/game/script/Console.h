#pragma once
#include <functional>
#include <string>

// The on-screen script console: a 25-line scroll-back of messages and script
// errors, and an input line whose text runs as Lua when Return is pressed.
class TConsole {
public:
    static constexpr int kLineLimit = 25;

    TConsole();

    void Append(const std::string& text);
    void AppendF(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // One frame of editing: the character typed this frame (0 for none) and
    // whether Return went down. Runs the input line on Return.
    void Edit(char typed, bool returnPressed);
    // Draws the panel, scroll-back and input line in the 640 x 480 overlay space.
    void Draw() const;

    bool visible = false;
    // Hears every text appended, beyond the scroll-back's 25 lines: the
    // content check (--check) collects the problems the scripts print.
    std::function<void(const std::string&)> listener;
    const std::string& Text() const { return text; }
    const std::string& InputLine() const { return inputLine; }
    int LineCount() const { return lineCount; }

private:
    int lineCount = 1;
    std::string text;
    std::string inputLine;
};

extern TConsole console;
