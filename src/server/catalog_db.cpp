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
    Upgrade();
}

int TCatalogDb::SchemaVersion() {
    TStmt s = Prepare(db_, "PRAGMA user_version");
    if (sqlite3_step(s.get()) != SQLITE_ROW) Fail(db_, "schema version");
    return sqlite3_column_int(s.get(), 0);
}

void TCatalogDb::Upgrade() {
    // Version 0: the systems only. Version 1 adds the scripts and their ratings. Each step runs in
    // one transaction with its version mark, so a file is never left half upgraded.
    if (SchemaVersion() < 1) {
        TTransaction tx(db_);
        Exec("CREATE TABLE IF NOT EXISTS scripts ("
             " id INTEGER PRIMARY KEY AUTOINCREMENT,"
             " title TEXT NOT NULL, title_key TEXT NOT NULL, descr TEXT NOT NULL, script TEXT NOT NULL,"
             " author TEXT NOT NULL, owner_mail TEXT NOT NULL, owner_mail_key TEXT NOT NULL,"
             " owner_machine TEXT NOT NULL, lcid INTEGER NOT NULL, app_id TEXT NOT NULL, app_ver TEXT NOT NULL,"
             " uniapps INTEGER NOT NULL, publics INTEGER NOT NULL, created TEXT NOT NULL,"
             " downloads INTEGER NOT NULL DEFAULT 0, last_download TEXT NOT NULL DEFAULT '')");
        Exec("CREATE INDEX IF NOT EXISTS scripts_title_key ON scripts (title_key)");
        Exec("CREATE TABLE IF NOT EXISTS script_rates ("
             " script_id INTEGER NOT NULL REFERENCES scripts (id) ON DELETE CASCADE,"
             " mail_key TEXT NOT NULL, machine TEXT NOT NULL, name TEXT NOT NULL, rate INTEGER NOT NULL,"
             " notes TEXT NOT NULL, created TEXT NOT NULL, app_id TEXT NOT NULL, app_ver TEXT NOT NULL,"
             " PRIMARY KEY (script_id, mail_key, machine))");
        Exec("PRAGMA user_version = 1");
        tx.Commit();
    }
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

// ---- scripts ------------------------------------------------------------------------------------

namespace {

// The UTC time 24 hours ago, in the stored form.
std::string UtcDayAgoText() {
    const std::time_t t = std::time(nullptr) - 24 * 3600;
    std::tm u{};
    gmtime_r(&t, &u);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &u);
    return buf;
}

// The condition of a list filter over the columns of the list query (my_rate is the requester's
// mark, 0 when none). Fixed texts only: the filter never reaches SQL as text.
const char* FilterCondition(TScriptFilter filter) {
    switch (filter) {
        case TScriptFilter::Hidden: return "my_rate = -1";
        case TScriptFilter::All: return "1";
        case TScriptFilter::Visible: return "my_rate <> -1";
        case TScriptFilter::Mine: return "owner_mail_key = ?1";
        case TScriptFilter::Public: return "publics = 1 AND my_rate <> -1";
        case TScriptFilter::RatedByMe: return "my_rate > 0";
        case TScriptFilter::NotRatedByMe: return "my_rate = 0";
        case TScriptFilter::New: return "created >= ?3 AND my_rate <> -1";
    }
    throw TRefused("Некорректный фильтр списка");
}

} // namespace

