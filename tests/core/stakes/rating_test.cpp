#include "core/stakes/rating.h"
#include "core/stakes/rating_file.h"

#include "core/stats/stat_list.h"
#include "core/util/atomic_file.h"
#include "core/util/text.h"
#include "stake_test_util.h"
#include "../../test_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>

namespace velmora {
namespace {

using Cells = std::array<std::string, kRatingColumnCount>;

TStakeRecord Checked(const std::string& comment, int m, int64_t profit) {
    TStakeRecord r = test::CheckedStake(100, m);
    r.SetCommentText(comment);
    r.Profit = profit;
    return r;
}

// Without per-match counts the stakes are all counted under 0 matches, so that they add up.
TRatingRecord Entry(const std::string& comment, uint32_t stakes, uint32_t matched, int64_t profit = 0,
                    std::array<uint32_t, 6> by = {}) {
    if (by == std::array<uint32_t, 6>{}) by[0] = stakes;
    TRatingRecord r;
    r.Comment = comment;
    r.Stakes = stakes;
    r.MatchedTotal = matched;
    r.Profit = profit;
    r.ByMatches = by;
    return r;
}

TRatingsArray Array(std::vector<TRatingRecord> items) {
    TRatingsArray a;
    for (auto& r : items) a.push_back(std::move(r));
    return a;
}

std::vector<std::string> Comments(const TRatingsArray& a) {
    std::vector<std::string> v;
    for (const auto& r : a) v.push_back(r.Comment);
    return v;
}

const TStatList& Stats() {
    static const TStatList list = [] {
        TStatList l;
        l.Build();
        return l;
    }();
    return list;
}

class RatingFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("velmora_rating_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};

// ---- merging ------------------------------------------------------------------------------------

TEST(AddRating, MergesCommentsIgnoringCaseAndKeepsTheFirstCase) {
    TRatingsArray a;
    EXPECT_TRUE(AddRating(a, Checked("Строка Один", 1, -20000)));
    EXPECT_TRUE(AddRating(a, Checked("другая", 0, -20000)));
    EXPECT_TRUE(AddRating(a, Checked("СТРОКА один", 3, 85000)));
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0], Entry("Строка Один", 2, 4, 65000, {0, 1, 0, 1, 0, 0}));
    EXPECT_EQ(a[1], Entry("другая", 1, 0, -20000, {1, 0, 0, 0, 0, 0}));
}

TEST(AddRating, IgnoresUncheckedAndImpossibleMatchCounts) {
    TRatingsArray a;
    TStakeRecord unchecked = Checked("x", 0, -20000);
    unchecked.Matched.Count = -1;
    TStakeRecord damaged = Checked("x", 0, -20000);
    damaged.Matched.Count = 8;  // a damaged record may say so; there is no counter for it
    EXPECT_FALSE(AddRating(a, unchecked));
    EXPECT_FALSE(AddRating(a, damaged));
    EXPECT_TRUE(a.empty());
}

TEST(AddRating, SumsStopAtTheEndsOfTheirRanges) {
    TRatingsArray a;
    TRatingRecord big = Entry("x", 0xFFFFFFFFu, 0xFFFFFFFEu, INT64_MAX - 5);
    a.push_back(big);
    AddRating(a, Checked("X", 5, 100));
    EXPECT_EQ(a[0].Stakes, 0xFFFFFFFFu);
    EXPECT_EQ(a[0].MatchedTotal, 0xFFFFFFFFu);
    EXPECT_EQ(a[0].Profit, INT64_MAX);
}

TEST(AddRating, MergesIntoTheFirstOfTwoEntriesThatDifferInCase) {
    TRatingsArray a = Array({Entry("abc", 1, 1), Entry("ABC", 1, 1)});
    AddRating(a, Checked("Abc", 2, 0));
    EXPECT_EQ(a[0].Stakes, 2u);
    EXPECT_EQ(a[1].Stakes, 1u);
}

// ---- cells ---------------------------------------------------------------------------------------

TEST(RatingCells, TwoStakesOfTwoAndThreeMatches) {
    TRatingsArray a;
    AddRating(a, Checked("c", 2, -20000));
    AddRating(a, Checked("c", 3, 85000));
    const Cells c = RatingCells(a[0], remAbsolute);
    EXPECT_EQ(c[rcStakes], "2");
    EXPECT_EQ(c[rcMatched], "5");
    EXPECT_EQ(c[rcAverage], "2,500");
    EXPECT_EQ(c[rcProfit], "6,50");
    EXPECT_EQ(c[rcAvgProfit], "3,25");
    EXPECT_EQ((std::vector<std::string>(c.begin() + rcMatch0, c.begin() + rcEff0)),
              (std::vector<std::string>{"0", "0", "1", "1", "0", "0"}));
}

TEST(RatingCells, EfficiencyModes) {
    // 1000 stakes: 600 without a match, 400 with one.
    const TRatingRecord r = Entry("c", 1000, 400, 0, {600, 400, 0, 0, 0, 0});
    const Cells expected = RatingCells(r, remExpected);
    EXPECT_EQ(expected[rcEff0], "577");  // 1000 * C(45,5) / C(50,5) = 576.6
    EXPECT_EQ(expected[rcEff0 + 1], "352");
    EXPECT_EQ(expected[rcEff0 + 5], "0");
    // 60 % observed against 57.664 % by chance; 40 % against 35.161 %.
    const Cells absolute = RatingCells(r, remAbsolute);
    EXPECT_EQ(absolute[rcEff0], "2,336%");
    EXPECT_EQ(absolute[rcEff0 + 1], "4,839%");
    EXPECT_EQ(absolute[rcEff0 + 2], "-6,697%");
    const Cells relative = RatingCells(r, remRelative);
    EXPECT_EQ(relative[rcEff0], "104,051%");
    EXPECT_EQ(relative[rcEff0 + 5], "0,000%");
}

TEST(RatingCells, NoStakesLeavesTheComputedCellsEmpty) {
    const Cells c = RatingCells(Entry("c", 0, 0, -10000), remRelative);
    EXPECT_EQ(c[rcComment], "c");
    EXPECT_EQ(c[rcStakes], "0");
    EXPECT_EQ(c[rcProfit], "-1,00");
    for (int col : {int(rcAverage), int(rcAvgProfit), int(rcEff0), int(rcEff0) + 5, int(rcP)})
        EXPECT_EQ(c[size_t(col)], "") << col;
}

TEST(RatingCells, UnknownModeShowsBadData) {
    const Cells c = RatingCells(Entry("c", 3, 2), 7);
    EXPECT_EQ(c[rcComment], kBadRatingData);
    EXPECT_EQ(c[rcStakes], "");
}

TEST(RatingCells, AverageProfitRoundsToWholeTenThousandthsHalfToEven) {
    // 5 / 2 = 2.5 ten-thousandths -> 2; 0.0002 shows as 0,00.
    EXPECT_EQ(RatingCells(Entry("c", 2, 0, 5, {2, 0, 0, 0, 0, 0}), remAbsolute)[rcAvgProfit], "0,00");
    EXPECT_EQ(RatingCells(Entry("c", 4, 0, -130000, {4, 0, 0, 0, 0, 0}), remAbsolute)[rcAvgProfit], "-3,25");
}

// ---- the chance of a row ---------------------------------------------------------------------------

TEST(ChanceTable, CountsOfSharedNumbers) {
    const TChanceTable& t = ChanceTable();
    EXPECT_EQ(t.Total, 2118760u);
    EXPECT_EQ(t.N, (std::array<uint32_t, 6>{1221759, 744975, 141900, 9900, 225, 1}));
    uint64_t sum = 0;
    for (auto n : t.N) sum += n;
    EXPECT_EQ(sum, t.Total);
}

TEST(MatchTailProbability, ExactSmallCases) {
    const auto& p = ChanceTable().P;
    const struct {
        uint32_t s, k;
        double expected;
    } cases[] = {
        {0, 0, 1.0},
        {0, 3, 1.0},
        {1, 0, 1.0},
        {1, 1, 1 - p[0]},
        {1, 5, p[5]},
        {1, 6, 0.0},
        {2, 1, 1 - p[0] * p[0]},
        {2, 2, 1 - p[0] * p[0] - 2 * p[0] * p[1]},
        {2, 10, p[5] * p[5]},
        {2, 9, 2 * p[4] * p[5] + p[5] * p[5]},
        {3, 1, 1 - p[0] * p[0] * p[0]},
        {3, 16, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(MatchTailProbability(c.s, c.k), c.expected, 1e-15 + c.expected * 1e-12) << c.s << " " << c.k;
}

TEST(MatchTailProbability, LargeCountsAroundTheMean) {
    // 10 000 stakes match 5 000 numbers on average; half of the mass lies at or above the mean
    // (a little more: the mean itself is included), and far from it nothing is left.
    const double atMean = MatchTailProbability(10000, 5000);
    EXPECT_GT(atMean, 0.5);
    EXPECT_LT(atMean, 0.51);
    EXPECT_LT(MatchTailProbability(10000, 5500), 1e-9);
    EXPECT_GT(MatchTailProbability(10000, 4500), 1 - 1e-9);
    EXPECT_DOUBLE_EQ(MatchTailProbability(10000, 0), 1.0);
}

// Random draws against fixed stakes: the share of runs of s stakes whose matches reach k agrees
// with the exact tail within five standard errors.
TEST(MatchTailProbability, AgreesWithASimulation) {
    std::mt19937 rng(20261210);
    std::array<int, 50> numbers;
    for (int i = 0; i < 50; ++i) numbers[size_t(i)] = i + 1;
    auto matches = [&] {
        // A random draw (a partial shuffle) against the stake 1..5.
        int m = 0;
        for (int i = 0; i < 5; ++i) {
            std::swap(numbers[size_t(i)], numbers[size_t(i) + std::uniform_int_distribution<size_t>(0, 49 - size_t(i))(rng)]);
            if (numbers[size_t(i)] <= 5) ++m;
        }
        return m;
    };
    constexpr uint32_t s = 12;
    constexpr int runs = 40000;
    std::vector<int> totals;
    for (int run = 0; run < runs; ++run) {
        int total = 0;
        for (uint32_t i = 0; i < s; ++i) total += matches();
        totals.push_back(total);
    }
    for (uint32_t k : {3u, 6u, 9u, 12u}) {
        const double exact = MatchTailProbability(s, k);
        const double seen = double(std::count_if(totals.begin(), totals.end(), [&](int t) { return t >= int(k); })) / runs;
        const double se = std::sqrt(exact * (1 - exact) / runs);
        EXPECT_NEAR(seen, exact, 5 * se + 1e-4) << "k=" << k;
    }
}

// Entries whose counts no stakes can give: a count that reads as negative, per-match counts that
// do not add up to the stake count. The 296-byte entry with one flipped byte in "Ставок" is the
// first; listing it must neither hang on its "p" nor show its numbers.
TEST(RatingCells, DamagedCountsShowBadDataWithoutP) {
    const struct {
        const char* what;
        TRatingRecord rec;
    } cases[] = {
        {"stakes -2147483645", Entry("c", 0x80000003u, 2, 0, {1, 1, 1, 0, 0, 0})},
        {"a per-match count below 0", Entry("c", 3, 2, 0, {1, 1, 0x80000001u, 0, 0, 0})},
        {"matched below 0", Entry("c", 3, 0xFFFFFFFFu, 0, {1, 1, 1, 0, 0, 0})},
        {"per-match counts add up to less", Entry("c", 4, 1, 0, {2, 1, 0, 0, 0, 0})},
        {"per-match counts add up to more", Entry("c", 2, 1, 0, {2, 1, 0, 0, 0, 0})},
    };
    const TRatingRecord fine = Entry("fine", 3, 3, 0, {1, 1, 1, 0, 0, 0});
    EXPECT_FALSE(RatingEntryDamaged(fine));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(RatingEntryDamaged(c.rec));
        for (int mode : {remExpected, remAbsolute, remRelative}) {
            const Cells cells = RatingCells(c.rec, mode);
            EXPECT_EQ(cells[rcComment], kBadRatingData);
            EXPECT_EQ(cells[rcP], "");
        }
        for (int column = 0; column < kRatingColumnCount; ++column)
            EXPECT_EQ(CompareRatings(c.rec, fine, column), 0) << column;
        TRatingsArray a = Array({fine, c.rec, fine});
        SortRatingsArray(a, rcP, true);
        EXPECT_EQ(a.size(), 3u);
    }
}

// Beyond the exact range the tail comes from the saddle point: where both run they agree to well
// within the four decimals shown, also far out in the tails (relatively).
TEST(MatchTailProbability, SaddlePointAgreesWithTheExactTail) {
    for (uint32_t s : {2000u, kExactMatchTailStakes}) {
        const double mean = 0.5 * s, sd = std::sqrt(s * 0.41327);
        for (double z = -5; z <= 8; z += 0.25) {
            const auto k = uint32_t(std::max(1.0, std::round(mean + z * sd)));
            const double exact = MatchTailProbability(s, k), approx = MatchTailSaddlePoint(s, k);
            EXPECT_NEAR(approx, exact, 2e-5) << "s=" << s << " k=" << k;
            if (exact > 1e-300) {
                EXPECT_NEAR(approx / exact, 1.0, 0.005) << "s=" << s << " k=" << k;
            }
        }
    }
}

// Counts far beyond the exact range give a probability at once (the convolution over two billion
// stakes would run for hours).
TEST(MatchTailProbability, HugeCountsUseTheSaddlePoint) {
    const uint32_t s = 2000000000u;
    EXPECT_NEAR(MatchTailProbability(s, s / 2), 0.5, 0.001);
    EXPECT_LT(MatchTailProbability(s, s / 2 + 1000000), 1e-100);
    EXPECT_DOUBLE_EQ(MatchTailProbability(s, s / 4), 1.0);
    const TRatingRecord big = Entry("big", s, s / 2, 0, {s / 2, s / 2, 0, 0, 0, 0});
    EXPECT_EQ(RatingCells(big, remAbsolute)[rcP], "0,5000");
}

TEST(RatingCells, PColumn) {
    EXPECT_EQ(RatingCells(Entry("c", 1, 1, 0, {0, 1, 0, 0, 0, 0}), remAbsolute)[rcP], "0,4234");
    EXPECT_EQ(RatingCells(Entry("c", 2, 0, 0, {2, 0, 0, 0, 0, 0}), remAbsolute)[rcP], "1,0000");
    EXPECT_EQ(RatingCells(Entry("c", 2, 10, 0, {0, 0, 0, 0, 0, 2}), remAbsolute)[rcP], "0,0000");
}

// ---- sorting ----------------------------------------------------------------------------------------

TEST(SortRatings, ByColumn) {
    const TRatingsArray base = Array({
        Entry("b", 5, 8, 65000, {0, 3, 1, 1, 0, 0}),   // average 1.6
        Entry("а", 4, 2, -80000, {2, 2, 0, 0, 0, 0}),  // average 0.5
        Entry("B", 1, 1, -20000, {0, 1, 0, 0, 0, 0}),  // average 1.0
        Entry("ё", 3, 9, 100000, {0, 0, 0, 3, 0, 0}),  // average 3.0
    });
    const struct {
        int column;
        bool descending;
        std::vector<std::string> order;
    } cases[] = {
        {rcComment, false, {"b", "B", "а", "ё"}},
        {rcStakes, false, {"B", "ё", "а", "b"}},
        {rcMatched, true, {"ё", "b", "а", "B"}},
        {rcAverage, true, {"ё", "b", "B", "а"}},
        {rcProfit, false, {"а", "B", "b", "ё"}},
        {rcAvgProfit, true, {"ё", "b", "B", "а"}},
        {rcMatch0 + 1, true, {"b", "а", "B", "ё"}},
        {rcP, false, {"ё", "b", "B", "а"}},
        {rcEff0 + 2, false, {"b", "а", "B", "ё"}},  // always equal: the order stays
        {rcEff0 + 2, true, {"b", "а", "B", "ё"}},
        {-1, false, {"b", "а", "B", "ё"}},
    };
    for (const auto& c : cases) {
        TRatingsArray a = base;
        SortRatingsArray(a, c.column, c.descending);
        EXPECT_EQ(Comments(a), c.order) << "column " << c.column;
    }
}

TEST(SortRatings, DifferencesUnderOneHundredthAreTies) {
    // Averages 1.0 and 1.004: equal for the sort, so the order stays in both directions.
    for (bool descending : {false, true}) {
        TRatingsArray a = Array({Entry("x", 1000, 1004), Entry("y", 1, 1)});
        SortRatingsArray(a, rcAverage, descending);
        EXPECT_EQ(Comments(a), (std::vector<std::string>{"x", "y"}));
    }
}

TEST(SortRatings, EntriesWithoutStakesStayInsideTheArray) {
    // Entries with no stakes compare equal to everything: no consistent order exists, but the sort
    // keeps every entry, and the rest still comes out in order around them when they are at the end.
    TRatingsArray a = Array({Entry("e1", 0, 0), Entry("c", 3, 3), Entry("a", 1, 1), Entry("e2", 0, 0), Entry("b", 2, 2)});
    SortRatingsArray(a, rcStakes, false);
    std::vector<std::string> got = Comments(a);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "c", "e1", "e2"}));
    TRatingsArray b = Array({Entry("c", 3, 3), Entry("a", 1, 1), Entry("b", 2, 2), Entry("d", 5, 1), Entry("e", 4, 0)});
    SortRatingsArray(b, rcStakes, true);
    EXPECT_EQ(Comments(b), (std::vector<std::string>{"d", "e", "c", "b", "a"}));
}

