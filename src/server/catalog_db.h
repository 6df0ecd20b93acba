// The catalog server's database (SQLite): the published systems with their owners. One connection
// serves every request thread; a mutex makes each operation (a read, or a check and a change in
// one transaction) whole, so concurrent requests always see and leave a consistent table. Every
// value reaches SQL as a bound parameter.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;

namespace velmora::server {

// A request the catalog refuses; the message goes back in the reply's "<error>" element.
struct TRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct TStoredSystem {
    int64_t Id = 0;
    int Nums = 0;
    int Olap = 0;
    int CSize = 0;
    std::string Title, Descr, Author, OwnerMail, Url;
    std::string Created;       // UTC "yyyy-mm-dd hh:mm:ss": publication or last change
    int64_t Downloads = 0;
    std::string LastDownload;  // UTC, empty when never downloaded
};

// Who asks for a change.
struct TRequester {
    std::string Mail;
    std::string MachineId;
    std::string AppId, AppVer;
};

class TCatalogDb {
public:
    // Opens (creating when missing) the database file; raises std::runtime_error.
    explicit TCatalogDb(const std::string& path);
    ~TCatalogDb();
    TCatalogDb(const TCatalogDb&) = delete;
    TCatalogDb& operator=(const TCatalogDb&) = delete;

    // Systems of at most maxNums numbers, by id.
    std::vector<TStoredSystem> ListSystems(int maxNums);
    // The combination list of a system, counted as a download; TRefused when there is no such id.
    std::string DownloadSystem(int64_t id);
    // A new system (Id 0 in `sys`) owned by the requester; returns its id.
    int64_t AddSystem(const TStoredSystem& sys, const std::string& clist, const TRequester& who);
    // Changes a system; TRefused unless it exists and the requester has the owner's e-mail (any
    // case) and the owner's machine id.
    void ChangeSystem(const TStoredSystem& sys, const std::string& clist, const TRequester& who);
    // Deletes a system under the same ownership rule.
    void DeleteSystem(int64_t id, const TRequester& who);

private:
    void Exec(const char* sql);
    // The owner check of a change or deletion, inside the caller's lock; returns the stored time.
    std::string CheckOwner(int64_t id, const TRequester& who);

    sqlite3* db_ = nullptr;
    std::mutex mutex_;
};

// The current UTC time as "yyyy-mm-dd hh:mm:ss".
std::string UtcNowText();

} // namespace velmora::server
