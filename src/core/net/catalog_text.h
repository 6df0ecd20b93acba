// The texts of the catalog exchange (systems and scripts): escaping of the texts a client sends,
// Base64, and the reading of the tagged replies
//   <result><row><id>45</id><title>...</title>...</row><row>...</row></result>
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Codes 0..6 become "\0".."\6", 7 "\a", 8 "\b", 9 "\t", 10 "\n", 11 "\v", 12 "\f", 13 "\r",
// 27 "\e"; the double quote, apostrophe, question mark and backslash get a backslash before them;
// every other byte is copied.
std::string EscapeText(std::string_view text);
// The reverse (used by the catalog server): a backslash before any other character keeps that
// character, a backslash at the end is kept.
std::string UnescapeText(std::string_view text);

// Standard Base64 with "=" padding.
std::string Base64Encode(std::string_view bytes);
// Whitespace is skipped; anything else outside the alphabet, or a bad length, raises Error.
std::string Base64Decode(std::string_view text);

// The content of the first element opened by `openTag` (found ignoring case) up to the next
// `closeTag`, trimmed; a content wrapped in double quotes is unwrapped (a doubled quote inside
// becomes one, a single one is dropped). A missing opening tag gives "". An opening tag without
// its closing tag raises Error("Не удалось найти пару идентификаторов \"<open>\" - \"<close>\" в
// тексте\r\r[<excerpt>]!"), the excerpt being at most the first 300 bytes of the text.
std::string TagValue(std::string_view text, std::string_view openTag, std::string_view closeTag);
// TagValue, and `text` loses everything up to the end of the taken element (nothing when the
// opening tag is missing).
std::string TakeTag(std::string& text, std::string_view openTag, std::string_view closeTag);
// The values (as TagValue gives them) of every element opened by `openTag`, in order, read in one
// forward pass over the text; an opening tag without its closing tag raises the error of TagValue.
std::vector<std::string> TagValues(std::string_view text, std::string_view openTag, std::string_view closeTag);
// True when `text` holds `openTag` (ignoring case).
bool HasTag(std::string_view text, std::string_view openTag);

// The content of a row's element "<name>…</name>" (empty when absent).
std::string TextElement(const std::string& row, const char* name);
// The rows of a catalog reply's "<result>" content; a row with a non-empty "<error>" fails the
// whole request with "Сервер каталога отклонил запрос: %s".
std::vector<std::string> CatalogReplyRows(const std::string& reply);

} // namespace velmora
