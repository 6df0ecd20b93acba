// The program settings file (Velmora_5x50.ini in the data folder): the matrix, channel and segment
// settings, the stake cost and prize table, the weights of the "Вес" column ("GLOBAL", "STAKES",
// "CDL"), the generation parameters ("GLOBAL"), the shredding formulas ("SHREDDING") and the proxy
// ("PROXY").
//
// The file is held in memory (TConfigFile) and every writer writes all of its keys and then the
// whole file, atomically; keys the program does not know are kept. A reader takes the default of
// each key that is missing or malformed, so a damaged file never stops the program:
//   - a text that is not a number, and a number outside what the setting can hold (MatrixCols
//     1..50, ChannelSize 3..50, digits 1..5, an overlap 0..255, money beyond ±9·10^14), gives the
//     default of that key;
//   - "Profits" is read as at most kMaxProfitEntries entries.
#pragma once

#include "core/combs/comb_set.h"
#include "core/stats/stat_config.h"
#include "core/util/ini.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class TStatList;

// Sections and ranges of the settings file.
constexpr const char* kSectionGlobal = "GLOBAL";
constexpr const char* kSectionStakes = "STAKES";
constexpr const char* kSectionCdl = "CDL";
constexpr const char* kSectionShredding = "SHREDDING";
constexpr const char* kSectionProxy = "PROXY";
constexpr int kMinMatrixCols = 1, kMaxMatrixCols = 50;
constexpr int kMinChannelSize = 3, kMaxChannelSize = 50;
constexpr int kMinFormulaDigits = 1, kMaxFormulaDigits = 5;
constexpr int kMaxProfitEntries = 256;
// The prize rows of the settings dialog: one per number of matches 0..5.
constexpr int kProfitRows = 6;

// The file of the data folder.
std::string ConfigFile();

// Money: the settings keep amounts as reals, the program as ten-thousandths. MoneyFromFloat
// rounds halves to even; false (and out untouched) for a value that is not finite or beyond
// ±9·10^14 currency units.
bool MoneyFromFloat(double value, int64_t& out);
double MoneyToFloat(int64_t money);
// An amount as typed or stored ("1,5", "2.25"); nothing when it is not one.
std::optional<int64_t> MoneyFromText(const std::string& text);
// An amount with two decimals, as the settings dialog and the command line show it.
std::string MoneyToText(int64_t money);

// The segment map as 50 digits, number 1 first; and back: character i (1..50) read as a digit, 1
// when missing or not a digit.
std::string SegmentsToText(const std::array<uint8_t, 50>& segments);
std::array<uint8_t, 50> TextToSegments(const std::string& text);

// The prize table as the settings dialog shows it: row k holds the prize of the first entry whose
// Overlap is k (0 when there is none), as StakeProfit finds it.
std::array<int64_t, kProfitRows> ProfitRows(const std::vector<TProfitEntry>& profits);
// And back: six entries with the overlaps 0..5 in row order.
std::vector<TProfitEntry> ProfitsFromRows(const std::array<int64_t, kProfitRows>& rows);

// The statistic groups whose values follow the settings that changed, as a group mask (bit g for
// group g): 3 channels (ChannelSize), 4 matrix (MatrixCols), 5 segments (the segment map).
uint16_t ConfigChangeGroups(const TConfigData& before, const TConfigData& after);

// The shredding formulas and their digit counts.
struct TShreddingData {
    std::array<std::string, 3> Formulas = {kDefaultFormulas[0], kDefaultFormulas[1], kDefaultFormulas[2]};
    std::array<int32_t, 3> Digits = {kDefaultFormulaDigits, kDefaultFormulaDigits, kDefaultFormulaDigits};
    bool operator==(const TShreddingData&) const = default;
};

// The proxy of the draw download. Mode: 0 none, 1 automatic search, 2 manual.
struct TProxy {
    uint8_t Mode = 0;
    std::string Server;
    int32_t Port = 80;
    std::string Username;
    std::string Password;
    bool Saved = false;  // the values above are those of the settings file
    bool operator==(const TProxy&) const = default;
};

// Readers and writers of the sections on an ini held in memory.
TConfigData ReadConfig(const TIniFile& ini);
void WriteConfig(TIniFile& ini, const TConfigData& config);
TGenerateParams ReadGenerateParams(const TIniFile& ini);
void WriteGenerateParams(TIniFile& ini, const TGenerateParams& params);
TShreddingData ReadShredding(const TIniFile& ini);
void WriteShredding(TIniFile& ini, const TShreddingData& data);
// "ProxyMode" missing: 2 when "ProxyServer" is set, else 0. The result is Saved.
TProxy LoadProxySettings(const TIniFile& ini);
void SaveProxySettings(TIniFile& ini, const TProxy& proxy);

// The settings file of the program: read once at start-up, each writer writes its keys into the
// copy in memory and then the whole file.
class TConfigFile {
public:
    explicit TConfigFile(std::string fileName = ConfigFile());

    const std::string& FileName() const { return ini_.FileName(); }
    const TIniFile& Ini() const { return ini_; }

    // Reads the file (a missing file is an empty one). A file that cannot be read raises Error with
    // the system's message and leaves an empty copy, so every reader gives the defaults.
    void Load();

    // The writers raise Error with the system's message when the file cannot be written; the
    // copy in memory then holds the new values all the same.
    void WriteConfig(const TConfigData& config);
    void WriteGenerateParams(const TGenerateParams& params);
    void WriteShredding(const TShreddingData& data);
    // Sets proxy.Saved once the file is written.
    void SaveProxySettings(TProxy& proxy);

private:
    void Flush();
    TIniFile ini_;
};

// The settings the statistic list carries: the block, the generation parameters and the formulas.
void ApplyConfigFile(const TIniFile& ini, TStatList& list);
TShreddingData ShreddingOf(const TStatList& list);

} // namespace velmora
