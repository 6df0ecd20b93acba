#include "servers/draws_site.h"

#include <algorithm>
#include <cstdio>

namespace velmora::test {

TDrawRecord MakeDraw(const std::string& date, std::initializer_list<int> numbers, std::initializer_list<int> extras,
                     int number) {
    TDrawRecord r;
    r.Number = number;
    int i = 0;
    for (int n : numbers) r.Numbers[i++] = uint8_t(n);
    i = 0;
    for (int e : extras) r.Extras[i++] = uint8_t(e);
    r.SetDateText(date);
    return r;
}

std::string ResultsPageHtml(std::vector<TDrawRecord> draws) {
    std::stable_sort(draws.begin(), draws.end(),
                     [](const TDrawRecord& a, const TDrawRecord& b) { return a.DateText() > b.DateText(); });
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Архив результатов</title></head><body>\n"
        "<article><h1>Велмора 5 из 50: архив тиражей</h1>\n<div class=\"prevresults\">\n";
    int shown = 1000;
    for (const TDrawRecord& d : draws) {
        html += "<div class=\"row \">\n  <div class=\"draw\"><a href=\"/draw/" + std::to_string(shown--) + "\">Тираж</a></div>\n";
        html += "  <div class=\"date\"><time datetime=\"" + d.DateText() + "T21:00:00+03:00\">" + d.DateText() + "</time></div>\n";
        html += "  <div class=\"numbers\"><ul>";
        for (int i = 0; i < 5; ++i) html += "<li>" + std::to_string(d.Numbers[i]) + "</li>";
        for (int i = 0; i < 2; ++i) html += "<LI class=\"star red\">" + std::to_string(d.Extras[i]) + "</li>";
        html += "</ul></div>\n</div>\n";
    }
    html += "</div>\n</article>\n<footer>Велмора</footer></body></html>\n";
    return html;
}

TTestDrawsSite::TTestDrawsSite(const TTestCerts& certs) : server_(&certs) {}

void TTestDrawsSite::Start() {
    auto& h = server_.Http();
    h.Get(R"(/velmora/arhiv-rezultatov/(\d+))", [this](const httplib::Request& req, httplib::Response& res) {
        const int year = std::stoi(req.matches[1]);
        if (Redirect.count(year)) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                yearRequests_.push_back(year);
            }
            res.set_redirect("/archive-moved/velmora/arhiv-rezultatov/" + std::to_string(year));
            return;
        }
        ServeYear(year, req, res);
    });
    h.Get(R"(/archive-moved/velmora/arhiv-rezultatov/(\d+))", [this](const httplib::Request& req, httplib::Response& res) {
        ServeYear(std::stoi(req.matches[1]), req, res);
    });
    h.Get("/proxy-list", [this](const httplib::Request& req, httplib::Response& res) {
        std::string query;
        {
            // The query as sent, keys in the order the client gave them.
            const std::string& target = req.target;
            const size_t q = target.find('?');
            query = q == std::string::npos ? std::string() : target.substr(q + 1);
            std::lock_guard<std::mutex> lock(mutex_);
            proxyQueries_.push_back(query);
        }
        if (ProxyListFails) {
            res.status = 503;
            return;
        }
        const int offset = req.has_param("offset") ? std::stoi(req.get_param_value("offset")) : 0;
        std::string html = "<table><tr><th>IP</th><th>Port</th><th>Uptime</th></tr>\n";
        for (int i = offset; i < offset + 15 && i < int(ProxyList.size()); ++i) {
            const std::string& e = ProxyList[size_t(i)];
            const size_t colon = e.rfind(':');
            html += "<tr><td>" + e.substr(0, colon) + "</td><td>" + e.substr(colon + 1) + "</td><td>90%</td></tr>\n";
        }
        html += "</table>\n";
        res.set_content(html, "text/html");
    });
    server_.Start();
}

void TTestDrawsSite::ServeYear(int year, const httplib::Request& req, httplib::Response& res) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        yearRequests_.push_back(year);
        lastAcceptEncoding_ = req.get_header_value("Accept-Encoding");
        auto f = Failures.find(year);
        if (f != Failures.end() && f->second > 0) {
            --f->second;
            res.status = 500;
            return;
        }
    }
    if (Stall.count(year)) {
        server_.WaitForStop(std::chrono::seconds(30));
        res.status = 503;
        return;
    }
    if (Trickle.count(year)) {
        res.set_chunked_content_provider("application/x-test", [this](size_t, httplib::DataSink& sink) {
            if (server_.WaitForStop(std::chrono::milliseconds(TrickleMs))) return false;
            return sink.write("<", 1);
        });
        return;
    }
    std::string html;
    if (Pages.count(year)) {
        html = Pages.at(year);
    } else if (Broken.count(year)) {
        auto it = Years.find(year);
        html = ResultsPageHtml(it == Years.end() ? std::vector<TDrawRecord>{} : it->second);
        // The second row's date marker loses its closing quote and bracket.
        const std::string marker = "<time datetime=\"";
        size_t p = html.find(marker);
        if (p != std::string::npos) p = html.find(marker, p + 1);
        if (p == std::string::npos) {
            html += "<div class=\"prevresults\"><div class=\"row \"><time datetime=\"" + std::to_string(year) +
                    "-06-01</article>";
        } else {
            html = html.substr(0, p) + marker + std::to_string(year) + "-06-01 broken";
            html += "</article>";
        }
    } else if (NoBlock.count(year) || !Years.count(year)) {
        html = "<!DOCTYPE html><html><body><article><p>Тиражей за " + std::to_string(year) +
               " год нет</p></article></body></html>";
    } else {
        html = ResultsPageHtml(Years.at(year));
    }
    // text/html is compressed by the server when the client accepts gzip.
    res.set_content(html, "text/html; charset=utf-8");
}

std::vector<int> TTestDrawsSite::YearRequests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return yearRequests_;
}

std::vector<std::string> TTestDrawsSite::ProxyListQueries() {
    std::lock_guard<std::mutex> lock(mutex_);
    return proxyQueries_;
}

std::string TTestDrawsSite::LastAcceptEncoding() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastAcceptEncoding_;
}

} // namespace velmora::test
