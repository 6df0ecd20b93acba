#include "core/export/xlsx_export.h"

#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/translate.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <future>
#include <cmath>
#include <memory>

namespace velmora {

namespace {

// Characters a sheet name may not hold, and its longest length in characters.
constexpr std::string_view kSheetNameForbidden = "[]:*?/\\";
constexpr size_t kSheetNameMax = 31;
// The longest text of a cell.
constexpr size_t kCellTextMax = 32767;
// Column widths in characters: the padding beside the widest content, and the bounds.
constexpr double kWidthPadding = 2.0;
constexpr double kWidthMin = 4.0;
constexpr double kWidthMax = 80.0;
// Rows between two looks at the stop request.
constexpr int64_t kStopCheckRows = 4096;
// A big table: the packing of the workbook at the end (the zip of the sheets, some seconds for the
// full combination set) runs beside the caller, who keeps showing progress and taking a stop. The
// rows take the first kRowsShare percent of the bar, the packing the rest; the packing is expected
// to take kPackRatio of the rows' time and its share of the bar approaches its end as that time
// passes (it never stands still, and reaches 100 % when the file is whole).
constexpr double kRowsShare = 60.0;
constexpr double kPackRatio = 0.65;
constexpr auto kPackPoll = std::chrono::milliseconds(50);

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

size_t Utf8Length(std::string_view s) {
    size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// The first `chars` characters of a UTF-8 text.
std::string Utf8Prefix(std::string_view s, size_t chars) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (n == chars) return std::string(s.substr(0, i));
            ++n;
        }
    }
    return std::string(s);
}

// Characters a number takes shown with `decimals` decimals ("-" and the point included).
size_t NumberWidth(double v, int decimals) {
    size_t n = v < 0 ? 1 : 0;
    double a = std::fabs(v);
    if (decimals > 0) n += size_t(decimals) + 1;
    if (!(a < 1e15)) return n + 16;
    int64_t whole = int64_t(a + (decimals > 0 ? 0.0 : 0.5));
    do {
        ++n;
        whole /= 10;
    } while (whole != 0);
    return n;
}

// A sheet name from the title: forbidden characters become blanks (one for a run of them), no
// apostrophe at either end, at most 31 characters with the suffix " (N)" of continuation sheets.
std::string SheetName(const std::string& title, int sheet, int sheets) {
    std::string base;
    for (char c : title) {
        if (kSheetNameForbidden.find(c) != std::string_view::npos) c = ' ';
        if (c != ' ' || base.empty() || base.back() != ' ') base += c;
    }
    while (!base.empty() && (base.front() == '\'' || base.front() == ' ')) base.erase(0, 1);
    while (!base.empty() && (base.back() == '\'' || base.back() == ' ')) base.pop_back();
    if (base.empty()) base = Tr("Лист");
    const std::string suffix = sheets > 1 ? Format(" (%d)", {sheet}) : std::string();
    base = Utf8Prefix(base, kSheetNameMax - Utf8Length(suffix));
    while (!base.empty() && (base.back() == '\'' || base.back() == ' ')) base.pop_back();
    return base + suffix;
}

std::string NumberFormatOf(const TXlsColumn& col) {
    if (col.Kind != TXlsKind::Real || col.Decimals <= 0) return "0";
    return "0." + std::string(size_t(std::min(col.Decimals, 30)), '0');
}

struct TWorkbookDeleter {
    void operator()(lxw_workbook* wb) const { lxw_workbook_free(wb); }
};

Error WriteError(const std::string& path, const std::string& what) {
    return Error(Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {path, what}));
}

// One sheet being written: its title and caption rows, then data rows in order.
class TSheetWriter {
public:
    TSheetWriter(lxw_workbook* wb, const TXlsTable& table, const std::vector<lxw_format*>& numberFormats,
                 lxw_format* titleFormat, lxw_format* captionFormat, const std::string& name,
                 const std::string& title)
        : table_(table), numberFormats_(numberFormats), widths_(table.Columns.size(), 0) {
        ws_ = workbook_add_worksheet(wb, name.c_str());
        if (!ws_) throw Error(Format(Tr("Не удается создать лист \"%s\""), {name}));
        worksheet_write_string(ws_, 0, 0, title.c_str(), titleFormat);
        for (size_t c = 0; c < table.Columns.size(); ++c) {
            worksheet_write_string(ws_, 1, lxw_col_t(c), table.Columns[c].Caption.c_str(), captionFormat);
            widths_[c] = Utf8Length(table.Columns[c].Caption) + 3;  // bold, and the filter button
        }
    }

