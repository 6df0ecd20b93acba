#include "core/scripts/script_line.h"

#include "core/filters/filter_item.h"
#include "core/scripts/line_options.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora {
namespace {

constexpr int kCommentField = kScriptFilterCount + 2;  // options, seven filters, comment

// Field k (1-based) of a step line, trimmed; empty when the line has fewer words.
std::string Field(const std::string& line, int k) {
    const auto words = ScriptWords(line, "|");
    return k >= 1 && size_t(k) <= words.size() ? Trim(words[size_t(k - 1)]) : std::string();
}

} // namespace

const std::vector<std::string> kScriptColumnCaptions = {
    TrNoop("Комментарии"), TrNoop("Опции"),    TrNoop("Фильтр 1"), TrNoop("Фильтр 2"), TrNoop("Фильтр 3"),
    TrNoop("Фильтр 4"),    TrNoop("Фильтр 5"), TrNoop("Фильтр 6"), TrNoop("Фильтр 7"),
};

bool IsScriptSeparator(const std::string& line) { return Trim(line).empty(); }

std::string GetLineComment(const std::string& line) { return Field(line, kCommentField); }

std::string GetLineOptions(const std::string& line) { return Field(line, 1); }

std::string GetLineFilter(const std::string& line, int filter) {
    if (filter < 1 || filter > kScriptFilterCount) return {};
    return Field(line, filter + 1);
}

TScriptFilters GetLineFilters(const std::string& line) {
    const auto words = ScriptWords(line, "|");
    TScriptFilters filters;
    for (size_t i = 0; i < filters.size(); ++i)
        if (i + 1 < words.size()) filters[i] = Trim(words[i + 1]);
    return filters;
}

std::string BuildScriptLine(const std::string& comment, const std::string& options, const TScriptFilters& filters) {
    std::string line = options + "|";
    for (const auto& f : filters) {
        const std::string t = Trim(f);
        line += t.empty() ? std::string(" ") : t;
        line += "|";
    }
    line += Trim(comment);
    return line;
}

std::vector<std::string> ScriptRowTexts(const std::string& line, const TStatList& list) {
    std::vector<std::string> cells(kScriptColumnCaptions.size());
    if (IsScriptSeparator(line)) return cells;
    const auto words = ScriptWords(line, "|");
    auto field = [&](size_t k) { return k <= words.size() ? Trim(words[k - 1]) : std::string(); };
    cells[0] = field(kCommentField);
    cells[1] = FormatLineOptionsCaption(ParseLineOptions(field(1)));
    for (int i = 1; i <= kScriptFilterCount; ++i)
        cells[size_t(i + 1)] = FormatFilterItem(ParseFilterItem(field(size_t(i + 1)), list));
    return cells;
}

} // namespace velmora
