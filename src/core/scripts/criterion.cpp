#include "core/scripts/criterion.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

namespace velmora {

namespace {

std::optional<int64_t> StrictInt(const std::string& text) {
    const std::string s = Trim(text);
    if (s.empty()) return std::nullopt;
    const char* b = s.data() + (s[0] == '+' ? 1 : 0);
    const char* e = s.data() + s.size();
    int64_t v = 0;
    auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e) return std::nullopt;
    return v;
}

std::optional<long double> StrictNum(const std::string& text) {
    std::string s = Trim(text);
    for (char& c : s)
        if (c == ',') c = '.';
    if (s.empty()) return std::nullopt;
    const char* b = s.data() + (s[0] == '+' ? 1 : 0);
    const char* e = s.data() + s.size();
    if (b == e || !(std::isdigit(static_cast<unsigned char>(*b)) || *b == '-' || *b == '.')) return std::nullopt;
    double v = 0;
    auto r = std::from_chars(b, e, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != e) return std::nullopt;
    return v;
}

int64_t ValueInt(const std::string& v) {
    auto n = StrictInt(v);
    if (!n) throw Error(Format(Tr("\"%s\" не является целым числом!"), {TextExcerpt(v)}));
    return *n;
}

std::vector<std::string> ListItems(const std::string& v) {
    std::vector<std::string> items;
    for (const auto& w : SplitAny(v, ",;")) {
        std::string t = Trim(w);
        if (!t.empty()) items.push_back(t);
    }
    return items;
}

bool IntInList(const std::string& cell, const std::string& list) {
    auto c = StrictInt(cell);
    if (!c) throw Error(Format(Tr("\"%s\" не является целым числом!"), {TextExcerpt(cell)}));
    for (const auto& item : ListItems(list))
        if (ValueInt(item) == *c) return true;
    return false;
}

bool NumInList(const std::string& cell, const std::string& list) {
    auto c = StrictNum(cell);
    if (!c) throw Error(Format(Tr("\"%s\" не является числом!"), {TextExcerpt(cell)}));
    for (const auto& item : ListItems(list)) {
        auto v = StrictNum(item);
        if (!v) throw Error(Format(Tr("\"%s\" не является числом!"), {TextExcerpt(item)}));
        if (*v == *c) return true;
    }
    return false;
}

constexpr int64_t kNoLimit = 65535;

// Kinds 1..6 on one column (value and percentage cells).
bool ColumnTest(int k, const std::string& value, const std::string& pct, const std::string& v) {
    switch (k) {
    case 0: return CellInt(value, 0) >= ValueInt(v);
    case 1: return CellNum(pct, 0) >= (long double)ValueInt(v);
    case 2: return CellInt(value, kNoLimit) <= ValueInt(v);
    case 3: return CellNum(pct, kNoLimit) <= (long double)ValueInt(v);
    case 4: return IntInList(value, v);
    default: return NumInList(pct, v);
    }
}

} // namespace

int64_t CellInt(const std::string& cell, int64_t def) { return StrictInt(cell).value_or(def); }

long double CellNum(const std::string& cell, long double def) { return StrictNum(cell).value_or(def); }

bool MatchesCriterion(const TFilterPart& part, const TStatValues& row) {
    const std::string& v = part.CriterionValue;
    const int kind = part.CriterionKind;
    if (kind == 0) return true;
    if (kind >= 1 && kind <= 6) return ColumnTest(kind - 1, row.Depth, row.DepthPct, v);
    if (kind >= 7 && kind <= 12) return ColumnTest(kind - 7, row.Deviation, row.DeviationPct, v);
    if (kind >= 13 && kind <= 18) return ColumnTest(kind - 13, row.Count, row.CountPct, v);
    switch (kind) {
    case 19: return CellNum(row.Weight, 0) >= (long double)ValueInt(v);
    case 20: return CellNum(row.Weight, 0) <= (long double)ValueInt(v);
    case 21: return NumInList(row.Weight, v);
    case 22: return CellInt(row.PeriodMin, 0) >= ValueInt(v);
    case 23: return CellInt(row.PeriodMin, kNoLimit) <= ValueInt(v);
    case 24: return IntInList(row.PeriodMin, v);
    case 25: return CellNum(row.Period, 0) >= (long double)ValueInt(v);
    case 26: return CellNum(row.Period, 0) <= (long double)ValueInt(v);
    case 27: return NumInList(row.Period, v);
    case 28: return CellInt(row.PeriodMax, 0) >= ValueInt(v);
    case 29: return CellInt(row.PeriodMax, kNoLimit) <= ValueInt(v);
    case 30: return IntInList(row.PeriodMax, v);
    case 31:
        for (const auto& item : ListItems(v))
            if (ValueInt(item) == row.ValueKey) return true;
        return false;
    default: return false;
    }
}

bool StopWalkBefore(const TFilterPart& part, const TStatValues& row, const TStopState& state) {
    const int64_t n = part.StopValue;
    switch (part.StopKind) {
    case 1: return !part.MarkAll && state.CombCount <= n;
    case 3: return state.Steps >= n;
    case 4: {
        const int64_t c = CellInt(row.Count, 0);
        return part.FromBottom ? c >= n : c <= n;
    }
    case 5: {
        const long double p = CellNum(row.CountPct, 0);
        return part.FromBottom ? p >= (long double)n : p <= (long double)n;
    }
    default: return false;
    }
}

} // namespace velmora
