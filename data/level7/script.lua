-- Level 7: its seed and size. objects.lua builds it from the modules.
level = { name = "level7", zone = "foundry", seed = 55390, size = 13 }
