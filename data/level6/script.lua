-- Level 6: its seed and size. objects.lua builds it from the modules.
level = { name = "level6", zone = "labs", seed = 47663, size = 12 }
