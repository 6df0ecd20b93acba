#include "core/formula/rx_math_parser.h"

#include "core/util/format.h"
#include "core/util/translate.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace velmora {

const TRxVariable kRxVariables[15] = {
    {"n1", 0}, {"p1", 5}, {"t1", 10}, {"n2", 1}, {"p2", 6}, {"t2", 11}, {"n3", 2}, {"p3", 7},
    {"t3", 12}, {"n4", 3}, {"p4", 8}, {"t4", 13}, {"n5", 4}, {"p5", 9}, {"t5", 14},
};

namespace {

const char* const kMessages[] = {
    "",
    TrNoop("Ошибка в операции с плавающей точкой"),
    TrNoop("Выражение под логарифмом меньне нуля"),
    TrNoop("Выражение под корнем меньне нуля"),
    TrNoop("Деление на нуль"),
    TrNoop("Не хватает скобочки"),
    TrNoop("Синтаксическая ошибка"),
};

const char* const kFunctionNames[kRxFunctionCount] = {
    "ARCTAN", "COS", "SIN", "TAN", "ABS", "EXP", "LN", "LOG", "SQRT",
    "SQR", "INT", "FRAC", "TRUNC", "ROUND", "ARCSIN", "ARCCOS", "SIGN", "NOT",
};

constexpr long double kE = 2.718281828459045235360287471352662498L;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

// The prepared text is a sequence of codes: characters 1..255, markers of variables from
// kMarker on (slot = code - kMarker), and kEnd as the end mark.
constexpr int32_t kEnd = 0;
constexpr int32_t kMarker = 256;

[[noreturn]] void Fail(TRxFault f) { throw ERxParserError(f, RxFaultMessage(f)); }

inline TRxFault Checked(long double r, TRxFault fault) { return std::isfinite(r) ? TRxFault::None : fault; }

// Trunc and Round give 64-bit integers: a value outside that range is a fault.
inline bool FitsInt64(long double whole) { return whole >= -0x1p63L && whole < 0x1p63L; }

inline bool IsDigit(int32_t c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(int32_t c) { return c >= 'A' && c <= 'Z'; }
inline int HexValue(int32_t c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
// What may follow a number or a constant.
inline bool IsDelimiter(int32_t c) {
    return (c >= 0 && c <= 32) || c == ')' || c == '*' || c == '+' || c == '-' || c == '/' || c == '^';
}
// What may follow an expression.
inline bool EndsExpression(int32_t c) { return c == kEnd || c == ')' || c == ',' || c == '<' || c == '=' || c == '>'; }

// Decimal text of the form [+-]D+[.D+][E[+-]D+], converted whole regardless of the C locale;
// false for any other text and for a value beyond the range of long double.
bool ConvertDecimal(const std::string& s, long double& value) {
    size_t i = 0;
    auto digits = [&] {
        size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i > from;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (!digits()) return false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (!digits()) return false;
    }
    if (i < s.size() && s[i] == 'E') {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (!digits()) return false;
    }
    if (i != s.size()) return false;
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    char* end = nullptr;
    value = strtold_l(s.c_str(), &end, c);
    return end == s.c_str() + s.size() && std::isfinite(value);
}

// Drops the codes 0..32 of characters, upper-cases ASCII letters, checks the parentheses, adds
// the end mark and the 0 before a leading sign.
void Prepare(std::vector<int32_t>& codes) {
    size_t k = 0;
    int depth = 0;
    for (int32_t c : codes) {
        if (c >= 0 && c <= 32) continue;
        if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
        if (c == '(') ++depth;
        if (c == ')') --depth;
        codes[k++] = c;
    }
    codes.resize(k);
    if (depth != 0) Fail(TRxFault::Parenthesis);
    codes.push_back(kEnd);
    if (codes[0] == '+' || codes[0] == '-') codes.insert(codes.begin(), '0');
}

// ---- the grammar, once for evaluating and for compiling ---------------------------------------

// The evaluating policy computes values as the text is read.
struct TEvalPolicy {
    using Value = long double;
    static constexpr bool kMarkers = false;
    long double Number(long double x) { return x; }
    long double Var(int, bool) { return 0; }
    long double Binary(TRxProgram::TOpCode op, long double a, long double b) {
        long double r = 0;
        TRxFault f = TRxFault::None;
        switch (op) {
            case TRxProgram::kAdd: f = RxAdd(a, b, r); break;
            case TRxProgram::kSub: f = RxSub(a, b, r); break;
            case TRxProgram::kMul: f = RxMul(a, b, r); break;
            case TRxProgram::kDiv: f = RxDiv(a, b, r); break;
            default: f = RxPow(a, b, r); break;
        }
        if (f != TRxFault::None) Fail(f);
        return r;
    }
    long double Function(int fn, long double x) {
        long double r = 0;
        if (TRxFault f = RxFunction(fn, x, r); f != TRxFault::None) Fail(f);
        return r;
    }
};

// The compiling policy writes the operations in the order the evaluating one performs them.
struct TCompilePolicy {
    using Value = int;
    static constexpr bool kMarkers = true;
    std::vector<TRxProgram::TOp>& Ops;
    int Depth = 0;
    int MaxDepth = 0;
    int Push(TRxProgram::TOp op) {
        Ops.push_back(op);
        if (++Depth > MaxDepth) MaxDepth = Depth;
        return 0;
    }
    int Number(long double x) { return Push({TRxProgram::kConst, 0, x}); }
    int Var(int slot, bool negative) { return Push({negative ? TRxProgram::kNegVar : TRxProgram::kVar, uint8_t(slot), 0}); }
    int Binary(TRxProgram::TOpCode op, int, int) {
        Ops.push_back({op, 0, 0});
        --Depth;
        return 0;
    }
    int Function(int fn, int) {
        Ops.push_back({TRxProgram::kFunc, uint8_t(fn), 0});
        return 0;
    }
};

template <class P>
class TRxParser {
public:
    using V = typename P::Value;
    TRxParser(const std::vector<int32_t>& codes, char separator, P& policy)
        : c_(codes.data()), sep_(separator), p_(policy) {}

    V Run() { return Expression(0); }

private:
    int32_t Cur() const { return c_[pos_]; }
    bool IsPoint(int32_t c) const { return c == '.' || c == uint8_t(sep_); }

    V Expression(int depth) {
        V v = Term(depth);
        for (int32_t c = Cur(); c == '+' || c == '-'; c = Cur()) {
            ++pos_;
            V r = Term(depth);
            v = p_.Binary(c == '+' ? TRxProgram::kAdd : TRxProgram::kSub, v, r);
        }
        if (!EndsExpression(Cur())) Fail(TRxFault::Syntax);
        return v;
    }

    V Term(int depth) {
        V v = Factor(depth);
        for (int32_t c = Cur(); c == '*' || c == '/' || c == '^'; c = Cur()) {
            ++pos_;
            if (c == '/') {
                // Whatever goes wrong on the right of "/" is reported as a division by zero.
                try {
                    V r = Factor(depth);
                    v = p_.Binary(TRxProgram::kDiv, v, r);
                } catch (const ERxParserError&) {
                    Fail(TRxFault::ZeroDivide);
                }
            } else {
                V r = Factor(depth);
                v = p_.Binary(c == '*' ? TRxProgram::kMul : TRxProgram::kPow, v, r);
            }
        }
        return v;
    }

    V Factor(int depth) {
        const int32_t c = Cur();
        if (c == '(') {
            if (depth >= kRxMaxDepth) Fail(TRxFault::Syntax);
            ++pos_;
            V v = Expression(depth + 1);
            if (Cur() != ')') Fail(TRxFault::Parenthesis);
            ++pos_;
            return v;
        }
        if constexpr (P::kMarkers) {
            // A variable stands where its decimal value would: a number, with the sign before it.
            const bool signed_ = (c == '+' || c == '-') && c_[pos_ + 1] >= kMarker;
            if (c >= kMarker || signed_) {
                const int32_t m = signed_ ? c_[pos_ + 1] : c;
                pos_ += signed_ ? 2 : 1;
                if (!IsDelimiter(Cur())) Fail(TRxFault::Syntax);
                return p_.Var(m - kMarker, c == '-');
            }
        }
        V v{};
        if (Number(v)) return v;
        if (Constant(v)) return v;
        for (int f = 0; f < kRxFunctionCount; ++f) {
            const char* name = kFunctionNames[f];
            const size_t len = std::strlen(name);
            size_t k = 0;
            while (k < len && c_[pos_ + k] == int32_t(uint8_t(name[k]))) ++k;
            if (k < len || c_[pos_ + len] != '(') continue;
            if (depth >= kRxMaxDepth) Fail(TRxFault::Syntax);
            pos_ += len + 1;
            V x = Expression(depth + 1);
            if (Cur() != ')') Fail(TRxFault::Parenthesis);
            ++pos_;
            return p_.Function(f, x);
        }
        Fail(TRxFault::Syntax);
    }

    // A number at the position followed by a delimiter: true and the position after it; else
    // false and the position unchanged.
    bool Number(V& v) {
        const size_t start = pos_;
        int32_t c = Cur();
        if (c == '$') {
            ++pos_;
            uint32_t x = 0;
            int n = 0;
            for (int h = HexValue(Cur()); h >= 0; h = HexValue(Cur())) {
                if (n < 8) x = x << 4 | uint32_t(h);
                ++n;
                ++pos_;
            }
            if (n < 1 || n > 8 || !IsDelimiter(Cur())) {
                pos_ = start;
                return false;
            }
            v = p_.Number(static_cast<long double>(static_cast<int32_t>(x)));
            return true;
        }
        if (!(IsDigit(c) || c == '+' || c == '-' || IsPoint(c))) return false;
        std::string& s = text_;
        s.clear();
        if (c == '+' || c == '-') {
            s += char(c);
            ++pos_;
            if (IsPoint(Cur())) s += '0';
        } else if (IsPoint(c)) {
            s += '0';
        }
        for (;;) {
            c = Cur();
            if (IsDigit(c)) {
                s += char(c);
            } else if (IsPoint(c)) {
                s += '.';
            } else if (c == 'E') {
                s += 'E';
                if (c_[pos_ + 1] == '+' || c_[pos_ + 1] == '-') s += char(c_[++pos_]);
            } else {
                break;
            }
            ++pos_;
        }
        if (!s.empty() && s.back() == '.') s += '0';
        if (size_t k = s.find(".E"); k != std::string::npos) s.insert(k + 1, "0");
        long double x = 0;
        if (!ConvertDecimal(s, x) || !IsDelimiter(Cur())) {
            pos_ = start;
            return false;
        }
        v = p_.Number(x);
        return true;
    }

    bool Constant(V& v) {
        if (Cur() == 'P' && c_[pos_ + 1] == 'I' && IsDelimiter(c_[pos_ + 2])) {
            pos_ += 2;
            v = p_.Number(kPi);
            return true;
        }
        if (Cur() == 'E' && IsDelimiter(c_[pos_ + 1])) {
            pos_ += 1;
            v = p_.Number(kE);
            return true;
        }
        return false;
    }

    const int32_t* c_;
    char sep_;
    P& p_;
    size_t pos_ = 0;
    std::string text_;
};

// The formula with every variable replaced by its marker, in the replacement order of the
// variables (case ignored), as the text replacement of EvalShredding would place the values.
std::vector<int32_t> MarkVariables(const std::string& formula) {
    std::vector<int32_t> codes(formula.size()), next;
    for (size_t i = 0; i < formula.size(); ++i) codes[i] = uint8_t(formula[i]);
    for (const TRxVariable& var : kRxVariables) {
        next.clear();
        next.reserve(codes.size());
        for (size_t i = 0; i < codes.size(); ++i) {
            const int32_t a = codes[i];
            if (i + 1 < codes.size() && a < kMarker && (a | 0x20) == var.Name[0] && codes[i + 1] == var.Name[1]) {
                next.push_back(kMarker + var.Slot);
                ++i;
            } else {
                next.push_back(a);
            }
        }
        codes.swap(next);
    }
    return codes;
}

// Whether every marker of the prepared codes stands where the decimal text of any value would be
// read as one number on its own: after nothing, "(" or an operator (a sign not after a letter,
// which could be the exponent of a number), and before the end, ")" or an operator.
bool MarkersStandAlone(const std::vector<int32_t>& codes) {
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] < kMarker) continue;
        if (i > 0) {
            const int32_t p = codes[i - 1];
            if (!(p == '(' || p == '*' || p == '/' || p == '^' || p == '+' || p == '-')) return false;
            if ((p == '+' || p == '-') && i > 1 && IsLetter(codes[i - 2])) return false;
        }
        const int32_t n = codes[i + 1];  // the end mark follows the last code
        if (!(n == kEnd || n == ')' || n == '*' || n == '+' || n == '-' || n == '/' || n == '^')) return false;
    }
    return true;
}

} // namespace

