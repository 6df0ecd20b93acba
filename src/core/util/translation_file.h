// A compiled translation file as the translation tools write it (lrelease's .qm format), read
// without the toolkit: the engine's texts and the command line use it, the desktop program loads
// the same file into its own translator for the window texts.
#pragma once

#include <string>
#include <unordered_map>

namespace velmora {

class TTranslationFile {
public:
    // Reads the file. Raises Error (with the reason) when it cannot be read or is not a translation
    // file; the texts read before stay.
    void Load(const std::string& path);
    // The translation of a source text (of any context), or nullptr.
    const std::string* Find(const std::string& source) const;
    size_t Size() const { return texts_.size(); }

private:
    std::unordered_map<std::string, std::string> texts_;
};

} // namespace velmora
