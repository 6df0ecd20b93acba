// velmora-catalogd: the catalog server of systems and scripts over HTTPS with an SQLite database, so that a
// group of users can run its own catalog (and the tests exercise the real exchange).
//
//   velmora-catalogd --listen HOST:PORT --db FILE --cert FILE --key FILE
//
// PORT 0 takes a free port. Once listening the server prints one line
// "velmora-catalogd: listening on https://HOST:PORT" to standard output; SIGINT and SIGTERM stop
// it. Requests are form posts to /scripts/sys_getlist.php, /scripts/sys_getdata.php and
// /scripts/sys_putdata.php (systems) and /scripts/scr_getlist.php, scr_getdata.php, scr_setrate.php,
// scr_chktitle.php, scr_putscript.php and scr_getrates.php (scripts) of at most 4 MiB; replies are
// tagged text. A database of an older version (systems only) is upgraded when opened. A client must deliver its
// request within 10 s and may hold at most 4 connections at a time, so that slow or numerous
// clients cannot take every request thread.
#include "server/catalog_service.h"
#include "server/connection_guard.h"

#include <httplib.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <pthread.h>
#include <thread>

using namespace velmora::server;

namespace {

struct TOptions {
    std::string Host, Db, Cert, Key;
    int Port = -1;
};

// --help: what the server does and its options, on standard output, exit status 0.
[[noreturn]] void Help() {
    std::cout << "velmora-catalogd: the catalog server of systems and scripts over HTTPS with an SQLite database\n"
                 "\n"
                 "usage: velmora-catalogd --listen HOST:PORT --db FILE --cert FILE --key FILE\n"
                 "\n"
                 "  --listen HOST:PORT  the address to listen on; PORT 0 takes a free port\n"
                 "  --db FILE           the SQLite database, created when missing; an older one is upgraded\n"
                 "  --cert FILE         the server certificate (PEM), with its chain\n"
                 "  --key FILE          the private key of the certificate (PEM)\n"
                 "  --help, -h          this text\n"
                 "\n"
                 "Once listening it prints \"velmora-catalogd: listening on https://HOST:PORT\"; SIGINT and SIGTERM\n"
                 "stop it. Requests are form posts of at most 4 MiB to /scripts/sys_*.php (systems) and\n"
                 "/scripts/scr_*.php (scripts); a client must deliver its request within 10 s and may hold at most\n"
                 "4 connections at a time.\n"
                 "\n"
                 "Exit status: 0 after a stop by signal or --help, 1 when the server cannot start, 2 on bad options.\n";
    std::exit(0);
}

[[noreturn]] void Usage(const std::string& error) {
    std::cerr << "velmora-catalogd: " << error << "\n"
              << "usage: velmora-catalogd --listen HOST:PORT --db FILE --cert FILE --key FILE\n";
    std::exit(2);
}

TOptions ParseArgs(int argc, char** argv) {
    TOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") Help();
        if (i + 1 >= argc) Usage("missing value of " + a);
        const std::string v = argv[++i];
        if (a == "--listen") {
            const size_t colon = v.rfind(':');
            if (colon == std::string::npos || colon == 0) Usage("--listen needs HOST:PORT");
            o.Host = v.substr(0, colon);
            try {
                size_t used = 0;
                o.Port = std::stoi(v.substr(colon + 1), &used);
                if (used != v.size() - colon - 1) o.Port = -1;
            } catch (const std::exception&) {
                o.Port = -1;
            }
            if (o.Port < 0 || o.Port > 65535) Usage("bad port in --listen");
        } else if (a == "--db") {
            o.Db = v;
        } else if (a == "--cert") {
            o.Cert = v;
        } else if (a == "--key") {
            o.Key = v;
        } else {
            Usage("unknown option " + a);
        }
    }
    if (o.Host.empty() || o.Db.empty() || o.Cert.empty() || o.Key.empty())
        Usage("--listen, --db, --cert and --key are required");
    return o;
}

constexpr int kRequestThreads = 16;
constexpr auto kReadLimit = std::chrono::seconds(10);       // handshake, headers and body
constexpr auto kConnectionLimit = std::chrono::seconds(120);  // the whole connection
constexpr int kConnectionsPerAddress = 4;

TFields FormFields(const std::string& body) {
    // The form-encoded body; the query string is not used.
    TFields f;
    httplib::Params params;
    httplib::detail::parse_query_text(body, params);
    for (const auto& [k, v] : params) f.emplace(k, v);
    return f;
}

