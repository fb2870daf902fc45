-- The maintenance decks, levels 1-3: the concrete and steel of the upper
-- floors, lit plain. Rooms without a zone prefix belong here, and so do the
-- corridor_* and junction_* passages.
zones.decks = {
  title = "the maintenance decks",
  tint = { 1.0, 1.0, 1.0 },
  wall = 0,  -- block value of the caps on unused connections (spr_sein frame)
  door = 0,  -- door kind at joints (spr_uks frame): grey steel
  music = "decks",  -- the zone's track (music/decks.ogg)
}

-- Trigger scripts of the decks' rooms -----------------------------------------

local playerInModule = PlayerInModule

-- The lift landing (decks_start_lift): the deck's number stands painted big
-- beside the plate while the player is in the landing, put up when he first
-- stands on the plate and taken away as he walks out through any of its
-- three ways (each has a small trigger just inside). The start room is
-- always built at the origin, so its own coordinates are the world's.
scripttable.decks_lift_notice = function()
  if type(levelPlan) ~= "table" or levelPlan.decksNotice ~= nil then return end
  local deck = LevelNumber and LevelNumber(currentLevel) or 1
  levelPlan.decksNotice = CreateTextObj(-4.5, -3.5, tostring(deck))
end

scripttable.decks_lift_leave = function()
  if type(levelPlan) ~= "table" or not levelPlan.decksNotice then return end
  object.Delete(levelPlan.decksNotice)
  levelPlan.decksNotice = false
end

-- The jog (decks_corridor_jog): crossing the landing slams a door shut in
-- the arm the player came through, and two of the dead buried in the other
-- arm dig themselves out. The side he came from is the side of the landing
-- he stands on as the trigger first fires. Once per placed corridor.
local JOG_DOOR = { west = { -7, -1 }, east = { 3, 1 } }
local JOG_BURIED = { west = { { 6, 1 }, { 8, 1 } }, east = { { -8, -1 }, { -6, -1 } } }

scripttable.decks_jog_ambush = function()
  local m, lx = playerInModule("decks_corridor_jog", 6)
  if not m or m.decksAmbushed then return end
  m.decksAmbushed = true
  local behind = lx < -2 and "west" or "east"
  local ahead = behind == "west" and "east" or "west"
  local d = JOG_DOOR[behind]
  local x, y = TransformPoint(d[1], d[2], m.x, m.y, m.a)
  CreateDoor(x, y, m.a + math.pi / 2, zones.decks.door)
  for _, p in ipairs(JOG_BURIED[ahead]) do
    local zx, zy = TransformPoint(p[1], p[2], m.x, m.y, m.a)
    CreateZombie(zx, zy, "1")
  end
  PlaySound("uks")
end
