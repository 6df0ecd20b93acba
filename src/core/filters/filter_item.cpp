#include "core/filters/filter_item.h"

#include "core/combs/draw_stats.h"
#include "core/model/game.h"
#include "core/stats/stat_list.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace velmora {

namespace {

struct TKindName {
    const char* Keyword;
    const char* Caption;
};

constexpr TKindName kCriteria[kCriterionKindCount] = {
    {"LNO", TrNoop("Весь список (без условий)")},
    {"LMV", TrNoop("\"Глубина\": не менее заданного значения")},
    {"LMP", TrNoop("\"Глубина\": не менее заданного процента")},
    {"LLV", TrNoop("\"Глубина\": не более заданного значения")},
    {"LLP", TrNoop("\"Глубина\": не более заданного процента")},
    {"LDV", TrNoop("\"Глубина\": из заданного списка значений")},
    {"LDP", TrNoop("\"Глубина\": из заданного списка процентов")},
    {"DMV", TrNoop("\"Отклонение\": не менее заданного значения")},
    {"DMP", TrNoop("\"Отклонение\": не менее заданного процента")},
    {"DLV", TrNoop("\"Отклонение\": не более заданного значения")},
    {"DLP", TrNoop("\"Отклонение\": не более заданного процента")},
    {"DDV", TrNoop("\"Отклонение\": из заданного списка значений")},
    {"DDP", TrNoop("\"Отклонение\": из заданного списка процентов")},
    {"CMV", TrNoop("\"Количество\": не менее заданного значения")},
    {"CMP", TrNoop("\"Количество\": не менее заданного процента")},
    {"CLV", TrNoop("\"Количество\": не более заданного значения")},
    {"CLP", TrNoop("\"Количество\": не более заданного процента")},
    {"CDV", TrNoop("\"Количество\": из заданного списка значений")},
    {"CDP", TrNoop("\"Количество\": из заданного списка процентов")},
    {"WMV", TrNoop("\"Вес\": не менее заданного значения")},
    {"WLV", TrNoop("\"Вес\": не более заданного значения")},
    {"WDV", TrNoop("\"Вес\": из заданного списка значений")},
    {"PIM", TrNoop("\"Период min\": не менее заданного значения")},
    {"PIL", TrNoop("\"Период min\": не более заданного значения")},
    {"PIR", TrNoop("\"Период min\": из заданного списка значений")},
    {"PAM", TrNoop("\"Период\": не менее заданного значения")},
    {"PAL", TrNoop("\"Период\": не более заданного значения")},
    {"PAR", TrNoop("\"Период\": из заданного списка значений")},
    {"PXM", TrNoop("\"Период max\": не менее заданного значения")},
    {"PXL", TrNoop("\"Период max\": не более заданного значения")},
    {"PXR", TrNoop("\"Период max\": из заданного списка значений")},
    {"LVA", TrNoop("\"Значения\": из заданного списка значений")},
};

constexpr TKindName kStops[kStopKindCount] = {
    {"SF", TrNoop("Обработать все записи")},
    {"SC", TrNoop("Количеству оставшихся комбинаций")},
    {"SZ", TrNoop("Пока список не будет пуст и откатить на шаг")},
    {"ST", TrNoop("Количеству шагов")},
    {"SV", TrNoop("Значению в списке статистики")},
    {"SP", TrNoop("Процентному соотношению в списке статистики")},
};

constexpr const char* kErrorText = "# ERROR #";

template <size_t N>
std::string NameAt(const TKindName (&table)[N], int kind, bool keyword) {
    if (kind < 0 || size_t(kind) >= N) return kErrorText;
    return keyword ? std::string(table[kind].Keyword) : TrText(table[kind].Caption);
}

// The first kind whose keyword the word begins with (ignoring case); -1 when none.
template <size_t N>
int KindOfWord(const TKindName (&table)[N], std::string_view word) {
    for (size_t k = 0; k < N; ++k) {
        std::string_view kw = table[k].Keyword;
        if (word.size() >= kw.size() && SameText(word.substr(0, kw.size()), kw)) return int(k);
    }
    return -1;
}

// The n-th (0-based) ":"-separated part of a word; empty when it has fewer parts.
std::string ColonPart(std::string_view word, size_t n) {
    auto parts = SplitAny(word, ":");
    return n < parts.size() ? parts[n] : std::string();
}

// The "#"-separated words of a step text; consecutive "#" count as one, empty words are dropped.
std::vector<std::string> StepWords(std::string_view text) {
    auto words = SplitAny(text, "#");
    std::erase_if(words, [](const std::string& w) { return w.empty(); });
    return words;
}

std::string Letters(bool fromBottom, bool markAll, bool keep) {
    std::string s;
    s += fromBottom ? 'B' : 'T';
    s += markAll ? 'M' : 'S';
    s += keep ? 'F' : 'D';
    return s;
}

std::string WeightsWord(const TRatingWeights& w) {
    return FloatToDotText(w.Count) + ":" + FloatToDotText(w.Deviation) + ":" + FloatToDotText(w.Level) + ":" +
           (w.UsePercents ? "1" : "0") + ":" + (w.UseAbsValues ? "1" : "0");
}

// Words 3 to 5, shared by steps and parts.
std::string TailWords(uint8_t criterion, const std::string& criterionText, uint8_t stop, int32_t stopValue,
                      bool ownWeights, const TRatingWeights& weights) {
    std::string s = "#" + CriterionKeyword(criterion) + ":" + criterionText + "#" + StopKeyword(stop) + ":" +
                    std::to_string(stopValue);
    if (ownWeights) s += "#" + WeightsWord(weights);
    return s;
}

} // namespace

