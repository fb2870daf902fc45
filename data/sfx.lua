-- Sounds, loaded at start-up (working directory: data/).
--
-- Each SOUNDS line: { name, volume (0..1), file [, file2, ...] }
-- Several files make variants, one picked at random each time it plays.

local SOUNDS = {
  { "menu_move",        0.6, "sfx/menu_move.wav" },
  { "menu_select",      0.7, "sfx/menu_select.wav" },
  { "menu_back",        0.6, "sfx/menu_back.wav" },
  { "inv_piiks",        0.6, "sfx/inv_piiks.wav" },
  { "teleporter",       0.8, "sfx/teleporter.wav" },
  { "teleporter_l6pp",  0.9, "sfx/teleporter_l6pp_1.wav", "sfx/teleporter_l6pp_2.wav" },

  -- world
  { "uks",              0.6, "sfx/uks.wav" },
  { "kuul_tabab_kiviseina", 0.5, "sfx/kuul_tabab_kiviseina_1.wav", "sfx/kuul_tabab_kiviseina_2.wav",
                                 "sfx/kuul_tabab_kiviseina_3.wav" },
  { "kuul_tabab_raudseina", 0.5, "sfx/kuul_tabab_raudseina_1.wav", "sfx/kuul_tabab_raudseina_2.wav",
                                 "sfx/kuul_tabab_raudseina_3.wav" },
  { "kivi_tabab_seina", 0.7, "sfx/kivi_tabab_seina_1.wav", "sfx/kivi_tabab_seina_2.wav" },
  { "kivi_tabab_meest", 0.8, "sfx/kivi_tabab_meest.wav" },
  { "explosion",        1.0, "sfx/explosion_1.wav", "sfx/explosion_2.wav" },
}

local sounds = {}
local reported = {}

local function report(message)
  if not reported[message] then
    reported[message] = true
    print("sfx.lua: " .. message)
  end
end

function GetSound(name)
  return sounds[name]
end

local function fileExists(path)
  local f = io.open(path, "rb")
  if f then
    f:close()
    return true
  end
  return false
end

for _, s in ipairs(SOUNDS) do
  local name, volume = s[1], s[2]
  local files = {}
  for i = 3, #s do
    if fileExists(s[i]) then
      files[#files + 1] = s[i]
    else
      report("missing sound " .. s[i])
    end
  end
  if #files > 0 then
    local ok, handle = pcall(_LoadSound, volume, unpack(files))
    if ok and handle ~= nil then
      sounds[name] = handle
    else
      report("could not load sound " .. name .. (ok and "" or (": " .. tostring(handle))))
    end
  end
end
