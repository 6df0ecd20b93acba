#include "core/combs/favourites.h"

#include "core/model/data_folder.h"
#include "core/stats/stat_registry.h"
#include "core/util/error.h"
#include "core/util/ini.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <fstream>

#include <algorithm>
#include <filesystem>

using namespace velmora;

namespace {

TStatList BuiltList() {
    TStatList l;
    l.Build();
    return l;
}

int At(const TStatList& l, const char* code) {
    const int i = l.IndexOfCode(code);
    EXPECT_GE(i, 0) << code;
    return i;
}

std::vector<std::string> CustomCaptions(const TStatList& l) {
    std::vector<std::string> v;
    for (const auto& m : l.Methods) v.push_back(m.CustomCaption);
    return v;
}

// Every method as a node: marked as given, captioned with its current caption.
std::vector<TFavouriteNode> Nodes(const TStatList& l, bool marked) {
    std::vector<TFavouriteNode> nodes;
    for (int i = 0; i < l.Count(); ++i) nodes.push_back({i, marked, l.Items(i).Caption()});
    return nodes;
}

using FavouriteFiles = test::TempDirTest;

} // namespace

TEST(Favourites, TreeGroupsInOrderOfFirstAppearance) {
    // Classes of group 1, group 0, group 1 again: two groups, the first met first.
    std::vector<const TStatClass*> sum, num;
    for (const TStatClass* c : RegisteredStatClasses()) {
        if (c->GetGroup() == 1 && !c->HasParam()) sum.push_back(c);
        if (c->GetGroup() == 0 && !c->HasParam()) num.push_back(c);
    }
    ASSERT_GE(sum.size(), 2u);
    ASSERT_GE(num.size(), 1u);
    TStatList l;
    l.Build({sum[0], num[0], sum[1]});
    const auto tree = FavouritesTree(l);
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].Caption, GroupCaption(1));
    EXPECT_EQ(tree[0].Methods, (std::vector<int>{0, 2}));
    EXPECT_EQ(tree[1].Caption, "{ num } Числа тиража");
    EXPECT_EQ(tree[1].Methods, (std::vector<int>{1}));

    // The registry: every method once, in registry order within its group.
    const TStatList full = BuiltList();
    size_t methods = 0;
    for (const auto& g : FavouritesTree(full)) {
        EXPECT_TRUE(std::is_sorted(g.Methods.begin(), g.Methods.end())) << g.Caption;
        for (int i : g.Methods) EXPECT_EQ(full.Items(i).StatClass->GetGroup(), g.Group) << g.Caption;
        methods += g.Methods.size();
    }
    EXPECT_EQ(methods, full.Methods.size());
}

TEST(Favourites, AcceptNormalisesTheMarksAndTakesTheSwitches) {
    struct Case {
        const char* name;
        std::vector<std::string> marked;  // codes; the rest unmarked
        bool allShown;
        std::string favouritesText;
    } cases[] = {
        {"none marked is no restriction", {}, true, ""},
        {"two marked", {"NUMS", "SUMS"}, false, "NUMS,SUMS"},
    };
    for (const auto& c : cases) {
        TStatList l = BuiltList();
        auto nodes = Nodes(l, false);
        for (auto& n : nodes)
            n.Marked = std::find(c.marked.begin(), c.marked.end(), l.Items(n.Method).Code()) != c.marked.end();
        AcceptFavourites(l, nodes, {true, false, false});
        EXPECT_EQ(l.AllShown, c.allShown) << c.name;
        EXPECT_EQ(l.FavouritesText(), c.favouritesText) << c.name;
        EXPECT_TRUE(l.Ordered) << c.name;
        EXPECT_FALSE(l.ShowGroupName) << c.name;
        EXPECT_FALSE(l.ShowMethodFlags) << c.name;
        if (c.allShown) {
            // The marks all come back for the next time.
            EXPECT_TRUE(std::all_of(l.Methods.begin(), l.Methods.end(), [](auto& m) { return m.Visible; })) << c.name;
        }
    }
}

TEST(Favourites, RenamingStoresOnlyAnOwnCaption) {
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"Числа тиража", ""},
        {"ЧИСЛА ТИРАЖА", ""},
        {"числа тиража", ""},
        {"  Числа Тиража  ", ""},
        {"   ", ""},
        {"Мои числа", "Мои числа"},
        {" Мои числа ", "Мои числа"},
    };
    for (const auto& c : cases) {
        TStatList l = BuiltList();
        const int nums = At(l, "NUMS");
        l.Items(nums).CustomCaption = "прежнее";
        ApplyFavouritesTree(l, {{nums, false, c.typed}}, false);
        EXPECT_EQ(l.Items(nums).CustomCaption, c.stored) << c.typed;
        // Without marks the favourite mark stays.
        EXPECT_TRUE(l.Items(nums).Visible) << c.typed;
    }
}

