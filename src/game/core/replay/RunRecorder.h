#pragma once
#include <SDL/SDL.h>
#include <cstdio>
#include <string>

// Writes a run as replay lines (see InputReplay.h): the random seed first,
// then by frame every key and mouse button edge the game took in, and the
// mouse world position whenever it moved. Played back through
// KORVANMIRE_REPLAY the file gives the same frames again, whoever played them.
class TRunRecorder {
public:
    ~TRunRecorder();
    // Starts a recording; false (with a message) when the file cannot be made.
    bool Open(const std::string& path, unsigned seed);
    // One event as the event poll applies it, in frame `frame`.
    void Note(int frame, const SDL_Event& event);
    // The pointer as the frame's update will see it.
    void NotePointer(int frame, float worldX, float worldY);
    // A script line a replay ran in frame `frame` (it may change the run too).
    void NoteScript(int frame, const std::string& code);
    void Close();

private:
    std::FILE* file = nullptr;
    bool pointerKnown = false;
    float lastX = 0.0f, lastY = 0.0f;
};

extern TRunRecorder runRecorder;
