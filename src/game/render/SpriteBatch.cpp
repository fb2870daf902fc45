#include "render/SpriteBatch.h"
#include "render/GLState.h"
#include <GL/gl.h>

TSpriteBatch spriteBatch;

void TSpriteBatch::Open()
{
    ++depth;
}

void TSpriteBatch::Close()
{
    if (depth > 0 && --depth == 0) FlushSprites();
}

void TSpriteBatch::Add(const Vertex quad[4])
{
    vertices.insert(vertices.end(), quad, quad + 4);
}

void TSpriteBatch::Flush()
{
    if (vertices.empty()) return;
    const Vertex* v = vertices.data();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &v->u);
    glColorPointer(4, GL_FLOAT, sizeof(Vertex), &v->r);
    glDrawArrays(GL_QUADS, 0, GLsizei(vertices.size()));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    ++draws;
    vertices.clear();
    // A colour array leaves the current colour undefined: make the cache true again.
    float color[4];
    CurrentColor(color);
    if (color[0] >= 0.0f) glColor4f(color[0], color[1], color[2], color[3]);
}
