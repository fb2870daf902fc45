-- The laboratories, levels 4-6: white clad walls, pale tiles and dark epoxy
-- grates under a cold light. Rooms named labs_* belong here.
zones.labs = {
  title = "the laboratories",
  tint = { 0.80, 0.92, 1.0 },
  wall = 8,  -- block value of the caps on unused connections (spr_sein frame)
  door = 2,  -- door kind at joints (spr_uks frame): blue steel
  music = "labs",  -- the zone's track (music/labs.ogg)
}

-- Trigger scripts of the laboratory rooms --------------------------------
--
-- A trigger runs its script without saying which trigger it is, so a script
-- finds its room in the level's plan (levelPlan, kept by BuildLevel): the
-- placed module of that name, or of several copies the one whose trigger
-- the player stands at. What a script builds is given in the room's own
-- coordinates, as in its module file. Each placed room keeps its own
-- record of what has happened in it (placed.labs), so an ambush goes off
-- once per room and a new level starts afresh.

local function report(text)
  print("labs: " .. text .. "\n")
end

-- The player's position, or nil without a player.
local function playerAt()
  if not (player and player.GetPlayer and object and object.GetXForm) then return nil end
  return object.GetXForm(player.GetPlayer())
end

-- The placed room `name` of the current level whose point (lx, ly) lies
-- nearest the player; nil when the level has no such room.
local function placedRoom(name, lx, ly)
  if type(levelPlan) ~= "table" or type(levelPlan.modules) ~= "table" then return nil end
  local found = {}
  for _, placed in ipairs(levelPlan.modules) do
    if placed.name == name then found[#found + 1] = placed end
  end
  if #found <= 1 then return found[1] end
  local px, py = playerAt()
  if not px then return found[1] end
  local best, bestDistance
  for _, placed in ipairs(found) do
    local x, y = TransformPoint(lx, ly, placed.x, placed.y, placed.a)
    local d = (x - px) ^ 2 + (y - py) ^ 2
    if not bestDistance or d < bestDistance then best, bestDistance = placed, d end
  end
  return best
end

-- Runs build() with the creation transform set to the placed room, so that
-- what it creates stands where the room's own file would put it. The
-- transform is restored afterwards, also when build fails.
local function inRoom(placed, build)
  local tx, ty, ta = GetCreationTransform()
  SetCreationTransform(placed.x, placed.y, placed.a)
  local ok, err = pcall(build)
  SetCreationTransform(tx, ty, ta)
  if not ok then report(placed.name .. ": " .. tostring(err)) end
end

-- A sign in the world, centred on the room's point (lx, ly). Text objects
-- are drawn ten times the font's size from their top-left corner and are
-- not moved by the creation transform, so the point is turned here and the
-- sign kept to a character or two: a letter is over three units wide.
local GLYPH_H = 50 / 12
local function sign(placed, lx, ly, text)
  local x, y = TransformPoint(lx, ly, placed.x, placed.y, placed.a)
  local w = (#text * 4 - 1) * 10 / 12
  return CreateTextObj(x - w / 2, y - GLYPH_H / 2, text)
end

-- The room's record; true the first time `what` is asked for, then false.
local function once(placed, what)
  placed.labs = placed.labs or {}
  if placed.labs[what] then return false end
  placed.labs[what] = true
  return true
end

local function levelNumber()
  return LevelNumber and LevelNumber(currentLevel) or 4
end

-- labs_tank_hall: the hall of sample tanks between two airlock frames.
-- Whichever frame the player comes through, a door slams shut in it behind
-- him, the tanks burst and what was in them comes out. The door opens again
-- for the player like any other: it cuts him off, it does not shut him in.
local TANK_HALL_TANKS = { { -4, -4 }, { 0, -4 }, { 4, -4 }, { -4, 4 }, { 0, 4 }, { 4, 4 } }
local TANK_HALL_FRAMES = { w = { -8, 0 }, e = { 8, 0 } }

local function tankHallAmbush(side)
  local trigger = side == "w" and { -5.8, 0 } or { 5.8, 0 }
  local room = placedRoom("labs_tank_hall", trigger[1], trigger[2])
  if not room or not once(room, "ambush") then return end
  local frame = TANK_HALL_FRAMES[side]
  local level = levelNumber()
  inRoom(room, function()
    CreateDoor(frame[1], frame[2], 1.570796, zones.labs.door)
    for i, tank in ipairs(TANK_HALL_TANKS) do
      CreateObject(tank[1], tank[2], 0, "labs_tank_broken")
      -- out of the tank, on the side towards the hall's middle row
      local out = tank[2] < 0 and 1.4 or -1.4
      if i % 2 == 1 or level >= 5 then
        CreateZombie(tank[1], tank[2] + out, (level >= 6 and i % 3 == 0) and "010" or "000")
      end
    end
  end)
  -- a warning on the floor between the tanks, on the side the player came in
  sign(room, side == "w" and -2 or 2, -4, "!")
  if PlaySound then pcall(PlaySound, "uks") end
end

scripttable.labs_ambush_w = function() tankHallAmbush("w") end
scripttable.labs_ambush_e = function() tankHallAmbush("e") end

-- labs_cold_store: the switch by the pods starts the thaw cycle. The store
-- hands out a locker of supplies, and the sleepers in the pods wake: a
-- spawner at the pods lets them out while the player is near.
scripttable.labs_thaw = function()
  local room = placedRoom("labs_cold_store", -6.2, 2)
  if not room or not once(room, "thaw") then return end
  local level = levelNumber()
  inRoom(room, function()
    CreateObject(-7.26, 2, 1.570796, "labs_switch_on")
    local locker = CreateContainer(6.1, 1, -1.570796, "spr_hiteckast")
    if locker and container and container.AddItem then
      container.AddItem(locker, "large medkit")
      if StockCrate then StockCrate(locker, level, "spr_hiteckast") end
    end
    CreateZSpawner(-3.8, 3.5, 3.141593, math.max(2, level - 2))
  end)
  sign(room, -6, 7.5, "!")
end