std::string RxFaultMessage(TRxFault fault) {
    const auto i = size_t(fault);
    return i < std::size(kMessages) ? Tr(kMessages[i]) : std::string();
}

const char* RxFunctionName(int f) { return f >= 0 && f < kRxFunctionCount ? kFunctionNames[f] : ""; }

// ---- arithmetic ---------------------------------------------------------------------------------

TRxFault RxAdd(long double a, long double b, long double& r) {
    r = a + b;
    return Checked(r, TRxFault::Float);
}

TRxFault RxSub(long double a, long double b, long double& r) {
    r = a - b;
    return Checked(r, TRxFault::Float);
}

TRxFault RxMul(long double a, long double b, long double& r) {
    r = a * b;
    return Checked(r, TRxFault::Float);
}

TRxFault RxDiv(long double a, long double b, long double& r) {
    if (b == 0) return TRxFault::ZeroDivide;
    r = a / b;
    return Checked(r, TRxFault::ZeroDivide);
}

TRxFault RxPow(long double a, long double b, long double& r) {
    if (b == 0) {
        r = 1;
        return TRxFault::None;
    }
    if (a == 0 && b > 0) {
        r = 0;
        return TRxFault::None;
    }
    if (b == std::trunc(b) && std::fabs(b) <= 2147483647.0L) {
        // Repeated squaring over the bits of |b|.
        uint64_t e = uint64_t(std::fabs(b));
        long double y = a, p = 1;
        for (;;) {
            if (e & 1) p *= y;
            e >>= 1;
            if (e == 0) break;
            y *= y;
        }
        if (b < 0) {
            if (p == 0) return TRxFault::Float;
            p = 1 / p;
        }
        r = p;
        return Checked(r, TRxFault::Float);
    }
    if (a < 0 || a == 0) return TRxFault::Float;  // the logarithm of a
    const long double m = b * std::log(a);
    if (!std::isfinite(m)) return TRxFault::Float;
    r = std::exp(m);
    return Checked(r, TRxFault::Float);
}

