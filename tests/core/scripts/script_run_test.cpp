#include "core/scripts/script_run.h"

#include "core/scripts/script_log.h"
#include "core/util/atomic_file.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

namespace velmora {
namespace {

// A host that records what the run shows and can ask for a stop at a chosen moment.
class TRecordingHost : public TScriptHost {
public:
    std::vector<std::string> Errors, Attentions, Opened;
    std::vector<int> Offsets;
    std::vector<bool> Locks;
    std::vector<TStakeRecord> Stakes;
    std::map<TScriptPanel, std::string> Panels;
    std::function<void()> OnPump;
    bool Follows = true;

    void Pump() override {
        if (OnPump) OnPump();
    }
    void ShowPanel(TScriptPanel panel, const std::string& text) override { Panels[panel] = text; }
    void ShowError(const std::string& m) override { Errors.push_back(m); }
    void ShowAttention(const std::string& m) override { Attentions.push_back(m); }
    void LockInterface(bool locked) override { Locks.push_back(locked); }
    void SetDrawsOffset(TDrawsArchive& a, int k) override {
        Offsets.push_back(k);
        a.SetDrawsOffset(k);
    }
    void StakeAdded(const TStakeRecord& rec) override { Stakes.push_back(rec); }
    void OpenLog(const std::string& path) override { Opened.push_back(path); }
    bool FollowsCombs() const override { return Follows; }
};

// Ten numbers: 252 combinations, so that the tests run in a moment.
const TGenerateParams kTenNumbers{kGenerateOnlyMine, "1;2;3;4;5;6;7;8;9;10"};

class ScriptRun : public test::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        draws.Draws = MakeSampleDraws(40, 11);
        list.Bind(draws.Draws);
        list.Build();
        stakes = std::make_unique<TStakeFile>(Path("Velmora_5x50.lsk"));
        stakes->Open();
        runner = std::make_unique<TScriptRunner>(draws, list, combs, *stakes, host);
        runner->Settings.Generate = kTenNumbers;
        runner->Settings.LogFolder = dir.string();
        runner->Settings.Check.Config = list.Config;
        runner->Random.seed(5);
        runner->Log.Clock = [] { return std::time_t(1700000000); };
    }
    void SetList(const std::vector<TCombination>& list) {
        std::copy(list.begin(), list.end(), combs.MutableData());
        combs.SetCount(int(list.size()));
    }
    std::vector<std::string> LogLines() {
        auto logs = FindScriptLogs(dir.string());
        if (logs.empty()) return {};
        std::vector<std::string> lines = ReadTextLines(logs.back());
        // The time of each line is masked.
        for (auto& l : lines) l = std::regex_replace(l, std::regex(R"(^\[[0-9: -]{19}\]: )"), "[T]: ");
        return lines;
    }
    bool LogHas(const std::string& text) {
        for (const auto& l : LogLines())
            if (l == "[T]: " + text) return true;
        return false;
    }
    std::vector<TStakeRecord> FileStakes() {
        std::vector<TStakeRecord> v;
        stakes->ForEachStake([&](int, const TStakeRecord& r) {
            if (r.DrawNumber > 0) v.push_back(r);
        });
        return v;
    }

    TDrawsArchive draws;
    TStatList list;
    TCombSet combs{4000};
    std::unique_ptr<TStakeFile> stakes;
    TRecordingHost host;
    std::unique_ptr<TScriptRunner> runner;
};

const TCombination kA{1, 2, 3, 4, 5};
const TCombination kB{1, 2, 3, 4, 6};

TEST_F(ScriptRun, LineWithoutFiltersStakesFromItsStartList) {
    runner->Settings.LogEnabled = true;
    EXPECT_TRUE(runner->Run({"FULL:0#RAND| | | | | | | |blank"}));
    EXPECT_TRUE(LogHas("{ERROR} Фильтры не применялись!"));
    ASSERT_EQ(host.Stakes.size(), 1u);
    const TStakeRecord& s = host.Stakes[0];
    EXPECT_EQ(s.Kind, skScript);
    EXPECT_EQ(s.DrawNumber, 41);
    EXPECT_EQ(s.Sample, 252);
    EXPECT_EQ(s.CommentText(), "01.000: blank @ FULL#RAND");
    EXPECT_EQ(combs.Count(), 252);
    EXPECT_EQ(host.Panels[TScriptPanel::Last], "Сценарий завершен!");
    EXPECT_EQ(host.Locks, (std::vector<bool>{true, false}));
    ASSERT_EQ(host.Opened.size(), 1u);
    EXPECT_EQ(ExtractFileName(host.Opened[0]), ScriptLogFileName("", 1700000000));
    EXPECT_FALSE(runner->Running());
}

