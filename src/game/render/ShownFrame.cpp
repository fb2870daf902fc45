#include "render/ShownFrame.h"
#include "render/SpriteBatch.h"
#include <GL/glew.h>

bool TShownFrame::Unchanged(const TPictureRect& picture, int windowWidth, int windowHeight, bool distortionAtRest)
{
    // A frame drawn while the distortion moves is never kept, so it needs no
    // reading back: the next one differs on the screen even if its block does not.
    if (!distortionAtRest) {
        known = false;
        return false;
    }
    // The frame block: window rows 240..480 counted from the bottom, as the
    // display texture takes it.
    drawn.resize(320 * 240);
    FlushSprites();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 240, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, drawn.data());

    const bool samePlace = picture.x == shownPicture.x && picture.y == shownPicture.y &&
                           picture.width == shownPicture.width && picture.height == shownPicture.height &&
                           windowWidth == shownWidth && windowHeight == shownHeight;
    const bool same = known && samePlace && framesKept < kRedrawFrames && drawn == shown;
    if (same) {
        ++framesKept;
        return true;
    }
    shown.swap(drawn);
    shownPicture = picture;
    shownWidth = windowWidth;
    shownHeight = windowHeight;
    framesKept = 0;
    known = true;
    return false;
}
