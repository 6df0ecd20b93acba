// The statistic part of the help document: stats.htm (every topic by group) and one topic file
// Filters_1049_<base code>.htm per base code, composed from the engine (captions, flags, values, a
// worked example on a fixed archive) and the hand-written texts (core/help/help_texts.h). Texts are
// in the current interface language.
#pragma once

#include "core/help/help_texts.h"
#include "core/model/draws_archive.h"

#include <string>
#include <vector>

namespace velmora {

struct THelpTopicsReport {
    int Topics = 0;                     // topic files written
    std::vector<std::string> Missing;   // method codes without a hand-written entry, registry order
    std::vector<std::string> Unknown;   // keys of the texts that match no method
};

// The 30 draws the topics' examples are computed on (numbered 1..30, in drawn order).
const TDrawsArray& HelpExampleDraws();

// Writes stats.htm and every topic into outDir (created when missing), for the statistic list built
// with the default settings. A file that cannot be written raises Error.
THelpTopicsReport WriteHelpTopics(const THelpTexts& texts, const std::string& outDir);

} // namespace velmora
