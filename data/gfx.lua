-- Textures and sprites, loaded at start-up (working directory: data/).
--
-- Each SPRITES line makes one sprite from one image:
--   { name, file, columns, rows, frameWidth, frameHeight [, startX, startY] }
-- Frames run left to right, then top to bottom. An image used by several
-- sprites is loaded once; its texture is named after the file (gfx/font.png
-- -> "font").

local SPRITES = {
  --  name                 file                        cols rows   w    h
  { "spr_font",          "gfx/font.png",              16,  8,    4,   6 },
  { "spr_sihik",         "gfx/crosshair.png",          1,  1,   11,  11 },
  { "spr_dir_distort2",  "gfx/distort_blob.png",       1,  1,   64,  64 },
  { "spr_dir_distort",   "gfx/distort_streak.png",     1,  1,   32,  32 },
  { "spr_keyselect_bg",  "gfx/keyselect_bg.png",       1,  1,  200, 150 },
  { "spr_keyselect",     "gfx/keyselect.png",          1,  2,   90,   7 },
  { "spr_title",         "gfx/title.png",              1,  1,  160,  32 },
}

local textures = {}
local sprites = {}
local reported = {}

local function report(message)
  if not reported[message] then
    reported[message] = true
    print("gfx.lua: " .. message)
  end
end

function GetTexture(name)
  return textures[name]
end

function GetSprite(name)
  return sprites[name]
end

local function fileExists(path)
  local f = io.open(path, "rb")
  if f then
    f:close()
    return true
  end
  return false
end

local function textureNameOf(path)
  return string.match(path, "([^/]+)%.%w+$") or path
end

-- Loads a texture once; returns its name, or nil if it could not be loaded.
local function loadTexture(path)
  local name = textureNameOf(path)
  if textures[name] then
    return name
  end
  if not fileExists(path) then
    report("missing texture " .. path)
    return nil
  end
  local ok, handle = pcall(_LoadTexture, path, name)
  if not ok or handle == nil then
    report("could not load texture " .. path .. (ok and "" or (": " .. tostring(handle))))
    return nil
  end
  textures[name] = handle
  return name
end

for _, s in ipairs(SPRITES) do
  local name, path, cols, rows, w, h, x, y = s[1], s[2], s[3], s[4], s[5], s[6], s[7] or 0, s[8] or 0
  local texture = loadTexture(path)
  if texture then
    local ok, handle = pcall(_CreateSprite, texture, cols, rows, w, h, x, y)
    if ok and handle ~= nil then
      sprites[name] = handle
    else
      report("could not make sprite " .. name .. (ok and "" or (": " .. tostring(handle))))
    end
  end
end
