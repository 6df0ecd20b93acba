#include "core/app/window_settings.h"

#include "core/model/data_folder.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <algorithm>

namespace velmora {

TWindowSettings::TWindowSettings(std::string fileName) { ini_.SetFileName(std::move(fileName)); }

void TWindowSettings::Load() { ini_.Load(); }

void TWindowSettings::Save() const {
    if (!ini_.FileName().empty() && !readOnly_) ini_.Save();
}

bool TWindowSettings::HasKey(const std::string& section, const std::string& key) const {
    return ini_.ValueExists(section, key);
}

int TWindowSettings::ReadInteger(const std::string& section, const std::string& key, int def) const {
    return ini_.ReadInteger(section, key, def);
}

bool TWindowSettings::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ini_.ReadBool(section, key, def);
}

std::string TWindowSettings::ReadString(const std::string& section, const std::string& key,
                                        const std::string& def) const {
    return ini_.ReadString(section, key, def);
}

void TWindowSettings::WriteInteger(const std::string& section, const std::string& key, int value) {
    ini_.WriteInteger(section, key, value);
}

void TWindowSettings::WriteBool(const std::string& section, const std::string& key, bool value) {
    ini_.WriteBool(section, key, value);
}

void TWindowSettings::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    ini_.WriteString(section, key, value);
}

namespace {

bool ParseRect(const std::string& text, int out[4]) {
    auto parts = SplitAny(text, ",");
    if (parts.size() != 4) return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        auto x = TryStrToInt(Trim(parts[size_t(i)]));
        if (!x) return false;
        v[i] = *x;
    }
    std::copy(v, v + 4, out);
    return true;
}

std::string RectText(const int r[4]) { return Format("%d,%d,%d,%d", {r[0], r[1], r[2], r[3]}); }

} // namespace

std::optional<TWindowPlacement> TWindowSettings::ReadPlacement(const std::string& section, int screenWidth,
                                                               int screenHeight, int ppi) const {
    if (!HasKey(section, "ShowCmd")) return std::nullopt;
    TWindowPlacement p;
    p.Flags = ReadInteger(section, "Flags", 0);
    p.ShowCmd = ReadInteger(section, "ShowCmd", 1);
    p.PixelsPerInch = ReadInteger(section, "PixelsPerInch", 0);
    const std::string size = Format("_%dx%d", {screenWidth, screenHeight});
    auto rect = [&](const std::string& key, int out[4]) {
        if (ParseRect(ReadString(section, key + size, ""), out)) return true;
        return ParseRect(ReadString(section, key, ""), out);
    };
    rect("MinMaxPos", p.MinMaxPos);
    p.HasNormPos = p.PixelsPerInch == ppi && rect("NormPos", p.NormPos);
    return p;
}

void TWindowSettings::WritePlacement(const std::string& section, const TWindowPlacement& p, int screenWidth,
                                     int screenHeight) {
    const std::string size = Format("_%dx%d", {screenWidth, screenHeight});
    WriteInteger(section, "Flags", p.Flags);
    WriteInteger(section, "ShowCmd", p.ShowCmd);
    WriteInteger(section, "PixelsPerInch", p.PixelsPerInch);
    WriteString(section, "MinMaxPos", RectText(p.MinMaxPos));
    WriteString(section, "NormPos", RectText(p.NormPos));
    WriteString(section, "MinMaxPos" + size, RectText(p.MinMaxPos));
    WriteString(section, "NormPos" + size, RectText(p.NormPos));
}

std::vector<int> TWindowSettings::ReadColumnWidths(const std::string& section, const std::string& list,
                                                   int count) const {
    std::vector<int> widths(size_t(std::max(count, 0)), -1);
    for (int i = 0; i < count; ++i) widths[size_t(i)] = ReadInteger(section, Format("%s.Column%d", {list, i}), -1);
    return widths;
}

void TWindowSettings::WriteColumnWidths(const std::string& section, const std::string& list,
                                        const std::vector<int>& widths) {
    for (size_t i = 0; i < widths.size(); ++i) WriteInteger(section, Format("%s.Column%d", {list, int(i)}), widths[i]);
}

std::optional<TSortType> TWindowSettings::ReadSortType(const std::string& section, const std::string& list) const {
    auto parts = SplitAny(ReadString(section, list + ".SortType", ""), ",");
    if (parts.size() != 2) return std::nullopt;
    auto column = TryStrToInt(Trim(parts[0]));
    auto direction = TryStrToInt(Trim(parts[1]));
    if (!column || !direction) return std::nullopt;
    return TSortType{*column, *direction};
}

void TWindowSettings::WriteSortType(const std::string& section, const std::string& list, const TSortType& sort) {
    WriteString(section, list + ".SortType", Format("%d,%d", {sort.Column, sort.Direction}));
}

std::string WindowSettingsFile() { return ProductFile(".frm"); }

} // namespace velmora
