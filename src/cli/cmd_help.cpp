// The statistic topics of the help document: help-topics.
#include "cli.h"

#include "core/app/languages.h"
#include "core/help/help_texts.h"
#include "core/help/help_topics.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

namespace velmora::cli {
namespace {

int RunHelpTopics(Args& args) {
    const std::string abbr = UpperCase(args.Value("--lang").value_or("RUS"));
    const auto textsFiles = args.Values("--texts");
    const auto out = args.Value("--out");
    const bool strict = args.Flag("--strict");
    args.Done();
    if (!out) throw Error(Format(Tr("Не указан параметр: %s"), {"--out"}));
    if (strict && textsFiles.empty()) throw Error(Format(Tr("Не указан параметр: %s"), {"--texts"}));
    const TLanguageInfo* language = nullptr;
    for (const auto& l : KnownLanguages())
        if (abbr == l.Abbreviation) language = &l;
    if (!language) throw Error(Format(Tr("Неизвестный язык: %s"), {abbr}));
    // The topics speak the language they are written for: its module gives the engine's texts.
    SetLanguage(language->Lcid);
    if (CurrentLanguage() != language->Lcid)
        PrintMessage(Format(Tr("Языковый модуль \"%s\" не найден!"), {LanguageModuleFile(language->Lcid)}));

    THelpTexts texts;
    for (const auto& file : textsFiles) texts.LoadFromFile(file);
    for (const auto& w : texts.Warnings()) PrintMessage(w);
    const THelpTopicsReport report = WriteHelpTopics(texts, *out);
    bool failed = false;
    if (!report.Unknown.empty()) {
        PrintMessage(Format(Tr("Ключи текстов справки, которым не соответствует ни один метод: %s"),
                            {Join(report.Unknown, " ")}));
        failed = strict;
    }
    if (!report.Missing.empty()) {
        PrintMessage(Format(Tr("Методы без текста справки (%d): %s"),
                            {int(report.Missing.size()), Join(report.Missing, " ")}));
        failed = failed || strict;
    }
    Out(Format(NoTr("%d"), {report.Topics}));
    return failed ? 1 : 0;
}

CommandRegistrar r({"help-topics", "help-topics [--lang RUS|ENU] [--texts FILE ...] --out DIR [--strict]",
                    "writes the statistic part of the help document into DIR: stats.htm and one topic "
                    "Filters_1049_<base code>.htm per method, composed from the engine and the hand-written "
                    "texts of the FILEs (an entry may be in any of them), and prints the number of topics; methods without a text and keys that "
                    "match no method are warnings (errors with --strict)",
                    RunHelpTopics});

} // namespace
} // namespace velmora::cli
