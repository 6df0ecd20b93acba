// Filter steps: the record a script line or the filter dialog writes (TFilterItem), its resolved
// single-valued variant (TFilterPart), the seven parts of one script-line variant (TFilterRec),
// their one-line text forms, and the captions of the row-selection criteria and stop rules.
#pragma once

#include "core/stats/stat_config.h"
#include "core/util/error.h"

#include <array>
#include <cstdint>
#include <string>

namespace velmora {

struct TStatMethod;
class TStatList;

constexpr int kCriterionKindCount = 32;  // 0 "LNO" .. 31 "LVA"
constexpr int kStopKindCount = 6;        // 0 "SF" .. 5 "SP"
constexpr int kFilterRecParts = 7;

// Criterion kinds the dialog and the script run single out.
constexpr uint8_t kCriterionNone = 0;         // "LNO": the whole list
constexpr uint8_t kCriterionWeightFirst = 19; // "WMV", "WLV", "WDV": the "Вес" kinds
constexpr uint8_t kCriterionWeightLast = 21;
constexpr uint8_t kCriterionValues = 31;      // "LVA": the values themselves
constexpr uint8_t kStopByCount = 1;           // "SC"

// A filter step as the user wrote it.
struct TFilterItem {
    bool Active = false;
    std::string StatText;               // the statistic word as read; empty when built by the dialog
    const TStatMethod* Stat = nullptr;  // none when the code is not registered
    std::string LengthsText;            // sample lengths in the integer-list syntax
    int32_t SortColumn = 1;
    bool FromBottom = false;            // "B" / "T"
    bool MarkAll = false;               // "M" / "S"
    bool KeepSelected = false;          // "F" / "D"
    uint8_t CriterionKind = 0;
    std::string CriterionText;
    bool OwnWeights = false;
    TRatingWeights Weights;
    uint8_t StopKind = 0;
    int32_t StopValue = 0;
};

// One resolved variant of a step: every list replaced by one value.
struct TFilterPart {
    bool Active = false;
    const TStatMethod* Stat = nullptr;
    int32_t SampleLength = 0;
    int32_t SortColumn = 1;
    bool FromBottom = false;
    bool MarkAll = false;
    bool KeepSelected = false;
    uint8_t CriterionKind = 0;
    std::string CriterionValue;
    std::string CriterionDisplay;
    bool OwnWeights = false;
    TRatingWeights Weights;
    uint8_t StopKind = 0;
    int32_t StopValue = 0;
};

// The filters of one script-line variant, active parts packed from index 0.
using TFilterRec = std::array<TFilterPart, kFilterRecParts>;

// The control of the filter dialog a refused step points at.
enum class TFilterItemField : uint8_t { Stat, Lengths, Criterion, CriterionText, Stop };

// A step refused by ValidateFilterItem: the message and the part of the step at fault.
struct TFilterItemError : Error {
    TFilterItemError(TFilterItemField field, const std::string& message) : Error(message), Field(field) {}
    TFilterItemField Field;
};

// The checks a step must pass before the filter dialog, a command or a script accepts it, in this
// order; the first fault raises TFilterItemError:
// - no statistic: "Не выбран метод расчета статистики (cb: %s)!" with the selector's name;
// - the sample lengths read as no value or as the single value 0:
//   "Введен некорректный диапазон значений!";
// - a criterion other than "LNO": "LVA" for a statistic without a value list is refused with
//   "Для данного вида статистики не доступен режим выделения по списку значений!", and a
//   criterion text read as no value with "Введен некорректный диапазон значений!";
// - several values at once with the stop by count: "В режиме мультивыделения остановка сценария
//   по количеству комбинаций или чисел не может быть выполнена!\rВыберите другой способ останова."
void ValidateFilterItem(const TFilterItem& item, const std::string& selectorName = "cbDrawsStatType");

// The keyword ("LNO", "SF" ...) and caption of a criterion or stop kind; "# ERROR #" for an index
// outside the table (also as keyword).
std::string CriterionKeyword(int kind);
std::string CriterionCaption(int kind);
std::string StopKeyword(int kind);
std::string StopCaption(int kind);

// The step read from its text; never fails (unknown parts take their defaults). The statistic
// code is looked up in list (ignoring case).
TFilterItem ParseFilterItem(const std::string& text, const TStatList& list);
// "TMD6#SUMS:100;200#LMV:10#ST:2[#count:deviation:level:percents:abs]"; empty when inactive.
std::string FormatFilterItem(const TFilterItem& item);
// As FormatFilterItem with the three letters only, the code and the sample length, and the
// criterion display text; empty when inactive.
std::string FormatFilterPart(const TFilterPart& part);
// The texts of the active parts in index order joined by " + " (empty texts skipped).
std::string FormatFilterRec(const TFilterRec& rec);

// x in general format with 15 significant digits, shortest form, "." as the decimal separator.
std::string FloatToDotText(long double x);
// Keeps "-" and the digits, takes "," and "." as the decimal separator, drops everything else,
// then reads a number; def when nothing can be read.
long double DotTextToFloat(const std::string& text, long double def);

} // namespace velmora
