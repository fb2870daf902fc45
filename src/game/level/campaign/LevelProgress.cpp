#include "level/campaign/LevelProgress.h"

void TLevelProgress::Reset()
{
    *this = TLevelProgress();
}
