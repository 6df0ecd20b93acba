// The command-line words of the desktop program ("restart", "loadonly", "fullrecreate",
// "fullrefresh", "no-language") and the start-up guards that go with them: waiting for another
// running copy to end, and the exclusive lock on the data folder.
#pragma once

#include <string>
#include <vector>

namespace velmora {

constexpr const char* kWordRestart = "restart";
constexpr const char* kWordLoadOnly = "loadonly";
constexpr const char* kWordFullRecreate = "fullrecreate";
constexpr const char* kWordFullRefresh = "fullrefresh";
constexpr const char* kWordNoLanguage = "no-language";

// True when one of the arguments (the program name excluded) equals the word, ignoring case,
// bare or prefixed with "-", "--", "/" or "\".
bool HasCommandLineWord(const std::vector<std::string>& args, const std::string& word);

// The modes the words select.
struct TStartMode {
    bool Restart = false;
    bool LoadOnly = false;
    bool FullRecreate = false;
    bool FullRefresh = false;
    bool NoLanguage = false;
    // Modes that end the program after the initialisation, without showing the window.
    bool Batch() const { return LoadOnly || FullRecreate || FullRefresh; }
};
TStartMode ParseStartMode(const std::vector<std::string>& args);

// True while another process whose executable file name is exeName runs (this process excluded).
bool OtherProcessRunning(const std::string& exeName);
// Checks every intervalMs, at most `checks` times, until no other such process runs; false when
// one still runs after the last check.
bool WaitForOtherProcesses(const std::string& exeName, int checks = 600, int intervalMs = 100);
// The file name of the running executable.
std::string ExecutableName();

// An exclusive lock on a file of the data folder, held while the object lives: a second copy of
// the program on the same folder cannot take it. The file is created when missing and left in
// place (deleting it would let two copies hold locks on different files).
class TDataLock {
public:
    TDataLock() = default;
    ~TDataLock();
    TDataLock(const TDataLock&) = delete;
    TDataLock& operator=(const TDataLock&) = delete;

    // False when the lock is held by another process or the file cannot be created or opened
    // (a folder without write permission); the reason is in Message(), and Busy() tells the
    // first case. With waitMs > 0 a lock held elsewhere is tried again every 100 ms until that
    // time has passed.
    bool Acquire(const std::string& path, int waitMs = 0);
    void Release();
    bool Held() const { return fd_ >= 0; }
    bool Busy() const { return busy_; }
    const std::string& Message() const { return message_; }

private:
    int fd_ = -1;
    bool busy_ = false;
    std::string message_;
};

// How long a command that writes data files waits for the data-folder lock.
constexpr int kDataLockWaitMs = 3000;

// Takes the lock of the data folder (DataLockFile) for a command that writes its data files,
// waiting up to waitMs while another program holds it, then removes the temporary files that
// interrupted writes left (RemoveStaleDataTempFiles). Raises Error with the reason when the lock
// cannot be had.
void LockDataFolder(TDataLock& lock, int waitMs = kDataLockWaitMs);

// The lock file of the data folder.
std::string DataLockFile();

} // namespace velmora
