#include "core/util/translation_file.h"

#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"
#include "core/util/utf8.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace velmora {

namespace {

// The file starts with this magic; then blocks of a tag byte, a 32-bit big-endian length and the
// data. The block of messages holds, per message, tagged fields up to the end tag.
constexpr unsigned char kMagic[16] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                                      0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
constexpr unsigned char kBlockMessages = 0x69;
enum : unsigned char {
    kTagEnd = 1,
    kTagSourceText16 = 2,
    kTagTranslation = 3,
    kTagContext16 = 4,
    kTagObsolete1 = 5,
    kTagSourceText = 6,
    kTagContext = 7,
    kTagComment = 8,
};

struct Reader {
    const unsigned char* p;
    const unsigned char* end;
    bool Has(size_t n) const { return size_t(end - p) >= n; }
    uint32_t U32() {
        if (!Has(4)) throw Error(Tr("обрыв файла"));
        const uint32_t v = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
        p += 4;
        return v;
    }
    std::string Bytes(uint32_t n) {
        if (!Has(n)) throw Error(Tr("обрыв файла"));
        std::string s(reinterpret_cast<const char*>(p), n);
        p += n;
        return s;
    }
};

// Translations are stored in UTF-16, big-endian.
std::string FromUtf16Be(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        uint32_t c = uint32_t(uint8_t(bytes[i])) << 8 | uint8_t(bytes[i + 1]);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const uint32_t lo = uint32_t(uint8_t(bytes[i + 2])) << 8 | uint8_t(bytes[i + 3]);
            if (lo >= 0xDC00 && lo < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                i += 2;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace

void TTranslationFile::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(Format(Tr("не удалось открыть файл: %s"), {std::strerror(errno)}));
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw Error(Format(Tr("ошибка чтения файла: %s"), {std::strerror(errno)}));
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    if (data.size() < sizeof kMagic || std::memcmp(bytes, kMagic, sizeof kMagic) != 0)
        throw Error(Tr("файл не является языковым модулем"));
    Reader file{bytes + sizeof kMagic, bytes + data.size()};
    std::unordered_map<std::string, std::string> texts;
    while (file.p < file.end) {
        const unsigned char tag = *file.p++;
        const uint32_t length = file.U32();
        if (!file.Has(length)) throw Error(Tr("обрыв файла"));
        Reader block{file.p, file.p + length};
        file.p += length;
        if (tag != kBlockMessages) continue;
        while (block.p < block.end) {
            std::string source, translation;
            bool hasTranslation = false;
            for (bool done = false; !done;) {
                if (!block.Has(1)) throw Error(Tr("обрыв файла"));
                switch (*block.p++) {
                case kTagEnd: done = true; break;
                case kTagTranslation: {
                    const uint32_t n = block.U32();
                    if (n == 0xFFFFFFFFu) break;  // a null translation
                    translation = FromUtf16Be(block.Bytes(n));
                    hasTranslation = true;
                    break;
                }
                case kTagObsolete1: block.U32(); break;
                case kTagSourceText: source = block.Bytes(block.U32()); break;
                case kTagContext:
                case kTagComment: block.Bytes(block.U32()); break;
                case kTagSourceText16:
                case kTagContext16: block.Bytes(block.U32()); break;
                default: throw Error(Tr("неизвестная запись в файле"));
                }
            }
            // The first translation of a text wins; a text may stand in several contexts.
            if (hasTranslation && !source.empty()) texts.emplace(std::move(source), std::move(translation));
        }
    }
    texts_ = std::move(texts);
}

const std::string* TTranslationFile::Find(const std::string& source) const {
    auto it = texts_.find(source);
    return it == texts_.end() ? nullptr : &it->second;
}

} // namespace velmora
