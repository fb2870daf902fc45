#include "stats/StatsFile.h"
#include "level/campaign/LevelProgress.h"
#include "util/FileText.h"
#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class StatsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/korvanmire_stats_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::string PathOf(const std::string& name) const { return (fs::path(dir) / name).string(); }
    std::string WriteText(const std::string& name, const std::string& text) const
    {
        std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string ReadText(const std::string& path) { return ReadWholeFile(path).value_or(""); }
    static std::vector<TRunRecord> Parse(const std::string& text, std::string* warningOut = nullptr)
    {
        std::istringstream in(text);
        std::string warning;
        auto records = ParseRunRecords(in, warning);
        if (warningOut) *warningOut = warning;
        return records;
    }

    std::string dir;
};

TRunRecord Record(int score, float accuracy, int time, std::map<std::string, int> kills = {})
{
    TRunRecord r;
    r.score = score;
    r.accuracy = accuracy;
    r.time = time;
    r.kills = std::move(kills);
    return r;
}

const char* kTwoRecords =
    "2\n"
    "start\nscr 100\nacc 0.500000\ntim 300\nenm grunt 3\nenm wasp 1\nend\n"
    "start\nscr 250\nacc 0.250000\ntim 600\nenm grunt 4\nend\n";

}  // namespace

TEST(StatsRunRecord, TakesCountersFromTheRun)
{
    TLevelProgress progress;
    progress.score = 420;
    progress.time = 900;
    progress.shots = 8;
    progress.hits = 6;
    progress.kills = {{"grunt", 5}, {"wasp", 2}};
    TRunRecord record = MakeRunRecord(progress);
    EXPECT_EQ(record.score, 420);
    EXPECT_EQ(record.time, 900);
    EXPECT_FLOAT_EQ(record.accuracy, 0.75f);
    EXPECT_EQ(record.kills, progress.kills);

    progress.shots = 0;
    progress.hits = 3;  // hits without shots (melee) must not divide by zero
    EXPECT_EQ(MakeRunRecord(progress).accuracy, 0.0f);
}

TEST_F(StatsFileTest, WriteThenReadGivesTheSameRecords)
{
    std::vector<TRunRecord> records = {
        Record(100, 0.5f, 300, {{"grunt", 3}, {"wasp", 1}}),
        Record(-20, 0.125f, 0, {}),
        Record(2147483647, 1.0f, 123456, {{"Zed", 1}, {"alpha", 9}, {"beta", 0}}),
    };
    std::string path = PathOf("stats");
    ASSERT_TRUE(WriteRunRecords(path, records));
    EXPECT_EQ(ReadRunRecords(path), records);

    // The exact layout, including byte-ordered enemy names ("Zed" before "alpha").
    std::string text = ReadText(path);
    EXPECT_EQ(text.substr(0, 2), "3\n");
    EXPECT_NE(text.find("start\nscr 100\nacc 0.500000\ntim 300\nenm grunt 3\nenm wasp 1\nend\n"),
              std::string::npos);
    EXPECT_NE(text.find("enm Zed 1\nenm alpha 9\nenm beta 0\nend\n"), std::string::npos);

    // A won run says so in a line of its own, which readers that do not know it skip.
    records[1].won = true;
    ASSERT_TRUE(WriteRunRecords(path, records));
    EXPECT_EQ(ReadRunRecords(path), records);
    EXPECT_NE(ReadText(path).find("tim 0\nwon 1\nend\n"), std::string::npos) << ReadText(path);
    // So does its difficulty.
    records[1].difficulty = "hard";
    ASSERT_TRUE(WriteRunRecords(path, records));
    EXPECT_EQ(ReadRunRecords(path), records);
    EXPECT_NE(ReadText(path).find("tim 0\nwon 1\ndif hard\nend\n"), std::string::npos) << ReadText(path);

    // Accuracy keeps six decimals.
    ASSERT_TRUE(WriteRunRecords(path, {Record(1, 1.0f / 3.0f, 1)}));
    auto back = ReadRunRecords(path);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_NEAR(back[0].accuracy, 1.0f / 3.0f, 1e-6);
}

