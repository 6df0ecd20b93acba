#include "core/combs/comb_set.h"

#include "core/combs/draw_matcher.h"
#include "core/util/error.h"
#include "core/util/progress.h"
#include "../../test_draws.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

TCombination Sorted(const TDrawRecord& d) {
    TCombination c;
    DrawToComb(d, c);
    SortComb(c);
    return c;
}

std::vector<TCombination> Snapshot(const TCombSet& s) { return {s.Data(), s.Data() + s.Count()}; }

// A set holding exactly the given combinations, made the way the user makes one: by pasting.
void Fill(TCombSet& s, const std::vector<TCombination>& combs) {
    std::string text;
    for (const auto& c : combs) text += CombToSpacedText(c) + "\r\n";
    s.PasteCombsText(text);
}

// Every status text and percent an operation shows.
struct RecordingSink : TProgressSink {
    std::vector<std::string> texts;
    std::vector<double> percents;
    void Status(const std::string& t) override { texts.push_back(t); }
    void Percent(double p) override { percents.push_back(p); }
};

// One full-capacity set shared by the tests that only regenerate it (the stores are 32 MB).
TCombSet& Shared() {
    static TCombSet set;
    return set;
}

struct GenCase {
    const char* name;
    uint8_t mode;
    const char* param;
    int count;
    TCombination first, last;
};

void PrintTo(const GenCase& g, std::ostream* os) { *os << g.name; }

class Generation : public ::testing::TestWithParam<GenCase> {};

