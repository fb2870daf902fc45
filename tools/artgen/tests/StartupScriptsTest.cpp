// Runs data/gfx.lua and data/sfx.lua against a stand-in engine and checks
// that every sprite the scripts cut matches the frames its art recipe draws,
// and that every sound recipe is loaded with its variants.
#include "ArtCompiler.h"
#include "startup_scripts_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace startup_scripts;

namespace {

struct ExpectedSprite {
    const char* name;
    const char* art;
    int cols, rows, w, h;
};

const ExpectedSprite kSprites[] = {
    {"spr_font", "font", 16, 8, 4, 6},
    {"spr_sihik", "crosshair", 1, 1, 11, 11},
    {"spr_dir_distort2", "distort_blob", 1, 1, 64, 64},
    {"spr_dir_distort", "distort_streak", 1, 1, 32, 32},
    {"spr_keyselect_bg", "keyselect_bg", 1, 1, 304, 196},
    {"spr_keyselect", "keyselect", 1, 2, 238, 7},
    {"spr_title", "title", 1, 1, 160, 32},
    // wall pieces: frame = block value / door kind / damage stage
    {"spr_sein", "sein", 16, 1, 24, 24},
    {"spr_vsein", "vsein", 4, 1, 6, 6},
    {"spr_sammas", "sammas", 1, 1, 14, 14},
    {"spr_pikksein", "pikksein", 2, 1, 14, 41},
    {"spr_sakilinesein", "sakilinesein", 2, 1, 14, 41},
    {"spr_uks", "uks", 4, 1, 12, 6},
    {"spr_puustuks", "puustuks", 4, 1, 24, 24},
    // containers (the crate body is 18x8), lid frames 0..5
    {"spr_metallkast", "metallkast", 6, 1, 18, 8},
    {"spr_hiteckast", "hiteckast", 6, 1, 18, 8},
    {"spr_puitkast", "puitkast", 6, 1, 18, 8},
    {"spr_k_indikaator", "k_indikaator", 3, 1, 9, 7},
    {"spr_node", "node", 4, 1, 12, 12},
    {"spr_mapmarker", "mapmarker", 1, 1, 8, 8},
    // effects
    {"spr_veri", "veri", 8, 1, 16, 16},
    {"spr_suits", "suits", 1, 1, 16, 16},
    {"spr_omnismooth", "omnismooth", 1, 1, 32, 32},
    {"spr_spark", "spark", 2, 1, 3, 3},
    {"spr_splinter", "splinter", 1, 1, 3, 2},
    {"spr_kraater1", "kraater1", 1, 1, 32, 32},
    {"spr_plahvatus", "plahvatus", 1, 1, 48, 48},
    {"spr_l6hkekuuli_plahvatus", "l6hkekuuli_plahvatus", 12, 1, 16, 16},
    {"spr_dot", "dot", 1, 1, 3, 3},
    {"spr_rakett", "rakett", 1, 1, 4, 10},
    {"spr_snakesegment", "snakesegment", 1, 1, 14, 14},
    {"spr_deadturret", "deadturret", 1, 1, 20, 20},
    {"spr_gate", "gate", 4, 1, 48, 48},
};

// Plain textures: name -> art file.
const std::pair<const char*, const char*> kTextures[] = {
    {"tex_rocketsmoke", "tex_rocketsmoke"},       {"tex_floor_concrete", "tex_floor_concrete"},
    {"tex_floor_metal", "tex_floor_metal"},       {"tex_floor_grate", "tex_floor_grate"},
    {"tex_floor_tiles", "tex_floor_tiles"},       {"tex_floor_hazard", "tex_floor_hazard"},
};

} // namespace

