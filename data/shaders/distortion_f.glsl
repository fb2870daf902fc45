#version 110
// Compositor: each colour channel of the frame is read through its own offset
// buffer (red through distoffsets0, green 1, blue 2). The buffers share the display
// texture's coordinates, so an offset is a move in display-texture units.
uniform sampler2D tex;
uniform sampler2D distoffsets0;
uniform sampler2D distoffsets1;
uniform sampler2D distoffsets2;

// The frame block inside the 512 x 256 display texture, half a texel in from its edges,
// so a large offset repeats the edge instead of reading outside the picture.
const vec2 frameMin = vec2(0.5 / 512.0, 16.5 / 256.0);
const vec2 frameMax = vec2(319.5 / 512.0, 255.5 / 256.0);

vec2 Shifted(vec2 uv, sampler2D offsets)
{
    return clamp(uv + texture2D(offsets, uv).rg, frameMin, frameMax);
}

void main()
{
    vec2 uv = gl_TexCoord[0].st;
    float red = texture2D(tex, Shifted(uv, distoffsets0)).r;
    float green = texture2D(tex, Shifted(uv, distoffsets1)).g;
    float blue = texture2D(tex, Shifted(uv, distoffsets2)).b;
    gl_FragColor = vec4(red, green, blue, 1.0);
}