std::string CriterionKeyword(int kind) { return NameAt(kCriteria, kind, true); }
std::string CriterionCaption(int kind) { return NameAt(kCriteria, kind, false); }
std::string StopKeyword(int kind) { return NameAt(kStops, kind, true); }
std::string StopCaption(int kind) { return NameAt(kStops, kind, false); }

TFilterItem ParseFilterItem(const std::string& text, const TStatList& list) {
    TFilterItem item;
    item.SortColumn = 0;
    item.Weights = TRatingWeights{0, 0, 0, false, false};
    if (text.empty()) return item;
    item.Active = true;
    const auto words = StepWords(text);

    const std::string w1 = words.empty() ? std::string() : words[0];
    item.FromBottom = w1.find('B') != std::string::npos;
    item.MarkAll = w1.find('M') != std::string::npos;
    item.KeepSelected = w1.find('F') != std::string::npos;
    // A column outside the table would make the walk sort by nothing; it reads as the default.
    auto column = w1.size() >= 4 ? TryStrToInt(w1.substr(3)) : std::nullopt;
    item.SortColumn = column && *column >= 0 && *column < kDrawStatsColumnCount ? *column : 1;

    if (words.size() > 1) {
        const std::string& w2 = words[1];
        item.StatText = w2;
        const int index = list.IndexOfCode(Trim(ColonPart(w2, 0)));
        if (index >= 0) {
            item.Stat = &list.Items(index);
            item.LengthsText = Trim(ColonPart(w2, 1));
        }
    }
    if (words.size() > 2) {
        const int kind = KindOfWord(kCriteria, words[2]);
        if (kind >= 0) {
            item.CriterionKind = uint8_t(kind);
            item.CriterionText = Trim(ColonPart(words[2], 1));
        }
    }
    if (words.size() > 3) {
        const int kind = KindOfWord(kStops, words[3]);
        if (kind >= 0) {
            item.StopKind = uint8_t(kind);
            item.StopValue = TryStrToInt(Trim(ColonPart(words[3], 1))).value_or(1);
        }
    }
    if (words.size() > 4) {
        const std::string& w5 = words[4];
        item.OwnWeights = true;
        item.Weights.Count = DotTextToFloat(ColonPart(w5, 0), 0);
        item.Weights.Deviation = DotTextToFloat(ColonPart(w5, 1), 0);
        item.Weights.Level = DotTextToFloat(ColonPart(w5, 2), 0);
        item.Weights.UsePercents = ColonPart(w5, 3) == "1";
        item.Weights.UseAbsValues = ColonPart(w5, 4) == "1";
    }
    return item;
}

