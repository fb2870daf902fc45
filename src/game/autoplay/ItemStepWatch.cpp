#include "autoplay/ItemStepWatch.h"
#include "autoplay/AutoTuning.h"

using namespace autotune;

bool TItemStepWatch::NotTaken(int selected, int frame)
{
    // Only a press just before counts: one long ago says nothing about now.
    const bool stayed = selected == from && frame - pressFrame <= kStepPressGap;
    ignored = stayed ? ignored + 1 : 0;
    if (ignored > kIgnoredStepsBeforeWalkOn) {
        ignored = 0;
        return true;
    }
    from = selected;
    pressFrame = frame;
    return false;
}
