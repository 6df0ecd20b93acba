// Certificates for the test servers, made at test time with the openssl command: a CA of its own
// and a server certificate signed by it for 127.0.0.1 and localhost. A client trusts the server
// by taking CaFile as its extra CA file; a client without it (or with another CA) must refuse.
#pragma once

#include <string>

namespace velmora::test {

struct TTestCerts {
    std::string Dir;       // the folder that holds the files below
    std::string CaFile;    // the CA certificate (PEM)
    std::string CertFile;  // the server certificate (PEM), signed by the CA
    std::string KeyFile;   // the server's private key (PEM)
};

// Makes a fresh CA and server certificate in dir (created when missing). Raises
// std::runtime_error with the openssl command's output when a step fails.
TTestCerts MakeTestCerts(const std::string& dir);

// One set per test program, made on first use in a temporary folder that is removed at exit.
const TTestCerts& SharedTestCerts();
// A second, unrelated set (another CA): a server with it is not trusted by SharedTestCerts().CaFile.
const TTestCerts& OtherTestCerts();

} // namespace velmora::test
