-- The main menu. Each entry is a row under its parent; Left/Right move along a
-- row, Return or Down opens an entry, Up goes back.

local function click()
  PlaySound("menu_select")
end

-- The level list, module files and level generator, then the player's own
-- content/levels.lua (a broken one is reported and the menu still comes up).
if RunStartupScript then
  RunStartupScript("levels.lua")
else
  local ok, err = pcall(dofile, "levels.lua")
  if not ok then print("levels.lua: " .. tostring(err) .. "\n") end
end

local root = GetMenuRoot()

-- The top row, rebuilt whenever the saved campaign comes or goes so that
-- "continue" leads the row while there is something to continue.
local topRow = {}

local function addTop(text, callback)
  local item = AddMenuItem(root, text, callback)
  topRow[#topRow + 1] = item
  return item
end

-- While a level is loaded the row begins with "resume", which does what
-- Escape does (the engine says so each time the menu opens).
local levelToResume = false

function BuildMainMenu()
  for _, item in ipairs(topRow) do RemoveMenuItem(item) end
  topRow = {}

  if levelToResume then
    addTop("resume", function()
      click()
      SetMenuState("game")
    end)
  end

  if HasSavedCampaign and HasSavedCampaign() then
    addTop("continue", function()
      click()
      if ContinueCampaign() then
        SetMenuState("game")
      else
        print("nothing to continue\n")
        BuildMainMenu()
      end
    end)
  end

  addTop("new game", function()
    click()
    ResetSave()
    -- A new campaign is played at the difficulty of the options; "continue"
    -- keeps the one its campaign was begun with.
    SetDifficulty(settings.difficulty)
    if ClearCampaign then ClearCampaign() end
    if levels and levels[1] then
      LoadLevel(levels[1], 0)
      SetMenuState("game")
    else
      print("no levels yet: the world is still being built\n")
    end
  end)

  local options = addTop("options")
  AddMenuItem(options, "controls", function()
    click()
    SetMenuState("controls")
  end)

  local view = AddMenuItem(options, "view")
  -- An entry that shows its setting's value and, on Return, steps to the next
  -- of `values` (then `apply` hands it to the engine).
  local function cycle(parent, label, key, values, show, apply)
    local item
    local function text()
      return label .. ": " .. show(settings[key])
    end
    item = AddMenuItem(parent, text(), function()
      click()
      local index = 0
      for i, value in ipairs(values) do
        if value == settings[key] then index = i end
      end
      settings[key] = values[index % #values + 1]
      if apply then apply(settings[key]) end
      RenameMenuItem(item, text())
    end)
    return item, text
  end
  local function onOff(value)
    return value and "on" or "off"
  end
  local function toggle(parent, label, key, apply)
    return cycle(parent, label, key, { true, false }, onOff, apply)
  end
  local function percent(value)
    return value .. "%"
  end

  -- The screen as it is (a start with -w is in a window whatever the setting
  -- says); switching keeps settings.fullscreen for the next start.
  local fullScreen
  local function fullScreenText()
    return "full screen: " .. onOff(IsFullScreen())
  end
  fullScreen = AddMenuItem(view, fullScreenText(), function()
    click()
    SetFullScreen(not IsFullScreen())
  end)
  -- Alt+Return switches too; the entry follows.
  function FullScreenChanged()
    RenameMenuItem(fullScreen, fullScreenText())
  end
  cycle(view, "scale", "scale", { "fit", "integer" }, tostring, ApplyScreenScale)
  cycle(view, "screen shake", "shake", { 100, 50, 0 }, percent)
  cycle(view, "distortion", "distortion", { 100, 50, 0 }, percent)
  toggle(view, "rotate view", "viewrotate")
  toggle(view, "auto zoom", "viewzoom")
  toggle(view, "distortion shader", "pixeldistortion")

  -- Sound: both volumes in steps of 10 %, each page opening on the level in
  -- use, and the music switch. Kept in settings.lua.
  local sound = AddMenuItem(options, "sound")
  local function volumePage(label, key, apply)
    local steps = {}
    local page
    page = AddMenuItem(sound, label, function()
      click()
      SelectMenuItem(steps[settings[key] / 10 + 1] or steps[#steps])
    end)
    for percent = 0, 100, 10 do
      steps[#steps + 1] = AddMenuItem(page, percent .. "%", function()
        settings[key] = percent
        apply(MixerVolume(percent))
        click()
      end)
    end
  end
  volumePage("effects volume", "effectsvolume", SetVolume)
  volumePage("music volume", "musicvolume", SetMusicVolume)
  toggle(sound, "music", "music", SetMusicOn)

  -- Kept with a campaign: a change counts from the next new game.
  cycle(options, "difficulty", "difficulty", { "easy", "normal", "hard" }, tostring)
  toggle(options, "hints", "hints")

  addTop("help", function()
    click()
    SetMenuState("help")
  end)

  addTop("stats", function()
    click()
    SetMenuState("stats")
  end)

  local exit = addTop("exit")
  AddMenuItem(exit, "really exit", function()
    ExitGame()
  end)
end

-- The player's sound settings, then the menu theme.
SetVolume(MixerVolume(settings.effectsvolume))
SetMusicVolume(MixerVolume(settings.musicvolume))
SetMusicOn(settings.music)
PlayMusic(menumusic, 1000)

BuildMainMenu()

-- The engine calls this whenever the main menu opens.
function MainMenuEntered(canResume)
  if canResume ~= levelToResume then
    levelToResume = canResume
    BuildMainMenu()
  end
end

-- The engine calls this when the campaign save is written or removed.
function CampaignChanged()
  BuildMainMenu()
end
