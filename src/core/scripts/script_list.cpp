#include "core/scripts/script_list.h"

#include "core/model/data_folder.h"
#include "core/scripts/script_line.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

// A script line is one line of its file: a line break inside a text would split it in two.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

std::string TScriptList::CurrentScriptFileName() { return ProductFile(".lss"); }

void TScriptList::CheckIndex(int index) const {
    if (index < 0 || index >= ScriptLineCount())
        throw Error(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
}

const std::string& TScriptList::GetScriptLine(int index) const {
    CheckIndex(index);
    return lines_[size_t(index)];
}

int TScriptList::AddScriptLine(const std::string& text) {
    lines_.push_back(OneLine(text));
    SaveCurrentScript();
    return ScriptLineCount() - 1;
}

void TScriptList::PutScriptLine(int index, const std::string& text) {
    CheckIndex(index);
    lines_[size_t(index)] = OneLine(text);
    SaveCurrentScript();
}

void TScriptList::DeleteScriptLines(std::vector<int> indices) {
    for (int i : indices) CheckIndex(i);
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    // From the last to the first, so that the indices still to go stay valid.
    for (auto it = indices.rbegin(); it != indices.rend(); ++it) lines_.erase(lines_.begin() + *it);
    SaveCurrentScript();
}

void TScriptList::ClearScript() {
    lines_.clear();
    SaveCurrentScript();
}

int TScriptList::MoveScriptLineUp(int index) {
    CheckIndex(index);
    CheckIndex(index - 1);
    std::swap(lines_[size_t(index)], lines_[size_t(index - 1)]);
    SaveCurrentScript();
    return index - 1;
}

int TScriptList::MoveScriptLineDown(int index) {
    CheckIndex(index);
    CheckIndex(index + 1);
    std::swap(lines_[size_t(index)], lines_[size_t(index + 1)]);
    SaveCurrentScript();
    return index + 1;
}

void TScriptList::SetScriptLines(std::vector<std::string> lines) {
    for (auto& l : lines) l = OneLine(std::move(l));
    lines_ = std::move(lines);
    SaveCurrentScript();
}

std::vector<std::string> TScriptList::ReadScriptFile(const std::string& path) {
    try {
        return ReadTextLines(path);
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка чтения файла \"%s\"!\r\r%s"), {path, e.what()}));
    }
}

void TScriptList::LoadScriptFile(const std::string& path, bool append) {
    std::vector<std::string> read = ReadScriptFile(path);
    if (append && !lines_.empty()) {
        if (read.empty()) return;
        if (!IsScriptSeparator(lines_.back())) lines_.emplace_back();
        lines_.insert(lines_.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    } else {
        lines_ = std::move(read);
    }
    SaveCurrentScript();
}

void TScriptList::SaveScriptFile(const std::string& path) const {
    try {
        WriteTextLines(path, lines_);
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {path, e.what()}));
    }
}

void TScriptList::LoadCurrentScript() {
    if (FileName.empty() || !FileExists(FileName)) return;
    lines_ = ReadScriptFile(FileName);
}

void TScriptList::SaveCurrentScript() const {
    if (!FileName.empty()) SaveScriptFile(FileName);
}

} // namespace velmora
