#include "core/util/markers.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora {

std::string Unquote(const std::string& text) {
    std::string t = Trim(text);
    if (t.size() > 1 && t.front() == '"' && t.back() == '"') {
        std::string inner = t.substr(1, t.size() - 2), out;
        for (size_t i = 0; i < inner.size(); ++i) {
            out += inner[i];
            if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') ++i;
        }
        return out;
    }
    return t;
}

namespace {

// Finds the piece; returns false when the open marker is absent or the close marker is absent
// in a mode that gives empty. consumed is where the text after the piece (and its close) begins.
bool FindBetween(const std::string& text, const std::string& open, const std::string& close, int mode,
                 std::string& piece, size_t& consumed) {
    size_t o = FindNoCase(text, open);
    if (o == std::string::npos) return false;
    size_t start = o + open.size();
    if (close.empty()) {
        piece = text.substr(start);
        consumed = text.size();
        return true;
    }
    size_t c = FindNoCase(text, close, start);
    if (c == std::string::npos) {
        if (mode == 0)
            throw Error(Format(Tr("Не удалось найти пару идентификаторов \"%1:s\" - \"%2:s\" в тексте\r\r[%0:s]!"),
                               {TextExcerpt(text), open, close}));
        if (mode != 2) return false;
        piece = text.substr(start);
        consumed = text.size();
        return true;
    }
    piece = text.substr(start, c - start);
    consumed = c + close.size();
    return true;
}

} // namespace

std::string ExtractBetween(const std::string& text, const std::string& open, const std::string& close, int mode) {
    std::string piece;
    size_t consumed = 0;
    if (!FindBetween(text, open, close, mode, piece, consumed)) return std::string();
    return Unquote(piece);
}

std::string CutBetween(std::string& text, const std::string& open, const std::string& close, int mode) {
    std::string piece;
    size_t consumed = 0;
    if (!FindBetween(text, open, close, mode, piece, consumed)) return std::string();
    text.erase(0, consumed);
    return Unquote(piece);
}

std::string CutSection(std::string& text, const std::string& marker) {
    size_t m = FindNoCase(text, marker);
    if (m == std::string::npos || marker.empty()) {
        text.clear();
        return std::string();
    }
    size_t start = m + marker.size();
    size_t next = FindNoCase(text, marker, start);
    std::string piece = text.substr(start, next == std::string::npos ? std::string::npos : next - start);
    text.erase(0, next == std::string::npos ? text.size() : next);
    return Unquote(piece);
}

} // namespace velmora
