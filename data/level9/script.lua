-- Level 9: its seed and size. objects.lua builds it from the modules.
level = { name = "level9", zone = "foundry", seed = 70844, size = 16 }
