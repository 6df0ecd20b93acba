// The product's message templates: Format(template, {args}).
//
// Supported directives: %[index:][-][width][.prec]type with type d, u, x, s, f, n, e, g
// (upper case accepted), and %% for a percent sign. "%.3d" pads an integer with zeros to three
// digits, "%.2f" writes two decimals, "%.3n" writes three decimals with thousands separators,
// "%0:s" / "%1:d" pick an argument by index; directives without an index take the argument
// after the last one used. A directive whose argument is missing or of the wrong kind raises
// FormatError, as the product's formatter does.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace velmora {

struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class FmtArg {
public:
    FmtArg(int v) : v_(int64_t(v)) {}
    FmtArg(unsigned v) : v_(int64_t(v)) {}
    FmtArg(long v) : v_(int64_t(v)) {}
    FmtArg(unsigned long v) : v_(int64_t(v)) {}
    FmtArg(long long v) : v_(int64_t(v)) {}
    FmtArg(unsigned long long v) : v_(int64_t(v)) {}
    FmtArg(double v) : v_(v) {}
    FmtArg(long double v) : v_(double(v)) {}
    FmtArg(const char* v) : v_(std::string(v)) {}
    FmtArg(std::string v) : v_(std::move(v)) {}
    FmtArg(std::string_view v) : v_(std::string(v)) {}

    const std::variant<int64_t, double, std::string>& value() const { return v_; }

private:
    std::variant<int64_t, double, std::string> v_;
};

// The decimal and thousands separators of the product's locale (Russian: "," and a blank).
struct NumberFormat {
    char DecimalSeparator = ',';
    std::string ThousandSeparator = " ";
};
NumberFormat& CurrentNumberFormat();

std::string Format(const std::string& tmpl, std::initializer_list<FmtArg> args);
std::string Format(const std::string& tmpl, const std::vector<FmtArg>& args);

// Plain conversions used by table cells and settings files (locale decimal separator).
std::string FloatToStrF(double value, int decimals);

} // namespace velmora
