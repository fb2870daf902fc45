#pragma once

struct lua_State;

// Registers every engine function: each subsystem's functions, then the gl
// table (StartScriptHost, and the docs/lua-api.md writer, which lists them in
// this order).
void RegisterEngineApi(lua_State* L);

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

// Small helpers shared by the binding files.
// The functions registered from now on belong to this subsystem of
// docs/lua-api.md; `about` says in a sentence or two what it covers.
void BeginApiGroup(const char* title, const char* about);
// Registers `fn` as global `name`. `call` is the call as a script writes it,
// "(x, y, angle, kind) -> object" ([...] for optional arguments, nothing
// after the arrow when there are no results); `description` says in one line
// what it does. Both go into docs/lua-api.md.
void SetGlobalFunction(lua_State* L, const char* name, int (*fn)(lua_State*), const char* call,
                       const char* description);
// Pushes global table `name` (the method tables: object, actor, player, ...),
// making it when nobody has yet. The methods set next are documented as `name`.Method.
void OpenMethodTable(lua_State* L, const char* name);
// Sets `name` = fn in the table on top of the stack, documented as SetGlobalFunction's are.
void SetMethod(lua_State* L, const char* name, int (*fn)(lua_State*), const char* call, const char* description);
// Documents a function a binding registers in a way of its own (the gl
// table's), as `table`.`name` ("" for a global).
void DocumentFunction(const char* table, const char* name, const char* call, const char* description);
// Argument `index` as a float, or a script error when it is not a number, is
// NaN or infinite or beyond 1e30: the physics world cannot place a body at
// infinity, and one body there spreads NaN to everything it touches.
float CheckFinite(lua_State* L, int index);