TEST_F(StatsFileTest, NoRecordsRoundTrip)
{
    std::string path = PathOf("stats");
    ASSERT_TRUE(WriteRunRecords(path, {}));
    EXPECT_EQ(ReadText(path), "0\n");
    EXPECT_TRUE(ReadRunRecords(path).empty());
}

TEST_F(StatsFileTest, WriteLeavesNoTemporaryBehindAndReplacesTheOldFile)
{
    std::string path = PathOf("stats");
    ASSERT_TRUE(WriteRunRecords(path, {Record(1, 0, 1)}));
    ASSERT_TRUE(WriteRunRecords(path, {Record(2, 0, 2), Record(3, 0, 3)}));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    EXPECT_EQ(ReadRunRecords(path).size(), 2u);
}

TEST_F(StatsFileTest, FailedWriteKeepsTheOldFile)
{
    std::string path = WriteText("stats", kTwoRecords);

    // The temporary file cannot be created: a directory sits in its place.
    fs::create_directory(path + ".tmp");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteRunRecords(path, {Record(9, 0, 9)}));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("ERROR: cannot write stats file \"" + path + "\": "), std::string::npos);
    EXPECT_EQ(ReadText(path), kTwoRecords);
    fs::remove(path + ".tmp");

    // The target directory does not exist.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteRunRecords(PathOf("missing/stats"), {Record(9, 0, 9)}));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("ERROR: cannot write stats file"), std::string::npos);

    // The rename fails (the target is a directory that is not empty): the
    // temporary file is cleaned up again.
    std::string blocked = PathOf("blocked");
    fs::create_directories(blocked + "/inside");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteRunRecords(blocked, {Record(9, 0, 9)}));
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(fs::exists(blocked + ".tmp"));
    EXPECT_TRUE(fs::is_directory(blocked + "/inside"));
}

TEST_F(StatsFileTest, ReadingFieldsAndDuplicates)
{
    std::string warning;
    auto records = Parse(
        "1\n"
        "junk before the record\n"
        "start\n"
        "  scr   77  \r\n"
        "unknown 5\n"
        "enm grunt 2\n"
        "enm grunt 5\n"   // the later line for a name wins
        "tim 30\n"
        "acc 0.750000\n"
        "end\n",
        &warning);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].score, 77);
    EXPECT_EQ(records[0].time, 30);
    EXPECT_FLOAT_EQ(records[0].accuracy, 0.75f);
    EXPECT_EQ(records[0].kills, (std::map<std::string, int>{{"grunt", 5}}));
    EXPECT_EQ(warning, "");
}

TEST_F(StatsFileTest, MalformedFieldsKeepTheirValue)
{
    auto records = Parse(
        "1\nstart\n"
        "scr 10\nscr abc\n"          // keeps 10
        "tim\n"                     // stays 0
        "acc nan\nacc x\n"          // stays 0
        "scr 99999999999999999\n"   // out of range: keeps 10
        "enm\nenm ghost\nenm ghost x\n"  // no usable count: no entry
        "end\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].score, 10);
    EXPECT_EQ(records[0].time, 0);
    EXPECT_EQ(records[0].accuracy, 0.0f);
    EXPECT_TRUE(records[0].kills.empty());
}

// Damaged and hostile files: never a crash, the complete records are kept, one warning.
TEST_F(StatsFileTest, RobustReading)
{
    testing::internal::CaptureStderr();
    EXPECT_TRUE(ReadRunRecords(PathOf("does-not-exist")).empty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // no file yet is normal

    testing::internal::CaptureStderr();
    EXPECT_TRUE(ReadRunRecords(WriteText("empty", "")).empty());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("stats: "), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);

    // A directory where the file should be.
    fs::create_directory(PathOf("adir"));
    testing::internal::CaptureStderr();
    EXPECT_TRUE(ReadRunRecords(PathOf("adir")).empty());
    testing::internal::GetCapturedStderr();

    std::string warning;
    EXPECT_TRUE(Parse("\x01\x02garbage\xff\n\n\n", &warning).empty());
    EXPECT_NE(warning, "");

    // Count 0: nothing is read even if records follow.
    EXPECT_TRUE(Parse(std::string("0\n") + (kTwoRecords + 2), &warning).empty());
    EXPECT_EQ(warning, "");

    // Truncated in the middle of the second record: the first is kept.
    std::string cut = kTwoRecords;
    cut = cut.substr(0, cut.find("tim 600"));
    auto records = Parse(cut, &warning);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].score, 100);
    EXPECT_EQ(warning, "stats: file truncated after 1 records");

    // Cut before the "start" of a record the count promised.
    records = Parse(std::string("3") + (kTwoRecords + 1), &warning);
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(warning, "stats: file truncated after 2 records");

    // Huge and negative counts read what is there.
    for (const char* count : {"2147483647", "99999999999999999999", "-5", "many"}) {
        records = Parse(std::string(count) + (kTwoRecords + 1), &warning);
        EXPECT_EQ(records.size(), 2u) << count;
        EXPECT_NE(warning, "") << count;
    }

    // No line ending at all after the last "end".
    std::string noNewline = kTwoRecords;
    noNewline.pop_back();
    EXPECT_EQ(Parse(noNewline, &warning).size(), 2u);
    EXPECT_EQ(warning, "");
}