TEST(SortRatings, ManyEntriesCheckedAgainstAStableReference) {
    std::mt19937 rng(7);
    std::vector<TRatingRecord> items;
    for (int i = 0; i < 500; ++i) {
        const uint32_t s = 1 + rng() % 50;
        items.push_back(Entry("r" + std::to_string(i), s, rng() % (s * 2 + 1), int64_t(rng() % 200000) - 100000));
    }
    TRatingsArray a = Array(items);
    SortRatingsArray(a, rcMatched, false);
    for (size_t i = 1; i < a.size(); ++i) EXPECT_LE(a[i - 1].MatchedTotal, a[i].MatchedTotal);
    EXPECT_EQ(a.IndexOfComment("R17") >= 0, true);  // the index follows the new order
    EXPECT_EQ(a[size_t(a.IndexOfComment("r17"))].Comment, "r17");
}

// ---- the file -----------------------------------------------------------------------------------------

TEST(RatingRecord, BytesFieldByField) {
    const TRatingRecord r = Entry("Тест", 2, 5, -65000, {0, 1, 0, 1, 0, 0x01020304});
    unsigned char b[kRatingRecordSize];
    WriteRatingRecord(r, b);
    EXPECT_EQ(b[0], 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(b + 1), 4), Utf8ToCp1251("Тест"));
    EXPECT_EQ(std::count(b + 5, b + 256, 0), 251);
    const unsigned char tail[] = {2, 0, 0, 0, 5, 0, 0, 0,                                    // Stakes, MatchedTotal
                                  0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,  // 0 .. 3
                                  4, 3, 2, 1,                                                // 5 (4 before it)
                                  0x18, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};           // -65000
    EXPECT_EQ(std::vector<unsigned char>(b + 256, b + 296 - 12),
              std::vector<unsigned char>(tail, tail + 28));
    EXPECT_EQ(std::vector<unsigned char>(b + 284, b + 296), std::vector<unsigned char>(tail + 28, tail + 40));
    TRatingRecord back;
    ReadRatingRecord(b, back);
    EXPECT_EQ(back, r);
}

