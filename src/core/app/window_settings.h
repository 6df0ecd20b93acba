// The window settings file (<product>.frm): layout, placement and view switches of the windows,
// one section per window class, in ini format. Switches are written the moment they change;
// layout values when the window closes.
#pragma once

#include "core/util/ini.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

// A window's placement as stored: show state (1 normal, 2 minimised, 3 maximised), the logical
// screen resolution it was saved at, and the normal rectangle (left, top, right, bottom; right and
// bottom lie just outside the window).
struct TWindowPlacement {
    int Flags = 0;
    int ShowCmd = 1;
    int PixelsPerInch = 96;
    int MinMaxPos[4] = {-1, -1, -1, -1};
    int NormPos[4] = {0, 0, 0, 0};
    // False when the rectangle must not be applied (saved at another resolution or missing).
    bool HasNormPos = false;
};

// The sort of a list: the column and the direction (0 ascending, 1 descending).
struct TSortType {
    int Column = 0;
    int Direction = 0;
    bool operator==(const TSortType&) const = default;
};

class TWindowSettings {
public:
    explicit TWindowSettings(std::string fileName = {});

    const std::string& FileName() const { return ini_.FileName(); }

    // Reads the file; a missing file is an empty one. A read error raises Error with the
    // system's message and leaves the values read before.
    void Load();
    // Writes the whole file atomically (nothing when no file name is set or the settings are
    // read-only).
    void Save() const;
    // A copy of the program that does not own the data folder reads the settings but never
    // writes them.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ReadOnly() const { return readOnly_; }

    bool HasKey(const std::string& section, const std::string& key) const;
    // Missing keys and texts that are not integers give the default.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // Integers: 0 is false, anything else true.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

    // The placement saved for a window; the keys of the given screen size win over the plain
    // ones. Nothing when no show state was saved. The rectangle is only offered when it was saved
    // at the resolution ppi.
    std::optional<TWindowPlacement> ReadPlacement(const std::string& section, int screenWidth, int screenHeight,
                                                  int ppi) const;
    void WritePlacement(const std::string& section, const TWindowPlacement& placement, int screenWidth,
                        int screenHeight);

    // Widths of the columns of a list: "<list>.Column<i>"; -1 where none is stored.
    std::vector<int> ReadColumnWidths(const std::string& section, const std::string& list, int count) const;
    void WriteColumnWidths(const std::string& section, const std::string& list, const std::vector<int>& widths);

    // The sort of a sortable list: "<list>.SortType" = "column,direction". Nothing when the key is
    // missing or not two integers.
    std::optional<TSortType> ReadSortType(const std::string& section, const std::string& list) const;
    void WriteSortType(const std::string& section, const std::string& list, const TSortType& sort);

private:
    TIniFile ini_;
    bool readOnly_ = false;
};

// The window settings file of the product in the data folder.
std::string WindowSettingsFile();

} // namespace velmora
