#pragma once
// Shared set-up for the effects and explosives tests: the world fixture plus
// stand-in sprites that scripts can name (no OpenGL needed: decals only copy
// frame rectangles), and counters over the world's objects.
#include "world_test_support.h"
#include "render/Sprite.h"
#include "render/Texture.h"
#include "script/Handles.h"
#include "world/Bitmap.h"
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

class EffectsFixture : public WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        ASSERT_EQ("", Run("sprites = {}; function GetSprite(name) return sprites[name] end"));
    }
    void TearDown() override
    {
        world->Clear();
        WorldFixture::TearDown();
    }

    // A sprite of `frames` 8 x 8 frames that GetSprite(name) returns. Made
    // once per name for the whole test run, as the game keeps its sprites for
    // the whole run (the effects remember the sprites they have found).
    TSprite* AddSprite(const std::string& name, int frames)
    {
        static TTexture texture = [] {
            TTexture t;
            t.width = t.height = t.imageWidth = t.imageHeight = 64;
            std::snprintf(t.name, sizeof t.name, "test");
            return t;
        }();
        static std::map<std::string, std::unique_ptr<TSprite>> made;
        std::unique_ptr<TSprite>& sprite = made[name];
        if (!sprite) {
            sprite = std::make_unique<TSprite>();
            sprite->texture = &texture;
            sprite->frameCount = frames;
            sprite->frames.assign(size_t(frames), TSpriteFrame{0.0f, 0.0f, 0.125f, 0.125f, 8.0f, 8.0f});
            RegisterHandle(sprite.get(), HandleKind::Sprite);
        }
        lua_getglobal(luaState, "sprites");
        lua_pushlightuserdata(luaState, sprite.get());
        lua_setfield(luaState, -2, name.c_str());
        lua_pop(luaState, 1);
        return sprite.get();
    }

    template <typename T>
    int Count() const
    {
        int count = 0;
        for (TGameObject* object : world->objects)
            if (dynamic_cast<T*>(object) && !object->dead) ++count;
        return count;
    }

    template <typename T>
    T* First() const
    {
        for (TGameObject* object : world->objects)
            if (auto* t = dynamic_cast<T*>(object)) return t;
        return nullptr;
    }

    int BitmapCount() const { return int(world->bitmaps.size()); }

    void Steps(int n)
    {
        for (int i = 0; i < n; ++i) world->Step();
    }

    // A static box in the world of the given collision type.
    TProbe* WallAt(float x, float y, float halfWidth, float halfHeight, int32_t type = 2)
    {
        auto* wall = new TProbe(nullptr, "wall");
        wall->body = CreateBoxBody(halfWidth, halfHeight, 0.0f, false, wall, 0.0f, 0.0f);
        wall->SetPosition(b2Vec2(x, y));
        wall->collisionType = type;
        return wall;
    }

    // Runs the game's own luainit.lua (DataDumper and the settings defaults).
    void LoadGameLuainit()
    {
        const char* root = std::getenv("KORVANMIRE_SOURCE_DIR");
        const auto path = std::filesystem::path(root ? root : ".") / "data" / "luainit.lua";
        ASSERT_TRUE(RunScriptFile(path.string(), ScriptErrors::StdErr)) << path;
    }
};