std::vector<TStoredScript> TCatalogDb::ListScripts(TScriptFilter filter, const TRequester& who) {
    const std::string sql =
        std::string("SELECT id, title, descr, author, owner_mail, lcid, app_id, app_ver, uniapps, publics, created,"
                    " downloads, last_download, rating_avg, rating_cnt, my_rate FROM ("
                    " SELECT s.*,"
                    "  (SELECT AVG(r.rate) FROM script_rates r WHERE r.script_id = s.id AND r.rate > 0) AS rating_avg,"
                    "  (SELECT COUNT(*) FROM script_rates r WHERE r.script_id = s.id AND r.rate > 0) AS rating_cnt,"
                    "  COALESCE((SELECT r.rate FROM script_rates r WHERE r.script_id = s.id AND r.mail_key = ?1"
                    "   AND r.machine = ?2), 0) AS my_rate"
                    " FROM scripts s WHERE s.publics = 1 OR s.owner_mail_key = ?1)"
                    " WHERE ") +
        FilterCondition(filter) + " ORDER BY id";
    std::lock_guard<std::mutex> lock(mutex_);
    TStmt s = Prepare(db_, sql.c_str());
    Bind(db_, s.get(), 1, LowerCase(who.Mail));
    Bind(db_, s.get(), 2, who.MachineId);
    if (filter == TScriptFilter::New) Bind(db_, s.get(), 3, UtcDayAgoText());
    std::vector<TStoredScript> out;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        TStoredScript r;
        r.Id = sqlite3_column_int64(s.get(), 0);
        r.Title = Column(s.get(), 1);
        r.Descr = Column(s.get(), 2);
        r.Author = Column(s.get(), 3);
        r.OwnerMail = Column(s.get(), 4);
        r.Lcid = sqlite3_column_int(s.get(), 5);
        r.AppId = Column(s.get(), 6);
        r.AppVer = Column(s.get(), 7);
        r.Universal = sqlite3_column_int(s.get(), 8) != 0;
        r.Public = sqlite3_column_int(s.get(), 9) != 0;
        r.Created = Column(s.get(), 10);
        r.Downloads = sqlite3_column_int64(s.get(), 11);
        r.LastDownload = Column(s.get(), 12);
        r.RatingAvg = sqlite3_column_double(s.get(), 13);
        r.RatingCount = sqlite3_column_int64(s.get(), 14);
        r.MyRating = sqlite3_column_int(s.get(), 15);
        out.push_back(std::move(r));
    }
    if (rc != SQLITE_DONE) Fail(db_, "list");
    return out;
}

std::string TCatalogDb::DownloadScript(int64_t id) {
    std::lock_guard<std::mutex> lock(mutex_);
    TTransaction tx(db_);
    TStmt s = Prepare(db_, "SELECT script FROM scripts WHERE id = ?1");
    Bind(db_, s.get(), 1, id);
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_DONE) throw TRefused("Сценарий #" + std::to_string(id) + " не найден");
    if (rc != SQLITE_ROW) Fail(db_, "download");
    std::string text = Column(s.get(), 0);
    TStmt u = Prepare(db_, "UPDATE scripts SET downloads = downloads + 1, last_download = ?2 WHERE id = ?1");
    Bind(db_, u.get(), 1, id);
    Bind(db_, u.get(), 2, UtcNowText());
    StepDone(db_, u.get());
    tx.Commit();
    return text;
}

namespace {

bool TitleTaken(sqlite3* db, int64_t exceptId, const std::string& title) {
    TStmt s = Prepare(db, "SELECT 1 FROM scripts WHERE title_key = ?1 AND id <> ?2 LIMIT 1");
    Bind(db, s.get(), 1, LowerCase(title));
    Bind(db, s.get(), 2, exceptId);
    const int rc = sqlite3_step(s.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(db, "title");
    return rc == SQLITE_ROW;
}

} // namespace

bool TCatalogDb::ScriptTitleFree(int64_t exceptId, const std::string& title) {
    std::lock_guard<std::mutex> lock(mutex_);
    return !TitleTaken(db_, exceptId, title);
}

void TCatalogDb::CheckScriptOwner(int64_t id, const TRequester& who) {
    TStmt s = Prepare(db_, "SELECT owner_mail, owner_machine FROM scripts WHERE id = ?1");
    Bind(db_, s.get(), 1, id);
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_DONE) throw TRefused("Сценарий #" + std::to_string(id) + " не найден");
    if (rc != SQLITE_ROW) Fail(db_, "owner");
    if (!SameText(Column(s.get(), 0), who.Mail) || Column(s.get(), 1) != who.MachineId)
        throw TRefused("Изменять и удалять сценарий может только его автор с того компьютера, с которого он опубликован");
}

int64_t TCatalogDb::PutScript(const TStoredScript& script, const std::string& text, const TRequester& who) {
    std::lock_guard<std::mutex> lock(mutex_);
    TTransaction tx(db_);
    const bool isNew = script.Id <= 0;
    if (!isNew) CheckScriptOwner(script.Id, who);
    // The check and the write in one transaction: two publications of one title cannot both pass.
    if (TitleTaken(db_, isNew ? 0 : script.Id, script.Title)) throw TRefused("Сценарий с таким названием уже существует");
    TStmt s = Prepare(db_, isNew ? "INSERT INTO scripts (title, title_key, descr, script, author, lcid, app_id, app_ver,"
                                   " uniapps, publics, created, owner_mail, owner_mail_key, owner_machine)"
                                   " VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14)"
                                 : "UPDATE scripts SET title = ?1, title_key = ?2, descr = ?3, script = ?4, author = ?5,"
                                   " lcid = ?6, app_id = ?7, app_ver = ?8, uniapps = ?9, publics = ?10, created = ?11"
                                   " WHERE id = ?12");
    Bind(db_, s.get(), 1, script.Title);
    Bind(db_, s.get(), 2, LowerCase(script.Title));
    Bind(db_, s.get(), 3, script.Descr);
    Bind(db_, s.get(), 4, text);
    Bind(db_, s.get(), 5, script.Author);
    Bind(db_, s.get(), 6, int64_t(script.Lcid));
    Bind(db_, s.get(), 7, who.AppId);
    Bind(db_, s.get(), 8, who.AppVer);
    Bind(db_, s.get(), 9, int64_t(script.Universal ? 1 : 0));
    Bind(db_, s.get(), 10, int64_t(script.Public ? 1 : 0));
    Bind(db_, s.get(), 11, UtcNowText());
    if (isNew) {
        Bind(db_, s.get(), 12, who.Mail);
        Bind(db_, s.get(), 13, LowerCase(who.Mail));
        Bind(db_, s.get(), 14, who.MachineId);
    } else {
        Bind(db_, s.get(), 12, script.Id);
    }
    StepDone(db_, s.get());
    const int64_t id = isNew ? sqlite3_last_insert_rowid(db_) : script.Id;
    tx.Commit();
    return id;
}

