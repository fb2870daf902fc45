#pragma once
// Shared set-up for the effects and explosives tests: the world fixture plus
// stand-in sprites that scripts can name (no OpenGL needed: decals only copy
// frame rectangles), and counters over the world's objects.
#include "world_test_support.h"
#include "render/Sprite.h"
#include "script/Handles.h"
#include "world/Bitmap.h"

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

    template <typename T>
    int Count() const
    {
        return CountInWorld<T>();
    }

    template <typename T>
    T* First() const
    {
        for (TGameObject* object : world->objects)
            if (auto* t = dynamic_cast<T*>(object)) return t;
        return nullptr;
    }

    int BitmapCount() const { return int(world->bitmaps.size()); }

    // Runs the game's own luainit.lua (DataDumper and the settings defaults).
    void LoadGameLuainit()
    {
        const auto path = testing_support::SourceDir() / "data" / "luainit.lua";
        ASSERT_TRUE(RunScriptFile(path.string(), ScriptErrors::StdErr)) << path;
    }
};
