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
  -- player and items
  { "mees_samm",        0.5, "sfx/mees_samm_1.wav", "sfx/mees_samm_2.wav", "sfx/mees_samm_3.wav" },
  { "luukere_m88da",    0.7, "sfx/luukere_m88da_1.wav", "sfx/luukere_m88da_2.wav" },
  { "zombi_hit",        0.8, "sfx/zombi_hit_1.wav", "sfx/zombi_hit_2.wav", "sfx/zombi_hit_3.wav" },
  { "inv_pickup",       0.6, "sfx/inv_pickup.wav" },
  { "inv_drop",         0.6, "sfx/inv_drop.wav" },
  { "inv_combine",      0.7, "sfx/inv_combine.wav" },
  { "no_ammo",          0.7, "sfx/no_ammo.wav" },
  { "medkit_use",       0.7, "sfx/medkit_use.wav" },
  -- weapons (shootsound / reloadsound names of the itemtable)
  { "mg-hv_lask",       0.8, "sfx/mg-hv_lask_1.wav", "sfx/mg-hv_lask_2.wav", "sfx/mg-hv_lask_3.wav" },
  { "pistol_lask",      0.8, "sfx/pistol_lask_1.wav", "sfx/pistol_lask_2.wav" },
  { "shotgun_lask",     0.9, "sfx/shotgun_lask_1.wav", "sfx/shotgun_lask_2.wav" },
  { "pumpa",            0.7, "sfx/pumpa.wav" },
  { "reload_clip",      0.7, "sfx/reload_clip.wav" },
  { "exp_pump_cluster", 0.9, "sfx/exp_pump_cluster_1.wav", "sfx/exp_pump_cluster_2.wav" },
  { "laser_lask",       0.6, "sfx/laser_lask_1.wav", "sfx/laser_lask_2.wav" },
  { "laser_hit",        0.6, "sfx/laser_hit.wav" },
  { "elektripyss_lask", 0.7, "sfx/elektripyss_lask_1.wav", "sfx/elektripyss_lask_2.wav" },
  { "elektripyss_hit",  0.7, "sfx/elektripyss_hit.wav" },
  { "naelapyss_lask",   0.7, "sfx/naelapyss_lask_1.wav", "sfx/naelapyss_lask_2.wav" },
  { "rocket_lask",      0.9, "sfx/rocket_lask.wav" },
  { "beep",             0.6, "sfx/beep.wav" },
  -- end of player and items
  -- enemies
  { "zombi_valu",       0.75, "sfx/zombi_valu_1.wav", "sfx/zombi_valu_2.wav", "sfx/zombi_valu_3.wav" },
  { "zombi_samm",       0.5, "sfx/zombi_samm_1.wav", "sfx/zombi_samm_2.wav" },
  { "zombi_l88b",       0.8, "sfx/zombi_l88b.wav" },
  { "zombi_random_h22l", 0.6, "sfx/zombi_random_h22l_1.wav", "sfx/zombi_random_h22l_2.wav",
                              "sfx/zombi_random_h22l_3.wav" },
  { "zombi_ribadeks",   0.9, "sfx/zombi_ribadeks_1.wav", "sfx/zombi_ribadeks_2.wav" },
  { "s6dur_samm",       0.45, "sfx/s6dur_samm_1.wav", "sfx/s6dur_samm_2.wav" },
  { "s6dur_l88b",       0.8, "sfx/s6dur_l88b.wav" },
  { "szombi_samm",      0.7, "sfx/szombi_samm.wav" },
  { "szombi_n2eb",      1.0, "sfx/szombi_n2eb.wav" },
  { "szombi_viskab",    0.8, "sfx/szombi_viskab.wav" },
  { "szombi_hoop",      0.9, "sfx/szombi_hoop.wav" },
  { "luukere_samm",     0.5, "sfx/luukere_samm.wav" },
  { "luukere_pihtas",   0.6, "sfx/luukere_pihtas.wav" },
  { "luukere_m66k",     0.8, "sfx/luukere_m66k.wav" },
  { "luukere_nois",     0.5, "sfx/luukere_nois.wav" },
  { "punase_tondi_valu", 0.8, "sfx/punase_tondi_valu.wav" },
  { "punase_tondi_samm", 0.6, "sfx/punase_tondi_samm.wav" },
  { "punase_tondi_m8ire", 1.0, "sfx/punase_tondi_m8ire.wav" },
  { "punane_tont_pihtas", 0.6, "sfx/punane_tont_pihtas.wav" },
  { "punane_jookseb_seina", 1.0, "sfx/punane_jookseb_seina.wav" },
  { "punase_tondi_surm", 1.0, "sfx/punase_tondi_surm.wav" },
  { "turret_h22l",      0.7, "sfx/turret_h22l.wav" },
  { "turret_drone",     0.5, "sfx/turret_drone.wav" },
  { "turret_lask",      0.8, "sfx/turret_lask.wav" },
  -- end of enemies
}

local sounds = {}
local reported = {}

-- Messages begin with the file and line that asked (a line of the player's
-- content/sfx.lua names that file), so that a problem is found where it was made.
local function report(message, where)
  message = (where or "sfx.lua") .. ": " .. message
  if not reported[message] then
    reported[message] = true
    print(message .. "\n")
  end
end

-- "FILE:LINE" of the script that called AddSound.
local function caller()
  local info = debug.getinfo(3, "Sl")
  if not info or (info.currentline or 0) <= 0 then return nil end
  local file = string.match(info.source, "^@(.*)") or info.short_src
  return file .. ":" .. info.currentline
end

function GetSound(name)
  return sounds[name]
end

-- The player's content/<path> counts as well: the engine loads it first.
local function fileExists(path)
  local f = io.open(ContentFile and ContentFile(path) or path, "rb")
  if f then
    f:close()
    return true
  end
  return false
end

-- AddSound(name, volume, file, ...) is a global, for the player's own
-- content/sfx.lua (it runs after this file): the same as a SOUNDS line. True
-- when the sound is there.
function AddSound(name, volume, ...)
  local where = caller()
  local files = {}
  for _, file in ipairs({ ... }) do
    if fileExists(file) then
      files[#files + 1] = file
    else
      report("missing sound " .. tostring(file), where)
    end
  end
  if #files == 0 then return false end
  local ok, handle = pcall(_LoadSound, volume, unpack(files))
  if ok and handle ~= nil then
    sounds[name] = handle
    return true
  end
  report("could not load sound " .. tostring(name) .. (ok and "" or (": " .. tostring(handle))), where)
  return false
end

for _, s in ipairs(SOUNDS) do
  AddSound(unpack(s))
end
