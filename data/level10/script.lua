-- Level 10: its seed and size. objects.lua builds it from the modules.
level = { name = "level10", zone = "core", seed = 78571, size = 18 }
