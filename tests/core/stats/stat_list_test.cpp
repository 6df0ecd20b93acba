#include "core/stats/stat_list.h"

#include "fake_stats.h"
#include "core/stats/stat_registry.h"
#include "core/stats/stat_runs.h"
#include "core/util/error.h"
#include "core/util/ini.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace velmora;
using namespace velmora::test;

namespace {

std::vector<std::string> Codes(const TStatList& l) {
    std::vector<std::string> v;
    for (const auto& m : l.Methods) v.push_back(m.Code());
    return v;
}

std::vector<std::string> VisibleCodes(const TStatList& l) {
    std::vector<std::string> v;
    for (int i = 0; i < l.Count(); ++i)
        if (l.IsVisible(i)) v.push_back(l.Items(i).Code());
    return v;
}

TStatList BuiltList() {
    TStatList l;
    l.Build();
    return l;
}

const std::vector<const TStatClass*>& FakeClasses() {
    static const std::vector<const TStatClass*> classes = {
        &StatClassOf<TstFakeHidden>(), &StatClassOf<TstFakeKeys>(),    &StatClassOf<TstFakeChannel>(),
        &StatClassOf<TstFakeEmpty>(),  &StatClassOf<TstFakeRows>(),    &StatClassOf<TstFakeFormula>(),
    };
    return classes;
}

using StatListFiles = test::TempDirTest;

} // namespace