TEST(RatingRecord, LongCommentIsCutTo255Bytes) {
    TRatingRecord r = Entry(std::string(300, 'x'), 1, 1);
    unsigned char b[kRatingRecordSize];
    WriteRatingRecord(r, b);
    EXPECT_EQ(b[0], 255);
    TRatingRecord back;
    ReadRatingRecord(b, back);
    EXPECT_EQ(back.Comment, std::string(255, 'x'));
}

TEST_F(RatingFiles, SaveAndLoad) {
    const TRatingsArray a = Array({Entry("один", 1, 2, 3, {0, 0, 1, 0, 0, 0}), Entry("two", 4, 5, -6)});
    const std::string path = Path("Velmora_5x50.lrt");
    SaveRatingsFile(path, a);
    EXPECT_EQ(ReadFileBytes(path), RatingsFileBytes(a));
    EXPECT_EQ(ReadFileBytes(path).size(), 2 * kRatingRecordSize);
    TRatingsArray b;
    LoadRatingsFile(path, b);
    EXPECT_EQ(b.Items(), a.Items());
    LoadRatingsFile(Path("missing.lrt"), b);
    EXPECT_TRUE(b.empty());
}

TEST_F(RatingFiles, ATornTailKeepsTheWholeEntriesAndReportsIt) {
    const TRatingsArray a = Array({Entry("one", 1, 2), Entry("two", 3, 4)});
    const std::string path = Path("r.lrt");
    test::WriteBytes(path, RatingsFileBytes(a) + std::string(100, 'z'));
    TRatingsArray b;
    try {
        LoadRatingsFile(path, b);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка чтения файла рейтинга!\r\r", 0), 0u) << e.what();
    }
    EXPECT_EQ(b.Items(), a.Items());
}

