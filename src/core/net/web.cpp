#include "core/net/web.h"

#include "core/util/atomic_file.h"
#include "core/util/format.h"
#include "core/util/progress.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <curl/curl.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>

namespace velmora {

namespace {

constexpr const char* kAccept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
constexpr const char* kAcceptEncoding = "gzip, deflate, sdch";
constexpr const char* kUserAgent =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/47.0.2526.80 Safari/537.36";

using Clock = std::chrono::steady_clock;

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Where the reply body goes: a string or an open file.
struct TSink {
    std::string* Text = nullptr;
    FILE* File = nullptr;
    int64_t Written = 0;
    int64_t MaxBytes = 0;
    bool TooLarge = false;
    bool WriteFailed = false;
};

size_t WriteBody(char* data, size_t size, size_t n, void* user) {
    auto* s = static_cast<TSink*>(user);
    const size_t len = size * n;
    if (s->Written + int64_t(len) > s->MaxBytes) {
        s->TooLarge = true;
        return 0;
    }
    if (s->Text) {
        s->Text->append(data, len);
    } else if (s->File && std::fwrite(data, 1, len, s->File) != len) {
        s->WriteFailed = true;
        return 0;
    }
    s->Written += int64_t(len);
    return len;
}

// The watch over a running request: the read time-out and the stop request.
struct TWatch {
    CURL* Curl = nullptr;
    TProgressSink* Progress = nullptr;
    int ReadTimeoutMs = 0;
    int TotalTimeoutMs = 0;
    bool Connected = false;
    curl_off_t LastBytes = -1;
    Clock::time_point Start = Clock::now();
    Clock::time_point LastActivity;
    bool TimedOut = false;
    bool TotalTimedOut = false;
    bool Stopped = false;
};

int OnProgress(void* user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal, curl_off_t ulnow) {
    (void)dltotal;
    (void)ultotal;
    auto* w = static_cast<TWatch*>(user);
    if (w->Progress && w->Progress->StopRequested()) {
        w->Stopped = true;
        return 1;
    }
    const auto now = Clock::now();
    if (std::chrono::duration_cast<std::chrono::milliseconds>(now - w->Start).count() > w->TotalTimeoutMs) {
        w->TotalTimedOut = true;
        return 1;
    }
    if (!w->Connected) {
        // The read clock starts once the connection (and its TLS handshake) is made; until then
        // the connect time-out of libcurl applies.
        curl_off_t connect = 0, app = 0;
        curl_easy_getinfo(w->Curl, CURLINFO_CONNECT_TIME_T, &connect);
        curl_easy_getinfo(w->Curl, CURLINFO_APPCONNECT_TIME_T, &app);
        char* scheme = nullptr;
        curl_easy_getinfo(w->Curl, CURLINFO_SCHEME, &scheme);
        const bool tls = scheme && SameText(scheme, "https");
        if (connect == 0 || (tls && app == 0)) return 0;
        w->Connected = true;
        w->LastActivity = now;
        w->LastBytes = dlnow + ulnow;
        return 0;
    }
    if (dlnow + ulnow != w->LastBytes) {
        w->LastBytes = dlnow + ulnow;
        w->LastActivity = now;
        return 0;
    }
    if (std::chrono::duration_cast<std::chrono::milliseconds>(now - w->LastActivity).count() > w->ReadTimeoutMs) {
        w->TimedOut = true;
        return 1;
    }
    return 0;
}

// Adds the CAs of the CA file to the store libcurl filled with the system's.
CURLcode AddCaFile(CURL* curl, void* sslctx, void* user) {
    (void)curl;
    auto* file = static_cast<const std::string*>(user);
    X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslctx));
    if (!store || X509_STORE_load_file(store, file->c_str()) != 1) return CURLE_SSL_CACERT_BADFILE;
    return CURLE_OK;
}

struct TCurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct TListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

std::string HostOf(CURL* curl, const std::string& url) {
    char* eff = nullptr;
    curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &eff);
    std::string u = eff ? eff : url;
    size_t p = u.find("://");
    if (p != std::string::npos) u = u.substr(p + 3);
    p = u.find_first_of("/?#");
    if (p != std::string::npos) u.resize(p);
    return u;
}

