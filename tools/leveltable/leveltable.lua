-- What each level of the campaign holds: its enemies and the loot in its
-- crates, found by building every level from its seed with recording
-- stand-ins for the creators (nothing is made). Needs the game's scripts
-- loaded first: objects.lua, relvad.lua and levels.lua.
--
--   LevelTable()          { { name, zone, seed, rooms, enemies = {kind = n}, loot = {item = n}, crates = n }, ... }
--   LevelTableMarkdown()  the table as the text of docs/levels.md

local ZOMBIE_KINDS = { ["00"] = "zombie", ["10"] = "zombie", ["01"] = "blue zombie", ["11"] = "blue zombie" }

local function add(map, key, n)
  map[key] = (map[key] or 0) + (n or 1)
end

-- Builds level `dir` (its script.lua sets `level`) with every creator
-- replaced by a recorder; returns the record.
local function recordLevel(dir)
  level = nil
  dofile(dir .. "/script.lua")
  local record = { name = dir, seed = level.seed, enemies = {}, loot = {}, crates = 0, buried = 0,
                   zone = ZoneLook(LevelZone(level)).title }
  local saved = {}
  local function stand(name, fn)
    saved[name] = _G[name]
    _G[name] = fn
  end
  local function nothing() return {} end
  for _, name in ipairs { "CreateBlock", "CreateBlock2", "CreateNode", "CreateDoor", "CreateObject",
                          "CreateMapMarker", "CreateTrigger", "CreateBitmap", "CreatePlayer", "CreateTextObj",
                          "CreateBreakableBlock", "CreateDirectionController", "SetWorldTint" } do
    stand(name, nothing)
  end
  stand("CreateContainer", function(x, y, a, kind, ...)
    record.crates = record.crates + 1
    for _, item in ipairs { ... } do add(record.loot, item) end
    return {}
  end)
  local enemy = function(kind) return function() add(record.enemies, kind); return {} end end
  stand("CreateZombie", function(x, y, flags)
    flags = tostring(flags or "000")
    if string.sub(flags, 1, 1) == "1" then record.buried = record.buried + 1 end
    add(record.enemies, ZOMBIE_KINDS[string.sub(flags, 1, 2)] or "zombie")
    return {}
  end)
  stand("CreateZSpawner", function(x, y, a, count)
    add(record.enemies, "zombie spawner")
    add(record.enemies, "spawned zombie", count)
    return {}
  end)
  stand("CreateSoldier", enemy("soldier"))
  stand("CreateRedSoldier", enemy("red soldier"))
  stand("CreateGreySoldier", enemy("grey soldier"))
  stand("CreateBigSoldier", enemy("big soldier"))
  stand("CreateBigZombie", enemy("big zombie"))
  stand("CreateMSkeleton", enemy("skeleton"))
  stand("CreateRedRobot", enemy("red robot"))
  stand("CreateTurret", enemy("turret"))
  stand("CreateSnake", enemy("snake"))
  local addItem = container.AddItem
  container.AddItem = function(crate, item) add(record.loot, item) end

  local ok, err = pcall(function()
    local plan = BuildLevel(level)
    record.rooms = plan and #plan.modules or 0
  end)
  container.AddItem = addItem
  for name, fn in pairs(saved) do _G[name] = fn end
  if not ok then error(dir .. ": " .. tostring(err), 0) end
  return record
end

function LevelTable()
  local table_ = {}
  for _, dir in ipairs(levels) do table_[#table_ + 1] = recordLevel(dir) end
  return table_
end

local function sortedList(map)
  local keys = {}
  for k in pairs(map) do keys[#keys + 1] = k end
  table.sort(keys)
  local parts = {}
  for _, k in ipairs(keys) do parts[#parts + 1] = k .. " " .. map[k] end
  return table.concat(parts, ", ")
end

-- Names of a group of items ("weapon", "ammo", ...) first found on each level.
local function firsts(rows, field, filter)
  local seen, out = {}, {}
  for i, row in ipairs(rows) do
    local new = {}
    for name in pairs(row[field]) do
      if not seen[name] and (not filter or filter(name)) then
        seen[name] = true
        new[#new + 1] = name
      end
    end
    table.sort(new)
    out[i] = table.concat(new, ", ")
  end
  return out
end

function LevelTableMarkdown()
  local rows = LevelTable()
  local lines = {
    "# The campaign: enemies and loot per level",
    "",
    "Generated from the level scripts (data/level*/script.lua, levels.lua,",
    "population.lua, loot.lua) by `cmake --build build --target levels_doc`;",
    "do not edit by hand. Each level is built from its seed exactly as the game",
    "builds it. Zombies marked buried lie hidden until the player comes near;",
    "spawned zombies come out of a spawner when it is set off. Enemies also",
    "drop items (DROPS in relvad.lua), which are not counted here.",
    "",
    "| Level | Zone | Seed | Modules | Crates | Enemies | Crate loot |",
    "|---|---|---|---|---|---|---|",
  }
  for _, row in ipairs(rows) do
    local enemies = sortedList(row.enemies)
    if row.buried > 0 then enemies = enemies .. " (" .. row.buried .. " buried)" end
    lines[#lines + 1] = string.format("| %s | %s | %d | %d | %d | %s | %s |", row.name, row.zone, row.seed,
                                      row.rooms, row.crates, enemies, sortedList(row.loot))
  end
  local function isClass(class)
    return function(name) return itemtable[name] and itemtable[name].class == class end
  end
  local newEnemies = firsts(rows, "enemies")
  local newWeapons = firsts(rows, "loot", isClass("weapon"))
  local newAmmo = firsts(rows, "loot", isClass("ammo"))
  lines[#lines + 1] = ""
  lines[#lines + 1] = "## First appearances"
  lines[#lines + 1] = ""
  lines[#lines + 1] = "| Level | New enemies | New weapons | New ammunition |"
  lines[#lines + 1] = "|---|---|---|---|"
  for i, row in ipairs(rows) do
    lines[#lines + 1] = string.format("| %s | %s | %s | %s |", row.name, newEnemies[i], newWeapons[i], newAmmo[i])
  end
  return table.concat(lines, "\n") .. "\n"
end
