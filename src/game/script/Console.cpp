#include "script/Console.h"
#include "core/Version.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "script/ScriptHost.h"
#include <algorithm>
#include <cstdarg>
#include <cstdio>

TConsole console;

namespace {
// A typed line longer than this stops growing; nobody types a script that long.
constexpr size_t kInputLineLimit = 4096;
}

TConsole::TConsole()
{
    Append(std::string("KORVANMIRE v") + kGameVersion + "\n" + std::string(80, '-') + "\n");
}

void TConsole::Append(const std::string& added)
{
    if (listener) listener(added);
    text += added;
    lineCount += static_cast<int>(std::count(added.begin(), added.end(), '\n'));
    while (lineCount > kLineLimit) {
        const size_t end = text.find('\n');
        if (end == std::string::npos) break;
        text.erase(0, end + 1);
        --lineCount;
    }
}

void TConsole::AppendF(const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    Append(buffer);
}

void TConsole::Edit(char typed, bool returnPressed)
{
    if (typed != 0 && inputLine.size() < kInputLineLimit) {
        inputLine += typed;
        if (typed == 8) {
            // The backspace itself and the character before it.
            inputLine.pop_back();
            if (!inputLine.empty()) inputLine.pop_back();
        }
    }
    if (returnPressed) {
        // Drop the carriage return typed with Return.
        if (!inputLine.empty() && (inputLine.back() == '\r' || inputLine.back() == '\n'))
            inputLine.pop_back();
        const std::string line = inputLine;
        inputLine.clear();
        Append(line + "\n");
        RunScriptString(line, ScriptErrors::ConsoleNoBreak);
    }
}

void TConsole::Draw() const
{
    if (!visible) return;
    SetBlendMode(2);
    const float height = (kLineLimit + 1) * 7 + 4;
    DrawRect(0, 0, 512, height, true, 0, 0, 0, 0.5f);
    SetColor(1, 1, 1, 1);
    DrawTextBlock(text, 4, 4);
    DrawTextBlock(inputLine, 4, kLineLimit * 7 + 4);
}
