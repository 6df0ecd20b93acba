#include "core/update/self_update.h"

#include "core/update/update_public_key.h"
#include "core/util/checksum.h"
#include "core/util/format.h"
#include "core/util/text.h"

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace velmora {
namespace {

constexpr const char* kDescriptorFile = "SelfUpdates.inf";
constexpr const char* kUpdateFolder = "SelfUpdate";
constexpr const char* kFileNotFound = TrNoop("Файл \"%s\" не найден!");

// The descriptor and the descriptions are written in UTF-8; an older cp1251 text is read too.
bool IsUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = (unsigned char)s[i];
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if (((unsigned char)s[i + k] >> 6) != 2) return false;
        i += n;
    }
    return true;
}

std::string DecodeText(const std::string& bytes) { return IsUtf8(bytes) ? bytes : Cp1251ToUtf8(bytes); }

bool StartsWithNoCase(const std::string& s, const char* prefix) {
    return LowerCase(s.substr(0, std::strlen(prefix))) == prefix;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(Format(Tr(kFileNotFound), {path}));
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Deletes a file, waiting a little while something still holds it.
void DeleteWaiting(const fs::path& file, TUpdateHost& host) {
    for (int attempt = 0;; ++attempt) {
        std::error_code ec;
        fs::remove(file, ec);
        if (!fs::exists(file)) return;
        if (attempt >= 100) throw Error(ec ? ec.message() : std::strerror(EACCES));
        host.Idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// Replaces target with a copy of source: written beside the target under a temporary name and
// renamed over it, so that a reader sees the old file or the new one, never a part.
void ReplaceFile(const fs::path& source, const fs::path& target) {
    const fs::path temp = target.string() + ".~upd";
    fs::copy_file(source, temp, fs::copy_options::overwrite_existing);
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp);
        throw Error(ec.message());
    }
}

void DeleteListed(const fs::path& programDir, const std::string& list) {
    for (const std::string& name : SplitUpdateList(list)) {
        const fs::path file = programDir / name;
        std::error_code ec;
        if (fs::is_regular_file(file, ec)) fs::remove(file, ec);
    }
}

void RunListed(const fs::path& updateDir, const std::string& list, int seconds, TUpdateHost& host) {
    for (const std::string& name : SplitUpdateList(list)) {
        std::error_code ec;
        if (!fs::is_regular_file(updateDir / name, ec)) continue;
        try {
            RunAndWait(updateDir.string(), name, seconds, [&] { host.Idle(); });
        } catch (const Error&) {
            // Exit codes and failures of these helpers do not stop the installation.
        }
    }
}

// Closes the progress window of a phase however the phase ends.
class TProgressScope {
public:
    TProgressScope(TUpdateHost& host, const std::string& text, int steps) : host_(host) { host_.ProgressBegin(text, steps); }
    ~TProgressScope() { Close(); }
    void Close() {
        if (open_) host_.ProgressEnd();
        open_ = false;
    }

private:
    TUpdateHost& host_;
    bool open_ = true;
};

} // namespace

bool UpdateSiteIsPlaceholder(const TWebSettings& settings) { return settings.UpdateSite == kDefaultUpdateSite; }

std::string UpdateDescriptorAddress(const TWebSettings& settings) { return settings.UpdateSite + kUpdateDescriptorPath; }

TUpdateInfo ReadUpdateInfo(const TIniFile& ini, const std::string& section, const std::string& currentVersion) {
    TUpdateInfo i;
    const auto read = [&](const std::string& sec, const char* key) { return ini.ReadString(sec, key, ""); };
    i.VerId = ini.ReadString(section, "VerId", currentVersion);
    i.Description = read(section, "Description");
    i.DownloadUrl = read(section, "DownloadUrl");
    i.OriginalFileName = read(section, "OriginalFileName");
    i.ChecksumCRC32 = read(section, "ChecksumCRC32");
    i.SignatureEd25519 = read(section, "SignatureEd25519");
    i.GlobalDeleteBefore = read(kUpdateGlobalSection, "DeleteBefore");
    i.GlobalDeleteAfter = read(kUpdateGlobalSection, "DeleteAfter");
    i.GlobalExecBefore = read(kUpdateGlobalSection, "ExecBefore");
    i.GlobalExecAfter = read(kUpdateGlobalSection, "ExecAfter");
    i.DeleteBefore = read(section, "DeleteBefore");
    i.DeleteAfter = read(section, "DeleteAfter");
    i.ExecBefore = read(section, "ExecBefore");
    i.ExecAfter = read(section, "ExecAfter");
    return i;
}

