#include "core/screens/ScreenMusic.h"
#include "audio/Music.h"
#include "script/ScriptHost.h"

namespace {
bool IsMenuPage(const std::string& screen)
{
    return screen == "mainmenu" || screen == "help" || screen == "stats" || screen == "controls";
}
}  // namespace

void CueMusicForScreen(TMusic& music, const std::string& screen, bool levelGoing)
{
    if (screen == "gameover") {
        music.SetDucked(false);
        music.Stop(kGameOverFadeMs);
        return;
    }
    const bool underMenu = IsMenuPage(screen) && levelGoing;
    music.SetDucked(underMenu);
    const char* theme = screen == "win" ? "winmusic" : screen == "mainmenu" && !levelGoing ? "menumusic" : nullptr;
    if (!theme) return;
    if (auto track = GetGlobalString(theme)) music.Play(*track, kThemeFadeMs);
}