    // Writes data row `r` of this sheet (0-based below the captions).
    void WriteRow(int64_t r, std::vector<TXlsCell>& cells) {
        const lxw_row_t row = lxw_row_t(r + 2);
        for (size_t c = 0; c < cells.size(); ++c) {
            TXlsCell& cell = cells[c];
            const TXlsColumn& col = table_.Columns[c];
            if (cell.Type == TXlsCell::TType::Text && col.Kind != TXlsKind::Text) {
                if (auto v = ParseNumberText(cell.Text)) cell.SetNumber(*v);
            }
            switch (cell.Type) {
            case TXlsCell::TType::Empty:
                break;
            case TXlsCell::TType::Number:
                if (std::isfinite(cell.Number)) {
                    worksheet_write_number(ws_, row, lxw_col_t(c), cell.Number, numberFormats_[c]);
                    widths_[c] = std::max(widths_[c], NumberWidth(cell.Number, col.Kind == TXlsKind::Real ? col.Decimals : 0));
                }
                break;
            case TXlsCell::TType::Text:
                if (cell.Text.empty()) break;
                if (cell.Text.size() > kCellTextMax) cell.Text = Utf8Prefix(cell.Text, kCellTextMax);
                worksheet_write_string(ws_, row, lxw_col_t(c), cell.Text.c_str(), nullptr);
                widths_[c] = std::max(widths_[c], Utf8Length(cell.Text));
                break;
            }
        }
        rows_ = r + 1;
    }

    void Finish() {
        const size_t n = table_.Columns.size();
        for (size_t c = 0; c < n; ++c) {
            double w = std::clamp(double(widths_[c]) + kWidthPadding, kWidthMin, kWidthMax);
            worksheet_set_column(ws_, lxw_col_t(c), lxw_col_t(c), w, nullptr);
        }
        worksheet_freeze_panes(ws_, 2, 0);
        if (n > 0) worksheet_autofilter(ws_, 1, 0, lxw_row_t(1 + rows_), lxw_col_t(n - 1));
    }

private:
    const TXlsTable& table_;
    const std::vector<lxw_format*>& numberFormats_;
    lxw_worksheet* ws_ = nullptr;
    std::vector<size_t> widths_;
    int64_t rows_ = 0;
};

} // namespace

