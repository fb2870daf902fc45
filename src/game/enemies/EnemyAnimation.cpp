#include "enemies/EnemyAnimation.h"
#include "render/Sprite.h"
#include <cmath>

const TEnemyAnimation& TEnemyAnimationTable::For(int32_t action) const
{
    static const TEnemyAnimation none{};
    if (action < 0 || action >= kEnemyAnimationEntries) return none;
    return entries[action];
}

void TEnemyAnimationTable::Set(int32_t action, float first, float last, float speed, int32_t next)
{
    if (action < 0 || action >= kEnemyAnimationEntries) return;
    entries[action] = TEnemyAnimation{first, last, speed, next};
}

AnimationStep AdvanceAnimation(const TEnemyAnimation& entry, float* frame)
{
    *frame += entry.speed;
    if (entry.speed >= 0.0f) {
        if (*frame < entry.last) return AnimationStep::Running;
        if (entry.next == kAnimLoop) {
            *frame -= entry.last - entry.first;
            return AnimationStep::Looped;
        }
        return AnimationStep::Finished;
    }
    // Played backwards: runs while above the last frame.
    if (*frame > entry.last) return AnimationStep::Running;
    if (entry.next < 0) {
        *frame -= entry.last - entry.first;
        return AnimationStep::Looped;
    }
    return AnimationStep::Finished;
}

int DrawableFrame(int frameCount, float frame)
{
    if (!std::isfinite(frame) || frame < 0.0f) return -1;
    if (frame >= float(frameCount)) return -1;
    return int(frame);
}

int DrawableFrame(const TSprite* sprite, float frame)
{
    if (!sprite) return -1;
    const int count = sprite->frameCount < int(sprite->frames.size()) ? sprite->frameCount
                                                                     : int(sprite->frames.size());
    return DrawableFrame(count, frame);
}