TRxFault RxFunction(int f, long double x, long double& r) {
    auto arcTangentOfRatio = [&](long double& q) {
        // x / sqrt(1 - x^2), a fault for |x| >= 1.
        const long double d = 1 - x * x;
        if (!(d > 0)) return false;
        q = x / std::sqrt(d);
        return bool(std::isfinite(q));
    };
    long double q = 0;
    switch (f) {
        case 0: r = std::atan(x); break;
        case 1: r = std::cos(x); break;
        case 2: r = std::sin(x); break;
        case 3: {
            const long double c = std::cos(x);
            if (c == 0) return TRxFault::ZeroDivide;
            r = std::sin(x) / c;
            break;
        }
        case 4: r = std::fabs(x); break;
        case 5: r = std::exp(x); break;
        case 6:
            if (x <= 0) return TRxFault::Log;
            r = std::log(x);
            break;
        case 7:
            if (x <= 0) return TRxFault::Log;
            r = std::log(x) / std::log(10.0L);
            break;
        case 8:
            if (x < 0) return TRxFault::Sqrt;
            r = std::sqrt(x);
            break;
        case 9: r = x * x; break;
        case 10:  // INT rounds like ROUND, halves to even
        case 13:
            r = std::nearbyint(x);
            if (!FitsInt64(r)) return TRxFault::Float;
            break;
        case 11: r = x - std::trunc(x); break;
        case 12:
            r = std::trunc(x);
            if (!FitsInt64(r)) return TRxFault::Float;
            break;
        case 14:
            if (x == 1) {
                r = kPi / 2;
                break;
            }
            if (!arcTangentOfRatio(q)) return TRxFault::Float;
            r = std::atan(q);
            break;
        case 15:
            if (x == 1) {
                r = 0;
                break;
            }
            if (!arcTangentOfRatio(q)) return TRxFault::Float;
            r = kPi / 2 - std::atan(q);
            break;
        case 16: r = x > 0 ? 1 : x < 0 ? -1 : 0; break;
        case 17: {
            const long double t = std::trunc(x);
            if (!FitsInt64(t)) return TRxFault::Float;
            r = static_cast<long double>(~static_cast<int64_t>(t));
            break;
        }
        default: return TRxFault::Syntax;
    }
    return Checked(r, TRxFault::Float);
}

