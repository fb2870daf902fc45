-- What crates and lockers hold. Levels get better loot the deeper they are:
-- each entry of LOOT comes in from a level on (and old basics may drop out),
-- and the crate's kind leans the pick: wooden crates hold scraps and
-- ammunition, metal crates a bit of everything, hi-tech lockers the good
-- stuff.
--
--   StockCrate(crate, level [, kind [, random]])  fills one crate
--   WithLoot(level, seed, build)  runs build() and stocks every crate it
--                                 creates without items; a weapon found
--                                 there comes with a pack of its rounds
--   LevelNumber(name)             "level7" -> 7

-- { item, first level, last level (nil: to the end), weight, group, value }
-- value is a rough worth, used to check that deeper levels pay better.
LOOT = {
  -- basics
  { "pistol ammo",     1, nil, 30, "ammo",     1 },
  { "rifle ammo",      1, nil, 24, "ammo",     1 },
  { "small medkit",    1, nil, 16, "medkit",   2 },
  { "pistol",          1, 3,    8, "weapon",   3 },
  { "pipe",            1, nil, 10, "material", 1 },
  { "tape",            1, nil, 10, "material", 1 },
  { "scrap",           1, nil, 10, "material", 1 },
  { "wire",            1, nil,  8, "material", 1 },
  { "fuel",            1, nil,  8, "material", 1 },
  { "nails",           1, nil,  8, "material", 1 },
  { "battery",         1, nil,  6, "material", 1 },
  { "small charge",    1, nil,  6, "explosive", 2 },
  -- level 2 on
  { "shells",          2, nil, 16, "ammo",     1 },
  { "shotgun",         2, 6,    6, "weapon",   4 },
  { "machine pistol",  2, 5,    5, "weapon",   4 },
  { "grenade",         2, nil,  8, "explosive", 3 },
  { "canister",        2, nil,  6, "material", 1 },
  -- level 3 on
  { "revolver",        3, 7,    5, "weapon",   5 },
  { "automaat",        3, nil,  5, "weapon",   5 },
  { "circuit board",   3, nil,  6, "material", 2 },
  { "magnet",          3, nil,  5, "material", 2 },
  { "nail pack",       3, nil,  8, "ammo",     2 },
  { "time bomb",       3, nil,  7, "explosive", 4 },
  { "large medkit",    3, nil,  8, "medkit",   4 },
  -- level 4 on
  { "submachine gun",  4, nil,  4, "weapon",   5 },
  { "nail gun",        4, nil,  4, "weapon",   6 },
  { "double barrel",   4, nil,  4, "weapon",   6 },
  { "lens",            4, nil,  5, "material", 2 },
  { "armour vest",     4, nil,  5, "medkit",   5 },
  -- level 5 on
  { "sticky launcher", 5, nil,  3, "weapon",   7 },
  { "sticky charges",  5, nil,  6, "ammo",     3 },
  { "ammo belt",       5, nil,  6, "ammo",     3 },
  { "detector",        5, nil,  3, "device",   6 },
  { "electric gun",    5, nil,  2, "weapon",   8 },
  { "energy cells",    5, nil,  5, "ammo",     3 },
  -- level 6 on
  { "heavy mg",        6, nil,  3, "weapon",   8 },
  { "laser rifle",     6, nil,  2, "weapon",   9 },
  { "teleport",        6, nil,  2, "device",  10 },
  -- level 7 on
  { "rocket launcher", 7, nil,  2, "weapon",  10 },
  { "rockets",         7, nil,  5, "ammo",     4 },
  { "charge bundle",   7, nil,  3, "explosive", 7 },
}

-- The group of each loot item by name.
LOOT_GROUP = {}
for _, e in ipairs(LOOT) do LOOT_GROUP[e[1]] = e[5] end

-- How much each crate kind likes each group (missing: 1).
CRATE_BIAS = {
  spr_puitkast   = { material = 2.5, ammo = 1.5, weapon = 0.3, device = 0.2, explosive = 0.7 },
  spr_metallkast = {},
  spr_hiteckast  = { material = 0.4, weapon = 2.5, device = 3.0, medkit = 1.5, explosive = 1.3 },
}

-- Items a crate holds: a wooden crate 1..2, metal 1..3, hi-tech 2..3; one
-- more from level 6 on.
CRATE_SIZE = {
  spr_puitkast = { 1, 2 },
  spr_metallkast = { 1, 3 },
  spr_hiteckast = { 2, 3 },
}

-- The first crate stocked on a level holds these first (the start room's
-- crates are the first ones built), so nobody starts empty-handed, and the
-- foundry's last level hands out the laser the core will call for. The core
-- has few crates and its gate room is held by the strongest; the foundry's
-- fights leave the stores low, and every death begins the core again with
-- what came through its gate: its start crate holds the heavy gun with a
-- belt (the core's big soldiers, grey soldiers and turrets leave belts,
-- which are dead weight without it) and cells for that laser.
LEVEL_KIT = {
  [1] = { "pistol", "pistol ammo" },
  [9] = { "laser rifle", "energy cells" },
  [10] = { "heavy mg", "ammo belt", "energy cells" },
}
-- From these levels on that crate also holds a large medkit, and an assault
-- rifle with rounds for it: health and ammunition are carried through the
-- gate, and a level begun weak or with empty stores would be begun so again
-- after every death. The foundry's fights empty them; the rifle rounds its
-- crates and its dead hand out most are no use without the rifle, which the
-- soldiers seldom leave.
START_MEDKIT_FROM = 5
START_ROUNDS_FROM = 7

