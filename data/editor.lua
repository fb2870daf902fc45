-- Module editor palette: sprite names shown for each editor object type and
-- the commands that place them. Filled as the world's pieces arrive.
edit_sprites = {}
edit_commands = { length = 0 }
edit_rendercmds = {}
