// A small HTTP or HTTPS server for the tests (cpp-httplib), on 127.0.0.1 and a free port chosen by
// the system. Register the handlers on Http(), then Start(); the destructor wakes every handler
// that waits on Stopping() and stops and joins the server, also when a test fails.
#pragma once

#include "servers/test_certs.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace velmora::test {

class TTestServer {
public:
    // With certs: HTTPS with that certificate; without: plain HTTP.
    explicit TTestServer(const TTestCerts* certs);
    ~TTestServer();
    TTestServer(const TTestServer&) = delete;
    TTestServer& operator=(const TTestServer&) = delete;

    httplib::Server& Http() { return *server_; }
    // Binds 127.0.0.1:0 and serves on a thread of its own; raises when it cannot bind.
    void Start();
    void Stop();

    int Port() const { return port_; }
    // "https://127.0.0.1:<port>" (or http://).
    std::string BaseUrl() const;

    // For a handler that stalls: waits up to `limit` or until the server stops; true when stopping.
    bool WaitForStop(std::chrono::milliseconds limit);

private:
    std::unique_ptr<httplib::Server> server_;
    bool tls_ = false;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool stopping_ = false;
};

// The gzip form of a text, for handlers that send a compressed body themselves.
std::string GzipBytes(const std::string& text);

} // namespace velmora::test