-- The start room's kit of a level (nil when it has none).
function LevelKit(level)
  local kit = {}
  -- First what a full pack must not leave behind: the rifle for the rounds.
  if level >= START_ROUNDS_FROM then
    kit[#kit + 1] = "automaat"
    kit[#kit + 1] = "rifle ammo"
  end
  if level >= START_MEDKIT_FROM then kit[#kit + 1] = "large medkit" end
  for _, name in ipairs(LEVEL_KIT[level] or {}) do kit[#kit + 1] = name end
  return #kit > 0 and kit or nil
end

-- A level number from 1 to the deepest level (NaN and huge numbers in a
-- broken level name included).
local function levelNumberOf(level)
  level = tonumber(level) or 1
  if level ~= level or level < 1 then level = 1 end
  if DeepestLevel then level = math.min(level, DeepestLevel()) end
  return math.floor(level)
end

function LevelNumber(name)
  if type(name) == "number" then return levelNumberOf(name) end
  if type(levels) == "table" then
    for i, level in ipairs(levels) do
      if level == name then return i end
    end
  end
  -- The digits at the end, read from the reversed name: "(%d+)$" tries every
  -- start in a long run of digits and takes minutes on a name of 100000 of them.
  local digits = type(name) == "string" and string.match(string.reverse(name), "^%d+")
  digits = digits and string.reverse(digits)
  return levelNumberOf(digits)
end

-- The loot table of a level and crate kind: { {name, weight, value}, ... }.
-- Within its range an entry's weight grows a little with each level past its
-- first, so new things stay rare for a while and old ones stay around.
function LootTable(level, kind)
  level = levelNumberOf(level)
  local bias = CRATE_BIAS[kind] or {}
  local list = {}
  for _, e in ipairs(LOOT) do
    local name, first, last, weight, group, value = e[1], e[2], e[3], e[4], e[5], e[6]
    if level >= first and (not last or level <= last) then
      local w = weight * (bias[group] or 1) * (1 + 0.15 * math.min(level - first, 4))
      list[#list + 1] = { name = name, weight = w, value = value, group = group }
    end
  end
  return list
end

-- random(n) gives an integer 1..n; without one, math.random is used.
local function pick(list, random)
  local total = 0
  for _, e in ipairs(list) do total = total + e.weight end
  if total <= 0 then return nil end
  local scale = 100000
  local r = (random(scale) - 0.5) / scale * total
  for _, e in ipairs(list) do
    r = r - e.weight
    if r <= 0 then return e end
  end
  return list[#list]
end

-- The ammunition item that loads weapon `name` (the first of LOOT with its
-- ammunition type), or nil for a weapon that needs none or is unknown.
function AmmoFor(name)
  local weapon = itemtable and itemtable[name]
  if type(weapon) ~= "table" or weapon.ammotype == nil then return nil end
  for _, e in ipairs(LOOT) do
    local ammo = itemtable[e[1]]
    if e[5] == "ammo" and type(ammo) == "table" and ammo.ammotype == weapon.ammotype then return e[1] end
  end
  return nil
end

-- Fills one crate (a CreateContainer handle) for the given level. Returns the
-- names put in, in order.
function StockCrate(crate, level, kind, random)
  level = levelNumberOf(level)
  kind = kind or "spr_metallkast"
  random = random or math.random
  local size = CRATE_SIZE[kind] or CRATE_SIZE.spr_metallkast
  local count = size[1] + random(size[2] - size[1] + 1) - 1
  if level >= 6 then count = count + 1 end
  local list = LootTable(level, kind)
  local names = {}
  for _ = 1, count do
    local e = pick(list, random)
    if e then names[#names + 1] = e.name end
  end
  for _, name in ipairs(names) do
    container.AddItem(crate, name)
  end
  return names
end

-- A small generator of our own so a level's crates come out the same every
-- time the level is built from the same seed.
function LootRandom(seed)
  local state = math.floor(math.abs(tonumber(seed) or 1)) % 2147483646 + 1
  return function(n)
    state = (state * 16807) % 2147483647
    return state % n + 1
  end
end

-- Runs build() with CreateContainer stocking every crate that is made without
-- items; crates a module fills itself are left alone. The drop records of the
-- previous level are forgotten first. CreateContainer is put back even when
-- build fails; the error is passed on.
function WithLoot(level, seed, build)
  level = levelNumberOf(level)
  if ResetRndTable then ResetRndTable() end
  local random = LootRandom(seed)
  local create = CreateContainer
  local kit = LevelKit(level)
  CreateContainer = function(x, y, angle, kind, ...)
    local crate = create(x, y, angle, kind, ...)
    if crate and select("#", ...) == 0 then
      if kit then
        for _, name in ipairs(kit) do container.AddItem(crate, name) end
        kit = nil
      end
      -- A gun is never found without something to load it with.
      for _, name in ipairs(StockCrate(crate, level, kind, random)) do
        local rounds = AmmoFor(name)
        if rounds and LOOT_GROUP[name] == "weapon" then container.AddItem(crate, rounds) end
      end
    end
    return crate
  end
  local ok, err = pcall(build)
  CreateContainer = create
  if not ok then error(err, 0) end
end
