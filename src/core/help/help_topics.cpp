#include "core/help/help_topics.h"

#include "core/model/draw_record.h"
#include "core/stats/stat_index.h"
#include "core/stats/stat_list.h"
#include "core/stats/stat_runs.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "core/util/translate.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace velmora {

namespace {

struct TExampleDraw {
    int Number;
    int N[5];
    int E[2];
    const char* Date;
};

// A fixed archive, so that every build shows the same examples.
constexpr TExampleDraw kExample[] = {
    {1, {40, 17, 48, 23, 45}, {9, 1}, "2024-01-02"},  {2, {30, 50, 16, 42, 4}, {3, 2}, "2024-01-05"},
    {3, {24, 31, 16, 25, 35}, {2, 4}, "2024-01-09"},  {4, {1, 47, 14, 27, 18}, {3, 7}, "2024-01-12"},
    {5, {11, 49, 5, 9, 40}, {10, 8}, "2024-01-16"},   {6, {9, 1, 14, 50, 11}, {3, 5}, "2024-01-19"},
    {7, {21, 13, 35, 44, 41}, {4, 3}, "2024-01-23"},  {8, {45, 13, 25, 20, 2}, {6, 7}, "2024-01-26"},
    {9, {11, 10, 17, 5, 22}, {5, 1}, "2024-01-30"},   {10, {39, 44, 46, 22, 5}, {5, 6}, "2024-02-02"},
    {11, {20, 31, 45, 21, 12}, {8, 10}, "2024-02-06"}, {12, {46, 12, 4, 17, 2}, {6, 7}, "2024-02-09"},
    {13, {2, 36, 27, 24, 25}, {10, 1}, "2024-02-13"}, {14, {29, 3, 46, 12, 40}, {4, 2}, "2024-02-16"},
    {15, {49, 16, 30, 23, 33}, {6, 9}, "2024-02-20"}, {16, {17, 50, 30, 7, 38}, {6, 5}, "2024-02-23"},
    {17, {3, 28, 6, 14, 22}, {9, 6}, "2024-02-27"},   {18, {10, 22, 18, 45, 35}, {2, 5}, "2024-03-01"},
    {19, {44, 21, 20, 12, 6}, {3, 5}, "2024-03-05"},  {20, {31, 11, 47, 4, 6}, {10, 9}, "2024-03-08"},
    {21, {26, 3, 16, 48, 39}, {6, 5}, "2024-03-12"},  {22, {30, 42, 27, 10, 4}, {1, 8}, "2024-03-15"},
    {23, {22, 14, 9, 47, 37}, {3, 7}, "2024-03-19"},  {24, {7, 11, 28, 24, 10}, {1, 7}, "2024-03-22"},
    {25, {19, 10, 30, 40, 11}, {9, 8}, "2024-03-26"}, {26, {32, 45, 47, 21, 31}, {5, 10}, "2024-03-29"},
    {27, {31, 26, 10, 8, 25}, {9, 3}, "2024-04-02"},  {28, {41, 32, 22, 12, 6}, {8, 5}, "2024-04-05"},
    {29, {33, 36, 24, 5, 50}, {6, 1}, "2024-04-09"},  {30, {49, 20, 24, 36, 46}, {5, 8}, "2024-04-12"},
};

// Value lists longer than this are shown by their beginning and end.
constexpr size_t kShownValues = 40;
constexpr size_t kShownHead = 24;
constexpr size_t kShownTail = 8;
// Earlier draws shown beside the example's draw when its values depend on them.
constexpr int kShownEarlierDraws = 5;

std::string Html(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string NumbersText(const TDrawRecord& d, bool sorted) {
    std::vector<int> n(d.Numbers, d.Numbers + 5);
    if (sorted) std::sort(n.begin(), n.end());
    std::vector<std::string> parts;
    for (int v : n) parts.push_back(std::to_string(v));
    return Join(parts, " ");
}

std::string Page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + Html(title) +
           "</title>\n</head>\n<body>\n" + body + "</body>\n</html>\n";
}

std::string Navigation(bool withStats) {
    std::string s = "<p><a href=\"index.htm\">" + Html(Tr("Содержание")) + "</a>";
    if (withStats) s += " | <a href=\"stats.htm\">" + Html(Tr("Список статистик")) + "</a>";
    return s + "</p>\n";
}

std::string FlagText(uint8_t flag) {
    switch (flag) {
    case kFlagS:
        return Tr("значение зависит от порядка чисел в тираже (позиции чисел, соседние числа), поэтому его "
                  "меняет переключатель сортировки чисел тиража");
    case kFlagN:
        return Tr("значение вычисляется только из пяти чисел комбинации; для статистики строится "
                  "распределение по полному набору из 2 118 760 комбинаций (сравнение с полным набором)");
    case kFlagD:
        return Tr("значение зависит от предыдущих тиражей: комбинация сравнивается с последним тиражом окна "
                  "анализа и тиражами перед ним");
    case kFlagP:
        return Tr("статистика периодов: значение измеряет, через сколько тиражей повторяются значения");
    case kFlagG:
        return Tr("у статистики есть график тиражей (страница «Графики»)");
    default:
        return "";
    }
}

std::string ValuesText(const TCustomStat& stat, const TStatDrawArray& values) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < values.size(); ++i) {
        if (values.size() > kShownValues && i == kShownHead) {
            texts.push_back("…");
            i = values.size() - kShownTail;
        }
        texts.push_back(Html(stat.ValueToText(values[i])));
    }
    return Join(texts, ", ");
}

