// Commands on the favourite statistics and the names of the methods: favourites list, set, reset,
// rename, export, import. They work on the favourites file of the data folder (Velmora_5x50.flt)
// as the manager of the desktop program does.
#include "cli.h"

#include "core/app/languages.h"
#include "core/combs/favourites.h"
#include "core/model/data_folder.h"
#include "core/stats/stat_list.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora::cli {

std::string FavouritesFile() { return ProductFile(".flt"); }

void LoadStatListWithFavourites(TStatList& list) {
    ApplyProgramSettings(list);
    list.LanguageAbbr = LanguageAbbreviation(CurrentLanguage());
    list.Build();
    list.LoadFavourites(FavouritesFile(), true);
}

namespace {

int MethodOfCode(const TStatList& list, const std::string& code) {
    const int i = list.IndexOfCode(Trim(code));
    if (i < 0 || !list.IsAvailable(i)) throw Error(Format(Tr("Неизвестный код статистики: %s"), {code}));
    return i;
}

std::vector<std::string> RestWords(Args& args, const char* what) {
    std::vector<std::string> words;
    for (;;) {
        try {
            words.push_back(args.Positional(what));
        } catch (const Error&) {
            break;
        }
    }
    return words;
}

// The methods of the manager's tree: code, mark ("+" favourite, "-" not), caption (custom or own).
int RunList(Args& args) {
    args.Done();
    TStatList list;
    LoadStatListWithFavourites(list);
    Out(NoTr("Код;Избранное;Название"));
    for (const auto& group : FavouritesTree(list))
        for (int i : group.Methods) {
            const TStatMethod& m = list.Items(i);
            Out(Format("%s;%s;%s", {m.Code(), std::string(m.Visible ? "+" : "-"), m.Caption()}));
        }
    return 0;
}

// What OK of the manager does with exactly these methods marked.
int RunSet(Args& args) {
    const std::vector<std::string> codes = RestWords(args, "CODE");
    args.Done();
    if (codes.empty()) throw Error(Tr("Не указаны коды статистик"));
    LockDataFolder();
    TStatList list;
    LoadStatListWithFavourites(list);
    std::vector<bool> marked(list.Methods.size(), false);
    for (const auto& code : codes) marked[size_t(MethodOfCode(list, code))] = true;
    std::vector<TFavouriteNode> nodes;
    for (int i = 0; i < list.Count(); ++i) nodes.push_back({i, bool(marked[size_t(i)]), list.Items(i).Caption()});
    AcceptFavourites(list, nodes, FavouriteFlags(list));
    list.SaveFavourites(FavouritesFile(), true, false);
    int shown = 0;
    for (int i = 0; i < list.Count(); ++i)
        if (list.IsAvailable(i) && list.IsVisible(i)) ++shown;
    Out(list.AllShown ? Format(Tr("Избранные статистики: все (%d)"), {shown})
                      : Format(Tr("Избранные статистики: %d из %d"), {shown, list.Count()}));
    return 0;
}

int RunReset(Args& args) {
    args.Done();
    LockDataFolder();
    TStatList list;
    LoadStatListWithFavourites(list);
    ResetFavourites(list, FavouritesFile());
    Out(Format(Tr("Избранные статистики: все (%d)"), {list.Count()}));
    return 0;
}

int RunRename(Args& args) {
    const bool restore = args.Flag("--default");
    const std::string code = args.Positional("CODE");
    std::string text;
    if (!restore) text = args.Positional("TEXT");
    args.Done();
    LockDataFolder();
    TStatList list;
    LoadStatListWithFavourites(list);
    const int i = MethodOfCode(list, code);
    TStatMethod& m = list.Items(i);
    m.CustomCaption = restore ? "" : CustomCaptionFor(m, text);
    list.SaveFavourites(FavouritesFile(), true, false);
    Out(Format("%s;%s", {m.Code(), m.Caption()}));
    return 0;
}

int RunExport(Args& args) {
    const std::string file = args.Positional("FILE");
    args.Done();
    TStatList list;
    LoadStatListWithFavourites(list);
    ExportFavouriteNames(list, {}, file);
    Out(Format(Tr("Названий методов: %d"), {list.Count()}));
    return 0;
}

int RunImport(Args& args) {
    const std::string file = args.Positional("FILE");
    args.Done();
    if (!FileExists(file)) throw Error(Format(Tr("Файл \"%s\" не найден!"), {file}));
    LockDataFolder();
    TStatList list;
    LoadStatListWithFavourites(list);
    ImportFavouriteNames(list, file);
    list.SaveFavourites(FavouritesFile(), true, false);
    int custom = 0;
    for (const auto& m : list.Methods)
        if (!m.CustomCaption.empty()) ++custom;
    Out(Format(Tr("Собственных названий методов: %d"), {custom}));
    return 0;
}

int RunFavourites(Args& args) {
    const std::string sub = args.Positional("list | set | reset | rename | export | import");
    if (sub == "list") return RunList(args);
    if (sub == "set") return RunSet(args);
    if (sub == "reset") return RunReset(args);
    if (sub == "rename") return RunRename(args);
    if (sub == "export") return RunExport(args);
    if (sub == "import") return RunImport(args);
    throw Error(Format(Tr("Неизвестная команда favourites %s (list, set, reset, rename, export, import)"), {sub}));
}

CommandRegistrar r1({"favourites",
                     "favourites list | set CODE... | reset | rename CODE (TEXT | --default) | export FILE | "
                     "import FILE",
                     "favourite statistics and method names (Velmora_5x50.flt): lists the methods of the manager by "
                     "group (code;mark;caption, + for a favourite), marks exactly the given methods (all or none: "
                     "no restriction), shows every method again keeping the names, gives a method a name of its own "
                     "or its default one back, writes every method's name to a names file or takes the names of "
                     "one",
                     RunFavourites});

} // namespace
} // namespace velmora::cli
