#include "core/views/weekday_stats.h"

#include "core/model/game.h"
#include "core/util/error.h"
#include "core/util/text.h"

#include <algorithm>

namespace velmora {

int IsoWeekday(TDateTime date) {
    const int d = DayOfWeek(date);  // 1 = Sunday .. 7 = Saturday
    return d == 1 ? 7 : d - 1;
}

int32_t TWeekdayTable::At(int number, int weekday) const {
    if (number < kMinNumber || number > kMaxNumber || weekday < 1 || weekday > kWeekdayCount) return 0;
    return Count[size_t(number - 1)][size_t(weekday - 1)];
}

std::string TWeekdayTable::CellText(int row, int column) const {
    if (column < kMinNumber || column > kMaxNumber) return {};
    if (row == 0) return NumberToText(column);
    const int32_t v = At(column, row);
    return v ? IntToText(v) : std::string();
}

TWeekdayTable CountWeekdays(const TDrawsArchive& archive, int length, TProgressSink& sink) {
    TWeekdayTable table;
    if (archive.Count() == 0 || length < 1) return table;
    TStatusScope status(sink, Tr(kWeekStatus));
    const int last = archive.LastIndex();
    const int first = std::max(0, last - length + 1);
    for (int i = first; i <= last; ++i) {
        const TDrawRecord& draw = archive.Draws[size_t(i)];
        const std::string date = draw.DateText();
        if (Trim(date).empty()) continue;
        int weekday;
        try {
            weekday = IsoWeekday(TextToDate(date));
        } catch (const Error&) {
            continue;
        }
        for (uint8_t n : draw.Numbers)
            if (n >= kMinNumber && n <= kMaxNumber) ++table.Count[size_t(n - 1)][size_t(weekday - 1)];
    }
    for (const auto& row : table.Count)
        for (int32_t v : row) table.Max = std::max(table.Max, v);
    return table;
}

std::optional<uint32_t> WeekCellColour(int32_t count, int32_t max) {
    if (max <= 0 || count == 0) return std::nullopt;
    const int64_t g = RoundHalfEven(255.0L - 255.0L * count / max);
    const uint32_t c = uint32_t(std::clamp<int64_t>(g, 0, 255));
    return 0x0000FFu | c << 8 | c << 16;
}

TSelectedNumbers WeekSelectedNumbers(const TGridRect& rect) {
    TSelectedNumbers selected;
    if (rect.Empty()) return selected;
    for (int c = std::max(rect.Left, kMinNumber); c <= std::min(rect.Right, kMaxNumber); ++c)
        AddSelectedNumber(selected, c);
    return selected;
}

void ApplyWeekdayFilter(TCombSet& set, const TStatList& list, const TGridRect& rect, TFilterAction action,
                        const TDrawsArchive& archive, TProgressSink& sink) {
    ApplySelectedNumbers(set, list, WeekSelectedNumbers(rect), action, archive, TrText(kWeekCaption), sink);
}

} // namespace velmora