struct TMethodFacts {
    std::string Code;
    std::string Caption;
    std::string Flags;
    std::string Values;      // the generated values paragraph
    std::string LastValues;  // the values of the example's last draw
    int Distinct = 0;        // distinct values over the example archive
};

TMethodFacts Facts(const TStatList& list, const TStatMethod& m) {
    TMethodFacts f;
    f.Code = m.Code();
    f.Caption = m.FullCaption();
    f.Flags = FlagLetters(m.StatClass->GetFilterFlags());
    const int last = int(list.Draws->size()) - 1;
    auto stat = m.CreateStat(list);
    TStatDrawArray domain;
    {
        TStatBatchScope scope(*stat, &domain, nullptr);
        stat->ListAllValues(last, domain);
    }
    if (domain.empty()) {
        f.Values = Tr("Список значений не задан заранее: таблица статистики показывает значения, которые "
                      "встретились в тиражах выборки.");
    } else {
        SortStatValues(domain);
        f.Values = Format(Tr("На архиве примера таблица статистики предлагает значений: %d, в том числе ни разу "
                             "не встретившиеся: %s."),
                          {int(domain.size()), ValuesText(*stat, domain)});
    }
    TStatDrawArray window;
    ComputeStatDistribution(*stat, last, last + 1, false, window);
    TStatDrawArray lastDraw;
    for (const auto& v : window) {
        if (v.Count > 0) ++f.Distinct;
        if (v.Count > 0 && v.Age == 1) lastDraw.push_back(v);
    }
    SortStatValues(lastDraw);
    std::vector<std::string> texts;
    for (const auto& v : lastDraw) texts.push_back(Html(stat->ValueToText(v)));
    f.LastValues = texts.empty() ? "—" : Join(texts, "; ");
    return f;
}

bool DependsOnEarlierDraws(const TStatClass& c) {
    return (c.ClassFlags() & (kFlagD | kFlagP)) != 0 || c.GetGroup() == 8 || c.GetGroup() == 9 || c.GetGroup() == 10;
}

std::string Section(const std::string& title) { return "<h2>" + Html(title) + "</h2>\n"; }

// The hand text of each method of a topic; methods that share a text are shown together.
std::string HandTexts(const std::vector<std::pair<std::string, std::string>>& byCode) {
    std::vector<std::pair<std::vector<std::string>, std::string>> groups;
    for (const auto& [code, text] : byCode) {
        if (text.empty()) continue;
        auto it = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.second == text; });
        if (it == groups.end())
            groups.push_back({{code}, text});
        else
            it->first.push_back(code);
    }
    if (groups.size() == 1) return groups[0].second + "\n";
    std::string s;
    for (const auto& [codes, text] : groups) s += "<h3>" + Html(Join(codes, ", ")) + "</h3>\n" + text + "\n";
    return s;
}

