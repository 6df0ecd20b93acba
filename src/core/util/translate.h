// The engine's texts in the interface language. Every user-visible text of the engine (messages,
// statistic captions, table headers, status texts) is written in Russian, the built-in language,
// and passes through Tr() where it is used; a text kept in a table is marked with TrNoop() where it
// is written and passed through TrText() where it is shown. The translation tools collect both
// markers (see translations/CMakeLists.txt), so the English module has every such text.
//
// The lookup is one hook: identity until a program sets one (the language modules of
// core/app/languages.h set it when a module is applied). Codes, file contents and other
// machine-readable texts never pass through it.
#pragma once

#include <string>

namespace velmora {

// Returns the translation of a built-in text, or nullptr when there is none.
using TTranslateHook = const std::string* (*)(const std::string& text);

// Sets the hook (nullptr: texts stay as built in). Set it before the engine's texts are used;
// it is read without a lock.
void SetTranslateHook(TTranslateHook hook);

// The text in the current language.
std::string Tr(const char* text);
std::string TrText(const std::string& text);

// Marks a text for translation where it is kept; TrText() translates it where it is shown.
constexpr const char* TrNoop(const char* text) { return text; }

// Marks a Russian text that is deliberately never translated: it is stored in the product's files
// (stake comments, logs, the value texts scripts filter by) or is machine-readable output.
constexpr const char* NoTr(const char* text) { return text; }

} // namespace velmora
