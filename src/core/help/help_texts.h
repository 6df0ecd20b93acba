// The hand-written texts of the statistic topics: one file per language (help/topics/Numora_<ABR>.txt)
// of entries, each naming the method codes it describes.
//
//   # a comment (at column 0)
//   @NUMS                   an entry for one method
//   @COL# ROW#              '#' stands for one run of digits; {N} in the text is what the first
//   <p>what it counts</p>   '#' of the key matched
//   !filter
//   <p>what a filter by it keeps</p>
//   !settings
//   <p>the settings it follows</p>
//
// The text is HTML put into the topic as it is. An exact key wins over a pattern.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The three sections of an entry (each may be empty).
struct THelpText {
    std::string Counts;
    std::string Filter;
    std::string Settings;
};

class THelpTexts {
public:
    // Adds the entries of a file (the texts may be split over several files); a file that cannot
    // be read raises Error.
    void LoadFromFile(const std::string& file);
    // Adds the entries of a text; `source` names it in the warnings.
    void AddText(const std::string& text, const std::string& source);

    // The entry for a method code with {N} filled in; nullopt when no key matches.
    std::optional<THelpText> Find(const std::string& code) const;

    // The entry a code takes (its position in the file order), -1 when none; `pattern` tells whether
    // it was taken through a key with '#'.
    int EntryOf(const std::string& code, bool* pattern = nullptr) const;
    // The text of entry `entry` with {N} replaced by `digits`.
    THelpText EntryText(int entry, const std::string& digits) const;

    // The keys (as written) that match none of the codes, in file order.
    std::vector<std::string> UnknownKeys(const std::vector<std::string>& codes) const;
    // Problems of the file itself (a key given twice, text before the first entry), one line each.
    const std::vector<std::string>& Warnings() const { return warnings_; }

    // Whether a key (exact or with '#') matches a code; *digits gets the run of the first '#'.
    static bool KeyMatches(const std::string& key, const std::string& code, std::string* digits = nullptr);

private:
    struct TEntry {
        std::vector<std::string> Keys;
        THelpText Text;
        int Line = 0;
        std::string Source;
    };
    std::vector<TEntry> entries_;
    std::vector<std::string> warnings_;
    std::map<std::string, std::string> seen_;  // key -> where it was first given
};

} // namespace velmora
