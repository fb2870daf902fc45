#pragma once
#include "stats/RunRecord.h"
#include <string>
#include <vector>

// The text of the statistics screen: accuracy, play time, deaths, best score and
// the kills of all runs summed by enemy name.
std::string BuildStatsReport(const std::vector<TRunRecord>& records);
