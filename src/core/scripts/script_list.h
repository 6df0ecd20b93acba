// The script: its lines in display order (plain strings, re-read by every display, edit and run)
// and its files. The current script file (Velmora_5x50.lss in the data folder) is written whole
// after every change of the list, so there is no separate save and no unsaved state; user script
// files (*.lsc) are opened, appended and saved by the commands. All files are cp1251 with CR LF,
// one script line per text line, a separator as an empty line.
#pragma once
#include "core/util/translate.h"

#include <string>
#include <vector>

namespace velmora {

// The filter of the file dialogs and the default extension of user script files.
constexpr const char* kScriptFileFilter = TrNoop("Файлы сценариев (*.lsc)|*.lsc");
constexpr const char* kScriptFileExt = "lsc";

class TScriptList {
public:
    // The current script file every change is written to; none when empty (the list then lives
    // in memory only).
    std::string FileName;

    // Velmora_5x50.lss of the data folder.
    static std::string CurrentScriptFileName();

    int ScriptLineCount() const { return int(lines_.size()); }
    // Raises Error("Запись со индексом %d в файле данных не найдена!") outside 0 .. count-1.
    const std::string& GetScriptLine(int index) const;
    const std::vector<std::string>& Lines() const { return lines_; }

    // The changes below write the current script file afterwards. When that write fails the list
    // keeps the change and Error("Ошибка записи в файл \"%s\"!\r\r%s") is raised; the previous
    // file stays as it was. Line breaks inside a text become blanks, so that a file line is always
    // one script line.

    // Appends a line (an empty one is a separator); returns its index.
    int AddScriptLine(const std::string& text);
    // Replaces line index (index error as GetScriptLine).
    void PutScriptLine(int index, const std::string& text);
    // Deletes the lines of the given indices (any order, repeats allowed); an index outside the
    // list raises the index error before anything is deleted.
    void DeleteScriptLines(std::vector<int> indices);
    void ClearScript();
    // Swaps line index with the one above / below; returns the line's new index. Index errors
    // when the line or its neighbour is outside the list.
    int MoveScriptLineUp(int index);
    int MoveScriptLineDown(int index);
    // Replaces the whole list (a script downloaded from the catalog).
    void SetScriptLines(std::vector<std::string> lines);

    // Reads a script file. Without append, or when the list is empty, the file's lines replace
    // the list; otherwise a non-empty file is added at the end, after a separator unless the last
    // line is one already (an empty file changes nothing). A file that cannot be read raises
    // Error("Ошибка чтения файла \"%s\"!\r\r%s") and leaves the list as it was. After a successful
    // read the current script file is written.
    void LoadScriptFile(const std::string& path, bool append);
    // Writes all lines to path atomically (the old file stays on failure); raises
    // Error("Ошибка записи в файл \"%s\"!\r\r%s").
    void SaveScriptFile(const std::string& path) const;

    // Reads the current script file when it exists (nothing to do otherwise); read error as
    // LoadScriptFile. Nothing is written.
    void LoadCurrentScript();
    // Writes the current script file (nothing when FileName is empty).
    void SaveCurrentScript() const;

private:
    void CheckIndex(int index) const;
    static std::vector<std::string> ReadScriptFile(const std::string& path);

    std::vector<std::string> lines_;
};

} // namespace velmora
