#include "core/stakes/rating_file.h"

#include "core/filters/filter_item.h"
#include "core/model/data_folder.h"
#include "core/scripts/line_options.h"
#include "core/scripts/script_line.h"
#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace velmora {

std::string RatingsFileName() { return ProductFile(".lrt"); }

void LoadRatingsFile(const std::string& path, TRatingsArray& ratings) {
    ratings.clear();
    if (!FileExists(path)) return;
    try {
        const std::string bytes = ReadFileBytes(path);
        const size_t whole = bytes.size() / kRatingRecordSize;
        for (size_t i = 0; i < whole; ++i) {
            TRatingRecord rec;
            ReadRatingRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + i * kRatingRecordSize, rec);
            ratings.push_back(std::move(rec));
        }
        if (bytes.size() % kRatingRecordSize != 0)
            throw Error(Format(Tr("Размер файла \"%s\" (%d байт) не кратен размеру записи рейтинга (%d байт)"),
                               {path, int64_t(bytes.size()), int64_t(kRatingRecordSize)}));
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка чтения файла рейтинга!\r\r%s"), {e.what()}));
    }
}

std::string RatingsFileBytes(const TRatingsArray& ratings) {
    std::string bytes(ratings.size() * kRatingRecordSize, '\0');
    for (size_t i = 0; i < ratings.size(); ++i)
        WriteRatingRecord(ratings[i], reinterpret_cast<unsigned char*>(bytes.data()) + i * kRatingRecordSize);
    return bytes;
}

void SaveRatingsFile(const std::string& path, const TRatingsArray& ratings) {
    try {
        WriteFileAtomic(path, RatingsFileBytes(ratings));
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка записи в файл рейтинга!\r\r%s"), {e.what()}));
    }
}

void RefreshRatingsFromStakes(TStakeFile& file, TRatingsArray& ratings, TProgressSink& progress) {
    TStatusScope status(progress, Tr("Обновление рейтинга..."));
    ratings.clear();
    try {
        if (!file.IsOpen()) throw Error(Tr("Файл ставок не открыт!"));
        file.ForEachStake([&](int, const TStakeRecord& r) {
            if (r.DrawNumber >= 0 && r.Checked) AddRating(ratings, r);
        });
    } catch (const std::exception& e) {
        throw Error(Format(Tr("Ошибка обновления рейтинга!\r\r%s"), {e.what()}));
    }
}

void TRatingsStore::Load(TProgressSink& progress) {
    damage_.clear();
    if (!FileExists(fileName_)) {
        Ratings.clear();
        return;
    }
    std::string error, reason;
    {
        TStatusScope status(progress, Tr("Загрузка файла рейтинга..."));
        try {
            LoadRatingsFile(fileName_, Ratings);
        } catch (const std::exception& e) {
            error = e.what();
            reason = error;
            const size_t cut = reason.find("\r\r");
            if (cut != std::string::npos) reason = reason.substr(cut + 2);
        }
    }
    if (error.empty()) {
        int damaged = 0, first = 0;
        for (size_t i = 0; i < Ratings.size(); ++i)
            if (RatingEntryDamaged(Ratings[i]) && damaged++ == 0) first = int(i) + 1;
        if (damaged > 0)
            reason = Format(Tr("записей с невозможными счетчиками: %d (первая - запись %d)"), {damaged, first});
    }
    if (reason.empty()) {
        Sort(progress);
        return;
    }
    damage_ = Format(Tr(kRatingsDamagedText), {fileName_, reason});
    {
        TStatusScope status(progress, Tr("Сортировка рейтинга..."));
        SortRatingsArray(Ratings, SortColumn, SortDescending);
    }
    throw Error(error.empty() ? damage_ : error + "\r\r" + damage_);
}

void TRatingsStore::Save(TProgressSink& progress) {
    if (ReadOnly || Damaged()) return;
    TStatusScope status(progress, Tr("Сохранение файла рейтинга..."));
    SaveRatingsFile(fileName_, Ratings);
}

void TRatingsStore::Sort(int column, bool descending, TProgressSink& progress) {
    SortColumn = column;
    SortDescending = descending;
    {
        TStatusScope status(progress, Tr("Сортировка рейтинга..."));
        SortRatingsArray(Ratings, column, descending);
    }
    Save(progress);
}

void TRatingsStore::Refresh(TStakeFile& file, TProgressSink& progress) {
    std::string error;
    try {
        RefreshRatingsFromStakes(file, Ratings, progress);
    } catch (const std::exception& e) {
        error = e.what();
    }
    // The entries come from the stakes now: the damaged file may be replaced (unless the stakes
    // could not be read either).
    if (error.empty()) damage_.clear();
    // What was merged is kept and saved, as after any change.
    Sort(progress);
    if (!error.empty()) throw Error(error);
}

