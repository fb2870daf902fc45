-- Level 2: its seed and size. objects.lua builds it from the modules.
level = { name = "level2", zone = "decks", seed = 16755, size = 6 }
