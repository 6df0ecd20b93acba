// The value of a shredding formula for one draw or combination: the first decimal digits of the
// fraction of the formula's value, over the numbers of the draw (n1..n5), of the draw before it
// (p1..p5) and of the draw before that (t1..t5).
#pragma once

#include <cstdint>
#include <string>

#include "core/formula/rx_math_parser.h"

namespace velmora {

// The digit counts EvalShredding accepts; others are brought into this range.
constexpr int kMaxShreddingDigits = 9;

// Trunc(Frac(|value|) * 10^digits).
int32_t ShreddingDigits(long double value, int digits);

// Every "n1".."n5", "p1".."p5", "t1".."t5" of the formula (case ignored) replaced by the decimal
// text of nums[0..4], prev[0..4] and third[0..4], in the order n1, p1, t1, n2, ..., t5.
std::string SubstituteShredding(const uint8_t* nums, const uint8_t* prev, const uint8_t* third,
                                const std::string& formula);

// The value of the formula: SubstituteShredding, evaluated by TRxMathParser, ShreddingDigits of
// the result; 0 when the evaluation fails in any way. The digits are clamped to 0..9.
int32_t EvalShredding(const uint8_t* nums, const uint8_t* prev, const uint8_t* third, int digits,
                      const std::string& formula);

// A formula prepared once for many evaluations (a filter pass, a full-set distribution): Value
// gives exactly what EvalShredding gives, through the compiled program where the formula allows
// one, else through the text. Not for use by two threads at once.
class TShreddingFormula {
public:
    TShreddingFormula(std::string formula, int digits);
    TShreddingFormula(std::string formula, int digits, char decimalSeparator);
    int32_t Value(const uint8_t* nums, const uint8_t* prev, const uint8_t* third) const;
    // No value exceeds 10^digits (a fraction just below 1 may round up to it).
    uint32_t MaxValue() const { return limit_; }
    int Digits() const { return digits_; }
    bool Compiled() const { return program_.Compiled(); }
    const std::string& Formula() const { return formula_; }

private:
    std::string formula_;
    int digits_;
    uint32_t limit_;
    char separator_;
    TRxProgram program_;
    mutable TRxMathParser parser_;
    mutable std::string text_;
};

} // namespace velmora
