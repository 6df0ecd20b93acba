#include "core/util/ini.h"

#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unordered_set>

namespace velmora {

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) { Load(); }

void TIniFile::Load() {
    Clear();
    struct stat st {};
    if (fileName_.empty() || ::stat(fileName_.c_str(), &st) != 0) {
        if (!fileName_.empty() && errno != ENOENT && errno != ENOTDIR)
            throw std::runtime_error(Format(Tr("Не удается открыть файл \"%s\""), {fileName_}));
        return;  // a missing file is an empty ini
    }
    if (S_ISDIR(st.st_mode)) throw std::runtime_error(Format(Tr("Не удается открыть файл \"%s\": это папка"), {fileName_}));
    SetLines(ReadTextLines(fileName_));
}

void TIniFile::Save() const { WriteTextLines(fileName_, Lines()); }

void TIniFile::SetLines(const std::vector<std::string>& lines) {
    Clear();
    // Sections and keys are looked up through hashes of their upper-case names, so that reading
    // stays linear in the size of the file however many sections or keys it has.
    std::vector<std::unordered_set<std::string>> keys;
    size_t cur = 0;  // the section the next lines belong to (a repeated header continues the first)
    for (const auto& raw : lines) {
        std::string s = Trim(raw);
        if (s.empty()) continue;
        if (s.front() == '[' && s.back() == ']') {
            std::string name = Trim(s.substr(1, s.size() - 2));
            auto [it, added] = index_.emplace(UpperCase(name), sections_.size());
            cur = it->second;
            if (added) {
                sections_.push_back({name, {}});
                keys.emplace_back();
            }
            continue;
        }
        // Lines before the first header go to the unnamed section.
        if (sections_.empty()) {
            index_.emplace("", 0);
            sections_.push_back({"", {}});
            keys.emplace_back();
        }
        Section& sec = sections_[cur];
        auto eq = s.find('=');
        std::string key = (s.front() == ';' || eq == std::string::npos) ? std::string() : Trim(s.substr(0, eq));
        if (key.empty()) {
            sec.Lines.push_back({"", "", s});
            continue;
        }
        if (!keys[cur].insert(UpperCase(key)).second) continue;  // the first occurrence wins
        sec.Lines.push_back({key, Trim(s.substr(eq + 1)), ""});
    }
}

std::vector<std::string> TIniFile::Lines() const {
    std::vector<std::string> out;
    bool first = true;
    for (const auto& sec : sections_) {
        if (sec.Name.empty() && first) {
            // the unnamed section is written without a header
        } else {
            if (!out.empty()) out.push_back("");
            out.push_back("[" + sec.Name + "]");
        }
        first = false;
        for (const auto& l : sec.Lines) out.push_back(l.Key.empty() ? l.Raw : l.Key + "=" + l.Value);
    }
    return out;
}

const TIniFile::Section* TIniFile::Find(const std::string& section) const {
    auto it = index_.find(UpperCase(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

TIniFile::Section* TIniFile::Find(const std::string& section) {
    auto it = index_.find(UpperCase(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

void TIniFile::Clear() {
    sections_.clear();
    index_.clear();
}

const TIniFile::Line* TIniFile::FindKey(const Section& s, const std::string& key) {
    for (const auto& l : s.Lines)
        if (!l.Key.empty() && SameText(l.Key, key)) return &l;
    return nullptr;
}

bool TIniFile::SectionExists(const std::string& section) const { return Find(section) != nullptr; }

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    const Section* s = Find(section);
    return s && FindKey(*s, key);
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> out;
    for (const auto& s : sections_)
        if (!s.Name.empty()) out.push_back(s.Name);
    return out;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
    std::vector<std::string> out;
    if (const Section* s = Find(section))
        for (const auto& l : s->Lines)
            if (!l.Key.empty()) out.push_back(l.Key);
    return out;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    const Section* s = Find(section);
    if (!s) return def;
    const Line* l = FindKey(*s, key);
    return l ? l->Value : def;
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
    std::string v = Trim(ReadString(section, key, ""));
    if (v.empty()) return def;
    if (auto i = TryStrToInt(v)) return *i;
    // Hexadecimal forms "$1F" and "0x1F".
    size_t start = 0;
    if (v[0] == '$')
        start = 1;
    else if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X'))
        start = 2;
    if (start == 0 || start >= v.size() || v.size() - start > 8) return def;
    uint32_t r = 0;
    for (size_t i = start; i < v.size(); ++i) {
        char c = v[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return def;
        r = r * 16 + uint32_t(d);
    }
    return int32_t(r);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const std::string& section, const std::string& key, double def) const {
    double v;
    return TryIniTextToFloat(ReadString(section, key, ""), v) ? v : def;
}

namespace {

// A line break (or any other control character) inside a section name, key or value would make
// the next read see other lines: such a write is refused before anything changes.
void RequirePlainText(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& fileName) {
    for (char c : text)
        if (uint8_t(c) < 0x20 || uint8_t(c) == 0x7F) {
            std::string shown = key;
            for (char& k : shown)
                if (uint8_t(k) < 0x20 || uint8_t(k) == 0x7F) k = ' ';
            throw Error(Format(Tr("Значение \"%s\" содержит управляющие символы (перевод строки, табуляцию) и не может "
                                  "быть записано в файл \"%s\""),
                               {shown, fileName}));
        }
    (void)section;
}

} // namespace

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    // Every writer (integers, floats, flags) comes through here.
    for (const std::string* text : {&section, &key, &value}) RequirePlainText(*text, section, key, fileName_);
    Section* s = Find(section);
    if (!s) {
        index_.emplace(UpperCase(Trim(section)), sections_.size());
        sections_.push_back({Trim(section), {}});
        s = &sections_.back();
    }
    for (auto& l : s->Lines)
        if (!l.Key.empty() && SameText(l.Key, key)) {
            l.Value = Trim(value);
            return;
        }
    s->Lines.push_back({Trim(key), Trim(value), ""});
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteFloat(const std::string& section, const std::string& key, double value) {
    WriteString(section, key, FloatToIniText(value));
}

void TIniFile::EraseSection(const std::string& section) {
    for (auto it = sections_.begin(); it != sections_.end(); ++it)
        if (SameText(it->Name, section)) {
            sections_.erase(it);
            index_.clear();
            for (size_t i = 0; i < sections_.size(); ++i) index_.emplace(UpperCase(sections_[i].Name), i);
            return;
        }
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    Section* s = Find(section);
    if (!s) return;
    for (auto it = s->Lines.begin(); it != s->Lines.end(); ++it)
        if (!it->Key.empty() && SameText(it->Key, key)) {
            s->Lines.erase(it);
            return;
        }
}

std::string FloatToIniText(double value) {
    if (!std::isfinite(value)) value = 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s = buf;
    if (s == "-0") s = "0";
    auto dot = s.find('.');
    if (dot != std::string::npos) s[dot] = CurrentNumberFormat().DecimalSeparator;
    return s;
}

bool TryIniTextToFloat(const std::string& text, double& value) {
    std::string s = Trim(text);
    if (s.empty()) return false;
    for (auto& c : s)
        if (c == ',') c = '.';
    // Only an optional sign, digits, one separator and an exponent are numbers here.
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return false;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v)) return false;
    value = v;
    return true;
}

} // namespace velmora
