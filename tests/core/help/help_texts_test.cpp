#include "core/help/help_texts.h"
#include "core/help/help_topics.h"
#include "core/stats/stat_list.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace velmora;

namespace {

constexpr const char* kTexts =
    "# a comment line\n"
    "@NUMS\n"
    "<p>the numbers</p>\n"
    "# comments inside an entry are skipped too\n"
    "!filter\n"
    "<p>keeps numbers</p>\n"
    "!settings\n"
    "<p>none</p>\n"
    "@COL# ROW#\r\n"
    "<p>column or row {N}</p>\r\n"
    "!filter\r\n"
    "<p>count in {N}</p>\r\n"
    "@COL3\n"
    "<p>the third column</p>\n"
    "@SC2C#\n"
    "<p>channel {N}</p>\n"
    "@ZZZ# SUMS\n"
    "<p>sums</p>\n";

} // namespace

TEST(HelpTexts, EntriesKeysAndSections) {
    THelpTexts texts;
    texts.AddText(kTexts, "t.txt");
    struct Case {
        const char* code;
        bool found;
        const char* counts;
        const char* filter;
        const char* settings;
    } cases[] = {
        {"NUMS", true, "<p>the numbers</p>", "<p>keeps numbers</p>", "<p>none</p>"},
        {"COL1", true, "<p>column or row 1</p>", "<p>count in 1</p>", ""},
        {"COL10", true, "<p>column or row 10</p>", "<p>count in 10</p>", ""},
        {"ROW7", true, "<p>column or row 7</p>", "<p>count in 7</p>", ""},
        {"COL3", true, "<p>the third column</p>", "", ""},  // the exact key wins over the pattern
        {"SC2C10", true, "<p>channel 10</p>", "", ""},      // '#' is the run after the literal digit
        {"SC2C", false, "", "", ""},                         // '#' needs at least one digit
        {"COLS", false, "", "", ""},
        {"col1", false, "", "", ""},                         // codes are exact
        {"SUMS", true, "<p>sums</p>", "", ""},
    };
    for (const auto& c : cases) {
        const auto t = texts.Find(c.code);
        ASSERT_EQ(t.has_value(), c.found) << c.code;
        if (!t) continue;
        EXPECT_EQ(t->Counts, c.counts) << c.code;
        EXPECT_EQ(t->Filter, c.filter) << c.code;
        EXPECT_EQ(t->Settings, c.settings) << c.code;
    }
    EXPECT_EQ(texts.UnknownKeys({"NUMS", "COL1", "COL3", "SC2C1", "SUMS"}), (std::vector<std::string>{"ROW#", "ZZZ#"}));
    EXPECT_TRUE(texts.Warnings().empty());
}

TEST(HelpTexts, ProblemsOfTheFile) {
    THelpTexts texts;
    texts.AddText("stray text\n@NUMS\n<p>a</p>\n", "a.txt");
    texts.AddText("@NUMS\n<p>b</p>\n@\n", "b.txt");
    ASSERT_EQ(texts.Warnings().size(), 3u);
    EXPECT_NE(texts.Warnings()[0].find("a.txt"), std::string::npos);  // text before the first entry
    EXPECT_NE(texts.Warnings()[1].find("NUMS"), std::string::npos);   // a key given twice
    EXPECT_NE(texts.Warnings()[2].find("b.txt"), std::string::npos);  // an entry without keys
    EXPECT_EQ(texts.Find("NUMS")->Counts, "<p>a</p>");                 // the first entry stays
}

class HelpTopics : public test::TempDirTest {};

// Every available method of the registry has its topic, linked from stats.htm; the hand texts of an
// entry land in the topics it names.
TEST_F(HelpTopics, EveryMethodHasItsTopic) {
    THelpTexts texts;
    texts.AddText("@NUMS\n<p>hand text of NUMS</p>\n!filter\n<p>hand filter text</p>\n@COL#\n<p>column {N} text</p>\n"
                  "@NOPE\n<p>x</p>\n",
                  "t.txt");
    const THelpTopicsReport report = WriteHelpTopics(texts, dir.string());
    TStatList list;
    list.Build();
    const std::string stats = ReadFileBytes(Path("stats.htm"));
    int available = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsAvailable(i)) continue;
        ++available;
        const std::string topic = list.Items(i).StatClass->GetHelpTopic(list.Items(i).Param);
        EXPECT_TRUE(std::filesystem::is_regular_file(dir / topic)) << list.Items(i).Code();
        EXPECT_NE(stats.find("href=\"" + topic + "\""), std::string::npos) << topic;
        const std::string page = ReadFileBytes(Path(topic));
        EXPECT_NE(page.find(">" + list.Items(i).Code() + "<"), std::string::npos) << topic;
    }
    EXPECT_EQ(report.Missing.size(), size_t(available - 1 - list.Config.MatrixCols));
    EXPECT_EQ(report.Unknown, (std::vector<std::string>{"NOPE"}));
    const std::string nums = ReadFileBytes(Path("Filters_1049_NUMS.htm"));
    EXPECT_NE(nums.find("<p>hand text of NUMS</p>"), std::string::npos);
    EXPECT_NE(nums.find("<p>hand filter text</p>"), std::string::npos);
    // The example: the values the engine gives the last example draw (49 20 24 36 46).
    EXPECT_NE(nums.find("<td>NUMS</td><td>20; 24; 36; 46; 49</td>"), std::string::npos);
    // The columns share one topic and one text, the digit shown as N.
    const std::string cols = ReadFileBytes(Path("Filters_1049_COLx.htm"));
    EXPECT_NE(cols.find("<p>column <i>N</i> text</p>"), std::string::npos);
    EXPECT_EQ(HelpExampleDraws().size(), 30u);
}
