// korvanmire: a top-down action game. The entry point only hands over to the core.
#include "core/CommandLine.h"
#include "core/ContentCheck.h"
#include "core/DataDirectory.h"
#include "core/Game.h"
#include "core/Startup.h"
#include "util/UserStatePaths.h"

int main(int argc, char** argv)
{
    const TCommandLine commandLine(argc, argv);
    const bool check = commandLine.action == TCommandLine::Action::Check;
    if (commandLine.action != TCommandLine::Action::Play && !check) return commandLine.Answer();
    if (!EnterDataDirectory(commandLine.dataDirectory)) return 1;
    // The game runs from its data directory; the player's files may live elsewhere.
    userStatePaths = TUserStatePaths(".");
    if (check) return TContentCheck().Run();
    // The game exists before anything starts: it reads the finished runs first.
    game = new TGame(userStatePaths.ReadPath("stats"));
    if (!StartGame(argc, argv)) return 1;
    RunMainLoop();
    ShutDownGame();
    return 0;
}
