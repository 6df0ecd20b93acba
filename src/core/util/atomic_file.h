// Whole-file writes that never leave a half-written file: the data goes to a temporary file in
// the same folder, is flushed to disk, and is renamed over the old file.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Throws Error with the system's message; the old file is then untouched. A symbolic link is
// kept: the data goes beside the link's final target and replaces the target. After a write the
// stale temporary files of that file (see below) are removed.
void WriteFileAtomic(const std::string& path, std::string_view data);

// The temporary files of WriteFileAtomic are "<file>.XXXXXX" (six letters or digits), locked by
// the writer while they exist. One that can be locked was left by a write that never finished
// (a killed process). IsStaleTempFile says so of one file; RemoveStaleTempFiles deletes the stale
// temporary files in `dir` whose names start with `prefix` (with exactName, only those of the
// file named by prefix without its final "."). Returns how many it removed.
bool IsStaleTempFile(const std::string& path);
int RemoveStaleTempFiles(const std::string& dir, const std::string& prefix, bool exactName = false);

// The same guarantee for a writer that opens the file by name itself (a library): TempPath()
// names a temporary file of the form above beside the target, held locked; Commit() flushes it to
// disk and renames it over the target (Error as WriteFileAtomic). Without Commit the destructor
// removes the temporary file and the target stays as it was.
class TAtomicFileTarget {
public:
    explicit TAtomicFileTarget(const std::string& path);
    ~TAtomicFileTarget();
    TAtomicFileTarget(const TAtomicFileTarget&) = delete;
    TAtomicFileTarget& operator=(const TAtomicFileTarget&) = delete;

    const std::string& TempPath() const { return tmp_; }
    void Commit();

private:
    std::string path_;
    std::string target_;
    std::string tmp_;
    int fd_ = -1;
};

bool FileExists(const std::string& path);
// The folder part of a path ("" for a bare name), and the name part.
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string JoinPath(const std::string& dir, const std::string& name);

} // namespace velmora