TEST_F(StartupScripts, GfxMakesEverySpriteFromItsOwnImage)
{
    run("gfx.lua");
    EXPECT_TRUE(fake_.printed.empty()) << fake_.printed.front();
    for (const auto& s : kSprites) {
        std::string handle = lookup("GetSprite", s.name);
        ASSERT_FALSE(handle.empty()) << s.name;
        const SpriteCall& call = fake_.spritesByHandle.at(handle);
        EXPECT_EQ(call.cols, s.cols) << s.name;
        EXPECT_EQ(call.rows, s.rows) << s.name;
        EXPECT_EQ(call.w, s.w) << s.name;
        EXPECT_EQ(call.h, s.h) << s.name;
        ASSERT_TRUE(fake_.textures.count(call.texture)) << s.name;
        EXPECT_EQ(fake_.textures[call.texture], std::string("gfx/") + s.art + ".png") << s.name;
        EXPECT_FALSE(lookup("GetTexture", call.texture).empty());

        // the frame grid must lie inside the image the art file makes
        auto art = artgen::ArtCompiler{}.compile(readFile(kRoot / "assets" / "art" / (std::string(s.art) + ".art")), s.art);
        EXPECT_LE(call.x + call.cols * call.w, art.image.width()) << s.name;
        EXPECT_LE(call.y + call.rows * call.h, art.image.height()) << s.name;
    }
    EXPECT_TRUE(lookup("GetSprite", "spr_nonexistent").empty());
    EXPECT_TRUE(lookup("GetTexture", "nonexistent").empty());
}

TEST_F(StartupScripts, GfxLoadsThePlainTexturesUnderTheirOwnNames)
{
    run("gfx.lua");
    EXPECT_TRUE(fake_.printed.empty()) << fake_.printed.front();
    for (const auto& [name, art] : kTextures) {
        EXPECT_FALSE(lookup("GetTexture", name).empty()) << name;
        EXPECT_EQ(fake_.textures[name], std::string("gfx/") + art + ".png") << name;
    }
    // the smoke strip is bound with repeating texture coordinates
    auto smoke = artgen::ArtCompiler{}.compile(readFile(kRoot / "assets" / "art" / "tex_rocketsmoke.art"), "smoke");
    ASSERT_TRUE(smoke.ok());
    EXPECT_EQ(smoke.image.width(), 64);
    EXPECT_EQ(smoke.image.height(), 8);
}

TEST_F(StartupScripts, GfxReportsAMissingPlainTexture)
{
    fs::remove(dir_ / "gfx" / "tex_rocketsmoke.png");
    run("gfx.lua");
    EXPECT_TRUE(lookup("GetTexture", "tex_rocketsmoke").empty());
    EXPECT_EQ(printedMentioning("tex_rocketsmoke.png"), 1);
    EXPECT_FALSE(lookup("GetTexture", "tex_floor_metal").empty());
}

// objects.lua: every kind has the keys the engine reads, of the right type,
// and a sprite gfx.lua defines, with a frame it has and a size that matches
// the body.
TEST_F(StartupScripts, ObjectKindsAreCompleteAndUseDefinedSprites)
{
    run("gfx.lua");
    run("objects.lua");
    lua_getglobal(L_, "objectlist");
    ASSERT_TRUE(lua_istable(L_, -1));

    const char* numberKeys[] = {"collision", "depth", "frame", "rectangle", "fovshadows",
                                "material", "rw", "rh", "shadowdist", "mass"};
    std::set<std::string> kinds;
    lua_pushnil(L_);
    while (lua_next(L_, -2) != 0) {
        ASSERT_EQ(lua_type(L_, -2), LUA_TSTRING);
        const std::string kind = lua_tostring(L_, -2);
        kinds.insert(kind);
        ASSERT_TRUE(lua_istable(L_, -1)) << kind;
        std::map<std::string, double> v;
        for (const char* key : numberKeys) {
            lua_getfield(L_, -1, key);
            // lua_isnumber would accept numeric strings; the engine does not
            EXPECT_EQ(lua_type(L_, -1), LUA_TNUMBER) << kind << "." << key;
            v[key] = lua_tonumber(L_, -1);
            lua_pop(L_, 1);
        }
        lua_getfield(L_, -1, "sprite");
        EXPECT_EQ(lua_type(L_, -1), LUA_TSTRING) << kind << ".sprite";
        const std::string sprite = lua_type(L_, -1) == LUA_TSTRING ? lua_tostring(L_, -1) : "";
        lua_pop(L_, 1);
        lua_pop(L_, 1); // the entry

        EXPECT_TRUE(v["collision"] == 0 || v["collision"] == 1 || v["collision"] == 2) << kind;
        EXPECT_TRUE(v["material"] >= 0 && v["material"] <= 3) << kind;
        EXPECT_FALSE(v["fovshadows"] != 0 && v["collision"] == 0) << kind << ": shadows need a body";
        EXPECT_GE(v["mass"], 0) << kind;
        EXPECT_GT(v["rw"], 0) << kind;

        const std::string handle = lookup("GetSprite", sprite);
        ASSERT_FALSE(handle.empty()) << kind << ": no sprite " << sprite;
        const SpriteCall& call = fake_.spritesByHandle.at(handle);
        EXPECT_GE(v["frame"], 0) << kind;
        EXPECT_LT(v["frame"], call.cols * call.rows) << kind;
        if (v["rectangle"] != 0) {
            EXPECT_EQ(call.w, v["rw"]) << kind;
            EXPECT_EQ(call.h, v["rh"]) << kind;
        } else if (v["collision"] != 0) {
            EXPECT_LE(std::abs(std::max(call.w, call.h) - 2 * v["rw"]), 2) << kind;
        }
    }
    lua_pop(L_, 1);
    for (const char* needed : {"mapmarker", "rocket", "snakesegment", "deadturret"})
        EXPECT_TRUE(kinds.count(needed)) << needed;
    EXPECT_GE(kinds.size(), 18u);
}

