#include "render/ShadowQuads.h"
#include "render/GLState.h"
#include <GL/gl.h>

TShadowQuads shadowQuads;

void TShadowQuads::Begin()
{
    vertices.clear();
    gathering = batching;
}

void TShadowQuads::Add(const float corners[8])
{
    if (!gathering) {
        Draw(corners, 1);
        return;
    }
    vertices.insert(vertices.end(), corners, corners + 8);
}

void TShadowQuads::End()
{
    gathering = false;
    if (!vertices.empty()) Draw(vertices.data(), vertices.size() / 8);
    vertices.clear();
}

void TShadowQuads::Draw(const float* vertices, size_t quads)
{
    BindTexture(0);
    SetBlendMode(3);
    SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glDrawArrays(GL_QUADS, 0, GLsizei(quads * 4));
    glDisableClientState(GL_VERTEX_ARRAY);
    ++draws;
}
