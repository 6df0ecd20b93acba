// Self-update: the descriptor the maker publishes beside the update packages, the change
// description, the signed package and the installation over the program's folder.
//
// The descriptor is an ini file. Its section named after the executable's file name
// ("Velmora_5x50") describes this program; "GlobalOptions" holds the lists for every program.
// The package is a self-extracting archive: run in the update folder it leaves the new files
// there. Before it runs, its Ed25519 signature ("SignatureEd25519", Base64) is checked against
// the public key built into the program, since a checksum that comes over the same channel as
// the package proves nothing; the CRC-32 ("ChecksumCRC32") is checked as well.
//
// Every file of the update folder is copied to a temporary name beside its target
// ("<name>.~upd") and renamed over it: the running executable keeps its old file open, and a
// crash never leaves a half-written program. Leftovers ("*.~*") go at the next check.
#pragma once

#include "core/net/web.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

// The section of this program in the descriptor: the executable's file name.
constexpr const char* kUpdateSection = "Velmora_5x50";
constexpr const char* kUpdateGlobalSection = "GlobalOptions";
// The descriptor's path on the update server (the base address of "UpdateSite" comes first).
constexpr const char* kUpdateDescriptorPath = "/files/autoupdates/Numor_AU.cfg";
// The name of the Debian package; its file list says which files the package manager owns.
constexpr const char* kDebianPackageName = "velmora";
constexpr const char* kDpkgInfoDir = "/var/lib/dpkg/info";

constexpr const char* kNoUpdatesText = TrNoop("Обновлений не найдено!");
constexpr const char* kNoDescriptionText = TrNoop("< Описание обновления не доступно >");
constexpr const char* kPackageManagedText =
    TrNoop("Эта копия программы установлена системой управления пакетами, и обновлять ее должна она (пакет \"%s\").");

struct TUpdateInfo {
    std::string VerId, Description, DownloadUrl, OriginalFileName, ChecksumCRC32, SignatureEd25519;
    std::string GlobalDeleteBefore, GlobalDeleteAfter, GlobalExecBefore, GlobalExecAfter;
    std::string DeleteBefore, DeleteAfter, ExecBefore, ExecAfter;
};

// The setting "UpdateSite" is still the product's placeholder: nothing to ask until it is set, and
// the silent check at start-up does not try.
bool UpdateSiteIsPlaceholder(const TWebSettings& settings);
// The descriptor on the update server of the settings.
std::string UpdateDescriptorAddress(const TWebSettings& settings);

// Reads the descriptor's keys (absent ones empty); VerId is currentVersion when absent.
TUpdateInfo ReadUpdateInfo(const TIniFile& ini, const std::string& section, const std::string& currentVersion);
// The build number of a version text: its fourth word when cut at ",", "-", "." and "_", read as
// an integer after trimming; 0 when absent or not an integer.
int64_t BuildNumber(const std::string& version);
// An update is announced: a newer build number and a package address.
bool UpdateAvailable(const std::string& current, const TUpdateInfo& info);
// The names of a ";"-separated list, trimmed; blank entries dropped.
std::vector<std::string> SplitUpdateList(const std::string& list);
// The addresses of the change description tried in order: with an abbreviation (e.g. "RUS") and a
// language identifier the three names, with language 0 only the last.
std::vector<std::string> DescriptionAddresses(const std::string& descriptorAddress, const std::string& verId,
                                              int32_t language, const std::string& abbreviation);

// Copies source to target: "https://" addresses through the web requests (verified TLS, no
// proxy), anything else as a local file. The target's folder is created when missing. An
// "http://" address is refused: a package must not come over a channel anyone can change.
void FetchFile(const std::string& source, const std::string& target, const TWebOptions& options = {});
// The CRC-32 of a file's bytes as eight upper-case hexadecimal digits.
std::string FileCrc32(const std::string& path);
// Runs folder/file with folder as the working directory and waits; `idle` is called about every
// 100 ms while it runs. seconds > 0: after that long the process is killed and an error raised.
// Returns the exit code (128 + signal for a process ended by a signal).
int RunAndWait(const std::string& folder, const std::string& file, int seconds,
               const std::function<void()>& idle = {});
// True when signatureBase64 is a valid Ed25519 signature of the file's bytes by the public key
// (PEM). A key that cannot be read raises.
bool VerifyFileSignature(const std::string& path, const std::string& signatureBase64, const std::string& publicKeyPem);
// The public key the program trusts for its packages (PEM), built in.
const std::string& BuiltInUpdateKey();
// True when the file list of the Debian package in infoDir names the executable's path.
bool InstalledByPackageManager(const std::string& executablePath, const std::string& infoDir = kDpkgInfoDir);

// What CheckForUpdate asks of the program around it.
class TUpdateHost {
public:
    virtual ~TUpdateHost() = default;
    enum class TKind { Information, Warning, Error };
    virtual void Message(TKind kind, const std::string& text) = 0;
    // The update dialog: true for "Установить".
    virtual bool AskInstall(const std::string& current, const std::string& newVersion, const std::string& description) = 0;
    // A progress window with a text and a number of steps; Step advances it; End closes it.
    virtual void ProgressBegin(const std::string& text, int steps) { (void)text, (void)steps; }
    virtual void ProgressStep() {}
    virtual void ProgressEnd() {}
    // Called while a process runs or a file is waited for, to keep the window responsive.
    virtual void Idle() {}
};

struct TUpdateContext {
    std::string ProgramDir;                      // where the program's files are replaced
    std::string Section = kUpdateSection;
    std::string CurrentVersion = VELMORA_VERSION;
    int32_t Language = 0;                        // 0: no language
    std::string LanguageAbbreviation;            // e.g. "RUS"
    TWebOptions Web;
    std::string PublicKeyPem;                    // empty: BuiltInUpdateKey()
    int RunTimeoutSec = 60;
};

enum TUpdateResult { UpdateNone = 0, UpdateInstalled = 1, UpdateFailed = 2 };

int CheckForUpdate(const std::string& descriptorAddress, bool silent, const TUpdateContext& context, TUpdateHost& host);

} // namespace velmora
