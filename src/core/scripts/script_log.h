// The execution log of a script run: "ScriptLog_yyyy-mm-dd-hh-nn-ss.txt" in the data folder, one
// cp1251 line with CR LF per entry, each starting with the time "[yyyy-mm-dd hh:nn:ss]: ". The
// file is opened, appended to and closed for every line, so that whatever a run wrote is on disk
// when it ends or is killed.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

// The resource texts that frame the log's blocks.
extern const char* const kScriptLogDoubleLine;  // 94 "="
extern const char* const kScriptLogDashedLine;  // 94 "-"

// <folder>/ScriptLog_<time>.txt, the time formatted "yyyy-mm-dd-hh-nn-ss".
std::string ScriptLogFileName(const std::string& folder, std::time_t time);

class TScriptLog {
public:
    // The path of the open log; empty while logging is off.
    const std::string& Path() const { return path_; }
    bool Enabled() const { return !path_.empty(); }
    // Starts a new log in folder (named after the current time); nothing is written yet.
    void Start(const std::string& folder);
    void StartAt(const std::string& path) { path_ = path; }
    void Stop() { path_.clear(); }

    // Appends one line (the time and the text); nothing while logging is off. The folder is made
    // when missing. A failure raises Error("Ошибка записи журнала: %s!") with the system's
    // message; the caller reports it and goes on.
    void Write(const std::string& text) const;

    // The clock of the time stamps and the file name (tests fix it).
    std::function<std::time_t()> Clock;

private:
    std::time_t Now() const;
    std::string path_;
};

// The logs "ScriptLog_*.txt" of a folder, sorted by name.
std::vector<std::string> FindScriptLogs(const std::string& folder);
// Deletes them; returns how many went and raises "Ошибка удаления файла \"%s\"!\r\r%s" at the
// first that cannot be deleted (those before it are gone).
int DeleteScriptLogs(const std::string& folder);

} // namespace velmora
