// The draw archive: all past draws in memory (oldest first), its file, the lookups by draw
// number and by list position (0 = newest), the draws offset that ends the analysis window,
// and the sorted-numbers view switch.
#pragma once

#include "core/model/draw_record.h"
#include "core/model/game.h"
#include "core/util/translate.h"

#include <string>
#include <vector>

namespace velmora {

using TDrawsArray = std::vector<TDrawRecord>;

// The columns of the draw list: "Тираж", "1".."5", "E1", "E2", "S", "Дата тиража".
extern const std::vector<std::string> kDrawListCaptions;

class TDrawsArchive {
public:
    TDrawsArray Draws;      // oldest draw first
    std::string FileName;   // the archive file, e.g. <data>/Velmora_5x50.ldr
    bool Sorted = false;    // consumers see each draw's numbers in ascending order

    int Count() const { return int(Draws.size()); }

    // Reads the archive file; a missing file is an empty archive. On a read error the records
    // read so far stay and Error("Ошибка чтения файла тиражей!\r\r%s") is raised.
    void LoadDraws();
    // Writes the whole archive atomically; on failure raises
    // Error("Ошибка записи в файл тиражей!\r\r%s") and the archive in memory keeps the change.
    void SaveDraws() const;
    void ClearDraws() { Draws.clear(); }
    void DeleteDrawAt(int index);

    int IndexOfDrawNumber(int number) const;
    int NextDrawNumber(int k) const;
    void DrawCombAt(int k, TCombination& comb) const;
    std::string FollowingNumbersText(int k) const;
    TNumberSet FollowingNumbersSet(int k) const;
    int DateIntAt(int k, int days) const;

    // List position k (0 = newest) to array index, -1 when outside the archive.
    int IndexOfPosition(int k) const { return (k >= 0 && k < Count()) ? Count() - 1 - k : -1; }

    // The draws offset: the analysis window ends at array index Count()-1-Offset.
    int Offset() const { return offset_; }
    // Stores k bounded to 0 .. Count()-1 (0 for an empty archive); true when it changed.
    bool SetDrawsOffset(int k);
    // Array index of the reference draw (the window's last draw); -1 for an empty archive.
    int LastIndex() const { return Count() - 1 - offset_; }

    // The draw at an array index as consumers see it (sorted when the switch is on).
    TDrawRecord ViewDraw(int index) const;
    // The cell texts of row k of the draw list.
    std::vector<std::string> DrawListRow(int k) const;
    // The three status panel texts: archive size, next draw number, following numbers.
    std::vector<std::string> StatusTexts() const;

private:
    int offset_ = 0;
};

// The draw dialog's data text: five numbers, then the two extras, joined by ";".
std::string DrawDataText(const TDrawRecord& rec);
// The message of a draw text that is not such a draw.
constexpr const char* kDrawDataError =
    TrNoop("Введена некорректная комбинация!\r\rУкажите 5 разных чисел от 1 до 50 и за ними 2 дополнительных числа от 1 "
    "до 10, разделяя их пробелом, запятой или точкой с запятой, например: 3 7 19 28 44 2 9");
// Reads the dialog's text (7 values, SplitNumberWords: separated by blanks, "," or ";"): five
// different numbers of 1..50, then two extras of 1..10. False when the text is not such a draw.
bool ParseDrawData(const std::string& text, TDrawRecord& rec);

// Random sample draws with twice-weekly dates from 2012 on (Tuesdays and Fridays).
TDrawsArray MakeSampleDraws(int count, uint32_t seed);
// The sample archive a new data folder is offered (and ./run creates): its size and seed.
constexpr int kSampleArchiveDraws = 900;
constexpr int kSampleArchiveSeed = 1;

} // namespace velmora
