#include "core/QuitSignals.h"
#include <csignal>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t quitSignal = 0;

void NoteQuitSignal(int signal) { quitSignal = signal; }
}

void InstallQuitSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = NoteQuitSignal;
    // A second signal ends the program at once, for whatever the first could not stop.
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool QuitSignalReceived() { return quitSignal != 0; }
