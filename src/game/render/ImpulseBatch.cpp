#include "render/ImpulseBatch.h"
#include "render/GLState.h"
#include "render/SpriteBatch.h"
#include <GL/glew.h>

void TImpulseBatch::Add(const TSpriteCorner* corners, int count, float alpha, float attributeX,
                        float attributeY)
{
    for (int i = 0; i < count; ++i)
        vertices.push_back({corners[i].x, corners[i].y, corners[i].u, corners[i].v, 1.0f, 1.0f,
                            1.0f, alpha, attributeX, attributeY});
}

void TImpulseBatch::AddQuad(const TSpriteCorner quad[4], float alpha, float attributeX,
                            float attributeY)
{
    // Quads and strips do not share a draw: the caller sends the batch before
    // switching, so a quad offered to strips is a mistake and is refused.
    if (!stripFirsts.empty()) return;
    Add(quad, 4, alpha, attributeX, attributeY);
}

void TImpulseBatch::AddStrip(const TSpriteCorner strip[8], float alpha, float attributeX,
                             float attributeY)
{
    if (stripFirsts.empty() && !vertices.empty()) return;  // as above
    stripFirsts.push_back(int(vertices.size()));
    stripCounts.push_back(8);
    Add(strip, 8, alpha, attributeX, attributeY);
}

void TImpulseBatch::Draw(int attribute)
{
    if (vertices.empty()) return;
    FlushSprites();
    const Vertex* v = vertices.data();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &v->u);
    glColorPointer(4, GL_FLOAT, sizeof(Vertex), &v->r);
    if (attribute >= 0) {
        glEnableVertexAttribArray(GLuint(attribute));
        glVertexAttribPointer(GLuint(attribute), 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                              &v->attributeX);
    }
    if (stripFirsts.empty()) {
        glDrawArrays(GL_QUADS, 0, GLsizei(vertices.size()));
    } else if (glMultiDrawArrays) {
        glMultiDrawArrays(GL_QUAD_STRIP, stripFirsts.data(), stripCounts.data(),
                          GLsizei(stripFirsts.size()));
    } else {
        for (size_t i = 0; i < stripFirsts.size(); ++i)
            glDrawArrays(GL_QUAD_STRIP, stripFirsts[i], stripCounts[i]);
    }
    if (attribute >= 0) glDisableVertexAttribArray(GLuint(attribute));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    ++draws;
    vertices.clear();
    stripFirsts.clear();
    stripCounts.clear();
    // A colour array leaves the current colour undefined: make the cache true again.
    float color[4];
    CurrentColor(color);
    if (color[0] >= 0.0f) glColor4f(color[0], color[1], color[2], color[3]);
}
