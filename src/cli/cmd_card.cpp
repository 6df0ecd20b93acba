// Commands on the pictures of the archive: card (the draws card with its colour rules) and layout
// (the layout scheme and its comparison lists). Their filters are the number filter of "filter".
#include "cli.h"

#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"
#include "core/views/draws_card.h"
#include "core/views/layout_scheme.h"

#include <array>

namespace velmora::cli {
namespace {

int RunCard(Args& args) {
    TDrawsArchive archive = LoadArchive();
    const auto limit = args.Int("--limit");
    const bool colours = args.Flag("--colours");
    const bool colorCard = !args.Flag("--no-card-colours");
    const bool colorSequences = !args.Flag("--no-sequence-colours");
    args.Done();
    if (limit && *limit < 0)
        throw Error(Format(Tr("Количество тиражей --limit не может быть отрицательным: %d"), {*limit}));
    // The channel size of the program settings colours the columns.
    TStatList list;
    ApplyProgramSettings(list);
    const int channelSize = list.Config.ChannelSize;

    // The colours are judged on the whole card; --limit only cuts what is printed.
    const TDrawsCard card = BuildDrawsCard(archive);
    int rows = int(card.Rows.size());
    if (limit && *limit < rows) rows = *limit;
    std::vector<std::string> cells(kCardColumnCount);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < kCardColumnCount; ++c) {
            if (colours && c >= kMinNumber && c <= kMaxNumber)
                cells[size_t(c)] =
                    std::string(1, CardColourLetter(CardCellColour(card, r, c, colorCard, colorSequences, channelSize).Rule));
            else
                cells[size_t(c)] = card.CellText(r, c);
        }
        Out(Join(cells, "\t"));
    }
    return 0;
}

// "a,b,c,d,e": five sample lengths of at least 1.
std::array<int, kLayoutCompareLists> ParseCompareLengths(const std::string& text) {
    std::array<int, kLayoutCompareLists> out{};
    const std::vector<std::string> words = SplitAny(text, ",");
    bool ok = words.size() == out.size();
    for (size_t i = 0; ok && i < words.size(); ++i) {
        const auto v = TryStrToInt(Trim(words[i]));
        ok = v && *v >= 1;
        if (ok) out[i] = *v;
    }
    if (!ok) throw Error(Format(Tr("Укажите пять длин выборки не меньше 1 через запятую, например 50,100,200,300,400: \"%s\""),
                                {text}));
    return out;
}

int RunLayout(Args& args) {
    TDrawsArchive archive = LoadArchive();
    ApplyWindowOptions(archive, args);
    const int length = args.Int("--len", 100);
    const bool compare = args.Flag("--compare");
    const auto lens = args.Value("--lens");
    args.Done();
    if (length < 1) throw Error(Tr("Количество тиражей для расчета статистики должно быть не меньше 1"));

    if (!compare) {
        if (lens) throw Error(Tr("Длины --lens относятся к спискам сравнения (--compare)"));
        const TLayoutScheme scheme = BuildLayoutScheme(archive, length);
        std::vector<std::string> cells;
        for (int r = 0; r <= int(scheme.Counts.size()); ++r) {
            cells.clear();
            for (int c = 0; c <= int(scheme.LastDraws.size()); ++c) cells.push_back(scheme.CellText(r, c));
            Out(Join(cells, "\t"));
        }
        return 0;
    }
    const auto lengths = ParseCompareLengths(lens.value_or("50,100,200,300,400"));
    for (size_t k = 0; k < lengths.size(); ++k) {
        if (k) Out("");
        const TLayoutCompareList list = BuildLayoutCompareList(archive, lengths[k]);
        Out(list.Title);
        for (const TLayoutCompareRow& row : list.Rows) Out(IntToText(row.Count) + "\t" + row.Numbers);
    }
    return 0;
}

CommandRegistrar r1({"card", "card [--limit N] [--colours] [--no-card-colours] [--no-sequence-colours]",
                     "the draws card newest first: draw number, the 50 number cells, E1, E2 (tab-separated); "
                     "--colours prints the colour of each number cell: Y repeat and sequence, G repeat, C sequence, "
                     "K channel colour, - the grid's colour",
                     RunCard});
CommandRegistrar r2({"layout", "layout [--len N] [--offset K] [--compare [--lens a,b,c,d,e]]",
                     "the layout scheme: the last draws of the numbers, then one line per count; --compare prints "
                     "the five comparison lists, each a range title and lines count<TAB>numbers",
                     RunLayout});

} // namespace
} // namespace velmora::cli