TEST_F(RatingFiles, AFailedSaveRaisesTheWriteError) {
    try {
        SaveRatingsFile(Path("no/such/folder/r.lrt"), Array({Entry("one", 1, 2)}));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка записи в файл рейтинга!\r\r", 0), 0u) << e.what();
    }
}

TEST_F(RatingFiles, RefreshFromStakesTakesCheckedStakesOnly) {
    TStakeFile file(Path("s.lsk"));
    file.Open();
    TStakeRecord unchecked = test::Stake(200);
    unchecked.SetCommentText("a");
    file.AppendStakes(unchecked, 1);
    file.AppendSeparatorIfNeeded();
    for (const auto& rec : {Checked("a", 2, -20000), Checked("A", 3, 85000), Checked("b", 0, -20000)}) {
        const int n = file.StakeCount();
        TStakeRecord stake = rec;
        stake.Checked = 0;
        file.AppendStakes(stake, 1);
        file.WriteCheckedStake(n, rec);
    }
    TRatingsArray r = Array({Entry("old", 9, 9)});
    RefreshRatingsFromStakes(file, r, NullProgress());
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], Entry("a", 2, 5, 65000, {0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(r[1], Entry("b", 1, 0, -20000, {1, 0, 0, 0, 0, 0}));
}

TEST_F(RatingFiles, CheckedStakesReachTheRatingsFileAtOnce) {
    TDrawsArchive archive;
    archive.Draws = test::TenDraws();  // draw 3 is 33, 3, 43, 13, 23
    TStakeFile file(Path("Velmora_5x50.lsk"));
    file.Open();
    TStakeRecord a = test::Stake(3, {1, 2, 3, 13, 43});  // 3 matches
    a.SetCommentText("line");
    TStakeRecord b = test::Stake(3, {1, 2, 4, 5, 6});    // none
    b.SetCommentText("LINE");
    TStakeRecord later = test::Stake(11);                // its draw is not in the archive yet
    for (const auto& r : {a, b, later}) file.AppendStakes(r, 1);
    TRatingsStore store(Path("Velmora_5x50.lrt"));
    TStakeCheckOptions options;
    options.Config.Cost = 20000;
    options.Config.Profits = {{3, 105000}};
    EXPECT_EQ(CheckStakesRated(file, archive, options, store, NullProgress()), 2);
    TRatingsArray saved;
    LoadRatingsFile(store.FileName(), saved);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0], Entry("line", 2, 3, 65000, {1, 0, 0, 1, 0, 0}));
    // Nothing new to check: the file is left alone.
    std::filesystem::remove(store.FileName());
    EXPECT_EQ(CheckStakesRated(file, archive, options, store, NullProgress()), 0);
    EXPECT_FALSE(FileExists(store.FileName()));
}

