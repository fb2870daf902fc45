// World stress benchmark: 400 shadow-casting wall boxes, 300 moving props,
// 100 more static props, both particle systems kept full; the world is
// stepped and drawn frame after frame without the frame cap. Prints median and
// 99th percentile of each phase and the engine's own step work against
// Box2D's step. Without a display the draw pass is skipped.
#include "BenchDirectory.h"
#include "BenchSupport.h"
#include "core/App.h"
#include "core/Game.h"
#include "render/Camera.h"
#include "render/Graphics.h"
#include "render/effects/ParticleSystem.h"
#include "render/Texture.h"
#include "script/Handles.h"
#include "script/ScriptHost.h"
#include "world/GameObject.h"
#include "world/MathUtil.h"
#include "world/World.h"
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <box2d/box2d.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <lua.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* kScene = R"(
objectlist = {
    wall = {collision = 1, depth = 1, frame = 0, rectangle = 1, fovshadows = 1, material = 0,
            sprite = "spr_box", rw = 24, rh = 24, shadowdist = 2, mass = 0},
    prop = {collision = 1, depth = 0, frame = 1, rectangle = 0, fovshadows = 0, material = 0,
            sprite = "spr_box", rw = 5, rh = 5, shadowdist = 2, mass = 1},
    fixture = {collision = 1, depth = 2, frame = 2, rectangle = 1, fovshadows = 0, material = 1,
               sprite = "spr_box", rw = 12, rh = 12, shadowdist = 2, mass = 0},
}
props = {}
math.randomseed(1)
-- Walls: the outlines of a 4 x 4 block of rooms, 25 boxes per room.
local n = 0
for ry = 0, 3 do
    for rx = 0, 3 do
        local ox, oy = -24 + rx * 12, -24 + ry * 12
        for i = 0, 6 do CreateObject(ox + i * 2, oy, 0, "wall") n = n + 1 end
        for i = 0, 5 do CreateObject(ox, oy + 2 + i * 1.6, 0, "wall") n = n + 1 end
        for i = 0, 5 do CreateObject(ox + 2 + i * 1.6, oy + 10, 0.3, "wall") n = n + 1 end
        for i = 0, 5 do CreateObject(ox + 10, oy + 1 + i * 1.5, 0, "wall") n = n + 1 end
    end
end
assert(n == 400, n)
for i = 1, 300 do
    local rx, ry = math.random(0, 3), math.random(0, 3)
    props[i] = CreateObject(-24 + rx * 12 + 3 + math.random() * 5,
                            -24 + ry * 12 + 3 + math.random() * 5, 0, "prop")
end
for i = 1, 100 do
    CreateObject(-26 + math.random() * 52, -26 + math.random() * 52, math.random() * 6, "fixture")
end
)";

// A checker texture and a 4 x 4 sprite on it for every object.
bool MakeSprites()
{
    auto* texture = new TTexture();
    CreateBlankTexture(texture, "bench", 64, 64, false);
    std::vector<uint8_t> pixels(64 * 64 * 4);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t* p = &pixels[size_t(y * 64 + x) * 4];
            const bool on = ((x / 4) + (y / 4)) % 2 == 0;
            p[0] = on ? 200 : 90;
            p[1] = on ? 180 : 60;
            p[2] = 40;
            p[3] = 255;
        }
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    RegisterHandle(texture, HandleKind::Texture);
    lua_getglobal(luaState, "textures");
    lua_pushlightuserdata(luaState, texture);
    lua_setfield(luaState, -2, "bench");
    lua_pop(luaState, 1);
    return Lua("sprites.spr_box = _CreateSprite('bench', 4, 4, 16, 16, 0, 0)\n"
               "sprites.spr_suits = sprites.spr_box");
}

// Keeps both particle systems full: sparks live 8 updates, smoke 100 or more.
void FeedParticles(TWorld* world, int frame)
{
    for (int i = 0; i < 150; ++i)
        world->particles->EmitSpark(RandomRange(-300, 300), RandomRange(-250, 250),
                                    RandomRange(-5, 5), RandomRange(-5, 5));
    if (frame % 2 == 0 || world->debris->AliveCount() < world->debris->Capacity())
        world->debris->EmitSmoke(RandomRange(-300, 300), RandomRange(-250, 250), 1.0f);
}