TEST_F(ScriptRun, BlankLineIsAStepLineAndEmptyLineASeparator) {
    EXPECT_TRUE(runner->Run({"", "   "}));
    ASSERT_EQ(host.Stakes.size(), 1u);
    EXPECT_EQ(host.Stakes[0].CommentText(), "02.000: @ FULL#RAND");
}

TEST_F(ScriptRun, OneCombinationLeftIsStakedForEveryModeButNone) {
    for (const char* mode : {"RAND", "FIRST", "LAST", "ALL", "STOP", "SKIP", "SYSA", "NONE"}) {
        host.Stakes.clear();
        SetList({kA});
        // The filter is not applied: one combination is left already.
        EXPECT_TRUE(runner->Run({std::string("CURR:0#") + mode + "|TSD1#NUMS:10#LNO:#SF:0| | | | | | |"})) << mode;
        EXPECT_EQ(host.Stakes.size(), std::string(mode) == "NONE" ? 0u : 1u) << mode;
        EXPECT_EQ(combs.Count(), 1) << mode;
    }
    EXPECT_TRUE(host.Errors.empty());
}

TEST_F(ScriptRun, StopModeWithTwoLeftStopsWithoutStake) {
    SetList({kA, kB});
    EXPECT_FALSE(runner->Run({"CURR:0#STOP| | | | | | | |", "FULL:0#RAND| | | | | | | |"}));
    EXPECT_TRUE(host.Stakes.empty());
    ASSERT_EQ(host.Attentions.size(), 1u);
    EXPECT_EQ(host.Attentions[0], "Выполнение сценария прервано, т.к. после применения всех фильтров в списке "
                                  "комбинаций их осталось более одной: 2!\r\rФильтры: 01.000: @ CURR#STOP");
    EXPECT_EQ(host.Locks.back(), false);
}

TEST_F(ScriptRun, ResultModesPickTheirCombinations) {
    SetList({kA, kB});
    runner->Run({"CURR:0#FIRST| | | | | | | |", "CURR:0#LAST| | | | | | | |", "CURR:0#ALL| | | | | | | |",
                 "CURR:0#SKIP| | | | | | | |"});
    std::vector<std::string> numbers;
    for (const auto& s : host.Stakes) numbers.push_back(NumberSetToText(s.Numbers, ";"));
    EXPECT_EQ(numbers, (std::vector<std::string>{"1;2;3;4;5", "1;2;3;4;6", "1;2;3;4;5", "1;2;3;4;6"}));
}

// NUMS lists all 50 numbers. Walking down the table sorted by value (descending), the first steps
// keep the combinations with 50, 49 ... which neither has: each empties the list and is undone.
// SZ ends the walk there; SF goes on until 6 keeps B alone, and the later steps that would empty
// the list are undone again.
TEST_F(ScriptRun, StepModeStopKinds) {
    struct Case {
        const char* stop;
        int left;
        TCombination staked;
    } cases[] = {{"SZ:0", 2, kA}, {"SF:0", 1, kB}};
    for (const auto& c : cases) {
        host.Stakes.clear();
        SetList({kA, kB});
        runner->Run({std::string("CURR:0#FIRST|TSF0#NUMS:20#LNO:#") + c.stop + "| | | | | | |"});
        EXPECT_EQ(combs.Count(), c.left) << c.stop;
        ASSERT_EQ(host.Stakes.size(), 1u) << c.stop;
        TNumberSet expected;
        CombToNumberSet(c.staked, expected);
        EXPECT_TRUE(SameNumberSet(host.Stakes[0].Numbers, expected)) << c.stop;
    }
}

