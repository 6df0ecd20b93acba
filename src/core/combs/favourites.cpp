#include "core/combs/favourites.h"

#include "core/app/help.h"
#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora {

std::vector<TFavouriteGroup> FavouritesTree(const TStatList& list) {
    std::vector<TFavouriteGroup> groups;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsAvailable(i)) continue;
        const int g = list.Items(i).StatClass->GetGroup();
        const std::string caption = GroupCaption(g);
        TFavouriteGroup* group = nullptr;
        for (auto& existing : groups)
            if (SameText(existing.Caption, caption)) group = &existing;
        if (!group) {
            groups.push_back({g, caption, {}});
            group = &groups.back();
        }
        group->Methods.push_back(i);
    }
    return groups;
}

std::string CustomCaptionFor(const TStatMethod& method, const std::string& caption) {
    std::string text = Trim(caption);
    // The file keeps captions trimmed; a blank one is the method's own.
    if (text.empty() || SameText(text, method.FormattedCaption())) return "";
    return text;
}

void ApplyFavouritesTree(TStatList& list, const std::vector<TFavouriteNode>& nodes, bool withMarks) {
    for (const auto& node : nodes) {
        if (node.Method < 0 || node.Method >= list.Count()) continue;
        TStatMethod& m = list.Items(node.Method);
        if (withMarks) m.Visible = node.Marked;
        m.CustomCaption = CustomCaptionFor(m, node.Caption);
    }
}

void AcceptFavourites(TStatList& list, const std::vector<TFavouriteNode>& nodes, const TFavouriteFlags& flags) {
    ApplyFavouritesTree(list, nodes, true);
    list.NormaliseFavourites();
    list.Ordered = flags.Ordered;
    list.ShowGroupName = flags.ShowGroupName;
    list.ShowMethodFlags = flags.ShowMethodFlags;
}

TFavouriteFlags FavouriteFlags(const TStatList& list) { return {list.Ordered, list.ShowGroupName, list.ShowMethodFlags}; }

void ResetFavourites(TStatList& list, const std::string& favouritesFile) {
    list.ShowAll();
    list.SaveFavourites(favouritesFile, true, false);
}

void ImportFavouriteNames(TStatList& list, const std::string& file) { list.LoadFavourites(file, false); }

void ExportFavouriteNames(TStatList& list, const std::vector<TFavouriteNode>& nodes, const std::string& file) {
    // Writing over a file of the data folder (the favourites file itself, say) would turn every
    // caption into a custom one there.
    if (IsDataFolderFile(file)) throw Error(Format(Tr("Нельзя экспортировать в файл данных программы \"%s\"!"), {file}));
    std::vector<std::string> captions;
    captions.reserve(list.Methods.size());
    for (const auto& m : list.Methods) captions.push_back(m.CustomCaption);
    auto restore = [&] {
        for (size_t i = 0; i < captions.size(); ++i) list.Methods[i].CustomCaption = captions[i];
    };
    try {
        ApplyFavouritesTree(list, nodes, false);
        list.SaveFavourites(file, false, true);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

std::string StatHelpTopic(const TStatMethod& method) { return method.StatClass->GetHelpTopic(method.Param); }

std::string StatHelpTopicFile(const std::string& helpDir, const std::string& languageAbbr, const TStatMethod& method) {
    return HelpPageFile(FindGuideInDir(helpDir, languageAbbr), StatHelpTopic(method));
}

} // namespace velmora