TEST_P(Generation, CountsOrderAndMembership) {
    const GenCase& g = GetParam();
    TCombSet& s = Shared();
    TGenerateParams p{g.mode, g.param};
    s.Generate(true, p);
    ASSERT_EQ(s.Count(), g.count);
    EXPECT_EQ(GeneratedCount(p), g.count);
    if (g.count == 0) return;
    EXPECT_EQ(s.At(0), g.first);
    EXPECT_EQ(s.At(s.Count() - 1), g.last);

    uint64_t mine = 0;
    for (uint8_t n : ParseMyNumbers(g.param)) mine |= CombMask({n, n, n, n, n});
    for (int i = 0; i < s.Count(); ++i) {
        const TCombination& c = s.At(i);
        ASSERT_TRUE(c[0] >= 1 && c[0] < c[1] && c[1] < c[2] && c[2] < c[3] && c[3] < c[4] && c[4] <= 50) << i;
        if (i > 0) {
            ASSERT_LT(s.At(i - 1), c) << "lexicographic order at " << i;
        }
        uint64_t m = CombMask(c);
        if (g.mode == kGenerateAnyMine) {
            ASSERT_NE(m & mine, 0u) << i;
        }
        if (g.mode == kGenerateOnlyMine) {
            ASSERT_EQ(m & ~mine, 0u) << i;
        }
        if (g.mode == kGenerateNoMine) {
            ASSERT_EQ(m & mine, 0u) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Generation,
    ::testing::Values(GenCase{"Full", 0, "", 2118760, {1, 2, 3, 4, 5}, {46, 47, 48, 49, 50}},
                      GenCase{"FullIgnoresParam", 0, "1;2", 2118760, {1, 2, 3, 4, 5}, {46, 47, 48, 49, 50}},
                      GenCase{"AnyOfOne", 1, "1", 211876, {1, 2, 3, 4, 5}, {1, 47, 48, 49, 50}},
                      GenCase{"AnyOfTwo", 1, "50,25", 2118760 - 1712304, {1, 2, 3, 4, 25}, {46, 47, 48, 49, 50}},
                      GenCase{"AnyOfNone", 1, "", 0, {}, {}},
                      GenCase{"OnlySix", 2, "1;2;3;4;5;6", 6, {1, 2, 3, 4, 5}, {2, 3, 4, 5, 6}},
                      // 0, 300 and x are dropped or ignored; blanks around words are trimmed.
                      GenCase{"OnlyWithNoise", 2, " 7 , 0;300;x;50 ;49;48;47", 1, {7, 47, 48, 49, 50}, {7, 47, 48, 49, 50}},
                      GenCase{"OnlyFour", 2, "1;2;3;4", 0, {}, {}},
                      GenCase{"NoneOfOne", 3, "1", 1906884, {2, 3, 4, 5, 6}, {46, 47, 48, 49, 50}},
                      GenCase{"NoneOfNone", 3, "", 2118760, {1, 2, 3, 4, 5}, {46, 47, 48, 49, 50}},
                      GenCase{"NoneOfAllButFive", 3,
                              "6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25;26;27;28;29;30;31;32;33;34;35;"
                              "36;37;38;39;40;41;42;43;44;45;46;47;48;49;50",
                              1, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CombSet, GenerateFromFileAndErrors) {
    TCombSet s(100);
    s.Generate(true, {kGenerateFromFile, VELMORA_TEST_DATA "/combs_mixed.lcv"});
    EXPECT_EQ(s.Count(), 5);
    EXPECT_EQ(s.At(1), (TCombination{1, 2, 3, 4, 99}));

    struct Bad {
        TGenerateParams params;
        const char* inner;
    };
    for (const Bad& b : {Bad{{kGenerateFromFile, "/nonexistent/x.lcv"}, "Ошибка чтения файла \"/nonexistent/x.lcv\"!"},
                         Bad{{5, ""}, "Некорректный режим генерации списка комбинаций: 5"},
                         // A set too small for the result refuses it instead of overrunning.
                         Bad{{kGenerateNoMine, "1"}, "Слишком много комбинаций: 1906884!"}}) {
        s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6"});
        try {
            s.Generate(true, b.params);
            FAIL() << b.inner;
        } catch (const Error& e) {
            std::string msg = e.what();
            EXPECT_EQ(msg.rfind("Ошибка генерации файла комбинаций!\r\r", 0), 0u) << msg;
            EXPECT_NE(msg.find(b.inner), std::string::npos) << msg;
        }
        EXPECT_EQ(s.Count(), 0) << "a failed generation leaves no stale set behind";
    }
}

TEST(CombSet, ColumnsAndRows) {
    TCombSet s(10);
    Fill(s, {{5, 12, 33, 40, 48}, {1, 2, 3, 4, 5}});
    EXPECT_EQ(TCombSet::ColumnCaptions(), (std::vector<std::string>{"№ п.п.", "1", "2", "3", "4", "5", "S"}));
    EXPECT_EQ(s.RowTexts(0), (std::vector<std::string>{"1", "5", "12", "33", "40", "48", "138"}));
    EXPECT_EQ(s.RowTexts(1)[0], "2");
    EXPECT_EQ(s.StatusText(), "Комбинаций: 2");
    EXPECT_EQ(s.DistinctNumbers(), 9);
    EXPECT_EQ(DistinctNumbersMessage(9), "В текущем списке комбинаций содержится 9 уникальных номеров");
}

// --- undo ---

// Five draws in array order; the newest (index 4) is 1 2 3 4 5 written in another order.
TDrawsArchive SmallArchive() {
    TDrawsArchive a;
    a.Draws = {test::MakeDraw(1, {1, 2, 3, 4, 7}), test::MakeDraw(2, {2, 3, 4, 5, 6}), test::MakeDraw(3, {6, 5, 4, 3, 1}),
               test::MakeDraw(4, {1, 2, 3, 4, 6}), test::MakeDraw(5, {5, 3, 1, 4, 2})};
    return a;
}

struct Change {
    const char* name;
    std::function<void(TCombSet&)> apply;
};

TEST(CombSet, UndoRestoresExactlyOneFilterLikeStep) {
    const TDrawsArchive archive = SmallArchive();
    const std::vector<Change> changes = {
        {"exclusion", [&](TCombSet& s) { s.ExcludeLastDraws(2, archive); }},
        {"deletion", [](TCombSet& s) { s.DeleteSelected({0, 3}); }},
        {"filter", [](TCombSet& s) {
             s.KeepIf([](const TCombination& c) { return CombHasNumber(7, c); });
             s.AddLogLine(TFilterAction::Keep, "NUMS", "7");
         }},
    };
    for (const auto& first : changes)
        for (const auto& second : changes) {
            SCOPED_TRACE(std::string(first.name) + " then " + second.name);
            TCombSet s(100);
            s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6;7"});
            const auto generated = Snapshot(s);
            EXPECT_FALSE(s.CanUndo()) << "a generation cannot be undone";

            s.SaveUndo(true);
            first.apply(s);
            const auto afterFirst = Snapshot(s);
            ASSERT_NE(afterFirst, generated);
            s.SaveUndo(true);
            second.apply(s);
            ASSERT_TRUE(s.CanUndo());
            s.RestoreUndo(true);
            EXPECT_EQ(Snapshot(s), afterFirst);
            EXPECT_FALSE(s.CanUndo()) << "only one step back";
        }
}

TEST(CombSet, NoUndoAfterANewSet) {
    const std::string file = VELMORA_TEST_DATA "/combs_mixed.lcv";
    const std::vector<Change> newSets = {
        {"generate", [](TCombSet& s) { s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6"}); }},
        {"generate from file", [&](TCombSet& s) { s.Generate(true, {kGenerateFromFile, file}); }},
        {"open", [&](TCombSet& s) { s.OpenCombsFile(file); }},
        {"paste", [](TCombSet& s) { s.PasteCombsText("01 02 03 04 05"); }},
    };
    for (const auto& c : newSets) {
        SCOPED_TRACE(c.name);
        TCombSet s(100);
        s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6;7"});
        s.SaveUndo(true);
        s.DeleteSelected({0});
        ASSERT_TRUE(s.CanUndo());
        ASSERT_EQ(s.Log().size(), 1u);
        s.SaveUndo(true);  // the commands save the undo copy before they make the new set
        c.apply(s);
        EXPECT_FALSE(s.CanUndo());
        EXPECT_TRUE(s.Log().empty()) << "a new set starts a new log";
    }
}

// Building the full-set distribution saves the set, generates the full set quietly and puts
// the saved set back; a quiet generation must not drop that copy.
TEST(CombSet, QuietGenerationKeepsTheUndoCopy) {
    TCombSet& s = Shared();
    s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6"});
    s.DeleteSelected({2});
    const auto before = Snapshot(s);
    s.SaveUndo(false);
    s.Generate(false, {});
    ASSERT_EQ(s.Count(), kCombinationTotal);
    EXPECT_EQ(s.Log().size(), 1u);
    s.RestoreUndo(false);
    EXPECT_EQ(Snapshot(s), before);
}

// --- exclusion ---

struct ExcludeCase {
    int offset;
    int n;
    std::vector<int> removedDraws;  // array indices of the draws whose combination goes
};

TEST(CombSet, ExcludeLastDrawsFollowsTheOffset) {
    TDrawsArchive archive = SmallArchive();
    const std::vector<ExcludeCase> cases = {
        {0, 1, {4}},           // only the newest draw, written in another order
        {0, 2, {3, 4}},
        {1, 1, {3}},           // the window ends one draw earlier
        {1, 3, {1, 2, 3}},
        {2, 10, {0, 1, 2}},    // more draws than the window holds: down to the oldest
        {0, 0, {}},
        {0, -3, {}},
        {4, 1, {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("offset " + std::to_string(c.offset) + ", n " + std::to_string(c.n));
        ASSERT_TRUE(archive.SetDrawsOffset(c.offset) || archive.Offset() == c.offset);
        for (bool plain : {false, true}) {
            TCombSet s(100);
            s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6;7"});
            const int before = s.Count();
            s.SaveUndo(true);
            int removed = plain ? s.ExcludeLastDrawsPlain(c.n, archive) : s.ExcludeLastDraws(c.n, archive);
            std::vector<TCombination> gone;
            for (int i : c.removedDraws) gone.push_back(Sorted(archive.Draws[size_t(i)]));
            std::sort(gone.begin(), gone.end());
            gone.erase(std::unique(gone.begin(), gone.end()), gone.end());
            EXPECT_EQ(removed, int(gone.size()));
            EXPECT_EQ(s.Count(), before - removed);
            for (const auto& d : archive.Draws) {
                TCombination comb = Sorted(d);
                bool expectGone = std::find(gone.begin(), gone.end(), comb) != gone.end();
                EXPECT_EQ(s.ContainsComb(comb), !expectGone) << CombToText(comb);
            }
            EXPECT_TRUE(std::is_sorted(s.Data(), s.Data() + s.Count())) << "order is kept";
            ASSERT_EQ(s.Log().size(), 1u);
            EXPECT_EQ(s.Log()[0].Caption, "Последние тиражи");
            EXPECT_EQ(s.Log()[0].Values, std::to_string(c.n));
            EXPECT_EQ(s.Log()[0].Count, s.Count());
            EXPECT_EQ(s.Log()[0].Kind, TLogKind::Remove);
        }
    }
}

TEST(CombSet, ExcludeFromAnEmptyArchiveRemovesNothing) {
    TCombSet s(100);
    s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6"});
    EXPECT_EQ(s.ExcludeLastDraws(5, TDrawsArchive{}), 0);
    EXPECT_EQ(s.Count(), 6);
}

// The fast exclusion over the full set gives the very set the plain comparison gives.
TEST(CombSet, FastExclusionEqualsPlainOnTheFullSet) {
    TDrawsArchive archive;
    archive.Draws = MakeSampleDraws(40, 7);
    archive.Draws.insert(archive.Draws.begin() + 38, archive.Draws[37]);  // a draw repeated in the range
    archive.SetDrawsOffset(1);  // the range is array indices 36..39
    TCombSet& s = Shared();
    s.Generate(true, {});
    s.ExcludeLastDrawsPlain(4, archive);
    const auto plain = Snapshot(s);
    s.Generate(true, {});
    s.ExcludeLastDraws(4, archive);
    EXPECT_EQ(plain.size(), size_t(kCombinationTotal - 3));
    EXPECT_TRUE(Snapshot(s) == plain);
}

TEST(CombSet, ExclusionShowsItsProgressInHundredths) {
    TDrawsArchive archive = SmallArchive();
    struct Case {
        const char* mine;
        int count;
        size_t reports;  // fewer than 100: after every combination; otherwise after every hundredth
    };
    for (const Case& c : {Case{"1;2;3;4;5;6;7", 21, 21}, Case{"1;2;3;4;5;6;7;8;9;10;11;12", 792, 100}}) {
        SCOPED_TRACE(c.count);
        TCombSet s(1000);
        s.Generate(true, {kGenerateOnlyMine, c.mine});
        ASSERT_EQ(s.Count(), c.count);
        RecordingSink sink;
        s.ExcludeLastDraws(3, archive, sink);
        ASSERT_EQ(sink.percents.size(), c.reports);
        EXPECT_TRUE(std::is_sorted(sink.percents.begin(), sink.percents.end()));
        EXPECT_DOUBLE_EQ(sink.percents.back(), 100.0);
        if (c.reports == 100) {
            EXPECT_DOUBLE_EQ(sink.percents[0], 1.0);
        }
        EXPECT_EQ(sink.texts.front(), "Удаление из списка комбинаций 3 последних тиражей...");
        EXPECT_EQ(sink.texts[sink.texts.size() - 2],
                  "Удаление из списка комбинаций 3 последних тиражей ( завершено 100 % )...");
        EXPECT_EQ(sink.texts.back(), "") << "the status is cleared at the end";
    }
}

// --- deletion, copy ---

TEST(CombSet, DeleteSelectedRows) {
    struct Case {
        std::vector<int> rows;
        std::vector<TCombination> left;
        int removed;
    };
    const TCombination a{1, 2, 3, 4, 5}, b{1, 2, 3, 4, 6}, c{1, 2, 3, 5, 6}, d{1, 2, 4, 5, 6};
    const std::vector<Case> cases = {
        {{2, 0}, {b, d}, 2},
        {{3, 3, 3}, {a, b, c}, 1},     // one row selected through several indices
        {{-1, 4, 1}, {a, c, d}, 1},    // rows outside the set are not rows
        {{0, 1, 2, 3}, {}, 4},
        {{}, {a, b, c, d}, 0},
    };
    for (const auto& k : cases) {
        TCombSet s(10);
        Fill(s, {a, b, c, d});
        EXPECT_EQ(s.DeleteSelected(k.rows), k.removed);
        EXPECT_EQ(Snapshot(s), k.left);
        if (k.removed == 0) {
            EXPECT_TRUE(s.Log().empty());
            continue;
        }
        ASSERT_EQ(s.Log().size(), 1u);
        EXPECT_EQ(s.Log()[0].Caption, "Выделенные комбинации");
        EXPECT_EQ(s.Log()[0].Values, std::to_string(k.removed));
        EXPECT_EQ(s.Log()[0].Count, int(k.left.size()));
    }
}

TEST(CombSet, LogKeepsKindsAndCounts) {
    TCombSet s(10);
    Fill(s, {{1, 2, 3, 4, 5}, {1, 2, 3, 4, 6}});
    s.AddLogLine(TFilterAction::Keep, "SUMS", "15; 16");
    s.SaveUndo(false);
    s.KeepIf([](const TCombination& c) { return c[4] == 6; });
    s.AddLogLine(TFilterAction::Delete, "NUMS", "5");
    s.RestoreUndo(true);
    s.AddUndoLogLine();
    ASSERT_EQ(s.Log().size(), 3u);
    EXPECT_EQ(s.Log()[0].Kind, TLogKind::Keep);
    EXPECT_EQ(s.Log()[0].Values, "15; 16");
    EXPECT_EQ(s.Log()[1].Kind, TLogKind::Remove);
    EXPECT_EQ(s.Log()[1].Count, 1);
    EXPECT_EQ(s.Log()[2].Caption, "Отмена последней операции");
    EXPECT_EQ(s.Log()[2].Kind, TLogKind::Undo);
    EXPECT_EQ(s.Log()[2].Count, 2);
    s.RemoveLastLogLine();
    s.RemoveLastLogLine();
    s.RemoveLastLogLine();
    s.RemoveLastLogLine();
    EXPECT_TRUE(s.Log().empty());
}

TEST(CombSet, ContainsCombComparesBytesInOrder) {
    TCombSet s(10);
    Fill(s, {{1, 2, 3, 4, 5}, {9, 8, 7, 6, 5}});
    EXPECT_TRUE(s.ContainsComb({1, 2, 3, 4, 5}));
    EXPECT_TRUE(s.ContainsComb({9, 8, 7, 6, 5}));
    EXPECT_FALSE(s.ContainsComb({5, 6, 7, 8, 9}));
    EXPECT_FALSE(s.ContainsComb({1, 2, 3, 4, 6}));
}

// --- cache ---

TEST(CombSet, CacheIsTaggedByOffsetAndDrawCount) {
    TCombSet s(100);
    EXPECT_FALSE(s.LoadCache(-1, -1)) << "an empty cache never loads";
    s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6"});
    s.SaveCache(2, 10);
    const auto cached = Snapshot(s);
    s.DeleteSelected({0, 1});
    s.SaveCache(2, 10);  // same tags: the cached list stays
    EXPECT_FALSE(s.LoadCache(2, 11));
    EXPECT_FALSE(s.LoadCache(3, 10));
    EXPECT_EQ(s.Count(), 4);
    // A script generates its starting set before it asks the cache.
    s.Generate(true, {kGenerateOnlyMine, "1;2;3;4;5;6"});
    s.DeleteSelected({5});
    ASSERT_TRUE(s.LoadCache(2, 10));
    EXPECT_EQ(Snapshot(s), cached);

    s.ResetCache();
    EXPECT_EQ(s.CacheTagA(), -1);
    EXPECT_FALSE(s.LoadCache(2, 10));
    s.FreeCache();
    s.DeleteSelected({0});
    s.SaveCache(2, 10);
    s.DeleteSelected({0});
    ASSERT_TRUE(s.LoadCache(2, 10)) << "the cache is allocated again after FreeCache";
    EXPECT_EQ(s.Count(), 5);
}

// --- find in draws ---

TEST(CombSet, FindInDrawsListsAtMost26NewestFirst) {
    TDrawsArchive a;
    for (int k = 1; k <= 30; ++k) a.Draws.push_back(test::MakeDraw(k, k % 2 ? std::array{5, 4, 3, 2, 1} : std::array{1, 2, 3, 4, 5}));
    a.Draws[28] = test::MakeDraw(29, {1, 2, 3, 4, 6});
    a.SetDrawsOffset(10);  // the search covers the whole archive, not the window
    auto hits = FindCombInDraws(a, {1, 2, 3, 4, 5});
    ASSERT_EQ(hits.size(), 26u);
    EXPECT_EQ(hits[0], DrawToText(a.Draws[29]));
    EXPECT_EQ(hits[1], DrawToText(a.Draws[27]));
    EXPECT_EQ(hits[25], DrawToText(a.Draws[3]));
    EXPECT_EQ(FindInDrawsMessage({hits[0], hits[1]}),
              "Выделенная комбинация найдена в следующих тиражах:\r\r" + hits[0] + "\r" + hits[1]);
    EXPECT_TRUE(FindCombInDraws(a, {1, 2, 3, 4, 7}).empty());
    EXPECT_EQ(FindInDrawsMessage({}), "Выделенная комбинация не найдена архиве тиражей!");
}

// --- what the generation dialog refuses ---

TEST(CombSet, GenerateParamsErrors) {
    const std::string file = VELMORA_TEST_DATA "/combs_mixed.lcv";
    const std::string folder = VELMORA_TEST_DATA;
    struct Case {
        uint8_t mode;
        std::string param;
        std::string error;  // empty: accepted
    };
    const std::string noNumbers = "Не указано ни одного из \"моих чисел\" (от 1 до 50)!";
    const std::string fewNumbers =
        "Для комбинаций только из \"моих чисел\" нужно указать не менее 5 разных чисел от 1 до 50!";
    const Case cases[] = {
        {0, "", ""},
        {0, "x", ""},  // the full list ignores the text
        {1, "7", ""},
        {1, "", noNumbers},
        {1, "0;51;300;x", noNumbers},  // none of them is a number of the game
        {3, "50", ""},
        {3, " ; ", noNumbers},
        {2, "1;2;3;4;5", ""},
        {2, "1;2;3;4;4;60", fewNumbers},  // repeats and numbers beyond 50 do not count
        {2, "", fewNumbers},
        {4, file, ""},
        {4, "  ", "Не указано имя файла для загрузки!"},
        {4, file + ".missing", "Файл \"" + file + ".missing\" не найден!"},
        {4, folder, "Файл \"" + folder + "\" не найден!"},
        {5, "", "Некорректный режим генерации списка комбинаций: 5"},
    };
    for (const auto& c : cases) {
        std::string error;
        try {
            CheckGenerateParams({c.mode, c.param});
        } catch (const Error& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error) << int(c.mode) << " '" << c.param << "'";
    }
}

} // namespace
