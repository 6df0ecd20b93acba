#include "server/connection_guard.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace velmora::server {

namespace {

TConnectionGuard* g_guard = nullptr;
// The connection the calling thread serves (the library serves one connection per thread).
thread_local TConnectionGuard::TConnection* t_current = nullptr;

std::string PeerAddress(int fd) {
    sockaddr_storage addr{};
    socklen_t len = sizeof addr;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return std::string();
    char text[INET6_ADDRSTRLEN] = {};
    if (addr.ss_family == AF_INET)
        ::inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(&addr)->sin_addr, text, sizeof text);
    else if (addr.ss_family == AF_INET6)
        ::inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6*>(&addr)->sin6_addr, text, sizeof text);
    return text;
}

} // namespace

TConnectionGuard::TConnectionGuard(std::chrono::milliseconds readLimit, std::chrono::milliseconds lifeLimit,
                                   int perAddress)
    : readLimit_(readLimit), lifeLimit_(lifeLimit), perAddress_(perAddress) {
    g_guard = this;
    exIndex_ = SSL_get_ex_new_index(0, nullptr, nullptr, nullptr, &TConnectionGuard::OnFree);
    watcher_ = std::thread([this] { Watch(); });
}

TConnectionGuard::~TConnectionGuard() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    watcher_.join();
    g_guard = nullptr;
}

void TConnectionGuard::Attach(SSL_CTX* ctx) { SSL_CTX_set_info_callback(ctx, &TConnectionGuard::OnInfo); }

void TConnectionGuard::OnInfo(const SSL* ssl, int where, int ret) {
    (void)ret;
    if ((where & SSL_CB_HANDSHAKE_START) && g_guard) g_guard->Register(const_cast<SSL*>(ssl));
}

void TConnectionGuard::Register(SSL* ssl) {
    // A later handshake message of the same connection (TLS 1.3 key updates) starts nothing new.
    if (SSL_get_ex_data(ssl, exIndex_)) return;
    auto* c = new TConnection;
    c->Fd = SSL_get_fd(ssl);
    c->Address = PeerAddress(c->Fd);
    c->Start = Clock::now();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        int same = 0;
        for (const TConnection* other : connections_)
            if (!other->Cut && other->Address == c->Address) ++same;
        if (same >= perAddress_ && c->Fd >= 0) {
            // Refused at once: the handshake fails and the connection is closed.
            c->Cut = true;
            ::shutdown(c->Fd, SHUT_RDWR);
        }
        connections_.insert(c);
    }
    SSL_set_ex_data(ssl, exIndex_, c);
    t_current = c;
}

void TConnectionGuard::OnFree(void* parent, void* ptr, CRYPTO_EX_DATA* ad, int idx, long argl, void* argp) {
    (void)parent, (void)ad, (void)idx, (void)argl, (void)argp;
    auto* c = static_cast<TConnection*>(ptr);
    if (!c) return;
    if (g_guard) {
        std::lock_guard<std::mutex> lock(g_guard->mutex_);
        g_guard->connections_.erase(c);
    }
    if (t_current == c) t_current = nullptr;
    delete c;
}

void TConnectionGuard::RequestRead() {
    if (!g_guard || !t_current) return;
    std::lock_guard<std::mutex> lock(g_guard->mutex_);
    if (g_guard->connections_.count(t_current)) t_current->Read = true;
}

void TConnectionGuard::Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        wake_.wait_for(lock, std::chrono::milliseconds(200));
        const auto now = Clock::now();
        for (TConnection* c : connections_) {
            if (c->Cut || c->Fd < 0) continue;
            const auto age = now - c->Start;
            // The socket stays open until the connection's TLS state is freed, which first takes
            // the lock held here, so the descriptor is still this connection's.
            if ((!c->Read && age > readLimit_) || age > lifeLimit_) {
                c->Cut = true;
                ::shutdown(c->Fd, SHUT_RDWR);
            }
        }
    }
}

} // namespace velmora::server