struct TRequest {
    const TWebProxy* Proxy = nullptr;
    std::string Url;
    bool FollowRedirects = false;
    bool Post = false;
    std::string Body;
};

// Runs one request into the sink; raises TWebError on every failure.
void Perform(const TRequest& r, const TWebOptions& o, TSink& sink) {
    GlobalInit();
    const std::string scheme = LowerCase(r.Url.substr(0, r.Url.find("://")));
    if (r.Url.find("://") == std::string::npos || (scheme != "http" && scheme != "https"))
        throw TWebError(TWebError::TKind::Network, Format(Tr("Неверный адрес \"%s\": нужен адрес http:// или https://"), {r.Url}));
    if (!o.CAFile.empty() && !FileExists(o.CAFile))
        throw TWebError(TWebError::TKind::Certificate,
                        Format(Tr("Файл сертификатов \"%s\" (параметр CAFile) не найден"), {o.CAFile}));

    std::unique_ptr<CURL, TCurlDeleter> holder(curl_easy_init());
    CURL* c = holder.get();
    if (!c) throw TWebError(TWebError::TKind::Network, Tr("Не удалось создать HTTP-клиент"));
    char errbuf[CURL_ERROR_SIZE] = {};

    std::unique_ptr<curl_slist, TListDeleter> headers;
    auto addHeader = [&](const std::string& h) {
        curl_slist* l = curl_slist_append(headers.get(), h.c_str());
        if (l) {
            (void)headers.release();
            headers.reset(l);
        }
    };
    addHeader(std::string("Accept: ") + kAccept);
    addHeader("Expect:");  // no "100-continue" round trip before a form body

    TWatch watch;
    watch.Curl = c;
    watch.Progress = o.Progress;
    watch.ReadTimeoutMs = o.ReadTimeoutMs;
    watch.TotalTimeoutMs = o.TotalTimeoutMs;
    sink.MaxBytes = o.MaxBytes;

    curl_easy_setopt(c, CURLOPT_URL, r.Url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errbuf);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, kAcceptEncoding);
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // the cookie engine, in memory only
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, r.FollowRedirects ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(c, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(o.ConnectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &watch);

    // Certificates are always verified; the proxy's own TLS too when it is an https proxy.
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2));
    if (!o.CAFile.empty()) {
        curl_easy_setopt(c, CURLOPT_SSL_CTX_FUNCTION, AddCaFile);
        curl_easy_setopt(c, CURLOPT_SSL_CTX_DATA, &o.CAFile);
    }

    const bool useProxy = r.Proxy && !r.Proxy->Server.empty() && r.Proxy->Port != 0;
    if (useProxy) {
        curl_easy_setopt(c, CURLOPT_PROXY, r.Proxy->Server.c_str());
        curl_easy_setopt(c, CURLOPT_PROXYPORT, long(r.Proxy->Port));
        curl_easy_setopt(c, CURLOPT_PROXYTYPE, long(CURLPROXY_HTTP));
        if (!r.Proxy->Username.empty()) {
            curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, r.Proxy->Username.c_str());
            curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, r.Proxy->Password.c_str());
            curl_easy_setopt(c, CURLOPT_PROXYAUTH, long(CURLAUTH_BASIC));
        }
        // https addresses go through a tunnel, so the proxy never sees the request.
    } else {
        curl_easy_setopt(c, CURLOPT_PROXY, "");  // also no proxy from the environment
    }

    if (r.Post) {
        curl_easy_setopt(c, CURLOPT_POST, 1L);
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, r.Body.c_str());
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(r.Body.size()));
    }

    const CURLcode rc = curl_easy_perform(c);
    long status = 0, connectStatus = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(c, CURLINFO_HTTP_CONNECTCODE, &connectStatus);
    const std::string detail = errbuf[0] ? std::string(errbuf) : std::string(curl_easy_strerror(rc));
    const std::string proxyText = useProxy ? Format("%s:%d", {r.Proxy->Server, r.Proxy->Port}) : std::string();

    if (watch.Stopped) throw TWebStopped();
    // tinyproxy and others answer a tunnel request with bad credentials by 401 instead of 407.
    if (connectStatus == 407 || connectStatus == 401 || status == 407)
        throw TWebError(TWebError::TKind::ProxyAuth,
                        Format(Tr("Proxy-сервер %s отказал в доступе: неверное имя пользователя или пароль (HTTP %d)"),
                               {proxyText, int(connectStatus ? connectStatus : status)}),
                        int(connectStatus ? connectStatus : status));
    if (rc == CURLE_OK && connectStatus >= 400)
        throw TWebError(TWebError::TKind::HttpStatus,
                        Format(Tr("Proxy-сервер %s не открыл соединение (HTTP %d)"), {proxyText, int(connectStatus)}),
                        int(connectStatus));
    if (watch.TimedOut)
        throw TWebError(TWebError::TKind::Timeout,
                        Format(Tr("Сервер %s не ответил за %d с (время ожидания ответа истекло)"),
                               {HostOf(c, r.Url), (o.ReadTimeoutMs + 999) / 1000}));
    if (watch.TotalTimedOut)
        throw TWebError(TWebError::TKind::Timeout,
                        Format(Tr("Ответ сервера %s не получен целиком за %d с (общее время запроса истекло)"),
                               {HostOf(c, r.Url), (o.TotalTimeoutMs + 999) / 1000}));
    if (sink.TooLarge)
        throw TWebError(TWebError::TKind::TooLarge,
                        Format(Tr("Ответ сервера %s слишком велик (больше %d байт)"), {HostOf(c, r.Url), o.MaxBytes}));
    if (sink.WriteFailed) throw TWebError(TWebError::TKind::File, Tr("Ошибка записи полученного файла на диск"));
    if (rc == CURLE_OPERATION_TIMEDOUT)
        throw TWebError(TWebError::TKind::Timeout,
                        Format(Tr("Не удалось соединиться с сервером %s за %d с (%s)"),
                               {HostOf(c, r.Url), (o.ConnectTimeoutMs + 999) / 1000, detail}));
    if (rc != CURLE_OK) throw WebTransferError(int(rc), HostOf(c, r.Url), detail, proxyText);
    if (status >= 400) {
        const std::string words = HttpStatusText(int(status));
        throw TWebError(TWebError::TKind::HttpStatus,
                        words.empty() ? Format(Tr("Сервер %s вернул ошибку HTTP %d"), {HostOf(c, r.Url), int(status)})
                                      : Format(Tr("Сервер %s вернул ошибку HTTP %d: %s"), {HostOf(c, r.Url), int(status), words}),
                        int(status));
    }
}

} // namespace

