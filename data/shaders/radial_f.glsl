#version 110
// Each pixel of the blob reads the picture from nearer its centre when the strength
// is positive (the picture swells) and from farther out when it is negative (it draws
// in), by its distance from the centre times the blob's alpha times the strength.
// AddRadial hands over minus its own strength, so a positive impulse draws the
// picture in, as on the mesh distortion.
uniform sampler2D tex;
varying float strength;
varying vec2 push;

void main()
{
    float blob = texture2D(tex, gl_TexCoord[0].st).a;
    gl_FragColor = vec4(push * blob * strength, 0.0, 1.0);
}
