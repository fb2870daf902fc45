-- Level 1: its seed and size. objects.lua builds it from the modules.
level = { name = "level1", zone = "decks", seed = 9028, size = 4 }