TWebStopped::TWebStopped() : TWebError(TKind::Stopped, Tr("Загрузка прервана пользователем")) {}

TWebError WebTransferError(int curlCode, const std::string& host, const std::string& detail, const std::string& proxy) {
    using K = TWebError::TKind;
    auto error = [&](K kind, const std::string& text) { return TWebError(kind, text + " (" + detail + ")"); };
    switch (CURLcode(curlCode)) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return error(K::Network, Format(Tr("Сервер %s не найден: проверьте адрес и подключение к интернету"), {host}));
    case CURLE_COULDNT_RESOLVE_PROXY:
        return error(K::Network, Format(Tr("Proxy-сервер %s не найден: проверьте его адрес в настройках"), {proxy}));
    case CURLE_COULDNT_CONNECT:
        return proxy.empty()
            ? error(K::Network, Format(Tr("Сервер %s отказал в соединении или недоступен"), {host}))
            : error(K::Network, Format(Tr("Proxy-сервер %s отказал в соединении или недоступен"), {proxy}));
    case CURLE_OPERATION_TIMEDOUT:
        return error(K::Timeout, Format(Tr("Сервер %s не ответил вовремя (время ожидания истекло)"), {host}));
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return error(K::Certificate, Format(Tr("Сертификат сервера %s не прошёл проверку, соединение отклонено"), {host}));
    case CURLE_SSL_CONNECT_ERROR:
        return error(K::Certificate, Format(Tr("Не удалось установить защищённое соединение с сервером %s"), {host}));
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return error(K::Network, Format(Tr("Соединение с сервером %s прервано до конца ответа"), {host}));
    case CURLE_TOO_MANY_REDIRECTS:
        return error(K::Network, Format(Tr("Сервер %s перенаправляет запрос слишком много раз"), {host}));
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_WEIRD_SERVER_REPLY:
        return error(K::Network, Format(Tr("Сервер %s прислал ответ, который не удалось прочитать"), {host}));
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return error(K::Network, Format(Tr("Неверный адрес сервера %s"), {host}));
    default:
        return error(K::Network, Format(Tr("Ошибка сети при обращении к серверу %s"), {host}));
    }
}

