#include "level/LevelProgress.h"

void TLevelProgress::Reset()
{
    *this = TLevelProgress();
}
