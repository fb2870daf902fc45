-- korvanmire start-up: the defaults every other script can count on.
-- settings.lua (written by SaveSettings at exit) runs after this file and
-- overrides what the player changed.

-- Turns a Lua value into Lua source that rebuilds it. Tables nest; functions,
-- userdata and cycles are written as nil so the output always loads.
function DataDumper(value, indent, seen)
  indent = indent or ""
  seen = seen or {}
  local kind = type(value)
  if kind == "number" then
    if value ~= value or value == math.huge or value == -math.huge then return "0" end
    if value == math.floor(value) and math.abs(value) < 2^53 then
      return string.format("%d", value)
    end
    return string.format("%.17g", value)
  elseif kind == "string" then
    return string.format("%q", value)
  elseif kind == "boolean" then
    return tostring(value)
  elseif kind == "table" then
    if seen[value] then return "nil" end
    seen[value] = true
    local keys = {}
    for k in pairs(value) do
      if type(k) == "string" or type(k) == "number" or type(k) == "boolean" then
        keys[#keys + 1] = k
      end
    end
    table.sort(keys, function(a, b)
      if type(a) == type(b) and type(a) ~= "boolean" then return a < b end
      return type(a) < type(b)
    end)
    local inner = indent .. "  "
    local parts = {}
    for _, k in ipairs(keys) do
      local key
      if type(k) == "string" and k:match("^[%a_][%w_]*$") then
        key = k
      else
        key = "[" .. DataDumper(k, inner, seen) .. "]"
      end
      parts[#parts + 1] = inner .. key .. " = " .. DataDumper(value[k], inner, seen)
    end
    seen[value] = nil
    if #parts == 0 then return "{}" end
    return "{\n" .. table.concat(parts, ",\n") .. "\n" .. indent .. "}"
  end
  return "nil"
end

-- Key codes: SDL key symbols, mouse button b as 322 + b.
settings = {
  viewrotate = false,      -- the view turns with the soldier
  viewzoom = true,         -- the camera zooms out in open rooms
  pixeldistortion = true,  -- shader distortion (falls back to the grid without GL 2.0)
  gamepad = false,         -- steer with the first gamepad when one is connected
  effectsvolume = 100,     -- sound effects, percent in steps of 10
  musicvolume = 70,        -- music, percent in steps of 10
  music = true,            -- music on or off
  fullscreen = true,       -- full screen at start unless -w is given; Alt+Return switches
  scale = "fit",           -- "fit": as large as the window allows; "integer": whole multiples of 320 x 240
  shake = 100,             -- screen shake shown, percent: 0, 50 or 100
  distortion = 100,        -- strength of the screen distortion, percent: 0, 50 or 100
  difficulty = "normal",   -- of a new game: "easy", "normal" or "hard"
  hints = true,            -- the HUD's hint line for a new player
  hintsdone = {},          -- how often each hint was followed; at 3 it stays away
  keys = {
    up = 119, down = 115, left = 97, right = 100,
    aim = 325, shoot = 323,
    use = 32, nextitem = 32, previtem = 32,
    stab = 306, drop = 113, combine = 99, map = 9, reload = 114,
    sc_1 = 49, sc_2 = 50, sc_3 = 51, sc_4 = 52,
    sc_medkit = 109, sc_bombs = 109,
  },
}

-- The settings as the engine takes them, whatever settings.lua said: a file
-- from an older version lacks the newer settings (and key bindings), and a
-- hand-edited one may hold anything. Missing or broken values get the
-- defaults; percentages are whole steps.
local function copy(value)
  if type(value) ~= "table" then return value end
  local result = {}
  for k, v in pairs(value) do result[k] = copy(v) end
  return result
end
local DEFAULTS = copy(settings)
local STEPS = { effectsvolume = 10, musicvolume = 10, shake = 50, distortion = 50 }
local CHOICES = {
  scale = { fit = true, integer = true },
  difficulty = { easy = true, normal = true, hard = true },
}

function CheckSettings()
  if type(settings) ~= "table" then settings = {} end
  for key, default in pairs(DEFAULTS) do
    local value = settings[key]
    if STEPS[key] then
      value = tonumber(value)
      if not value or value ~= value then value = default end
      value = math.max(0, math.min(100, math.floor(value / STEPS[key] + 0.5) * STEPS[key]))
    elseif CHOICES[key] then
      if not CHOICES[key][value] then value = default end
    elseif type(value) ~= type(default) then
      value = copy(default)
    end
    settings[key] = value
  end
  for name, code in pairs(DEFAULTS.keys) do
    if type(settings.keys[name]) ~= "number" then settings.keys[name] = code end
  end
end

-- Hints for a new player ------------------------------------------------------
-- The HUD asks for a hint while its situation holds (next to a crate, with an
-- empty clip, ...). The text names the key bound now; a hint followed
-- HINT_ENOUGH times stays away, also after a restart.
local HINT_ENOUGH = 3
local HINTS = {
  approach = function(key) return "step up to its front, then [" .. key("use") .. "]" end,
  open = function(key) return "[" .. key("use") .. "] open it" end,
  take = function(key) return "[" .. key("shoot") .. "] take   [" .. key("use") .. "] close" end,
  reload = function(key) return "[" .. key("reload") .. "] reload" end,
  combine = function(key) return "[" .. key("combine") .. "] combine materials" end,
}

local function boundKey(action)
  return string.upper(KeyName(settings.keys[action] or 0))
end

function HintText(id)
  if not settings.hints or not HINTS[id] then return nil end
  if (tonumber(settings.hintsdone[id]) or 0) >= HINT_ENOUGH then return nil end
  return HINTS[id](boundKey)
end

function HintDone(id)
  if HINTS[id] then settings.hintsdone[id] = (tonumber(settings.hintsdone[id]) or 0) + 1 end
end

-- Percent of the settings to the mixer's 0..128.
function MixerVolume(percent)
  return math.floor(percent * 128 / 100 + 0.5)
end

-- Writes the settings back to settings.lua (in data/, or in the player's own
-- directory for an installed game). The file is written beside and renamed
-- into place, so a crash never leaves half a settings file.
function SaveSettings()
  -- A settings file that did not load at start is kept for the player to
  -- mend; writing this run's settings over it would lose what was in it.
  if brokenSettingsFile then
    io.stderr:write("settings not saved: " .. brokenSettingsFile .. " did not load and is left as it is\n")
    return
  end
  local path = UserFileToWrite("settings.lua")
  local temporary = path .. ".tmp"
  local file, message = io.open(temporary, "w")
  if not file then
    io.stderr:write("ERROR: cannot write settings: " .. tostring(message) .. "\n")
    return
  end
  file:write("-- written by korvanmire when it exits; edit while the game is not running\n")
  file:write("settings = " .. DataDumper(settings) .. "\n")
  file:close()
  local ok, err = os.rename(temporary, path)
  if not ok then
    io.stderr:write("ERROR: cannot write settings: " .. tostring(err) .. "\n")
    os.remove(temporary)
  end
end

-- The main menu's track while no level is going (music/menu.ogg), and the
-- win page's.
menumusic = "menu"
winmusic = "win"

-- Module name for the editor's save key (F7).
mname = "untitled"

-- Zombies of a spawner that a saved room recreates (its line passes this).
zspawncount = 5
