#version 110
// Adds `dir` (display-texture units) where the blob is, fading with its alpha.
uniform sampler2D tex;
uniform vec2 dir;
varying float intensity;

void main()
{
    float blob = texture2D(tex, gl_TexCoord[0].st).a * intensity;
    gl_FragColor = vec4(dir * blob, 0.0, 1.0);
}