TEST_F(RatingFiles, StoreLoadSortsAndSavesButKeepsAnUnreadableFile) {
    const std::string path = Path("Velmora_5x50.lrt");
    SaveRatingsFile(path, Array({Entry("low", 2, 1), Entry("high", 2, 8)}));
    TRatingsStore store(path);
    store.Load(NullProgress());  // "Среднее" descending
    EXPECT_EQ(Comments(store.Ratings), (std::vector<std::string>{"high", "low"}));
    TRatingsArray saved;
    LoadRatingsFile(path, saved);
    EXPECT_EQ(Comments(saved), (std::vector<std::string>{"high", "low"}));

    const std::string torn = RatingsFileBytes(Array({Entry("low", 2, 1), Entry("high", 2, 8)})) + "xyz";
    test::WriteBytes(path, torn);
    EXPECT_THROW(store.Load(NullProgress()), Error);
    EXPECT_EQ(Comments(store.Ratings), (std::vector<std::string>{"high", "low"}));
    EXPECT_EQ(ReadFileBytes(path), torn);
}

// A ratings file that cannot be read whole, or holds entries no stakes can give, is reported and
// kept byte for byte by every later check; only the refresh from the stakes replaces it.
TEST_F(RatingFiles, ADamagedFileIsKeptUntilTheRefresh) {
    const std::string good = RatingsFileBytes(Array({Entry("a", 2, 0), Entry("b", 1, 0)}));
    std::string flipped = good;
    flipped[256 + 3] = char(0x80);  // "Ставок" of the first entry: -2147483646
    std::string uneven = good;
    uneven[264] = 5;  // "0" of the first entry: 5 of 2 stakes
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a torn tail", good + "xyz"},
        {"an entry cut short in the middle", good.substr(0, 100) + good.substr(296)},
        {"a flipped byte in a stake count", flipped},
        {"per-match counts that do not add up", uneven},
    };
    TDrawsArchive archive;
    archive.Draws = test::TenDraws();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(Path("Velmora_5x50.lsk"));
        TStakeFile file(Path("Velmora_5x50.lsk"));
        file.Open();
        TStakeRecord stake = test::Stake(3);
        stake.SetCommentText("a");
        file.AppendStakes(stake, 1);
        const std::string path = Path("Velmora_5x50.lrt");
        test::WriteBytes(path, c.bytes);
        TRatingsStore store(path);
        std::string error;
        try {
            store.Load(NullProgress());
        } catch (const Error& e) {
            error = e.what();
        }
        EXPECT_NE(error.find("поврежден и сохранен без изменений"), std::string::npos) << error;
        EXPECT_TRUE(store.Damaged());
        try {
            CheckStakesRated(file, archive, TStakeCheckOptions(), store, NullProgress());
            ADD_FAILURE() << "the check did not report the damaged ratings";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), store.DamageText());
        }
        EXPECT_TRUE(file.ReadStake(TStakeOrigin::Begin, 0).Checked);  // the stakes are checked all the same
        store.Sort(rcStakes, true, NullProgress());
        EXPECT_EQ(ReadFileBytes(path), c.bytes);
        store.Refresh(file, NullProgress());
        EXPECT_FALSE(store.Damaged());
        TRatingsArray saved;
        LoadRatingsFile(path, saved);
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_EQ(saved[0].Comment, "a");
    }
}

