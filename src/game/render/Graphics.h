#pragma once
#include "render/ScreenFit.h"

struct TTexture;

// The blank 512 x 256 texture whose top 240 rows receive each finished frame.
extern TTexture* displayTexture;

// Graphics start-up: video mode, display texture, GL state, the distortion
// object. The images and sprites come after it, from gfx.lua (LoadContent).
bool InitGraphics();
// Sets the OpenGL attributes and the video mode: a resizable w x h window, or
// full screen at w x h (0 x 0: the mode in use).
bool SetVideoMode(int width, int height, bool windowed);
// Window resized by the user: new letterbox, new video mode.
void OnVideoResize(int width, int height);
// Full screen at the desktop's size, or back to the window's last size; the
// settings' "fullscreen" follows. False (and the mode as it was) on failure.
bool SetFullScreen(bool on);
// Applies the settings' "scale" ("fit" or "integer") to the picture.
void ApplyScreenScale();
// Where the 320 x 240 picture lies in the window now.
TPictureRect ShownPicture();
// The mouse as a point of the shown picture (0..320, 0..240 inside it).
void MousePicturePoint(float* x, float* y);
// Copies the 320 x 240 frame block of the back buffer into the texture's top rows.
void CopyScreenToTexture(TTexture* texture);