TEST_F(ScriptRun, MarkModeFiltersOnceWithAllMatchingRows) {
    SetList({kA, kB, TCombination{7, 8, 9, 10, 11}});
    // Keep the combinations holding 5 or 6 (list of values by their keys).
    runner->Run({"CURR:0#NONE|TMF0#NUMS:20#LVA:5;6#SF:0| | | | | | |"});
    EXPECT_EQ(combs.Count(), 2);
    // Delete instead.
    SetList({kA, kB, TCombination{7, 8, 9, 10, 11}});
    runner->Run({"CURR:0#NONE|TMD0#NUMS:20#LVA:5;6#SF:0| | | | | | |"});
    ASSERT_EQ(combs.Count(), 1);
    EXPECT_EQ(combs.At(0), (TCombination{7, 8, 9, 10, 11}));
}

TEST_F(ScriptRun, TestRunsTheLastOffsetsAndReturns) {
    EXPECT_TRUE(runner->Test({"FULL:0#RAND| | | | | | | |"}, 3));
    EXPECT_EQ(host.Offsets, (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(draws.Offset(), 0);
    const auto made = FileStakes();
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(made[0].DrawNumber, 38);
    EXPECT_EQ(made[2].DrawNumber, 40);
    for (const auto& s : made) EXPECT_EQ(s.Checked, 1) << s.DrawNumber;
    // A separator before each pass's block.
    EXPECT_EQ(stakes->StakeCount(), 5);
    EXPECT_EQ(host.Panels[TScriptPanel::Cycle], "Цикл: 3 из 3 (100 %)");
    EXPECT_EQ(host.Panels[TScriptPanel::Last], "Сценарий завершен!");
}

// However a test ends early (a stop in the first or second pass, or an error), the offset
// returns and the combination list is the one the last completed pass left (or the user's own).
TEST_F(ScriptRun, TestEndedEarlyRestoresTheOffsetAndTheLastCompletedList) {
    const std::string keepOne = "FULL:0#RAND|TSF1#NUMS:5#LNO:#ST:1| | | | | | |";
    struct Case {
        const char* name;
        std::string line;
        int stopInCycle;  // 0: no stop
        std::vector<int> offsets;
        const char* last;
    } cases[] = {
        {"stop in pass 1", keepOne, 1, {3, 0}, "Тест остановлен, завершено циклов: 0 из 3"},
        {"stop in pass 2", keepOne, 2, {3, 2, 0}, "Тест остановлен, завершено циклов: 1 из 3"},
        {"error", "FULL:0#RAND|TSF1#QQQQ:5#LNO:#ST:1| | | | | | |", 0, {3, 0},
         "Тест прерван из-за ошибки, завершено циклов: 0 из 3"},
    };
    for (const auto& c : cases) {
        host = TRecordingHost{};
        SetList({kA, kB});
        combs.ClearLog();
        combs.AddLogLine(TFilterAction::Keep, "мой шаг", "1");
        std::vector<TCombination> afterPass1;
        bool sawUnfinished = false;
        host.OnPump = [&] {
            if (runner->Cycle() == 2 && afterPass1.empty())
                afterPass1.assign(combs.Data(), combs.Data() + combs.Count());
            // The pass's start list is up: what a stop must not leave behind.
            if (c.stopInCycle > 0 && runner->Cycle() == c.stopInCycle && !runner->Stopped() && combs.Count() == 252) {
                sawUnfinished = true;
                runner->RequestStop();
            }
        };
        EXPECT_FALSE(runner->Test({c.line}, 3)) << c.name;
        EXPECT_EQ(host.Offsets, c.offsets) << c.name;
        EXPECT_EQ(draws.Offset(), 0) << c.name;
        EXPECT_EQ(host.Panels[TScriptPanel::Last], c.last) << c.name;
        EXPECT_EQ(host.Locks.back(), false) << c.name;
        EXPECT_EQ(sawUnfinished, c.stopInCycle > 0) << c.name;
        std::vector<TCombination> left(combs.Data(), combs.Data() + combs.Count());
        if (c.stopInCycle == 2) {
            EXPECT_EQ(int(afterPass1.size()), 126) << c.name;
            EXPECT_EQ(left, afterPass1) << c.name;
        } else {
            EXPECT_EQ(left, (std::vector<TCombination>{kA, kB})) << c.name;
            ASSERT_EQ(combs.Log().size(), 1u) << c.name;
            EXPECT_EQ(combs.Log()[0].Caption, "мой шаг") << c.name;
        }
        EXPECT_FALSE(combs.CanUndo()) << c.name;
    }
}

TEST_F(ScriptRun, TimeLeftText) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {{0, "0 с"}, {44.2, "45 с"}, {59.5, "1 мин"}, {61, "2 мин"}, {3540, "59 мин"}, {3599, "1 ч 00 мин"},
                 {3600, "1 ч 00 мин"}, {7500, "2 ч 05 мин"}};
    for (const auto& c : cases) EXPECT_EQ(ScriptTimeLeftText(c.seconds), c.text) << c.seconds;
}

TEST_F(ScriptRun, SystemStakesAllOrOnlyThoseInTheList) {
    std::vector<int> asked;
    runner->Settings.LoadSystem = [&](const TByteArray& numbers, TCombsArray& combs, std::string& file, std::string&,
                                      std::string&) {
        asked.push_back(int(numbers.size()));
        combs = {TCombination{5, 4, 3, 2, 1}, TCombination{1, 2, 3, 4, 6}, TCombination{2, 3, 4, 5, 6}};
        file = "/x/Systems/5-06-1_0001.dat";
        return true;
    };
    runner->Settings.LogEnabled = true;
    SetList({kA, kB});
    runner->Run({"CURR:0#SYSA| | | | | | | |"});
    EXPECT_EQ(host.Stakes.size(), 3u);
    EXPECT_TRUE(LogHas("{#} Системная игра для 6 чисел [все система]: загружен файл \"5-06-1_0001\""));
    host.Stakes.clear();
    runner->Run({"CURR:0#SYSC| | | | | | | |"});
    ASSERT_EQ(host.Stakes.size(), 2u);  // the sorted system combinations found in the list
    EXPECT_EQ(NumberSetToText(host.Stakes[0].Numbers, ";"), "1;2;3;4;5");
    EXPECT_EQ(asked, (std::vector<int>{6, 6}));

    runner->Settings.LoadSystem = [](const TByteArray&, TCombsArray&, std::string&, std::string& reason,
                                     std::string& box) {
        reason = "нет системы";
        box = "Система не найдена";
        return false;
    };
    host.Stakes.clear();
    runner->Log.Clock = [] { return std::time_t(1700000200); };
    EXPECT_TRUE(runner->Run({"CURR:0#SYSA| | | | | | | |"}));
    EXPECT_TRUE(host.Stakes.empty());
    EXPECT_EQ(host.Errors, (std::vector<std::string>{"Система не найдена"}));
    EXPECT_TRUE(LogHas("{#} Системная игра для 6 чисел [ОШИБКА]: \"нет системы\""));
}

TEST_F(ScriptRun, NewOnlySkipsAStakeAlreadyMade) {
    runner->Settings.LogEnabled = true;
    SetList({kA});
    runner->Run({"CURR:0#RAND#NEX| | | | | | | |"});
    EXPECT_EQ(host.Stakes.size(), 1u);
    runner->Log.Clock = [] { return std::time_t(1700000100); };
    runner->Run({"CURR:0#RAND#NEX| | | | | | | |"});
    EXPECT_EQ(host.Stakes.size(), 1u);
    EXPECT_TRUE(LogHas("{-} Ставка на тираж 41 не добавлена, так как уже имеется в списке ставок: [1;2;3;4;5]"));
}

TEST_F(ScriptRun, ClearStakesEmptiesTheFileFirst) {
    SetList({kA});
    runner->Run({"CURR:0#RAND| | | | | | | |", "CURR:0#RAND#CLR| | | | | | | |"});
    EXPECT_EQ(FileStakes().size(), 1u);
    EXPECT_EQ(FileStakes()[0].CommentText(), "02.000: @ CURR#RAND");
}

TEST_F(ScriptRun, CommentIsCutTo255Characters) {
    SetList({kA});
    runner->Run({"CURR:0#RAND| | | | | | | |" + std::string(300, 'x')});
    ASSERT_EQ(host.Stakes.size(), 1u);
    EXPECT_EQ(host.Stakes[0].CommentText().size(), 255u);
}

TEST_F(ScriptRun, BadInputEndsTheRunCleanly) {
    struct Case {
        const char* line;
        const char* message;
    } cases[] = {
        {"FULL:0#RAND|TSF1#NUMS:#LMV:3#SF:0| | | | | | |", "Некорректное описание фильтра: TSF1#NUMS:#LMV:3#SF:0!"},
        {"FULL:0#RAND|TSF1#XXXX:10#LMV:3#SF:0| | | | | | |", "Метод расчета статистики \"XXXX\" не найден!"},
        // SUMS lists sums never drawn: their depth is no number for a list test.
        {"FULL:0#RAND|TSF1#SUMS:5#LDV:3#SF:0| | | | | | |", "\"-\" не является целым числом!"},
    };
    for (const auto& c : cases) {
        host = TRecordingHost{};
        EXPECT_FALSE(runner->Test({c.line, "FULL:0#RAND| | | | | | | |"}, 2)) << c.line;
        ASSERT_EQ(host.Errors.size(), 1u) << c.line;
        EXPECT_EQ(host.Errors[0].rfind(c.message, 0), 0u) << host.Errors[0];
        EXPECT_TRUE(host.Stakes.empty()) << c.line;
        EXPECT_EQ(host.Locks, (std::vector<bool>{true, false}));
        EXPECT_EQ(draws.Offset(), 0) << "a test stopped by an error returns to its offset";
        EXPECT_EQ(host.Panels[TScriptPanel::Last], "Тест прерван из-за ошибки, завершено циклов: 0 из 2");
        EXPECT_FALSE(runner->Running());
        draws.SetDrawsOffset(0);
    }
}

TEST_F(ScriptRun, TooManyVariantsIsRefused) {
    std::string line = "FULL:0#RAND|";
    for (int f = 0; f < 7; ++f) line += "TSF1#NUMS:10#LMV:1-100;1#SF:0|";
    EXPECT_FALSE(runner->Run({line}));
    ASSERT_EQ(host.Errors.size(), 1u);
    EXPECT_EQ(host.Errors[0].rfind("Вы задали слишком много вариантов фильтров", 0), 0u);
}

// The fast engine (start lists copied, tables computed once per pass, lists held as ranks, written
// out at every step or only when read) and the plain one give the same stakes, lists and
// applied-filters logs.
TEST_F(ScriptRun, FastEngineEqualsPlainEngine) {
    const std::vector<std::string> script = {
        "FULL:0#FIRST|TMF1#NUMS:5;9#LMV:1;2#SF:0|BSD0#EVEN:10#CLV:3#ST:2| | | | | |a",
        "EXCL:3#ALL|TMD1#SUMS:20#LVA:30-60;1#SF:0|TMF2#NUMS:8#CDV:1;2#SF:0| | | | | |b",
        "CURR:0#LAST|BSF1#NUMS:12;15#LNO:#SC:3|TMF8#EVEN:6#WMV:1;3#SF:0#1:0:1:0:0| | | | | |c",
        "",
        "EXCL:3#RAND|TMD1#NUMS:4#PAM:1;5#SF:0| | | | | | |d",
        // A statistic of the reference draw has no pass on ranks: its steps filter the records.
        "FULL:0#LAST|TMF1#RPC2:6;8#CMV:1#ST:2|TMD1#EVEN:5#LNO:#SF:0| | | | | |e",
    };
    struct Engine {
        const char* file;
        bool fast, ranks, follows;
    };
    auto runWith = [&](const Engine& e) {
        TStakeFile f(Path(e.file));
        f.Open();
        TCombSet set(4000);
        TRecordingHost h;
        h.Follows = e.follows;
        TScriptRunner r(draws, list, set, f, h);
        r.Settings.Generate = kTenNumbers;
        r.Settings.Fast = e.fast;
        r.Settings.Ranks = e.ranks;
        r.Settings.Threads = 1;
        r.Random.seed(9);
        EXPECT_TRUE(r.Test(script, 3));
        EXPECT_TRUE(h.Errors.empty()) << (h.Errors.empty() ? "" : h.Errors[0]);
        std::vector<std::string> out;
        f.ForEachStake([&](int, const TStakeRecord& s) {
            out.push_back(std::to_string(s.DrawNumber) + " " + NumberSetToText(s.Numbers, ";") + " " + s.CommentText());
        });
        for (int i = 0; i < set.Count(); ++i) out.push_back(CombToText(set.At(i)));
        for (const auto& l : set.Log()) out.push_back(l.Caption + "|" + l.Values + "|" + std::to_string(l.Count));
        return out;
    };
    const auto plain = runWith({"plain.lsk", false, false, true});
    EXPECT_GT(plain.size(), 10u);
    for (const Engine& e : {Engine{"records.lsk", true, false, true}, Engine{"ranks.lsk", true, true, true},
                            Engine{"unread.lsk", true, true, false}})
        EXPECT_EQ(runWith(e), plain) << e.file;
}

// A current list the ranks cannot hold (not in generation order, a repeat, a number out of range)
// is filtered as records, in its own order, by both engines alike.
TEST_F(ScriptRun, CurrentListOutOfGenerationOrderIsFilteredAsItIs) {
    const std::vector<std::vector<TCombination>> lists = {
        {TCombination{2, 4, 6, 8, 10}, kB, kA, TCombination{1, 3, 5, 7, 9}, TCombination{2, 3, 4, 5, 6}},
        {kA, kA, TCombination{2, 4, 6, 8, 10}, TCombination{1, 3, 5, 7, 9}},
        {kA, TCombination{2, 4, 6, 8, 60}, TCombination{1, 3, 5, 7, 9}},
    };
    for (const auto& start : lists) {
        std::vector<std::vector<TCombination>> results;
        for (bool fast : {true, false}) {
            SetList(start);
            runner->Settings.Fast = fast;
            EXPECT_TRUE(runner->Run({"CURR:0#ALL|TMF1#EVEN:4#CMV:1#ST:3| | | | | | |x"}));
            results.emplace_back(combs.Data(), combs.Data() + combs.Count());
        }
        EXPECT_EQ(results[0], results[1]) << CombToText(start[0]);
        EXPECT_LT(results[0].size(), start.size()) << "the filter removed some";
    }
}

TEST_F(ScriptRun, LogMatchesFixture) {
    runner->Settings.LogEnabled = true;
    SetList({kA, kB, TCombination{7, 8, 9, 10, 11}});
    runner->Run({"CURR:0#ALL|TMF1#EVEN:4#CMV:1#ST:3|TMD1#EVEN:4#LNO:#SF:0| | | | | |even"});
    const auto lines = LogLines();
    const auto expected = ReadTextLines(std::string(VELMORA_TEST_DATA) + "/script_log_expected.txt");
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST_F(ScriptRun, LogsAreFoundAndDeleted) {
    for (const char* name : {"ScriptLog_2024-01-01-10-00-00.txt", "ScriptLog_x.txt", "ScriptLog.txt", "other.txt"})
        std::ofstream(Path(name)) << "x";
    EXPECT_EQ(FindScriptLogs(dir.string()).size(), 2u);
    EXPECT_EQ(DeleteScriptLogs(dir.string()), 2);
    EXPECT_TRUE(FindScriptLogs(dir.string()).empty());
    EXPECT_TRUE(FileExists(Path("other.txt")));
}

TEST_F(ScriptRun, LogWriteFailureIsReportedOnceAndTheRunGoesOn) {
    runner->Settings.LogEnabled = true;
    std::ofstream(Path("file")) << "x";
    runner->Settings.LogFolder = Path("file") + "/sub";
    EXPECT_TRUE(runner->Run({"FULL:0#RAND| | | | | | | |"}));
    ASSERT_EQ(host.Errors.size(), 1u);
    EXPECT_EQ(host.Errors[0].rfind("Ошибка записи журнала: ", 0), 0u);
    EXPECT_EQ(host.Stakes.size(), 1u);
}

} // namespace
} // namespace velmora
