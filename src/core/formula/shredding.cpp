#include "core/formula/shredding.h"

#include "core/util/format.h"

#include <cmath>
#include <cstdio>

namespace velmora {

namespace {

int ClampDigits(int digits) { return digits < 0 ? 0 : digits > kMaxShreddingDigits ? kMaxShreddingDigits : digits; }

uint32_t PowerOfTen(int digits) {
    uint32_t p = 1;
    for (int i = 0; i < digits; ++i) p *= 10;
    return p;
}

uint8_t SlotValue(int slot, const uint8_t* nums, const uint8_t* prev, const uint8_t* third) {
    const uint8_t* src = slot < 5 ? nums : slot < 10 ? prev : third;
    return src[slot % 5];
}

// Replaces every occurrence of the variable (case ignored) in `in`, scanning once from the left.
void ReplaceVariable(const std::string& in, const char* name, uint8_t value, std::string& out) {
    char digits[4];
    const int n = std::snprintf(digits, sizeof digits, "%u", unsigned(value));
    out.clear();
    out.reserve(in.size() + 8);
    for (size_t i = 0; i < in.size(); ++i) {
        if (i + 1 < in.size() && (in[i] | 0x20) == name[0] && in[i + 1] == name[1]) {
            out.append(digits, size_t(n));
            ++i;
        } else {
            out += in[i];
        }
    }
}

void Substitute(const uint8_t* nums, const uint8_t* prev, const uint8_t* third, const std::string& formula,
                std::string& text) {
    std::string a = formula, b;
    for (const TRxVariable& v : kRxVariables) {
        ReplaceVariable(a, v.Name, SlotValue(v.Slot, nums, prev, third), b);
        a.swap(b);
    }
    text.swap(a);
}

} // namespace

int32_t ShreddingDigits(long double value, int digits) {
    const long double v = std::fabs(value);
    const long double frac = v - std::trunc(v);
    return int32_t(std::trunc(frac * static_cast<long double>(PowerOfTen(ClampDigits(digits)))));
}

std::string SubstituteShredding(const uint8_t* nums, const uint8_t* prev, const uint8_t* third,
                                const std::string& formula) {
    std::string text;
    Substitute(nums, prev, third, formula, text);
    return text;
}

int32_t EvalShredding(const uint8_t* nums, const uint8_t* prev, const uint8_t* third, int digits,
                      const std::string& formula) {
    try {
        TRxMathParser parser;
        return ShreddingDigits(parser.Exec(SubstituteShredding(nums, prev, third, formula)), digits);
    } catch (...) {
        // A formula that cannot be evaluated gives 0, whatever went wrong.
        return 0;
    }
}

TShreddingFormula::TShreddingFormula(std::string formula, int digits)
    : TShreddingFormula(std::move(formula), digits, CurrentNumberFormat().DecimalSeparator) {}

TShreddingFormula::TShreddingFormula(std::string formula, int digits, char decimalSeparator)
    : formula_(std::move(formula)),
      digits_(ClampDigits(digits)),
      limit_(PowerOfTen(digits_)),
      separator_(decimalSeparator),
      program_(formula_, decimalSeparator),
      parser_(decimalSeparator) {}

int32_t TShreddingFormula::Value(const uint8_t* nums, const uint8_t* prev, const uint8_t* third) const {
    if (program_.Compiled()) {
        if (program_.AlwaysFails()) return 0;
        uint8_t vars[15];
        for (int i = 0; i < 5; ++i) {
            vars[i] = nums[i];
            vars[5 + i] = prev[i];
            vars[10 + i] = third[i];
        }
        long double value = 0;
        return program_.Run(vars, value) ? ShreddingDigits(value, digits_) : 0;
    }
    try {
        Substitute(nums, prev, third, formula_, text_);
        return ShreddingDigits(parser_.Exec(text_), digits_);
    } catch (...) {
        return 0;
    }
}

} // namespace velmora
