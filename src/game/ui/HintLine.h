#pragma once
#include <string>

// The HUD's hint line: one short line at the bottom of the screen that tells
// a new player which key does what he is about to need ("SPACE opens it").
// The game asks for a hint in every frame its situation holds (Want) and
// says when the player did the thing (Done); the scripts write the texts
// with the keys actually bound, switch hints off, and stop a hint after it
// was followed a few times (HintText, HintDone in luainit.lua).
class THintLine {
public:
    // Asks for the hint `id` in this frame; a later wish in the frame wins.
    void Want(const std::string& id);
    // The player did what hint `id` asks.
    void Done(const std::string& id);
    // Draws this frame's hint, if the scripts give a text for it.
    void Draw();

    // The frame's wish, "" for none.
    const std::string& Wanted() const;

private:
    std::string wanted;
    int wantedFrame = -1;
};

extern THintLine hintLine;