std::string TopicPage(const TStatList& list, const std::vector<int>& methods, const THelpTexts& texts) {
    const TStatClass& cls = *list.Items(methods.front()).StatClass;
    std::vector<TMethodFacts> facts;
    for (int i : methods) facts.push_back(Facts(list, list.Items(i)));
    const std::string title =
        facts.size() == 1 ? facts.front().Caption : facts.front().Caption + " … " + facts.back().Caption;

    std::string b = Navigation(true);
    b += "<h1>" + Html(title) + "</h1>\n";
    b += "<p>" + Html(Format(Tr("Группа: %s"), {GroupCaption(cls.GetGroup())})) + "</p>\n";
    b += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr><th>" + Html(Tr("Код")) + "</th><th>" +
         Html(Tr("Название")) + "</th><th>" + Html(Tr("Особенности")) + "</th></tr>\n";
    for (const auto& f : facts)
        b += "<tr><td><a id=\"" + Html(f.Code) + "\"></a><b>" + Html(f.Code) + "</b></td><td>" + Html(f.Caption) +
             "</td><td>" + Html(f.Flags) + "</td></tr>\n";
    b += "</table>\n";

    std::vector<std::pair<std::string, std::string>> counts, filters, settings;
    // Methods that all take one entry through a pattern share its text, {N} shown as N.
    bool shared = methods.size() > 1;
    bool pattern = false;
    const int entry = texts.EntryOf(list.Items(methods.front()).Code(), &pattern);
    shared = shared && entry >= 0 && pattern;
    for (int i : methods) shared = shared && texts.EntryOf(list.Items(i).Code()) == entry;
    if (shared) {
        const THelpText t = texts.EntryText(entry, "<i>N</i>");
        counts.push_back({"", t.Counts});
        filters.push_back({"", t.Filter});
        settings.push_back({"", t.Settings});
    }
    for (int i : shared ? std::vector<int>{} : methods) {
        const std::string code = list.Items(i).Code();
        const auto t = texts.Find(code);
        counts.push_back({code, t ? t->Counts : ""});
        filters.push_back({code, t ? t->Filter : ""});
        settings.push_back({code, t ? t->Settings : ""});
    }
    if (const std::string s = HandTexts(counts); !s.empty()) b += Section(Tr("Что считает")) + s;

    b += Section(Tr("Значения"));
    {
        std::vector<std::pair<std::string, std::string>> values;
        for (const auto& f : facts) values.push_back({f.Code, "<p>" + f.Values + "</p>"});
        b += HandTexts(values);
    }
    b += "<p>" +
         Html(Tr("Комбинация получает значения так же, как тираж: она оценивается как тираж, следующий за "
                 "последним тиражом окна анализа.")) +
         "</p>\n";

    const TDrawsArray& draws = *list.Draws;
    const TDrawRecord& lastDraw = draws.back();
    b += Section(Tr("Пример"));
    b += "<p>" +
         Html(Format(Tr("Архив примера: %d тиражей. Последний тираж № %d от %s: числа в порядке выпадения %s, "
                        "по возрастанию %s, дополнительные числа %d и %d."),
                     {int(draws.size()), lastDraw.Number, lastDraw.DateText(), NumbersText(lastDraw, false),
                      NumbersText(lastDraw, true), int(lastDraw.Extras[0]), int(lastDraw.Extras[1])})) +
         "</p>\n";
    if (DependsOnEarlierDraws(cls)) {
        b += "<p>" + Html(Tr("Тиражи перед ним, с которыми он сравнивается (и более ранние тиражи архива примера):")) +
             "</p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr><th>" + Html(Tr("Тираж")) +
             "</th><th>" + Html(Tr("Дата")) + "</th><th>" + Html(Tr("Числа")) + "</th></tr>\n";
        for (int k = 1; k <= kShownEarlierDraws && int(draws.size()) - 1 - k >= 0; ++k) {
            const TDrawRecord& d = draws[draws.size() - 1 - size_t(k)];
            b += "<tr><td>" + std::to_string(d.Number) + "</td><td>" + Html(d.DateText()) + "</td><td>" +
                 NumbersText(d, false) + "</td></tr>\n";
        }
        b += "</table>\n";
    }
    b += "<p>" + Html(Tr("Что дает статистика (числа тиражей в порядке выпадения):")) +
         "</p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr><th>" + Html(Tr("Код")) + "</th><th>" +
         Html(Format(Tr("Значения тиража № %d"), {lastDraw.Number})) + "</th><th>" +
         Html(Format(Tr("Разных значений за %d тиражей"), {int(draws.size())})) + "</th></tr>\n";
    for (const auto& f : facts)
        b += "<tr><td>" + Html(f.Code) + "</td><td>" + f.LastValues + "</td><td>" + std::to_string(f.Distinct) +
             "</td></tr>\n";
    b += "</table>\n";

    b += Section(Tr("Фильтр по статистике"));
    b += "<p>" +
         Html(Tr("Выделите в таблице статистики строки значений и нажмите «Оставить выделенные» (F7): останутся "
                 "комбинации, у которых есть одно из выделенных значений. «Удалить выделенные» (Ctrl+F7) удаляет "
                 "именно эти комбинации, остальные остаются.")) +
         "</p>\n";
    b += HandTexts(filters);

    b += Section(Tr("Особенности"));
    const uint8_t flags = cls.GetFilterFlags();
    if (flags == 0) {
        b += "<p>" + Html(Tr("Особых признаков у статистики нет.")) + "</p>\n";
    } else {
        b += "<ul>\n";
        for (uint8_t bit : {kFlagS, kFlagN, kFlagD, kFlagP, kFlagG})
            if (flags & bit) b += "<li><b>" + FlagLetters(bit) + "</b> — " + Html(FlagText(bit)) + "</li>\n";
        b += "</ul>\n";
    }
    if (const std::string s = HandTexts(settings); !s.empty()) b += Section(Tr("Настройки")) + s;
    b += "<hr>\n" + Navigation(true);
    return Page(title, b);
}

} // namespace

