// Whole-file writes that never leave a half-written file: the data goes to a temporary file in
// the same folder, is flushed to disk, and is renamed over the old file.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Throws std::runtime_error with the system's message; the old file is then untouched.
void WriteFileAtomic(const std::string& path, std::string_view data);

bool FileExists(const std::string& path);
// The folder part of a path ("" for a bare name), and the name part.
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string JoinPath(const std::string& dir, const std::string& name);

} // namespace velmora
