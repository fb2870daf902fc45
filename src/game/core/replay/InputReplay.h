#pragma once
#include <SDL/SDL.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Scripted input for tests and bug reports: a text file of "<frame> <command> ..."
// lines, named by the KORVANMIRE_REPLAY environment variable. Commands:
//   press KEY [CHAR]   key down this frame, up the next (KEY: SDL name or number)
//   down KEY / up KEY  one edge only
//   type TEXT          the rest of the line, one character every two frames
//   burst N TEXT       the rest of the line, N keys going down every frame
//                      (each one up again the frame after)
//   quit               the window's close button
//   resize W H         the window resized to W x H pixels
//   unfocus            the window loses the keyboard's focus (the player switches away)
//   click BUTTON       mouse button down this frame, up the next
//   mouse X Y          move the mouse to window pixel (X, Y)
//   hold BUTTON / release BUTTON   one mouse button edge only
//   drag BUTTON X1 Y1 X2 Y2 N      mouse to (X1, Y1); the button down two
//                      frames later; N frames of even steps to (X2, Y2); the
//                      button up two frames after the last step (frame N + 4)
//   screenshot FILE    save the window as a BMP (PNG for FILE.png) after this frame is drawn
//   lua CODE           run the rest of the line as a script
//   pointer X Y        the mouse points at world pixel (X, Y) from now on
//   seed N             the run's random seed (frame 0; see ReplaySeed)
// Key numbers 323..327 in press, down and up are the mouse buttons 1..5.
// Frames count from 1, the first frame of the loop.
class TInputReplay {
public:
    // Reads the file; false (with a message) when it cannot be read.
    bool Load(const std::string& path);
    // Parses replay text; lines that make no sense are reported and skipped.
    void Parse(const std::string& text);
    void PushEventsForFrame();
    // Screenshots wanted at the end of the current frame.
    void TakeScreenshotsForFrame();
    bool ScreenshotsDue() const;
    bool Empty() const { return events.empty() && screenshots.empty() && scripts.empty() && pointerMoves.empty(); }

private:
    void AddKey(int frame, int sym, bool down, int unicode);
    void AddButton(int frame, int button, bool down);
    void AddDrag(int frame, int button, int x1, int y1, int x2, int y2, int steps);
    std::map<int, std::vector<SDL_Event>> events;
    std::map<int, std::vector<std::pair<int, int>>> mouseMoves;
    std::map<int, std::vector<std::string>> screenshots;
    std::map<int, std::vector<std::string>> scripts;
    std::map<int, std::pair<float, float>> pointerMoves;
};

extern TInputReplay inputReplay;

// Reads an SDL key name ("return", "f1", "a") or a key code; -1 if neither.
int ParseKeyCode(const std::string& word);
// The seed named by a replay file's "seed" line, if it has one.
std::optional<unsigned> ReplaySeed(const std::string& path);
// Saves the window's back buffer as a BMP, or a PNG when the name ends in ".png".
bool SaveScreenshot(const std::string& path);
