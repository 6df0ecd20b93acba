// The web requests of the program: the only way it reaches the network. Each call uses a fresh
// client (libcurl): the product's request headers, compressed replies decoded, redirects on
// request, cookies kept for the life of the request, a proxy when one is given, and the
// connection closed at the end.
//
// TLS: "https://" addresses verify the server's certificate and host name against the system's
// CA store with the platform's current protocols (TLS 1.2 or later); TWebOptions::CAFile adds
// the CAs of one PEM file (a private server). A certificate that fails is an error, never a
// quiet fallback to an unverified connection.
//
// Time-outs: connecting (TCP, proxy and TLS handshake) is bounded by ConnectTimeoutMs; once
// connected, the request fails when no byte arrives for ReadTimeoutMs; the whole request, however
// slowly its bytes trickle in, is bounded by TotalTimeoutMs. The reply body is counted as it is
// decoded and the request fails as soon as it passes MaxBytes. The progress sink of the
// options is polled while the request runs (about once a second, and whenever data arrives):
// StopRequested() cancels the request with TWebStopped.
//
// Failures raise TWebError with a message for the user in Russian (host not found, connection
// refused, time-out, certificate, proxy credentials, HTTP status, network), libcurl's own text
// after it in brackets, or TWebStopped.
#pragma once

#include "core/net/web_settings.h"
#include "core/util/error.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

class TProgressSink;

// The proxy of one request. Used only when Server is not empty and Port is not 0.
struct TWebProxy {
    std::string Server;
    int32_t Port = 0;
    std::string Username;  // empty: no credentials sent
    std::string Password;
};

struct TWebOptions {
    int ConnectTimeoutMs = 5000;
    int ReadTimeoutMs = 10000;
    int TotalTimeoutMs = kDefaultTotalTimeoutSec * 1000;
    std::string CAFile;                  // extra trusted CAs (PEM); empty: the system's only
    TProgressSink* Progress = nullptr;   // polled for a stop request; nullptr: never stops
    int64_t MaxBytes = 256ll << 20;      // a longer reply is refused (guards memory and disk)
};

// The options of a request to the configured servers: the CA file and the total time limit of
// the settings.
TWebOptions WebOptionsFor(const TWebSettings& settings);

struct TWebError : Error {
    enum class TKind { Network, Timeout, Certificate, ProxyAuth, HttpStatus, Stopped, TooLarge, File };
    TWebError(TKind kind, const std::string& message, int httpStatus = 0)
        : Error(message), Kind(kind), HttpStatus(httpStatus) {}
    TKind Kind;
    int HttpStatus;  // the status of an HttpStatus or ProxyAuth error
};

// The error of a transfer that libcurl ended with `curlCode` (a CURLcode other than CURLE_OK) at
// `host` (host[:port]); `detail` is libcurl's text. `proxy` (host:port) when one was used.
TWebError WebTransferError(int curlCode, const std::string& host, const std::string& detail,
                           const std::string& proxy = std::string());
// The Russian words for an HTTP status ("страница не найдена" for 404); "" for one without.
std::string HttpStatusText(int status);

// The user stopped the request.
struct TWebStopped : TWebError {
    TWebStopped();
};

// The form fields of a POST, name and value, in order (UTF-8 or bytes; both are percent-encoded).
using TFormFields = std::vector<std::pair<std::string, std::string>>;

// GET into a text: the reply body as raw bytes, no code-page conversion. A status of 400 or
// more is an error; without FollowRedirects a redirect's own body is returned.
std::string WebGetString(const TWebProxy* proxy, const std::string& url, bool followRedirects,
                         const TWebOptions& options = {});
// GET into a file, created or replaced whole (a failed request leaves the old file as it was).
// Redirects are followed.
void WebGetFile(const TWebProxy* proxy, const std::string& url, const std::string& path,
                const TWebOptions& options = {});
// POST of the fields as an "application/x-www-form-urlencoded" body; the reply as raw bytes.
std::string WebPostForm(const TWebProxy* proxy, const std::string& url, const TFormFields& fields,
                        bool followRedirects, const TWebOptions& options = {});

// The body of a form post: name=value pairs joined by "&", each side percent-encoded (every byte
// but letters, digits and "-._~").
std::string EncodeFormFields(const TFormFields& fields);

} // namespace velmora