TEST_F(FavouriteFiles, ResetKeepsCaptionsAndSwitches) {
    const std::string file = Path("Velmora_5x50.flt");
    TStatList l = BuiltList();
    l.SetFavourites("NUMS,POS2");
    l.Ordered = true;
    l.ShowGroupName = false;
    l.ShowMethodFlags = false;
    l.Items(At(l, "SUMS")).CustomCaption = "Сумма";
    l.SaveFavourites(file, true, false);

    ResetFavourites(l, file);
    EXPECT_TRUE(l.AllShown);
    EXPECT_EQ(l.Items(At(l, "SUMS")).CustomCaption, "Сумма");
    EXPECT_TRUE(l.Ordered);
    EXPECT_FALSE(l.ShowGroupName);
    EXPECT_FALSE(l.ShowMethodFlags);

    TStatList back = BuiltList();
    back.SetFavourites("DIGS");
    back.LoadFavourites(file, true);
    EXPECT_TRUE(back.AllShown);
    EXPECT_EQ(back.FavouritesText(), "");
    EXPECT_EQ(back.Items(At(back, "SUMS")).CustomCaption, "Сумма");
    EXPECT_TRUE(back.Ordered);
    EXPECT_FALSE(back.ShowGroupName);
    EXPECT_FALSE(back.ShowMethodFlags);
}

TEST_F(FavouriteFiles, ExportWritesEveryCaptionAndRestoresMemory) {
    const std::string saved = DataDir();
    DataDir() = dir.string();
    const std::string names = Path("names.flt");
    TStatList l = BuiltList();
    l.Items(At(l, "SUMS")).CustomCaption = "Сумма";
    const auto before = CustomCaptions(l);
    // The tree holds a caption not applied yet.
    auto nodes = Nodes(l, true);
    nodes[size_t(At(l, "NUMS"))].Caption = "Мои числа";
    ExportFavouriteNames(l, nodes, names);
    EXPECT_EQ(CustomCaptions(l), before);

    TIniFile ini(names);
    EXPECT_FALSE(ini.SectionExists("FILTERS"));
    EXPECT_EQ(ini.ReadSection("STRINGS_RUS").size(), l.Methods.size());
    EXPECT_EQ(ini.ReadString("STRINGS_RUS", "NUMS", ""), "Мои числа");
    EXPECT_EQ(ini.ReadString("STRINGS_RUS", "SUMS", ""), "Сумма");
    EXPECT_EQ(ini.ReadString("STRINGS_RUS", "POS3", ""), "Число в 3 позиции тиража");

    // A failed write leaves memory as it was; the favourites file is never a target.
    EXPECT_THROW(ExportFavouriteNames(l, nodes, Path("absent/names.flt")), Error);
    EXPECT_EQ(CustomCaptions(l), before);
    try {
        ExportFavouriteNames(l, nodes, ProductFile(".flt"));
        ADD_FAILURE() << "exported over the favourites file";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Нельзя экспортировать в файл данных программы"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(ProductFile(".flt")));
    EXPECT_EQ(CustomCaptions(l), before);
    DataDir() = saved;
}

TEST_F(FavouriteFiles, ImportReplacesCaptionsAtOnce) {
    const std::string names = Path("names.flt");
    {
        TIniFile ini(names);
        ini.WriteString("STRINGS_RUS", "SUM2", "  Вторая сумма ");
        ini.WriteString("FILTERS", "Favorites", "NUMS");
        ini.Save();
    }
    TStatList l = BuiltList();
    l.SetFavourites("DIGS,SUMS");
    l.Items(At(l, "NUMS")).CustomCaption = "Мои числа";
    ImportFavouriteNames(l, names);
    for (const auto& m : l.Methods) EXPECT_EQ(m.CustomCaption, m.Code() == "SUM2" ? "Вторая сумма" : "") << m.Code();
    // The marks are not the file's.
    EXPECT_EQ(l.FavouritesText(), "DIGS,SUMS");

    l.Items(At(l, "NUMS")).CustomCaption = "Мои числа";
    const auto before = CustomCaptions(l);
    EXPECT_THROW(ImportFavouriteNames(l, dir.string()), Error);  // a folder is no names file
    EXPECT_EQ(CustomCaptions(l), before);
}

TEST(Favourites, HelpTopicOfAMethod) {
    const TStatList l = BuiltList();
    struct Case {
        const char* code;
        const char* topic;
    } cases[] = {
        {"NUMS", "Filters_1049_NUMS.htm"},
        {"POS3", "Filters_1049_POSx.htm"},
        {"SUMS", "Filters_1049_SUMS.htm"},
    };
    for (const auto& c : cases) EXPECT_EQ(StatHelpTopic(l.Items(At(l, c.code))), c.topic) << c.code;
    // The topic file beside the guide of the language, the Russian one when the language has none.
    namespace fs = std::filesystem;
    const fs::path help = fs::temp_directory_path() / ("velmora_topics_" + std::to_string(::getpid()));
    fs::remove_all(help);
    for (const char* page : {"Numora_RUS/index.htm", "Numora_RUS/Filters_1049_NUMS.htm", "Numora_RUS/Filters_1049_POSx.htm",
                             "Numora_ENU/index.htm", "Numora_ENU/Filters_1049_NUMS.htm"}) {
        fs::create_directories((help / page).parent_path());
        std::ofstream(help / page) << "<html></html>";
    }
    struct FileCase {
        const char* language;
        const char* code;
        std::string expected;
    } files[] = {
        {"ENU", "NUMS", (help / "Numora_ENU/Filters_1049_NUMS.htm").string()},
        {"ENU", "POS2", ""},  // the English guide has no such topic
        {"DEU", "POS2", (help / "Numora_RUS/Filters_1049_POSx.htm").string()},
        {"RUS", "SUMS", ""},
    };
    for (const auto& f : files)
        EXPECT_EQ(StatHelpTopicFile(help.string(), f.language, l.Items(At(l, f.code))), f.expected) << f.language << f.code;
    fs::remove_all(help);
}
