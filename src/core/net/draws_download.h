// The draw download: the operator's results pages, one per year, read into the archive; the
// automatic proxy search through the public proxy-list service.
//
// The downloader runs on the caller's thread. What it shows and asks goes through TDownloadHost:
// the wait window's text, the retry question, error boxes, writing the proxy settings and
// refreshing the views after a year brought draws. The desktop program and the command line each
// bring their own host.
#pragma once

#include "core/app/config.h"
#include "core/model/draws_archive.h"
#include "core/net/web.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class TProgressSink;

// The rows of a results page that are not draws: how many, and the reasons of the first few.
struct TPageSkips {
    static constexpr size_t kMaxReasons = 5;
    int Count = 0;
    std::vector<std::string> Reasons;  // "строка N: <reason>"
};

// The draws of one results page in page order (newest first): date and numbers only, the draw
// numbers are 0. The page is read in one forward pass. An opening marker without its closing one
// raises the marker error of ExtractBetween; a page without the draw block has no draws. A row
// that is not a draw is left out and counted in `skips`: a date that is not a calendar date, is
// after `today` (yyyymmdd; 0: today's date) or repeats an earlier row's, five numbers that are
// not different numbers of 1..50, two extras that are not different numbers of 1..10.
std::vector<TDrawRecord> ReadResultsPage(const std::string& page, TPageSkips* skips = nullptr, int32_t today = 0);

// Appends the page's draws dated on or after fromDate (yyyymmdd), oldest first whatever the
// page's order, numbered from the archive length plus 1; returns how many were added. The draws
// already in the archive are not changed.
int AppendPageDraws(TDrawsArchive& archive, const std::vector<TDrawRecord>& pageDraws, int32_t fromDate);

// The date of the draw at list position k (0 = newest) plus days, as yyyymmdd; 20120101 when
// the archive is empty or k is outside it.
int32_t DrawDateInt(const TDrawsArchive& archive, int k, int days);

// The query of page p (1-based) of the proxy-list service for an address to be fetched.
std::string ProxyListQuery(const std::string& url, int page);
// The host:port entries of one page of the proxy-list service: every table row ("<tr>") whose
// first two cells ("<td>") are a host and a port.
std::vector<std::string> ReadProxyListPage(const std::string& page);

class TDownloadHost {
public:
    virtual ~TDownloadHost() = default;
    // The wait window's one line of text (it repaints and lets pending events through).
    virtual void WaitText(const std::string& text) { (void)text; }
    // The retry question after a failed year (caption "Ошибка"); true repeats the year.
    virtual bool AskRetry(const std::string& message) { (void)message; return false; }
    // An error box of the automatic proxy search.
    virtual void ShowError(const std::string& message) { (void)message; }
    // Writes the proxy settings (they are not Saved); raises on a write error.
    virtual void SaveProxy(TProxy& proxy) { proxy.Saved = true; }
    // The archive file was written after a year brought draws: refresh what shows the archive.
    virtual void DrawsAdded() {}
    // One year was read (added: the draws it brought).
    virtual void YearRead(int year, int added) { (void)year; (void)added; }
    // Rows of a year's page were not draws and were left out; message tells the year, how many
    // and why.
    virtual void RowsSkipped(int year, const std::string& message) { (void)year; (void)message; }
};

class TDrawsDownloader {
public:
    TDrawsDownloader(TDrawsArchive& archive, TProxy& proxy, const TWebSettings& web, TDownloadHost& host,
                     TProgressSink& progress);

    // A results page longer than this is refused as it arrives (a page is some hundred KB).
    static constexpr int64_t kMaxPageBytes = 32ll << 20;

    // The request options (time-outs, CA file, kMaxPageBytes); Progress is set to the
    // downloader's sink.
    TWebOptions Options;
    // The day after which page rows are refused (yyyymmdd); 0: today's date.
    int32_t TodayDate = 0;
    // The last year read; the current year unless a test sets it.
    int CurrentYear;
    // The first year read; 0: the year of the day after the newest draw. Pages of years before
    // that day add nothing, their draws being older.
    int FirstYear = 0;

    // The year loop: returns the number of draws added. The years done stay in the archive and on
    // disk whatever happens later.
    int DownloadAllYears();
    // Reads one year's page and appends its draws dated on or after fromDate.
    int DownloadYear(int year, int32_t fromDate);
    // One GET with the current proxy. In the automatic mode a proxy is chosen first; when none can
    // be, the error is shown and raised.
    std::string WebGetText(const std::string& url, bool utf8);
    // Fills the candidate list from the proxy-list service; raises when it stays empty.
    void FindProxyCandidates(const std::string& url);

    int Attempt() const { return attempt_; }
    const std::vector<std::string>& Candidates() const { return candidates_; }
    // The message of the last failed year that was not repeated; empty when every year was read.
    const std::string& LastError() const { return lastError_; }
    // The user stopped the download.
    bool Stopped() const { return stopped_; }
    // The messages of the years whose pages had rows that are not draws (see RowsSkipped).
    const std::vector<std::string>& SkippedRows() const { return skipped_; }

private:
    void PrepareProxy();
    // Drops the current candidate of the automatic mode; true when another one remains.
    bool DropCandidate();

    TDrawsArchive& archive_;
    TProxy& proxy_;
    TWebSettings web_;
    TDownloadHost& host_;
    TProgressSink& progress_;
    std::vector<std::string> candidates_;
    int attempt_ = 1;
    std::string lastError_;
    std::vector<std::string> skipped_;
    bool stopped_ = false;
};

} // namespace velmora
