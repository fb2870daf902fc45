#include "core/replay/RunRecorder.h"
#include "core/InputTables.h"

TRunRecorder runRecorder;

TRunRecorder::~TRunRecorder()
{
    Close();
}

bool TRunRecorder::Open(const std::string& path, unsigned seed)
{
    Close();
    file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::fprintf(stderr, "ERROR: cannot write the run record \"%s\"\n", path.c_str());
        return false;
    }
    setvbuf(file, nullptr, _IOLBF, 0);  // a crash still leaves the frames so far
    std::fprintf(file, "# korvanmire run record\n0 seed %u\n", seed);
    pointerKnown = false;
    return true;
}

void TRunRecorder::Note(int frame, const SDL_Event& event)
{
    if (!file) return;
    switch (event.type) {
    case SDL_KEYDOWN:
        // The typed character goes as a number of at least two digits, so a
        // control character is never read back as a digit key's character.
        if (event.key.keysym.unicode)
            std::fprintf(file, "%d down %d %02d\n", frame, int(event.key.keysym.sym), int(event.key.keysym.unicode));
        else
            std::fprintf(file, "%d down %d\n", frame, int(event.key.keysym.sym));
        break;
    case SDL_KEYUP:
        std::fprintf(file, "%d up %d\n", frame, int(event.key.keysym.sym));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.button < 1 || event.button.button > 5) break;
        std::fprintf(file, "%d %s %d\n", frame, event.type == SDL_MOUSEBUTTONDOWN ? "down" : "up",
                     kMouseCodeBase + event.button.button);
        break;
    case SDL_ACTIVEEVENT:
        // A lost focus opens the menu, so a replay must lose it too.
        if (!event.active.gain && (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)))
            std::fprintf(file, "%d unfocus\n", frame);
        break;
    default:
        break;
    }
}

void TRunRecorder::NotePointer(int frame, float worldX, float worldY)
{
    if (!file || (pointerKnown && worldX == lastX && worldY == lastY)) return;
    // %.9g gives back the same float when read.
    std::fprintf(file, "%d pointer %.9g %.9g\n", frame, double(worldX), double(worldY));
    pointerKnown = true;
    lastX = worldX;
    lastY = worldY;
}

void TRunRecorder::NoteScript(int frame, const std::string& code)
{
    if (file && code.find('\n') == std::string::npos) std::fprintf(file, "%d lua %s\n", frame, code.c_str());
}

void TRunRecorder::Close()
{
    if (file) std::fclose(file);
    file = nullptr;
}