int64_t BuildNumber(const std::string& version) {
    std::vector<std::string> words(1);
    for (char c : version) {
        if (c == ',' || c == '-' || c == '.' || c == '_')
            words.emplace_back();
        else
            words.back() += c;
    }
    if (words.size() < 4) return 0;
    const std::string w = Trim(words[3]);
    if (w.empty() || w.size() > 18) return 0;
    size_t start = (w[0] == '-' || w[0] == '+') ? 1 : 0;
    if (start == w.size() || !std::all_of(w.begin() + start, w.end(), [](unsigned char c) { return std::isdigit(c); }))
        return 0;
    return std::stoll(w);
}

bool UpdateAvailable(const std::string& current, const TUpdateInfo& info) {
    return BuildNumber(current) < BuildNumber(info.VerId) && !info.DownloadUrl.empty();
}

std::vector<std::string> SplitUpdateList(const std::string& list) {
    std::vector<std::string> names;
    std::string item;
    std::istringstream in(list);
    while (std::getline(in, item, ';')) {
        item = Trim(item);
        if (!item.empty()) names.push_back(item);
    }
    return names;
}

std::vector<std::string> DescriptionAddresses(const std::string& descriptorAddress, const std::string& verId,
                                              int32_t language, const std::string& abbreviation) {
    std::string folder;
    if (StartsWithNoCase(descriptorAddress, "http://") || StartsWithNoCase(descriptorAddress, "https://")) {
        folder = descriptorAddress.substr(0, descriptorAddress.rfind('/') + 1) + "UpdDescr/";
    } else {
        const fs::path parent = fs::path(descriptorAddress).parent_path();
        folder = (parent / "UpdDescr").string() + "/";
    }
    std::vector<std::string> names;
    if (language != 0) {
        names.push_back(folder + Format("UpdDescr_%s_%s.txt", {abbreviation, verId}));
        names.push_back(folder + Format("UpdDescr_%d_%s.txt", {language, verId}));
    }
    names.push_back(folder + Format("UpdDescr_%s.txt", {verId}));
    return names;
}

void FetchFile(const std::string& source, const std::string& target, const TWebOptions& options) {
    const fs::path parent = fs::path(target).parent_path();
    if (!parent.empty()) fs::create_directories(parent);
    if (StartsWithNoCase(source, "http://"))
        throw Error(Format(Tr("Адрес \"%s\" отклонен: обновления загружаются только по защищенному протоколу https."), {source}));
    if (StartsWithNoCase(source, "https://")) {
        WebGetFile(nullptr, source, target, options);
        return;
    }
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) throw Error(Format(Tr(kFileNotFound), {source}));
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) throw Error(ec.message());
}

std::string FileCrc32(const std::string& path) {
    return Format("%.8X", {uint64_t(Crc32(ReadWholeFile(path)))});
}

int RunAndWait(const std::string& folder, const std::string& file, int seconds, const std::function<void()>& idle) {
    const std::string path = (fs::path(folder) / file).string();
    const pid_t pid = fork();
    if (pid < 0) throw Error(std::strerror(errno));
    if (pid == 0) {
        setpgid(0, 0);
        if (chdir(folder.c_str()) != 0) _exit(127);
        execl(path.c_str(), path.c_str(), (char*)nullptr);
        _exit(127);
    }
    setpgid(pid, pid);
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        }
        if (r < 0 && errno != EINTR) throw Error(std::strerror(errno));
        if (seconds > 0 && std::chrono::steady_clock::now() - start >= std::chrono::seconds(seconds)) {
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            throw Error(Format(Tr("Ожидание завершения процесса (файла) \"%s\" прервано в связи с превышением времени ожидания!"),
                               {file}));
        }
        if (idle) idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

