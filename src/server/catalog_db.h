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

// A published script as the list shows it to one requester.
struct TStoredScript {
    int64_t Id = 0;
    std::string Title, Descr, Author, OwnerMail;
    int32_t Lcid = 0;
    std::string AppId, AppVer;  // the application that published it
    bool Universal = false, Public = true;
    std::string Created;        // UTC: publication or last change
    int64_t Downloads = 0;
    std::string LastDownload;   // UTC, empty when never downloaded
    double RatingAvg = 0;       // over the ratings 1..5
    int64_t RatingCount = 0;
    int MyRating = 0;           // the requester's: 0 none, 1..5, -1 hidden
};

// One rating of a script in the ratings list.
struct TStoredRate {
    std::string Name;
    int Rate = 0;
    std::string Created;  // UTC
    std::string AppId, AppVer, Notes;
};

// The list filters of the scripts (the request's "fltid").
enum class TScriptFilter : int {
    Hidden = -1,       // hidden by the requester
    All = 0,           // hidden ones included
    Visible = 1,       // all but the hidden ones
    Mine = 2,          // published with the requester's e-mail
    Public = 3,        // public, not hidden
    RatedByMe = 4,     // rated 1..5 by the requester
    NotRatedByMe = 5,  // neither rated nor hidden by the requester
    New = 6,           // published or changed within 24 hours, not hidden
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

    // Scripts. A private script is listed only to its owner (the same e-mail); the rows come by id.
    std::vector<TStoredScript> ListScripts(TScriptFilter filter, const TRequester& who);
    // The script text, counted as a download; TRefused when there is no such id.
    std::string DownloadScript(int64_t id);
    // True when no script but `exceptId` has the title (compared ignoring case).
    bool ScriptTitleFree(int64_t exceptId, const std::string& title);
    // Publishes (Id <= 0) or replaces a script; returns its id. A change needs the owner's e-mail
    // and machine id; a title taken by another script is refused.
    int64_t PutScript(const TStoredScript& script, const std::string& text, const TRequester& who);
    void DeleteScript(int64_t id, const TRequester& who);
    // The requester's rating of a script: 1..5 (with the notes), 0 removes it, -1 hides the
    // script from the requester's lists.
    void SetScriptRating(int64_t id, int rate, const std::string& notes, const std::string& name,
                         const TRequester& who);
    // The ratings 1..5 of a script, oldest first (hidden marks are nobody else's business).
    std::vector<TStoredRate> ListScriptRatings(int64_t id);

    // The schema version of the file (PRAGMA user_version).
    int SchemaVersion();

private:
    void Exec(const char* sql);
    // Brings an older file (systems only) up to the current schema, keeping its rows.
    void Upgrade();
    // The owner check of a script, inside the caller's lock.
    void CheckScriptOwner(int64_t id, const TRequester& who);
    // The owner check of a change or deletion, inside the caller's lock; returns the stored time.
    std::string CheckOwner(int64_t id, const TRequester& who);

    sqlite3* db_ = nullptr;
    std::mutex mutex_;
};

// The current UTC time as "yyyy-mm-dd hh:mm:ss".
std::string UtcNowText();

} // namespace velmora::server
