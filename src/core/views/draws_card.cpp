#include "core/views/draws_card.h"

#include "core/model/game.h"
#include "core/util/translate.h"

#include <algorithm>

namespace velmora {

bool TDrawsCard::Filled(int row, int column) const {
    if (row < 1 || row > int(Rows.size()) || column < kMinNumber || column > kMaxNumber) return false;
    return Rows[size_t(row - 1)].Has(column);
}

std::string TDrawsCard::CellText(int row, int column) const {
    if (column < 0 || column >= kCardColumnCount) return {};
    if (row == 0) {
        if (column == 0) return {};
        if (column >= kCardFirstExtraColumn) return column == kCardFirstExtraColumn ? "E1" : "E2";
        return NumberToText(column);
    }
    if (row < 1 || row > int(Rows.size())) return {};
    const TCardRow& r = Rows[size_t(row - 1)];
    if (column == 0) return IntToText(r.Number);
    if (column >= kCardFirstExtraColumn) return ExtraToText(r.Extras[column - kCardFirstExtraColumn]);
    return r.Has(column) ? NumberToText(column) : std::string();
}

TDrawsCard BuildDrawsCard(const TDrawsArchive& archive) {
    TDrawsCard card;
    card.Rows.resize(archive.Draws.size());
    size_t k = 0;
    for (auto it = archive.Draws.rbegin(); it != archive.Draws.rend(); ++it, ++k) {
        TCardRow& r = card.Rows[k];
        r.Number = it->Number;
        for (uint8_t n : it->Numbers)
            if (n >= kMinNumber && n <= kMaxNumber) r.Numbers |= uint64_t(1) << n;
        r.Extras[0] = it->Extras[0];
        r.Extras[1] = it->Extras[1];
    }
    return card;
}

TCardColour CardCellColour(const TDrawsCard& card, int row, int column, bool colorCard, bool colorSequences,
                           int channelSize) {
    if (row < 1 || row >= card.RowCount() || column < kMinNumber || column > kMaxNumber) return {};
    const TCardColour channel = colorCard ? TCardColour{TCardColourRule::Channel, NumberColor(column, channelSize)}
                                          : TCardColour{};
    if (!colorSequences || !card.Filled(row, column)) return channel;
    const bool repeat = card.Filled(row - 1, column) || card.Filled(row + 1, column);
    const bool sequence = card.Filled(row, column - 1) || card.Filled(row, column + 1);
    if (repeat && sequence) return {TCardColourRule::RepeatSequence, 0x00FFFF};
    if (repeat) return {TCardColourRule::Repeat, 0x00FF00};
    if (sequence) return {TCardColourRule::Sequence, 0xFFFF00};
    return channel;
}

char CardColourLetter(TCardColourRule rule) {
    switch (rule) {
    case TCardColourRule::RepeatSequence: return 'Y';
    case TCardColourRule::Repeat: return 'G';
    case TCardColourRule::Sequence: return 'C';
    case TCardColourRule::Channel: return 'K';
    case TCardColourRule::Grid: break;
    }
    return '-';
}

TSelectedNumbers CardSelectedNumbers(const TDrawsCard& card, const TGridRect& rect) {
    TSelectedNumbers selected;
    const int top = std::max(rect.Top, 1), bottom = std::min(rect.Bottom, int(card.Rows.size()));
    for (int c = std::max(rect.Left, kMinNumber); c <= std::min(rect.Right, kMaxNumber); ++c)
        for (int r = top; r <= bottom; ++r)
            if (card.Filled(r, c)) {
                // The cell's number; the rest of the column gives the same one.
                AddSelectedNumber(selected, TextToNumber(card.CellText(r, c)));
                break;
            }
    return selected;
}

TXlsTable CardXlsTable(const TDrawsCard& card, const std::string& title) {
    TXlsTable t;
    t.Title = title;
    t.Columns.push_back({Tr("Тираж"), TXlsKind::Integer});
    for (int c = 1; c < kCardColumnCount; ++c) t.Columns.push_back({card.CellText(0, c), TXlsKind::Integer});
    t.RowCount = int64_t(card.Rows.size());
    t.Row = [&card](int64_t row, std::vector<TXlsCell>& cells) {
        const TCardRow& r = card.Rows[size_t(row)];
        cells[0].SetNumber(r.Number);
        for (int c = 1; c <= kMaxNumber; ++c) {
            if (r.Has(c))
                cells[size_t(c)].SetNumber(c);
            else
                cells[size_t(c)].SetEmpty();
        }
        cells[kCardFirstExtraColumn].SetNumber(r.Extras[0]);
        cells[kCardFirstExtraColumn + 1].SetNumber(r.Extras[1]);
    };
    return t;
}

} // namespace velmora
