#pragma once

struct lua_State;

// Each subsystem's binding file registers its script functions through one of
// these; StartScriptHost calls them in the engine's registration order.
void RegisterCoreApi(lua_State* L);      // level and state functions, print, utilities
void RegisterRenderApi(lua_State* L);    // textures, sprites, drawing
void RegisterAudioApi(lua_State* L);     // sounds
void RegisterMenuApi(lua_State* L);      // the menu tree
void RegisterLevelApi(lua_State* L);     // levels, saving, the module list
void RegisterGlBinding(lua_State* L);    // the gl table
void RegisterWorldApi(lua_State* L);     // world objects, creation transform, object and input tables
void RegisterPiecesApi(lua_State* L);    // static world pieces, floor bitmaps, container.AddItem
void RegisterPlayerApi(lua_State* L);    // CreatePlayer, SetPlayerControl, actor and player methods
void RegisterItemsApi(lua_State* L);     // item creators and AddReaction
void RegisterEffectsApi(lua_State* L);   // explosions, rockets, time bombs and Lua items
void RegisterTurretApi(lua_State* L);    // CreateTurret and CreateSnake
void RegisterEnemiesApi(lua_State* L);   // enemy creators: zombies, spawners and the other kinds

// Small argument helpers shared by the binding files.
// Registers `fn` as global `name`.
void SetGlobalFunction(lua_State* L, const char* name, int (*fn)(lua_State*));
// Pushes global table `name` (the method tables: object, actor, player, ...),
// making it when nobody has yet.
void OpenMethodTable(lua_State* L, const char* name);
// Sets `name` = fn in the table on top of the stack.
void SetMethod(lua_State* L, const char* name, int (*fn)(lua_State*));
// Argument `index` as a float, or a script error when it is not a number, is
// NaN or infinite or beyond 1e30: the physics world cannot place a body at
// infinity, and one body there spreads NaN to everything it touches.
float CheckFinite(lua_State* L, int index);
