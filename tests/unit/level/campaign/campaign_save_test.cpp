// The campaign save's text: what the game writes reads back the same, and
// anything damaged or strange is refused with a reason instead of half-read.
#include "level/campaign/CampaignSave.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

TCampaignSave Sample()
{
    TCampaignSave save;
    save.level = "level7";
    TLevelProgress& p = save.progress;
    p.shots = 310;
    p.hits = 122;
    p.time = 45012;
    p.score = -5;
    p.levelCount = 6;
    p.kills = {{"soldat", 14}, {"zombie", 61}};
    for (int i = 0; i < TLevelProgress::kAmmoTypes; ++i) p.ammo[i] = i * 11;
    p.slots[0] = {"automaat", 23, ""};
    p.slots[3] = {"pistol ammo", 0, "odd\ttext\nwith \\ marks"};
    p.slots[15] = {"small medkit", 0, "last"};
    p.health = 42.5f;
    p.difficulty = "hard";
    return save;
}

void ExpectSame(const TLevelProgress& a, const TLevelProgress& b)
{
    EXPECT_EQ(a.shots, b.shots);
    EXPECT_EQ(a.hits, b.hits);
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.score, b.score);
    EXPECT_EQ(a.levelCount, b.levelCount);
    EXPECT_EQ(a.kills, b.kills);
    for (int i = 0; i < TLevelProgress::kAmmoTypes; ++i) EXPECT_EQ(a.ammo[i], b.ammo[i]) << i;
    for (int i = 0; i < TLevelProgress::kCarriedSlots; ++i) {
        EXPECT_EQ(a.slots[i].name, b.slots[i].name) << i;
        EXPECT_EQ(a.slots[i].count, b.slots[i].count) << i;
        EXPECT_EQ(a.slots[i].text, b.slots[i].text) << i;
    }
    EXPECT_FLOAT_EQ(a.health, b.health);
    EXPECT_EQ(a.difficulty, b.difficulty);
}

TEST(CampaignSave, WrittenProgressReadsBackWholeAndValid)
{
    const TCampaignSave save = Sample();
    const std::string text = FormatCampaignSave(save);
    std::string error;
    const auto read = ParseCampaignSave(text, &error);
    ASSERT_TRUE(read) << error << "\n" << text;
    EXPECT_EQ(read->level, "level7");
    ExpectSame(read->progress, save.progress);
    EXPECT_TRUE(read->progress.carriedStateValid) << "a continued level hands the state to its player";
    // Every field stays on its own line: a text with a line break cannot split one.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 16) << text;

    // A save from before difficulties plays "normal".
    std::string older = text;
    older.erase(older.find("difficulty\thard\n"), 16);
    const auto old = ParseCampaignSave(older, &error);
    ASSERT_TRUE(old) << error << "\n" << older;
    EXPECT_EQ(old->progress.difficulty, "normal");

    // A fresh run (no kills, empty slots) reads back as fresh.
    TCampaignSave fresh;
    fresh.level = "level2";
    const auto again = ParseCampaignSave(FormatCampaignSave(fresh), &error);
    ASSERT_TRUE(again) << error;
    ExpectSame(again->progress, TLevelProgress());
}

TEST(CampaignSave, DamagedOrStrangeSavesAreRefusedWithAReason)
{
    const std::string good = FormatCampaignSave(Sample());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", "not a campaign save"},
        {"level\tlevel1\nend\n", "not a campaign save"},
        {good.substr(0, good.size() - 4), "cut short"},
        {good.substr(0, good.size() / 2), ""},
        {replaced("level\tlevel7", "level\t../../etc"), "plain directory name"},
        {replaced("level\tlevel7", "level\t"), "plain directory name"},
        {replaced("level\tlevel7\n", ""), "no level"},
        {replaced("health\t42.500000", "health\t0"), "living"},
        {replaced("health\t42.500000", "health\tnan"), "living"},
        {replaced("health\t42.500000", "health\t42abc"), "living"},
        {replaced("ammo\t0 11 22", "ammo\t11 22"), "ten counts"},
        {replaced("ammo\t0 11 22", "ammo\t0 11 -22"), "ten counts"},
        {replaced("shots\t310", "shots\t99999999999"), "count"},
        {replaced("slot\t0\t23", "slot\t16\t23"), "slot"},
        {replaced("slot\t0\t23\tautomaat", "slot\t0\t23\t"), "slot"},
        {replaced("odd\\ttext", "odd\\qtext"), "slot"},
        {replaced("kill\tsoldat\t14", "kill\tsoldat"), "kill"},
        {replaced("score\t-5", "bonus\t5"), "unknown line"},
        {replaced("difficulty\thard", "difficulty\tnightmare"), "difficulty"},
    };
    for (const auto& [text, reason] : cases) {
        std::string error;
        EXPECT_FALSE(ParseCampaignSave(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_NE(error.find(reason), std::string::npos) << error << "\n" << text;
    }
    EXPECT_FALSE(IsCampaignLevelName(".."));
    EXPECT_FALSE(IsCampaignLevelName("a/b"));
    EXPECT_TRUE(IsCampaignLevelName("level10"));
}

} // namespace
