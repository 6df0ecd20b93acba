#include "core/app/config.h"

#include "core/model/data_folder.h"
#include "core/model/game.h"
#include "core/stats/stat_list.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr double kMaxMoney = 9e14;  // currency units; ten-thousandths then stay within int64

// An integer key within [lo, hi]; def when missing, malformed or outside.
int32_t ReadRanged(const TIniFile& ini, const char* section, const std::string& key, int32_t def, int32_t lo,
                   int32_t hi) {
    int32_t v = ini.ReadInteger(section, key, def);
    return v >= lo && v <= hi ? v : def;
}

int64_t ReadMoney(const TIniFile& ini, const char* section, const std::string& key, int64_t def) {
    return MoneyFromText(ini.ReadString(section, key, "")).value_or(def);
}

// The first n characters of a UTF-8 text.
std::string LeftChars(const std::string& s, int n) {
    size_t i = 0;
    for (int count = 0; i < s.size(); ++count) {
        if (count == n) return s.substr(0, i);
        unsigned char c = static_cast<unsigned char>(s[i]);
        i += c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    }
    return s;
}

} // namespace

std::string ConfigFile() { return ProductFile(".ini"); }

bool MoneyFromFloat(double value, int64_t& out) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxMoney) return false;
    out = RoundHalfEven(static_cast<long double>(value) * 10000);
    return true;
}

double MoneyToFloat(int64_t money) { return static_cast<double>(static_cast<long double>(money) / 10000); }

std::optional<int64_t> MoneyFromText(const std::string& text) {
    double v = 0;
    int64_t money = 0;
    if (!TryIniTextToFloat(text, v) || !MoneyFromFloat(v, money)) return std::nullopt;
    return money;
}

std::string MoneyToText(int64_t money) { return Format("%.2f", {MoneyToFloat(money)}); }

std::string SegmentsToText(const std::array<uint8_t, 50>& segments) { return BytesToDigits(segments.data()); }

std::array<uint8_t, 50> TextToSegments(const std::string& text) {
    // One byte per character, so a letter outside ASCII counts as one character.
    std::array<uint8_t, 50> map{};
    DigitsToBytes(Utf8ToCp1251(text), map.data());
    return map;
}

std::array<int64_t, kProfitRows> ProfitRows(const std::vector<TProfitEntry>& profits) {
    std::array<int64_t, kProfitRows> rows{};
    std::array<bool, kProfitRows> found{};
    for (const auto& e : profits)
        if (e.Overlap < kProfitRows && !found[e.Overlap]) {
            rows[e.Overlap] = e.Profit;
            found[e.Overlap] = true;
        }
    return rows;
}

std::vector<TProfitEntry> ProfitsFromRows(const std::array<int64_t, kProfitRows>& rows) {
    std::vector<TProfitEntry> profits;
    for (int k = 0; k < kProfitRows; ++k) profits.push_back({uint8_t(k), rows[size_t(k)]});
    return profits;
}

uint16_t ConfigChangeGroups(const TConfigData& before, const TConfigData& after) {
    uint16_t mask = 0;
    if (after.MatrixCols != before.MatrixCols) mask |= 1u << 4;
    if (after.ChannelSize != before.ChannelSize) mask |= 1u << 3;
    if (SegmentsToText(after.MatrixSegments) != SegmentsToText(before.MatrixSegments)) mask |= 1u << 5;
    return mask;
}

// ---- sections -------------------------------------------------------------------------------