void TCatalogDb::DeleteScript(int64_t id, const TRequester& who) {
    std::lock_guard<std::mutex> lock(mutex_);
    TTransaction tx(db_);
    CheckScriptOwner(id, who);
    for (const char* sql : {"DELETE FROM script_rates WHERE script_id = ?1", "DELETE FROM scripts WHERE id = ?1"}) {
        TStmt s = Prepare(db_, sql);
        Bind(db_, s.get(), 1, id);
        StepDone(db_, s.get());
    }
    tx.Commit();
}

void TCatalogDb::SetScriptRating(int64_t id, int rate, const std::string& notes, const std::string& name,
                                 const TRequester& who) {
    std::lock_guard<std::mutex> lock(mutex_);
    TTransaction tx(db_);
    // Only a script the requester can see can be rated.
    {
        TStmt s = Prepare(db_, "SELECT 1 FROM scripts WHERE id = ?1 AND (publics = 1 OR owner_mail_key = ?2)");
        Bind(db_, s.get(), 1, id);
        Bind(db_, s.get(), 2, LowerCase(who.Mail));
        const int rc = sqlite3_step(s.get());
        if (rc == SQLITE_DONE) throw TRefused("Сценарий #" + std::to_string(id) + " не найден");
        if (rc != SQLITE_ROW) Fail(db_, "rate");
    }
    TStmt s = Prepare(db_, rate == 0 ? "DELETE FROM script_rates WHERE script_id = ?1 AND mail_key = ?2 AND machine = ?3"
                                     : "INSERT INTO script_rates (script_id, mail_key, machine, name, rate, notes, created,"
                                       " app_id, app_ver) VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9)"
                                       " ON CONFLICT (script_id, mail_key, machine) DO UPDATE SET name = excluded.name,"
                                       " rate = excluded.rate, notes = excluded.notes, created = excluded.created,"
                                       " app_id = excluded.app_id, app_ver = excluded.app_ver");
    Bind(db_, s.get(), 1, id);
    Bind(db_, s.get(), 2, LowerCase(who.Mail));
    Bind(db_, s.get(), 3, who.MachineId);
    if (rate != 0) {
        Bind(db_, s.get(), 4, name);
        Bind(db_, s.get(), 5, int64_t(rate));
        Bind(db_, s.get(), 6, rate < 0 ? std::string() : notes);
        Bind(db_, s.get(), 7, UtcNowText());
        Bind(db_, s.get(), 8, who.AppId);
        Bind(db_, s.get(), 9, who.AppVer);
    }
    StepDone(db_, s.get());
    tx.Commit();
}

std::vector<TStoredRate> TCatalogDb::ListScriptRatings(int64_t id) {
    std::lock_guard<std::mutex> lock(mutex_);
    TStmt s = Prepare(db_,
                      "SELECT name, rate, created, app_id, app_ver, notes FROM script_rates"
                      " WHERE script_id = ?1 AND rate > 0 ORDER BY created, rowid");
    Bind(db_, s.get(), 1, id);
    std::vector<TStoredRate> out;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        TStoredRate r;
        r.Name = Column(s.get(), 0);
        r.Rate = sqlite3_column_int(s.get(), 1);
        r.Created = Column(s.get(), 2);
        r.AppId = Column(s.get(), 3);
        r.AppVer = Column(s.get(), 4);
        r.Notes = Column(s.get(), 5);
        out.push_back(std::move(r));
    }
    if (rc != SQLITE_DONE) Fail(db_, "rates");
    return out;
}

} // namespace velmora::server
