#include "server/catalog_db.h"

#include "core/util/text.h"

#include <sqlite3.h>

#include <ctime>
#include <memory>

namespace velmora::server {

namespace {

struct TStmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using TStmt = std::unique_ptr<sqlite3_stmt, TStmtDeleter>;

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
    throw std::runtime_error(what + ": " + sqlite3_errmsg(db));
}

TStmt Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) Fail(db, "prepare");
    return TStmt(s);
}

void Bind(sqlite3* db, sqlite3_stmt* s, int i, const std::string& v) {
    if (sqlite3_bind_text(s, i, v.data(), int(v.size()), SQLITE_TRANSIENT) != SQLITE_OK) Fail(db, "bind");
}

void Bind(sqlite3* db, sqlite3_stmt* s, int i, int64_t v) {
    if (sqlite3_bind_int64(s, i, v) != SQLITE_OK) Fail(db, "bind");
}

void StepDone(sqlite3* db, sqlite3_stmt* s) {
    if (sqlite3_step(s) != SQLITE_DONE) Fail(db, "step");
}

std::string Column(sqlite3_stmt* s, int i) {
    const unsigned char* t = sqlite3_column_text(s, i);
    return t ? std::string(reinterpret_cast<const char*>(t), size_t(sqlite3_column_bytes(s, i))) : std::string();
}

// A transaction that rolls back unless committed.
class TTransaction {
public:
    explicit TTransaction(sqlite3* db) : db_(db) {
        if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db_, "begin");
    }
    ~TTransaction() {
        if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void Commit() {
        if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db_, "commit");
        done_ = true;
    }

private:
    sqlite3* db_;
    bool done_ = false;
};

} // namespace

std::string UtcNowText() {
    const std::time_t t = std::time(nullptr);
    std::tm u{};
    gmtime_r(&t, &u);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &u);
    return buf;
}

TCatalogDb::TCatalogDb(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string msg = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw std::runtime_error("cannot open the database " + path + ": " + msg);
    }
    sqlite3_busy_timeout(db_, 5000);
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=FULL");
    Exec("CREATE TABLE IF NOT EXISTS systems ("
         " id INTEGER PRIMARY KEY AUTOINCREMENT,"
         " nums INTEGER NOT NULL, olap INTEGER NOT NULL, csize INTEGER NOT NULL,"
         " title TEXT NOT NULL, descr TEXT NOT NULL, clist TEXT NOT NULL, url TEXT NOT NULL,"
         " author TEXT NOT NULL, owner_mail TEXT NOT NULL, owner_machine TEXT NOT NULL,"
         " app_id TEXT NOT NULL, app_ver TEXT NOT NULL,"
         " created TEXT NOT NULL, downloads INTEGER NOT NULL DEFAULT 0, last_download TEXT NOT NULL DEFAULT '')");
}

TCatalogDb::~TCatalogDb() { sqlite3_close(db_); }

void TCatalogDb::Exec(const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string msg = err ? err : "unknown error";
        sqlite3_free(err);
        throw std::runtime_error(std::string("database: ") + msg);
    }
}

std::vector<TStoredSystem> TCatalogDb::ListSystems(int maxNums) {
    std::lock_guard<std::mutex> lock(mutex_);
    TStmt s = Prepare(db_,
                      "SELECT id, nums, olap, csize, title, descr, author, owner_mail, url, created, downloads,"
                      " last_download FROM systems WHERE nums <= ?1 ORDER BY id");
    Bind(db_, s.get(), 1, int64_t(maxNums));
    std::vector<TStoredSystem> out;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        TStoredSystem r;
        r.Id = sqlite3_column_int64(s.get(), 0);
        r.Nums = sqlite3_column_int(s.get(), 1);
        r.Olap = sqlite3_column_int(s.get(), 2);
        r.CSize = sqlite3_column_int(s.get(), 3);
        r.Title = Column(s.get(), 4);
        r.Descr = Column(s.get(), 5);
        r.Author = Column(s.get(), 6);
        r.OwnerMail = Column(s.get(), 7);
        r.Url = Column(s.get(), 8);
        r.Created = Column(s.get(), 9);
        r.Downloads = sqlite3_column_int64(s.get(), 10);
        r.LastDownload = Column(s.get(), 11);
        out.push_back(std::move(r));
    }
    if (rc != SQLITE_DONE) Fail(db_, "list");
    return out;
}