TEST_F(RatingFiles, CsvExport) {
    const TRatingsArray a = Array({Entry("Строка \"1\"", 2, 5, 65000, {0, 0, 1, 1, 0, 0}), Entry("z", 0, 0)});
    const std::string path = Path("r.csv");
    ExportRatingsCsv(path, a);
    EXPECT_EQ(ReadFileBytes(path),
              Utf8ToCp1251("\"Комментарий\";\"Ставок\";\"Угадано\";\"Среднее\";\"Профит\";\"Ср. профит\";\"0\";\"1\";"
                           "\"2\";\"3\";\"4\";\"5\";\"E0\";\"E1\";\"E2\";\"E3\";\"E4\";\"E5\"\r\n"
                           "\"Строка \"\"1\"\"\";2;5;2,500;6,50;3,25;0;0;1;1;0;0\r\n"
                           "\"z\";0;0;;0,00;;0;0;0;0;0;0\r\n"));
}

TEST(RatingsXlsTable, ColumnsAndCellsAsTheListShowsThem) {
    const TRatingsArray a = Array({Entry("c", 2, 5, 65000, {0, 0, 1, 1, 0, 0})});
    const TXlsTable t = RatingsXlsTable(a, remExpected, "Рейтинг");
    ASSERT_EQ(t.Columns.size(), size_t(kRatingColumnCount));
    EXPECT_EQ(t.Columns[rcP].Caption, "p");
    EXPECT_EQ(t.Columns[rcAverage].Kind, TXlsKind::Real);
    EXPECT_EQ(t.Columns[rcAverage].Decimals, 3);
    EXPECT_EQ(t.Columns[rcEff0].Kind, TXlsKind::Integer);
    EXPECT_EQ(RatingsXlsTable(a, remRelative, "").Columns[rcEff0].Kind, TXlsKind::Text);
    ASSERT_EQ(t.RowCount, 1);
    std::vector<TXlsCell> cells(t.Columns.size());
    t.Row(0, cells);
    EXPECT_EQ(cells[rcComment].Text, "c");
    EXPECT_EQ(cells[rcAverage].Text, "2,500");
    EXPECT_EQ(cells[rcEff0].Text, "1");
}

