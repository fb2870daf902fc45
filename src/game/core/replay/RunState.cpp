#include "core/replay/RunState.h"
#include "core/App.h"
#include "core/Game.h"
#include "player/Player.h"
#include "world/World.h"
#include <cstdio>

std::string RunStateLine(const TGame& game)
{
    int kills = 0;
    if (game.world)
        for (const auto& entry : game.world->killCounts) kills += entry.second;
    float x = 0.0f, y = 0.0f, health = 0.0f;
    if (game.player) {
        const b2Vec2 p = game.player->GetPosition();
        x = p.x;
        y = p.y;
        health = game.player->health;
    }
    const int score = game.progress ? game.progress->score : 0;
    const int shots = game.progress ? game.progress->shots : 0;
    char line[256];
    std::snprintf(line, sizeof line, "run state: frame %d level %s position %.9g %.9g health %.9g kills %d score %d shots %d",
                  frameNumber, game.currentLevelName.empty() ? "-" : game.currentLevelName.c_str(), double(x),
                  double(y), double(health), kills, score, shots);
    return line;
}
