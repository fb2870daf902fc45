-- Enemies of a generated level. BuildLevel calls PopulateLevel(plan, level,
-- seed) once the modules stand: every room and passage except the start room
-- gets enemies on free floor, more and worse ones the deeper the level.
--
-- Free floor is found per module: the module's own CreateObjects is run with
-- recording stand-ins for the creators, so the walls, pillars, crates and
-- doors it would build are known in module coordinates. A spot is a point of
-- a 1-unit grid inside the walls with its distance to the nearest wall or
-- obstacle; an enemy takes a spot with room enough for its size.

-- No enemy closer than this to the player's arrival point (0, 0): well
-- beyond what any placed enemy sees (the red robot, 12), so that no level
-- begins under fire through the start room's doors, and the rooms next to
-- the start, whose enemies would walk in at once, are left quiet: the
-- player has a moment to look round before the level's crowds find him.
SPAWN_CLEARANCE = 18

-- Random numbers of the population: the same recurrence as the level planner,
-- on a seed of its own, so the same level always gets the same enemies.
local function newRandom(seed)
  local state = math.floor(math.abs(seed)) % 2147483646 + 1
  local random = {}
  function random.next()
    state = (state * 16807) % 2147483647
    return state
  end
  function random.int(n)
    return random.next() % n + 1
  end
  function random.float()
    return random.next() / 2147483647
  end
  function random.chance(p)
    return random.float() < p
  end
  return random
end

-- Obstacles ----------------------------------------------------------------

-- Half sizes of what a module builds on its floor; floor pictures, path
-- nodes, markers and triggers do not stand in the way.
local OBSTACLE_HALF = {
  CreateBlock = 1.0,
  CreateObject = 1.0,
  CreateContainer = 0.8,
  CreateDoor = 1.5,
}

-- By the module's CreateObjects, so a module saved again from the editor is
-- looked at afresh.
local obstacleCache = setmetatable({}, { __mode = "k" })