int CheckStakesRated(TStakeFile& file, const TDrawsArchive& archive, TStakeCheckOptions options,
                     TRatingsStore& ratings, TProgressSink& progress) {
    int merged = 0;
    bool committed = false;
    const TRatingsArray before = ratings.Ratings;  // back when the check could not be committed
    auto hook = std::move(options.AddRating);
    options.AddRating = [&](const TStakeRecord& rec) {
        if (hook) hook(rec);
        if (AddRating(ratings.Ratings, rec)) ++merged;
    };
    // The sorted ratings are written with the checked stakes, as one change.
    options.Companion = [&]() -> std::optional<std::pair<std::string, std::string>> {
        {
            TStatusScope status(progress, Tr("Сортировка рейтинга..."));
            SortRatingsArray(ratings.Ratings, ratings.SortColumn, ratings.SortDescending);
        }
        if (ratings.ReadOnly || ratings.Damaged()) return std::nullopt;
        return std::make_pair(ratings.FileName(), RatingsFileBytes(ratings.Ratings));
    };
    options.Committed = [&] { committed = true; };
    int checked = 0;
    std::string error;
    try {
        checked = CheckStakes(file, archive, options, progress);
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (!committed && merged > 0) ratings.Ratings = before;
    if (!error.empty()) throw Error(error);
    if (ratings.Damaged() && checked > 0) throw Error(ratings.DamageText());
    return checked;
}

namespace {

std::string Quoted(const std::string& s) {
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

} // namespace

std::vector<std::string> RatingsCsvLines(const TRatingsArray& ratings) {
    std::vector<std::string> lines;
    std::vector<std::string> header;
    for (int c = 0; c < kRatingFileColumnCount; ++c) header.push_back(Quoted(kRatingCaptions[size_t(c)]));
    lines.push_back(Join(header, ";"));
    for (const auto& r : ratings) {
        std::vector<std::string> f;
        f.push_back(Quoted(r.Comment));
        f.push_back(Format("%d", {r.Stakes}));
        f.push_back(Format("%d", {r.MatchedTotal}));
        f.push_back(r.Stakes ? Format("%.3f", {double(r.MatchedTotal) / r.Stakes}) : std::string());
        f.push_back(Format("%.2f", {MoneyUnits(r.Profit)}));
        f.push_back(r.Stakes ? Format("%.2f", {double(RoundHalfEven((long double)r.Profit / r.Stakes)) / 10000.0})
                             : std::string());
        for (uint32_t n : r.ByMatches) f.push_back(Format("%d", {n}));
        lines.push_back(Join(f, ";"));
    }
    return lines;
}

void ExportRatingsCsv(const std::string& path, const TRatingsArray& ratings) {
    if (IsDataFolderFile(path)) throw Error(Format(Tr("Нельзя экспортировать в файл данных программы \"%s\"!"), {path}));
    WriteTextLines(path, RatingsCsvLines(ratings));
}

TXlsTable RatingsXlsTable(const TRatingsArray& ratings, int mode, const std::string& title) {
    TXlsTable t;
    t.Title = title;
    for (int c = 0; c < kRatingColumnCount; ++c) {
        TXlsColumn col{kRatingCaptions[size_t(c)], TXlsKind::Integer, 0};
        if (c == rcComment) col.Kind = TXlsKind::Text;
        else if (c == rcAverage) col = {col.Caption, TXlsKind::Real, 3};
        else if (c == rcProfit || c == rcAvgProfit) col = {col.Caption, TXlsKind::Real, 2};
        else if (c >= rcEff0 && c < rcEff0 + kRatingMatchKinds && mode != remExpected)
            col = {col.Caption, TXlsKind::Text, 0};  // "1,234%" stays a text as the list shows it
        else if (c == rcP) col = {col.Caption, TXlsKind::Real, 4};
        t.Columns.push_back(col);
    }
    t.RowCount = int64_t(ratings.size());
    t.Row = [&ratings, mode](int64_t row, std::vector<TXlsCell>& cells) {
        const auto texts = RatingCells(ratings[size_t(row)], mode);
        for (size_t c = 0; c < texts.size(); ++c) {
            if (texts[c].empty()) cells[c].SetEmpty();
            else cells[c].SetText(texts[c]);
        }
    };
    return t;
}

std::optional<std::string> RatingScriptLine(const std::string& caption, const TStatList& list) {
    std::string comment, rest;
    const size_t at = caption.find('@');
    if (at != std::string::npos) {
        comment = Trim(std::string_view(caption).substr(0, at));
        rest = Trim(std::string_view(caption).substr(at + 1));
    } else {
        rest = caption;
    }
    for (size_t pos = 0; (pos = rest.find(" + ", pos)) != std::string::npos;) {
        rest.replace(pos, 3, "|");
        pos += 1;
    }
    while (ScriptWords(rest, "|").size() <= size_t(kScriptFilterCount)) rest += "| ";
    const std::string line = rest + "|" + comment;
    for (int i = 1; i <= kScriptFilterCount; ++i)
        if (!FormatFilterItem(ParseFilterItem(GetLineFilter(line, i), list)).empty()) return line;
    return std::nullopt;
}

std::string RatingRefusedMessage(const std::string& caption) {
    return Format(Tr("Строку\r\r%s\r\rневозможно добавить в сценарий!"), {caption});
}

} // namespace velmora