// ---- rows to script ---------------------------------------------------------------------------------------

TEST(RatingScriptLine, ScriptStakeCommentsBecomeLines) {
    const struct {
        std::string caption, line;
    } cases[] = {
        {"03.012: A @ FULL#RAND + BSF#EVEN:150#CDV:1,2#SV:7",
         "FULL#RAND|BSF#EVEN:150#CDV:1,2#SV:7| | | | | | |03.012: A"},
        {"03.012: @ EXCL:3#ALL#NEX + TMD6#SUMS:10#LNO#SF + BSF1#SUMS:20#LNO#SF",
         "EXCL:3#ALL#NEX|TMD6#SUMS:10#LNO#SF|BSF1#SUMS:20#LNO#SF| | | | | |03.012:"},
    };
    for (const auto& c : cases) {
        const auto line = RatingScriptLine(c.caption, Stats());
        ASSERT_TRUE(line.has_value()) << c.caption;
        EXPECT_EQ(*line, c.line);
    }
}

TEST(RatingScriptLine, CommentsWithoutFiltersAreRefused) {
    for (const char* caption : {"Ставка \"вручную\"", "01.001: x @ FULL#RAND", "@"})
        EXPECT_FALSE(RatingScriptLine(caption, Stats()).has_value()) << caption;
    EXPECT_EQ(RatingRefusedMessage("abc"), "Строку\r\rabc\r\rневозможно добавить в сценарий!");
}

} // namespace
} // namespace velmora
