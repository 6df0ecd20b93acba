// The catalog server's guard against clients that hold its request threads: a connection must
// deliver its whole request (TLS handshake, headers and body) within ReadLimit, and one address
// may hold at most PerAddress connections at a time; a connection past either bound is shut down,
// which ends the blocked read and frees the thread for other clients. Every connection also ends
// after LifeLimit in all (a client that does not read its reply).
//
// The guard watches the connections through the TLS context of the server: a connection is
// registered when its handshake starts and forgotten when its TLS state is freed, which the HTTP
// library does before it closes the socket. The request handler tells the guard, on the thread
// that serves the connection, when the request has been read whole (RequestRead).
#pragma once

#include <openssl/ssl.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace velmora::server {

class TConnectionGuard {
public:
    using Clock = std::chrono::steady_clock;

    TConnectionGuard(std::chrono::milliseconds readLimit, std::chrono::milliseconds lifeLimit, int perAddress);
    ~TConnectionGuard();
    TConnectionGuard(const TConnectionGuard&) = delete;
    TConnectionGuard& operator=(const TConnectionGuard&) = delete;

    // Watches the connections of this TLS context. One guard per process.
    void Attach(SSL_CTX* ctx);
    // The request of the calling thread's connection has been read whole.
    static void RequestRead();

    struct TConnection {
        int Fd = -1;
        std::string Address;
        Clock::time_point Start;
        bool Read = false;
        bool Cut = false;
    };

private:
    static void OnInfo(const SSL* ssl, int where, int ret);
    static void OnFree(void* parent, void* ptr, CRYPTO_EX_DATA* ad, int idx, long argl, void* argp);
    void Register(SSL* ssl);
    void Watch();

    const std::chrono::milliseconds readLimit_, lifeLimit_;
    const int perAddress_;
    int exIndex_ = -1;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::set<TConnection*> connections_;
    std::thread watcher_;
};

} // namespace velmora::server
