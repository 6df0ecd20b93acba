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