local function moduleObstacles(name)
  local m = modlist[name]
  if obstacleCache[m.CreateObjects] then return obstacleCache[m.CreateObjects] end
  local list = {}
  local env = {}
  for creator, half in pairs(OBSTACLE_HALF) do
    env[creator] = function(x, y)
      if type(x) == "number" and type(y) == "number" then
        list[#list + 1] = { x = x, y = y, half = half }
      end
    end
  end
  setmetatable(env, { __index = function(_, key)
    if type(key) == "string" and string.match(key, "^Create") then
      return function() end
    end
    return _G[key]
  end })
  local previous = getfenv(m.CreateObjects)
  setfenv(m.CreateObjects, env)
  local ok, err = pcall(m.CreateObjects)
  setfenv(m.CreateObjects, previous)
  if not ok then print("population: module " .. name .. ": " .. tostring(err) .. "\n") end
  obstacleCache[m.CreateObjects] = list
  return list
end

-- Free floor of a placed module: { x, y (level), room (distance to the
-- nearest wall or obstacle), doorway (distance to the nearest of the
-- module's joints) }, spots near the arrival point left out.
local function freeSpots(placed)
  local m = modlist[placed.name]
  local ix, iy = math.abs(m.w) / 2 - 1, math.abs(m.h) / 2 - 1
  local obstacles = moduleObstacles(placed.name)
  local spots = {}
  local function doorway(x, y)
    local nearest = math.huge
    for _, joint in ipairs(m) do
      local dx, dy = x - joint.x, y - joint.y
      nearest = math.min(nearest, math.sqrt(dx * dx + dy * dy))
    end
    return nearest
  end
  local x = -ix + 0.5
  while x <= ix - 0.5 do
    local y = -iy + 0.5
    while y <= iy - 0.5 do
      local room = math.min(ix - math.abs(x), iy - math.abs(y))
      for _, o in ipairs(obstacles) do
        local dx = math.max(math.abs(x - o.x) - o.half, 0)
        local dy = math.max(math.abs(y - o.y) - o.half, 0)
        local d = math.sqrt(dx * dx + dy * dy)
        if d < room then room = d end
      end
      if room > 0 then
        local wx, wy = TransformPoint(x, y, placed.x, placed.y, placed.a)
        if wx * wx + wy * wy >= SPAWN_CLEARANCE * SPAWN_CLEARANCE then
          spots[#spots + 1] = { x = wx, y = wy, room = room, doorway = doorway(x, y) }
        end
      end
      y = y + 1
    end
    x = x + 1
  end
  return spots
end

-- Difficulty ---------------------------------------------------------------

-- The room each kind needs around its spot, and the gap kept to the next enemy.
local SIZE = {
  zombie = 0.8, soldier = 0.8, red_soldier = 0.8, grey_soldier = 0.8, skeleton = 0.9, spawner = 1.0, turret = 1.0,
  big_zombie = 1.6, big_soldier = 1.6, red_robot = 1.5, snake = 3.5,
}

-- Guns by depth: soldiers carry what fits the level.
local GUNS = {
  { "pistol" },
  { "pistol", "pistol", "revolver" },
  { "pistol", "revolver", "machine pistol" },
  { "revolver", "machine pistol", "automaat" },
  { "automaat", "machine pistol", "submachine gun" },
  { "automaat", "submachine gun", "shotgun" },
  { "automaat", "shotgun", "submachine gun" },
  { "automaat", "shotgun", "heavy mg" },
  { "shotgun", "heavy mg", "double barrel", "automaat" },
  { "heavy mg", "shotgun", "double barrel", "automaat" },
}

local function gunFor(level, random)
  local list = GUNS[math.max(1, math.min(level, #GUNS))]
  return list[random.int(#list)]
end

local function share(total, part, from, level)
  if level < from then return 0 end
  return math.max(1, math.floor(total * part + 0.5))
end

-- How many of each kind level `level` gets. The roaming crowd grows about
-- 1.3 times a level; new kinds join it as the levels go deeper and take a
-- share of it, the rest are zombies.
-- The difficulty scales the crowd and the spawners' zombies ("normal" is 1).
function LevelPopulation(level)
  level = LevelNumber and LevelNumber(level) or 1
  local crowd = 1
  if GetDifficulty then
    local _, _, enemyCount = GetDifficulty()
    crowd = enemyCount
  end
  local total = math.floor(5 * 1.3 ^ (level - 1) * crowd + 0.5)
  local n = {
    soldier = share(total, 0.15, 2, level),
    skeleton = share(total, 0.08, 3, level),
    red_soldier = share(total, 0.12, 4, level),
    big_zombie = share(total, 0.05, 4, level),
    grey_soldier = share(total, 0.10, 6, level),
    red_robot = share(total, 0.03, 6, level),
    big_soldier = share(total, 0.04, 7, level),
  }
  local others = 0
  for _, count in pairs(n) do others = others + count end
  n.zombie = total - others
  -- Hidden zombies lie buried until the player comes near; blue ones from
  -- level 5 on are the tougher sort.
  n.hiddenShare = 0.3
  n.blueShare = level >= 5 and math.min(0.15 + 0.05 * (level - 5), 0.4) or 0
  n.spawner = level >= 3 and 1 + math.floor((level - 3) / 3) or 0
  n.spawnerZombies = math.floor((3 + level) * crowd + 0.5)
  n.turret = level >= 5 and 1 + math.floor((level - 5) / 2) or 0
  n.snake = level >= 8 and (level >= 10 and 2 or 1) or 0
  n.gateGuard = level >= 3
  -- The last level's gate room is the finale's arena: the strongest of the
  -- level's enemies hold it, taken from its share of the crowd.
  if level >= (DeepestLevel and DeepestLevel() or 10) then
    n.arena = { big_soldier = 2, red_robot = 2, turret = 2, snake = 1 }
  end
  return n
end

-- Placing ------------------------------------------------------------------

-- A module's name within its zone (labs_corridor_glass is a corridor).
local function partName(name)
  if ModuleZone then
    local _, rest = ModuleZone(name)
    return rest
  end
  return name
end

local function isPassageName(name)
  name = partName(name)
  return string.match(name, "^corridor_") ~= nil or string.match(name, "^junction_") ~= nil
end

-- What never moves from its spot (a turret's wreck stays there too) keeps
-- this far from the doorways: one just inside a door would fire into the
-- face of whoever opens it and leave him a squeeze past it.
local FIXED = { turret = true, spawner = true }
DOORWAY_CLEARANCE = 4

local function fits(spot, kind)
  return spot.room >= (SIZE[kind] or 1) and (not FIXED[kind] or spot.doorway >= DOORWAY_CLEARANCE)
end

-- Takes a random spot that fits `kind` and keeps the next enemies its size
-- + 1 away from it. Nil when the area is full.
local function takeSpot(area, kind, random)
  local size = SIZE[kind] or 1
  local fitting = {}
  for i, s in ipairs(area.spots) do
    if fits(s, kind) then fitting[#fitting + 1] = i end
  end
  if #fitting == 0 then return nil end
  local spot = area.spots[fitting[random.int(#fitting)]]
  local keep = {}
  local gap = size + 1
  for _, s in ipairs(area.spots) do
    local dx, dy = s.x - spot.x, s.y - spot.y
    if dx * dx + dy * dy >= gap * gap then keep[#keep + 1] = s end
  end
  area.spots = keep
  return spot
end

-- An area for `kind`, picked by floor size (passages count half); nil when
-- none has room left.
local function pickArea(areas, kind, random, filter)
  local total, list = 0, {}
  for _, area in ipairs(areas) do
    if not filter or filter(area) then
      for _, s in ipairs(area.spots) do
        if fits(s, kind) then
          list[#list + 1] = area
          total = total + area.weight
          break
        end
      end
    end
  end
  if #list == 0 then return nil end
  local r = random.float() * total
  for _, area in ipairs(list) do
    r = r - area.weight
    if r < 0 then return area end
  end
  return list[#list]
end

-- Puts the enemies of level `levelNumber` into the built `plan`; the same
-- plan, level and seed give the same enemies. Returns the list of what was
-- made: { kind, x, y } in level coordinates.
function PopulateLevel(plan, levelNumber, seed)
  if type(plan) ~= "table" or type(plan.modules) ~= "table" then return {} end
  local level = LevelNumber and LevelNumber(levelNumber) or 1
  local random = newRandom((tonumber(seed) or 1) * 31 + level * 7717 + 1)
  local want = LevelPopulation(level)

  local areas, gateArea = {}, nil
  local largest = 0
  for _, placed in ipairs(plan.modules) do
    local m = modlist[placed.name]
    if m and not string.match(partName(placed.name), "^start_") then
      local floor = math.abs(m.w * m.h)
      local area = { placed = placed, spots = freeSpots(placed), floor = floor,
                     weight = isPassageName(placed.name) and floor / 2 or floor }
      if #area.spots > 0 then
        areas[#areas + 1] = area
        if placed == plan.gate then gateArea = area end
        if not isPassageName(placed.name) and floor > largest then largest = floor end
      end
    end
  end

  local made = {}
  local tx, ty, ta = GetCreationTransform()
  SetCreationTransform(0, 0, 0)

  local function put(kind, area, create)
    local spot = area and takeSpot(area, kind, random)
    if not spot then return false end
    local angle = (random.float() * 2 - 1) * math.pi
    local ok, err = pcall(create, spot.x, spot.y, angle)
    if not ok then
      print("population: " .. kind .. ": " .. tostring(err) .. "\n")
      return false
    end
    made[#made + 1] = { kind = kind, x = spot.x, y = spot.y }
    return true
  end

  -- The finale's arena holds its garrison and nothing else: the rest of the
  -- crowd in there too made one room of seventeen, every heavy among them.
  local function anywhere(kind, create, filter)
    local allowed = filter
    if want.arena and gateArea then
      allowed = function(area) return area ~= gateArea and (not filter or filter(area)) end
    end
    return put(kind, pickArea(areas, kind, random, allowed), create)
  end

  local function soldier(creator)
    return function(x, y) creator(x, y, gunFor(level, random)) end
  end

  -- The finale's arena: its garrison first, while the gate room's floor is
  -- free, counted off the rest of the level.
  local ARENA_ORDER = { "snake", "big_soldier", "red_robot", "turret" }
  local ARENA_CREATE = {
    snake = function(x, y, a) CreateSnake(x, y, a) end,
    big_soldier = function(x, y) CreateBigSoldier(x, y) end,
    red_robot = function(x, y) CreateRedRobot(x, y) end,
    turret = function(x, y, a) CreateTurret(x, y, a) end,
  }
  if want.arena and gateArea then
    for _, kind in ipairs(ARENA_ORDER) do
      for _ = 1, want.arena[kind] or 0 do
        if put(kind, gateArea, ARENA_CREATE[kind]) then want[kind] = math.max(0, (want[kind] or 0) - 1) end
      end
    end
  end

  -- The gate room's guard stands between the player and the way out.
  if want.gateGuard and gateArea and not want.arena then
    if level >= 9 then
      put("big_soldier", gateArea, function(x, y) CreateBigSoldier(x, y) end)
    elseif level >= 7 then
      put("grey_soldier", gateArea, soldier(CreateGreySoldier))
    elseif level >= 5 then
      put("red_soldier", gateArea, soldier(CreateRedSoldier))
    else
      put("soldier", gateArea, soldier(CreateSoldier))
    end
  end

  -- Snakes only in the largest rooms: they need the floor to coil on.
  local function largeRoom(area)
    return not isPassageName(area.placed.name) and area.floor >= largest and area.floor >= 350
  end
  for _ = 1, want.snake do
    anywhere("snake", function(x, y, a) CreateSnake(x, y, a) end, largeRoom)
  end

  -- Turrets and spawners belong in rooms, not in the passages.
  local function room(area) return not isPassageName(area.placed.name) end
  for _ = 1, want.turret do
    anywhere("turret", function(x, y, a) CreateTurret(x, y, a) end, room)
  end
  for _ = 1, want.spawner do
    anywhere("spawner", function(x, y, a) CreateZSpawner(x, y, a, want.spawnerZombies) end, room)
  end

  for _ = 1, want.big_soldier do anywhere("big_soldier", function(x, y) CreateBigSoldier(x, y) end) end
  for _ = 1, want.red_robot do anywhere("red_robot", function(x, y) CreateRedRobot(x, y) end) end
  for _ = 1, want.big_zombie do anywhere("big_zombie", function(x, y) CreateBigZombie(x, y) end) end
  for _ = 1, want.grey_soldier do anywhere("grey_soldier", soldier(CreateGreySoldier)) end
  for _ = 1, want.red_soldier do anywhere("red_soldier", soldier(CreateRedSoldier)) end
  for _ = 1, want.soldier do anywhere("soldier", soldier(CreateSoldier)) end
  for _ = 1, want.skeleton do anywhere("skeleton", function(x, y) CreateMSkeleton(x, y) end) end
  for _ = 1, want.zombie do
    local hidden = random.chance(want.hiddenShare) and "1" or "0"
    local blue = random.chance(want.blueShare) and "1" or "0"
    anywhere("zombie", function(x, y) CreateZombie(x, y, hidden .. blue .. "0") end)
  end

  SetCreationTransform(tx, ty, ta)
  return made
end
