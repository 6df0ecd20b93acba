#include "core/net/draws_download.h"

#include "core/model/dates.h"
#include "core/model/game.h"
#include "core/util/format.h"
#include "core/util/markers.h"
#include "core/util/progress.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <optional>
#include <set>

namespace velmora {

namespace {

constexpr const char* kWaitDownload = TrNoop("Загрузка архива тиражей...");
constexpr int kProxyPageRows = 15;
constexpr int kEnoughCandidates = 30;

bool IsHttps(const std::string& url) { return FindNoCase(url, "https://") == 0; }

// A character-set-safe UTF-8 text: invalid sequences become "?" so that later steps never see
// broken characters.
std::string CleanUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool ok = len > 0 && i + len <= s.size();
        for (size_t k = 1; ok && k < len; ++k) ok = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (ok) {
            out.append(s, i, len);
            i += len;
        } else {
            out += '?';
            ++i;
        }
    }
    return out;
}

// The date of a page row when it is a real calendar date "yyyy-mm-dd", else 0.
int32_t RowDateInt(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return 0;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9') return 0;
    const int y = std::stoi(text.substr(0, 4)), m = std::stoi(text.substr(5, 2)), d = std::stoi(text.substr(8, 2));
    return IsValidDate(y, m, d) ? y * 10000 + m * 100 + d : 0;
}

// Reads `count` different integers of lo..hi from the "<li...>" items of a row; the reason when
// the row does not hold them.
std::string ReadBalls(std::string& items, const char* open, int count, int lo, int hi, uint8_t* out,
                      const char* what) {
    for (int i = 0; i < count; ++i) {
        const std::string text = CutBetween(items, open, "</li>", 0);
        const std::optional<int32_t> v = TryStrToInt(Trim(text));
        if (!v || *v < lo || *v > hi)
            return Format(Tr("%s \"%s\" не является числом от %d до %d"), {TrText(what), TextExcerpt(text, 40), lo, hi});
        for (int k = 0; k < i; ++k)
            if (out[k] == *v) return Format(Tr("%s %d повторяется"), {TrText(what), *v});
        out[i] = uint8_t(*v);
    }
    return std::string();
}

} // namespace

std::vector<TDrawRecord> ReadResultsPage(const std::string& page, TPageSkips* skips, int32_t today) {
    if (today == 0) today = DateToInt(Today());
    std::vector<TDrawRecord> rows;
    const std::string blockOpen = "<div class=\"prevresults\">", blockClose = "</article>";
    const size_t open = FindNoCase(page, blockOpen);
    if (open == std::string::npos) return rows;
    const size_t blockStart = open + blockOpen.size();
    const size_t blockEnd = FindNoCase(page, blockClose, blockStart);
    if (blockEnd == std::string::npos) ExtractBetween(page, blockOpen, blockClose, 0);  // the marker error
    const std::string rowMarker = "<div class=\"row \">";
    std::set<int32_t> seen;  // the dates of the rows taken
    // One forward pass: each row runs from its marker to the next one or the block's end; the
    // text before the first marker is not a row.
    size_t at = FindNoCase(std::string_view(page).substr(0, blockEnd), rowMarker, blockStart);
    int rowNo = 0;
    while (at != std::string::npos) {
        const size_t from = at + rowMarker.size();
        size_t next = FindNoCase(std::string_view(page).substr(0, blockEnd), rowMarker, from);
        const std::string row = page.substr(from, (next == std::string::npos ? blockEnd : next) - from);
        at = next;
        ++rowNo;
        TDrawRecord rec;
        const std::string date = ExtractBetween(row, "<time datetime=\"", "\">", 0).substr(0, 10);
        std::string numbers = ExtractBetween(row, "<ul>", "</ul>", 0);
        const int32_t dateInt = RowDateInt(date);
        std::string reason;
        if (dateInt == 0)
            reason = Format(Tr("дата \"%s\" не является датой"), {TextExcerpt(date, 40)});
        else if (dateInt > today)
            reason = Format(Tr("дата %s позже сегодняшней"), {date});
        else if (seen.count(dateInt))
            reason = Format(Tr("тираж от %s повторяется"), {date});
        // The numbers are read whatever the date, so that a broken marker fails the page.
        const std::string numbersReason =
            ReadBalls(numbers, "<li>", kNumberCount, kMinNumber, kMaxNumber, rec.Numbers, TrNoop("число"));
        const std::string extrasReason = numbersReason.empty()
            ? ReadBalls(numbers, "<li class=\"star red\">", kExtraCount, kMinExtra, kMaxExtra, rec.Extras, TrNoop("доп. число"))
            : std::string();
        if (reason.empty()) reason = numbersReason.empty() ? extrasReason : numbersReason;
        if (!reason.empty()) {
            if (skips) {
                ++skips->Count;
                if (skips->Reasons.size() < TPageSkips::kMaxReasons)
                    skips->Reasons.push_back(Format(Tr("строка %d: %s"), {rowNo, reason}));
            }
            continue;
        }
        rec.SetDateText(date);
        seen.insert(dateInt);
        rows.push_back(rec);
    }
    return rows;
}

