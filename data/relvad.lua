-- Weapons, ammunition, medkits, explosives, devices and materials: every item
-- by name, how each is made (CreateItem), what can be combined into what
-- (AddReaction), and what enemies leave behind (AddToRndTable).
--
-- Every entry has the fields the engine reads for all items:
--   frame      icon in spr_asjad while it lies on the floor
--   invtext    inventory line and floor label (10 characters fit the column)
--   longtext   status line while selected
--   shortcutkey  quick-switch group: sc_1..sc_4 weapons, sc_medkit, sc_bombs,
--              "none" for the rest
--   sprite, r, g, b   (a channel of exactly 0 would show as 1, so none is 0)
-- plus what its kind reads (see the helpers below) and two fields of our own:
--   kind       which creator makes it: weapon, ammo, medkit, bomb, simple, lua
--   class      colour group shown on the help page: weapon (white), ammo
--              (brown), medkit (blue), explosive (red), material (green),
--              device (yellow)
--
-- Bullet types in use: 0 bullets, 1 grey nails, 2 pellets with a hit burst,
-- 5 small sticky charges. Lasers (3) and electric guns (6) wait for their
-- beams; 4 fires nothing, so no gun uses it.
--
-- Ammunition types (index into the holder's store):
--   0 pistol rounds   1 rifle rounds   2 shells      4 nails
--   5 rockets         6 sticky charges 7 belt rounds
--   3 energy cells (laser and electric guns)

itemtable = {}
itemdata = itemdata or {}

COLOURS = {
  weapon    = { 1.0, 1.0, 1.0 },
  ammo      = { 0.72, 0.47, 0.22 },
  medkit    = { 0.35, 0.55, 1.0 },
  explosive = { 1.0, 0.25, 0.2 },
  material  = { 0.35, 1.0, 0.35 },
  device    = { 1.0, 0.9, 0.3 },
}

-- The helpers below (item, weapon, ammo, material) are globals, so that the
-- player's own content/relvad.lua, which runs after this file, can make items
-- the same way.
function item(name, class, kind, fields)
  local colour = COLOURS[class]
  if not colour then error("item " .. tostring(name) .. ": no class named " .. tostring(class), 2) end
  fields.kind = kind
  fields.class = class
  fields.sprite = fields.sprite or "spr_asjad"
  fields.shortcutkey = fields.shortcutkey or "none"
  fields.r, fields.g, fields.b = colour[1], colour[2], colour[3]
  itemtable[name] = fields
  return fields
end

-- Holder poses on spr_mees (hold, shoot, reload); soldiers share the numbers.
local POSE = {
  pistol   = { 5, 6, 7 },
  rifle    = { 8, 9, 10 },
  shotgun  = { 11, 12, 13 },
  special  = { 14, 15, 16 },
  launcher = { 17, 18, 25 },
}

-- A firearm. reloadtime is the frames between shots, negative for one shot
-- per trigger pull; spread is in twentieths of a radian; range is the
-- bullet's life in frames; pierce is the chance out of 100-ish to go on
-- through an enemy (50 or less never does).
function weapon(name, w)
  local pose = POSE[w.pose]
  if not pose then
    error("weapon " .. tostring(name) .. ": no pose named " .. tostring(w.pose) ..
          " (pistol, rifle, shotgun, special, launcher)", 2)
  end
  w.pose = nil
  w.holdframe, w.shootframe, w.reloadframe = pose[1], pose[2], pose[3]
  w.bulletcount = w.bulletcount or 1
  w.ammocount = w.ammocount or 1
  w.bullettype = w.bullettype or 0
  return item(name, "weapon", "weapon", w)
end

-- `rounds` names them in the HUD's pickup line ("+24 pistol rounds"); the
-- short `text` has to fit the take list's box.
function ammo(name, frame, ammotype, count, text, longtext, rounds)
  return item(name, "ammo", "ammo", {
    frame = frame, invtext = text, longtext = longtext, ammotype = ammotype, count = count, rounds = rounds,
  })
end

function material(name, frame, text, longtext)
  return item(name, "material", "simple", { frame = frame, invtext = text, longtext = longtext })
end

-- Pistols ---------------------------------------------------------------------

weapon("pistol", {
  frame = 0, invtext = "pistol", longtext = "Service pistol. One shot per pull, 12 rounds.",
  shortcutkey = "sc_1", pose = "pistol",
  clipsize = 12, spread = 2, reloadtime = -6, bulletspeed = 36, damage = 14, range = 24,
  pierce = 20, shake = 2, ammotype = 0, clipreloadtime = 40,
  shootsound = "pistol_lask", reloadsound = "reload_clip",
})

weapon("revolver", {
  frame = 2, invtext = "revolver", longtext = "Heavy revolver. Slow, but each round goes deep.",
  shortcutkey = "sc_1", pose = "pistol",
  clipsize = 6, spread = 1, reloadtime = -12, bulletspeed = 44, damage = 32, range = 28,
  pierce = 70, shake = 5, ammotype = 0, clipreloadtime = 60,
  shootsound = "pistol_lask", reloadsound = "reload_clip",
})

weapon("machine pistol", {
  frame = 5, invtext = "m.pistol", longtext = "Machine pistol. Fires while held; pistol rounds.",
  shortcutkey = "sc_1", pose = "pistol",
  clipsize = 20, spread = 4, reloadtime = 3, bulletspeed = 34, damage = 9, range = 20,
  pierce = 15, shake = 1, ammotype = 0, clipreloadtime = 45,
  shootsound = "pistol_lask", reloadsound = "reload_clip",
})

-- Machine guns ----------------------------------------------------------------

-- The soldiers' own gun as well: keep it fair when it points at the player.
weapon("automaat", {
  frame = 10, invtext = "automaat", longtext = "Assault rifle. Fires while held, 30 rifle rounds.",
  shortcutkey = "sc_2", pose = "rifle",
  clipsize = 30, spread = 3, reloadtime = 4, bulletspeed = 40, damage = 12, range = 30,
  pierce = 40, shake = 2, ammotype = 1, clipreloadtime = 50,
  shootsound = "mg-hv_lask", reloadsound = "reload_clip",
})

weapon("submachine gun", {
  frame = 12, invtext = "smg", longtext = "Submachine gun. Sprays pistol rounds, 32 a clip.",
  shortcutkey = "sc_2", pose = "rifle",
  clipsize = 32, spread = 5, reloadtime = 2, bulletspeed = 34, damage = 8, range = 20,
  pierce = 15, shake = 1, ammotype = 0, clipreloadtime = 45,
  shootsound = "mg-hv_lask", reloadsound = "reload_clip",
})

weapon("heavy mg", {
  frame = 15, invtext = "heavy mg", longtext = "Belt-fed heavy gun. 100 belt rounds, punches through.",
  shortcutkey = "sc_2", pose = "rifle",
  clipsize = 100, spread = 4, reloadtime = 2, bulletspeed = 44, damage = 14, range = 34,
  pierce = 90, shake = 3, ammotype = 7, clipreloadtime = 90,
  shootsound = "mg-hv_lask", reloadsound = "reload_clip",
})

-- Shotguns --------------------------------------------------------------------

weapon("shotgun", {
  frame = 20, invtext = "shotgun", longtext = "Pump shotgun. Eight pellets a shell, 6 shells.",
  shortcutkey = "sc_3", pose = "shotgun",
  clipsize = 6, spread = 6, reloadtime = -20, bulletspeed = 34, damage = 9, range = 12,
  pierce = 10, shake = 6, ammotype = 2, clipreloadtime = 70, bulletcount = 8, bullettype = 2,
  shootsound = "shotgun_lask", reloadsound = "pumpa",
})

weapon("double barrel", {
  frame = 21, invtext = "d.barrel", longtext = "Double barrel. Two shells, ten pellets each, quick.",
  shortcutkey = "sc_3", pose = "shotgun",
  clipsize = 2, spread = 8, reloadtime = -6, bulletspeed = 32, damage = 10, range = 10,
  pierce = 10, shake = 8, ammotype = 2, clipreloadtime = 45, bulletcount = 10, bullettype = 2,
  shootsound = "shotgun_lask", reloadsound = "pumpa",
})

-- Experimental ----------------------------------------------------------------

weapon("nail gun", {
  frame = 29, invtext = "nail gun", longtext = "Nail gun. Fast nails that go through a row of them.",
  shortcutkey = "sc_4", pose = "special",
  clipsize = 40, spread = 3, reloadtime = 3, bulletspeed = 30, damage = 11, range = 22,
  pierce = 120, shake = 1, ammotype = 4, clipreloadtime = 55, bullettype = 1,
  shootsound = "naelapyss_lask", reloadsound = "reload_clip",
})

-- The charges fly off with (speed + 0..9) / 4 and brake hard, so about four
-- metres at this speed.
weapon("sticky launcher", {
  frame = 30, invtext = "sticky gun", longtext = "Fires sticky charges that cling and go off in two seconds.",
  shortcutkey = "sc_4", pose = "special",
  clipsize = 4, spread = 2, reloadtime = -18, bulletspeed = 110, damage = 1, range = 1,
  pierce = 1, shake = 3, ammotype = 6, clipreloadtime = 60, bullettype = 5,
  shootsound = "rocket_lask", reloadsound = "reload_clip",
})

-- The beam guns keep one beam alive while the trigger is held and burn a cell
-- every few frames.
weapon("laser rifle", {
  frame = 26, invtext = "laser", longtext = "Laser rifle. Burns along its line while you hold the trigger.",
  shortcutkey = "sc_4", pose = "special",
  clipsize = 60, spread = 1, reloadtime = 2, bulletspeed = 1, damage = 2, range = 30,
  pierce = 1, shake = 0, ammotype = 3, clipreloadtime = 70, bullettype = 3,
  shootsound = "laser_lask", reloadsound = "reload_clip",
})

weapon("electric gun", {
  frame = 27, invtext = "zapper", longtext = "Electric gun. Arcs to the nearest enemy in front of you.",
  shortcutkey = "sc_4", pose = "special",
  clipsize = 40, spread = 1, reloadtime = 3, bulletspeed = 1, damage = 10, range = 4,
  pierce = 1, shake = 1, ammotype = 3, clipreloadtime = 70, bullettype = 6,
  shootsound = "elektripyss_lask", reloadsound = "reload_clip",
})

-- Ammunition ------------------------------------------------------------------

ammo("pistol ammo", 32, 0, 24, "pistol rds", "Pistol rounds.", "pistol rounds")
ammo("rifle ammo", 33, 1, 60, "rifle rds", "Rifle rounds.", "rifle rounds")
ammo("shells", 34, 2, 12, "shells", "Shotgun shells.", "shotgun shells")
ammo("energy cells", 35, 3, 60, "cells", "Energy cells for the laser and electric guns.", "energy cells")
ammo("nail pack", 36, 4, 60, "nails", "Nails for the nail gun.", "nails")
ammo("rockets", 37, 5, 3, "rockets", "Rockets for the launcher.", "rockets")
ammo("sticky charges", 38, 6, 8, "stickies", "Sticky charges for the sticky gun.", "sticky charges")
ammo("ammo belt", 39, 7, 100, "belt", "Belt rounds for the heavy gun.", "belt rounds")

-- Medkits and armour ----------------------------------------------------------

item("small medkit", "medkit", "medkit", {
  frame = 40, invtext = "medkit", longtext = "Small medkit: 25 health.",
  shortcutkey = "sc_medkit", health = 25,
})
item("large medkit", "medkit", "medkit", {
  frame = 41, invtext = "big medkit", longtext = "Large medkit: 60 health.",
  shortcutkey = "sc_medkit", health = 60,
})

-- Explosives ------------------------------------------------------------------
-- delay: frames from the throw to the blast; radius: the blast's power;
-- throwspeed: the push of a throw while aiming (without aiming it is dropped
-- at the feet, armed).

item("time bomb", "explosive", "bomb", {
  frame = 44, invtext = "time bomb", longtext = "Time bomb. Aim and use to throw; three seconds.",
  shortcutkey = "sc_bombs", delay = 90, nailcount = 30, radius = 2.0, throwspeed = 90,
})
item("grenade", "explosive", "bomb", {
  frame = 45, invtext = "grenade", longtext = "Hand grenade. Aim and use to throw; a second and a half.",
  shortcutkey = "sc_bombs", delay = 45, nailcount = 12, radius = 1.2, throwspeed = 110,
})
item("charge bundle", "explosive", "bomb", {
  frame = 46, invtext = "bundle", longtext = "Bundled charges. Four seconds, then a very big bang.",
  shortcutkey = "sc_bombs", delay = 120, nailcount = 60, radius = 3.0, throwspeed = 60,
})
item("small charge", "explosive", "bomb", {
  frame = 51, invtext = "sm.charge", longtext = "Small charge. Goes off two seconds after a throw.",
  shortcutkey = "sc_bombs", delay = 55, nailcount = 4, radius = 0.6, throwspeed = 100,
})

-- Materials: only good for combining ------------------------------------------

material("pipe", 48, "pipe", "A length of steel pipe.")
material("battery", 49, "battery", "A charged battery.")
material("tape", 50, "tape", "A roll of tape.")
material("wire", 56, "wire", "A coil of wire.")
material("canister", 57, "canister", "An empty fuel canister.")
material("circuit board", 58, "circuit", "A circuit board, still works.")
material("scrap", 59, "scrap", "Scrap metal.")
material("nails", 60, "nails", "A handful of loose nails.")
material("fuel", 61, "fuel", "A bottle of fuel.")
material("magnet", 62, "magnet", "A strong magnet.")
material("lens", 63, "lens", "A glass lens.")

-- Scripted items --------------------------------------------------------------
-- Callbacks: oninit(item, name); onactivate(item, holder, aiming) returns
-- nil or non-zero when the trigger should be let go, 0 to keep it held;
-- onequip(item, holder, isCurrent) every frame while carried;
-- ongroundupdate(item); oncollision(item, other, ...); onpickup(item, actor)
-- returns 0 to stay on the floor. itemdata[item] is the item's own table.

local function data(it)
  local d = itemdata[it]
  if not d then
    d = {}
    itemdata[it] = d
  end
  return d
end

-- The teleport does its work by just being carried: a dying player who has
-- one is sent back to the level's start with half health, and it is used up.
function Teleport_OnInit(it)
  data(it).charged = 1
end

function Teleport_OnActivate(it)
  PlaySound("beep")
  return 1
end

-- The detector: zombie spawners within reach show a pulsing ring while it is
-- the selected item (the spawners draw that themselves). Using it pings.
function Detector_OnInit(it)
  data(it).pings = 0
end

function Detector_OnActivate(it)
  local d = data(it)
  d.pings = (d.pings or 0) + 1
  PlaySound("beep")
  return 1
end

-- Armour vest: worn on use, up to full armour.
function Vest_OnActivate(it, holder)
  actor.SetArmor(holder, 60, 1)
  PlaySound("medkit_use")
  object.Delete(it)
  return 1
end

-- The rocket launcher fires CreateRocket rockets from the shoulder. The
-- player pays a round of ammunition type 5 per rocket; other holders (a
-- soldier given one) do not count.
ROCKET_COOLDOWN = 45
ROCKET_MUZZLE = 0.9

function RocketLauncher_OnInit(it)
  data(it).cooldown = 0
end

function RocketLauncher_OnEquip(it, holder, isCurrent)
  local d = data(it)
  if (d.cooldown or 0) > 0 then d.cooldown = d.cooldown - 1 end
end

function RocketLauncher_OnActivate(it, holder, aiming)
  if not aiming then return 0 end
  local d = data(it)
  if (d.cooldown or 0) > 0 then return 1 end
  if holder == player.GetPlayer() then
    local rounds = player.GetAmmo(5) or 0
    if rounds < 1 then
      PlaySound("no_ammo")
      return 1
    end
    player.SetAmmo(-1, 5, 1)
  end
  local x, y, a = object.GetXForm(holder)
  if not x then return 1 end
  CreateRocket(x + math.cos(a) * ROCKET_MUZZLE, y + math.sin(a) * ROCKET_MUZZLE, a)
  PlaySound("rocket_lask")
  object.SetFrame(holder, POSE.launcher[2])
  d.cooldown = ROCKET_COOLDOWN
  return 1
end

item("teleport", "device", "lua", {
  frame = 52, invtext = "teleport", longtext = "Teleport. Carry it: if you die it brings you back once.",
  oninit = Teleport_OnInit, onactivate = Teleport_OnActivate,
})
item("detector", "device", "lua", {
  frame = 53, invtext = "detector", longtext = "Detector. Select it to see zombie spawners nearby.",
  oninit = Detector_OnInit, onactivate = Detector_OnActivate,
})
item("armour vest", "medkit", "lua", {
  frame = 55, invtext = "vest", longtext = "Armour vest: use it to put it on.",
  shortcutkey = "sc_medkit", onactivate = Vest_OnActivate,
})
item("rocket launcher", "weapon", "lua", {
  frame = 28, invtext = "launcher", longtext = "Rocket launcher. Aim and fire; one rocket per pull.",
  shortcutkey = "sc_4", ammotype = 5,
  oninit = RocketLauncher_OnInit, onequip = RocketLauncher_OnEquip,
  onactivate = RocketLauncher_OnActivate,
})

-- Making items ----------------------------------------------------------------

-- Which engine creator makes each kind. Looked up by name at call time so the
-- engine's functions are found whenever they were registered.
ITEM_CREATORS = {
  weapon = "_CreateWeapon",
  ammo = "_CreateAmmo",
  medkit = "_CreateMedkit",
  bomb = "_CreateBomb",
  simple = "_CreateSimpleItem",
  lua = "_CreateLuaItem",
}

-- Makes the item called name at (x, y) and returns it; nothing for a name
-- that is not in itemtable (the engine reports those).
function CreateItem(x, y, name)
  local entry = itemtable[name]
  if type(entry) ~= "table" then return nil end
  local creator = _G[ITEM_CREATORS[entry.kind] or ""]
  if type(creator) ~= "function" then return nil end
  return creator(x, y, name)
end

-- Combinations ----------------------------------------------------------------
-- AddReaction(result, ingredients...): the combine menu offers the result
-- while every ingredient sits in its own inventory slot.

RECIPES = {
  { "nail gun", "pipe", "nails", "battery" },
  { "nail pack", "nails", "scrap" },
  { "detector", "battery", "magnet", "circuit board" },
  { "time bomb", "canister", "fuel", "tape" },
  { "grenade", "scrap", "fuel", "tape" },
  { "small charge", "fuel", "scrap" },
  { "charge bundle", "time bomb", "time bomb", "tape" },
  { "sticky launcher", "pipe", "canister", "wire" },
  { "sticky charges", "small charge", "tape" },
  { "rocket launcher", "pipe", "pipe", "circuit board" },
  { "rockets", "pipe", "fuel", "wire" },
  { "laser rifle", "lens", "battery", "circuit board", "pipe" },
  { "electric gun", "battery", "wire", "magnet", "pipe" },
  { "energy cells", "battery", "battery" },
  { "double barrel", "pipe", "pipe", "tape" },
  { "teleport", "battery", "lens", "circuit board", "wire" },
  { "large medkit", "small medkit", "small medkit", "tape" },
  { "armour vest", "scrap", "scrap", "tape" },
}

if AddReaction then
  for _, recipe in ipairs(RECIPES) do
    AddReaction(unpack(recipe))
  end
end

-- Enemy drops -----------------------------------------------------------------
-- The engine tells us about every enemy it makes (and every zombie spawner)
-- with AddToRndTable(enemy, kind). What an enemy will leave is rolled then and
-- kept under its handle; DropEnemyLoot(enemy, x, y) puts it on the floor.
-- Handles are only good while the enemy lives, so nothing here touches the
-- enemy itself.

-- Per kind: { chance, item, item, ... }: with that chance one of the items,
-- picked evenly. Soldiers sometimes leave the rifle they fought with: rifle
-- rounds lie in crates from the first level on, and without a rifle they
-- would be dead weight until the foundry. Zombies, most of every crowd and
-- all of a spawner's swarm, sometimes still carry the rounds they had: the
-- foundry's crowds cost more rounds than its crates hold.
DROPS = {
  zombie        = { 0.22, "small medkit", "scrap", "tape", "nails", "fuel", "pistol ammo", "shells", "rifle ammo" },
  soldat        = { 0.45, "rifle ammo", "automaat", "pistol ammo", "small medkit", "grenade" },
  red_soldat    = { 0.55, "rifle ammo", "automaat", "shells", "small medkit", "grenade", "battery" },
  grey_soldat   = { 0.65, "rifle ammo", "automaat", "ammo belt", "large medkit", "time bomb", "circuit board" },
  giant_zombie  = { 0.60, "large medkit", "shells", "canister", "magnet" },
  giant_soldat  = { 0.75, "ammo belt", "large medkit", "time bomb", "sticky charges" },
  skeleton      = { 0.40, "nail pack", "nails", "scrap", "lens" },
  red_commander = { 1.00, "rockets", "large medkit", "charge bundle", "teleport" },
  sentry_gun    = { 0.50, "circuit board", "battery", "wire", "ammo belt" },
  snake         = { 1.00, "teleport", "rockets", "large medkit" },
}

rndtable = rndtable or { enemies = {}, counts = {}, spawners = 0 }

-- Forgets the enemies of the last level; levels call it as they are built.
function ResetRndTable()
  rndtable = { enemies = {}, counts = {}, spawners = 0 }
end

function RollDrop(kind, random)
  local drop = DROPS[kind]
  if not drop then return nil end
  random = random or math.random
  if random() >= drop[1] then return nil end
  return drop[1 + math.floor(random() * (#drop - 1)) + 1] or drop[#drop]
end

function AddToRndTable(enemy, kind)
  kind = tostring(kind)
  rndtable.counts[kind] = (rndtable.counts[kind] or 0) + 1
  if kind == "zombie_spawner" then
    rndtable.spawners = rndtable.spawners + 1
    return
  end
  if enemy == nil then return end
  local drop = RollDrop(kind)
  if drop then
    rndtable.enemies[enemy] = drop
  else
    rndtable.enemies[enemy] = nil
  end
end

-- The item the enemy was to leave, made at (x, y); nothing when it had none.
-- Each enemy drops once.
function DropEnemyLoot(enemy, x, y)
  local drop = rndtable.enemies[enemy]
  if not drop then return nil end
  rndtable.enemies[enemy] = nil
  return CreateItem(x, y, drop)
end

-- Crate stocking lives in loot.lua.
do
  local ok, err = pcall(dofile, "loot.lua")
  if not ok then print("loot.lua: " .. tostring(err) .. "\n") end
end
