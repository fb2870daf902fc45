#version 110
// Adds the push where the blob is, fading with its alpha.
uniform sampler2D tex;
varying float intensity;
varying vec2 push;

void main()
{
    float blob = texture2D(tex, gl_TexCoord[0].st).a * intensity;
    gl_FragColor = vec4(push * blob, 0.0, 1.0);
}
