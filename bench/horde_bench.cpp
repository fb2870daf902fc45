// Horde benchmark: a generated level (level3 by default) with 150 zombies, 30
// soldiers, 5 turrets and a snake set loose round the player, run as the game
// runs it (events, update, both draw passes, buffer swap) but without the
// frame cap. Prints median and 99th percentile of the whole frame and its
// parts, and how much of it the enemies' own updates take (sight, steering
// and wall-probe ray casts, shooting), by kind.
//
// The enemy times come from marker objects: each frame the bench gathers the
// enemies of the update list into one run per kind with a marker before and
// after every run, all at the enemies' depth, so the world's sort keeps them
// together; a marker's Update notes the clock, and the gap between two
// markers is the update time of the kind between them.
//
//   scripts/xvfb-run.sh ./build/bench/horde_bench [frames] [level]
#include "BenchDirectory.h"
#include "BenchSupport.h"
#include "core/Game.h"
#include "enemies/Enemy.h"
#include "enemies/HallSdur.h"
#include "enemies/PunaneSdur.h"
#include "enemies/Sdur.h"
#include "enemies/ToruRobot.h"
#include "enemies/Turret.h"
#include "enemies/Zombi.h"
#include "player/Player.h"
#include "script/ScriptHost.h"
#include "world/GameObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <array>
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

enum Kind { kZombies, kSoldiers, kTurrets, kSnake, kOtherEnemies, kKinds };
const char* const kKindNames[kKinds] = {"zombies", "soldiers", "turrets", "snake", "other enemies"};

Kind KindOf(TEnemy* enemy)
{
    if (dynamic_cast<TZombi*>(enemy)) return kZombies;
    if (dynamic_cast<TSdur*>(enemy)) return kSoldiers;
    if (dynamic_cast<TTurret*>(enemy)) return kTurrets;
    if (dynamic_cast<TToruRobot*>(enemy)) return kSnake;
    return kOtherEnemies;
}

// Clock readings of the markers in this frame's update walk.
std::array<BenchClock::time_point, kKinds + 1> marks;
std::array<bool, kKinds + 1> marked;

class TMarker : public TGameObject {
public:
    explicit TMarker(int index) : index(index) { SetDepth(kEnemyDepth); }
    void Update() override
    {
        marks[size_t(index)] = BenchClock::now();
        marked[size_t(index)] = true;
    }
    void Draw() override {}
    std::string GetCreateCommand() override { return ""; }

private:
    int index;
};

// Lays out [marker 0, zombies, marker 1, soldiers, ..., marker kKinds] at the
// place of the first enemy-depth object. Enemies keep their order within a kind.
void GroupEnemies(TWorld* world, const std::vector<TMarker*>& markers)
{
    std::array<std::vector<TGameObject*>, kKinds> kinds;
    auto& list = world->objects;
    auto insertAt = list.end();
    for (auto it = list.begin(); it != list.end();) {
        TGameObject* object = *it;
        const bool isMarker = std::find(markers.begin(), markers.end(), object) != markers.end();
        TEnemy* enemy = isMarker ? nullptr : dynamic_cast<TEnemy*>(object);
        if (isMarker || enemy) {
            if (enemy) kinds[KindOf(enemy)].push_back(enemy);
            it = list.erase(it);
            continue;
        }
        if (insertAt == list.end() && object->GetDepth() >= kEnemyDepth) insertAt = it;
        ++it;
    }
    for (int k = 0; k < kKinds; ++k) {
        list.insert(insertAt, markers[size_t(k)]);
        list.insert(insertAt, kinds[size_t(k)].begin(), kinds[size_t(k)].end());
    }
    list.insert(insertAt, markers[kKinds]);
}

// A spot a body of this radius fits in: no solid fixture overlaps it.
bool FreeSpot(b2World* physics, b2Vec2 p, float radius)
{
    struct Query : b2QueryCallback {
        b2Vec2 p;
        float radius;
        bool blocked = false;
        bool ReportFixture(b2Fixture* fixture) override
        {
            if (fixture->IsSensor()) return true;
            b2CircleShape probe;
            probe.m_radius = radius;
            b2Transform at(p, b2Rot(0.0f));
            if (b2TestOverlap(fixture->GetShape(), 0, &probe, 0, fixture->GetBody()->GetTransform(), at)) {
                blocked = true;
                return false;
            }
            return true;
        }
    } query;
    query.p = p;
    query.radius = radius;
    b2AABB box;
    box.lowerBound = p - b2Vec2(radius, radius);
    box.upperBound = p + b2Vec2(radius, radius);
    physics->QueryAABB(&query, box);
    return !query.blocked;
}

