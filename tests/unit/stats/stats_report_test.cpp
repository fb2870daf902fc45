#include "stats/StatsReport.h"
#include <gtest/gtest.h>

namespace {

TRunRecord Record(int score, float accuracy, int time, std::map<std::string, int> kills = {})
{
    TRunRecord r;
    r.score = score;
    r.accuracy = accuracy;
    r.time = time;
    r.kills = std::move(kills);
    return r;
}

const std::string kRule(49, '-');

}  // namespace

TEST(StatsReport, NoRunsYet)
{
    EXPECT_EQ(BuildStatsReport({}),
              "GENERAL STATS\n" + kRule + "\n"
              "accuracy                 = 0.00%\n"
              "total time               = 0.00s\n"
              "deaths                   = 0\n"
              "high score               = 0\n"
              "\n"
              "KILLS\n" + kRule + "\n" + kRule + "\n");
}

TEST(StatsReport, SumsAndAveragesOverRuns)
{
    std::string report = BuildStatsReport({
        Record(100, 0.5f, 300, {{"grunt", 3}, {"wasp", 1}}),
        Record(250, 0.25f, 600, {{"grunt", 4}}),
    });
    EXPECT_EQ(report,
              "GENERAL STATS\n" + kRule + "\n"
              "accuracy                 = 37.50%\n"
              "total time               = 30.00s\n"
              "deaths                   = 2\n"
              "high score               = 250\n"
              "\n"
              "KILLS\n" + kRule + "\n"
              "grunt                    = 7\n"
              "wasp                     = 1\n" + kRule + "\n");
}

TEST(StatsReport, AWonRunIsNoDeathButCountsInTheAccuracy)
{
    TRunRecord won = Record(900, 0.75f, 900, {{"grunt", 2}});
    won.won = true;
    std::string report = BuildStatsReport({Record(100, 0.25f, 300), won});
    EXPECT_NE(report.find("accuracy                 = 50.00%\n"), std::string::npos) << report;
    EXPECT_NE(report.find("deaths                   = 1\nescapes                  = 1\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("high score               = 900\n"), std::string::npos) << report;
}

TEST(StatsReport, HighScoreAndKillEdgeCases)
{
    // Only negative scores: the best stays 0.
    std::string report = BuildStatsReport({Record(-5, 0, 0), Record(-1, 0, 0)});
    EXPECT_NE(report.find("high score               = 0\n"), std::string::npos);
    EXPECT_NE(report.find("deaths                   = 2\n"), std::string::npos);

    // Names are listed in byte order; a name longer than the column pushes the '='.
    std::string longName(30, 'z');
    report = BuildStatsReport({Record(0, 0, 0, {{"b", 1}, {"A", 2}, {longName, 3}})});
    std::size_t a = report.find("A                        = 2\n");
    std::size_t b = report.find("b                        = 1\n");
    std::size_t z = report.find(longName + "= 3\n");
    ASSERT_NE(a, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    ASSERT_NE(z, std::string::npos);
    EXPECT_LT(a, b);
    EXPECT_LT(b, z);

    // Counts from a damaged file cannot overflow the sum.
    report = BuildStatsReport({Record(0, 0, 0, {{"x", 2147483647}}), Record(0, 0, 0, {{"x", 2147483647}})});
    EXPECT_NE(report.find("x                        = 2147483647\n"), std::string::npos);
}
