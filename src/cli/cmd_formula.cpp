// The shredding formulas: formula eval (the evaluator on a text), formula value (EvalShredding
// for given numbers), formula set (change a formula of the settings, as the formula dialog does).
#include "cli.h"

#include "core/app/config.h"
#include "core/combs/prefetch.h"
#include "core/formula/rx_math_parser.h"
#include "core/formula/shredding.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <array>
#include <cstdio>

namespace velmora::cli {
namespace {

// Five numbers 0..50 separated by ";" (or "," or blanks, for shells and scripts where ";" is a
// separator of their own); 0 stands for a missing draw.
std::array<uint8_t, 5> NumbersArg(const std::string& text, const std::string& option) {
    std::array<uint8_t, 5> n{};
    std::vector<std::string> parts;
    for (auto& p : SplitAny(text, ";, "))
        if (!p.empty()) parts.push_back(p);
    bool ok = parts.size() == 5;
    for (size_t i = 0; ok && i < 5; ++i) {
        const auto v = TryStrToInt(Trim(parts[i]));
        ok = v && *v >= 0 && *v <= 50;
        if (ok) n[i] = uint8_t(*v);
    }
    if (!ok) throw Error(Format(Tr("Параметр %s: ожидаются пять чисел от 0 до 50 через \";\": %s"), {option, text}));
    return n;
}

int DigitsArg(Args& args) {
    const auto digits = args.Int("--digits");
    if (!digits) throw Error(Format(Tr("Не указан параметр: %s"), {"--digits K"}));
    if (*digits < kMinFormulaDigits || *digits > kMaxFormulaDigits)
        throw Error(Format(Tr("Количество знаков должно быть от %d до %d"), {kMinFormulaDigits, kMaxFormulaDigits}));
    return *digits;
}

int RunEval(Args& args) {
    const std::string text = args.Positional("TEXT");
    args.Done();
    const long double value = TRxMathParser().Exec(text);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Lg", value);
    Out(buf);
    return 0;
}

int RunValue(Args& args) {
    const int digits = DigitsArg(args);
    const auto draw = args.Value("--draw");
    if (!draw) throw Error(Format(Tr("Не указан параметр: %s"), {"--draw \"a;b;c;d;e\""}));
    const auto nums = NumbersArg(*draw, "--draw");
    const auto prev = NumbersArg(args.Value("--prev").value_or("0;0;0;0;0"), "--prev");
    const auto third = NumbersArg(args.Value("--third").value_or("0;0;0;0;0"), "--third");
    const std::string text = args.Positional("TEXT");
    args.Done();
    Out(std::to_string(EvalShredding(nums.data(), prev.data(), third.data(), digits, text)));
    return 0;
}

// Formula N of the settings file and its digits; the distribution files of the shredding methods
// were made with the old formulas and go (the next comparison builds them anew).
int RunSet(Args& args) {
    const auto digits = args.Int("--digits");
    const auto number = TryStrToInt(args.Positional("N"));
    const std::string text = args.Positional("TEXT");
    args.Done();
    if (!number || *number < 1 || *number > 3) throw Error(Tr("Номер формулы должен быть от 1 до 3"));
    if (digits && (*digits < kMinFormulaDigits || *digits > kMaxFormulaDigits))
        throw Error(Format(Tr("Количество знаков должно быть от %d до %d"), {kMinFormulaDigits, kMaxFormulaDigits}));
    LockDataFolder();
    TConfigFile file;
    file.Load();
    TShreddingData data = ReadShredding(file.Ini());
    data.Formulas[size_t(*number - 1)] = text;
    if (digits) data.Digits[size_t(*number - 1)] = *digits;
    try {
        file.WriteShredding(data);
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка записи в файл конфигурации!\r\r%s"), {e.what()}));
    }
    TStatList list;
    ApplyConfigFile(file.Ini(), list);
    list.Build();
    CreatePrefetchFiles(list, false, false, uint16_t(1u << 12), CliProgress());
    for (int i = 0; i < 3; ++i)
        Out(Format("Formula%d=%s (%d)", {i + 1, data.Formulas[size_t(i)], data.Digits[size_t(i)]}));
    return 0;
}

int RunFormula(Args& args) {
    const std::string what = args.Positional("eval | value | set");
    if (what == "eval") return RunEval(args);
    if (what == "value") return RunValue(args);
    if (what == "set") return RunSet(args);
    throw Error(Format(Tr("Неизвестный параметр: %s"), {what}));
}

CommandRegistrar r1({"formula",
                     "formula eval TEXT | formula value --digits K --draw \"a;b;c;d;e\" [--prev \"a;b;c;d;e\"] "
                     "[--third \"a;b;c;d;e\"] TEXT | formula set N TEXT [--digits K]",
                     "shredding formulas: the value of an expression (17 significant digits, or the evaluator's "
                     "message and exit status 1); the value of a formula for a draw and the two before it; "
                     "change formula N (1..3) of the settings",
                     RunFormula});

} // namespace
} // namespace velmora::cli