const TDrawsArray& HelpExampleDraws() {
    static const TDrawsArray draws = [] {
        TDrawsArray a;
        for (const auto& e : kExample) {
            TDrawRecord d;
            d.Number = e.Number;
            for (int i = 0; i < 5; ++i) d.Numbers[i] = uint8_t(e.N[i]);
            d.Extras[0] = uint8_t(e.E[0]);
            d.Extras[1] = uint8_t(e.E[1]);
            d.SetDateText(e.Date);
            a.push_back(d);
        }
        return a;
    }();
    return draws;
}

THelpTopicsReport WriteHelpTopics(const THelpTexts& texts, const std::string& outDir) {
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) throw Error(Format(Tr("Не удалось создать папку %s: %s"), {outDir, ec.message()}));
    TStatList list;
    list.Bind(HelpExampleDraws());
    list.Build();

    THelpTopicsReport report;
    std::vector<std::string> codes;
    std::vector<std::string> topicOrder;
    std::map<std::string, std::vector<int>> topics;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsAvailable(i)) continue;
        const TStatMethod& m = list.Items(i);
        codes.push_back(m.Code());
        if (!texts.Find(m.Code())) report.Missing.push_back(m.Code());
        const std::string topic = m.StatClass->GetHelpTopic(m.Param);
        if (!topics.count(topic)) topicOrder.push_back(topic);
        topics[topic].push_back(i);
    }
    report.Unknown = texts.UnknownKeys(codes);

    for (const auto& topic : topicOrder) {
        WriteFileAtomic(JoinPath(outDir, topic), TopicPage(list, topics[topic], texts));
        ++report.Topics;
    }

    // stats.htm: the topics by group, groups in the order the registry first meets them.
    std::vector<int> groups;
    for (const auto& topic : topicOrder) {
        const int g = list.Items(topics[topic].front()).StatClass->GetGroup();
        if (std::find(groups.begin(), groups.end(), g) == groups.end()) groups.push_back(g);
    }
    std::string b = Navigation(false);
    b += "<h1>" + Html(Tr("Статистики по группам")) + "</h1>\n<p>" +
         Html(Tr("Статистика дает каждому тиражу и каждой комбинации одно или несколько значений. В разделе "
                 "статистики сказано, что она считает, какие значения дает и что оставляет фильтр по ней.")) +
         "</p>\n<ul>\n";
    for (int g : groups)
        b += "<li><a href=\"#grp" + std::to_string(g) + "\">" + Html(GroupCaption(g)) + "</a></li>\n";
    b += "</ul>\n";
    for (int g : groups) {
        b += "<h2><a id=\"grp" + std::to_string(g) + "\"></a>" + Html(GroupCaption(g)) + "</h2>\n<ul>\n";
        for (const auto& topic : topicOrder) {
            const auto& ms = topics[topic];
            if (list.Items(ms.front()).StatClass->GetGroup() != g) continue;
            std::vector<std::string> mc;
            for (int i : ms) mc.push_back(list.Items(i).Code());
            const std::string caption = ms.size() == 1 ? list.Items(ms.front()).FullCaption()
                                                       : list.Items(ms.front()).FullCaption() + " … " +
                                                             list.Items(ms.back()).FullCaption();
            b += "<li><a href=\"" + Html(topic) + "\">" + Html(Join(mc, ", ")) + "</a> — " + Html(caption) +
                 "</li>\n";
        }
        b += "</ul>\n";
    }
    b += "<hr>\n" + Navigation(false);
    WriteFileAtomic(JoinPath(outDir, "stats.htm"), Page(Tr("Статистики по группам"), b));
    return report;
}

} // namespace velmora