// The handler reads the body itself: the library's own reading of a form body refuses anything
// over 8 KiB, far below the bound of a request.
void Serve(TCatalogDb& db, const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader,
           std::string (*handler)(TCatalogDb&, const TFields&)) {
    std::string form;
    bool tooLarge = false;
    const bool read = reader([&](const char* data, size_t n) {
        if (form.size() + n > kMaxRequestBytes) {
            tooLarge = true;
            return false;
        }
        form.append(data, n);
        return true;
    });
    TConnectionGuard::RequestRead();
    if (!read || tooLarge) {
        res.status = tooLarge || std::strtoull(req.get_header_value("Content-Length").c_str(), nullptr, 10) > kMaxRequestBytes ? 413 : 400;
        return;
    }
    std::string body;
    try {
        body = handler(db, FormFields(form));
    } catch (const TRefused& e) {
        body = ErrorReply(e.what());
    } catch (const std::exception& e) {
        std::cerr << "velmora-catalogd: " << req.path << ": " << e.what() << std::endl;
        body = ErrorReply("Внутренняя ошибка сервера каталога");
    }
    res.set_content(body, "text/html; charset=utf-8");
}

} // namespace

int main(int argc, char** argv) {
    const TOptions opt = ParseArgs(argc, argv);

    // SIGINT and SIGTERM go to one waiting thread, which stops the server.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    try {
        TCatalogDb db(opt.Db);
        httplib::SSLServer server(opt.Cert.c_str(), opt.Key.c_str());
        if (!server.is_valid()) {
            std::cerr << "velmora-catalogd: cannot load the certificate or key\n";
            return 1;
        }
        server.set_payload_max_length(kMaxRequestBytes);
        server.set_read_timeout(10, 0);
        server.set_write_timeout(10, 0);
        // One request per connection, so that the read limit covers every request.
        server.set_keep_alive_max_count(1);
        server.new_task_queue = [] { return new httplib::ThreadPool(kRequestThreads); };
        TConnectionGuard guard(kReadLimit, kConnectionLimit, kConnectionsPerAddress);
        guard.Attach(server.ssl_context());
        using TReader = const httplib::ContentReader&;
        server.Post("/scripts/sys_getlist.php", [&](const httplib::Request& q, httplib::Response& r, TReader c) {
            Serve(db, q, r, c, HandleSystemList);
        });
        server.Post("/scripts/sys_getdata.php", [&](const httplib::Request& q, httplib::Response& r, TReader c) {
            Serve(db, q, r, c, HandleSystemData);
        });
        server.Post("/scripts/sys_putdata.php", [&](const httplib::Request& q, httplib::Response& r, TReader c) {
            Serve(db, q, r, c, HandleSystemPut);
        });
        const std::pair<const char*, std::string (*)(TCatalogDb&, const TFields&)> scriptPaths[] = {
            {"/scripts/scr_getlist.php", HandleScriptList},       {"/scripts/scr_getdata.php", HandleScriptData},
            {"/scripts/scr_setrate.php", HandleScriptSetRate},    {"/scripts/scr_chktitle.php", HandleScriptCheckTitle},
            {"/scripts/scr_putscript.php", HandleScriptPut},      {"/scripts/scr_getrates.php", HandleScriptRates}};
        for (const auto& [path, handler] : scriptPaths)
            server.Post(path, [&db, handler](const httplib::Request& q, httplib::Response& r, TReader c) {
                Serve(db, q, r, c, handler);
            });

        int port = opt.Port;
        if (port == 0) {
            port = server.bind_to_any_port(opt.Host);
        } else if (!server.bind_to_port(opt.Host, port)) {
            port = -1;
        }
        if (port <= 0) {
            std::cerr << "velmora-catalogd: cannot listen on " << opt.Host << ":" << opt.Port << "\n";
            return 1;
        }
        std::atomic<bool> signalled{false};
        std::thread stopper([&] {
            int sig = 0;
            sigwait(&stopSignals, &sig);
            signalled = true;
            while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            server.stop();
        });
        std::cout << "velmora-catalogd: listening on https://" << opt.Host << ":" << port << std::endl;
        server.listen_after_bind();
        // Stopped by a signal: the stopper has returned. Ended otherwise: wake it (the signal stays
        // pending for it, as every thread blocks it).
        if (!signalled) pthread_kill(stopper.native_handle(), SIGTERM);
        stopper.join();
    } catch (const std::exception& e) {
        std::cerr << "velmora-catalogd: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
