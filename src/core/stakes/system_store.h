// The local store of downloaded systems: the folder "Systems" of the data folder, one text file
// per system named "5-NN-B_IIII.dat" (combination length, numbers, block, id), cp1251 lines of
// five indices ended by CR LF. The file's modification time is the system's creation time, so a
// system changed on the server is recognised by its time. At most one system per number count is
// kept.
#pragma once

#include "core/model/dates.h"
#include "core/model/game.h"
#include "core/stakes/system_info.h"

#include <string>
#include <vector>

namespace velmora {

constexpr const char* kSystemsFolder = "Systems";

// The store of the data folder.
std::string SystemsDir();

// "5-12-2_0045.dat" for system 45 with 12 numbers and block 2.
std::string SystemFileName(const tSystemInfo& info);
std::string SystemFilePath(const std::string& dir, const tSystemInfo& info);
// "5-12-*_*.dat": every file of a system for that many numbers.
std::string SystemFileMask(int nums);
// The files in `dir` matching the mask of `nums`, full paths in name order (none when the folder
// is missing).
std::vector<std::string> FindSystemFiles(const std::string& dir, int nums);
bool SystemDownloaded(const std::string& dir, const tSystemInfo& info);

// The characters that separate the words of a system line (a blank and * + , - . / : ; = \ _ | ~).
constexpr const char* kSystemWordDelimiters = " *+,-./:;=\\_|~";
// The words of a line, trimmed; runs of delimiters make no empty words.
std::vector<std::string> SplitSystemWords(const std::string& line);

// One line of a system over N numbers: exactly five integer words, each 1..N, all different.
// Raises Error naming the line (1-based): a word that is not an integer, fewer or more than five
// words, an index outside 1..N, an index written twice.
TCombination ParseSystemLine(const std::string& line, int lineNo, int nums);

// The combinations of a system file over N numbers, index combinations in file order. An empty
// file and every faulty line raise Error.
TCombsArray ReadSystemFile(const std::string& path, int nums);

// The system for numbers.size() numbers: the first file of FindSystemFiles, every index k of its
// lines replaced by numbers[k-1]. True with `out` and text = the file's path. False when there
// is no such file or it cannot be used: text is then the short reason, and boxMessage (when
// given) the whole message for the error box: the long "not found" message with the advice to
// download systems, or "Ошибка загрузки комбинаций системы!\r\r" with the reason. `out` is
// cleared on failure.
bool LoadSystemForNumbers(const std::string& systemsDir, const TByteArray& numbers, TCombsArray& out,
                          std::string& text, std::string* boxMessage = nullptr);

// Writes a downloaded system: the lines (CRLF-ended, cp1251) replace the file of `info` in `dir`,
// whose modification time becomes info.Created. The line count must equal CSize and must not be
// zero ("Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )"); the
// number count must be one of a system, CSize at most kMaxSystemCombinations, Created a time not
// later than a day from now, and every line a valid line (ParseSystemLine). Any fault raises
// Error before anything is written. The folder is made when missing. Returns the file's path. The
// file is replaced atomically.
std::string WriteSystemFile(const std::string& dir, const tSystemInfo& info, const std::vector<std::string>& lines);

// True when the file's modification time (as local time) differs from `created` by a second or
// more: the system was changed on the server since it was downloaded.
bool SystemFileOutdated(const std::string& path, TDateTime created);

// Deletes the files of every other system for info.Nums numbers (so one stays per number count);
// returns the paths deleted. Raises Error when one cannot be deleted.
std::vector<std::string> DeleteOtherSystems(const std::string& dir, const tSystemInfo& info);
// Deletes the file of `info` when it exists; raises Error when it cannot.
void DeleteSystemFile(const std::string& dir, const tSystemInfo& info);

// Local date-times (days since 1899-12-30) and POSIX times.
TDateTime UnixToLocalDateTime(int64_t t);
int64_t LocalDateTimeToUnix(TDateTime dt);
// "yyyy-mm-dd hh:mm:ss" of a date-time, empty for 0.
std::string SystemTimeText(TDateTime dt);
// "yyyy-mm-dd hh:nn:ss" read by character position (year 1-4, month 6-7, day 9-10, hour 12-13,
// minute 15-16, second 18-19); 0 for an empty text; Error for a text that is not such a time.
TDateTime ParseSystemTime(const std::string& text);

} // namespace velmora
