-- The core, level 10: the reactor at the bottom of the complex. Dark alloy
-- under violet light, live conduits in the floor and red warning beacons;
-- its gate room is the finale's arena.
zones.core = {
  title = "the core",
  tint = { 0.9, 0.78, 1.0 },
  wall = 12,  -- dark alloy with a violet light line (13 is the red-lit vent)
  door = 3,   -- the core's dark alloy door leaf
  music = "core",  -- the zone's track (music/core.ogg)
}

-- Trigger scripts of the core's rooms ------------------------------------------

local playerIn = PlayerInModule

-- True when some placed module called `name` still waits for its event:
-- its field `done` is still unset. The triggers fire again and again while
-- the player stands on them; this spares finding him each time.
local function anyWaiting(name, done)
  if type(levelPlan) ~= "table" or type(levelPlan.modules) ~= "table" then return false end
  for _, m in ipairs(levelPlan.modules) do
    if m.name == name and m[done] == nil then return true end
  end
  return false
end

-- A point of placed module `m` in level coordinates.
local function inRoom(m, x, y)
  return TransformPoint(x, y, m.x, m.y, m.a)
end

-- The arrival (core_start_uplink, core_start_shaft): the name of the place
-- lit on the floor beyond the landing, once per level. A label stands ten
-- times the font's size (a letter is over three units wide), so the words
-- of the core are short. The start room stands at the origin, so its own
-- coordinates are the level's.
local ARRIVAL_TEXT = {
  core_start_uplink = { -6.5, -7.5 },
  core_start_shaft = { -6.5, -5.5 },
}

scripttable.core_arrival = function()
  if type(levelPlan) ~= "table" or levelPlan.coreArrived then return end
  levelPlan.coreArrived = true
  local start = levelPlan.modules and levelPlan.modules[1]
  local at = start and ARRIVAL_TEXT[start.name] or { -6.5, -7.5 }
  CreateTextObj(at[1], at[2], "10")
end

-- The arenas (core_gate_reactor, core_gate_heart): stepping in from the
-- door lights a warning by the gate and sets the reactor humming. A level
-- has one gate room, so the plan's gate is the room; once per level.
local ARENA_TEXT = {
  core_gate_reactor = { -3.0, -6.0 },
  core_gate_heart = { 3.5, -7.0 },
}

scripttable.core_arena_notice = function()
  local m = type(levelPlan) == "table" and levelPlan.gate
  if type(m) ~= "table" or m.coreNoticed or not ARENA_TEXT[m.name] then return end
  m.coreNoticed = true
  local t = ARENA_TEXT[m.name]
  local x, y = inRoom(m, t[1], t[2])
  CreateTextObj(x, y, "!!")
  PlaySound("turret_drone")
end

-- The vault (core_vault): reaching for its crates locks the vault down. A
-- red-lit bulkhead drops into the doorway behind the player and the blue
-- dead come up out of the conduits in the hall outside, to wait for him at
-- the door. Either release plate at the back of the vault lifts the bulkhead.
local VAULT_DOOR = { 0, 2.5 }
local VAULT_WAKING = { { -6, 0.5 }, { 6, 0.5 }, { -4, -3.5 }, { 4, -3.5 } }

scripttable.core_lockdown = function()
  if not anyWaiting("core_vault", "coreLocked") then return end
  local m = playerIn("core_vault", 10)
  if not m or m.coreLocked ~= nil then return end
  -- nil: not yet; a block: locked down; false: released.
  local x, y = inRoom(m, VAULT_DOOR[1], VAULT_DOOR[2])
  m.coreLocked = CreateBlock(x, y, m.a, zones.core.wall + 1, 0)
  for _, p in ipairs(VAULT_WAKING) do
    local zx, zy = inRoom(m, p[1], p[2])
    CreateZombie(zx, zy, "01")
  end
  local tx, ty = inRoom(m, -1.5, -1.0)
  CreateTextObj(tx, ty, "!!")
  PlaySound("uks")
end

scripttable.core_release = function()
  local locked = false
  for _, m in ipairs(type(levelPlan) == "table" and levelPlan.modules or {}) do
    if m.name == "core_vault" and m.coreLocked then locked = true end
  end
  if not locked then return end
  local m = playerIn("core_vault", 10)
  if not m or not m.coreLocked then return end
  object.Delete(m.coreLocked)
  m.coreLocked = false
  PlaySound("uks")
end

-- The coolant hall (core_coolant): the pump console in the store room
-- starts the pumps, and the sump in the far corner of the hall starts
-- giving up its dead; the word is lit over the sump. Once per placed room.
local SUMP = { 5, 5.5 }

scripttable.core_pumps = function()
  if not anyWaiting("core_coolant", "corePumping") then return end
  local m = playerIn("core_coolant", 12)
  if not m or m.corePumping then return end
  m.corePumping = true
  local x, y = inRoom(m, SUMP[1], SUMP[2])
  CreateZSpawner(x, y, m.a - 2.3, 5)
  local tx, ty = inRoom(m, 0.5, 3.0)
  CreateTextObj(tx, ty, "ON")
  PlaySound("beep")
end