TEST_F(StartupScripts, GfxReportsABadTextureOnceAndLoadsTheRest)
{
    fs::remove(dir_ / "gfx" / "crosshair.png");
    fake_.textureThatFails = "title";
    fake_.textureThatThrows = "keyselect";
    run("gfx.lua");
    EXPECT_TRUE(lookup("GetSprite", "spr_sihik").empty());
    EXPECT_TRUE(lookup("GetSprite", "spr_title").empty());
    EXPECT_TRUE(lookup("GetSprite", "spr_keyselect").empty());
    EXPECT_EQ(printedMentioning("crosshair.png"), 1);
    EXPECT_EQ(printedMentioning("title.png"), 1);
    EXPECT_EQ(printedMentioning("keyselect.png"), 1);
    EXPECT_EQ(fake_.printed.size(), 3u);
    for (const char* ok : {"spr_font", "spr_dir_distort", "spr_dir_distort2", "spr_keyselect_bg"})
        EXPECT_FALSE(lookup("GetSprite", ok).empty()) << ok;
}

TEST_F(StartupScripts, SfxLoadsEverySoundWithItsVariants)
{
    run("sfx.lua");
    EXPECT_TRUE(fake_.printed.empty()) << fake_.printed.front();
    std::map<std::string, std::vector<std::string>> filesOf;
    for (const auto& [volume, files] : fake_.sounds) {
        EXPECT_GT(volume, 0.0);
        EXPECT_LE(volume, 1.0);
        ASSERT_FALSE(files.empty());
        filesOf[files.front()] = files;
    }
    for (const char* name : {"menu_move", "menu_select", "menu_back", "teleporter", "teleporter_l6pp", "inv_piiks",
                             "uks", "kuul_tabab_kiviseina", "kuul_tabab_raudseina", "kivi_tabab_seina",
                             "kivi_tabab_meest", "explosion"})
        EXPECT_FALSE(lookup("GetSound", name).empty()) << name;
    EXPECT_EQ(filesOf["sfx/teleporter_l6pp_1.wav"],
              (std::vector<std::string>{"sfx/teleporter_l6pp_1.wav", "sfx/teleporter_l6pp_2.wav"}));
    EXPECT_EQ(filesOf["sfx/menu_move.wav"], (std::vector<std::string>{"sfx/menu_move.wav"}));
    EXPECT_EQ(filesOf["sfx/kuul_tabab_raudseina_1.wav"].size(), 3u);
    EXPECT_EQ(filesOf["sfx/kuul_tabab_kiviseina_1.wav"].size(), 3u);
    EXPECT_EQ(filesOf["sfx/explosion_1.wav"].size(), 2u);
    EXPECT_TRUE(lookup("GetSound", "nonexistent").empty());
}

TEST_F(StartupScripts, SfxReportsMissingFilesAndKeepsWhatIsThere)
{
    fs::remove(dir_ / "sfx" / "menu_back.wav");
    fs::remove(dir_ / "sfx" / "teleporter_l6pp_2.wav");
    run("sfx.lua");
    EXPECT_TRUE(lookup("GetSound", "menu_back").empty());
    EXPECT_FALSE(lookup("GetSound", "menu_move").empty());
    // one variant gone: the sound still plays, from the file that is there
    EXPECT_FALSE(lookup("GetSound", "teleporter_l6pp").empty());
    EXPECT_EQ(printedMentioning("menu_back.wav"), 1);
    EXPECT_EQ(printedMentioning("teleporter_l6pp_2.wav"), 1);
    EXPECT_EQ(fake_.printed.size(), 2u);
}

