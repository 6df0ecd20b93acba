// Ini files of the product (settings, window settings, favourites): "[SECTION]" lines and
// "key=value" lines in cp1251 with CR LF. Section and key names compare without regard to case;
// keys and values are trimmed. The whole file is held in memory and written back whole and
// atomically, so a failed write never leaves a half-written file.
//
// Reading rules: a missing file is an empty file; blank lines are skipped; lines starting with
// ";" are comments and are kept in place; a "key=value" line before the first section belongs to
// an unnamed section that is written back first; a line without "=" inside a section is kept as
// it is. When a section or key occurs twice, the first occurrence is read and written to.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmora {

class TIniFile {
public:
    TIniFile() = default;
    // Reads the file when it exists; a read error is raised (see Load).
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }

    // Replaces the contents with the file's; a missing file gives an empty ini. A file that
    // exists but cannot be read raises std::runtime_error with the system's message.
    void Load();
    // Writes the whole ini to FileName atomically (cp1251, CR LF); raises on failure.
    void Save() const;

    // The text form, one line per element (UTF-8), and its reverse.
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    void Clear();

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    // Section names in file order (without the unnamed one); keys of one section in file order.
    std::vector<std::string> ReadSections() const;
    std::vector<std::string> ReadSection(const std::string& section) const;

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // A decimal integer (optional sign, surrounding blanks allowed) or "$"/"0x" hexadecimal;
    // def when absent or not an integer.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
    // An integer value other than 0 is true; def when absent or not an integer.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    // A decimal number with "," or "." as the separator; def when absent or not a number.
    double ReadFloat(const std::string& section, const std::string& key, double def) const;

    // A section name, key or value with a control character (CR, LF, TAB ...) is refused with
    // Error before anything changes: it would break the line structure of the file.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int64_t value);
    // Written as "1" or "0".
    void WriteBool(const std::string& section, const std::string& key, bool value);
    // Up to 15 significant digits with the locale decimal separator ("1,5", "-1", "0,001").
    void WriteFloat(const std::string& section, const std::string& key, double value);

    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);

private:
    struct Line {
        std::string Key;  // empty for a comment or a line without "="
        std::string Value;
        std::string Raw;  // the text of a comment or other line
    };
    struct Section {
        std::string Name;
        std::vector<Line> Lines;
    };

    const Section* Find(const std::string& section) const;
    Section* Find(const std::string& section);
    static const Line* FindKey(const Section& s, const std::string& key);

    std::string fileName_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> index_;  // upper-case section name -> position
};

// The float text written by TIniFile::WriteFloat.
std::string FloatToIniText(double value);
// Reads a decimal number with "," or "." as the separator; false when the text is not one.
bool TryIniTextToFloat(const std::string& text, double& value);

} // namespace velmora
