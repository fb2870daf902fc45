-- The main menu. Each entry is a row under its parent; Left/Right move along a
-- row, Return or Down opens an entry, Up goes back.

local function click()
  PlaySound("menu_select")
end

-- The level list, module files and level generator (a broken levels.lua is
-- reported and the menu still comes up).
do
  local ok, err = pcall(dofile, "levels.lua")
  if not ok then print("levels.lua: " .. tostring(err) .. "\n") end
end

local root = GetMenuRoot()

AddMenuItem(root, "new game", function()
  click()
  ResetSave()
  if levels and levels[1] then
    LoadLevel(levels[1], 0)
    SetMenuState("game")
  else
    print("no levels yet: the world is still being built\n")
  end
end)

local options = AddMenuItem(root, "options")
AddMenuItem(options, "controls", function()
  click()
  SetMenuState("controls")
end)

local view = AddMenuItem(options, "view")
local function toggle(parent, label, key)
  local item
  local function text()
    return label .. (settings[key] and ": on" or ": off")
  end
  item = AddMenuItem(parent, text(), function()
    click()
    settings[key] = not settings[key]
    RenameMenuItem(item, text())
  end)
  return item
end
toggle(view, "rotate view", "viewrotate")
toggle(view, "auto zoom", "viewzoom")
toggle(view, "distortion shader", "pixeldistortion")

local volume = AddMenuItem(options, "volume")
for _, level in ipairs({ 0, 32, 64, 96, 128 }) do
  AddMenuItem(volume, tostring(math.floor(level * 100 / 128 + 0.5)) .. "%", function()
    SetVolume(level)
    click()
  end)
end

AddMenuItem(root, "help", function()
  click()
  SetMenuState("help")
end)

AddMenuItem(root, "stats", function()
  click()
  SetMenuState("stats")
end)

local exit = AddMenuItem(root, "exit")
AddMenuItem(exit, "really exit", function()
  ExitGame()
end)
