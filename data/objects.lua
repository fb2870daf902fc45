-- Object kinds placed with CreateObject(x, y, angle, name).
--
-- Every entry needs all of these keys (numbers, except sprite):
--   collision   0 none, 1 solid, 2 sensor (light things the player pushes aside)
--   depth       drawing order: floor clutter 1..3, props 5..10, tall 11, glows 20+
--   frame       sprite frame
--   rectangle   1 box, 0 circle
--   fovshadows  1 casts view shadows and counts as a wall (needs collision ~= 0)
--   material    0 stone, 1 red metal, 2 grey metal, 3 blue metal (bullet sparks and sounds)
--   sprite      sprite name from gfx.lua
--   rw, rh      box: full width and height in pixels; circle: rw is the radius
--   shadowdist  drop shadow offset in pixels
--   mass        density; 0 makes the object static
-- Sprite frames are drawn at the body size, so rw/rh match the sprite.

-- kind{...} fills in the defaults; a global, for the player's own
-- content/objects.lua, which runs after this file.
function kind(t)
  return {
    collision = t.collision, depth = t.depth, frame = t.frame or 0,
    rectangle = t.rectangle, fovshadows = t.fovshadows or 0,
    material = t.material or 0, sprite = t.sprite,
    rw = t.rw, rh = t.rh or t.rw, shadowdist = t.shadowdist or 0, mass = t.mass or 0,
  }
end

