#pragma once
#include <map>
#include <string>

struct TLevelProgress;

// What the statistics file keeps of one finished run.
struct TRunRecord {
    int score = 0;
    std::map<std::string, int> kills;  // by enemy name, in byte order
    float accuracy = 0.0f;             // hits / shots, 0 when nothing was fired
    int time = 0;                      // frames
    bool won = false;                  // left through the last gate instead of dying
    std::string difficulty;            // "easy", "normal" or "hard"; empty in records from before

    bool operator==(const TRunRecord&) const = default;
};

// Takes the counters of the run that just ended.
TRunRecord MakeRunRecord(const TLevelProgress& progress);
