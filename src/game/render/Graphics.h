#pragma once

struct TTexture;

// The blank 512 x 256 texture whose top 240 rows receive each finished frame.
extern TTexture* displayTexture;

// Graphics start-up: video mode, display texture, GL state, gfx.lua, editor.lua,
// objects.lua, relvad.lua, the font, the distortion object.
bool InitGraphics();
// Sets the OpenGL attributes and the video mode (windowed: resizable w x h).
bool SetVideoMode(int width, int height, bool windowed);
// Window resized by the user: new letterbox, new video mode.
void OnVideoResize(int width, int height);
// Copies the 320 x 240 frame block of the back buffer into the texture's top rows.
void CopyScreenToTexture(TTexture* texture);