std::string TCatalogDb::DownloadSystem(int64_t id) {
    std::lock_guard<std::mutex> lock(mutex_);
    TTransaction tx(db_);
    TStmt s = Prepare(db_, "SELECT clist FROM systems WHERE id = ?1");
    Bind(db_, s.get(), 1, id);
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_DONE) throw TRefused("Система #" + std::to_string(id) + " не найдена");
    if (rc != SQLITE_ROW) Fail(db_, "download");
    std::string clist = Column(s.get(), 0);
    TStmt u = Prepare(db_, "UPDATE systems SET downloads = downloads + 1, last_download = ?2 WHERE id = ?1");
    Bind(db_, u.get(), 1, id);
    Bind(db_, u.get(), 2, UtcNowText());
    StepDone(db_, u.get());
    tx.Commit();
    return clist;
}

namespace {

// The fields a publication and a change both write, as the parameters ?1..?8 of the statement:
// nums, olap, csize, title, descr, clist, url, author.
void BindSystemFields(sqlite3* db, sqlite3_stmt* s, const TStoredSystem& sys, const std::string& clist) {
    Bind(db, s, 1, int64_t(sys.Nums));
    Bind(db, s, 2, int64_t(sys.Olap));
    Bind(db, s, 3, int64_t(sys.CSize));
    Bind(db, s, 4, sys.Title);
    Bind(db, s, 5, sys.Descr);
    Bind(db, s, 6, clist);
    Bind(db, s, 7, sys.Url);
    Bind(db, s, 8, sys.Author);
}

} // namespace

int64_t TCatalogDb::AddSystem(const TStoredSystem& sys, const std::string& clist, const TRequester& who) {
    std::lock_guard<std::mutex> lock(mutex_);
    TStmt s = Prepare(db_,
                      "INSERT INTO systems (nums, olap, csize, title, descr, clist, url, author, owner_mail,"
                      " owner_machine, app_id, app_ver, created) VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13)");
    BindSystemFields(db_, s.get(), sys, clist);
    Bind(db_, s.get(), 9, who.Mail);
    Bind(db_, s.get(), 10, who.MachineId);
    Bind(db_, s.get(), 11, who.AppId);
    Bind(db_, s.get(), 12, who.AppVer);
    Bind(db_, s.get(), 13, UtcNowText());
    StepDone(db_, s.get());
    return sqlite3_last_insert_rowid(db_);
}

namespace {

// "now", or one second after `previous` when now is not later, so that every change gets a new time.
std::string ChangeTimeText(const std::string& previous) {
    const std::string now = UtcNowText();
    if (now > previous) return now;
    std::tm u{};
    if (!strptime(previous.c_str(), "%Y-%m-%d %H:%M:%S", &u)) return now;
    std::time_t t = timegm(&u) + 1;
    gmtime_r(&t, &u);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &u);
    return buf;
}

} // namespace

std::string TCatalogDb::CheckOwner(int64_t id, const TRequester& who) {
    TStmt s = Prepare(db_, "SELECT owner_mail, owner_machine, created FROM systems WHERE id = ?1");
    Bind(db_, s.get(), 1, id);
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_DONE) throw TRefused("Система #" + std::to_string(id) + " не найдена");
    if (rc != SQLITE_ROW) Fail(db_, "owner");
    if (!SameText(Column(s.get(), 0), who.Mail) || Column(s.get(), 1) != who.MachineId)
        throw TRefused("Изменять и удалять систему может только ее автор с того компьютера, с которого она опубликована");
    return Column(s.get(), 2);
}

void TCatalogDb::ChangeSystem(const TStoredSystem& sys, const std::string& clist, const TRequester& who) {
    std::lock_guard<std::mutex> lock(mutex_);
    TTransaction tx(db_);
    const std::string created = ChangeTimeText(CheckOwner(sys.Id, who));
    // The new time tells the clients that hold the system to download it again.
    TStmt s = Prepare(db_,
                      "UPDATE systems SET nums = ?1, olap = ?2, csize = ?3, title = ?4, descr = ?5, clist = ?6,"
                      " url = ?7, author = ?8, app_id = ?9, app_ver = ?10, created = ?11 WHERE id = ?12");
    BindSystemFields(db_, s.get(), sys, clist);
    Bind(db_, s.get(), 9, who.AppId);
    Bind(db_, s.get(), 10, who.AppVer);
    Bind(db_, s.get(), 11, created);
    Bind(db_, s.get(), 12, sys.Id);
    StepDone(db_, s.get());
    tx.Commit();
}

void TCatalogDb::DeleteSystem(int64_t id, const TRequester& who) {
    std::lock_guard<std::mutex> lock(mutex_);
    TTransaction tx(db_);
    CheckOwner(id, who);
    TStmt s = Prepare(db_, "DELETE FROM systems WHERE id = ?1");
    Bind(db_, s.get(), 1, id);
    StepDone(db_, s.get());
    tx.Commit();
}

} // namespace velmora::server
