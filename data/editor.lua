-- The placement editor (F2): one command for every kind of piece our rooms
-- are made of. The left mouse button places the current command's piece at
-- the mouse, turned by the placement angle; M and N step through the
-- commands, K and J through the preview frames (a wall's look, a door's
-- kind, a node's kind, a floor tile), U/I and T/Y turn, the arrows pan.
--
-- The engine publishes before each click: edit_mousex, edit_mousey (world
-- units), edit_dir (the angle to give the creators), edit_type (this
-- command's number) and edit_frame (the preview frame).
--
-- Walls, doors, floors and nodes snap to a grid of edit_snap world units (0
-- places them exactly at the mouse); a trigger runs scripttable[edit_trigger].

edit_snap = 0.5
edit_trigger = "gate"

edit_commands = { length = 0 }
edit_sprites = {}
edit_rendercmds = {}
edit_names = {}

local function snapped(v)
  if not edit_snap or edit_snap <= 0 then return v end
  return math.floor(v / edit_snap + 0.5) * edit_snap
end

local function gridPoint()
  return snapped(edit_mousex), snapped(edit_mousey)
end

-- Adds a command: its name (shown nowhere by the engine, kept for people and
-- tests), its preview sprite and the function that places the piece.
local function command(name, sprite, place)
  local n = edit_commands.length + 1
  edit_commands[n] = place
  edit_commands.length = n
  edit_sprites[n] = sprite
  edit_names[n] = name
end

-- Walls ------------------------------------------------------------------

-- CreateBlock types: the preview frame is the block's value (its look).
local walls = {
  { "wall", "spr_sein", 0 },
  { "small wall", "spr_vsein", 1 },
  { "pillar", "spr_sammas", 2 },
  { "long metal wall", "spr_pikksein", 3 },
  { "long jagged wall", "spr_sakilinesein", 4 },
}
for _, w in ipairs(walls) do
  local kind = w[3]
  command(w[1], w[2], function()
    local x, y = gridPoint()
    CreateBlock(x, y, edit_dir, edit_frame, kind)
  end)
end

command("breakable block", "spr_puustuks", function()
  local x, y = gridPoint()
  CreateBreakableBlock(x, y, edit_dir, 0)
end)

-- The preview frame is the door's kind (its look and metal).
command("door", "spr_uks", function()
  local x, y = gridPoint()
  CreateDoor(x, y, edit_dir, edit_frame)
end)

-- Crates and lockers take the angle the other way round; the level fills them.
for _, kind in ipairs({ "spr_metallkast", "spr_hiteckast", "spr_puitkast" }) do
  command("crate " .. kind, kind, function()
    CreateContainer(edit_mousex, edit_mousey, -edit_dir, kind)
  end)
end

-- Markers ------------------------------------------------------------------

command("trigger", "spr_editmarks", function()
  CreateTrigger(edit_mousex, edit_mousey, 1.5, edit_trigger, 15)
end)

-- The preview frame is the node's kind; kind 0 is where modules join.
command("node", "spr_node", function()
  local x, y = gridPoint()
  CreateNode(x, y, edit_dir, edit_frame)
end)

command("direction controller", "spr_editmarks", function()
  CreateDirectionController(edit_mousex, edit_mousey, edit_dir, 1.5)
end)

command("map marker", "spr_mapmarker", function()
  CreateMapMarker(edit_mousex, edit_mousey, 0.2, 1.0, 0.3)
end)

-- Floors -------------------------------------------------------------------

-- A 24x24 tile (2 x 2 world units) of a floor texture; the preview frame
-- picks which quarter of the texture. Bitmaps turn the other way round.
local floors = {
  { "tex_floor_concrete", "spr_floor_concrete" },
  { "tex_floor_metal", "spr_floor_metal" },
  { "tex_floor_grate", "spr_floor_grate" },
  { "tex_floor_tiles", "spr_floor_tiles" },
  { "tex_floor_hazard", "spr_floor_hazard" },
  { "tex_floor_labs_tile", "spr_floor_labs_tile" },
  { "tex_floor_labs_grate", "spr_floor_labs_grate" },
  { "tex_floor_foundry_plate", "spr_floor_foundry_plate" },
  { "tex_floor_foundry_slag", "spr_floor_foundry_slag" },
  { "tex_floor_core_circuit", "spr_floor_core_circuit" },
  { "tex_floor_core_conduit", "spr_floor_core_conduit" },
}
for _, f in ipairs(floors) do
  local texture = f[1]
  command("floor " .. texture, f[2], function()
    local x, y = gridPoint()
    local left, top = 24 * (edit_frame % 2), 24 * math.floor(edit_frame / 2)
    CreateBitmap(x, y, -edit_dir, left, top, left + 24, top + 24, texture)
  end)
end

command("gate pad", "spr_gate", function()
  local x, y = gridPoint()
  CreateBitmap(x, y, -edit_dir, "spr_gate", edit_frame)
end)

-- Scenery: every kind of objects.lua (markers have their own command) ------

if not objectlist then pcall(dofile, "objects.lua") end
local kinds = {}
for name in pairs(objectlist or {}) do
  if name ~= "mapmarker" then kinds[#kinds + 1] = name end
end
table.sort(kinds)
for _, name in ipairs(kinds) do
  local kind = objectlist[name]
  command("object " .. name, kind.sprite, function()
    CreateObject(edit_mousex, edit_mousey, edit_dir, name)
  end)
  -- Kinds share sprites (debris, barrels): the preview shows the kind's own frame.
  edit_rendercmds[edit_commands.length] = function()
    DrawSprite(kind.sprite, edit_mousex * 12, edit_mousey * 12, edit_dir, kind.frame or 0)
  end
end

-- Enemies ------------------------------------------------------------------

local enemies = {
  { "zombie", "spr_zombi1", function(x, y) CreateZombie(x, y, "000") end },
  { "blue zombie", "spr_sininezombi", function(x, y) CreateZombie(x, y, "010") end },
  { "buried zombie", "spr_zombi2", function(x, y) CreateZombie(x, y, "100") end },
  { "big zombie", "spr_szombi", function(x, y) CreateBigZombie(x, y) end },
  { "soldier", "spr_s6dur", function(x, y) CreateSoldier(x, y) end },
  { "red soldier", "spr_punane_s6dur", function(x, y) CreateRedSoldier(x, y) end },
  { "grey soldier", "spr_hall_s6dur", function(x, y) CreateGreySoldier(x, y) end },
  { "big soldier", "spr_srzombi", function(x, y) CreateBigSoldier(x, y) end },
  { "skeleton", "spr_mskeleton", function(x, y) CreateMSkeleton(x, y) end },
  { "red robot", "spr_punanerobot", function(x, y) CreateRedRobot(x, y) end },
  { "turret", "spr_turret", function(x, y, a) CreateTurret(x, y, a) end },
  { "snake", "spr_snake_head", function(x, y, a) CreateSnake(x, y, a) end },
  { "zombie spawner", "spr_editmarks", function(x, y, a) CreateZSpawner(x, y, a, zspawncount) end },
}
for _, e in ipairs(enemies) do
  local place = e[3]
  command(e[1], e[2], function() place(edit_mousex, edit_mousey, edit_dir) end)
end

-- Invisible pieces show their mark from spr_editmarks.
local marks = { trigger = 0, ["direction controller"] = 1, ["zombie spawner"] = 2 }
for n = 1, edit_commands.length do
  local frame = marks[edit_names[n]]
  if frame then
    edit_rendercmds[n] = function()
      DrawSprite("spr_editmarks", edit_mousex * 12, edit_mousey * 12, edit_dir, frame)
    end
  end
end