objectlist = {
  -- needed by the engine --------------------------------------------------
  -- TMapMarker: invisible in the world, a coloured dot on the map
  mapmarker    = kind{ collision = 0, depth = 1, rectangle = 0, sprite = "spr_mapmarker", rw = 4 },
  -- fired by CreateRocket; light, so its constant thrust gets it moving
  rocket       = kind{ collision = 1, depth = 11, rectangle = 0, material = 2, sprite = "spr_rakett",
                       rw = 4, shadowdist = 4, mass = 1 },
  snakesegment = kind{ collision = 1, depth = 9, rectangle = 0, material = 2, sprite = "spr_snakesegment",
                       rw = 7, shadowdist = 3, mass = 0.2 },
  deadturret   = kind{ collision = 1, depth = 5, rectangle = 1, material = 2, sprite = "spr_deadturret",
                       rw = 20, rh = 20, shadowdist = 1 },

  -- walls and cover -------------------------------------------------------
  concrete_pillar = kind{ collision = 1, depth = 11, rectangle = 1, fovshadows = 1, material = 0,
                          sprite = "spr_pillar", rw = 20, rh = 20, shadowdist = 3 },
  steel_column    = kind{ collision = 1, depth = 11, rectangle = 1, fovshadows = 1, material = 2,
                          sprite = "spr_column", rw = 12, rh = 12, shadowdist = 3 },
  sandbags        = kind{ collision = 1, depth = 8, rectangle = 1, fovshadows = 1, material = 0,
                          sprite = "spr_sandbags", rw = 30, rh = 12, shadowdist = 2 },
  concrete_barrier = kind{ collision = 1, depth = 8, rectangle = 1, fovshadows = 1, material = 0,
                           sprite = "spr_barrier", rw = 30, rh = 10, shadowdist = 2 },
  -- see-through: stops bodies, not sight
  fence           = kind{ collision = 1, depth = 7, rectangle = 1, material = 2,
                          sprite = "spr_fence", rw = 36, rh = 4, shadowdist = 2 },

  -- furniture and machines ------------------------------------------------
  lockers      = kind{ collision = 1, depth = 10, rectangle = 1, fovshadows = 1, material = 2,
                       sprite = "spr_lockers", rw = 36, rh = 10, shadowdist = 2 },
  server_rack  = kind{ collision = 1, depth = 10, rectangle = 1, fovshadows = 1, material = 3,
                       sprite = "spr_serverrack", rw = 12, rh = 24, shadowdist = 2 },
  machinery    = kind{ collision = 1, depth = 10, rectangle = 1, fovshadows = 1, material = 1,
                       sprite = "spr_machinery", rw = 32, rh = 24, shadowdist = 2 },
  desk         = kind{ collision = 1, depth = 7, rectangle = 1, material = 2,
                       sprite = "spr_desk", rw = 28, rh = 14, shadowdist = 2 },
  chair        = kind{ collision = 2, depth = 6, rectangle = 0, material = 2,
                       sprite = "spr_chair", rw = 4, shadowdist = 1, mass = 1 },
  plant        = kind{ collision = 2, depth = 7, rectangle = 0, material = 0,
                       sprite = "spr_plant", rw = 6, shadowdist = 2, mass = 2 },

  -- barrels and loose things ----------------------------------------------
  oil_barrel   = kind{ collision = 1, depth = 7, rectangle = 0, material = 1, frame = 0,
                       sprite = "spr_barrel", rw = 6, shadowdist = 2, mass = 3 },
  toxic_barrel = kind{ collision = 1, depth = 7, rectangle = 0, material = 2, frame = 1,
                       sprite = "spr_barrel", rw = 6, shadowdist = 2, mass = 3 },
  cable_spool  = kind{ collision = 1, depth = 7, rectangle = 0, material = 0,
                       sprite = "spr_spool", rw = 8, shadowdist = 2, mass = 4 },
  floor_lamp   = kind{ collision = 2, depth = 9, rectangle = 0, material = 2,
                       sprite = "spr_floorlamp", rw = 4, shadowdist = 3, mass = 1 },

  -- floor clutter (no body to speak of) -----------------------------------
  debris1      = kind{ collision = 0, depth = 2, rectangle = 0, frame = 0, sprite = "spr_debris", rw = 8 },
  debris2      = kind{ collision = 0, depth = 2, rectangle = 0, frame = 1, sprite = "spr_debris", rw = 8 },
  debris3      = kind{ collision = 0, depth = 2, rectangle = 0, frame = 2, sprite = "spr_debris", rw = 8 },
  debris4      = kind{ collision = 0, depth = 2, rectangle = 0, frame = 3, sprite = "spr_debris", rw = 8 },
  rubble       = kind{ collision = 0, depth = 3, rectangle = 0, sprite = "spr_rubble", rw = 12, shadowdist = 1 },

  -- light -----------------------------------------------------------------
  lamp_glow    = kind{ collision = 0, depth = 20, rectangle = 0, sprite = "spr_lampglow", rw = 24 },

  -- core ---
  -- cover to fight round: the reactor column hides a soldier; the pylon, the
  -- trunk and the coil stop bullets but not sight (a pylon that cast view
  -- shadows would be drawn black over its lights, like a wall)
  core_reactor = kind{ collision = 1, depth = 11, rectangle = 0, fovshadows = 1, material = 3,
                       sprite = "spr_core_reactor", rw = 12, shadowdist = 3 },
  core_coil    = kind{ collision = 1, depth = 8, rectangle = 0, material = 1,
                       sprite = "spr_core_coil", rw = 8, shadowdist = 2 },
  core_pylon   = kind{ collision = 1, depth = 10, rectangle = 1, material = 3,
                       sprite = "spr_core_pylon", rw = 12, rh = 24, shadowdist = 2 },
  core_cable_trunk = kind{ collision = 1, depth = 8, rectangle = 1, material = 2,
                           sprite = "spr_core_cables", rw = 36, rh = 10, shadowdist = 2 },
  core_beacon  = kind{ collision = 0, depth = 9, rectangle = 0, material = 2,
                       sprite = "spr_core_beacon", rw = 4, shadowdist = 1 },
  -- light
  core_red_glow    = kind{ collision = 0, depth = 20, rectangle = 0, frame = 0, sprite = "spr_core_glow", rw = 24 },
  core_violet_glow = kind{ collision = 0, depth = 20, rectangle = 0, frame = 1, sprite = "spr_core_glow", rw = 24 },

  -- foundry ---------------------------------------------------------------
  -- a crucible of molten metal on its trunnions; bullets ring off the iron
  foundry_crucible = kind{ collision = 1, depth = 9, rectangle = 0, material = 1,
                           sprite = "spr_foundry_crucible", rw = 10, shadowdist = 3 },
  -- pig iron in crossed courses: low cover, sight passes over it
  foundry_ingots   = kind{ collision = 1, depth = 7, rectangle = 1, material = 2,
                           sprite = "spr_foundry_ingots", rw = 24, rh = 16, shadowdist = 2 },
  foundry_slagheap = kind{ collision = 1, depth = 6, rectangle = 0, material = 0,
                           sprite = "spr_foundry_slagheap", rw = 12, shadowdist = 2 },
  -- a furnace with its mouth on the front (+y) edge (no view shadows: it
  -- would be drawn as a black wall)
  foundry_furnace  = kind{ collision = 1, depth = 10, rectangle = 1, material = 0,
                           sprite = "spr_foundry_furnace", rw = 32, rh = 24, shadowdist = 3 },
  -- a lever panel (the furnace line's switch, the ladle store's door release):
  -- 0 up, 1 thrown, laid over the first by the lever's trigger script
  foundry_lever    = kind{ collision = 1, depth = 8, rectangle = 1, material = 2, frame = 0,
                           sprite = "spr_foundry_lever", rw = 12, rh = 12, shadowdist = 2 },
  foundry_lever_thrown = kind{ collision = 0, depth = 9, rectangle = 1, material = 2, frame = 1,
                               sprite = "spr_foundry_lever", rw = 12, rh = 12 },
  -- slag chips and clinker on the floor
  foundry_cinders  = kind{ collision = 0, depth = 1, rectangle = 0, sprite = "spr_foundry_cinders", rw = 8 },
  -- the fire's light round a furnace mouth or a crucible
  foundry_glow     = kind{ collision = 0, depth = 21, rectangle = 0, sprite = "spr_foundry_glow", rw = 24 },

  -- laboratories ---
  -- sample tanks: glass over a steel collar, whole and smashed (what an ambush leaves)
  labs_tank        = kind{ collision = 1, depth = 10, rectangle = 0, fovshadows = 1, material = 3,
                           sprite = "spr_labs_tank", rw = 12, shadowdist = 2 },
  labs_tank_broken = kind{ collision = 1, depth = 10, rectangle = 0, fovshadows = 1, material = 3, frame = 1,
                           sprite = "spr_labs_tank", rw = 12, shadowdist = 2 },
  labs_centrifuge  = kind{ collision = 1, depth = 9, rectangle = 1, material = 2,
                           sprite = "spr_labs_centrifuge", rw = 20, rh = 20, shadowdist = 2 },
  -- low benches and pods: stop bodies, not sight
  labs_bench       = kind{ collision = 1, depth = 7, rectangle = 1, material = 2,
                           sprite = "spr_labs_bench", rw = 36, rh = 14, shadowdist = 2 },
  labs_cryopod     = kind{ collision = 1, depth = 8, rectangle = 1, material = 3,
                           sprite = "spr_labs_cryopod", rw = 28, rh = 14, shadowdist = 2 },
  labs_screens     = kind{ collision = 1, depth = 9, rectangle = 1, fovshadows = 1, material = 3,
                           sprite = "spr_labs_screens", rw = 28, rh = 12, shadowdist = 2 },
  labs_screens_dark = kind{ collision = 1, depth = 9, rectangle = 1, fovshadows = 1, material = 3, frame = 1,
                           sprite = "spr_labs_screens", rw = 28, rh = 12, shadowdist = 2 },
  -- the switch box on a wall (its trigger is the room's); thrown, it shows frame 1
  labs_switch      = kind{ collision = 0, depth = 11, rectangle = 0, sprite = "spr_labs_switch", rw = 6 },
  labs_switch_on   = kind{ collision = 0, depth = 12, rectangle = 0, frame = 1, sprite = "spr_labs_switch", rw = 6 },
}
