-- Level 5: its seed and size. objects.lua builds it from the modules.
level = { name = "level5", zone = "labs", seed = 39936, size = 10 }
