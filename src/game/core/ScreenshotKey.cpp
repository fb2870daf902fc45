#include "core/ScreenshotKey.h"
#include "core/replay/InputReplay.h"
#include "script/Console.h"
#include "util/UserStatePaths.h"
#include <filesystem>

std::string ScreenshotFileName(std::time_t when, int sameSecondCount)
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    std::string name = std::string("korvanmire-") + stamp;
    if (sameSecondCount > 1) name += "-" + std::to_string(sameSecondCount);
    return name + ".png";
}

void SaveScreenshotFromKey()
{
    const std::time_t now = std::time(nullptr);
    std::string path;
    // Never over an earlier picture.
    for (int count = 1; count < 100; ++count) {
        path = userStatePaths.WritePath("screenshots/" + ScreenshotFileName(now, count));
        std::error_code error;
        if (!std::filesystem::exists(path, error)) break;
    }
    if (SaveScreenshot(path)) console.Append("screenshot saved to " + path + "\n");
    else console.Append("screenshot not saved: cannot write " + path + "\n");
}
