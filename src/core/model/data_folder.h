// The data folder: every file of the product lives there, named after the product's base name.
#pragma once

#include <string>

namespace velmora {

constexpr const char* kProductBaseName = "Velmora_5x50";

// The folder all data files are read from and written to (default: the executable's folder).
std::string& DataDir();
// DataDir()/Velmora_5x50<ext>, e.g. ProductFile(".ldr").
std::string ProductFile(const std::string& ext);
// The folder of the running executable.
std::string ExecutableDir();

} // namespace velmora
