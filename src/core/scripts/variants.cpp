#include "core/scripts/variants.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora {

bool IsPerValueCriterion(int kind) {
    return (kind >= 1 && kind <= 4) || (kind >= 7 && kind <= 10) || (kind >= 13 && kind <= 16) ||
           (kind >= 19 && kind <= 30);
}

std::string TooManyVariantsMessage(const std::string& details) {
    return Tr("Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\r"
           "Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, а затем "
           "повторите попытку.\r\r") +
           details;
}

TFilterVariants::TFilterVariants(const std::vector<TFilterItem>& items, const std::vector<std::string>& texts) {
    count_ = items.empty() ? 0 : 1;
    for (size_t j = 0; j < items.size(); ++j) {
        TFilterValues f;
        f.Item = items[j];
        const std::string& text = j < texts.size() ? texts[j] : std::string();
        ParseIntList(f.Item.LengthsText, f.Lengths);
        if (f.Lengths.empty()) throw Error(Format(Tr("Некорректное описание фильтра: %s!"), {TextExcerpt(text)}));
        f.PerValue = IsPerValueCriterion(f.Item.CriterionKind);
        if (f.Item.CriterionKind != kCriterionNone) {
            TIntArray values;
            ParseIntList(f.Item.CriterionText, values);
            if (values.empty()) throw Error(Format(Tr("Некорректное описание фильтра: %s!"), {TextExcerpt(text)}));
            if (f.PerValue)
                f.Values = std::move(values);
            else
                f.Joined = IntListToText(values, ",");
        } else {
            f.Joined = f.Item.CriterionText;
        }
        const int64_t n = int64_t(f.Lengths.size()) * f.ValueCount();
        if (count_ > kMaxScriptVariants / n)
            throw Error(TooManyVariantsMessage(
                Format(Tr("Количество вариантов превышает %d."), {int64_t(kMaxScriptVariants)})));
        count_ *= n;
        filters_.push_back(std::move(f));
    }
    lengthIndex_.assign(filters_.size(), 0);
    valueIndex_.assign(filters_.size(), 0);
}

bool TFilterVariants::Next(TFilterRec& rec) {
    if (taken_ >= count_) return false;
    if (taken_ > 0) {
        // Advance the odometer: the last filter's value first.
        for (size_t j = filters_.size(); j-- > 0;) {
            if (++valueIndex_[j] < filters_[j].ValueCount()) break;
            valueIndex_[j] = 0;
            if (++lengthIndex_[j] < int(filters_[j].Lengths.size())) break;
            lengthIndex_[j] = 0;
        }
    }
    ++taken_;
    rec = TFilterRec{};
    for (size_t j = 0; j < filters_.size() && j < rec.size(); ++j) {
        const TFilterValues& f = filters_[j];
        TFilterPart& p = rec[j];
        p.Active = f.Item.Active;
        p.Stat = f.Item.Stat;
        p.SampleLength = f.Lengths[size_t(lengthIndex_[j])];
        p.SortColumn = f.Item.SortColumn;
        p.FromBottom = f.Item.FromBottom;
        p.MarkAll = f.Item.MarkAll;
        p.KeepSelected = f.Item.KeepSelected;
        p.CriterionKind = f.Item.CriterionKind;
        if (f.PerValue) {
            p.CriterionValue = std::to_string(f.Values[size_t(valueIndex_[j])]);
            p.CriterionDisplay = p.CriterionValue;
        } else {
            p.CriterionValue = f.Joined;
            p.CriterionDisplay = f.Item.CriterionText;
        }
        p.OwnWeights = f.Item.OwnWeights;
        p.Weights = f.Item.Weights;
        p.StopKind = f.Item.StopKind;
        p.StopValue = f.Item.StopValue;
    }
    return true;
}

std::vector<TFilterRec> BuildVariants(const std::vector<TFilterItem>& items, const std::vector<std::string>& texts) {
    TFilterVariants v(items, texts);
    std::vector<TFilterRec> out;
    out.reserve(size_t(v.Count()));
    TFilterRec rec;
    while (v.Next(rec)) out.push_back(rec);
    return out;
}

} // namespace velmora
