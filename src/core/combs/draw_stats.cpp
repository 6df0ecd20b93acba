#include "core/combs/draw_stats.h"

#include "core/model/game.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace velmora {

const std::array<const char*, kDrawStatsColumnCount> kDrawStatsCaptions = {
    TrNoop("Значение"),   TrNoop("Количество"), TrNoop("Кол-во в %"), TrNoop("Норма"),    TrNoop("Отклонение"), TrNoop("Откл-ие в %"), TrNoop("Глубина"),
    TrNoop("Глубина в %"), TrNoop("Вес"),        TrNoop("Посл. тираж"), TrNoop("Период min"), TrNoop("Период"),     TrNoop("Период max"), TrNoop("Ожд. ПРД"),
    TrNoop("Ожд. СТФ"),   TrNoop("Ожд. КРН"),   TrNoop("Факт"),       TrNoop("+/- ПРД"),  TrNoop("+/- СТФ"),    TrNoop("+/- КРН")};

namespace {

// The comparison factor as an exact fraction, so that Count * factor is Count * Num / Den.
struct TFactor {
    int64_t Num = 0;
    int64_t Den = 1;
    long double Of(int64_t count) const { return (long double)(count * Num) / (long double)Den; }
};

std::string Text(int64_t v) { return IntToStr(v); }

// The score of the "Вес" column.
long double WeightedScore(const TRatingWeights& w, const TStatValueRec& e, bool compared, int64_t total,
                          int32_t maxAge) {
    const long double c = e.Count, a = e.Age, x = e.Expected;
    const long double d = compared ? c - x : 0;
    long double r = c, o = d, m = a;
    if (w.UsePercents) {
        r = total != 0 ? c * 100 / (long double)total : 0;
        o = compared && e.Expected != 0 ? d * 100 / x : 0;
        m = maxAge != 0 ? a * 100 / maxAge : 0;
    }
    if (w.UseAbsValues) {
        r = std::fabs(r);
        o = std::fabs(o);
        m = std::fabs(m);
    }
    return w.Count * r + w.Deviation * o + w.Level * m;
}

// The cells of one row.
void FillRow(TDrawStatsRow& row, TCustomStat& stat, const TStatValueRec& e, const TDrawStatsTable& t,
             const TRatingWeights& weights, int64_t total, int32_t maxAge, int archiveCount, bool sorted) {
    auto& c = row.Cells;
    c.fill("-");
    row.Value = e;
    c[kColValue] = stat.ValueToText(e);
    c[kColCount] = Text(e.Count);
    if (total != 0) c[kColCountPct] = Format("%.5f", {double(e.Count) * 100.0 / double(total)});
    if (t.Compared) {
        const int64_t dev = int64_t(e.Count) - e.Expected;
        c[kColNorm] = Text(e.Expected);
        c[kColDeviation] = Text(dev);
        const double pct = e.Expected != 0 ? double(dev) * 100.0 / double(e.Expected) : e.Count > 0 ? 100.0 : 0.0;
        c[kColDeviationPct] = Format("%.5f", {pct});
    }
    if (e.Age == 0) return;  // not seen in the window: nothing from the depth on
    c[kColDepth] = Text(e.Age);
    if (maxAge != 0) c[kColDepthPct] = Format("%.2f", {double(e.Age) * 100.0 / double(maxAge)});
    c[kColWeight] = Format("%.2f", {double(WeightedScore(weights, e, t.Compared, total, maxAge))});
    c[kColLastDraw] = Text(e.DrawNo);
    const long double count = e.Count, drawNo = e.DrawNo;
    if (e.Count >= 2) {
        c[kColPeriodMin] = Text(e.MinGap);
        c[kColPeriod] = Format("%.4f", {double((long double)t.Length / count)});
        c[kColPeriodMax] = Text(e.MaxGap);
        c[kColForecastPeriod] = Text(RoundHalfEven((long double)t.Length / count + drawNo));
    }
    if (e.Count >= 1) {
        c[kColForecastStf] = Text(RoundHalfEven((count + 1) * drawNo / count));
        c[kColForecastKrn] = Text(RoundHalfEven((count + 2) * (drawNo + 1) / (count + 1)));
    }
    // The fact: the first draw after the window with this value (the draws between the value's
    // latest occurrence and the window's end do not have it).
    if (t.Last + 1 < archiveCount) {
        const int32_t fact = stat.FindDrawWithValue(e, t.Last + 1, t.Last, sorted);
        if (fact >= 0) {
            c[kColFact] = Text(fact);
            c[kColDeltaPeriod] = DeltaText(c[kColForecastPeriod], fact);
            c[kColDeltaStf] = DeltaText(c[kColForecastStf], fact);
            c[kColDeltaKrn] = DeltaText(c[kColForecastKrn], fact);
        }
    }
}

// A cell read as a number: optional blanks around, an optional sign, digits with an optional
// decimal point ("," already replaced) and exponent.
bool CellNumber(const std::string& cell, double& v) {
    std::string s = Trim(cell);
    for (char& ch : s)
        if (ch == ',') ch = '.';
    size_t p = 0;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) ++p;
    if (p >= s.size() || !(std::isdigit(static_cast<unsigned char>(s[p])) || s[p] == '.')) return false;
    const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
    const char* end = s.data() + s.size();
    auto r = std::from_chars(begin, end, v);
    return r.ec == std::errc() && r.ptr == end;
}

} // namespace

