-- The foundry, levels 7-9: the furnaces and casting floors under the labs,
-- soot-black firebrick and rusted iron plate in the light of the melt.
zones.foundry = {
  title = "the foundry",
  tint = { 1.0, 0.78, 0.58 },
  wall = 10,  -- block value of the caps on unused connections (spr_sein frame); 11 has a furnace vent
  door = 1,   -- door kind at joints (spr_uks frame): red steel
  music = "foundry",  -- the zone's track (music/foundry.ogg)
}

-- The foundry rooms' trigger scripts -------------------------------------------
--
-- A trigger runs its script without saying which trigger it is, so a script
-- looks up the room it belongs to in the level's plan (levelPlan, kept by
-- BuildLevel) and builds in that room's own coordinates, the ones of its
-- module file. What a room has done (an ambush sprung, a line started) is
-- kept on the room's entry in the plan: once per room and level. A level
-- rebuilt from a save has no plan, and there the scripts do nothing.

-- Per room (module name): where its pieces are, in module coordinates.
FOUNDRY_AMBUSH_ROOMS = {
  -- the ladle store: its one door slams shut behind the player and buried
  -- dead rise among the crates; the lever by the west wall opens it again
  foundry_ladle_store = {
    door = { 0, 5.5, 0 },
    lever = { -6.5, -2.5, math.pi / 2 },
    risers = { { -3.5, -4 }, { 3, -3 }, { -1, -5 }, { 5.5, -2 }, { 1.5, -5.5 } },
  },
}

FOUNDRY_LINE_ROOMS = {
  -- the furnace line: the switch relights the three furnaces, and the dead
  -- come crawling out of their mouths; the line's number lights up on the floor
  foundry_furnace_line = {
    lever = { -8.5, 3.5, math.pi / 2 },
    mouths = { { -6, -3.5 }, { 0, -3.5 }, { 6, -3.5 } },
    sign = { 5.5, 0.5, "3" },
  },
}

local function warn(text)
  print("foundry: " .. text .. "\n")
end

-- How deep the level is (7 when it cannot be told).
local function depth()
  local n = LevelNumber and currentLevel and LevelNumber(currentLevel)
  return tonumber(n) or 7
end

local function playerPosition()
  if not (player and player.GetPlayer and object and object.GetXForm) then return nil end
  return object.GetXForm(player.GetPlayer())
end

-- The placed room of the plan, among the rooms named in `rooms`, that a
-- trigger of theirs fired in: the only one the level has, or the one whose
-- footprint holds the player. Returns it and its entry of `rooms`.
local function roomFor(rooms)
  local plan = levelPlan
  if type(plan) ~= "table" or type(plan.modules) ~= "table" then return nil end
  local found = {}
  for _, placed in ipairs(plan.modules) do
    if type(placed) == "table" and rooms[placed.name] then found[#found + 1] = placed end
  end
  if #found <= 1 then
    if found[1] then return found[1], rooms[found[1].name] end
    return nil
  end
  local px, py = playerPosition()
  if not px then return nil end
  for _, placed in ipairs(found) do
    local f = placed.footprint
    if type(f) == "table" then
      -- the player in the footprint's own frame
      local lx, ly = TransformPoint(px - f.x, py - f.y, 0, 0, -f.a)
      if math.abs(lx) <= f.w / 2 and math.abs(ly) <= f.h / 2 then return placed, rooms[placed.name] end
    end
  end
  return nil
end

-- Runs build() with the creation transform of the placed room, restored
-- afterwards also when build fails.
local function inRoom(placed, build)
  local tx, ty, ta = GetCreationTransform()
  SetCreationTransform(placed.x, placed.y, placed.a)
  local ok, err = pcall(build)
  SetCreationTransform(tx, ty, ta)
  if not ok then warn(tostring(err)) end
end

local function doorSound()
  if PlaySound then pcall(PlaySound, "uks") end
end

-- The ambush: two loose red steel leaves shut the room's door (a door's own
-- leaves would open for the player again), and the buried dead rise.
scripttable.foundry_ambush = function()
  local placed, room = roomFor(FOUNDRY_AMBUSH_ROOMS)
  if not placed or placed.foundryShut ~= nil then return end
  placed.foundryShut = {}
  local kind = ZoneLook("foundry").door
  local risers = math.min(#room.risers, math.max(2, depth() - 4))
  inRoom(placed, function()
    local x, y, a = room.door[1], room.door[2], room.door[3]
    local dx, dy = 0.5 * math.cos(a), 0.5 * math.sin(a)
    placed.foundryShut[1] = CreateBlock(x - dx, y - dy, a, kind, 5)
    placed.foundryShut[2] = CreateBlock(x + dx, y + dy, a, kind, 5)
    for i = 1, risers do
      CreateZombie(room.risers[i][1], room.risers[i][2], "H")
    end
  end)
  doorSound()
end

-- The lever of an ambushed room takes the leaves away again.
scripttable.foundry_shutter_release = function()
  local placed, room = roomFor(FOUNDRY_AMBUSH_ROOMS)
  if not placed or type(placed.foundryShut) ~= "table" then return end
  for _, leaf in ipairs(placed.foundryShut) do object.Delete(leaf) end
  placed.foundryShut = false
  inRoom(placed, function()
    CreateObject(room.lever[1], room.lever[2], room.lever[3], "foundry_lever_thrown")
  end)
  doorSound()
end

-- The line switch: the furnaces light up and each mouth becomes a spawner,
-- and the line's sign comes on.
scripttable.foundry_line_switch = function()
  local placed, room = roomFor(FOUNDRY_LINE_ROOMS)
  if not placed or placed.foundryLive then return end
  placed.foundryLive = true
  local zombies = 1 + math.floor(depth() / 3)
  inRoom(placed, function()
    CreateObject(room.lever[1], room.lever[2], room.lever[3], "foundry_lever_thrown")
    for _, m in ipairs(room.mouths) do
      CreateObject(m[1], m[2] - 0.5, 0, "foundry_glow")
      CreateZSpawner(m[1], m[2], math.pi / 2, zombies)
    end
  end)
  -- labels are not moved by the creation transform: world coordinates
  local x, y = TransformPoint(room.sign[1], room.sign[2], placed.x, placed.y, placed.a)
  CreateTextObj(x, y, room.sign[3])
  doorSound()
end
