#version 110
// Compositor: the frame block quad over the window's letterbox.
void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