bool VerifyFileSignature(const std::string& path, const std::string& signatureBase64, const std::string& publicKeyPem) {
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(publicKeyPem.data(), int(publicKeyPem.size())), BIO_free);
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(
        bio ? PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr) : nullptr, EVP_PKEY_free);
    if (!key || EVP_PKEY_id(key.get()) != EVP_PKEY_ED25519)
        throw Error(Tr("Открытый ключ проверки обновлений не читается."));
    const std::string b64 = Trim(signatureBase64);
    if (b64.empty() || b64.size() % 4 != 0) return false;
    std::vector<unsigned char> sig(b64.size() / 4 * 3 + 1);
    const int n = EVP_DecodeBlock(sig.data(), reinterpret_cast<const unsigned char*>(b64.data()), int(b64.size()));
    if (n < 0) return false;
    size_t sigLen = size_t(n);
    if (b64.size() >= 1 && b64[b64.size() - 1] == '=') --sigLen;
    if (b64.size() >= 2 && b64[b64.size() - 2] == '=') --sigLen;
    if (sigLen != 64) return false;
    const std::string data = ReadWholeFile(path);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!ctx || EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1) return false;
    return EVP_DigestVerify(ctx.get(), sig.data(), sigLen, reinterpret_cast<const unsigned char*>(data.data()),
                            data.size()) == 1;
}

const std::string& BuiltInUpdateKey() {
    static const std::string key = kBuiltInUpdatePublicKey;
    return key;
}

bool InstalledByPackageManager(const std::string& executablePath, const std::string& infoDir) {
    std::ifstream in(fs::path(infoDir) / (std::string(kDebianPackageName) + ".list"));
    if (!in) return false;
    std::error_code ec;
    const fs::path exe = fs::weakly_canonical(executablePath, ec);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line == executablePath || (!ec && fs::weakly_canonical(line, ec) == exe)) return true;
    }
    return false;
}