TDrawStatsTable ComputeDrawStats(const TStatList& list, int i, const TDrawsArchive& archive,
                                 const TDrawStatsOptions& options, TProgressSink& progress) {
    TDrawStatsTable t;
    if (i < 0 || i >= list.Count() || archive.Count() == 0) return t;
    TStatusScope status(progress, Tr("Анализ тиражей и расчет статистики..."));

    t.Last = archive.LastIndex();
    t.First = std::max(0, t.Last - std::max(options.Length, 1) + 1);
    t.Length = t.Last - t.First + 1;

    auto stat = list.CreateStat(i);
    std::string message;
    std::optional<TPrefetchData> full = OpenPrefetch(list, i, options.Compare, progress, &message);
    if (!message.empty()) t.Messages.push_back(message);

    TStatDrawArray values;
    if (t.Last >= t.First) ComputeStatDistribution(*stat, t.Last, t.Length, archive.Sorted, values);

    int32_t minCount, maxCount, maxAge;
    int64_t total;
    StatTotals(values, minCount, maxCount, maxAge, total);

    TFactor factor;
    if (full && !full->Body.empty() && full->FullMax > 0) {
        t.Compared = true;
        if (full->FullMin == full->FullMax) {
            factor = {int64_t(minCount) + maxCount, 2 * int64_t(full->FullMax)};
        } else {
            factor = {maxCount, full->FullMax};
        }
    }

    std::unordered_map<uint64_t, size_t> position;
    if (t.Compared) {
        position.reserve(values.size());
        for (size_t k = 0; k < values.size(); ++k) position.emplace(values[k].Key.Packed(), k);
        for (const auto& rec : full->Body) {
            auto it = position.find(rec.Key.Packed());
            if (it != position.end()) values[it->second].Expected = int32_t(RoundHalfEven(factor.Of(rec.Count)));
        }
    }

    const TRatingWeights& weights = list.RatingWeights();
    t.Rows.resize(values.size());
    for (size_t k = 0; k < values.size(); ++k)
        FillRow(t.Rows[k], *stat, values[k], t, weights, total, maxAge, archive.Count(), archive.Sorted);

    // The chart.
    if (values.size() > 1) {
        if (t.Compared) {
            double x = 0;
            for (const auto& rec : full->Body) {
                ++x;
                TStatValueRec v;
                PrefetchToStatValue(rec, v);
                const std::string label = stat->ValueToText(v);
                if (options.ShowTotalLine) t.FullSet.push_back({x, double(factor.Of(rec.Count)), label});
                auto it = position.find(rec.Key.Packed());
                if (it != position.end()) t.Actual.push_back({x, double(values[it->second].Count), label});
            }
        } else {
            TStatDrawArray byKey = values;
            SortStatValues(byKey);
            double x = 0;
            for (const auto& e : byKey) t.Actual.push_back({++x, double(e.Count), stat->ValueToText(e)});
        }
    }
    return t;
}

