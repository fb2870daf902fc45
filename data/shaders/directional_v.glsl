#version 110
// Directional push: a soft blob sprite; its colour alpha scales the push, `dir`
// (display-texture units) is the push itself.
attribute vec2 dir;
varying float intensity;
varying vec2 push;

void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    intensity = gl_Color.a;
    push = dir;
    gl_Position = ftransform();
}
