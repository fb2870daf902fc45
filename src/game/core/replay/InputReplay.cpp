#include "core/replay/InputReplay.h"
#include "render/SpriteBatch.h"
#include "core/App.h"
#include "core/InputTables.h"
#include "core/replay/RunRecorder.h"
#include "script/ScriptHost.h"
#include "util/PngWriter.h"
#include "util/FileText.h"
#include <GL/glew.h>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

TInputReplay inputReplay;

namespace {
constexpr int kLastReplayFrame = 100000000;
// A drag takes at most a minute and stays on a window SDL can warp the
// mouse in: every step is a stored move, so a drag of a billion steps would
// eat the memory, and far-off coordinates would overflow the step arithmetic.
constexpr int kMaxDragFrames = 1800;
constexpr int kMaxDragCoordinate = 65535;

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string RestOfLine(std::istringstream& in)
{
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
    return rest;
}
}

int ParseKeyCode(const std::string& word)
{
    if (word.empty()) return -1;
    if (std::isdigit(static_cast<unsigned char>(word[0]))) return std::atoi(word.c_str());
    const std::string wanted = Lower(word);
    for (int code = 0; code < SDLK_LAST; ++code) {
        const char* name = SDL_GetKeyName(static_cast<SDLKey>(code));
        if (name && Lower(name) == wanted) return code;
    }
    return -1;
}

bool TInputReplay::Load(const std::string& path)
{
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        std::fprintf(stderr, "ERROR: cannot read input replay \"%s\"\n", path.c_str());
        return false;
    }
    Parse(*text);
    return true;
}

void TInputReplay::AddKey(int frame, int sym, bool down, int unicode)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    event.key.keysym.unicode = static_cast<Uint16>(unicode);
    events[frame].push_back(event);
}

void TInputReplay::AddButton(int frame, int button, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.type = event.type;
    event.button.button = static_cast<Uint8>(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    events[frame].push_back(event);
}

void TInputReplay::AddDrag(int frame, int button, int x1, int y1, int x2, int y2, int steps)
{
    // Still frames before and after the motion: the game sees where the mouse
    // is a frame after it moved, and must see the button held at both ends.
    mouseMoves[frame].push_back({x1, y1});
    AddButton(frame + 2, button, true);
    for (int i = 1; i <= steps; ++i)
        mouseMoves[frame + 2 + i].push_back({x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps});
    AddButton(frame + steps + 4, button, false);
}

void TInputReplay::Parse(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream in(line);
        int frame = 0;
        std::string command;
        if (line.empty() || line[0] == '#') continue;
        if (!(in >> frame >> command)) {
            std::fprintf(stderr, "replay:%d: expected \"<frame> <command>\"\n", lineNumber);
            continue;
        }
        // Days of play are plenty; the bound keeps "frame + n" from overflowing.
        if (frame < 0 || frame > kLastReplayFrame) {
            std::fprintf(stderr, "replay:%d: frame %d is out of range\n", lineNumber, frame);
            continue;
        }
        if (command == "press" || command == "down" || command == "up") {
            std::string key;
            in >> key;
            const int code = ParseKeyCode(key);
            if (code > kMouseCodeBase && code < kInputCodeCount) {
                // A mouse button in the shared code space (run records write them so).
                const int button = code - kMouseCodeBase;
                if (command != "up") AddButton(frame, button, true);
                if (command != "down") AddButton(command == "press" ? frame + 1 : frame, button, false);
                continue;
            }
            if (code < 0 || code >= SDLK_LAST) {
                std::fprintf(stderr, "replay:%d: unknown key \"%s\"\n", lineNumber, key.c_str());
                continue;
            }
            std::string character;
            int unicode = 0;
            if (in >> character) unicode = character.size() == 1 ? character[0] : std::atoi(character.c_str());
            if (command != "up") AddKey(frame, code, true, unicode);
            if (command == "press") AddKey(frame + 1, code, false, 0);
            if (command == "up") AddKey(frame, code, false, 0);
        } else if (command == "type" || command == "burst") {
            int perFrame = 0;
            if (command == "burst" && !(in >> perFrame && perFrame > 0)) {
                std::fprintf(stderr, "replay:%d: expected \"burst <keys a frame> <text>\"\n", lineNumber);
                continue;
            }
            const std::string typed = RestOfLine(in);
            for (size_t i = 0; i < typed.size(); ++i) {
                const unsigned char c = static_cast<unsigned char>(typed[i]);
                const int sym = std::isalpha(c) ? std::tolower(c) : c;
                const int down = frame + (perFrame ? static_cast<int>(i) / perFrame : 2 * static_cast<int>(i));
                AddKey(down, sym, true, c);
                AddKey(down + 1, sym, false, 0);
            }
        } else if (command == "unfocus") {
            // The window loses the keyboard's focus, as when the player switches away.
            SDL_Event event{};
            event.type = SDL_ACTIVEEVENT;
            event.active.gain = 0;
            event.active.state = SDL_APPINPUTFOCUS;
            events[frame].push_back(event);
        } else if (command == "quit" || command == "resize") {
            SDL_Event event{};
            event.type = command == "quit" ? SDL_QUIT : SDL_VIDEORESIZE;
            if (command == "resize" && !(in >> event.resize.w >> event.resize.h && event.resize.w > 0 &&
                                         event.resize.h > 0 && event.resize.w <= 4096 && event.resize.h <= 4096)) {
                std::fprintf(stderr, "replay:%d: expected \"resize <width> <height>\"\n", lineNumber);
                continue;
            }
            events[frame].push_back(event);
        } else if (command == "click") {
            int button = 0;
            in >> button;
            AddButton(frame, button, true);
            AddButton(frame + 1, button, false);
        } else if (command == "hold" || command == "release") {
            int button = 0;
            in >> button;
            AddButton(frame, button, command == "hold");
        } else if (command == "drag") {
            int button = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0, steps = 0;
            if (!(in >> button >> x1 >> y1 >> x2 >> y2 >> steps) || steps < 1) {
                std::fprintf(stderr, "replay:%d: expected \"drag BUTTON X1 Y1 X2 Y2 FRAMES\"\n", lineNumber);
                continue;
            }
            const auto onWindow = [](int v) { return v >= 0 && v <= kMaxDragCoordinate; };
            if (steps > kMaxDragFrames || !onWindow(x1) || !onWindow(y1) || !onWindow(x2) || !onWindow(y2)) {
                std::fprintf(stderr, "replay:%d: a drag takes 1 to %d frames between points 0 to %d\n", lineNumber,
                             kMaxDragFrames, kMaxDragCoordinate);
                continue;
            }
            AddDrag(frame, button, x1, y1, x2, y2, steps);
        } else if (command == "mouse") {
            int x = 0, y = 0;
            in >> x >> y;
            mouseMoves[frame].push_back({x, y});
        } else if (command == "pointer") {
            float x = 0.0f, y = 0.0f;
            if (!(in >> x >> y)) {
                std::fprintf(stderr, "replay:%d: expected \"pointer X Y\"\n", lineNumber);
                continue;
            }
            pointerMoves[frame] = {x, y};
        } else if (command == "seed") {
            // Read before start-up seeds the random numbers (ReplaySeed).
        } else if (command == "screenshot") {
            screenshots[frame].push_back(RestOfLine(in));
        } else if (command == "lua") {
            scripts[frame].push_back(RestOfLine(in));
        } else {
            std::fprintf(stderr, "replay:%d: unknown command \"%s\"\n", lineNumber, command.c_str());
        }
    }
}

