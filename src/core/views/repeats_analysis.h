// The repeats analysis: for each of the latest S draws of the archive, how many of the D draws
// before it share exactly m main numbers with it (m = 1..5) and which draws those are; and the
// chart series of those counts, one per m.
#pragma once

#include "core/model/draws_archive.h"
#include "core/util/progress.h"
#include "core/util/translate.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr const char* kRepeatsCaption = TrNoop("Количество повторов в зависимости от тиража");
constexpr const char* kRepeatsStatus = TrNoop("Идет сбор статистики....");
constexpr const char* kRepeatsChartStatus = TrNoop("Создание графиков...");
constexpr const char* kRepeatsSeriesTitle = TrNoop("Совпадений: %d");

// The main numbers of a draw as bits 1..50 of a mask; stored numbers outside 1..50 give no bit.
uint64_t DrawNumberMask(const TDrawRecord& draw);

// One row of the list: an analysed draw, a number of shared numbers and the earlier draws within
// the depth that share exactly that many numbers with it.
struct TRepeatsRow {
    int32_t Draw = 0;    // the analysed draw's number
    int32_t Shared = 0;  // m, 1..5
    int32_t Count = 0;   // how many earlier draws share m numbers
    uint32_t First = 0;  // their draw numbers, newest first: TRepeatsAnalysis::Draws[First .. First + Count)
};

struct TRepeatsAnalysis {
    // Newest analysed draw first; the rows of one draw in the order their m is first met among
    // its predecessors, newest first.
    std::vector<TRepeatsRow> Rows;
    std::vector<int32_t> Draws;  // the draw lists of all rows, one after the other
    int32_t Max = 0;             // the most numbers any compared pair shares
    bool Stopped = false;        // the user stopped it; the rows so far are complete

    // The draw numbers of a row separated by single blanks.
    std::string ListText(const TRepeatsRow& row) const;
};

struct TRepeatsPoint {
    int32_t Draw = 0;
    int32_t Count = 0;
};

struct TRepeatsSeries {
    int32_t Shared = 0;
    std::string Title;  // "Совпадений: %d"
    std::vector<TRepeatsPoint> Points;  // oldest draw first
};

// Analyses the draws max(0, Last - length + 1) .. Last of the whole array (Last its last index;
// the draws offset does not apply), newest first, each against the draws p - 1 down to
// max(0, p - depth). Lengths and depths below 1 analyse nothing.
TRepeatsAnalysis AnalyzeRepeats(const TDrawsArray& draws, int length, int depth, TProgressSink& sink = NullProgress());

// One series per m = 1..Max (none when Max is 0), each with a point per row of that m, from the
// last row (the oldest draw) to the first.
std::vector<TRepeatsSeries> RepeatsChartSeries(const TRepeatsAnalysis& analysis, TProgressSink& sink = NullProgress());

} // namespace velmora
