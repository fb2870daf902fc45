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
