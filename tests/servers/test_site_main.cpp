// velmora-test-site: the test results site (and a tinyproxy without credentials) as a program of
// its own, for looking at the download by hand (screenshots of the wait window). Serves years
// 2012 and 2014 with draws and lets 2013 stall. Prints the settings to use, then runs until
// SIGINT or SIGTERM.
//
//   velmora-test-site DIR     (DIR receives the certificates and the proxy's files)
//   velmora-test-site --help  (prints the usage; so does any other word starting with "-")
#include "servers/draws_site.h"
#include "servers/tinyproxy_runner.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

constexpr const char* kUsage =
    "usage: velmora-test-site DIR\n"
    "  Serves the test results site (years 2012 and 2014 with draws, 2013 stalls) and a tinyproxy\n"
    "  on 127.0.0.1, prints the settings to use, and runs until SIGINT or SIGTERM.\n"
    "  DIR receives the certificates and the proxy's files.\n";

} // namespace

int main(int argc, char** argv) {
    using namespace velmora::test;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // An option is never taken for the folder.
    if (argc != 2 || argv[1][0] == '-' || argv[1][0] == 0) {
        if (argc == 2 && argv[1][0] == '-') std::fprintf(stderr, "velmora-test-site: unknown option %s\n", argv[1]);
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        const std::string dir = argv[1];
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set, nullptr);  // the server threads inherit the mask

        const TTestCerts certs = MakeTestCerts(dir + "/certs");
        TTestDrawsSite site(certs);
        site.Years[2012] = {MakeDraw("2012-03-02", {3, 14, 25, 36, 47}, {2, 9}), MakeDraw("2012-03-06", {5, 10, 20, 30, 40}, {1, 4})};
        site.Years[2014] = {MakeDraw("2014-05-06", {7, 17, 27, 37, 49}, {3, 8})};
        site.Stall = {2013};
        site.Start();
        TTinyproxy proxy(dir + "/proxy", "", "");
        std::printf("DrawsSite=%s\nCAFile=%s\nProxyPort=%d\n", site.BaseUrl().c_str(), certs.CaFile.c_str(), proxy.Port());
        std::fflush(stdout);
        int sig = 0;
        sigwait(&set, &sig);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-test-site: %s\n", e.what());
        return 1;
    }
}