// Shoves a tenth of the props every frame so bodies keep moving and touching.
void ShoveProps(int frame)
{
    lua_State* L = luaState;
    lua_getglobal(L, "props");
    for (int i = 1 + frame % 10; i <= 300; i += 10) {
        lua_rawgeti(L, -1, i);
        auto* object = ObjectFromHandle(lua_touserdata(L, -1));
        lua_pop(L, 1);
        if (object && object->body)
            object->body->ApplyLinearImpulse(b2Vec2(RandomRange(-0.6f, 0.6f), RandomRange(-0.6f, 0.6f)),
                                             object->body->GetWorldCenter(), true);
    }
    lua_pop(L, 1);
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
    // Optional second argument, to see where the draw time goes:
    // "noshadows" draws as the editors do, "noparticles" leaves the pools empty.
    const std::string variant = argc > 2 ? argv[2] : "";
    std::srand(12345);

    TBenchDirectory work("korvanmire-bench");
    std::FILE* luainit = std::fopen("luainit.lua", "w");
    if (luainit) {
        std::fputs("textures = {} sprites = {}\n"
                   "function GetTexture(n) return textures[n] end\n"
                   "function GetSprite(n) return sprites[n] end\n"
                   "function GetSound(n) return nil end\n",
                   luainit);
        std::fclose(luainit);
    }

    // KORVANMIRE_BENCH_FULLSCREEN: the whole screen at its own size (0 x 0).
    const bool fullScreen = std::getenv("KORVANMIRE_BENCH_FULLSCREEN") != nullptr;
    bool draw = SDL_Init(SDL_INIT_VIDEO) == 0 &&
                (fullScreen ? SetVideoMode(0, 0, false) : SetVideoMode(640, 480, true));
    StartScriptHost();
    game = new TGame("stats");
    game->SetUp();
    game->SetState(variant == "noshadows" ? "editor" : "game");
    if (draw) draw = MakeSprites();
    if (draw) PrintDisplay();
    else std::printf("no display: the draw pass is skipped\n");

    TWorld* world = game->world;
    if (!Lua(kScene)) return 1;
    world->measurePhases = true;
    cameraX = 0.0f;
    cameraY = 0.0f;
    cameraZoom = 1.0f;

    // Warm-up: the props spread and the pools fill.
    TFrameLoop loop(frames, 30, "world step", "draw pass");
    Series physics{"  Box2D step", {}}, contacts{"  contact pass", {}}, updates{"  updates", {}},
        own{"  engine's own step work", {}};
    for (Series* s : {&physics, &contacts, &updates, &own}) s->values.reserve(size_t(frames));
    int bodiesAwake = 0, touching = 0;
    loop.Run(
        [&](int frame) {
            if (variant != "noparticles") FeedParticles(world, frame);
            ShoveProps(frame);
        },
        [&] { world->Step(); },
        [&] {
            if (!draw) return;
            BeginGameFrame();
            world->Draw();
            world->DrawLate();
            glFinish();
        },
        [&](int frame, const FrameTimes& times) {
            const auto& p = world->lastPhases;
            physics.values.push_back(p.physics);
            contacts.values.push_back(p.contacts);
            updates.values.push_back(p.updates);
            own.values.push_back(times.update - p.physics);
            if (frame == frames + loop.warmUp - 1) {
                for (b2Body* b = world->physics->GetBodyList(); b; b = b->GetNext())
                    bodiesAwake += b->IsAwake() && b->GetType() == b2_dynamicBody;
                for (b2Contact* c = world->physics->GetContactList(); c; c = c->GetNext())
                    touching += c->IsTouching();
            }
        });

    std::printf("world bench: %d frames, %zu objects, %d bodies (%d dynamic awake), %d touching "
                "contacts, particles %d/%d and %d/%d\n",
                frames, world->objects.size(), world->physics->GetBodyCount(), bodiesAwake,
                touching, world->particles->AliveCount(), world->particles->Capacity(),
                world->debris->AliveCount(), world->debris->Capacity());
    std::printf("%-26s %9s %9s\n", "phase (ms)", "median", "p99");
    for (const Series* s : {&loop.whole, &loop.updateHalf, &physics, &contacts, &updates, &own, &loop.drawHalf})
        std::printf("%-26s %9.3f %9.3f\n", s->name, s->Percentile(0.5), s->Percentile(0.99));
    const double ratio = own.Percentile(0.5) / std::max(1e-9, physics.Percentile(0.5));
    std::printf("engine step work / Box2D step (medians): %.3f\n", ratio);
    loop.allocations.Print();

    delete game;
    game = nullptr;
    return 0;
}
