#include "stats/RunRecord.h"
#include "level/campaign/LevelProgress.h"

TRunRecord MakeRunRecord(const TLevelProgress& progress)
{
    TRunRecord record;
    record.score = progress.score;
    record.kills = progress.kills;
    record.time = progress.time;
    record.difficulty = progress.difficulty;
    record.accuracy = progress.shots > 0 ? float(progress.hits) / float(progress.shots) : 0.0f;
    return record;
}
