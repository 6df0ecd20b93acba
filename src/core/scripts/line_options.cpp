#include "core/scripts/line_options.h"

#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <array>

namespace velmora {
namespace {

constexpr const char* kErrorText = "# ERROR #";

struct TOptionText {
    const char* Keyword;
    const char* Editor;
    const char* Caption;
};

constexpr std::array<TOptionText, kStartCombsTypeCount> kStarts{{
    {"FULL", TrNoop("Исходный список (рекомендуется для тестов)"), TrNoop("Исходный список")},
    {"EXCL", TrNoop("Удалить N последних тиражей (для прогнозов)"), TrNoop("Исключить %d тиражей")},
    {"CURR", TrNoop("Текущий список (для последовательного выполнения)"), TrNoop("Текущий список")},
}};

constexpr std::array<TOptionText, kResultCombsModeCount> kModes{{
    {"RAND", TrNoop("Выбрать одну случайную комбинацию"), TrNoop("Случайно")},
    {"FIRST", TrNoop("Выбрать первую комбинацию в списке"), TrNoop("Первая")},
    {"LAST", TrNoop("Выбрать последнюю комбинацию в списке"), TrNoop("Последняя")},
    {"ALL", TrNoop("Выбрать все комбинации (не рекомендуется)"), TrNoop("Все")},
    {"SYSA", TrNoop("Системная игра [вся система]"), TrNoop("Система [все]")},
    {"SYSC", TrNoop("Системная игра [система * комбинации]"), TrNoop("Система [комб]")},
    {"STOP", TrNoop("Остановить выполнение сценария"), TrNoop("Остановить")},
    {"SKIP", TrNoop("Пропустить (игнорировать) эту ставку"), TrNoop("Пропустить")},
    {"NONE", TrNoop("Не делать ставок (для последовательного выполнения)"), TrNoop("Не делать ставок")},
}};

template <size_t N>
const TOptionText* At(const std::array<TOptionText, N>& table, int index) {
    return index >= 0 && size_t(index) < N ? &table[size_t(index)] : nullptr;
}

constexpr const char* kClearWord = "CLR";
constexpr const char* kNewOnlyWord = "NEX";

} // namespace

std::vector<std::string> ScriptWords(std::string_view text, std::string_view separators) {
    auto words = SplitAny(text, separators);
    std::erase_if(words, [](const std::string& w) { return w.empty(); });
    return words;
}

std::string StartCombsKeyword(int type) {
    auto t = At(kStarts, type);
    return t ? t->Keyword : kErrorText;
}

std::string StartCombsEditorText(int type) {
    auto t = At(kStarts, type);
    return t ? Tr(t->Editor) : kErrorText;
}

std::string StartCombsCaption(int type, int32_t drawsExclude) {
    auto t = At(kStarts, type);
    if (!t) return kErrorText;
    return type == kStartExclude ? Format(Tr(t->Caption), {drawsExclude}) : Tr(t->Caption);
}

std::string ResultCombsModeKeyword(int mode) {
    auto t = At(kModes, mode);
    return t ? t->Keyword : kErrorText;
}

std::string ResultCombsModeEditorText(int mode) {
    auto t = At(kModes, mode);
    return t ? Tr(t->Editor) : kErrorText;
}

std::string ResultCombsModeCaption(int mode) {
    auto t = At(kModes, mode);
    return t ? Tr(t->Caption) : kErrorText;
}

TLineOptions ParseLineOptions(const std::string& text) {
    TLineOptions o;
    const auto words = ScriptWords(text, "#");
    if (words.empty()) return o;

    const std::string first = Trim(words[0]);
    const std::string upper = UpperCase(first);
    for (size_t i = 0; i < kStarts.size(); ++i)
        if (upper.starts_with(kStarts[i].Keyword)) {
            o.StartCombsType = uint8_t(i);
            break;
        }
    const auto parts = ScriptWords(first, ":");
    if (parts.size() > 1) o.DrawsExclude = StrToIntDef(Trim(parts[1]), 0);

    if (words.size() > 1) {
        const std::string mode = Trim(words[1]);
        for (size_t i = 0; i < kModes.size(); ++i)
            if (SameText(mode, kModes[i].Keyword)) {
                o.ResultCombsMode = uint8_t(i);
                break;
            }
    }
    for (size_t k = 2; k < words.size(); ++k) {
        const std::string w = Trim(words[k]);
        if (SameText(w, kClearWord))
            o.ClearStakes = true;
        else if (SameText(w, kNewOnlyWord))
            o.NewOnly = true;
    }
    return o;
}

std::string FormatLineOptions(const TLineOptions& o) {
    std::string s = StartCombsKeyword(o.StartCombsType) + ":" + IntToStr(o.DrawsExclude) + "#" +
                    ResultCombsModeKeyword(o.ResultCombsMode);
    if (o.ClearStakes) s += std::string("#") + kClearWord;
    if (o.NewOnly) s += std::string("#") + kNewOnlyWord;
    return s;
}

std::string FormatLineOptionsShort(const TLineOptions& o) {
    std::string s = StartCombsKeyword(o.StartCombsType);
    if (o.StartCombsType == kStartExclude) s += ":" + IntToStr(o.DrawsExclude);
    s += "#" + ResultCombsModeKeyword(o.ResultCombsMode);
    if (o.NewOnly) s += std::string("#") + kNewOnlyWord;
    return s;
}

std::string FormatLineOptionsCaption(const TLineOptions& o) {
    std::string s = StartCombsCaption(o.StartCombsType, o.DrawsExclude) + "; " + ResultCombsModeCaption(o.ResultCombsMode);
    if (o.ClearStakes) s += "; " + Tr("Удалить ставки");
    s += "; " + (o.NewOnly ? Tr("Только новые ставки") : Tr("Все создаваемые ставки"));
    return s;
}

} // namespace velmora
