#include "servers/test_certs.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include <unistd.h>

namespace velmora::test {

namespace {

// Runs one openssl command line; raises with its output when it fails.
void RunOpenssl(const std::string& args) {
    const std::string cmd = "openssl " + args + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(cmd.c_str(), "r"), ::pclose);
    if (!pipe) throw std::runtime_error("cannot run: " + cmd);
    std::string out;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe.get())) > 0) out.append(buf, n);
    const int rc = ::pclose(pipe.release());
    if (rc != 0) throw std::runtime_error("openssl failed (" + std::to_string(rc) + "): " + cmd + "\n" + out);
}

std::string Quote(const std::string& path) { return "'" + path + "'"; }

// A folder removed when the test program ends.
struct TCertDir {
    explicit TCertDir(const std::string& tag) {
        path = (std::filesystem::temp_directory_path() / ("velmora_certs_" + std::to_string(::getpid()) + "_" + tag))
                   .string();
        std::filesystem::remove_all(path);
        certs = MakeTestCerts(path);
    }
    ~TCertDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
    TTestCerts certs;
};

} // namespace

TTestCerts MakeTestCerts(const std::string& dir) {
    std::filesystem::create_directories(dir);
    TTestCerts c;
    c.Dir = dir;
    c.CaFile = dir + "/ca.pem";
    c.CertFile = dir + "/server.pem";
    c.KeyFile = dir + "/server.key";
    const std::string caKey = dir + "/ca.key", csr = dir + "/server.csr", ext = dir + "/server.ext";
    {
        std::ofstream e(ext);
        e << "basicConstraints=CA:FALSE\n"
             "keyUsage=critical,digitalSignature,keyEncipherment\n"
             "extendedKeyUsage=serverAuth\n"
             "subjectAltName=IP:127.0.0.1,DNS:localhost\n";
    }
    const std::string ec = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    RunOpenssl("req -x509 " + ec + " -keyout " + Quote(caKey) + " -out " + Quote(c.CaFile) +
               " -days 2 -subj '/CN=Velmora test CA " + std::to_string(::getpid()) + "'" +
               " -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign");
    RunOpenssl("req " + ec + " -keyout " + Quote(c.KeyFile) + " -out " + Quote(csr) + " -subj /CN=127.0.0.1");
    RunOpenssl("x509 -req -in " + Quote(csr) + " -CA " + Quote(c.CaFile) + " -CAkey " + Quote(caKey) +
               " -CAcreateserial -out " + Quote(c.CertFile) + " -days 2 -extfile " + Quote(ext));
    return c;
}

const TTestCerts& SharedTestCerts() {
    static TCertDir dir("main");
    return dir.certs;
}

const TTestCerts& OtherTestCerts() {
    static TCertDir dir("other");
    return dir.certs;
}

} // namespace velmora::test