TEST(StatGroups, CaptionsShortNamesAndFlagLetters) {
    struct Case {
        int group;
        const char* caption;
    } cases[] = {
        {0, "{ num } Числа тиража"},
        {6, "{ seq } Последовательности чисел в одном тираже"},
        {11, "{ slv } Характеристическое число Сельвара"},
        {12, "{ shr } Методы шинковки"},
        {-1, ""},
        {13, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(GroupCaption(c.group), c.caption) << c.group;

    struct FlagCase {
        uint8_t flags;
        const char* letters;
    } flags[] = {{0, ""}, {kFlagN, "N"}, {kFlagS | kFlagN | kFlagG, "SNG"}, {kFlagD | kFlagS, "SD"}, {31, "SNDPG"}};
    for (const auto& f : flags) EXPECT_EQ(FlagLetters(f.flags), f.letters) << int(f.flags);
}

TEST(StatClass, ClassOperationsWithoutAnInstance) {
    const TStatClass& ch = StatClassOf<TstFakeChannel>();
    EXPECT_STREQ(ch.ClassName(), "TstFakeChannel");
    EXPECT_EQ(ch.GetBaseCode(), "FCH%d");  // defaults to the code template
    EXPECT_EQ(ch.FormatCode(3), "FCH3");
    EXPECT_EQ(ch.FormatCaption(3), "Канал 3");
    EXPECT_EQ(ch.ClassFlags(), kFlagS | kFlagD);
    EXPECT_EQ(ch.GetFilterFlags(), kFlagS | kFlagD | kFlagG);
    EXPECT_FALSE(ch.TestFlagBit1());
    EXPECT_FALSE(ch.HasValueList());
    EXPECT_TRUE(StatClassOf<TstFakeKeys>().TestFlagBit1());
    EXPECT_EQ(StatClassOf<TstFakeKeys>().GetFilterFlags(), kFlagN);
    EXPECT_FALSE(StatClassOf<TstFakeHidden>().IsAvailable());

    TStatList list;
    auto stat = ch.Create(&list, 4);
    EXPECT_EQ(&stat->Class(), &ch);
    EXPECT_EQ(stat->Param, 4);
    EXPECT_EQ(stat->GetInstanceCaption(), "Канал 4");
    // Without a value list a text reads as 0.
    EXPECT_EQ(stat->TextToValue("12"), 12);
    EXPECT_EQ(stat->TextToValueChecked("12"), 0);
}

TEST(StatList, BuildFollowsAvailabilityAndSettingRanges) {
    struct Case {
        int matrixCols;
        int channelSize;
        std::vector<std::string> codes;
    } cases[] = {
        {5, 5, {"FKEY", "FCH1", "FCH2", "FCH3", "FCH4", "FCH5", "FCH6", "FCH7", "FCH8", "FCH9", "FCH10", "FRW1",
                "FRW2", "FRW3", "FRW4", "FRW5", "FRW6", "FRW7", "FRW8", "FRW9", "FRW10", "FSH1", "FSH2", "FSH3"}},
        {7, 17, {"FKEY", "FCH1", "FCH2", "FCH3", "FRW1", "FRW2", "FRW3", "FRW4", "FRW5", "FRW6", "FRW7", "FRW8",
                 "FSH1", "FSH2", "FSH3"}},
        // A setting that is not positive gives no methods.
        {0, -1, {"FKEY", "FSH1", "FSH2", "FSH3"}},
    };
    for (const auto& c : cases) {
        TStatList l;
        l.Config.MatrixCols = c.matrixCols;
        l.Config.ChannelSize = c.channelSize;
        l.Ordered = true;
        l.ShowGroupName = false;
        l.AllShown = false;
        l.Build(FakeClasses());
        EXPECT_EQ(Codes(l), c.codes) << c.matrixCols << "/" << c.channelSize;
        EXPECT_TRUE(l.ShowGroupName);
        EXPECT_TRUE(l.AllShown);
        EXPECT_FALSE(l.Ordered);
    }
}

TEST(StatList, SegmentIdRangeFollowsTheMap) {
    TStatList l;
    EXPECT_EQ(l.SegmentIdRange().Min, 1);
    EXPECT_EQ(l.SegmentIdRange().Max, 1);
    l.Config.MatrixSegments[10] = 4;
    l.Config.MatrixSegments[49] = 2;
    EXPECT_EQ(l.SegmentIdRange().Min, 1);
    EXPECT_EQ(l.SegmentIdRange().Max, 4);
}

TEST(StatList, DisplayCaptionInItsSwitchStates) {
    TStatList l = BuiltList();
    struct Case {
        const char* code;
        bool group;
        bool flags;
        bool withFlags;
        const char* expected;
    } cases[] = {
        {"NUMS", true, true, true, "{ num } Числа тиража [ N ]"},
        {"NUMS", false, true, true, "Числа тиража [ N ]"},
        {"NUMS", true, false, true, "{ num } Числа тиража"},
        {"NUMS", false, false, true, "Числа тиража"},
        {"NUMS", true, true, false, "{ num } Числа тиража"},
        {"POS3", true, true, true, "{ num } Число в 3 позиции тиража [ SNG ]"},
        {"POE2", true, true, true, "{ num } Extra (Bonus, Star...) - число (!без фильтра!) [ G ]"},
    };
    for (const auto& c : cases) {
        l.ShowGroupName = c.group;
        l.ShowMethodFlags = c.flags;
        EXPECT_EQ(l.DisplayCaption(l.IndexOfCode(c.code), c.withFlags), c.expected) << c.code;
    }
    // A method without flags shows no brackets.
    TStatList f;
    f.Build({&StatClassOf<TstFakeEmpty>(), &StatClassOf<TstFakeRows>()});
    f.Items(0).StatClass = &StatClassOf<TstFakeHidden>();
    EXPECT_EQ(f.DisplayCaption(0, true), "{ num } Hidden");
}

TEST(StatList, CustomCaptionsAndFormulaCaptions) {
    TStatList l;
    l.Formulas[1] = "n1*n2";
    l.Build(FakeClasses());
    int fsh2 = l.IndexOfCode("fsh2");
    ASSERT_GE(fsh2, 0);
    EXPECT_EQ(l.Items(fsh2).CaptionArg, "n1*n2");
    EXPECT_EQ(l.Items(fsh2).FullCaption(), "Формула 2: n1*n2");
    EXPECT_EQ(l.DisplayCaption(fsh2, true), "{ shr } Формула 2: n1*n2 [ SN ]");
    l.Items(fsh2).CustomCaption = "Моя %s";
    EXPECT_EQ(l.Items(fsh2).FullCaption(), "Моя n1*n2");
    l.Items(fsh2).CustomCaption = "50% всех";  // not a template: shown as typed
    EXPECT_EQ(l.Items(fsh2).FullCaption(), "50% всех");
    // Outside group 12 a custom caption is taken literally.
    int fkey = l.IndexOfCode("FKEY");
    l.Items(fkey).CustomCaption = "Ключи %s";
    EXPECT_EQ(l.Items(fkey).FullCaption(), "Ключи %s");
    EXPECT_EQ(l.Items(fkey).FormattedCaption(), "Fake keys");
}

TEST(StatList, FavouritesText) {
    TStatList l = BuiltList();
    EXPECT_EQ(l.FavouritesText(), "");
    l.SetFavourites(" pos3 ,nums,UNKNOWN");
    EXPECT_FALSE(l.AllShown);
    EXPECT_EQ(VisibleCodes(l), (std::vector<std::string>{"NUMS", "POS3"}));
    EXPECT_EQ(l.FavouritesText(), "NUMS,POS3");
    l.SetFavourites("   ");
    EXPECT_TRUE(l.AllShown);
    EXPECT_EQ(VisibleCodes(l).size(), l.Methods.size());

    struct Case {
        const char* name;
        std::vector<bool> visible;  // first methods; the rest as the last value
        bool allShown;
        bool allVisibleAfter;
    } cases[] = {
        {"all hidden", {false}, true, true},
        {"all visible", {true}, true, true},
        {"mixed", {true, false}, false, false},
    };
    for (const auto& c : cases) {
        for (size_t i = 0; i < l.Methods.size(); ++i) l.Methods[i].Visible = c.visible[std::min(i, c.visible.size() - 1)];
        l.AllShown = !c.allShown;
        l.NormaliseFavourites();
        EXPECT_EQ(l.AllShown, c.allShown) << c.name;
        bool allVisible = std::all_of(l.Methods.begin(), l.Methods.end(), [](auto& m) { return m.Visible; });
        EXPECT_EQ(allVisible, c.allVisibleAfter) << c.name;
    }
    l.ShowAll();
    EXPECT_TRUE(l.AllShown);
    EXPECT_EQ(VisibleCodes(l).size(), l.Methods.size());
}

TEST_F(StatListFiles, FavouritesFileRoundTrip) {
    std::string file = dir.string() + "/Velmora_5x50.flt";
    std::filesystem::remove(file);
    {
        // A section of another owner stays in the file.
        TIniFile other(file);
        other.WriteString("OTHER", "Keep", "1");
        other.WriteString("STRINGS_RUS", "NUMS", "старое");
        other.Save();
    }
    TStatList l = BuiltList();
    l.SetFavourites("NUMS,POS2,POE1");
    l.Ordered = true;
    l.ShowMethodFlags = false;
    l.Items(l.IndexOfCode("POS2")).CustomCaption = "Второе число";
    l.SaveFavourites(file, true, false);

    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("FILTERS", "Favorites", ""), "NUMS,POS2,POE1");
    EXPECT_EQ(ini.ReadString("FILTERS", "Ordered", ""), "1");
    EXPECT_EQ(ini.ReadString("FILTERS", "ShowGroupName", ""), "1");
    EXPECT_EQ(ini.ReadString("FILTERS", "ShowMethodFlags", ""), "0");
    EXPECT_EQ(ini.ReadSection("STRINGS_RUS"), (std::vector<std::string>{"POS2"}));
    EXPECT_EQ(ini.ReadString("OTHER", "Keep", ""), "1");
    EXPECT_NE(std::string::npos, ReadFileBytes(file).find(Utf8ToCp1251("POS2=Второе число\r\n")));

    TStatList back = BuiltList();
    back.Items(back.IndexOfCode("NUMS")).CustomCaption = "уйдет";
    back.LoadFavourites(file, true);
    EXPECT_EQ(VisibleCodes(back), (std::vector<std::string>{"NUMS", "POS2", "POE1"}));
    EXPECT_TRUE(back.Ordered);
    EXPECT_FALSE(back.ShowMethodFlags);
    EXPECT_TRUE(back.ShowGroupName);
    // The caption of POS2 replaces that method's caption only.
    for (const auto& m : back.Methods) EXPECT_EQ(m.CustomCaption, m.Code() == "POS2" ? "Второе число" : "") << m.Code();
    EXPECT_EQ(back.Items(back.IndexOfCode("POS3")).Caption(), "Число в 3 позиции тиража");

    // Without flags only the captions are read.
    TStatList captionsOnly = BuiltList();
    captionsOnly.LoadFavourites(file, false);
    EXPECT_TRUE(captionsOnly.AllShown);
    EXPECT_FALSE(captionsOnly.Ordered);
    EXPECT_EQ(captionsOnly.Items(captionsOnly.IndexOfCode("POS2")).Caption(), "Второе число");

    // All captions: every method's current caption; another language has its own section.
    std::string names = dir.string() + "/names.flt";
    std::filesystem::remove(names);
    back.LanguageAbbr = "ENU";
    back.SaveFavourites(names, false, true);
    TIniFile n(names);
    EXPECT_FALSE(n.SectionExists("FILTERS"));
    EXPECT_EQ(n.ReadSection("STRINGS_ENU").size(), back.Methods.size());
    EXPECT_EQ(n.ReadString("STRINGS_ENU", "POS2", ""), "Второе число");
    EXPECT_EQ(n.ReadString("STRINGS_ENU", "NUMS", ""), "Числа тиража");
}

TEST_F(StatListFiles, FavouritesFileErrorsLeaveTheListAlone) {
    const std::string folder = dir.string();
    TStatList l = BuiltList();
    l.SetFavourites("NUMS");
    l.Items(0).CustomCaption = "мой";
    try {
        l.LoadFavourites(folder, true);  // a folder cannot be read as a file
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка загрузки списка фильтров!\r\r", 0), 0u) << e.what();
    }
    EXPECT_EQ(VisibleCodes(l), (std::vector<std::string>{"NUMS"}));
    EXPECT_EQ(l.Items(0).CustomCaption, "мой");
    try {
        l.SaveFavourites(folder + "/absent/x.flt", true, false);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Ошибка сохранения списка фильтров!\r\r", 0), 0u) << e.what();
    }
    // A missing file is no error: favourites stay, captions are cleared.
    l.LoadFavourites(folder + "/missing.flt", true);
    EXPECT_EQ(VisibleCodes(l), (std::vector<std::string>{"NUMS"}));
    EXPECT_EQ(l.Items(0).CustomCaption, "");
}

TEST_F(StatListFiles, HelpUrlWithAndWithoutHelpFile) {
    // The guide's folder holds the topics; a method's help is its topic's file there.
    std::filesystem::create_directories(dir / "Numora_RUS");
    const std::string guide = (dir / "Numora_RUS" / "index.htm").string();
    const std::string topics = (dir / "Numora_RUS").string() + "/";
    for (const char* page : {"index.htm", "Filters_1049_NUMS.htm", "Filters_1049_POSx.htm", "Filters_1049_FRW4.htm"})
        std::ofstream(topics + page) << "x";
    TStatList l;
    l.Build([&] {
        auto v = RegisteredStatClasses();
        v.push_back(&StatClassOf<TstFakeRows>());
        return v;
    }());
    struct Case {
        std::string helpFile;
        const char* code;
        std::string expected;
    } cases[] = {
        {"", "NUMS", ""},
        {guide, "NUMS", topics + "Filters_1049_NUMS.htm"},
        {guide, "POS3", topics + "Filters_1049_POSx.htm"},
        {guide, "POE2", topics + "Filters_1049_POSx.htm"},
        {guide, "FRW4", topics + "Filters_1049_FRW4.htm"},
        {guide, "SUMS", ""},  // no topic file
    };
    for (const auto& c : cases) {
        HelpFile() = c.helpFile;
        EXPECT_EQ(l.Items(l.IndexOfCode(c.code)).HelpUrl(), c.expected) << c.code << " " << c.helpFile;
    }
    HelpFile().clear();
}

TEST(StatList, SelectedStatNeedsASelection) {
    TStatList l = BuiltList();
    try {
        l.CreateSelectedStat(-1, "cbDrawsStat");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Не выбран метод расчета статистики (cb: cbDrawsStat)!");
    }
    EXPECT_EQ(l.CreateSelectedStat(1, "cb")->Class().GetCode(), "DIGS");
}

TEST(StatList, RatingWeightsSaveApplyRestore) {
    TStatList l;
    EXPECT_EQ(l.RatingWeights(), (TRatingWeights{0, -1, 1, false, false}));
    l.SaveRatingWeights();
    TRatingWeights own{2, 0, 1.5L, true, false};
    l.ApplyRatingWeights(true, own);
    EXPECT_EQ(l.RatingWeights(), own);
    EXPECT_EQ(l.Config.Weights, own);
    l.ApplyRatingWeights(false, own);
    EXPECT_EQ(l.RatingWeights(), (TRatingWeights{0, -1, 1, false, false}));
}

TEST(StatList, DefaultSettingsBlock) {
    TStatList l;
    EXPECT_EQ(l.Config.MatrixCols, 5);
    EXPECT_EQ(l.Config.ChannelSize, 5);
    EXPECT_EQ(l.Config.MaxStake, 5);
    EXPECT_EQ(l.Config.Cost, 0);
    EXPECT_TRUE(l.Config.Profits.empty());
    EXPECT_EQ(l.ChannelCount(), 10);
    EXPECT_EQ(l.MatrixRows(), 10);
    EXPECT_EQ(l.Formulas[0], "(n1+n2+n3)/(n4+n5)");
    EXPECT_EQ(l.Formulas[2], "(n1+n2)/(n3+n4+n5)");
    EXPECT_EQ(l.FormulaDigits[1], 2);
}
