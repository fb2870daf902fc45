-- Level 4: its seed and size. objects.lua builds it from the modules.
level = { name = "level4", zone = "labs", seed = 32209, size = 9 }