int CheckForUpdate(const std::string& descriptorAddress, bool silent, const TUpdateContext& context, TUpdateHost& host) {
    const fs::path programDir = context.ProgramDir;
    const fs::path descriptorFile = programDir / kDescriptorFile;
    const fs::path updateDir = programDir / kUpdateFolder;
    int result = UpdateFailed;
    try {
        TUpdateInfo info;
        std::string current, description;
        bool available = false;
        // Search.
        try {
            TProgressScope progress(host, Tr("Поиск доступных обновлений..."), 5);
            std::error_code ec;
            for (const auto& entry : fs::directory_iterator(programDir, ec)) {
                const std::string name = entry.path().filename().string();
                if (name.find(".~") != std::string::npos && entry.is_regular_file(ec)) fs::remove(entry.path(), ec);
            }
            host.ProgressStep();
            current = context.CurrentVersion;
            host.ProgressStep();
            FetchFile(descriptorAddress, descriptorFile.string(), context.Web);
            host.ProgressStep();
            TIniFile ini;
            ini.SetLines(SplitLines(DecodeText(ReadWholeFile(descriptorFile.string()))));
            info = ReadUpdateInfo(ini, context.Section, current);
            host.ProgressStep();
            available = UpdateAvailable(current, info);
            if (available) {
                const fs::path local = programDir / Format("UpdDescr_%s.txt", {info.VerId});
                description = Tr(kNoDescriptionText);
                for (const std::string& address :
                     DescriptionAddresses(descriptorAddress, info.VerId, context.Language, context.LanguageAbbreviation)) {
                    try {
                        FetchFile(address, local.string(), context.Web);
                    } catch (const std::exception&) {
                        continue;
                    }
                    if (fs::exists(local, ec)) {
                        description = DecodeText(ReadWholeFile(local.string()));
                        fs::remove(local, ec);
                    }
                    break;
                }
            }
            host.ProgressStep();
        } catch (const std::exception& e) {
            if (!silent) host.Message(TUpdateHost::TKind::Error, Format(Tr("Ошибка поиска обновлений!\r\r%s"), {e.what()}));
            throw TUpdateResult(UpdateFailed);
        }
        if (!available) {
            if (!silent) host.Message(TUpdateHost::TKind::Information, Tr(kNoUpdatesText));
            throw TUpdateResult(UpdateNone);
        }
        if (!host.AskInstall(current, info.Description, description)) throw TUpdateResult(UpdateNone);

        // Installation.
        try {
            TProgressScope progress(host, Format(Tr("Загрузка и установка обновления \"%s\"..."), {info.VerId}), 14);
            std::error_code ec;
            fs::remove_all(updateDir, ec);
            fs::create_directories(updateDir);
            host.ProgressStep();
            const fs::path package = updateDir / Format("SelfUpdate_%s.upd", {info.VerId});
            const std::string& key = context.PublicKeyPem.empty() ? BuiltInUpdateKey() : context.PublicKeyPem;
            for (int attempt = 1;; ++attempt) {
                try {
                    fs::remove(package, ec);
                    FetchFile(info.DownloadUrl, package.string(), context.Web);
                    if (!fs::exists(package)) throw Error(Format(Tr(kFileNotFound), {package.string()}));
                    if (!info.ChecksumCRC32.empty() && !SameText(FileCrc32(package.string()), Trim(info.ChecksumCRC32)))
                        throw Error(Tr("Неверная контрольная сумма скачанного файла."));
                    if (Trim(info.SignatureEd25519).empty())
                        throw Error(Tr("Пакет обновления не подписан (нет ключа \"SignatureEd25519\"); он не будет запущен."));
                    if (!VerifyFileSignature(package.string(), info.SignatureEd25519, key))
                        throw Error(Tr("Подпись пакета обновления неверна; он не будет запущен."));
                    break;
                } catch (const std::exception&) {
                    fs::remove(package, ec);
                    if (attempt >= 3) throw;
                }
            }
            host.ProgressStep();
            const std::string runName = Trim(info.OriginalFileName).empty() ? package.filename().string() : Trim(info.OriginalFileName);
            if (runName.find('/') != std::string::npos || runName == "." || runName == "..")
                throw Error(Format(Tr(kFileNotFound), {runName}));
            const fs::path runFile = updateDir / runName;
            if (runFile != package) fs::rename(package, runFile);
            if (!fs::exists(runFile)) throw Error(Format(Tr(kFileNotFound), {runFile.string()}));
            fs::permissions(runFile, fs::perms::owner_exec | fs::perms::owner_read, fs::perm_options::add);
            host.ProgressStep();
            const int code = RunAndWait(updateDir.string(), runName, context.RunTimeoutSec, [&] { host.Idle(); });
            if (code != 0)
                throw Error(Format(Tr("Пакет обновления \"%s\" завершился с кодом %d."), {runName, code}));
            host.ProgressStep();
            DeleteWaiting(runFile, host);
            host.ProgressStep();
            if (fs::is_empty(updateDir)) throw Error(Format(Tr(kFileNotFound), {(updateDir / "*.*").string()}));
            host.ProgressStep();
            DeleteListed(programDir, info.GlobalDeleteBefore);
            DeleteListed(programDir, info.DeleteBefore);
            host.ProgressStep();
            RunListed(updateDir, info.GlobalExecBefore, context.RunTimeoutSec, host);
            RunListed(updateDir, info.ExecBefore, context.RunTimeoutSec, host);
            host.ProgressStep();
            for (const auto& entry : fs::directory_iterator(updateDir)) {
                if (!entry.is_regular_file()) continue;
                ReplaceFile(entry.path(), programDir / entry.path().filename());
            }
            host.ProgressStep();
            RunListed(updateDir, info.GlobalExecAfter, context.RunTimeoutSec, host);
            RunListed(updateDir, info.ExecAfter, context.RunTimeoutSec, host);
            host.ProgressStep();
            DeleteListed(programDir, info.GlobalDeleteAfter);
            DeleteListed(programDir, info.DeleteAfter);
            host.ProgressStep();
            fs::remove_all(updateDir, ec);
            host.ProgressStep();
            progress.Close();
            result = UpdateInstalled;
            host.Message(TUpdateHost::TKind::Warning,
                         Format(Tr("Установка обновления \"%s\" успешно выполнена.\r\rДля завершения установки необходимо перезапустить программу!"),
                                {info.Description}));
        } catch (const std::exception& e) {
            std::error_code ec;
            fs::remove_all(updateDir, ec);
            host.Message(TUpdateHost::TKind::Error, Format(Tr("Ошибка установки обновления!\r\r%s"), {e.what()}));
            throw TUpdateResult(UpdateFailed);
        }
    } catch (TUpdateResult r) {
        result = r;
    } catch (const std::exception& e) {
        host.Message(TUpdateHost::TKind::Error, Format(Tr("Ошибка системы самообновления программы!\r\r%s"), {e.what()}));
        result = UpdateFailed;
    }
    std::error_code ec;
    fs::remove_all(updateDir, ec);
    fs::remove(descriptorFile, ec);
    return result;
}

} // namespace velmora
