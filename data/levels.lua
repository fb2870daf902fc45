-- Levels: the module files under mods/, placing a module, and the generator
-- that every level directory uses to put a level together from modules.
--
-- A module file (written by the module editor, F7) defines modlist.<name>
-- with w and h (the selection's size, negated), its connection points
-- {x, y, a} relative to the module's centre (a points out of the module), and
-- CreateObjects(), which builds the module through the creation transform.
--
-- A module belongs to the zone its name begins with (labs_start_lobby is a
-- room of the laboratories); a name without a zone's prefix belongs to the
-- first zone, the maintenance decks. The rest of the name, after the zone,
-- chooses the module's part in a level:
--   start_*  the room a level begins in (its centre is the arrival point)
--   gate_*   the room with the teleporter gate; one connection
--   anything else joins the pool the level grows from; corridor_* and
--   junction_* count as passages, the rest as rooms.
-- A level draws only the modules of its zone (level.zone in its script.lua).

modlist = modlist or {}
scripttable = scripttable or {}

-- The zones, one file each under zones/: the look of a part of the campaign
-- (its light tint, wall block and door kind) and the scripts of its rooms'
-- triggers.
zones = zones or {}
DEFAULT_ZONE = "decks"

-- The levels in the order they are played; the gate of the last one is the
-- way out of the game.
levels = {
  "level1", "level2", "level3", "level4", "level5",
  "level6", "level7", "level8", "level9", "level10",
}

-- The deepest level: loot and enemies of a level numbered deeper (a level
-- named "level99") are those of this one.
function DeepestLevel()
  return #levels
end

function NextLevel(name)
  for i, level in ipairs(levels) do
    if level == name then return levels[i + 1] end
  end
  return nil
end

-- Frames of the arrival effect that opens every level (the engine's): a
-- level's track fades in after it.
ARRIVAL_FRAMES = 126
MUSIC_FADE_IN_MS = 2000

-- The teleporter gate of the gate room: off to the next level, or out of
-- the game through the last one. The sting plays once at the teleport;
-- the win page that follows the last gate plays `winmusic`.
scripttable.gate = function()
  local nextLevel = NextLevel(currentLevel)
  if nextLevel then
    if PlayMusic then PlayMusic("sting", 0, 0, true) end
    LoadLevel(nextLevel, 1)
  elseif currentLevel == levels[#levels] then
    if PlayMusic then PlayMusic("sting", 0, 0, true) end
    FinishCampaign()
  end
end

local function report(text)
  print(text .. "\n")
end

-- Module files ---------------------------------------------------------------

-- Bounds on what a module may be: the generator walks a module's floor in
-- unit steps and tries every connection, so a size or a count without bounds
-- (a broken or hand-edited file) would keep it busy for good.
local MAX_MODULE_SIDE = 256
local MAX_CONNECTIONS = 32

local function finite(v, limit)
  return type(v) == "number" and v == v and math.abs(v) <= limit
end

-- Nil for a proper module, else what is wrong with it.
local function moduleProblem(m)
  if type(m) ~= "table" or type(m.w) ~= "number" or type(m.h) ~= "number"
      or type(m.CreateObjects) ~= "function" then
    return "does not define it"
  end
  if not finite(m.w, MAX_MODULE_SIDE) or not finite(m.h, MAX_MODULE_SIDE) then
    return "has a size beyond " .. MAX_MODULE_SIDE .. " units"
  end
  if #m > MAX_CONNECTIONS then return "has more than " .. MAX_CONNECTIONS .. " connections" end
  for _, c in ipairs(m) do
    if type(c) ~= "table" or not finite(c.x, MAX_MODULE_SIDE) or not finite(c.y, MAX_MODULE_SIDE)
        or not finite(c.a, 100) then
      return "has a broken connection"
    end
  end
  return nil
end

local function isModule(m)
  return moduleProblem(m) == nil
end

-- Loads module file `path` into modlist.<name>; nil when it is a proper
-- module, else what is wrong (modlist.<name> is then cleared).
local function loadModuleFile(name, path)
  local chunk, err = loadfile(path)
  local ok = chunk ~= nil
  if ok then ok, err = pcall(chunk) end
  local problem
  if not ok then
    problem = "module " .. path .. " is broken: " .. tostring(err)
  elseif moduleProblem(modlist[name]) then
    problem = "module " .. path .. ": modlist." .. name .. " " .. moduleProblem(modlist[name])
  end
  if problem then modlist[name] = nil end
  return problem
end

-- Reads every <name>.lua of the directories into modlist and lists the good
-- ones with AddModule, in name order. A later directory's file comes before an
-- earlier one of the same name: the player's own copy of a shipped room wins.
-- A file that fails to load or does not define a proper modlist.<name> is
-- reported, and the earlier file of that name is used instead (the shipped
-- room when the player's copy is broken); a name with no good file is left out.
function LoadModules(dirs)
  if type(dirs) == "string" then dirs = { dirs } end
  local paths, names = {}, {}
  for _, dir in ipairs(dirs) do
    for entry in string.gmatch(_PrintDirectory(dir), "[^\n]+") do
      local name = string.match(entry, "^([%a_][%w_]*)%.lua$")
      if name then
        if not paths[name] then
          names[#names + 1] = name
          paths[name] = {}
        end
        table.insert(paths[name], 1, dir .. "/" .. name .. ".lua")
      end
    end
  end
  table.sort(names)
  local loaded = {}
  for _, name in ipairs(names) do
    for _, path in ipairs(paths[name]) do
      local problem = loadModuleFile(name, path)
      if not problem then
        loaded[#loaded + 1] = name
        AddModule(name)
        break
      end
      report(problem)
    end
  end
  return loaded
end

-- Modules whose last build stopped part way, with the error that stopped it:
-- F7 will not save the part that was built over the module's file.
partlyBuiltModules = partlyBuiltModules or {}

-- Builds module `name` with its centre at (x, y), turned by a. The creation
-- transform is restored afterwards, also when the module fails.
function PlaceModule(x, y, a, name)
  local m = modlist[name]
  if not m then
    report("no module named " .. tostring(name))
    return false
  end
  local tx, ty, ta = GetCreationTransform()
  SetCreationTransform(x, y, a)
  local ok, err = pcall(m.CreateObjects)
  SetCreationTransform(tx, ty, ta)
  if ok then
    partlyBuiltModules[name] = nil
  else
    partlyBuiltModules[name] = tostring(err)
    report("module " .. name .. " stopped building part way: " .. tostring(err))
  end
  return ok
end

-- Geometry -----------------------------------------------------------------

local HALF_WALL = 1.0   -- walls are 2 x 2 blocks centred on the module's edge
local MARGIN = 0.05     -- neighbours may touch along a shared connection

-- The ground a module covers in module coordinates: its rectangle reaches the
-- wall centres, or the outer face where a connection point sits, so the
-- sides without connections grow by half a wall.
local function localFootprint(m)
  local hw, hh = math.abs(m.w) / 2, math.abs(m.h) / 2
  local grow = { left = HALF_WALL, right = HALF_WALL, top = HALF_WALL, bottom = HALF_WALL }
  for _, c in ipairs(m) do
    local dx, dy = math.cos(c.a), math.sin(c.a)
    if math.abs(dx) > math.abs(dy) then
      grow[dx > 0 and "right" or "left"] = 0
    else
      grow[dy > 0 and "bottom" or "top"] = 0
    end
  end
  local x0, x1 = -hw - grow.left + MARGIN, hw + grow.right - MARGIN
  local y0, y1 = -hh - grow.top + MARGIN, hh + grow.bottom - MARGIN
  return (x0 + x1) / 2, (y0 + y1) / 2, x1 - x0, y1 - y0
end

-- The footprint of a placed module as an oriented rectangle {x, y, a, w, h}.
function ModuleFootprint(name, x, y, a)
  local cx, cy, w, h = localFootprint(modlist[name])
  local fx, fy = TransformPoint(cx, cy, x, y, a)
  return { x = fx, y = fy, a = a, w = w, h = h }
end

local function normalAngle(a)
  a = math.fmod(a, 2 * math.pi)
  if a <= -math.pi then a = a + 2 * math.pi end
  if a > math.pi then a = a - 2 * math.pi end
  return a
end

-- Connection point i of a module placed at (x, y, a), in level coordinates.
local function connectionAt(m, i, x, y, a)
  local c = m[i]
  local cx, cy = TransformPoint(c.x, c.y, x, y, a)
  return cx, cy, normalAngle(c.a + a)
end

-- Where module `name` goes so that its connection j meets the outward
-- connection at (cx, cy) pointing along ca: facing it, on the same point.
function AttachModule(name, j, cx, cy, ca)
  local c = modlist[name][j]
  local a = normalAngle(ca + math.pi - c.a)
  local rx, ry = TransformPoint(c.x, c.y, 0, 0, a)
  return cx - rx, cy - ry, a
end

-- Random numbers of a level: the same seed gives the same level everywhere.
local function newRandom(seed)
  local state = math.floor(math.abs(seed)) % 2147483646 + 1
  local random = {}
  function random.next()
    state = (state * 16807) % 2147483647
    return state
  end
  -- An integer 1..n.
  function random.int(n)
    return random.next() % n + 1
  end
  function random.chance(p)
    return random.next() / 2147483647 < p
  end
  return random
end

-- Zones --------------------------------------------------------------------

-- Runs every zones/<name>.lua in name order; a broken one is reported and
-- the others still load. Each defines zones.<name>.
function LoadZones(dir)
  for entry in string.gmatch(_PrintDirectory(dir), "[^\n]+") do
    if string.match(entry, "^[%a_][%w_]*%.lua$") then
      local ok, err = pcall(dofile, dir .. "/" .. entry)
      if not ok then report("zone " .. dir .. "/" .. entry .. " is broken: " .. tostring(err)) end
    end
  end
end

-- The zone a module belongs to and its name within the zone.
function ModuleZone(name)
  local zone, rest = string.match(name, "^([%a][%w]*)_(.+)$")
  if zone and (zones[zone] or zone == DEFAULT_ZONE) then return zone, rest end
  return DEFAULT_ZONE, name
end

-- The zone of a level description: its own when there is one, else the
-- first zone (reported when the script names a zone that does not exist).
function LevelZone(level)
  local zone = level and level.zone
  if zone == nil then return DEFAULT_ZONE end
  if type(zone) == "string" and (zones[zone] or zone == DEFAULT_ZONE) then return zone end
  report("level " .. tostring(level.name) .. ": no zone named " .. tostring(zone) .. ", using " .. DEFAULT_ZONE)
  return DEFAULT_ZONE
end

-- The look of a zone, with the first zone's plain defaults for what it does
-- not say.
function ZoneLook(zone)
  local z = zones[zone] or {}
  local tint = type(z.tint) == "table" and z.tint or {}
  local function channel(v)
    v = tonumber(v)
    if not v or v ~= v then return 1 end
    return math.max(0, math.min(1, v))
  end
  return {
    title = z.title or zone,
    tint = { channel(tint[1]), channel(tint[2]), channel(tint[3]) },
    wall = math.floor(tonumber(z.wall) or 0),
    door = math.floor(tonumber(z.door) or 0),
    music = type(z.music) == "string" and z.music or nil,  -- a track in music/
  }
end

-- For the rooms' trigger scripts: the placed module called `name` nearest to
-- the player in the plan of the level being played, with the player's position in that module's own
-- coordinates; nil when there is no such module within reach (a trigger met
-- in the editor, or no player).
function PlayerInModule(name, reach)
  if type(levelPlan) ~= "table" or type(levelPlan.modules) ~= "table" then return nil end
  local who = player.GetPlayer()
  if not who then return nil end
  local px, py = object.GetXForm(who)
  if type(px) ~= "number" or type(py) ~= "number" then return nil end
  local best, bestDistance
  for _, m in ipairs(levelPlan.modules) do
    if m.name == name and type(m.x) == "number" and type(m.y) == "number" and type(m.a) == "number" then
      local d = (m.x - px) ^ 2 + (m.y - py) ^ 2
      if not best or d < bestDistance then best, bestDistance = m, d end
    end
  end
  if not best or bestDistance > reach * reach then return nil end
  local dx, dy = px - best.x, py - best.y
  local c, s = math.cos(best.a), math.sin(best.a)
  return best, dx * c + dy * s, -dx * s + dy * c
end

-- Planning -----------------------------------------------------------------

local function isPassage(name)
  return string.match(name, "^corridor_") ~= nil or string.match(name, "^junction_") ~= nil
end

-- The modules a level of `zone` (default: the first zone) may use, by part,
-- in name order.
function ModuleParts(zone)
  zone = zone or DEFAULT_ZONE
  local names = {}
  for name, m in pairs(modlist) do
    if isModule(m) then names[#names + 1] = name end
  end
  table.sort(names)
  local parts = { start = {}, gate = {}, rooms = {}, passages = {} }
  for _, name in ipairs(names) do
    local own, rest = ModuleZone(name)
    if own == zone then
      if string.match(rest, "^start_") then
        parts.start[#parts.start + 1] = name
      elseif string.match(rest, "^gate_") then
        parts.gate[#parts.gate + 1] = name
      elseif #modlist[name] > 0 then
        local list = isPassage(rest) and parts.passages or parts.rooms
        list[#list + 1] = name
      end
    end
  end
  return parts
end

local function fits(plan, name, x, y, a)
  local f = ModuleFootprint(name, x, y, a)
  for _, placed in ipairs(plan.modules) do
    local g = placed.footprint
    if _IntersectOBB(f.x, f.y, f.a, f.w, f.h, g.x, g.y, g.a, g.w, g.h) == 1 then return false end
  end
  return true, f
end

local function addModule(plan, name, x, y, a)
  local m = modlist[name]
  local placed = { name = name, x = x, y = y, a = a, connections = {} }
  placed.footprint = ModuleFootprint(name, x, y, a)
  for i = 1, #m do
    local cx, cy, ca = connectionAt(m, i, x, y, a)
    placed.connections[i] = { x = cx, y = cy, a = ca, state = "open", fails = 0, owner = placed }
  end
  plan.modules[#plan.modules + 1] = placed
  return placed
end

local function join(a, b)
  a.state, b.state = "used", "used"
  a.peer, b.peer = b, a
end

-- A new module's other connections that land on an open connection facing
-- them close a loop.
local function closeLoops(plan, placed)
  for _, c in ipairs(placed.connections) do
    if c.state == "open" then
      for _, other in ipairs(plan.modules) do
        if other ~= placed then
          for _, d in ipairs(other.connections) do
            if d.state == "open" and math.abs(c.x - d.x) < 0.01 and math.abs(c.y - d.y) < 0.01
                and math.abs(normalAngle(c.a - d.a - math.pi)) < 0.01 then
              join(c, d)
            end
          end
        end
      end
    end
  end
end

-- Tries to hang module `name` on connection `open` by each of its own
-- connections, starting at a random one.
local function tryAttach(plan, random, open, name)
  local m = modlist[name]
  local first = random.int(#m)
  for k = 0, #m - 1 do
    local j = (first + k - 1) % #m + 1
    local x, y, a = AttachModule(name, j, open.x, open.y, open.a)
    if fits(plan, name, x, y, a) then
      local placed = addModule(plan, name, x, y, a)
      join(open, placed.connections[j])
      closeLoops(plan, placed)
      return placed
    end
  end
  return nil
end

local function openConnections(plan)
  local list = {}
  for _, placed in ipairs(plan.modules) do
    for _, c in ipairs(placed.connections) do
      if c.state == "open" then list[#list + 1] = c end
    end
  end
  return list
end

local MAX_FAILS = 6

-- The most modules a level grows to, well beyond the deepest level's size:
-- each try looks at every placed module, so a level without bounds (a size of
-- 1e9 in a broken script.lua) would never finish.
local MAX_LEVEL_SIZE = 40

-- v as a whole number within lo..hi; nil when v is no number (or NaN).
local function bounded(v, lo, hi)
  v = tonumber(v)
  if not v or v ~= v then return nil end
  return math.max(lo, math.min(hi, math.floor(v)))
end

-- The connections a module can still be hung on: the open ones, then those
-- given up on while growing.
local function freeConnections(plan)
  local list = openConnections(plan)
  for _, placed in ipairs(plan.modules) do
    for _, c in ipairs(placed.connections) do
      if c.state == "blocked" then list[#list + 1] = c end
    end
  end
  return list
end

-- Hangs each module of `rooms` (names the level asks for) on a free
-- connection, starting at a random one. Nil and the reason when one fits
-- nowhere.
local function placeRequired(plan, random, rooms)
  for _, name in ipairs(rooms) do
    local free = freeConnections(plan)
    local placed
    if #free > 0 then
      local first = random.int(#free)
      for k = 0, #free - 1 do
        placed = tryAttach(plan, random, free[(first + k - 1) % #free + 1], name)
        if placed then break end
      end
    end
    if not placed then return nil, "no room for " .. name end
  end
  return true
end

-- Lays a level out without building anything: the start room at the origin,
-- `size` modules grown from open connections (rooms tend to be followed by
-- passages and passages by rooms), then the modules named in `rooms`, the
-- gate room on the open connection farthest from the start, and every
-- connection left over marked for a wall cap. Returns the plan, or nil and
-- the reason.
function PlanLevel(options)
  local parts = ModuleParts(options.zone)
  if #parts.start == 0 then return nil, "no start_ module" end
  if #parts.gate == 0 then return nil, "no gate_ module" end
  if #parts.rooms + #parts.passages == 0 then return nil, "no modules to grow a level from" end

  local random = newRandom(options.seed or 1)
  local size = bounded(options.size, 1, MAX_LEVEL_SIZE) or 6
  local plan = { modules = {}, seed = options.seed, size = size, zone = options.zone or DEFAULT_ZONE }
  addModule(plan, parts.start[random.int(#parts.start)], 0, 0, 0)

  local tries = 0
  while #plan.modules < size + 1 and tries < size * 60 do
    tries = tries + 1
    local open = openConnections(plan)
    if #open == 0 then break end
    local c = open[random.int(#open)]
    local pool
    if #parts.passages == 0 then
      pool = parts.rooms
    elseif #parts.rooms == 0 then
      pool = parts.passages
    elseif isPassage(c.owner.name) then
      pool = random.chance(0.65) and parts.rooms or parts.passages
    else
      pool = random.chance(0.75) and parts.passages or parts.rooms
    end
    if not tryAttach(plan, random, c, pool[random.int(#pool)]) then
      c.fails = c.fails + 1
      if c.fails >= MAX_FAILS then c.state = "blocked" end
    end
  end

  if options.rooms and #options.rooms > 0 then
    local ok, why = placeRequired(plan, random, options.rooms)
    if not ok then return nil, why end
  end

  -- The gate: as far from the start as the open connections allow.
  local open = freeConnections(plan)
  table.sort(open, function(p, q)
    local dp, dq = p.x * p.x + p.y * p.y, q.x * q.x + q.y * q.y
    if dp ~= dq then return dp > dq end
    if p.x ~= q.x then return p.x < q.x end
    return p.y < q.y
  end)
  -- A gate room drawn at random; where it does not fit, the zone's others.
  local firstGate = random.int(#parts.gate)
  for _, c in ipairs(open) do
    for k = 0, #parts.gate - 1 do
      local placed = tryAttach(plan, random, c, parts.gate[(firstGate + k - 1) % #parts.gate + 1])
      if placed then
        plan.gate = placed
        break
      end
    end
    if plan.gate then break end
  end
  if not plan.gate then return nil, "no room for the gate" end

  plan.caps = {}
  for _, placed in ipairs(plan.modules) do
    for _, c in ipairs(placed.connections) do
      if c.state ~= "used" then
        c.state = "capped"
        plan.caps[#plan.caps + 1] = c
      end
    end
  end

  -- Some joints between modules get a door.
  plan.doors = {}
  for _, placed in ipairs(plan.modules) do
    for _, c in ipairs(placed.connections) do
      if c.state == "used" and c.peer.owner ~= placed and not c.doorDone then
        c.doorDone, c.peer.doorDone = true, true
        if random.chance(options.doorChance or 0.3) then plan.doors[#plan.doors + 1] = c end
      end
    end
  end
  return plan
end

-- Building -----------------------------------------------------------------

-- Builds a planned level: every module, a door of the zone's kind in the
-- wall gap behind the chosen joints, and a block of the zone's wall in the
-- gap of every unused connection.
function BuildPlan(plan)
  local look = ZoneLook(plan.zone or DEFAULT_ZONE)
  for _, placed in ipairs(plan.modules) do
    PlaceModule(placed.x, placed.y, placed.a, placed.name)
  end
  local tx, ty, ta = GetCreationTransform()
  SetCreationTransform(0, 0, 0)
  for _, c in ipairs(plan.doors) do
    local gx, gy = c.x - math.cos(c.a) * HALF_WALL, c.y - math.sin(c.a) * HALF_WALL
    CreateDoor(gx, gy, normalAngle(c.a + math.pi / 2), look.door)
  end
  for _, c in ipairs(plan.caps) do
    local gx, gy = c.x - math.cos(c.a) * HALF_WALL, c.y - math.sin(c.a) * HALF_WALL
    CreateBlock(gx, gy, c.a, look.wall, 0)
  end
  SetCreationTransform(tx, ty, ta)
end

-- The modules a level description asks for by name (level.rooms), each a
-- proper module with a connection to hang it by; the others are reported and
-- left out.
local function requiredRooms(level, name)
  if level.rooms == nil then return nil end
  if type(level.rooms) ~= "table" then
    report("level " .. name .. ": rooms is not a list of module names")
    return nil
  end
  local rooms = {}
  for _, room in ipairs(level.rooms) do
    local m = type(room) == "string" and modlist[room] or nil
    if not m or not isModule(m) then
      report("level " .. name .. ": no module named " .. tostring(room))
    elseif #m == 0 then
      report("level " .. name .. ": module " .. room .. " has no connection to join it by")
    else
      rooms[#rooms + 1] = room
    end
  end
  return rooms
end

-- The whole level from its description {name, seed, size [, zone, rooms,
-- doorChance]}: planned (another seed is tried when one leaves no room for
-- the gate or a room asked for), built, and the player placed in the start
-- room. Returns the plan, or nil after reporting why not.
function BuildLevel(level)
  if type(level) ~= "table" then
    report("level: no description {name, seed, size} to build from")
    return nil
  end
  local name = tostring(level.name)
  local seed = tonumber(level.seed)
  if not seed or seed ~= seed or math.abs(seed) > 2147483647 then
    report("level " .. name .. ": seed " .. tostring(level.seed) .. " is not a number up to 2147483647, using 1")
    seed = 1
  end
  local size = bounded(level.size, 1, MAX_LEVEL_SIZE) or 6
  if level.size ~= nil and size ~= level.size then
    report("level " .. name .. ": size " .. tostring(level.size) .. " is not a whole number from 1 to " ..
           MAX_LEVEL_SIZE .. ", using " .. size)
  end
  local zone = LevelZone(level)
  local rooms = requiredRooms(level, name)
  local plan, why
  for attempt = 0, 19 do
    plan, why = PlanLevel { seed = seed + attempt * 7919, size = size, doorChance = level.doorChance, zone = zone,
                            rooms = rooms }
    if plan then break end
  end
  if not plan then
    report("level " .. name .. " cannot be built: " .. tostring(why))
    return nil
  end
  currentLevel = level.name
  currentZone = zone
  local look = ZoneLook(zone)
  if SetWorldTint then
    SetWorldTint(look.tint[1], look.tint[2], look.tint[3])
  end
  if PlayMusic and look.music then PlayMusic(look.music, MUSIC_FADE_IN_MS, ARRIVAL_FRAMES) end
  -- Kept for tests and tools that look at how the level was put together.
  levelPlan = plan
  -- Crates built without items get loot that suits how deep the level is.
  if WithLoot and LevelNumber then
    WithLoot(LevelNumber(level.name), seed, function() BuildPlan(plan) end)
  else
    BuildPlan(plan)
  end
  if PopulateLevel then
    local ok, err = pcall(PopulateLevel, plan, LevelNumber and LevelNumber(level.name) or 1, seed)
    if not ok then report("level " .. name .. ": enemies: " .. tostring(err)) end
  end
  if CreatePlayer then
    local ok, err = pcall(CreatePlayer, 0, 0)
    if not ok then report("level " .. name .. ": " .. tostring(err)) end
  end
  return plan
end

-- The zones, then the shipped rooms and the ones the player saved with the
-- editor.
LoadZones("zones")
LoadModules(ModuleDirectories())

-- The enemies each level gets (a broken population.lua is reported and the
-- levels come up empty).
do
  local ok, err = pcall(dofile, "population.lua")
  if not ok then print("population.lua: " .. tostring(err) .. "\n") end
end