TConfigData ReadConfig(const TIniFile& ini) {
    TConfigData c;
    c.MatrixCols = ReadRanged(ini, kSectionGlobal, "MatrixCols", c.MatrixCols, kMinMatrixCols, kMaxMatrixCols);
    c.MatrixSegments = TextToSegments(ini.ReadString(kSectionGlobal, "MatrixSegments", ""));
    c.ChannelSize = ReadRanged(ini, kSectionGlobal, "ChannelSize", c.ChannelSize, kMinChannelSize, kMaxChannelSize);

    c.Cost = ReadMoney(ini, kSectionStakes, "Cost", 0);
    c.MaxStake = ini.ReadInteger(kSectionStakes, "MaxStake", c.MaxStake);
    const int count = std::clamp(ini.ReadInteger(kSectionStakes, "Profits", 0), 0, kMaxProfitEntries);
    for (int i = 0; i < count; ++i) {
        TProfitEntry e;
        e.Overlap = uint8_t(ReadRanged(ini, kSectionStakes, Format("Profit_%d_Overlap", {i}), 0, 0, 255));
        e.Profit = ReadMoney(ini, kSectionStakes, Format("Profit_%d_Profit", {i}), 0);
        c.Profits.push_back(e);
    }

    c.Weights.Count = ini.ReadFloat(kSectionCdl, "Count", 0);
    c.Weights.Deviation = ini.ReadFloat(kSectionCdl, "Deviation", -1);
    c.Weights.Level = ini.ReadFloat(kSectionCdl, "Level", 1);
    c.Weights.UsePercents = ini.ReadInteger(kSectionCdl, "UsePercents", 0) > 0;
    c.Weights.UseAbsValues = ini.ReadInteger(kSectionCdl, "UseAbsValues", 0) > 0;
    return c;
}

void WriteConfig(TIniFile& ini, const TConfigData& c) {
    ini.WriteInteger(kSectionGlobal, "MatrixCols", c.MatrixCols);
    ini.WriteString(kSectionGlobal, "MatrixSegments", SegmentsToText(c.MatrixSegments));
    ini.WriteInteger(kSectionGlobal, "ChannelSize", c.ChannelSize);

    ini.WriteFloat(kSectionStakes, "Cost", MoneyToFloat(c.Cost));
    ini.WriteInteger(kSectionStakes, "MaxStake", c.MaxStake);
    // Entries of a longer table written before are dropped with it.
    const int old = ini.ReadInteger(kSectionStakes, "Profits", 0);
    for (int i = int(c.Profits.size()); i < old && i < kMaxProfitEntries; ++i) {
        ini.DeleteKey(kSectionStakes, Format("Profit_%d_Overlap", {i}));
        ini.DeleteKey(kSectionStakes, Format("Profit_%d_Profit", {i}));
    }
    ini.WriteInteger(kSectionStakes, "Profits", int64_t(c.Profits.size()));
    for (size_t i = 0; i < c.Profits.size(); ++i) {
        ini.WriteInteger(kSectionStakes, Format("Profit_%d_Overlap", {int(i)}), c.Profits[i].Overlap);
        ini.WriteFloat(kSectionStakes, Format("Profit_%d_Profit", {int(i)}), MoneyToFloat(c.Profits[i].Profit));
    }

    ini.WriteFloat(kSectionCdl, "Count", double(c.Weights.Count));
    ini.WriteFloat(kSectionCdl, "Deviation", double(c.Weights.Deviation));
    ini.WriteFloat(kSectionCdl, "Level", double(c.Weights.Level));
    ini.WriteInteger(kSectionCdl, "UsePercents", c.Weights.UsePercents ? 1 : 0);
    ini.WriteInteger(kSectionCdl, "UseAbsValues", c.Weights.UseAbsValues ? 1 : 0);
}

TGenerateParams ReadGenerateParams(const TIniFile& ini) {
    TGenerateParams p;
    p.Mode = uint8_t(ReadRanged(ini, kSectionGlobal, "CombsGenerateMode", kGenerateFull, 0, kGenerateModeCount - 1));
    p.Param = LeftChars(ini.ReadString(kSectionGlobal, "CombsGenerateParameters", ""), int(kGenerateParamMaxLength));
    return p;
}

void WriteGenerateParams(TIniFile& ini, const TGenerateParams& p) {
    ini.WriteInteger(kSectionGlobal, "CombsGenerateMode", p.Mode);
    ini.WriteString(kSectionGlobal, "CombsGenerateParameters", LeftChars(p.Param, int(kGenerateParamMaxLength)));
}