TEST_F(StatsFileTest, LongLinesAndLongNames)
{
    std::string longWord(5000, 'x');
    std::string longName(300, 'n');
    std::string warning;
    auto records = Parse("1\n" + longWord + "\nstart\n" + longWord + " 5\nscr 7 " + longWord + "\nenm " + longName
                             + " 4\nenm " + longWord.substr(0, 40) + "\nend\n",
                         &warning);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].score, 7);
    // The long name is cut to 31 bytes and its count still read.
    EXPECT_EQ(records[0].kills, (std::map<std::string, int>{{longName.substr(0, kStatsNameMax), 4}}));
    EXPECT_EQ(warning, "");

    // Writing keeps every name a single short word so the file reads back the same.
    std::string path = PathOf("stats");
    ASSERT_TRUE(WriteRunRecords(path, {Record(1, 0, 1, {{longName, 1}, {"two words", 2}, {"", 3}})}));
    auto back = ReadRunRecords(path);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].kills,
              (std::map<std::string, int>{{longName.substr(0, kStatsNameMax), 1}, {"two_words", 2}, {"_", 3}}));
}

// Random bytes and mutations of a valid file: the reader must stay inside its
// buffers and finish; the sanitizer build checks the former.
TEST(StatsFileFuzz, RandomAndMutatedInput)
{
    std::mt19937 random(20240611u);
    auto started = std::chrono::steady_clock::now();
    const std::string valid = kTwoRecords;
    const std::string alphabet = "0123456789-+. \n\r\tabcdemnrstix\xff";
    std::size_t recordsSeen = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string input;
        if (round % 3 == 0) {
            input.resize(random() % 400);
            for (char& c : input) c = char(random() % 256);
        } else if (round % 3 == 1) {
            input.resize(random() % 400);
            for (char& c : input) c = alphabet[random() % alphabet.size()];
        } else {
            input = valid;
            int edits = 1 + int(random() % 8);
            for (int e = 0; e < edits && !input.empty(); ++e) {
                std::size_t at = random() % input.size();
                switch (random() % 4) {
                case 0: input[at] = char(random() % 256); break;
                case 1: input.erase(at, 1 + random() % 10); break;
                case 2: input.insert(at, std::string(1 + random() % 300, char(random() % 256))); break;
                default: input.resize(at); break;
                }
            }
        }
        std::istringstream in(input);
        std::string warning;
        auto records = ParseRunRecords(in, warning);
        // Every record kept was closed by an "end" line, so there can't be more
        // records than lines.
        EXPECT_LE(records.size() * 2, std::size_t(std::count(input.begin(), input.end(), '\n')) + 1);
        for (const auto& r : records)
            for (const auto& [name, count] : r.kills) EXPECT_LE(name.size(), kStatsNameMax);
        recordsSeen += records.size();
    }
    EXPECT_GT(recordsSeen, 0u);  // some mutations still read as records
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
}
