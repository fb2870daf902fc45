-- Level 3: its seed and size. objects.lua builds it from the modules.
level = { name = "level3", zone = "decks", seed = 24482, size = 7 }
