// The operator's results site as the tests see it: an HTTPS server on loopback with year pages in
// the operator's layout (gzip-compressed when the client accepts it), special pages for the
// failure cases, and the public proxy-list service at "/proxy-list".
//
// Configure the members, then Start(). A year that is neither in Years nor in a special set
// gets a page without the draw block.
#pragma once

#include "core/model/draw_record.h"
#include "servers/test_server.h"

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace velmora::test {

// A results page of the operator with these draws (given in any order; the page lists them
// newest first).
std::string ResultsPageHtml(std::vector<TDrawRecord> draws);
// A draw for a page or an archive: date "yyyy-mm-dd", five numbers, two extras.
TDrawRecord MakeDraw(const std::string& date, std::initializer_list<int> numbers, std::initializer_list<int> extras,
                     int number = 0);

class TTestDrawsSite {
public:
    explicit TTestDrawsSite(const TTestCerts& certs = SharedTestCerts());

    std::map<int, std::vector<TDrawRecord>> Years;
    std::set<int> NoBlock;      // a page without the draw block
    std::set<int> Broken;       // a draw row whose date marker is not closed
    std::set<int> Stall;        // the reply never comes (until the server stops)
    std::set<int> Redirect;     // the page answers with a redirect to where the page is
    std::map<int, int> Failures;  // the year answers 500 this many times first
    std::map<int, std::string> Pages;  // the year's page is this text as it is
    std::set<int> Trickle;      // the page comes one byte every TrickleMs, without end
    // The proxy list: the rows the service has, 15 per page.
    std::vector<std::string> ProxyList;
    bool ProxyListFails = false;
    int TrickleMs = 400;

    void Start();
    void Stop() { server_.Stop(); }
    std::string BaseUrl() const { return server_.BaseUrl(); }
    std::string ProxyListUrl() const { return server_.BaseUrl() + "/proxy-list"; }
    TTestServer& Server() { return server_; }

    // What was asked: the year pages in order (redirect targets included) and the proxy-list queries.
    std::vector<int> YearRequests();
    std::vector<std::string> ProxyListQueries();
    // The "Accept-Encoding" header of the last year request.
    std::string LastAcceptEncoding();

private:
    void ServeYear(int year, const httplib::Request& req, httplib::Response& res);

    TTestServer server_;
    std::mutex mutex_;
    std::vector<int> yearRequests_;
    std::vector<std::string> proxyQueries_;
    std::string lastAcceptEncoding_;
};

} // namespace velmora::test
