#pragma once

// SIGINT, SIGTERM and SIGHUP end the game the way the menu's "exit" does: the
// handler only notes the request, the frame loop ends, and the settings and the
// statistics are saved as usual. A second signal ends the program at once.
void InstallQuitSignalHandlers();
// True once one of those signals arrived.
bool QuitSignalReceived();
