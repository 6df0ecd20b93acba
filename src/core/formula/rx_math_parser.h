// The evaluator of the shredding formulas: arithmetic expressions over decimal and hexadecimal
// numbers, the constants E and PI and eighteen functions, in extended precision (long double).
//
// The grammar is the program's own and deliberately unusual:
//   expression = term { ("+" | "-") term }, followed by the end, ")", ",", "<", "=" or ">";
//   term       = factor { ("*" | "/" | "^") factor }: one precedence level, left to right, so
//                2*3^2 is 36 and 2^3^2 is 64;
//   factor     = "(" expression ")" | number | "E" | "PI" | NAME "(" expression ")".
// Blanks and control characters are dropped first and ASCII letters upper-cased; a leading sign
// becomes a subtraction from 0 (-2^2 is -4); elsewhere a sign where a factor is expected belongs
// to the number (2--3 is 5, 2^-1 is 0.5). A number or constant counts only when a delimiter
// (the end, ")", "*", "+", "-", "/", "^") follows it.
//
// Every fault raises ERxParserError with one of the messages of kRxMessages. The nesting of
// parentheses and function arguments is bounded (kRxMaxDepth); deeper text is a syntax error,
// so no input can exhaust the stack.
#pragma once

#include "core/util/error.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// The faults of the evaluator, in the order of kRxMessages.
enum class TRxFault : uint8_t {
    None = 0,
    Float,        // an arithmetic fault (overflow, 0/0, a domain error) outside LN, LOG, SQRT
    Log,          // LN or LOG of x <= 0
    Sqrt,         // SQRT of x < 0
    ZeroDivide,   // any fault of the right operand of "/" or of the division; TAN where cos x = 0
    Parenthesis,  // unbalanced parentheses, a missing ")"
    Syntax,       // an unknown token, a name without "(", an unexpected character, too deep nesting
};

// The message of a fault in the interface language.
std::string RxFaultMessage(TRxFault fault);

struct ERxParserError : Error {
    ERxParserError(TRxFault f, const std::string& message) : Error(message), Fault(f) {}
    TRxFault Fault;
};

constexpr int kRxMaxDepth = 256;   // nested parentheses and function arguments
constexpr int kRxFunctionCount = 18;

// The arithmetic of the evaluator; each returns the fault (None when r holds the result).
// A result that is not finite is a fault: the inputs always are finite.
TRxFault RxAdd(long double a, long double b, long double& r);
TRxFault RxSub(long double a, long double b, long double& r);
TRxFault RxMul(long double a, long double b, long double& r);
TRxFault RxDiv(long double a, long double b, long double& r);  // ZeroDivide for b = 0
TRxFault RxPow(long double a, long double b, long double& r);
// Function f (0-based, in the order "ARCTAN" .. "NOT") of x.
TRxFault RxFunction(int f, long double x, long double& r);
const char* RxFunctionName(int f);

// One run of the evaluator on one text.
class TRxMathParser {
public:
    // decimalSeparator: the program's decimal separator, accepted in numbers beside ".".
    explicit TRxMathParser(char decimalSeparator);
    TRxMathParser();  // the separator of the product's number format
    // The value of the text; raises ERxParserError.
    long double Exec(const std::string& text);

private:
    char separator_;
    std::vector<int32_t> codes_;  // the prepared text (reused between runs)
};

// A formula over the 15 variables n1..n5 (slots 0..4), p1..p5 (5..9) and t1..t5 (10..14),
// compiled once into a postfix program. Run gives bit for bit the value the evaluator gives on
// the text where every variable was replaced by its decimal value, as long as Compiled() is true;
// a formula where such a replacement could join a value with its neighbours ("2n1", "n1.5",
// "$n1", "pn1" ...) is not compiled and the caller evaluates the text instead.
class TRxProgram {
public:
    // The formula text (raw, as typed); variables as the shredding formulas name them.
    TRxProgram(const std::string& formula, char decimalSeparator);
    bool Compiled() const { return compiled_; }
    // The formula fails for every value (a syntax or parenthesis fault): Run always fails.
    bool AlwaysFails() const { return fails_; }
    // The value for vars[0..14]; false when the evaluation faults.
    bool Run(const uint8_t* vars, long double& value) const;

    enum TOpCode : uint8_t { kConst, kVar, kNegVar, kAdd, kSub, kMul, kDiv, kPow, kFunc };
    struct TOp {
        TOpCode Code;
        uint8_t Arg;  // the slot of kVar, kNegVar; the function of kFunc
        long double Value;  // kConst
    };

private:
    friend class TRxProgramBuilder;
    bool compiled_ = false;
    bool fails_ = false;
    std::vector<TOp> ops_;
    mutable std::vector<long double> stack_;  // sized once, for the deepest point of the program
};

// The variable names in replacement order: n1, p1, t1, n2, p2, t2, ..., t5, with their slots.
struct TRxVariable {
    const char* Name;
    int Slot;
};
extern const TRxVariable kRxVariables[15];

} // namespace velmora