// The player sheet, item icons and weapon effects: grids as the weapon and
// item data expect them (frame numbers are shared with the soldier sheets).
TEST_F(StartupScripts, GfxMakesThePlayerItemAndBulletSprites)
{
    run("gfx.lua");
    EXPECT_TRUE(fake_.printed.empty()) << fake_.printed.front();
    const ExpectedSprite mine[] = {
        {"spr_mees", "mees", 8, 4, 24, 24},         {"spr_asjad", "asjad", 8, 8, 12, 12},
        {"spr_muzzle", "muzzle", 2, 1, 8, 8},       {"spr_kuul", "kuul", 7, 1, 8, 8},
        {"spr_limbs_mees", "limbs_mees", 4, 1, 8, 8},
    };
    for (const auto& s : mine) {
        std::string handle = lookup("GetSprite", s.name);
        ASSERT_FALSE(handle.empty()) << s.name;
        const SpriteCall& call = fake_.spritesByHandle.at(handle);
        EXPECT_EQ(call.cols, s.cols) << s.name;
        EXPECT_EQ(call.rows, s.rows) << s.name;
        EXPECT_EQ(call.w, s.w) << s.name;
        EXPECT_EQ(call.h, s.h) << s.name;
        EXPECT_EQ(fake_.textures[call.texture], std::string("gfx/") + s.art + ".png") << s.name;
        auto art = artgen::ArtCompiler{}.compile(readFile(kRoot / "assets" / "art" / (std::string(s.art) + ".art")), s.art);
        ASSERT_TRUE(art.ok()) << s.name;
        EXPECT_EQ(call.x + call.cols * call.w, art.image.width()) << s.name;
        EXPECT_EQ(call.y + call.rows * call.h, art.image.height()) << s.name;
    }
    // the walk, weapon, fall and stab frames up to 31, and the icons up to
    // 63 with 51 the small sticky explosive
    const SpriteCall& mees = fake_.spritesByHandle.at(lookup("GetSprite", "spr_mees"));
    EXPECT_GE(mees.cols * mees.rows, 32);
    const SpriteCall& asjad = fake_.spritesByHandle.at(lookup("GetSprite", "spr_asjad"));
    EXPECT_GE(asjad.cols * asjad.rows, 64);
}

TEST_F(StartupScripts, SfxLoadsThePlayerItemAndWeaponSounds)
{
    run("sfx.lua");
    EXPECT_TRUE(fake_.printed.empty()) << fake_.printed.front();
    std::map<std::string, size_t> variantsOf;
    for (const auto& [volume, files] : fake_.sounds) {
        ASSERT_FALSE(files.empty());
        const std::string& first = files.front();
        std::string stem = first.substr(4, first.size() - 8); // "sfx/" ... ".wav"
        if (stem.size() > 2 && stem[stem.size() - 2] == '_' && std::isdigit(static_cast<unsigned char>(stem.back())))
            stem.resize(stem.size() - 2);
        variantsOf[stem] = files.size();
    }
    const std::pair<const char*, size_t> sounds[] = {
        {"mees_samm", 3},        {"luukere_m88da", 2},    {"zombi_hit", 3},       {"inv_pickup", 1},
        {"inv_drop", 1},         {"inv_combine", 1},      {"no_ammo", 1},         {"medkit_use", 1},
        {"mg-hv_lask", 3},       {"pistol_lask", 2},      {"shotgun_lask", 2},    {"pumpa", 1},
        {"reload_clip", 1},      {"exp_pump_cluster", 2}, {"laser_lask", 2},      {"laser_hit", 1},
        {"elektripyss_lask", 2}, {"elektripyss_hit", 1},  {"naelapyss_lask", 2},  {"rocket_lask", 1},
        {"beep", 1},
    };
    for (const auto& [name, variants] : sounds) {
        EXPECT_FALSE(lookup("GetSound", name).empty()) << name;
        EXPECT_EQ(variantsOf[name], variants) << name;
    }
}

