#pragma once
#include <cstdint>

class TSprite;

// One action's animation: frames first..last advancing by speed per update,
// then the action `next` (kAnimLoop: start over). A negative speed plays
// backwards. A first frame below 0 keeps the current frame on entering.
struct TEnemyAnimation {
    float first = 0.0f;
    float last = 0.0f;
    float speed = 0.0f;
    int32_t next = 0;
};

// "next" meaning: loop the animation instead of changing action.
constexpr int32_t kAnimLoop = 14;
// One entry per action number 0..14.
constexpr int kEnemyAnimationEntries = 15;

// The animation table of one enemy kind, indexed by action number. Actions a
// kind does not list stay all zeros.
struct TEnemyAnimationTable {
    TEnemyAnimation entries[kEnemyAnimationEntries];

    // The entry of an action; actions outside 0..14 get a zero entry.
    const TEnemyAnimation& For(int32_t action) const;
    // Sets one action's entry (ignored outside 0..14).
    void Set(int32_t action, float first, float last, float speed, int32_t next);
};

// What one animation step did.
enum class AnimationStep { Running, Looped, Finished };

// Advances `frame` by the entry's speed. Finished means the action should
// change to entry.next; Looped means the frame was wound back.
AnimationStep AdvanceAnimation(const TEnemyAnimation& entry, float* frame);

// The sprite frame to draw for a float frame: its integer part, or −1 when
// the sprite is null or hasn't that frame (nothing should be drawn then).
int DrawableFrame(const TSprite* sprite, float frame);
// The same against a bare frame count.
int DrawableFrame(int frameCount, float frame);
