// The statistic list: the registry of selectable statistics (one TStatMethod per class, or per
// parameter value of a parameterised class), their display captions, favourites and custom
// captions with their file, the rating weights and the settings block.
#pragma once

#include "core/stats/stat_config.h"
#include "core/stats/stat_framework.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

// One selectable statistic: a class and a parameter value.
struct TStatMethod {
    const TStatClass* StatClass = nullptr;
    int32_t Param = 0;
    bool Visible = true;        // the favourite mark
    std::string CustomCaption;  // the user's caption; empty = the class's own
    std::string CaptionArg;     // group 12: the shredding formula of the parameter

    std::string Code() const { return StatClass->FormatCode(Param); }
    std::string FormattedCaption() const { return StatClass->FormatCaption(Param); }
    std::string Caption() const { return CustomCaption.empty() ? FormattedCaption() : CustomCaption; }
    // Caption; for group 12 the formula text fills the "%s" of the caption.
    std::string FullCaption() const;
    std::string HelpUrl() const { return StatClass->GetHelpUrl(Param); }
    bool HasValueList() const { return StatClass->HasValueList(); }
    std::unique_ptr<TCustomStat> CreateStat(const TStatList& owner) const { return StatClass->Create(&owner, Param); }
};

class TStatList {
public:
    std::vector<TStatMethod> Methods;  // in registry order
    bool Ordered = false;
    bool ShowGroupName = true;
    bool ShowMethodFlags = true;
    bool AllShown = true;
    const TDrawsArray* Draws = nullptr;  // the archive the statistics read

    // The settings block; RatingWeights() is Config.Weights.
    TConfigData Config;
    TRatingWeights SavedRatingWeights;
    uint8_t GenerateMode = 0;
    std::string GenerateParams;
    std::array<std::string, 3> Formulas = {kDefaultFormulas[0], kDefaultFormulas[1], kDefaultFormulas[2]};
    std::array<int32_t, 3> FormulaDigits = {kDefaultFormulaDigits, kDefaultFormulaDigits, kDefaultFormulaDigits};
    // Three-letter abbreviation of the interface language (the captions section of the
    // favourites file is "STRINGS_" + this).
    std::string LanguageAbbr = "RUS";

    TRatingWeights& RatingWeights() { return Config.Weights; }
    const TRatingWeights& RatingWeights() const { return Config.Weights; }

    void Bind(const TDrawsArray& draws) { Draws = &draws; }

    // Parameter ranges that follow the settings (an empty range when the setting is not positive).
    int ChannelCount() const;  // CeilDiv(50, ChannelSize)
    int MatrixRows() const;    // GroupCount(1, 50, MatrixCols)
    // The smallest and largest segment id of the segment map.
    TParamRange SegmentIdRange() const;

    // Rebuilds the methods from the registered classes (or the given classes, in order):
    // display switches back to their defaults, one method per available class or per value of
    // its parameter range.
    void Build();
    void Build(const std::vector<const TStatClass*>& classes);

    int Count() const { return int(Methods.size()); }
    const TStatMethod& Items(int i) const { return Methods.at(size_t(i)); }
    TStatMethod& Items(int i) { return Methods.at(size_t(i)); }
    // Position of the method with that code (ignoring case); -1 when none.
    int IndexOfCode(const std::string& code) const;

    bool IsAvailable(int i) const { return Items(i).StatClass->IsAvailable(); }
    bool CanShowInTable(int i) const { return Items(i).StatClass->CanShowInTable(); }
    bool HasGraph(int i) const { return Items(i).StatClass->HasGraph(); }
    bool TestFlagBit1(int i) const { return Items(i).StatClass->TestFlagBit1(); }
    bool IsVisible(int i) const { return AllShown || Items(i).Visible; }
    // "{ grp } caption [ FLAGS ]" as the switches say.
    std::string DisplayCaption(int i, bool withFlags) const;

    std::unique_ptr<TCustomStat> CreateStat(int i) const { return Items(i).CreateStat(*this); }
    // The statistic of the selector's current item; index < 0 (nothing selected) raises
    // "Не выбран метод расчета статистики (cb: %s)!".
    std::unique_ptr<TCustomStat> CreateSelectedStat(int index, const std::string& selectorName) const;

    // ---- favourites ---------------------------------------------------------------------
    void ShowAll();
    void NormaliseFavourites();
    // Empty when AllShown; else the codes of the visible methods joined by ",".
    std::string FavouritesText() const;
    void SetFavourites(const std::string& text);
    // The favourites file (ini, cp1251). Errors raise Error("Ошибка загрузки списка фильтров!\r\r%s")
    // or Error("Ошибка сохранения списка фильтров!\r\r%s"); the list is then unchanged.
    void LoadFavourites(const std::string& file, bool withFlags);
    void SaveFavourites(const std::string& file, bool withFlags, bool allCaptions) const;

    // ---- rating weights and stakes --------------------------------------------------------
    void SaveRatingWeights() { SavedRatingWeights = Config.Weights; }
    void RestoreRatingWeights() { Config.Weights = SavedRatingWeights; }
    // A filter step with its own weights puts them in force; otherwise the saved ones return.
    void ApplyRatingWeights(bool ownWeights, const TRatingWeights& weights);

private:
    std::string CaptionsSection() const { return "STRINGS_" + LanguageAbbr; }
};

} // namespace velmora
