-- Textures and sprites, loaded at start-up (working directory: data/).
--
-- Each SPRITES line makes one sprite from one image:
--   { name, file, columns, rows, frameWidth, frameHeight [, startX, startY] }
-- Frames run left to right, then top to bottom. An image used by several
-- sprites is loaded once; its texture is named after the file (gfx/font.png
-- -> "font").

local SPRITES = {
  --  name                 file                        cols rows   w    h
  { "spr_font",          "gfx/font.png",              16,  8,    4,   6 },
  { "spr_sihik",         "gfx/crosshair.png",          1,  1,   11,  11 },
  { "spr_dir_distort2",  "gfx/distort_blob.png",       1,  1,   64,  64 },
  { "spr_dir_distort",   "gfx/distort_streak.png",     1,  1,   32,  32 },
  { "spr_keyselect_bg",  "gfx/keyselect_bg.png",       1,  1,  304, 196 },
  { "spr_keyselect",     "gfx/keyselect.png",          1,  2,  238,   7 },
  { "spr_title",         "gfx/title.png",              1,  1,  160,  32 },

  -- wall pieces (frame = block value or door kind)
  { "spr_sein",          "gfx/sein.png",              16,  1,   24,  24 },
  { "spr_vsein",         "gfx/vsein.png",              4,  1,    6,   6 },
  { "spr_sammas",        "gfx/sammas.png",             1,  1,   14,  14 },
  { "spr_pikksein",      "gfx/pikksein.png",           2,  1,   14,  41 },
  { "spr_sakilinesein",  "gfx/sakilinesein.png",       2,  1,   14,  41 },
  { "spr_uks",           "gfx/uks.png",                4,  1,   12,   6 },
  { "spr_puustuks",      "gfx/puustuks.png",           4,  1,   24,  24 },

  -- containers: frames 0..5 open the lid
  { "spr_metallkast",    "gfx/metallkast.png",         6,  1,   18,   8 },
  { "spr_hiteckast",     "gfx/hiteckast.png",          6,  1,   18,   8 },
  { "spr_puitkast",      "gfx/puitkast.png",           6,  1,   18,   8 },
  { "spr_k_indikaator",  "gfx/k_indikaator.png",       3,  1,    9,   7 },

  -- editor and map markers
  { "spr_node",          "gfx/node.png",               4,  1,   12,  12 },
  { "spr_mapmarker",     "gfx/mapmarker.png",          1,  1,    8,   8 },
  { "spr_editmarks",     "gfx/editmarks.png",          3,  1,   12,  12 },

  -- effects
  { "spr_veri",          "gfx/veri.png",               8,  1,   16,  16 },
  { "spr_suits",         "gfx/suits.png",              1,  1,   16,  16 },
  { "spr_omnismooth",    "gfx/omnismooth.png",         1,  1,   32,  32 },
  { "spr_spark",         "gfx/spark.png",              2,  1,    3,   3 },
  { "spr_splinter",      "gfx/splinter.png",           1,  1,    3,   2 },
  { "spr_kraater1",      "gfx/kraater1.png",           1,  1,   32,  32 },
  { "spr_plahvatus",     "gfx/plahvatus.png",          1,  1,   48,  48 },
  { "spr_l6hkekuuli_plahvatus", "gfx/l6hkekuuli_plahvatus.png", 12, 1, 16, 16 },
  { "spr_dot",           "gfx/dot.png",                1,  1,    3,   3 },

  -- rocket (nose down in the image), snake armour, turret wreck
  { "spr_rakett",        "gfx/rakett.png",             1,  1,    4,  10 },
  { "spr_snakesegment",  "gfx/snakesegment.png",       1,  1,   14,  14 },
  { "spr_deadturret",    "gfx/deadturret.png",         1,  1,   20,  20 },

  -- floor pieces; the floor textures cut into 24x24 tiles are the module
  -- editor's floor previews (the textures keep their own names)
  { "spr_gate",          "gfx/gate.png",               4,  1,   48,  48 },
  { "spr_floor_concrete", "gfx/tex_floor_concrete.png", 2,  2,   24,  24 },
  { "spr_floor_metal",   "gfx/tex_floor_metal.png",    2,  2,   24,  24 },
  { "spr_floor_grate",   "gfx/tex_floor_grate.png",    2,  2,   24,  24 },
  { "spr_floor_tiles",   "gfx/tex_floor_tiles.png",    2,  2,   24,  24 },
  { "spr_floor_hazard",  "gfx/tex_floor_hazard.png",   2,  1,   24,  16 },
  { "spr_floor_labs_tile",     "gfx/tex_floor_labs_tile.png",     2, 2, 24, 24 },
  { "spr_floor_labs_grate",    "gfx/tex_floor_labs_grate.png",    2, 2, 24, 24 },
  { "spr_floor_foundry_plate", "gfx/tex_floor_foundry_plate.png", 2, 2, 24, 24 },
  { "spr_floor_foundry_slag",  "gfx/tex_floor_foundry_slag.png",  2, 2, 24, 24 },
  { "spr_floor_core_circuit",  "gfx/tex_floor_core_circuit.png",  2, 2, 24, 24 },
  { "spr_floor_core_conduit",  "gfx/tex_floor_core_conduit.png",  2, 2, 24, 24 },

  -- scenery of objects.lua
  { "spr_pillar",        "gfx/pillar.png",             1,  1,   20,  20 },
  { "spr_column",        "gfx/column.png",             1,  1,   12,  12 },
  { "spr_barrel",        "gfx/barrel.png",             2,  1,   12,  12 },
  { "spr_sandbags",      "gfx/sandbags.png",           1,  1,   30,  12 },
  { "spr_desk",          "gfx/desk.png",               1,  1,   28,  14 },
  { "spr_chair",         "gfx/chair.png",              1,  1,    8,   8 },
  { "spr_lockers",       "gfx/lockers.png",            1,  1,   36,  10 },
  { "spr_machinery",     "gfx/machinery.png",          1,  1,   32,  24 },
  { "spr_debris",        "gfx/debris.png",             4,  1,   16,  16 },
  { "spr_rubble",        "gfx/rubble.png",             1,  1,   24,  24 },
  { "spr_floorlamp",     "gfx/floorlamp.png",          1,  1,    8,   8 },
  { "spr_lampglow",      "gfx/lampglow.png",           1,  1,   48,  48 },
  { "spr_spool",         "gfx/spool.png",              1,  1,   16,  16 },
  { "spr_serverrack",    "gfx/serverrack.png",         1,  1,   12,  24 },
  { "spr_plant",         "gfx/plant.png",              1,  1,   12,  12 },
  { "spr_barrier",       "gfx/barrier.png",            1,  1,   30,  10 },
  { "spr_fence",         "gfx/fence.png",              1,  1,   36,   4 },
  -- player, items and weapon effects
  -- spr_mees: the player soldier, 24x24 facing +x; frame table in
  -- assets/art/mees.art and tools/README.md (walk 0..4, weapon poses
  -- 5..18, fall 19..22, extras 23..26, stab 27..31)
  { "spr_mees",          "gfx/mees.png",               8,  4,   24,  24 },
  -- spr_asjad: floor icons of the items, 64 frames (itemtable "frame")
  { "spr_asjad",         "gfx/asjad.png",              8,  8,   12,  12 },
  { "spr_muzzle",        "gfx/muzzle.png",             2,  1,    8,   8 },
  -- bullets by type: 0 tracer, 1 heavy, 2 pellet, 3 laser, 4 nail,
  -- 5 rubber, 6 electric
  { "spr_kuul",          "gfx/kuul.png",               7,  1,    8,   8 },
  -- player gibs: 0 head, 1 arm, 2 leg, 3 torso
  { "spr_limbs_mees",    "gfx/limbs_mees.png",         4,  1,    8,   8 },
  -- end of player, items and weapon effects

  -- enemies (frames per animation are listed in each .art file's header)
  { "spr_zombi1",        "gfx/zombi1.png",             8,  5,   24,  24 },
  { "spr_zombi2",        "gfx/zombi2.png",             8,  5,   24,  24 },
  { "spr_sininezombi",   "gfx/sininezombi.png",        8,  5,   24,  24 },
  { "spr_s6dur",         "gfx/s6dur.png",              8,  4,   24,  24 },
  { "spr_punane_s6dur",  "gfx/punane_s6dur.png",       8,  4,   24,  24 },
  { "spr_hall_s6dur",    "gfx/hall_s6dur.png",         8,  4,   24,  24 },
  { "spr_szombi",        "gfx/szombi.png",             6,  3,   36,  36 },
  { "spr_srzombi",       "gfx/srzombi.png",            6,  3,   36,  36 },
  { "spr_mskeleton",     "gfx/mskeleton.png",          6,  3,   24,  24 },
  { "spr_punanerobot",   "gfx/punanerobot.png",        6,  4,   28,  28 },
  { "spr_turret",        "gfx/turret.png",             4,  1,   20,  20 },
  { "spr_snake_head",    "gfx/snake_head.png",         4,  1,   20,  20 },
  -- gibs and debris the enemies leave
  { "spr_zombitykid1",   "gfx/zombitykid1.png",        4,  1,    8,   8 },
  { "spr_luukeretykid",  "gfx/luukeretykid.png",       5,  1,    8,   8 },
  { "spr_turretparts",   "gfx/turretparts.png",        3,  1,    8,   8 },

  -- core ---
  -- the finale's machinery; spr_core_glow: 0 red beacon light, 1 violet
  { "spr_core_reactor",  "gfx/core_reactor.png",       1,  1,   24,  24 },
  { "spr_core_coil",     "gfx/core_coil.png",          1,  1,   16,  16 },
  { "spr_core_pylon",    "gfx/core_pylon.png",         1,  1,   12,  24 },
  { "spr_core_cables",   "gfx/core_cables.png",        1,  1,   36,  10 },
  { "spr_core_beacon",   "gfx/core_beacon.png",        1,  1,    8,   8 },
  { "spr_core_glow",     "gfx/core_glow.png",          2,  1,   48,  48 },

  -- foundry ---
  -- props of objects.lua and the fire light
  { "spr_foundry_crucible", "gfx/foundry_crucible.png",      1,  1,   20,  20 },
  { "spr_foundry_ingots",  "gfx/foundry_ingots.png",         1,  1,   24,  16 },
  { "spr_foundry_slagheap", "gfx/foundry_slagheap.png",      1,  1,   24,  24 },
  { "spr_foundry_furnace", "gfx/foundry_furnace.png",        1,  1,   32,  24 },
  { "spr_foundry_lever",   "gfx/foundry_lever.png",          2,  1,   12,  12 },
  { "spr_foundry_glow",    "gfx/foundry_glow.png",           1,  1,   48,  48 },
  { "spr_foundry_cinders", "gfx/foundry_cinders.png",        1,  1,   16,  16 },

  -- laboratories ---
  { "spr_labs_tank",       "gfx/labs_tank.png",       2,  1,   24,  24 },
  { "spr_labs_centrifuge", "gfx/labs_centrifuge.png", 1,  1,   20,  20 },
  { "spr_labs_bench",      "gfx/labs_bench.png",      1,  1,   36,  14 },
  { "spr_labs_cryopod",    "gfx/labs_cryopod.png",    1,  1,   28,  14 },
  { "spr_labs_screens",    "gfx/labs_screens.png",    2,  1,   28,  12 },
  { "spr_labs_switch",     "gfx/labs_switch.png",     2,  1,   12,   8 },
}

-- Plain textures, for floor bitmaps (CreateBitmap with a texture region)
-- and for drawing code that binds a texture by name:
--   { name, file }
-- The floors tile seamlessly (64x64); the hazard band repeats sideways.
local TEXTURES = {
  { "tex_rocketsmoke",     "gfx/tex_rocketsmoke.png" },
  { "tex_floor_concrete",  "gfx/tex_floor_concrete.png" },
  { "tex_floor_metal",     "gfx/tex_floor_metal.png" },
  { "tex_floor_grate",     "gfx/tex_floor_grate.png" },
  { "tex_floor_tiles",     "gfx/tex_floor_tiles.png" },
  { "tex_floor_hazard",    "gfx/tex_floor_hazard.png" },
  { "tex_floor_core_circuit", "gfx/tex_floor_core_circuit.png" },
  { "tex_floor_core_conduit", "gfx/tex_floor_core_conduit.png" },

  { "tex_floor_foundry_plate", "gfx/tex_floor_foundry_plate.png" },
  { "tex_floor_foundry_slag",  "gfx/tex_floor_foundry_slag.png" },

  { "tex_floor_labs_tile",  "gfx/tex_floor_labs_tile.png" },
  { "tex_floor_labs_grate", "gfx/tex_floor_labs_grate.png" },
}

local textures = {}
local sprites = {}
local reported = {}

-- Messages begin with the file and line that asked (a line of the player's
-- content/gfx.lua names that file), so that a problem is found where it was made.
local function report(message, where)
  message = (where or "gfx.lua") .. ": " .. message
  if not reported[message] then
    reported[message] = true
    print(message .. "\n")
  end
end

-- "FILE:LINE" of the script that called AddSprite or AddTexture.
local function caller()
  local info = debug.getinfo(3, "Sl")
  if not info or (info.currentline or 0) <= 0 then return nil end
  local file = string.match(info.source, "^@(.*)") or info.short_src
  return file .. ":" .. info.currentline
end

function GetTexture(name)
  return textures[name]
end

function GetSprite(name)
  return sprites[name]
end

-- The player's content/<path> counts as well: the engine loads it first.
local function fileExists(path)
  local f = io.open(ContentFile and ContentFile(path) or path, "rb")
  if f then
    f:close()
    return true
  end
  return false
end

local function textureNameOf(path)
  return string.match(path, "([^/]+)%.%w+$") or path
end

-- Loads a texture once under the given name (default: named after the
-- file); returns the name, or nil if it could not be loaded. A problem is
-- reported at `where` (the asking line), naming `user` (" for sprite X").
local function loadTexture(path, name, where, user)
  name = name or textureNameOf(path)
  if textures[name] then
    return name
  end
  if not fileExists(path) then
    report("missing texture " .. path .. (user or ""), where)
    return nil
  end
  local ok, handle = pcall(_LoadTexture, path, name)
  if not ok or handle == nil then
    report("could not load texture " .. path .. (user or "") .. (ok and "" or (": " .. tostring(handle))), where)
    return nil
  end
  textures[name] = handle
  return name
end

-- AddSprite and AddTexture are globals, for the player's own content/gfx.lua
-- (it runs after this file): the same as a SPRITES or TEXTURES line. True
-- when the sprite or texture is there.
function AddSprite(name, path, cols, rows, w, h, x, y)
  local where = caller()
  local texture = loadTexture(path, nil, where, " for sprite " .. tostring(name))
  if not texture then return false end
  local ok, handle = pcall(_CreateSprite, texture, cols, rows, w, h, x or 0, y or 0)
  if ok and handle ~= nil then
    sprites[name] = handle
    return true
  end
  report("could not make sprite " .. tostring(name) .. (ok and "" or (": " .. tostring(handle))), where)
  return false
end

function AddTexture(name, path)
  return loadTexture(path, name, caller()) ~= nil
end

for _, s in ipairs(SPRITES) do
  AddSprite(unpack(s, 1, 8))
end

for _, t in ipairs(TEXTURES) do
  AddTexture(t[1], t[2])
end
