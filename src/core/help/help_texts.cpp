#include "core/help/help_texts.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

namespace velmora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Matches key[k..] against code[c..]; '#' takes one or more digits (every length is tried).
bool MatchFrom(const std::string& key, size_t k, const std::string& code, size_t c, std::string* first) {
    if (k == key.size()) return c == code.size();
    if (key[k] != '#') return c < code.size() && key[k] == code[c] && MatchFrom(key, k + 1, code, c + 1, first);
    size_t end = c;
    while (end < code.size() && IsDigit(code[end])) ++end;
    for (size_t stop = end; stop > c; --stop) {
        if (MatchFrom(key, k + 1, code, stop, nullptr)) {
            if (first) *first = code.substr(c, stop - c);
            return true;
        }
    }
    return false;
}

std::string Fill(const std::string& text, const std::string& digits) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 3, "{N}") == 0) {
            out += digits;
            i += 3;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string TrimBlock(const std::string& s) { return Trim(s); }

} // namespace

bool THelpTexts::KeyMatches(const std::string& key, const std::string& code, std::string* digits) {
    std::string first;
    if (!MatchFrom(key, 0, code, 0, &first)) return false;
    if (digits) *digits = first;
    return true;
}

void THelpTexts::LoadFromFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Error(Format(Tr("Не удалось открыть файл текстов справки: %s"), {file}));
    std::ostringstream text;
    text << in.rdbuf();
    AddText(text.str(), file);
}

void THelpTexts::AddText(const std::string& text, const std::string& source) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    TEntry* cur = nullptr;
    std::string* section = nullptr;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (lineNo == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        if (!line.empty() && line[0] == '#') continue;
        if (!line.empty() && line[0] == '@') {
            entries_.push_back(TEntry{});
            cur = &entries_.back();
            cur->Line = lineNo;
            cur->Source = source;
            std::istringstream keys(line.substr(1));
            std::string key;
            while (keys >> key) {
                if (auto it = seen_.find(key); it != seen_.end())
                    warnings_.push_back(Format(Tr("%s, строка %d: ключ %s уже был: %s"), {source, lineNo, key, it->second}));
                else
                    seen_[key] = Format("%s, %d", {source, lineNo});
                cur->Keys.push_back(key);
            }
            if (cur->Keys.empty()) warnings_.push_back(Format(Tr("%s, строка %d: запись без ключей"), {source, lineNo}));
            section = &cur->Text.Counts;
            continue;
        }
        const std::string word = TrimRight(line);
        if (cur && word == "!filter") {
            section = &cur->Text.Filter;
            continue;
        }
        if (cur && word == "!settings") {
            section = &cur->Text.Settings;
            continue;
        }
        if (!section) {
            if (!Trim(line).empty())
                warnings_.push_back(Format(Tr("%s, строка %d: текст вне записи пропущен"), {source, lineNo}));
            continue;
        }
        *section += line;
        *section += '\n';
    }
    for (auto& e : entries_) {
        if (e.Source != source) continue;
        e.Text.Counts = TrimBlock(e.Text.Counts);
        e.Text.Filter = TrimBlock(e.Text.Filter);
        e.Text.Settings = TrimBlock(e.Text.Settings);
    }
}

int THelpTexts::EntryOf(const std::string& code, bool* pattern) const {
    for (size_t e = 0; e < entries_.size(); ++e)
        for (const auto& k : entries_[e].Keys)
            if (k == code) {
                if (pattern) *pattern = false;
                return int(e);
            }
    for (size_t e = 0; e < entries_.size(); ++e)
        for (const auto& k : entries_[e].Keys)
            if (k.find('#') != std::string::npos && KeyMatches(k, code)) {
                if (pattern) *pattern = true;
                return int(e);
            }
    return -1;
}

THelpText THelpTexts::EntryText(int entry, const std::string& digits) const {
    const THelpText& t = entries_.at(size_t(entry)).Text;
    return THelpText{Fill(t.Counts, digits), Fill(t.Filter, digits), Fill(t.Settings, digits)};
}

std::optional<THelpText> THelpTexts::Find(const std::string& code) const {
    const int e = EntryOf(code);
    if (e < 0) return std::nullopt;
    std::string digits;
    for (const auto& k : entries_[size_t(e)].Keys)
        if (k.find('#') != std::string::npos && KeyMatches(k, code, &digits)) break;
    for (const auto& k : entries_[size_t(e)].Keys)
        if (k == code) digits.clear();
    return EntryText(e, digits);
}

std::vector<std::string> THelpTexts::UnknownKeys(const std::vector<std::string>& codes) const {
    std::vector<std::string> unknown;
    for (const auto& e : entries_)
        for (const auto& k : e.Keys) {
            bool any = false;
            for (const auto& c : codes)
                if (KeyMatches(k, c)) {
                    any = true;
                    break;
                }
            if (!any) unknown.push_back(k);
        }
    return unknown;
}

} // namespace velmora