std::string FormatFilterItem(const TFilterItem& item) {
    if (!item.Active) return {};
    std::string s = Letters(item.FromBottom, item.MarkAll, item.KeepSelected) + std::to_string(item.SortColumn) + "#";
    // A step without a statistic word still needs a word here: an empty one would vanish between
    // two "#" and the criterion would be read as the statistic.
    s += item.Stat ? item.Stat->Code() + ":" + item.LengthsText : item.StatText.empty() ? ":" : item.StatText;
    return s + TailWords(item.CriterionKind, item.CriterionText, item.StopKind, item.StopValue, item.OwnWeights,
                         item.Weights);
}

std::string FormatFilterPart(const TFilterPart& part) {
    if (!part.Active) return {};
    // A part always comes from a step with a registered statistic; "?" marks one without.
    std::string s = Letters(part.FromBottom, part.MarkAll, part.KeepSelected) + "#";
    s += (part.Stat ? part.Stat->Code() : std::string("?")) + ":" + std::to_string(part.SampleLength);
    return s + TailWords(part.CriterionKind, part.CriterionDisplay, part.StopKind, part.StopValue, part.OwnWeights,
                         part.Weights);
}

std::string FormatFilterRec(const TFilterRec& rec) {
    std::string s;
    for (const auto& part : rec) {
        if (!part.Active) continue;
        std::string t = FormatFilterPart(part);
        if (t.empty()) continue;
        if (!s.empty()) s += " + ";
        s += t;
    }
    return s;
}

std::string FloatToDotText(long double x) {
    const double v = double(x);
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (v == 0) return "0";
    // Round to 15 significant digits: d.dddddddddddddde±x.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string_view sci(buf, size_t(res.ptr - buf));
    const size_t e = sci.find('e');
    const bool negative = sci[0] == '-';
    std::string digits;
    for (char c : sci.substr(0, e))
        if (c >= '0' && c <= '9') digits += c;
    int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        // Scientific form: 1.5E20, 2E-7.
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        return out + "E" + std::to_string(exponent);
    }
    if (exponent < 0) return out + "0." + std::string(size_t(-exponent - 1), '0') + digits;
    const size_t intDigits = size_t(exponent) + 1;
    if (digits.size() <= intDigits) return out + digits + std::string(intDigits - digits.size(), '0');
    return out + digits.substr(0, intDigits) + "." + digits.substr(intDigits);
}

long double DotTextToFloat(const std::string& text, long double def) {
    std::string clean;
    for (char c : text) {
        if (c == '-' || (c >= '0' && c <= '9')) clean += c;
        else if (c == ',' || c == '.') clean += '.';
    }
    if (clean.empty()) return def;
    double v = 0;
    auto res = std::from_chars(clean.data(), clean.data() + clean.size(), v);
    if (res.ec != std::errc() || res.ptr != clean.data() + clean.size()) return def;
    return v;
}

void ValidateFilterItem(const TFilterItem& item, const std::string& selectorName) {
    const std::string badRange = Tr("Введен некорректный диапазон значений!");
    auto listOf = [](const std::string& text) {
        TIntArray values;
        ParseIntList(text, values);
        return values;
    };
    if (!item.Stat)
        throw TFilterItemError(TFilterItemField::Stat,
                               Format(Tr("Не выбран метод расчета статистики (cb: %s)!"), {selectorName}));
    const TIntArray lengths = listOf(item.LengthsText);
    if (lengths.empty() || (lengths.size() == 1 && lengths[0] == 0))
        throw TFilterItemError(TFilterItemField::Lengths, badRange);
    if (item.CriterionKind != kCriterionNone) {
        if (item.CriterionKind == kCriterionValues && !item.Stat->HasValueList())
            throw TFilterItemError(TFilterItemField::Criterion,
                                   Tr("Для данного вида статистики не доступен режим выделения по списку значений!"));
        if (listOf(item.CriterionText).empty()) throw TFilterItemError(TFilterItemField::CriterionText, badRange);
    }
    if (item.MarkAll && item.StopKind == kStopByCount)
        throw TFilterItemError(TFilterItemField::Stop,
                               Tr("В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не "
                               "может быть выполнена!\rВыберите другой способ останова."));
}

} // namespace velmora
