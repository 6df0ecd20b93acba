#include "core/formula/shredding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

using namespace velmora;

namespace {

const uint8_t kZeros[5] = {0, 0, 0, 0, 0};

} // namespace

TEST(EvalShredding, KeepsTheFirstDigitsOfTheFraction) {
    const uint8_t draw[5] = {5, 12, 33, 40, 48};
    const uint8_t prev[5] = {1, 2, 3, 4, 6};
    const uint8_t third[5] = {7, 8, 9, 10, 11};
    struct Row {
        const char* formula;
        int digits;
        int32_t value;
    } rows[] = {
        {"(n1+n2+n3)/(n4+n5)", 2, 56},  // 50 / 88 = 0.5681...
        {"(n1+n2+n3)/(n4+n5)", 4, 5681},
        {"n1-n2", 2, 0},                // -7: no fraction
        {"n1/(n2-n2)", 2, 0},           // a division by zero
        {"n1+", 2, 0},                  // a syntax error
        {"N1/P5", 3, 833},              // case ignored: 5 / 6
        {"t5/p4+n1", 2, 75},            // 11 / 4 + 5 = 7.75
        {"-n2/8", 3, 500},              // the absolute value: 1.5
        {"n1/4", 5, 25000},
        {"n2/16", 5, 75000},            // beyond 16 bits
        {"n1/8", 0, 0},
        {"n1/8", 12, 625000000},        // digits above 9 count as 9
    };
    for (const Row& r : rows)
        EXPECT_EQ(EvalShredding(draw, prev, third, r.digits, r.formula), r.value) << r.formula << " " << r.digits;
}

TEST(EvalShredding, ReplacesTheVariablesInTheirOrder) {
    const uint8_t draw[5] = {1, 2, 3, 4, 5};
    const uint8_t prev[5] = {6, 7, 8, 9, 10};
    const uint8_t third[5] = {11, 12, 13, 14, 15};
    EXPECT_EQ(SubstituteShredding(draw, prev, third, "n1+P2*t3-N5"), "1+7*13-5");
    // A replaced value may form a variable replaced later: "pn1" becomes "p1" and then 6; "nt1"
    // becomes "n11" after n1 was replaced, and stays.
    EXPECT_EQ(SubstituteShredding(draw, prev, third, "pn1"), "6");
    EXPECT_EQ(SubstituteShredding(draw, prev, third, "nt1"), "n11");
    EXPECT_EQ(SubstituteShredding(draw, kZeros, kZeros, "p1+t5"), "0+0");
}

TEST(ShreddingFormula, TheProgramGivesWhatTheTextGives) {
    const char* formulas[] = {
        "(n1+n2+n3)/(n4+n5)", "(n4+n5)/(n1+n2+n3)", "(n1+n2)/(n3+n4+n5)", "n1*PI/n2", "SQRT(n1-n2)",
        "LN(p1)+LOG(t2)", "n1/(n2-n3)", "-n1^2/n3", "2^-n1*1E6", "n1^n2/p3^t4", "SIN(n1)/COS(p2)",
        "ARCSIN(n1/50)+ARCCOS(p1/50)", "EXP(n5)/n4^3", "TAN(n1)*FRAC(n2/7)+INT(n3/3)", "ROUND(t1/2)*NOT(p2)",
        "SIGN(n1-p1)*ABS(n2-p2)/SQR(t3+1)", "ARCTAN(n1)*TRUNC(n2/3.5)", "n1/-n2--n3*+n4", "(n1)", "n1,n2",
        // texts where a value joins its neighbours: evaluated as text
        "2n1/7", "n1.5/3", "$n1/7", "pn1/9", "n1E2/7", "1E-n1*7", "n10/3", "n1n2/1000", "n1 n2/99",
        "N1/.7", "n1,5/3", "PIn1", "(n1)(n2)",
        // texts that always fail
        "(n1", "n1+", "", "n1/0", ")n1(",
    };
    std::mt19937 rng(12345);
    for (const char* f : formulas) {
        for (char sep : {'.', ','}) {
            TShreddingFormula formula(f, 5, sep);
            TRxMathParser parser(sep);
            for (int n = 0; n < 300; ++n) {
                uint8_t d[3][5];
                for (auto& row : d)
                    for (auto& x : row) x = uint8_t(n % 50 == 0 ? 0 : rng() % 51);
                const std::string text = SubstituteShredding(d[0], d[1], d[2], f);
                int32_t plain = 0;
                try {
                    plain = ShreddingDigits(parser.Exec(text), 5);
                } catch (const ERxParserError&) {
                }
                ASSERT_EQ(formula.Value(d[0], d[1], d[2]), plain) << f << " on " << text << " sep " << sep;
            }
        }
    }
    // The default formulas and the plain ones run compiled.
    for (const char* f : {"(n1+n2+n3)/(n4+n5)", "SIGN(n1-p1)*ABS(n2-p2)/SQR(t3+1)", "n1/-n2--n3*+n4"})
        EXPECT_TRUE(TShreddingFormula(f, 2, ',').Compiled()) << f;
    for (const char* f : {"2n1", "n1.5", "$n1", "pn1", "1E-n1"}) EXPECT_FALSE(TShreddingFormula(f, 2, ',').Compiled()) << f;
}

TEST(ShreddingFormula, CompiledValuesAreBitForBitThoseOfTheText) {
    const char* formulas[] = {"(n1+n2+n3)/(n4+n5)", "SIN(n1)/COS(p2)+EXP(-t3/7)", "n1^-n2*1E30", "-n1/-p1"};
    std::mt19937 rng(99);
    for (const char* f : formulas) {
        TRxProgram program(f, '.');
        ASSERT_TRUE(program.Compiled()) << f;
        for (int n = 0; n < 500; ++n) {
            uint8_t vars[15];
            for (auto& x : vars) x = uint8_t(rng() % 51);
            long double fast = 0, plain = 0;
            bool plainOk = true;
            try {
                plain = TRxMathParser('.').Exec(SubstituteShredding(vars, vars + 5, vars + 10, f));
            } catch (const ERxParserError&) {
                plainOk = false;
            }
            ASSERT_EQ(program.Run(vars, fast), plainOk) << f;
            if (plainOk) {
                EXPECT_EQ(std::memcmp(&fast, &plain, 10), 0) << f;
            }
        }
    }
}