TShreddingData ReadShredding(const TIniFile& ini) {
    TShreddingData d;
    for (int i = 0; i < 3; ++i) {
        d.Formulas[size_t(i)] = ini.ReadString(kSectionShredding, Format("Formula%d", {i + 1}), kDefaultFormulas[i]);
        d.Digits[size_t(i)] = ReadRanged(ini, kSectionShredding, Format("Formula%dDigits", {i + 1}),
                                         kDefaultFormulaDigits, kMinFormulaDigits, kMaxFormulaDigits);
    }
    return d;
}

void WriteShredding(TIniFile& ini, const TShreddingData& d) {
    for (int i = 0; i < 3; ++i) {
        ini.WriteString(kSectionShredding, Format("Formula%d", {i + 1}), d.Formulas[size_t(i)]);
        ini.WriteInteger(kSectionShredding, Format("Formula%dDigits", {i + 1}), d.Digits[size_t(i)]);
    }
}

TProxy LoadProxySettings(const TIniFile& ini) {
    TProxy p;
    p.Server = ini.ReadString(kSectionProxy, "ProxyServer", "");
    p.Port = ini.ReadInteger(kSectionProxy, "ProxyPort", 80);
    p.Username = ini.ReadString(kSectionProxy, "ProxyUsername", "");
    p.Password = ini.ReadString(kSectionProxy, "ProxyPassword", "");
    const int modeDef = p.Server.empty() ? 0 : 2;
    p.Mode = uint8_t(ReadRanged(ini, kSectionProxy, "ProxyMode", modeDef, 0, 255));
    p.Saved = true;
    return p;
}

void SaveProxySettings(TIniFile& ini, const TProxy& p) {
    ini.WriteInteger(kSectionProxy, "ProxyMode", p.Mode);
    ini.WriteString(kSectionProxy, "ProxyServer", p.Server);
    ini.WriteInteger(kSectionProxy, "ProxyPort", p.Port);
    ini.WriteString(kSectionProxy, "ProxyUsername", p.Username);
    ini.WriteString(kSectionProxy, "ProxyPassword", p.Password);
}

// ---- the file ---------------------------------------------------------------------------------

TConfigFile::TConfigFile(std::string fileName) { ini_.SetFileName(std::move(fileName)); }

void TConfigFile::Load() {
    try {
        ini_.Load();
    } catch (const std::exception& e) {
        ini_.Clear();
        throw Error(e.what());
    }
}

void TConfigFile::Flush() {
    try {
        ini_.Save();
    } catch (const std::exception& e) {
        throw Error(e.what());
    }
}

void TConfigFile::WriteConfig(const TConfigData& config) {
    velmora::WriteConfig(ini_, config);
    Flush();
}

void TConfigFile::WriteGenerateParams(const TGenerateParams& params) {
    velmora::WriteGenerateParams(ini_, params);
    Flush();
}

void TConfigFile::WriteShredding(const TShreddingData& data) {
    velmora::WriteShredding(ini_, data);
    Flush();
}

void TConfigFile::SaveProxySettings(TProxy& proxy) {
    velmora::SaveProxySettings(ini_, proxy);
    Flush();
    proxy.Saved = true;
}

void ApplyConfigFile(const TIniFile& ini, TStatList& list) {
    list.Config = ReadConfig(ini);
    list.SaveRatingWeights();
    const TGenerateParams g = ReadGenerateParams(ini);
    list.GenerateMode = g.Mode;
    list.GenerateParams = g.Param;
    const TShreddingData s = ReadShredding(ini);
    list.Formulas = s.Formulas;
    list.FormulaDigits = s.Digits;
}

TShreddingData ShreddingOf(const TStatList& list) {
    TShreddingData s;
    s.Formulas = list.Formulas;
    s.Digits = list.FormulaDigits;
    return s;
}

} // namespace velmora
