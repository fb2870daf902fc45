#pragma once
#include <cstdint>

// Cached OpenGL state: each setter does nothing when the state is already set,
// because every sprite draw sets colour and texture.
//
// Blend modes: 0 multiply, 1 additive, 2 transparency, 3 opaque,
// 4 cut-out (alpha test > 0.5), 5 doubling multiply.
void SetBlendMode(int mode);
// Sets OpenGL's blending for the mode and leaves the cache alone (an unknown
// mode: nothing); for the sprite batch, which draws each run in its own mode.
void ApplyBlendMode(int mode);
void SetColor(float r, float g, float b, float a);
// Sends the sprite batch's kept quads when the texture changes, and whenever
// it is 0 (what follows draws untextured shapes directly).
void BindTexture(uint32_t id);
// Forgets the caches (blend 4, colour -1, texture 0) without touching OpenGL;
// for a fresh context, and for code that changed the state behind the caches.
void ResetGLStateCache();
// Marks the blend mode as unknown, so the next SetBlendMode always reaches
// OpenGL; for script code that changed blending behind the cache.
void ForgetBlendModeCache();
constexpr int kUnknownBlendMode = -1;
int CurrentBlendMode();
uint32_t CurrentBoundTexture();
// The cached current colour (all -1 until the first SetColor after a reset).
void CurrentColor(float rgba[4]);
// How many OpenGL state changes the setters above have issued so far; lets a
// check see that repeating a state costs nothing.
uint32_t GLStateChangeCount();
// The framebuffer the window shows. On classic SDL it is 0, but sdl12-compat
// scales the picture through a framebuffer object of its own, bound when the
// video mode is set, and expects the game to draw into that. Code that draws
// into its own framebuffer returns to this one. Read again for each new mode.
void NoteWindowFramebuffer();
uint32_t WindowFramebuffer();
// Writes "GL:%s\n" to stderr when OpenGL reports an error.
void CheckGLError();
