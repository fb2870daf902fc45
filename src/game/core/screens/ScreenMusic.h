#pragma once
#include <string>

class TMusic;

// What the music does when the screen changes, all in one place:
//  - game over fades the level's track out;
//  - a menu page opened during play keeps the level's track, ducked, and
//    going back to play (or the map, or a level's end) brings it back up;
//  - the main menu with no level going plays the script global `menumusic`
//    (after a game over or the win page the menu theme comes back);
//  - the win page plays `winmusic`.
// `levelGoing`: a level is loaded and its player is alive in it.
void CueMusicForScreen(TMusic& music, const std::string& screen, bool levelGoing);

// Fade lengths of those changes, in ms.
constexpr int kGameOverFadeMs = 2500;
constexpr int kThemeFadeMs = 1500;
