// Reads back what the spreadsheet export wrote, for the tests: the workbook is unpacked with the
// unzip program and the sheet XML is scanned for its cells, sheet names and settings.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace velmora::test {

// One part of the package as text ("" when missing).
inline std::string XlsxPart(const std::string& file, const std::string& part) {
    const std::string cmd = "unzip -p '" + file + "' '" + part + "' 2>/dev/null";
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

inline std::string XmlUnescape(std::string s) {
    static const std::vector<std::pair<std::string, std::string>> entities = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t p = 0; (p = s.find(from, p)) != std::string::npos; p += to.size()) s.replace(p, from.size(), to);
    return s;
}

// The value of attribute `name` in the tag text `tag` ("" when absent).
inline std::string XmlAttr(const std::string& tag, const std::string& name) {
    const std::string key = " " + name + "=\"";
    size_t p = tag.find(key);
    if (p == std::string::npos) return {};
    p += key.size();
    return XmlUnescape(tag.substr(p, tag.find('"', p) - p));
}

struct TReadCell {
    bool Number = false;
    double Value = 0;
    std::string Text;  // the text of a text cell; the written value of a number cell
    int Style = 0;
};

struct TReadSheet {
    std::map<std::string, TReadCell> Cells;  // by reference, "A1"
    std::string Xml;
    int Rows() const {  // the highest row number with a cell
        int last = 0;
        for (const auto& [ref, cell] : Cells) {
            size_t d = ref.find_first_of("0123456789");
            last = std::max(last, std::atoi(ref.c_str() + d));
        }
        return last;
    }
};

// Sheet `n` (1-based) of the workbook.
inline TReadSheet ReadXlsxSheet(const std::string& file, int n) {
    TReadSheet sheet;
    sheet.Xml = XlsxPart(file, "xl/worksheets/sheet" + std::to_string(n) + ".xml");
    const std::string shared = XlsxPart(file, "xl/sharedStrings.xml");
    std::vector<std::string> strings;
    for (size_t p = 0; (p = shared.find("<t", p)) != std::string::npos;) {
        size_t b = shared.find('>', p) + 1, e = shared.find("</t>", b);
        if (shared[p + 2] != '>' && shared[p + 2] != ' ') { p = b; continue; }
        strings.push_back(XmlUnescape(shared.substr(b, e - b)));
        p = e;
    }
    const std::string& x = sheet.Xml;
    for (size_t p = 0; (p = x.find("<c ", p)) != std::string::npos;) {
        const size_t tagEnd = x.find('>', p);
        const std::string tag = x.substr(p, tagEnd - p);
        TReadCell cell;
        cell.Style = std::atoi(XmlAttr(tag, "s").c_str());
        const std::string type = XmlAttr(tag, "t");
        const bool empty = x[tagEnd - 1] == '/';
        const size_t close = empty ? tagEnd : x.find("</c>", tagEnd);
        const std::string body = empty ? std::string() : x.substr(tagEnd + 1, close - tagEnd - 1);
        auto inner = [&](const std::string& el) {
            size_t b = body.find("<" + el);
            if (b == std::string::npos) return std::string();
            b = body.find('>', b) + 1;
            return XmlUnescape(body.substr(b, body.find("</" + el + ">", b) - b));
        };
        if (type == "inlineStr") {
            cell.Text = inner("t");
        } else if (type == "s") {
            cell.Text = strings.at(size_t(std::atoi(inner("v").c_str())));
        } else if (type == "str") {
            cell.Text = inner("v");
        } else {
            cell.Number = true;
            cell.Text = inner("v");
            cell.Value = std::atof(cell.Text.c_str());
        }
        sheet.Cells[XmlAttr(tag, "r")] = cell;
        p = close;
    }
    return sheet;
}

// The sheet names of the workbook in order.
inline std::vector<std::string> XlsxSheetNames(const std::string& file) {
    const std::string wb = XlsxPart(file, "xl/workbook.xml");
    std::vector<std::string> names;
    for (size_t p = 0; (p = wb.find("<sheet ", p)) != std::string::npos; ++p)
        names.push_back(XmlAttr(wb.substr(p, wb.find('>', p) - p), "name"));
    return names;
}

} // namespace velmora::test