// ---- TRxMathParser --------------------------------------------------------------------------------

TRxMathParser::TRxMathParser(char decimalSeparator) : separator_(decimalSeparator) {}
TRxMathParser::TRxMathParser() : separator_(CurrentNumberFormat().DecimalSeparator) {}

long double TRxMathParser::Exec(const std::string& text) {
    codes_.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) codes_[i] = uint8_t(text[i]);
    Prepare(codes_);
    TEvalPolicy policy;
    TRxParser<TEvalPolicy> parser(codes_, separator_, policy);
    return parser.Run();
}

// ---- TRxProgram -----------------------------------------------------------------------------------

TRxProgram::TRxProgram(const std::string& formula, char decimalSeparator) {
    std::vector<int32_t> codes = MarkVariables(formula);
    try {
        Prepare(codes);
    } catch (const ERxParserError&) {
        compiled_ = fails_ = true;
        return;
    }
    if (!MarkersStandAlone(codes)) return;
    TCompilePolicy policy{ops_};
    try {
        TRxParser<TCompilePolicy> parser(codes, decimalSeparator, policy);
        parser.Run();
    } catch (const ERxParserError&) {
        ops_.clear();
        compiled_ = fails_ = true;
        return;
    }
    compiled_ = true;
    stack_.resize(size_t(policy.MaxDepth) + 1);
}

bool TRxProgram::Run(const uint8_t* vars, long double& value) const {
    if (!compiled_ || fails_) return false;
    long double* st = stack_.data();
    size_t top = 0;
    long double r = 0;
    for (const TOp& op : ops_) {
        TRxFault f = TRxFault::None;
        switch (op.Code) {
            case kConst: st[top++] = op.Value; continue;
            case kVar: st[top++] = static_cast<long double>(vars[op.Arg]); continue;
            case kNegVar: st[top++] = -static_cast<long double>(vars[op.Arg]); continue;
            case kFunc: f = RxFunction(op.Arg, st[top - 1], r); break;
            case kAdd: f = RxAdd(st[top - 2], st[top - 1], r); --top; break;
            case kSub: f = RxSub(st[top - 2], st[top - 1], r); --top; break;
            case kMul: f = RxMul(st[top - 2], st[top - 1], r); --top; break;
            case kDiv: f = RxDiv(st[top - 2], st[top - 1], r); --top; break;
            case kPow: f = RxPow(st[top - 2], st[top - 1], r); --top; break;
        }
        if (f != TRxFault::None) return false;
        st[top - 1] = r;
    }
    value = st[0];
    return true;
}

} // namespace velmora
