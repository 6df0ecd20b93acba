#include "core/formula/rx_math_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace velmora;

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kE = 2.718281828459045235360287471352662498L;

struct Case {
    const char* text;
    long double value;  // when fault is None
    TRxFault fault;
};

constexpr TRxFault kOk = TRxFault::None;

// Runs the evaluator; the fault it raised, None with the value otherwise.
TRxFault Eval(const std::string& text, long double& value, char separator = '.') {
    try {
        value = TRxMathParser(separator).Exec(text);
        return kOk;
    } catch (const ERxParserError& e) {
        EXPECT_EQ(e.what(), RxFaultMessage(e.Fault)) << text;
        return e.Fault;
    }
}

const Case kCases[] = {
    // one precedence level for *, / and ^, left to right; signs
    {"2*3^2", 36, kOk},
    {"2^3*2", 16, kOk},
    {"2^3^2", 64, kOk},
    {"2+3*2", 8, kOk},
    {"2--3", 5, kOk},
    {"2*-3", -6, kOk},
    {"2^-1", 0.5, kOk},
    {"-2^2", -4, kOk},
    {"+3", 3, kOk},
    {"-.5*2", -1, kOk},
    {"2*-.5", -1, kOk},
    {" 1 +\t2\r\n", 3, kOk},
    {"sqr(3)", 9, kOk},
    {"7-2-1", 4, kOk},
    {"8/2/2", 2, kOk},
    // numbers
    {"$FFFFFFFF", -1, kOk},
    {"$10", 16, kOk},
    {"$7fffffff", 2147483647, kOk},
    {"1.E5", 100000, kOk},
    {"1.", 1, kOk},
    {".5", 0.5, kOk},
    {"2.5E-1", 0.25, kOk},
    {"1E+2", 100, kOk},
    {"1E-99999", 0, kOk},
    {"$FFFFFFFFF", 0, TRxFault::Syntax},
    {"$", 0, TRxFault::Syntax},
    {"1E99999", 0, TRxFault::Syntax},
    {"1.2.3", 0, TRxFault::Syntax},
    {"1E", 0, TRxFault::Syntax},
    {"2(3)", 0, TRxFault::Syntax},
    {"2,5", 0, TRxFault::Syntax},  // "," is no decimal separator here
    // what follows an expression
    {"(2+3),7", 5, kOk},
    {"(2+3)<7", 5, kOk},
    {"1)+(2", 1, kOk},
    // constants
    {"E", kE, kOk},
    {"PI", kPi, kOk},
    {"2*PI", 2 * kPi, kOk},
    {"PIE", 0, TRxFault::Syntax},
    {"E2", 0, TRxFault::Syntax},
    // each function once, in table order
    {"ARCTAN(1)", std::atan(1.0L), kOk},
    {"COS(0)", 1, kOk},
    {"SIN(1)", std::sin(1.0L), kOk},
    {"TAN(1)", std::sin(1.0L) / std::cos(1.0L), kOk},
    {"ABS(-3)", 3, kOk},
    {"EXP(1)", std::exp(1.0L), kOk},
    {"LN(E)", std::log(kE), kOk},
    {"LOG(100)", std::log(100.0L) / std::log(10.0L), kOk},
    {"SQRT(16)", 4, kOk},
    {"SQR(-3)", 9, kOk},
    {"INT(2.7)", 3, kOk},
    {"FRAC(-2.7)", -2.7L + 2.0L, kOk},
    {"TRUNC(-2.7)", -2, kOk},
    {"ROUND(2.5)", 2, kOk},
    {"ARCSIN(1)", kPi / 2, kOk},
    {"ARCCOS(1)", 0, kOk},
    {"SIGN(-3)", -1, kOk},
    {"NOT(5)", -6, kOk},
    // the fine points of the functions
    {"ROUND(3.5)", 4, kOk},
    {"INT(-2.5)", -2, kOk},
    {"ARCCOS(0)", kPi / 2, kOk},
    {"ARCSIN(0.5)", std::atan(0.5L / std::sqrt(1 - 0.25L)), kOk},
    {"SIGN(0)", 0, kOk},
    {"NOT(-2.5)", 1, kOk},
    // cos(PI/2) is not exactly 0 in extended precision: TAN gives a large value
    {"TAN(PI/2)", std::sin(kPi / 2) / std::cos(kPi / 2), kOk},
    // powers
    {"0^0", 1, kOk},
    {"0^2", 0, kOk},
    {"(-2)^3", -8, kOk},
    {"2^0.5", std::exp(0.5L * std::log(2.0L)), kOk},
    {"2^10", 1024, kOk},
    {"2^-2", 0.25, kOk},
    // every message once, and where the faults come from
    {"(1+2", 0, TRxFault::Parenthesis},
    {")(", 0, TRxFault::Syntax},
    {"SQR 4", 0, TRxFault::Syntax},
    {"SIN((1),2)", 0, TRxFault::Parenthesis},
    {"SIN(1,2)", 0, TRxFault::Syntax},  // "1" followed by "," is no number
    {"FOO(1)", 0, TRxFault::Syntax},
    {"SQRT", 0, TRxFault::Syntax},
    {"2+", 0, TRxFault::Syntax},
    {"2 3", 23, kOk},  // blanks go before anything is read
    {"LN(0)", 0, TRxFault::Log},
    {"LOG(-1)", 0, TRxFault::Log},
    {"SQRT(-1)", 0, TRxFault::Sqrt},
    {"0/0", 0, TRxFault::ZeroDivide},
    {"1/0", 0, TRxFault::ZeroDivide},
    {"1/(2-2)", 0, TRxFault::ZeroDivide},
    {"1/SQR 4", 0, TRxFault::ZeroDivide},  // any fault right of "/"
    {"1/LN(0)", 0, TRxFault::ZeroDivide},
    {"1E4000/1E-4000", 0, TRxFault::ZeroDivide},
    {"EXP(EXP(EXP(99)))", 0, TRxFault::Float},
    {"ARCSIN(-1)", 0, TRxFault::Float},
    {"ARCSIN(2)", 0, TRxFault::Float},
    {"ARCCOS(-1)", 0, TRxFault::Float},
    {"INT(1E30)", 0, TRxFault::Float},
    {"NOT(1E19)", 0, TRxFault::Float},
    {"SQR(1E3000)", 0, TRxFault::Float},
    {"1E4000*1E4000", 0, TRxFault::Float},
    {"1E4932+1E4932", 0, TRxFault::Float},
    {"10^5000", 0, TRxFault::Float},
    {"0^-1", 0, TRxFault::Float},
    {"(-8)^(1/3)", 0, TRxFault::Float},
    {"2^2147483648", 0, TRxFault::Float},
    {"LN(0)+)(", 0, TRxFault::Log},  // evaluated as read: the first fault wins
};

} // namespace

