#version 110
// Radial push: a soft blob sprite drawn about its centre. The colour alpha is the
// strength and may be negative, so it travels in its own varying, never clamped.
varying float strength;
varying vec2 push;

void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    strength = gl_Color.a;
    // The quad's corners lie about the origin of its model space: turned into view
    // units (one per frame pixel), they are the way out from the centre.
    vec2 outward = (gl_ModelViewMatrix * vec4(gl_Vertex.xy, 0.0, 0.0)).xy;
    // View y runs down, texture v up; the display texture is 512 x 256 texels.
    push = vec2(-outward.x / 512.0, outward.y / 256.0);
    gl_Position = ftransform();
}
