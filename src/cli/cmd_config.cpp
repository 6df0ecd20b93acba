// The program settings: config (print the settings in force; change the matrix, channel, cost and
// prize settings with the same rules as the settings dialog).
#include "cli.h"

#include "core/app/config.h"
#include "core/util/translate.h"
#include "core/combs/prefetch.h"
#include "core/model/game.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

namespace velmora::cli {
namespace {

int64_t MoneyArg(const std::string& text, const std::string& option) {
    if (auto money = MoneyFromText(text)) return *money;
    throw Error(Format(Tr("Некорректная сумма параметра %s: %s"), {option, text}));
}

int RunConfig(Args& args) {
    auto cols = args.Int("--matrix-cols");
    auto channel = args.Int("--channel-size");
    auto segments = args.Value("--segments");
    auto cost = args.Value("--cost");
    auto prizes = args.Values("--prize");
    args.Done();
    const bool change = cols || channel || segments || cost || !prizes.empty();
    if (change) LockDataFolder();

    TConfigFile file;
    file.Load();
    TConfigData config = ReadConfig(file.Ini());
    const TConfigData before = config;
    if (cols) {
        if (*cols < kMinMatrixCols || *cols > kMaxMatrixCols)
            throw Error(Format(Tr("Размер матрицы должен быть от %d до %d"), {kMinMatrixCols, kMaxMatrixCols}));
        config.MatrixCols = *cols;
    }
    if (channel) {
        if (*channel < kMinChannelSize || *channel > kMaxChannelSize)
            throw Error(Format(Tr("Размер канала должен быть от %d до %d"), {kMinChannelSize, kMaxChannelSize}));
        config.ChannelSize = *channel;
    }
    if (segments) config.MatrixSegments = TextToSegments(*segments);
    if (cost) config.Cost = MoneyArg(*cost, "--cost");
    if (!prizes.empty()) {
        auto rows = ProfitRows(config.Profits);
        for (const auto& p : prizes) {
            auto eq = p.find('=');
            auto k = eq == std::string::npos ? std::nullopt : TryStrToInt(p.substr(0, eq));
            if (!k || *k < 0 || *k >= kProfitRows)
                throw Error(Format(Tr("Выигрыш задается как K=СУММА, K от 0 до %d: %s"), {kProfitRows - 1, p}));
            rows[size_t(*k)] = MoneyArg(p.substr(eq + 1), "--prize");
        }
        config.Profits = ProfitsFromRows(rows);
    }
    if (change) {
        file.WriteConfig(config);
        // Distribution files of the groups whose values follow the changed settings were made
        // under the old ones: they go, and the next comparison or prefetch builds them anew.
        if (const uint16_t groups = ConfigChangeGroups(before, config); groups != 0) {
            TStatList list;
            ApplyConfigFile(file.Ini(), list);
            list.Build();
            CreatePrefetchFiles(list, false, false, groups, CliProgress());
        }
    }

    const TGenerateParams gen = ReadGenerateParams(file.Ini());
    const TShreddingData shred = ReadShredding(file.Ini());
    Out(Format("MatrixCols=%d", {config.MatrixCols}));
    Out(Format("MatrixRows=%d", {GroupCount(1, 50, config.MatrixCols)}));
    Out("MatrixSegments=" + SegmentsToText(config.MatrixSegments));
    Out(Format("ChannelSize=%d", {config.ChannelSize}));
    Out(Format("CombsGenerateMode=%d", {int(gen.Mode)}));
    Out("CombsGenerateParameters=" + gen.Param);
    Out("Cost=" + MoneyToText(config.Cost));
    Out(Format("MaxStake=%d", {config.MaxStake}));
    const auto rows = ProfitRows(config.Profits);
    for (int k = 0; k < kProfitRows; ++k) Out(Format("Profit_%d=%s", {k, MoneyToText(rows[size_t(k)])}));
    Out(Format("Count=%.3f", {double(config.Weights.Count)}));
    Out(Format("Deviation=%.3f", {double(config.Weights.Deviation)}));
    Out(Format("Level=%.3f", {double(config.Weights.Level)}));
    Out(Format("UsePercents=%d", {config.Weights.UsePercents ? 1 : 0}));
    Out(Format("UseAbsValues=%d", {config.Weights.UseAbsValues ? 1 : 0}));
    for (int i = 0; i < 3; ++i)
        Out(Format("Formula%d=%s (%d)", {i + 1, shred.Formulas[size_t(i)], shred.Digits[size_t(i)]}));
    return 0;
}

CommandRegistrar r1({"config",
                     "config [--matrix-cols N] [--channel-size N] [--segments DIGITS] [--cost X] [--prize K=X ...]",
                     "prints the settings in force (Velmora_5x50.ini); the options change and write them", RunConfig});

} // namespace
} // namespace velmora::cli
