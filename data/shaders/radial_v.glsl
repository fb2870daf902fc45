#version 110
// Radial push: a soft blob sprite drawn about its centre. The colour alpha is the
// strength and may be negative, so it travels in its own varying, never clamped.
// The quad's corners come about the origin, already turned; `centre` (view
// units, one per frame pixel) moves them to the blob's place.
attribute vec2 centre;
varying float strength;
varying vec2 push;

void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    strength = gl_Color.a;
    // The corners are the way out from the centre. View y runs down, texture v
    // up; the display texture is 512 x 256 texels.
    push = vec2(-gl_Vertex.x / 512.0, gl_Vertex.y / 256.0);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(gl_Vertex.xy + centre, 0.0, 1.0);
}
