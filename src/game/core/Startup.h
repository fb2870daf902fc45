#pragma once

// Brings the game up in order: SDL, scripts, graphics, audio, game set-up,
// init.lua, key bindings. False when SDL itself cannot start.
bool StartGame(int argc, char** argv);
// Runs frames at 30 per second until a script calls ExitGame, the window is
// closed or a quit signal arrives.
void RunMainLoop();
// Saves the settings and the statistics.
void ShutDownGame();
