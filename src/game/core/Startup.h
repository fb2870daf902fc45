#pragma once

// Brings the game up in order: SDL, scripts, graphics, audio, game set-up,
// init.lua, key bindings. False when SDL itself cannot start.
bool StartGame(int argc, char** argv);
// The content half of the start-up, shared by the game and the content check
// (--check): the start-up scripts in their order (gfx.lua, editor.lua,
// objects.lua, relvad.lua, sfx.lua through InitAudio), the game's set-up, then
// init.lua. Needs the script host; draws nothing.
void LoadContent();
// Runs frames at 30 per second until a script calls ExitGame, the window is
// closed or a quit signal arrives.
void RunMainLoop();
// Saves the settings and the statistics.
void ShutDownGame();
