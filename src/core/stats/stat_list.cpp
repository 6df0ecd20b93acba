#include "core/stats/stat_list.h"

#include "core/stats/stat_registry.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/ini.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>

namespace velmora {

namespace {
const char* const kFiltersSection = "FILTERS";
} // namespace

std::string TStatMethod::FullCaption() const {
    std::string caption = Caption();
    if (StatClass->GetGroup() != 12) return caption;
    try {
        return Format(caption, {CaptionArg});
    } catch (const FormatError&) {
        // A custom caption may hold a stray "%"; it is then shown as typed.
        return caption;
    }
}

// ---- settings-dependent ranges ---------------------------------------------------------------

int TStatList::ChannelCount() const { return Config.ChannelSize > 0 ? CeilDiv(kMaxNumber, Config.ChannelSize) : 0; }

int TStatList::MatrixRows() const {
    return Config.MatrixCols > 0 ? GroupCount(kMinNumber, kMaxNumber, Config.MatrixCols) : 0;
}

TParamRange TStatList::SegmentIdRange() const {
    auto [lo, hi] = std::minmax_element(Config.MatrixSegments.begin(), Config.MatrixSegments.end());
    return {*lo, *hi};
}

// ---- the registry ----------------------------------------------------------------------------

void TStatList::Build() { Build(RegisteredStatClasses()); }

void TStatList::Build(const std::vector<const TStatClass*>& classes) {
    ShowGroupName = true;
    ShowMethodFlags = true;
    AllShown = true;
    Ordered = false;
    Methods.clear();
    auto add = [this](const TStatClass* cls, int32_t param) {
        TStatMethod m;
        m.StatClass = cls;
        m.Param = param;
        if (cls->GetGroup() == 12 && param >= 1 && param <= 3) m.CaptionArg = Formulas[size_t(param - 1)];
        Methods.push_back(std::move(m));
    };
    for (const TStatClass* cls : classes) {
        if (!cls->IsAvailable()) continue;
        if (cls->HasParam()) {
            TParamRange r = cls->GetParamRange(*this);
            for (int64_t p = r.Min; p <= r.Max; ++p) add(cls, int32_t(p));
        } else {
            add(cls, 0);
        }
    }
}

int TStatList::IndexOfCode(const std::string& code) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Methods[size_t(i)].Code(), code)) return i;
    return -1;
}

std::string TStatList::DisplayCaption(int i, bool withFlags) const {
    const TStatMethod& m = Items(i);
    std::string text = m.FullCaption();
    if (ShowGroupName) text = Format("{ %1:s } %0:s", {text, GroupShortName(m.StatClass->GetGroup())});
    if (withFlags && ShowMethodFlags) {
        std::string letters = FlagLetters(m.StatClass->GetFilterFlags());
        if (!letters.empty()) text = Format("%0:s [ %1:s ]", {text, letters});
    }
    return text;
}

std::unique_ptr<TCustomStat> TStatList::CreateSelectedStat(int index, const std::string& selectorName) const {
    if (index < 0 || index >= Count()) throw Error(Format(Tr("Не выбран метод расчета статистики (cb: %s)!"), {selectorName}));
    return CreateStat(index);
}

// ---- favourites ------------------------------------------------------------------------------

void TStatList::ShowAll() {
    AllShown = true;
    for (auto& m : Methods) m.Visible = true;
}

void TStatList::NormaliseFavourites() {
    bool allSame = std::all_of(Methods.begin(), Methods.end(),
                               [this](const TStatMethod& m) { return m.Visible == Methods.front().Visible; });
    if (!allSame) {
        AllShown = false;
        return;
    }
    AllShown = true;
    if (!Methods.empty() && !Methods.front().Visible)
        for (auto& m : Methods) m.Visible = true;
}

std::string TStatList::FavouritesText() const {
    if (AllShown) return "";
    std::vector<std::string> codes;
    for (const auto& m : Methods)
        if (m.Visible) codes.push_back(m.Code());
    return Join(codes, ",");
}

void TStatList::SetFavourites(const std::string& text) {
    if (Trim(text).empty()) {
        ShowAll();
        return;
    }
    std::vector<std::string> words = SplitAny(text, ",");
    for (auto& w : words) w = Trim(w);
    AllShown = false;
    for (auto& m : Methods) {
        std::string code = m.Code();
        m.Visible = std::any_of(words.begin(), words.end(), [&](const std::string& w) { return SameText(w, code); });
    }
}

void TStatList::LoadFavourites(const std::string& file, bool withFlags) {
    std::string favourites;
    bool ordered = Ordered, showGroup = ShowGroupName, showFlags = ShowMethodFlags;
    std::vector<std::string> captions;
    try {
        TIniFile ini(file);
        if (withFlags) {
            favourites = ini.ReadString(kFiltersSection, "Favorites", FavouritesText());
            ordered = ini.ReadBool(kFiltersSection, "Ordered", Ordered);
            showGroup = ini.ReadBool(kFiltersSection, "ShowGroupName", ShowGroupName);
            showFlags = ini.ReadBool(kFiltersSection, "ShowMethodFlags", ShowMethodFlags);
        }
        const std::string section = CaptionsSection();
        captions.reserve(Methods.size());
        for (const auto& m : Methods) captions.push_back(Trim(ini.ReadString(section, m.Code(), "")));
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка загрузки списка фильтров!\r\r%s"), {e.what()}));
    }
    // Everything was read: only now does the list change.
    if (withFlags) {
        SetFavourites(favourites);
        Ordered = ordered;
        ShowGroupName = showGroup;
        ShowMethodFlags = showFlags;
    }
    for (size_t i = 0; i < Methods.size(); ++i) Methods[i].CustomCaption = captions[i];
}

void TStatList::SaveFavourites(const std::string& file, bool withFlags, bool allCaptions) const {
    try {
        TIniFile ini(file);
        if (withFlags) {
            ini.WriteString(kFiltersSection, "Favorites", FavouritesText());
            ini.WriteBool(kFiltersSection, "Ordered", Ordered);
            ini.WriteBool(kFiltersSection, "ShowGroupName", ShowGroupName);
            ini.WriteBool(kFiltersSection, "ShowMethodFlags", ShowMethodFlags);
        }
        const std::string section = CaptionsSection();
        ini.EraseSection(section);
        for (const auto& m : Methods) {
            if (allCaptions)
                ini.WriteString(section, m.Code(), m.Caption());
            else if (!m.CustomCaption.empty())
                ini.WriteString(section, m.Code(), m.CustomCaption);
        }
        ini.Save();
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка сохранения списка фильтров!\r\r%s"), {e.what()}));
    }
}

// ---- rating weights -----------------------------------------------------------------------------

void TStatList::ApplyRatingWeights(bool ownWeights, const TRatingWeights& weights) {
    if (ownWeights)
        Config.Weights = weights;
    else
        RestoreRatingWeights();
}

} // namespace velmora
