#include "core/stats/stat_framework.h"

#include "core/app/help.h"
#include "core/stats/stat_index.h"
#include "core/stats/stat_list.h"
#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>

namespace velmora {

// ---- flags and groups --------------------------------------------------------------------

std::string FlagLetters(uint8_t flags) {
    static const char* letters[] = {"S", "N", "D", "P", "G"};
    std::string s;
    for (int bit = 0; bit < 5; ++bit)
        if (flags & (1u << bit)) s += letters[bit];
    return s;
}

namespace {

struct GroupText {
    const char* Short;
    const char* Name;
};

const GroupText kGroups[kStatGroupCount] = {
    {"num", TrNoop("Числа тиража")},
    {"sum", TrNoop("Сумма чисел тиража")},
    {"dif", TrNoop("Разности между числами тиража")},
    {"grp", TrNoop("Каналы (группы чисел)")},
    {"mtx", TrNoop("Матрица тиража")},
    {"sgm", TrNoop("Сегменты матрицы тиража")},
    {"seq", TrNoop("Последовательности чисел в одном тираже")},
    {"rep", TrNoop("Повторяющиеся числа в нескольких тиражах")},
    {"ser", TrNoop("Серии (цепочки) значений")},
    {"per", TrNoop("Периоды повторения значений")},
    {"mov", TrNoop("Переходы (изменения) значений между тиражами")},
    {"slv", TrNoop("Характеристическое число Сельвара")},
    {"shr", TrNoop("Методы шинковки")},
};

// The first UTF-8 character of text starting at pos; pos moves past it.
std::string NextChar(const std::string& text, size_t& pos) {
    size_t start = pos;
    unsigned char c = static_cast<unsigned char>(text[pos]);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    pos = std::min(text.size(), pos + len);
    return text.substr(start, pos - start);
}

} // namespace

std::string GroupShortName(int g) { return g >= 0 && g < kStatGroupCount ? kGroups[g].Short : ""; }
std::string GroupName(int g) { return g >= 0 && g < kStatGroupCount ? TrText(kGroups[g].Name) : ""; }

std::string GroupCaption(int g) {
    if (g < 0 || g >= kStatGroupCount) return "";
    return Format("{ %1:s } %0:s", {TrText(kGroups[g].Name), kGroups[g].Short});
}

// ---- TStatClass ------------------------------------------------------------------------------

std::string FormatStatTemplate(const char* tmpl, int32_t param) { return Format(tmpl, {param}); }

std::string TStatClass::GetHelpTopic(int32_t param) const {
    return Format("Filters_%.4d_%s.htm", {1049, Format(GetBaseCode(), {param})});
}

std::string TStatClass::GetHelpUrl(int32_t param) const { return HelpPageFile(HelpFile(), GetHelpTopic(param)); }

std::unique_ptr<TCustomStat> TStatClass::Create(const TStatList* owner, int32_t param) const {
    return create_(TStatInit{this, owner, param});
}

// ---- TCustomStat ---------------------------------------------------------------------------

TCustomStat::TCustomStat(const TStatInit& init)
    : Param(init.Param), Draws(init.Owner ? init.Owner->Draws : nullptr), class_(init.Class), owner_(init.Owner) {}

TCustomStat::~TCustomStat() = default;

const TConfigData& TCustomStat::Config() const {
    static const TConfigData defaults;
    return owner_ ? owner_->Config : defaults;
}

std::string TCustomStat::GetInstanceCaption() const { return class_->FormatCaption(Param); }

int32_t TCustomStat::TextToValue(const std::string& text) const { return TextToInt(text); }

int32_t TCustomStat::TextToValueChecked(const std::string& text) const {
    return class_->HasValueList() ? TextToValue(text) : 0;
}

void TCustomStat::ListAllValues(int, TStatDrawArray&) { ClearValue(); }

void TCustomStat::LoadDraw(int index, int refIndex, bool sorted) {
    GetDraw(index, sorted, Draw);
    if (class_->ClassFlags() & kFlagD) GetDraw(refIndex, sorted, RefDraw);
}

void TCustomStat::AddCombinationValue(const TCombination&, TStatDrawArray&) {
    ClearValue();
    Value.Count = 1;
}

void TCustomStat::AddDrawValue(int index, int lastIndex, TLastValueArray&, TSeriesArea&, TStatDrawArray&,
                               bool sorted) {
    LoadDraw(index, lastIndex, sorted);
    ClearValue();
    Value.DrawNo = Value.LastDrawNo = Draw.Number;
    Value.Age = lastIndex - index + 1;
    Value.Count = 1;
}

int32_t TCustomStat::FindDrawWithValue(const TStatValueRec& rec, int fromIndex, int lastIndex, bool sorted) {
    if (!Draws) return -1;
    const int n = int(Draws->size());
    TStatDrawArray list;
    TLastValueArray lastValues;
    TSeriesArea series;
    for (int i = std::max(0, fromIndex); i < n; ++i) {
        list.clear();
        lastValues.clear();
        series.fill(TSeriesState{});
        AddDrawValue(i, lastIndex, lastValues, series, list, sorted);
        for (const auto& e : list)
            if (e.Key == rec.Key) return e.DrawNo;
    }
    return -1;
}

void TCustomStat::AddCombinationValues(const TCombination* combs, size_t count, TStatDrawArray& list) {
    TStatBatchScope scope(*this, &list, nullptr);
    for (size_t i = 0; i < count; ++i) AddCombinationValue(combs[i], list);
}

size_t TCustomStat::FilterCombinations(const TCombination* src, size_t count, TCombination* dst,
                                       const TStatDrawArray& selected, TFilterAction action, bool sorted,
                                       int lastIndex) {
    TStatBatchScope scope(*this, nullptr, &selected);
    const bool include = IsDelete(action);
    size_t k = 0;
    for (size_t i = 0; i < count; ++i)
        if (CombinationMatches(src[i], selected, include, sorted, lastIndex) != include) dst[k++] = src[i];
    return k;
}

void TCustomStat::GetDraw(int index, bool sorted, TDrawRecord& rec) const {
    if (!Draws || index < 0 || index >= int(Draws->size())) {
        rec = TDrawRecord{};
        return;
    }
    rec = (*Draws)[size_t(index)];
    if (sorted) SortDrawNumbers(rec);
}

void TCustomStat::AddValue(TStatDrawArray& list, bool trackGaps) {
    if (listIndex_ && &listIndex_->List() == &list)
        listIndex_->Merge(Value, trackGaps);
    else
        AddStatValue(list, Value, trackGaps);
}

bool TCustomStat::HasValue(const TStatDrawArray& selected, uint16_t k0, uint16_t k1, uint16_t k2, uint16_t k3) const {
    TStatKey key;
    key.K[0] = k0;
    key.K[1] = k1;
    key.K[2] = k2;
    key.K[3] = k3;
    if (selected_ && selected_->Source() == &selected) return selected_->HasKey(key.Packed());
    for (const auto& e : selected)
        if (e.Key == key) return true;
    return false;
}

bool TCustomStat::HasValuePair(const TStatDrawArray& selected, uint16_t a, uint32_t b) const {
    TStatKey key;
    key.SetDword(0, a);
    key.SetDword(1, b);
    if (selected_ && selected_->Source() == &selected) return selected_->HasKey(key.Packed());
    for (const auto& e : selected)
        if (e.Key == key) return true;
    return false;
}

bool TCustomStat::HasKeyByte(const TStatDrawArray& selected, int p, uint8_t v) const {
    if (p < 1 || p > 8) return false;
    if (selected_ && selected_->Source() == &selected) return selected_->HasByte(p - 1, v);
    for (const auto& e : selected)
        if (e.Key.Byte(p - 1) == v) return true;
    return false;
}

bool TCustomStat::HasKeyWord(const TStatDrawArray& selected, int p, uint16_t v) const {
    if (p < 1 || p > 4) return false;
    if (selected_ && selected_->Source() == &selected) return selected_->HasWord(p - 1, v);
    for (const auto& e : selected)
        if (e.Key.K[p - 1] == v) return true;
    return false;
}

bool TCustomStat::HasKeyDword(const TStatDrawArray& selected, int p, uint32_t v) const {
    if (p < 1 || p > 2) return false;
    if (selected_ && selected_->Source() == &selected) return selected_->HasDword(p - 1, v);
    for (const auto& e : selected)
        if (e.Key.Dword(p - 1) == v) return true;
    return false;
}

// ---- bases -------------------------------------------------------------------------------

std::string TCustomGraphStat::ValueToText(const TStatValueRec& rec) const { return IntToText(rec.Key.K[0]); }

int32_t TCustomGraphStat::DrawNumber(int index, int refIndex, bool sorted) {
    TDrawRecord rec;
    GetDraw(index, sorted, rec);
    TCombination comb;
    DrawToComb(rec, comb);
    return CombinationNumber(comb, index, refIndex, sorted);
}

std::string TCustomValuesStat::ValueToText(const TStatValueRec& rec) const { return NumberToText(rec.Key.K[0]); }

std::string TCustomNumbersStat::ValueToText(const TStatValueRec& rec) const { return IntToText(rec.Key.K[0]); }

std::string TCustomRatioStat::ValueToText(const TStatValueRec& rec) const {
    int k = rec.Key.K[0];
    return IntToText(k) + ":" + IntToText(kNumberCount - k);
}

int32_t TCustomRatioStat::TextToValue(const std::string& text) const {
    auto colon = text.find(':');
    if (colon == std::string::npos) return 0;
    return TextToInt(text.substr(0, colon));
}

std::string TCustomMaskStat::ValueToText(const TStatValueRec& rec) const {
    uint32_t mask = rec.Key.Dword(0);
    std::string letters;
    for (int bit = 4; bit >= 0; --bit) letters += ((mask >> bit) & 1) ? GetSetLetter() : GetClearLetter();
    return Format("%s (%.3d)", {letters, int64_t(mask)});
}

int32_t TCustomMaskStat::TextToValue(const std::string& text) const {
    const std::string set = GetSetLetter();
    int32_t mask = 0;
    size_t pos = 0;
    for (int i = 0; i < 5; ++i) {
        bool bit = false;
        if (pos < text.size()) bit = NextChar(text, pos) == set;
        mask = mask * 2 + (bit ? 1 : 0);
    }
    return mask;
}

void TCustomMaskStat::ListAllValues(int, TStatDrawArray& list) {
    ClearValue();
    for (uint32_t m = 0; m < 32; ++m) {
        Value.Key = TStatKey{};
        Value.Key.SetDword(0, m);
        Value.Count = 0;
        AddValue(list, false);
    }
}

} // namespace velmora