void TInputReplay::PushEventsForFrame()
{
    const int frame = frameNumber + 1;  // the frame about to be counted
    if (auto moves = mouseMoves.find(frame); moves != mouseMoves.end()) {
        for (auto [x, y] : moves->second) SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
        mouseMoves.erase(moves);
    }
    if (auto pointer = pointerMoves.find(frame); pointer != pointerMoves.end()) {
        HoldMouseWorldPosition(pointer->second.first, pointer->second.second);
        pointerMoves.erase(pointer);
    }
    if (auto due = events.find(frame); due != events.end()) {
        for (SDL_Event& event : due->second) SDL_PushEvent(&event);
        events.erase(due);
    }
    if (auto due = scripts.find(frame); due != scripts.end()) {
        for (const std::string& code : due->second) {
            runRecorder.NoteScript(frame, code);
            RunScriptString(code, ScriptErrors::StdErr, "=replay");
        }
        scripts.erase(due);
    }
}

bool TInputReplay::ScreenshotsDue() const
{
    return screenshots.count(frameNumber) > 0;
}

void TInputReplay::TakeScreenshotsForFrame()
{
    auto due = screenshots.find(frameNumber);
    if (due == screenshots.end()) return;
    for (const std::string& path : due->second) SaveScreenshot(path);
    screenshots.erase(due);
}

std::optional<unsigned> ReplaySeed(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        int frame = 0;
        std::string command;
        unsigned long seed = 0;
        if (in >> frame >> command && command == "seed" && in >> seed) return static_cast<unsigned>(seed);
    }
    return std::nullopt;
}

bool SaveScreenshot(const std::string& path)
{
    const int w = windowWidth, h = windowHeight;
    if (w <= 0 || h <= 0) return false;
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 3);
    FlushSprites();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    if (!surface) return false;
    SDL_LockSurface(surface);
    for (int row = 0; row < h; ++row) {
        const unsigned char* source = pixels.data() + static_cast<size_t>(h - 1 - row) * w * 3;
        unsigned char* target = static_cast<unsigned char*>(surface->pixels) + static_cast<size_t>(row) * surface->pitch;
        std::copy(source, source + static_cast<size_t>(w) * 3, target);
    }
    SDL_UnlockSurface(surface);
    // PNG for pictures meant for people (the README's), BMP for the tests.
    const bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    const bool saved = png ? WritePngFile(path, w, h, static_cast<unsigned char*>(surface->pixels), surface->pitch)
                           : SDL_SaveBMP(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    if (!saved) std::fprintf(stderr, "ERROR: cannot save screenshot \"%s\"\n", path.c_str());
    return saved;
}