std::string HttpStatusText(int status) {
    switch (status) {
    case 400: return Tr("неверный запрос");
    case 401: return Tr("нужна авторизация");
    case 403: return Tr("доступ запрещён");
    case 404: return Tr("страница не найдена");
    case 407: return Tr("proxy-сервер требует имя пользователя и пароль");
    case 408: return Tr("время ожидания запроса истекло");
    case 410: return Tr("страница удалена");
    case 413: return Tr("запрос слишком велик");
    case 429: return Tr("слишком много запросов, повторите позже");
    case 500: return Tr("внутренняя ошибка сервера");
    case 502: return Tr("ошибка шлюза");
    case 503: return Tr("сервис временно недоступен");
    case 504: return Tr("шлюз не дождался ответа");
    default: return status >= 500 && status < 600 ? Tr("ошибка на стороне сервера") : std::string();
    }
}

TWebOptions WebOptionsFor(const TWebSettings& settings) {
    TWebOptions o;
    o.CAFile = settings.CAFile;
    o.TotalTimeoutMs = settings.TotalTimeoutSec * 1000;
    return o;
}

std::string EncodeFormFields(const TFormFields& fields) {
    auto escape = [](const std::string& s) {
        static const char* hex = "0123456789ABCDEF";
        std::string out;
        for (unsigned char ch : s) {
            if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-' ||
                ch == '.' || ch == '_' || ch == '~') {
                out += char(ch);
            } else {
                out += '%';
                out += hex[ch >> 4];
                out += hex[ch & 15];
            }
        }
        return out;
    };
    std::string body;
    for (const auto& [name, value] : fields) {
        if (!body.empty()) body += '&';
        body += escape(name) + "=" + escape(value);
    }
    return body;
}

std::string WebGetString(const TWebProxy* proxy, const std::string& url, bool followRedirects,
                         const TWebOptions& options) {
    std::string text;
    TSink sink;
    sink.Text = &text;
    TRequest r;
    r.Proxy = proxy;
    r.Url = url;
    r.FollowRedirects = followRedirects;
    Perform(r, options, sink);
    return text;
}

void WebGetFile(const TWebProxy* proxy, const std::string& url, const std::string& path, const TWebOptions& options) {
    TAtomicFileTarget target(path);
    struct TFileCloser {
        void operator()(FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<FILE, TFileCloser> file(std::fopen(target.TempPath().c_str(), "wb"));
    if (!file) throw TWebError(TWebError::TKind::File, Format(Tr("Не удалось создать файл \"%s\""), {path}));
    TSink sink;
    sink.File = file.get();
    TRequest r;
    r.Proxy = proxy;
    r.Url = url;
    r.FollowRedirects = true;
    Perform(r, options, sink);
    if (std::fclose(file.release()) != 0)
        throw TWebError(TWebError::TKind::File, Format(Tr("Ошибка записи файла \"%s\""), {path}));
    target.Commit();
}

std::string WebPostForm(const TWebProxy* proxy, const std::string& url, const TFormFields& fields,
                        bool followRedirects, const TWebOptions& options) {
    std::string text;
    TSink sink;
    sink.Text = &text;
    TRequest r;
    r.Proxy = proxy;
    r.Url = url;
    r.FollowRedirects = followRedirects;
    r.Post = true;
    r.Body = EncodeFormFields(fields);
    Perform(r, options, sink);
    return text;
}

} // namespace velmora
