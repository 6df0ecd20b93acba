#include "core/scripts/criterion.h"

#include "core/util/error.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmora {
namespace {

TFilterPart Part(int kind, const std::string& value) {
    TFilterPart p;
    p.Active = true;
    p.CriterionKind = uint8_t(kind);
    p.CriterionValue = value;
    return p;
}

// A row with every cell a number unless a case changes it.
TStatValues Row(const std::function<void(TStatValues&)>& change = {}) {
    TStatValues v;
    v.Value = "7";
    v.ValueKey = 7;
    v.Count = "4";
    v.CountPct = "8,00000";
    v.Deviation = "-2";
    v.DeviationPct = "-12,50000";
    v.Depth = "3";
    v.DepthPct = "42,86";
    v.Weight = "1,50";
    v.PeriodMin = "2";
    v.Period = "5,2500";
    v.PeriodMax = "9";
    if (change) change(v);
    return v;
}

TEST(Criterion, KindsAsTable) {
    auto noDepth = [](TStatValues& v) { v.Depth = v.DepthPct = v.Weight = v.PeriodMin = v.Period = v.PeriodMax = "-"; };
    struct Case {
        int kind;
        const char* value;
        std::function<void(TStatValues&)> change;
        bool expected;
    } cases[] = {
        {0, "", {}, true},
        {1, "3", {}, true}, {1, "4", {}, false},                 // LMV depth >= V
        {2, "42", {}, true}, {2, "43", {}, false},               // LMP depth % >= V
        {3, "3", {}, true}, {3, "2", {}, false},                 // LLV depth <= V
        {4, "43", {}, true}, {4, "42", {}, false},               // LLP
        {5, "1,3;5", {}, true}, {5, "1;5", {}, false},           // LDV list
        {6, "42", {}, false},                                    // LDP: 42,86 is not 42
        {7, "-2", {}, true}, {9, "-3", {}, false},               // DMV, DLV
        {8, "-12", {}, false}, {10, "-12", {}, true},            // DMP, DLP on -12,5
        {11, "-2", {}, true}, {12, "-12", {}, false},            // DDV, DDP
        {13, "4", {}, true}, {15, "3", {}, false},               // CMV, CLV
        {14, "8", {}, true}, {16, "7", {}, false},               // CMP, CLP
        {17, "2;4", {}, true}, {18, "8", {}, true},              // CDV, CDP (8,00000 equals 8)
        {19, "1", {}, true}, {19, "2", {}, false},               // WMV on 1,50
        {20, "2", {}, true}, {20, "1", {}, false},               // WLV
        {21, "1", {}, false},                                    // WDV
        {22, "2", {}, true}, {23, "1", {}, false}, {24, "2", {}, true},  // PIM, PIL, PIR
        {25, "5", {}, true}, {26, "5", {}, false}, {27, "5", {}, false}, // PAM, PAL, PAR on 5,25
        {28, "9", {}, true}, {29, "8", {}, false}, {30, "7;9", {}, true}, // PXM, PXL, PXR
        {31, "3,7", {}, true}, {31, "8", {}, false},             // LVA by value key
        // Cells that are not numbers take the defaults: 65535 for the integer "не более" kinds,
        // 0 for "не менее" and for the "не более" kinds of weight and period.
        {3, "65534", noDepth, false}, {3, "65535", noDepth, true},
        {4, "65535", noDepth, true}, {1, "0", noDepth, true}, {1, "1", noDepth, false},
        {20, "0", noDepth, true}, {26, "0", noDepth, true},
        {23, "65535", noDepth, true}, {23, "100", noDepth, false},
        {29, "100", noDepth, false},
        {32, "1", {}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesCriterion(Part(c.kind, c.value), Row(c.change)), c.expected)
            << "kind " << c.kind << " value " << c.value;
}

TEST(Criterion, ListTestOfACellThatIsNotANumberRaises) {
    const TStatValues row = Row([](TStatValues& v) { v.Depth = "-"; v.Deviation = "-"; });
    EXPECT_THROW(MatchesCriterion(Part(5, "3,5"), row), Error);
    EXPECT_THROW(MatchesCriterion(Part(11, "3"), row), Error);
    // A threshold test of the same cell takes its default instead.
    EXPECT_FALSE(MatchesCriterion(Part(1, "3"), row));
    // A value that is not an integer raises too.
    EXPECT_THROW(MatchesCriterion(Part(1, "x"), Row()), Error);
}

// A criterion value of a script is untrusted text: its message quotes a short excerpt only.
TEST(Criterion, LongValuesAreQuotedShortly) {
    const std::string huge(5u << 20, 'x');
    for (int kind : {1, 5}) {
        try {
            MatchesCriterion(Part(kind, huge), Row());
            ADD_FAILURE() << kind;
        } catch (const Error& e) {
            EXPECT_LT(std::string(e.what()).size(), 1000u) << kind;
        }
    }
}

TEST(Criterion, StopRules) {
    auto part = [](int stop, int value, bool fromBottom, bool mark) {
        TFilterPart p = Part(0, "");
        p.StopKind = uint8_t(stop);
        p.StopValue = value;
        p.FromBottom = fromBottom;
        p.MarkAll = mark;
        return p;
    };
    const TStatValues row = Row();  // count 4, count % 8
    struct Case {
        int stop, value;
        bool fromBottom, mark;
        int steps, combs;
        bool leaves;
    } cases[] = {
        {0, 0, false, false, 100, 0, false},  // SF never
        {1, 5, false, false, 0, 5, true},     // SC, mode S: at most N left
        {1, 5, false, false, 0, 6, false},
        {1, 5, false, true, 0, 1, false},     // SC means nothing in mode M
        {2, 0, false, false, 9, 0, false},    // SZ is handled by the step itself
        {3, 2, false, true, 2, 9, true},      // ST
        {3, 2, false, false, 1, 9, false},
        {4, 4, true, false, 0, 9, true},      // SV from the bottom: count >= N
        {4, 5, true, false, 0, 9, false},
        {4, 4, false, false, 0, 9, true},     // SV from the top: count <= N
        {4, 3, false, false, 0, 9, false},
        {5, 8, true, false, 0, 9, true},      // SP on count %
        {5, 7, false, false, 0, 9, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StopWalkBefore(part(c.stop, c.value, c.fromBottom, c.mark), row, TStopState{c.steps, c.combs}),
                  c.leaves)
            << "stop " << c.stop << " value " << c.value;
}

} // namespace
} // namespace velmora