TEST(RxMathParser, TextsGiveTheirValueOrMessage) {
    for (const Case& c : kCases) {
        long double v = 0;
        const TRxFault f = Eval(c.text, v);
        EXPECT_EQ(int(f), int(c.fault)) << c.text;
        if (f == kOk && c.fault == kOk) {
            EXPECT_EQ(v, c.value) << c.text << " gave " << double(v);
        }
    }
}

TEST(RxMathParser, MessagesAreThoseOfTheTable) {
    const std::pair<TRxFault, const char*> messages[] = {
        {TRxFault::Float, "Ошибка в операции с плавающей точкой"},
        {TRxFault::Log, "Выражение под логарифмом меньне нуля"},
        {TRxFault::Sqrt, "Выражение под корнем меньне нуля"},
        {TRxFault::ZeroDivide, "Деление на нуль"},
        {TRxFault::Parenthesis, "Не хватает скобочки"},
        {TRxFault::Syntax, "Синтаксическая ошибка"},
    };
    for (const auto& [fault, text] : messages) EXPECT_EQ(RxFaultMessage(fault), text);
}

TEST(RxMathParser, TheProgramsDecimalSeparatorReadsNumbers) {
    long double v = 0;
    ASSERT_EQ(int(Eval("2,5*2", v, ',')), int(kOk));
    EXPECT_EQ(v, 5);
    ASSERT_EQ(int(Eval("2.5+,5", v, ',')), int(kOk));
    EXPECT_EQ(v, 3);
    EXPECT_EQ(int(Eval("2+3,7", v, ',')), int(kOk));
    EXPECT_EQ(v, 2 + 3.7L);
}

TEST(RxMathParser, HostileTextsEndInAMessage) {
    long double v = 0;
    // Nesting beyond the bound is a syntax error, not a stack overflow.
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_EQ(int(Eval(deep, v)), int(TRxFault::Syntax));
    std::string calls;
    for (int i = 0; i < 100000; ++i) calls += "ABS(";
    calls += "1" + std::string(100000, ')');
    EXPECT_EQ(int(Eval(calls, v)), int(TRxFault::Syntax));
    const std::string bounded = std::string(kRxMaxDepth, '(') + "1" + std::string(kRxMaxDepth, ')');
    ASSERT_EQ(int(Eval(bounded, v)), int(kOk));
    EXPECT_EQ(v, 1);
    // A formula of a megabyte is read through.
    std::string sum = "1";
    while (sum.size() < (1u << 20)) sum += "+1";
    ASSERT_EQ(int(Eval(sum, v)), int(kOk));
    EXPECT_EQ(v, static_cast<long double>(sum.size() / 2 + 1));
    const std::string longNumber = "0." + std::string(1 << 20, '0') + "1";
    EXPECT_EQ(int(Eval(longNumber, v)), int(kOk));
    // Random bytes give a value or a message of the evaluator, nothing else.
    std::mt19937 rng(7);
    const std::string alphabet = "0123456789+-*/^().,$EPIabcdefghijklmnopqrstuvwxyzSQRTLNOG <=>\x01\xd0\xff";
    for (int n = 0; n < 3000; ++n) {
        std::string text;
        const int len = int(rng() % 40);
        for (int i = 0; i < len; ++i)
            text += (rng() % 4 == 0) ? char(rng() % 256) : alphabet[rng() % alphabet.size()];
        try {
            v = TRxMathParser('.').Exec(text);
            EXPECT_TRUE(std::isfinite(v)) << text;
        } catch (const ERxParserError&) {
        }
    }
}
