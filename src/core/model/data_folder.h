// The data folder: every file of the product lives there, named after the product's base name.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

constexpr const char* kProductBaseName = "Velmora_5x50";

// The folder all data files are read from and written to (default: the executable's folder).
std::string& DataDir();
// DataDir()/Velmora_5x50<ext>, e.g. ProductFile(".ldr").
std::string ProductFile(const std::string& ext);
// The folder of the running executable.
std::string ExecutableDir();

// The folder of the read-only files an installed program keeps apart from its executable (language
// modules, the help): <exeDir>/../share/velmora.
std::string InstalledShareDir(const std::string& exeDir);

// The per-user data folder: <xdgDataHome>/Velmora_5x50, or <home>/.local/share/Velmora_5x50 when
// xdgDataHome is empty or not an absolute path (the XDG rule).
std::string UserDataDir(const std::string& xdgDataHome, const std::string& home);
// The data folder without --data-dir: the executable's folder when it can be written and the
// program is not installed (a program unpacked into a folder of its own, the build tree), else the
// per-user folder (an installed program: InstalledShareDir exists, or its folder is read-only).
std::string DefaultDataDir(const std::string& exeDir, const std::string& xdgDataHome, const std::string& home);
// DataDir() := DefaultDataDir of this executable and environment ($XDG_DATA_HOME, $HOME), creating
// the per-user folder when it is missing. A folder it creates starts with the draw download at
// start-up switched off, as a new folder of ./run does. True when the per-user folder was taken.
bool UseDefaultDataDir();

// Raises Error when `dir` does not name an existing folder (missing, or a file), so that a
// mistyped --data-dir is reported instead of being run as an empty data folder.
void CheckDataDir(const std::string& dir);

// True when `path` (through any symbolic links, or as another hard link) is a data file of the
// data folder: Velmora_5x50 with the extension of a data file (the archive, settings, window
// settings, favourites, scripts, stakes, ratings, regular stakes, lock, language modules, stake
// logs), or any file in its Prefetchs or Systems folder. Such a file is never an export target.
bool IsDataFolderFile(const std::string& path);

// Removes the temporary files that interrupted writes left in the data folder (of the product's
// files) and in its Prefetchs and Systems folders (of every file; see RemoveStaleTempFiles). Run at start-up, after the data-folder lock is
// held. Returns how many it removed.
int RemoveStaleDataTempFiles();

} // namespace velmora