// A free spot between minimum and maximum distance from `centre`, in sight
// of it when asked; false after many tries.
bool PickSpot(std::mt19937& random, b2World* physics, b2Vec2 centre, float minimum, float maximum,
              bool inSight, b2Vec2* out)
{
    std::uniform_real_distribution<float> angle(0.0f, 6.2831853f), distance(minimum, maximum);
    for (int attempt = 0; attempt < 4000; ++attempt) {
        const float a = angle(random), d = distance(random);
        const b2Vec2 p = centre + d * b2Vec2(std::cos(a), std::sin(a));
        if (!FreeSpot(physics, p, 0.6f)) continue;
        if (inSight && RayCast(p.x, p.y, centre.x, centre.y, nullptr, nullptr, nullptr, kCollisionWall, nullptr))
            continue;
        *out = p;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
    const std::string level = argc > 2 ? argv[2] : "level3";

    // The game reads and may write its data directory: give it a copy.
    TBenchDirectory work("korvanmire-horde", BenchDataDirectory());
    if (!StartBenchGame("horde_bench", "LoadLevel('" + level + "', 0); SetMenuState('game')")) return 1;
    TWorld* world = game->world;
    TPlayer* player = game->player;
    if (!world || !player) {
        std::fprintf(stderr, "level %s did not load with a player\n", level.c_str());
        return 1;
    }

    // The horde round the player: gunmen, turrets and the snake where they
    // can see him, zombies anywhere free.
    std::mt19937 random(7);
    const b2Vec2 centre = player->GetPosition();
    int made[kKinds] = {};
    b2Vec2 p;
    for (int i = 0; i < 150; ++i)
        if (PickSpot(random, world->physics.get(), centre, 3.0f, 22.0f, false, &p)) {
            new TZombi(p.x, p.y, 0);
            ++made[kZombies];
        }
    for (int i = 0; i < 30; ++i)
        if (PickSpot(random, world->physics.get(), centre, 3.0f, 9.0f, true, &p)) {
            if (i % 3 == 0) new TSdur(p.x, p.y, "");
            else if (i % 3 == 1) new TPunaneSdur(p.x, p.y, "");
            else new THallSdur(p.x, p.y, "");
            ++made[kSoldiers];
        }
    for (int i = 0; i < 5; ++i)
        if (PickSpot(random, world->physics.get(), centre, 3.0f, 8.0f, true, &p)) {
            new TTurret(p.x, p.y, float(i));
            ++made[kTurrets];
        }
    if (PickSpot(random, world->physics.get(), centre, 5.0f, 9.0f, true, &p)) {
        new TToruRobot(p.x, p.y, std::atan2(centre.y - p.y, centre.x - p.x));
        ++made[kSnake];
    }

    PrintDisplay();
    std::vector<TMarker*> markers;
    for (int k = 0; k <= kKinds; ++k) markers.push_back(new TMarker(k));
    world->measurePhases = true;

    TFrameLoop loop(frames, 30, "update half", "draw half + swap");
    Series step{"  world step", {}}, physics{"    Box2D step", {}}, contacts{"    contact pass", {}},
        updates{"    update walk", {}}, enemies{"      enemy updates", {}};
    std::array<Series, kKinds> byKind;
    for (int k = 0; k < kKinds; ++k) byKind[size_t(k)].name = kKindNames[k];
    double shootingSoldiers = 0.0, aliveEnemies = 0.0;
    for (Series* s : {&step, &physics, &contacts, &updates, &enemies}) s->values.reserve(size_t(frames));
    for (Series& s : byKind) s.values.reserve(size_t(frames));
    loop.RunGame(
        [&](int) {
            // The player stands his ground: no one is measuring a death screen.
            player->health = 100.0f;
            GroupEnemies(world, markers);
            marked.fill(false);
        },
        [&](int, const FrameTimes&) {
            const auto& phases = world->lastPhases;
            step.values.push_back(phases.physics + phases.contacts + phases.sort + phases.updates + phases.removal);
            physics.values.push_back(phases.physics);
            contacts.values.push_back(phases.contacts);
            updates.values.push_back(phases.updates);
            double enemyTime = 0.0;
            for (int k = 0; k < kKinds; ++k) {
                const double t =
                    marked[size_t(k)] && marked[size_t(k) + 1] ? Ms(marks[size_t(k)], marks[size_t(k) + 1]) : 0.0;
                byKind[size_t(k)].values.push_back(t);
                enemyTime += t;
            }
            enemies.values.push_back(enemyTime);
            for (TGameObject* object : world->objects)
                if (auto* enemy = dynamic_cast<TEnemy*>(object)) {
                    aliveEnemies += 1.0;
                    if (dynamic_cast<TSdur*>(enemy) && (enemy->action == kActionShoot || enemy->action == kActionAim))
                        shootingSoldiers += 1.0;
                }
        });

    std::printf("horde bench: %s, %d frames, made %d zombies, %d soldiers, %d turrets, %d snake; "
                "%.0f enemies alive on average, %.1f soldiers aiming or shooting, %zu objects at the end\n",
                level.c_str(), frames, made[kZombies], made[kSoldiers], made[kTurrets], made[kSnake],
                aliveEnemies / frames, shootingSoldiers / frames, world->objects.size());
    std::printf("%-26s %9s %9s\n", "phase (ms)", "median", "p99");
    for (const Series* s : {&loop.whole, &loop.updateHalf, &step, &physics, &contacts, &updates, &enemies,
                            &loop.drawHalf})
        std::printf("%-26s %9.3f %9.3f\n", s->name, s->Percentile(0.5), s->Percentile(0.99));
    for (const Series& s : byKind)
        std::printf("        %-18s %9.3f %9.3f\n", s.name, s.Percentile(0.5), s.Percentile(0.99));
    std::printf("enemy updates: %.1f%% of all frame time, %.1f%% of the update walk\n",
                100.0 * enemies.Sum() / std::max(1e-9, loop.whole.Sum()),
                100.0 * enemies.Sum() / std::max(1e-9, updates.Sum()));
    FinishGameBench(loop, work);
}
