// Firefight benchmark: the real game in a walled room, the player in the
// middle, 200 bullets kept in flight (new ones fired outward from him as old
// ones hit the walls) and both particle systems kept full. Whole frames are
// run as the game runs them (update, draw, swap) without the frame cap.
// Prints median and 99th percentile of the frame and the share of the frame
// spent in the bullets' ray casts.
//   scripts/xvfb-run.sh ./build/bench/firefight_bench [frames]
#include "BenchDirectory.h"
#include "BenchSupport.h"
#include "core/Game.h"
#include "player/weapons/Kuul.h"
#include "player/Player.h"
#include "render/effects/ParticleSystem.h"
#include "script/ScriptHost.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/World.h"
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A 36 x 28 room of wall blocks with a metal floor and a few pillars for the
// bullets to hit early.
const char* kRoom = R"(
for x = -18, 18, 2 do CreateBlock(x, -14, 0, 2, 0); CreateBlock(x, 14, 0, 2, 0) end
for y = -12, 12, 2 do CreateBlock(-18, y, 0, 2, 0); CreateBlock(18, y, 0, 2, 0) end
for x = -16, 16, 4 do for y = -12, 12, 4 do CreateBitmap(x, y, 0, 0, 0, 48, 48, "tex_floor_metal") end end
for _, p in ipairs{ {-8, -6}, {8, -6}, {-8, 6}, {8, 6}, {0, -9}, {0, 9} } do CreateBlock(p[1], p[2], 0, 1, 1) end
CreatePlayer(0, 0)
)";

constexpr int kBullets = 200;

// Fires bullets from around the player in every direction until 200 fly.
void TopUpBullets(TWorld* world, TPlayer* player, int* fired)
{
    int flying = 0;
    for (TGameObject* object : world->objects)
        if (auto* bullet = dynamic_cast<TKuul*>(object); bullet && !bullet->dead && !bullet->stopped) ++flying;
    const b2Vec2 p = player->GetPosition();
    for (; flying < kBullets; ++flying, ++*fired) {
        const float angle = RandomRange(0.0f, 6.2831853f);
        const float x = p.x + 0.6f * std::cos(angle), y = p.y - 0.6f * std::sin(angle);
        new TKuul(x, y, angle, RandomRange(30.0f, 46.0f), 12.0f, RandomRange(15.0f, 30.0f), 40, kBulletPlain,
                  player);
    }
}

// Keeps both particle systems full: sparks live a few updates, smoke long.
void FeedParticles(TWorld* world, b2Vec2 centre)
{
    const float cx = centre.x * kPixelsPerUnit, cy = centre.y * kPixelsPerUnit;
    for (int i = 0; i < 150; ++i)
        world->particles->EmitSpark(cx + RandomRange(-200, 200), cy + RandomRange(-150, 150), RandomRange(-5, 5),
                                    RandomRange(-5, 5));
    if (world->debris->AliveCount() < world->debris->Capacity())
        for (int i = 0; i < 8; ++i)
            world->debris->EmitSmoke(cx + RandomRange(-200, 200), cy + RandomRange(-150, 150), 1.0f);
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;

    // The game reads and may write its data directory: give it a copy.
    TBenchDirectory work("korvanmire-firefight", BenchDataDirectory());
    std::filesystem::create_directories("firefight");
    std::ofstream("firefight/script.lua") << kRoom;
    std::ofstream("firefight/objects.lua") << "";
    if (!StartBenchGame("firefight_bench", "LoadLevel('firefight', 0); SetMenuState('game')")) return 1;
    TWorld* world = game->world;
    TPlayer* player = game->player;
    if (!world || !player) {
        std::fprintf(stderr, "the firefight room did not load with a player\n");
        return 1;
    }

    PrintDisplay();
    TRayCastProfile profile;
    profile.mask = kBulletMask;
    rayCastProfile = &profile;

    // Warm-up: past the level-start effect, pools filled.
    TFrameLoop loop(frames, 140, "update half", "draw half + swap");
    Series rays{"bullet ray casts", {}};
    rays.values.reserve(size_t(frames));
    int fired = 0, firedMeasured = 0;
    int64_t castsMeasured = 0;
    double flyingSum = 0.0;
    double raysBefore = 0.0;
    int64_t castsBefore = 0;
    loop.RunGame(
        [&](int frame) {
            player->health = 100.0f;
            TopUpBullets(world, player, frame < loop.warmUp ? &fired : &firedMeasured);
            FeedParticles(world, player->GetPosition());
            raysBefore = profile.seconds;
            castsBefore = profile.casts;
        },
        [&](int, const FrameTimes&) {
            rays.values.push_back(1000.0 * (profile.seconds - raysBefore));
            castsMeasured += profile.casts - castsBefore;
            for (TGameObject* object : world->objects)
                if (auto* bullet = dynamic_cast<TKuul*>(object); bullet && !bullet->dead) flyingSum += 1.0;
        });
    rayCastProfile = nullptr;

    std::printf("firefight bench: %d frames, %.0f bullets in the world on average after the update, %d fired "
                "(%.1f a frame), %.1f bullet ray casts a frame, particles %d/%d and %d/%d, %zu objects\n",
                frames, flyingSum / frames, firedMeasured, double(firedMeasured) / frames,
                double(castsMeasured) / frames, world->particles->AliveCount(), world->particles->Capacity(),
                world->debris->AliveCount(), world->debris->Capacity(), world->objects.size());
    std::printf("%-26s %9s %9s\n", "phase (ms)", "median", "p99");
    for (const Series* s : {&loop.whole, &loop.updateHalf, &loop.drawHalf, &rays})
        std::printf("%-26s %9.3f %9.3f\n", s->name, s->Percentile(0.5), s->Percentile(0.99));
    std::printf("bullet ray casts: %.2f%% of all frame time, %.2f%% of the update half; %.2f us a cast\n",
                100.0 * rays.Sum() / std::max(1e-9, loop.whole.Sum()),
                100.0 * rays.Sum() / std::max(1e-9, loop.updateHalf.Sum()),
                1000.0 * rays.Sum() / std::max<double>(1.0, double(castsMeasured)));
    FinishGameBench(loop, work);
}
