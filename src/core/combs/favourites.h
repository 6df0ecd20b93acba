// Favourite statistics: the tree of the favourites manager (groups of the available methods), the
// marks and captions the user gives the methods there, resetting the favourites, the exchange of
// method names through files and the help topic of a method. The favourites file itself is read
// and written by TStatList (LoadFavourites, SaveFavourites).
#pragma once

#include "core/stats/stat_list.h"

#include <string>
#include <vector>

namespace velmora {

// One group of the favourites tree: its caption (GroupCaption) and its methods in registry order.
struct TFavouriteGroup {
    int Group = 0;
    std::string Caption;
    std::vector<int> Methods;  // list indices
};

// The groups that have an available method, in the order in which the registry first meets them
// (groups whose captions are the same ignoring case are one group).
std::vector<TFavouriteGroup> FavouritesTree(const TStatList& list);

// One method node of the tree as the user left it.
struct TFavouriteNode {
    int Method = -1;
    bool Marked = false;
    std::string Caption;
};

// The custom caption a caption typed for the method stands for: empty when it is the method's own
// caption (ignoring case) or blank, else the text as typed (trimmed).
std::string CustomCaptionFor(const TStatMethod& method, const std::string& caption);

// Puts the nodes into the list: the captions (CustomCaptionFor) and, when withMarks, the marks as
// Visible. Nodes of unknown methods are skipped.
void ApplyFavouritesTree(TStatList& list, const std::vector<TFavouriteNode>& nodes, bool withMarks);

// What OK of the manager does: the nodes with their marks, NormaliseFavourites (all marked or all
// unmarked is no restriction) and the three display switches.
struct TFavouriteFlags {
    bool Ordered = false;
    bool ShowGroupName = true;
    bool ShowMethodFlags = true;
};
void AcceptFavourites(TStatList& list, const std::vector<TFavouriteNode>& nodes, const TFavouriteFlags& flags);
TFavouriteFlags FavouriteFlags(const TStatList& list);

// Every available method shown again (no restriction); the custom captions and the switches stay.
// The favourites file is written (with the switches, custom captions only).
void ResetFavourites(TStatList& list, const std::string& favouritesFile);

// The names of the methods from a names file: every method's custom caption := the file's caption
// for its code (empty when the file has none), in force at once. An error leaves the list alone.
void ImportFavouriteNames(TStatList& list, const std::string& file);

// Writes the current caption of every method (custom or own) to the names file, the captions of
// the nodes first; the captions in memory are as they were before the call afterwards, also when
// writing fails. The program's data files are never a target.
void ExportFavouriteNames(TStatList& list, const std::vector<TFavouriteNode>& nodes, const std::string& file);

// The method's help topic: Format("Filters_%.4d_%s.htm", [1049, base code]) (all POS methods share
// Filters_1049_POSx.htm).
std::string StatHelpTopic(const TStatMethod& method);
// The topic's file in the help folder helpDir (core/app/help.h): <helpDir>/Numora_<ABR>/<topic>, of the
// Russian guide when the language has none; "" when the topic does not exist.
std::string StatHelpTopicFile(const std::string& helpDir, const std::string& languageAbbr, const TStatMethod& method);

} // namespace velmora
