#include "core/model/dates.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <cmath>
#include <ctime>

namespace velmora {

namespace {

// Days from 0001-01-01 (proleptic Gregorian) to the given date; the day-count epoch
// 1899-12-30 is day 693594.
int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;  // days since 1970-01-01
}

constexpr int64_t kEpochDelta = 25569;  // 1899-12-30 .. 1970-01-01

} // namespace

bool IsValidDate(int y, int m, int d) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int dim = days[m - 1];
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) dim = 29;
    return d <= dim;
}

TDateTime EncodeDate(int y, int m, int d) {
    if (!IsValidDate(y, m, d)) throw Error("Invalid argument to date encode");
    return double(DaysFromCivil(y, m, d) + kEpochDelta);
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
    int64_t z = int64_t(std::floor(dt)) - kEpochDelta + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(y + (month <= 2));
}

TDateTime Now() {
    std::time_t t = std::time(nullptr);
    std::tm lt{};
    localtime_r(&t, &lt);
    return EncodeDate(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday) +
           (lt.tm_hour * 3600 + lt.tm_min * 60 + lt.tm_sec) / 86400.0;
}

TDateTime Today() { return std::floor(Now()); }

int DayOfWeek(TDateTime dt) {
    // 1899-12-30 was a Saturday.
    int64_t d = int64_t(std::floor(dt));
    int r = int(((d % 7) + 7 + 6) % 7);  // 0 = Sunday
    return r + 1;
}

std::string DateToText(TDateTime dt) {
    if (dt <= 0) return std::string();
    int y, m, d;
    DecodeDate(dt, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

TDateTime TextToDate(const std::string& text) {
    std::string t = Trim(text);
    if (t.empty()) return 0;
    // Read against the mask "yyyy-mm-dd": the characters at the mask's Y, M and D positions.
    const Error invalid(Format(Tr("'%s' - неверная дата"), {text}));
    auto field = [&](size_t pos, size_t len) -> int {
        if (t.size() < pos + len) throw invalid;
        auto v = TryStrToInt(t.substr(pos, len));
        if (!v || *v < 0) throw invalid;
        return *v;
    };
    int y = field(0, 4), m = field(5, 2), d = field(8, 2);
    if (!IsValidDate(y, m, d)) throw invalid;
    return EncodeDate(y, m, d);
}

int32_t DateToInt(TDateTime dt) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return y * 10000 + m * 100 + d;
}

int32_t TextToDateInt(const std::string& text) { return DateToInt(TextToDate(text)); }

} // namespace velmora