std::optional<double> ParseNumberText(std::string_view text) {
    // The length of a blank at `at` (a space, a no-break, narrow no-break or thin space), or 0.
    auto blank = [&](size_t at) -> size_t {
        if (text[at] == ' ' || text[at] == '\t') return 1;
        if (text.substr(at, 2) == "\xC2\xA0") return 2;
        if (text.substr(at, 3) == "\xE2\x80\xAF" || text.substr(at, 3) == "\xE2\x80\x89") return 3;
        return 0;
    };
    std::string s;
    s.reserve(text.size());
    bool started = false, pendingBlank = false, sign = false, digits = false, point = false, grouped = false;
    int group = 0;  // digits since the last thousands blank (or since the start)
    for (size_t p = 0; p < text.size();) {
        if (size_t b = blank(p)) {
            pendingBlank = started;
            p += b;
            continue;
        }
        const char c = text[p];
        const bool digit = c >= '0' && c <= '9';
        if (pendingBlank) {
            // Only a thousands blank may stand inside a number: after 1..3 digits of the first
            // group, or after exactly 3, and before a digit of the whole part.
            if (!digit || point || !digits || group > 3 || (grouped && group != 3)) return std::nullopt;
            grouped = true;
            group = 0;
            pendingBlank = false;
        }
        started = true;
        if (digit) {
            s += c;
            digits = true;
            if (!point) ++group;
        } else if ((c == '-' || c == '+') && !sign && !digits && !point) {
            sign = true;
            if (c == '-') s += c;
        } else if ((c == ',' || c == '.') && !point) {
            if (grouped && group != 3) return std::nullopt;
            s += '.';
            point = true;
        } else {
            return std::nullopt;
        }
        ++p;
    }
    if (!digits || (grouped && !point && group != 3)) return std::nullopt;
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

int XlsSheetCount(int64_t rows, const TXlsOptions& options) {
    const int64_t perSheet = std::max<int64_t>(options.SheetRowLimit, 3) - 2;
    return rows <= 0 ? 1 : int((rows + perSheet - 1) / perSheet);
}

bool ExportXlsx(const std::string& path, const TXlsTable& table, TProgressSink& progress,
                const TXlsOptions& options) {
    if (IsDataFolderFile(path))
        throw Error(Format(Tr("Нельзя экспортировать в файл данных программы \"%s\"!"), {path}));
    const std::string name = ExtractFileName(path);
    TStatusScope status(progress, Format(Tr("Экспорт в файл \"%s\"..."), {name}));

    TAtomicFileTarget target(path);
    // Constant-memory mode: each sheet's rows go to a temporary file of the writer, kept in the
    // target's folder rather than a memory-backed /tmp.
    std::string tmpdir = ExtractFilePath(target.TempPath());
    if (tmpdir.empty()) tmpdir = ".";
    lxw_workbook_options wbOptions{};
    wbOptions.constant_memory = LXW_TRUE;
    wbOptions.tmpdir = tmpdir.data();
    std::unique_ptr<lxw_workbook, TWorkbookDeleter> wb(workbook_new_opt(target.TempPath().c_str(), &wbOptions));
    if (!wb) throw WriteError(path, Tr("Не удается создать книгу"));

    lxw_format* titleFormat = workbook_add_format(wb.get());
    format_set_bold(titleFormat);
    format_set_font_size(titleFormat, 12);
    lxw_format* captionFormat = workbook_add_format(wb.get());
    format_set_bold(captionFormat);
    format_set_align(captionFormat, LXW_ALIGN_CENTER);
    format_set_bottom(captionFormat, LXW_BORDER_THIN);
    std::vector<lxw_format*> numberFormats;
    for (const auto& col : table.Columns) {
        if (col.Kind == TXlsKind::Text) {
            numberFormats.push_back(nullptr);
            continue;
        }
        lxw_format* f = workbook_add_format(wb.get());
        format_set_num_format(f, NumberFormatOf(col).c_str());
        numberFormats.push_back(f);
    }

    const int64_t perSheet = std::max<int64_t>(options.SheetRowLimit, 3) - 2;
    const int sheets = XlsSheetCount(table.RowCount, options);
    const bool big = table.RowCount >= kStopCheckRows;
    const auto rowsStart = std::chrono::steady_clock::now();
    std::vector<TXlsCell> cells(table.Columns.size());
    int lastPercent = -1;
    int64_t row = 0;
    for (int s = 1; s <= sheets; ++s) {
        const std::string title =
            sheets > 1 ? Format(Tr("%s (лист %d из %d)"), {table.Title, s, sheets}) : table.Title;
        TSheetWriter sheet(wb.get(), table, numberFormats, titleFormat, captionFormat,
                           SheetName(table.Title, s, sheets), title);
        const int64_t end = std::min(table.RowCount, row + perSheet);
        for (int64_t r = 0; row < end; ++row, ++r) {
            if (row % kStopCheckRows == 0) {
                if (progress.StopRequested()) return false;
                const int percent = int(double(row) * kRowsShare / double(std::max<int64_t>(table.RowCount, 1)));
                if (percent != lastPercent && big) {
                    lastPercent = percent;
                    progress.Percent(percent);
                    progress.Status(Format(Tr("Экспорт в файл \"%s\" ( завершено %d %% )..."), {name, percent}));
                }
            }
            for (auto& c : cells) c.SetEmpty();
            table.Row(row, cells);
            sheet.WriteRow(r, cells);
        }
        sheet.Finish();
    }
    if (progress.StopRequested()) return false;

    lxw_error err = LXW_NO_ERROR;
    if (!big) {
        err = workbook_close(wb.release());
    } else {
        // The packing cannot be interrupted: a stop waits for it and then drops the file.
        const double expected = std::max(0.5, kPackRatio * SecondsSince(rowsStart));
        const auto packStart = std::chrono::steady_clock::now();
        auto packing = std::async(std::launch::async, [book = wb.release()] { return workbook_close(book); });
        bool stopped = false;
        int shown = -1;
        while (packing.wait_for(kPackPoll) != std::future_status::ready) {
            if (!stopped && progress.StopRequested()) {
                stopped = true;
                progress.Status(Format(Tr("Остановка экспорта в файл \"%s\"..."), {name}));
            }
            if (stopped) continue;
            const double share = 1.0 - std::exp(-SecondsSince(packStart) / expected);
            const int percent = int(kRowsShare + (100.0 - kRowsShare) * share);
            if (percent != shown && percent < 100) {
                shown = percent;
                progress.Percent(percent);
                progress.Status(Format(Tr("Экспорт в файл \"%s\" ( завершено %d %% )..."), {name, percent}));
            }
        }
        err = packing.get();
        if (stopped || progress.StopRequested()) return false;
        progress.Percent(100);
    }
    if (err != LXW_NO_ERROR) throw WriteError(path, lxw_strerror(err));
    try {
        target.Commit();
    } catch (const std::exception& e) {
        throw WriteError(path, e.what());
    }
    return true;
}

} // namespace velmora