// Enemy sheets and the gibs they leave: grids that cover their images and
// hold every frame the enemies use.
TEST_F(StartupScripts, GfxMakesTheEnemySprites)
{
    run("gfx.lua");
    EXPECT_TRUE(fake_.printed.empty()) << fake_.printed.front();
    struct Enemy {
        ExpectedSprite sprite;
        int frames;
    };
    const Enemy enemies[] = {
        {{"spr_zombi1", "zombi1", 8, 5, 24, 24}, 37},           {{"spr_zombi2", "zombi2", 8, 5, 24, 24}, 37},
        {{"spr_sininezombi", "sininezombi", 8, 5, 24, 24}, 37}, {{"spr_s6dur", "s6dur", 8, 4, 24, 24}, 32},
        {{"spr_punane_s6dur", "punane_s6dur", 8, 4, 24, 24}, 32},
        {{"spr_hall_s6dur", "hall_s6dur", 8, 4, 24, 24}, 32},  {{"spr_szombi", "szombi", 6, 3, 36, 36}, 17},
        {{"spr_srzombi", "srzombi", 6, 3, 36, 36}, 17},        {{"spr_mskeleton", "mskeleton", 6, 3, 24, 24}, 17},
        {{"spr_punanerobot", "punanerobot", 6, 4, 28, 28}, 24}, {{"spr_turret", "turret", 4, 1, 20, 20}, 4},
        {{"spr_snake_head", "snake_head", 4, 1, 20, 20}, 4},   {{"spr_zombitykid1", "zombitykid1", 4, 1, 8, 8}, 4},
        {{"spr_luukeretykid", "luukeretykid", 5, 1, 8, 8}, 5},  {{"spr_turretparts", "turretparts", 3, 1, 8, 8}, 3},
    };
    for (const auto& [s, frames] : enemies) {
        std::string handle = lookup("GetSprite", s.name);
        ASSERT_FALSE(handle.empty()) << s.name;
        const SpriteCall& call = fake_.spritesByHandle.at(handle);
        EXPECT_EQ(call.cols, s.cols) << s.name;
        EXPECT_EQ(call.rows, s.rows) << s.name;
        EXPECT_EQ(call.w, s.w) << s.name;
        EXPECT_EQ(call.h, s.h) << s.name;
        EXPECT_GE(call.cols * call.rows, frames) << s.name;
        EXPECT_EQ(fake_.textures[call.texture], std::string("gfx/") + s.art + ".png") << s.name;
        auto art = artgen::ArtCompiler{}.compile(readFile(kRoot / "assets" / "art" / (std::string(s.art) + ".art")), s.art);
        ASSERT_TRUE(art.ok()) << s.name;
        EXPECT_EQ(call.x + call.cols * call.w, art.image.width()) << s.name;
        EXPECT_EQ(call.y + call.rows * call.h, art.image.height()) << s.name;
    }
}

TEST_F(StartupScripts, SfxLoadsTheEnemySounds)
{
    run("sfx.lua");
    EXPECT_TRUE(fake_.printed.empty()) << fake_.printed.front();
    std::map<std::string, size_t> filesOf;
    for (const auto& [volume, files] : fake_.sounds)
        filesOf[files.front()] = files.size();
    const std::pair<const char*, size_t> sounds[] = {
        {"zombi_valu", 3},        {"zombi_samm", 2},         {"zombi_l88b", 1},         {"zombi_random_h22l", 3},
        {"zombi_ribadeks", 2},    {"s6dur_samm", 2},         {"s6dur_l88b", 1},         {"szombi_samm", 1},
        {"szombi_n2eb", 1},       {"szombi_viskab", 1},      {"szombi_hoop", 1},        {"luukere_samm", 1},
        {"luukere_pihtas", 1},    {"luukere_m66k", 1},       {"luukere_nois", 1},       {"punase_tondi_valu", 1},
        {"punase_tondi_samm", 1}, {"punase_tondi_m8ire", 1}, {"punane_tont_pihtas", 1}, {"punane_jookseb_seina", 1},
        {"punase_tondi_surm", 1}, {"turret_h22l", 1},        {"turret_drone", 1},       {"turret_lask", 1},
    };
    for (const auto& [name, variants] : sounds) {
        EXPECT_FALSE(lookup("GetSound", name).empty()) << name;
        const std::string first = std::string("sfx/") + name + (variants > 1 ? "_1.wav" : ".wav");
        EXPECT_EQ(filesOf[first], variants) << name;
    }
}
