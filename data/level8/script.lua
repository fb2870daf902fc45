-- Level 8: its seed and size. objects.lua builds it from the modules.
level = { name = "level8", zone = "foundry", seed = 87333, size = 15 }
