#include "servers/test_server.h"

#include <stdexcept>

#include <zlib.h>

namespace velmora::test {

TTestServer::TTestServer(const TTestCerts* certs) {
    if (certs) {
        server_ = std::make_unique<httplib::SSLServer>(certs->CertFile.c_str(), certs->KeyFile.c_str());
        tls_ = true;
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    if (!server_->is_valid()) throw std::runtime_error("the test server could not load its certificate");
    server_->set_read_timeout(5, 0);
    server_->set_write_timeout(5, 0);
}

TTestServer::~TTestServer() { Stop(); }

void TTestServer::Start() {
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("the test server could not bind 127.0.0.1");
    // The socket listens from here on; connections wait in its queue until the loop accepts them.
    thread_ = std::thread([this] { server_->listen_after_bind(); });
}

void TTestServer::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    cv_.notify_all();
    if (thread_.joinable()) {
        // stop() only acts on a running loop: wait until the thread has entered it.
        for (int i = 0; i < 500 && !server_->is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        server_->stop();
        thread_.join();
    }
}

std::string TTestServer::BaseUrl() const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

bool TTestServer::WaitForStop(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_for(lock, limit, [this] { return stopping_; });
}

std::string GzipBytes(const std::string& text) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&z, uLong(text.size())) + 32, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = uInt(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
    return out;
}

} // namespace velmora::test