bool TDrawStatsCache::NeedsCompute(const TDrawStatsInputs& inputs, bool force) {
    if (!force && inputs == last_) return false;
    last_ = inputs;
    return true;
}

int CompareDrawStatsCells(const std::string& a, const std::string& b) {
    double x, y;
    if (CellNumber(a, x) && CellNumber(b, y)) return x < y ? -1 : x > y ? 1 : 0;
    const std::string la = LowerCase(a), lb = LowerCase(b);
    return la < lb ? -1 : la > lb ? 1 : 0;
}

int CompareDrawStatsRows(const TDrawStatsRow& a, const TDrawStatsRow& b, int column, bool descending) {
    int r = CompareDrawStatsCells(a.Cells[size_t(column)], b.Cells[size_t(column)]);
    if (r == 0 && column != kColValue) r = CompareDrawStatsCells(a.Cells[kColValue], b.Cells[kColValue]);
    return descending ? -r : r;
}

void SortDrawStatsRows(std::vector<TDrawStatsRow>& rows, int column, bool descending) {
    if (column < 0 || column >= kDrawStatsColumnCount) return;
    std::stable_sort(rows.begin(), rows.end(), [&](const TDrawStatsRow& a, const TDrawStatsRow& b) {
        return CompareDrawStatsRows(a, b, column, descending) < 0;
    });
}

TStatValues RowToStatValues(const TDrawStatsRow* row) {
    TStatValues v;
    if (!row) return v;
    const auto& c = row->Cells;
    v.Value = c[kColValue];
    v.Count = c[kColCount];
    v.CountPct = c[kColCountPct];
    v.Deviation = c[kColDeviation];
    v.DeviationPct = c[kColDeviationPct];
    v.Depth = c[kColDepth];
    v.DepthPct = c[kColDepthPct];
    v.Weight = c[kColWeight];
    v.PeriodMin = c[kColPeriodMin];
    v.Period = c[kColPeriod];
    v.PeriodMax = c[kColPeriodMax];
    return v;
}

int TableStatIndex(const TStatList& list, const std::string& code) {
    const int i = list.IndexOfCode(code);
    if (i < 0) throw Error(Format(Tr("Неизвестный код статистики: %s"), {code}));
    if (!list.IsAvailable(i) || !list.CanShowInTable(i))
        throw Error(Format(Tr("Статистика %s не показывается в таблице"), {code}));
    return i;
}

namespace {

void AddSelectedRow(TTableSelection& sel, std::vector<std::string>& texts, const TDrawStatsRow& row) {
    sel.Values.push_back(row.Value);
    texts.push_back(row.Cells[kColValue]);
}

} // namespace

TTableSelection SelectTableRows(const std::vector<TDrawStatsRow>& rows, const std::vector<int>& positions) {
    TTableSelection sel;
    std::vector<std::string> texts;
    for (int p : positions)
        if (p >= 0 && size_t(p) < rows.size()) AddSelectedRow(sel, texts, rows[size_t(p)]);
    sel.Text = Join(texts, "; ");
    return sel;
}

TTableSelection SelectTableValues(const TDrawStatsTable& table, const std::string& code,
                                  const std::vector<std::string>& texts) {
    TTableSelection sel;
    std::vector<std::string> picked;
    std::vector<bool> found(texts.size(), false);
    for (const auto& row : table.Rows) {
        bool pick = false;
        for (size_t v = 0; v < texts.size(); ++v)
            if (texts[v] == row.Cells[kColValue]) pick = found[v] = true;
        if (pick) AddSelectedRow(sel, picked, row);
    }
    std::vector<std::string> missing;
    for (size_t v = 0; v < texts.size(); ++v)
        if (!found[v]) missing.push_back("\"" + texts[v] + "\"");
    if (!missing.empty())
        throw Error(Format(Tr("В таблице статистики %s (%d тиражей) нет значений: %s"), {code, table.Length, Join(missing, ", ")}));
    sel.Text = Join(picked, "; ");
    return sel;
}

} // namespace velmora