int AppendPageDraws(TDrawsArchive& archive, const std::vector<TDrawRecord>& pageDraws, int32_t fromDate) {
    // Oldest first whatever order the page has; dates already past the archive's newest are all
    // that is taken, so nothing in the archive changes.
    std::vector<std::pair<int32_t, const TDrawRecord*>> fresh;
    for (const TDrawRecord& r : pageDraws) {
        const int32_t d = RowDateInt(r.DateText());
        if (d >= fromDate) fresh.emplace_back(d, &r);
    }
    std::stable_sort(fresh.begin(), fresh.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    int added = 0;
    for (const auto& [date, r] : fresh) {
        TDrawRecord rec = *r;
        rec.Number = archive.Count() + 1;
        archive.Draws.push_back(rec);
        ++added;
    }
    return added;
}

int32_t DrawDateInt(const TDrawsArchive& archive, int k, int days) { return archive.DateIntAt(k, days); }

std::string ProxyListQuery(const std::string& url, int page) {
    std::vector<std::string> keys;
    if (!IsHttps(url)) keys.push_back("protocol=http");
    keys.push_back("protocol=https");
    keys.push_back("min_uptime=75");
    if (page > 1) keys.push_back(Format("offset=%d", {kProxyPageRows * (page - 1)}));
    return Join(keys, "&");
}

std::vector<std::string> ReadProxyListPage(const std::string& page) {
    std::vector<std::string> entries;
    // One forward pass over the rows: each runs from its "<tr" to the next one or the end.
    size_t at = FindNoCase(page, "<tr");
    while (at != std::string::npos) {
        const size_t next = FindNoCase(page, "<tr", at + 3);
        std::string row = page.substr(at + 3, (next == std::string::npos ? page.size() : next) - at - 3);
        at = next;
        std::string host = ExtractBetween(row, "<td>", "</td>", 1);
        CutBetween(row, "<td>", "</td>", 1);
        std::string port = ExtractBetween(row, "<td>", "</td>", 1);
        if (host.empty() || port.empty()) continue;
        entries.push_back(host + ":" + port);
    }
    return entries;
}

TDrawsDownloader::TDrawsDownloader(TDrawsArchive& archive, TProxy& proxy, const TWebSettings& web,
                                   TDownloadHost& host, TProgressSink& progress)
    : Options(WebOptionsFor(web)),
      CurrentYear(DateToInt(Today()) / 10000),
      archive_(archive),
      proxy_(proxy),
      web_(web),
      host_(host),
      progress_(progress) {
    Options.Progress = &progress_;
    Options.MaxBytes = kMaxPageBytes;
}

int TDrawsDownloader::DownloadAllYears() {
    int total = 0;
    attempt_ = 1;
    lastError_.clear();
    skipped_.clear();
    stopped_ = false;
    int year = FirstYear > 0 ? FirstYear : DrawDateInt(archive_, 0, 1) / 10000;
    // Draws appended whose file write failed are written with the next pass.
    bool unsaved = false;
    while (year <= CurrentYear) {
        if (progress_.StopRequested()) {
            stopped_ = true;
            break;
        }
        try {
            const int32_t from = DrawDateInt(archive_, 0, 1);
            const int n = DownloadYear(year, from);
            if (!proxy_.Saved) {
                // A proxy that worked is kept; a settings file that cannot be written does not
                // stop the download (the values stay in memory).
                try {
                    host_.SaveProxy(proxy_);
                } catch (const std::exception&) {
                }
            }
            if (n > 0) {
                total += n;
                unsaved = true;
            }
            if (unsaved) {
                archive_.SaveDraws();
                unsaved = false;
                host_.DrawsAdded();
            }
            host_.YearRead(year, n);
            ++year;
        } catch (const TWebStopped&) {
            stopped_ = true;
            break;
        } catch (const std::exception& e) {
            ++attempt_;
            if (proxy_.Mode == 1 && DropCandidate()) continue;
            lastError_ = e.what();
            if (!host_.AskRetry(Format(Tr("Ошибка загрузки архива тиражей с сайта: \"%s\"\r\rПовторить попытку?"), {lastError_})))
                break;
            lastError_.clear();
        }
    }
    if (unsaved) {
        // The last pass appended draws but could not write them: one more try, so that the
        // archive on disk does not lag behind what the lists show.
        try {
            archive_.SaveDraws();
            host_.DrawsAdded();
        } catch (const std::exception& e) {
            if (lastError_.empty()) lastError_ = e.what();
        }
    }
    candidates_.clear();
    return total;
}

int TDrawsDownloader::DownloadYear(int year, int32_t fromDate) {
    progress_.Status(Format(Tr("Загрузка тиражей за %d год..."), {year}));
    const std::string text = WebGetText(DrawsYearUrl(web_, year), true);
    TPageSkips skips;
    const std::vector<TDrawRecord> rows = ReadResultsPage(text, &skips, TodayDate);
    if (skips.Count > 0) {
        std::string message = Format(Tr("Тиражи за %d год: пропущено строк страницы, не являющихся тиражами: %d (%s)"),
                                     {year, skips.Count, Join(skips.Reasons, "; ")});
        if (skips.Count > int(skips.Reasons.size())) message += " ...";
        skipped_.push_back(message);
        host_.RowsSkipped(year, message);
    }
    progress_.Status(Tr("Сохранение файла тиражей..."));
    return AppendPageDraws(archive_, rows, fromDate);
}

void TDrawsDownloader::PrepareProxy() {
    if (proxy_.Mode != 1 || !proxy_.Server.empty()) return;
    if (candidates_.empty()) {
        try {
            FindProxyCandidates(IsHttps(web_.DrawsSite) ? "https://" : "http://");
        } catch (const TWebStopped&) {
            throw;
        } catch (const std::exception& e) {
            host_.ShowError(Format(Tr("Ошибка получения списка proxy-серверов!\r\r%s"), {e.what()}));
            throw Error(Format(Tr("Не удалось подобрать proxy-сервер: %s"), {e.what()}));
        }
    }
    try {
        const std::string& entry = candidates_.front();
        const size_t colon = entry.rfind(':');
        const std::string server = Trim(entry.substr(0, colon == std::string::npos ? entry.size() : colon));
        const std::string portText = colon == std::string::npos ? std::string() : Trim(entry.substr(colon + 1));
        const auto port = TryStrToInt(portText);
        if (server.empty() || !port || *port < 1 || *port > 65535)
            throw Error(Format(Tr("'%s' - неверный адрес proxy-сервера"), {TextExcerpt(entry, 100)}));
        proxy_.Server = server;
        proxy_.Port = *port;
        proxy_.Username.clear();
        proxy_.Password.clear();
        proxy_.Saved = false;
    } catch (const std::exception& e) {
        host_.ShowError(Format(Tr("Ошибка автоматического выбора proxy сервера!\r\r%s"), {e.what()}));
        // The entry cannot be used: the year fails, and the next try takes the following one.
        throw Error(Format(Tr("Не удалось подобрать proxy-сервер: %s"), {e.what()}));
    }
}

std::string TDrawsDownloader::WebGetText(const std::string& url, bool utf8) {
    PrepareProxy();
    const bool useProxy = (proxy_.Mode == 1 || proxy_.Mode == 2) && !proxy_.Server.empty();
    if (useProxy)
        host_.WaitText(TrText(kWaitDownload) + "\r\r" +
                       Format(Tr("Попытка %d, proxy %s : %d"), {attempt_, proxy_.Server, proxy_.Port}));
    else
        host_.WaitText(TrText(kWaitDownload));
    TWebProxy p;
    if (useProxy) p = TWebProxy{proxy_.Server, proxy_.Port, proxy_.Username, proxy_.Password};
    const std::string body = WebGetString(useProxy ? &p : nullptr, url, true, Options);
    return utf8 ? CleanUtf8(body) : Cp1251ToUtf8(body);
}

void TDrawsDownloader::FindProxyCandidates(const std::string& url) {
    host_.WaitText(TrText(kWaitDownload) + Tr("\r\rПоиск proxy-серверов"));
    candidates_.clear();
    const std::string base = web_.ProxyListUrl + (web_.ProxyListUrl.find('?') == std::string::npos ? "?" : "&");
    for (int page = 1;; ++page) {
        const std::string text = WebGetString(nullptr, base + ProxyListQuery(url, page), true, Options);
        const std::vector<std::string> rows = ReadProxyListPage(text);
        candidates_.insert(candidates_.end(), rows.begin(), rows.end());
        if (int(candidates_.size()) >= kEnoughCandidates || int(rows.size()) < kProxyPageRows) break;
    }
    if (candidates_.empty()) throw Error(Tr("Не найдено ни одного proxy-сервера с заданными параметрами"));
}

bool TDrawsDownloader::DropCandidate() {
    proxy_.Server.clear();
    proxy_.Port = 0;
    proxy_.Username.clear();
    proxy_.Password.clear();
    proxy_.Saved = false;
    if (!candidates_.empty()) candidates_.erase(candidates_.begin());
    return !candidates_.empty();
}

} // namespace velmora
