#version 110
// Directional push: a soft blob sprite; its colour alpha scales the push.
varying float intensity;

void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    intensity = gl_Color.a;
    gl_Position = ftransform();
}
