// Runs every reader of outside input over random and mutated inputs: CSV import, the draw archive
// file, ini files, full-set distribution files, combination files, filter-step texts, the ratings
// file, the stake file, script files and system files. Built
// with -DVELMORA_FUZZ=ON, best together with -DVELMORA_SANITIZE=ON, and run by hand:
//
//   velmora_fuzz [--inputs N] [--seed S] [--timeout SECONDS] [--reader NAME] [--work DIR]
//
// Each reader gets N inputs (default 1000): seed files, their mutations (bit flips, inserted
// control bytes, byte-order marks, huge or negative numbers, cut, repeated and spliced pieces) and
// plain random bytes. A reader may refuse an input with an exception; anything else fails:
// a sanitizer report ends the process, an input that runs longer than the time-out (default 10 s)
// is saved and ends it with exit status 3, and a change of any file of the data folder (which
// the readers only read) ends it with exit status 4. The figures are printed at the end.
#include "core/combs/comb_text.h"
#include "core/combs/prefetch.h"
#include "core/filters/filter_item.h"
#include "core/formula/rx_math_parser.h"
#include "core/formula/shredding.h"
#include "core/model/data_folder.h"
#include "core/model/draws_csv.h"
#include "core/scripts/script_line.h"
#include "core/scripts/script_list.h"
#include "core/stakes/rating_file.h"
#include "core/stakes/stake_check.h"
#include "core/stakes/stake_file.h"
#include "core/stakes/system_store.h"
#include "core/stats/stat_list.h"
#include "core/util/atomic_file.h"
#include "core/util/checksum.h"
#include "core/util/ini.h"
#include "core/util/text.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

using namespace velmora;
namespace fs = std::filesystem;

namespace {

// What the time-out handler reports: set before each input.
char g_current[512];

void OnTimeout(int) {
    const char msg[] = "velmora_fuzz: an input ran past the time-out: ";
    ssize_t r = ::write(2, msg, sizeof msg - 1);
    r = ::write(2, g_current, std::strlen(g_current));
    r = ::write(2, "\n", 1);
    (void)r;
    ::_exit(3);
}

std::string Bytes(const char* s, size_t n) { return std::string(s, n); }

std::string ReadOr(const fs::path& p) {
    try {
        return ReadFileBytes(p.string());
    } catch (const std::exception&) {
        return {};
    }
}

class Mutator {
public:
    explicit Mutator(uint32_t seed) : rng_(seed) {}

    size_t Below(size_t n) { return n ? size_t(rng_() % n) : 0; }

    std::string Random(size_t maxLen) {
        std::string s(Below(maxLen + 1), '\0');
        // Mostly text-like bytes, with every byte possible.
        static const std::string alphabet = "0123456789;,\"\r\n []=-+#:.xyzABC\t";
        for (auto& c : s) c = Below(4) ? alphabet[Below(alphabet.size())] : char(Below(256));
        return s;
    }

    std::string Mutate(std::string s, const std::vector<std::string>& seeds) {
        static const std::vector<std::string> pieces = {
            Bytes("\0", 1), "\r", "\n", "\r\n", ";", ",", "\"", "\"\"", "\xEF\xBB\xBF", "\xFF", "\x80", " ",
            "300", "-1", "256", "99999999999", "-2147483648", "2147483647", "[", "]", "=", "#", ":", "0x7FFFFFFF",
            "$FFFFFFFF", "\xD0\xB0", "[S]", "[GLOBAL]\r\nMatrixCols=999999\r\n", "BSF#", "#CDV:", "LVA", "SV:"};
        const size_t rounds = 1 + Below(6);
        for (size_t r = 0; r < rounds; ++r) {
            const size_t at = Below(s.size() + 1);
            switch (Below(8)) {
            case 0:  // flip a bit
                if (!s.empty()) s[Below(s.size())] ^= char(1u << Below(8));
                break;
            case 1:  // insert a piece
                s.insert(at, pieces[Below(pieces.size())]);
                break;
            case 2:  // delete a run
                s.erase(at, Below(16));
                break;
            case 3:  // cut the end
                s.resize(Below(s.size() + 1));
                break;
            case 4: {  // repeat a run
                const std::string run = s.substr(at, Below(64));
                for (size_t k = Below(8); k > 0; --k) s.insert(at, run);
                break;
            }
            case 5: {  // splice another seed
                const std::string& o = seeds[Below(seeds.size())];
                const size_t from = Below(o.size() + 1);
                s.insert(at, o.substr(from, Below(o.size() - from + 1)));
                break;
            }
            case 6:  // overwrite a byte
                if (!s.empty()) s[Below(s.size())] = char(Below(256));
                break;
            default:  // random bytes
                s.insert(at, Random(24));
                break;
            }
        }
        return s;
    }

private:
    std::mt19937 rng_;
};

struct Reader {
    std::string name;
    std::vector<std::string> seeds;
    std::function<void(const std::string& input)> run;
};

struct Figures {
    int inputs = 0;
    int refused = 0;  // ended with an exception of the reader
    double seconds = 0;
    double slowest = 0;
    std::string firstRefusal;  // the message of the first refused input
};

// Hashes of every file under a folder, by relative path.
std::map<std::string, uint32_t> Snapshot(const fs::path& dir) {
    std::map<std::string, uint32_t> m;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) m[fs::relative(e.path(), dir).string()] = Crc32(ReadOr(e.path()));
    return m;
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 1000;
    uint32_t seed = 1;
    unsigned timeout = 10;
    std::string only;
    fs::path work = fs::temp_directory_path() / ("velmora_fuzz_" + std::to_string(::getpid()));
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i], v = argv[i + 1];
        if (a == "--inputs")
            inputs = std::stoi(v);
        else if (a == "--seed")
            seed = uint32_t(std::stoul(v));
        else if (a == "--timeout")
            timeout = unsigned(std::stoul(v));
        else if (a == "--reader")
            only = v;
        else if (a == "--work")
            work = v;
        else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            return 1;
        }
    }

    // The data folder the readers must leave alone: an archive, settings, a distribution file
    // with its manifest. The inputs go to a scratch folder beside it.
    fs::remove_all(work);
    const fs::path data = work / "data", scratch = work / "scratch";
    fs::create_directories(data / "Prefetchs");
    fs::create_directories(scratch);
    DataDir() = data.string();
    TDrawsArchive sample;
    sample.FileName = ProductFile(".ldr");
    sample.Draws = MakeSampleDraws(40, seed);
    sample.SaveDraws();
    TIniFile settings(ProductFile(".ini"));
    settings.WriteInteger("GLOBAL", "MatrixCols", 7);
    settings.WriteFloat("CDL", "Deviation", -1);
    settings.Save();
    TStatDrawArray even(6);
    const int evenCounts[6] = {53130, 316250, 690000, 690000, 316250, 53130};
    for (int k = 0; k < 6; ++k) {
        even[size_t(k)].Key.K[0] = uint16_t(k);
        even[size_t(k)].Count = evenCounts[k];
    }
    const std::string evenFile = EncodePrefetch(even);
    WritePrefetchFile(JoinPath(PrefetchDir(), "Velmora_5x50_EVEN.dfc"), evenFile);
    const auto before = Snapshot(data);

    TStatList list;
    list.Bind(sample.Draws);
    list.Build();

    const std::string dataDir = VELMORA_TEST_DATA;
    const std::string csvPath = (scratch / "in.csv").string();
    std::vector<Reader> readers = {
        {"csv",
         {ReadOr(dataDir + "/draws_mixed.csv"), ReadOr(dataDir + "/draws_even.csv"),
          Join(DrawsToCsvLines(sample.Draws), "\r\n")},
         [&](const std::string& in) {
             WriteFileAtomic(csvPath, in);
             TDrawsArchive a;
             a.FileName = (scratch / "import.ldr").string();
             a.Draws = sample.Draws;
             int invalid = 0;
             ImportDrawsCsv(a, csvPath, &invalid);
             if (invalid < 0 || invalid > a.Count()) throw std::logic_error("invalid line count out of range");
         }},
        {"archive",
         {ReadOr(ProductFile(".ldr")), ReadOr(ProductFile(".ldr")).substr(0, 24 * 3)},
         [&](const std::string& in) {
             const std::string path = (scratch / "Velmora_5x50.ldr").string();
             WriteFileAtomic(path, in);
             TDrawsArchive a;
             a.FileName = path;
             a.SetDrawsOffset(5);
             try {
                 a.LoadDraws();
             } catch (const std::exception&) {
             }
             for (int k = 0; k < std::min(a.Count(), 50); ++k) {
                 a.DrawListRow(k);
                 a.FollowingNumbersText(k);
                 a.DateIntAt(k, 1);
             }
             a.StatusTexts();
             a.IndexOfDrawNumber(a.Count() ? a.Draws.back().Number + 1 : 1);
         }},
        {"ini",
         {ReadOr(ProductFile(".ini")), "[GLOBAL]\r\nMatrixCols=5\r\n; note\r\n[CDL]\r\nCount=0,5\r\nHex=$1F\r\n"},
         [&](const std::string& in) {
             const std::string path = (scratch / "Velmora_5x50.ini").string();
             WriteFileAtomic(path, in);
             TIniFile ini(path);
             for (const auto& s : ini.ReadSections())
                 for (const auto& k : ini.ReadSection(s)) {
                     ini.ReadInteger(s, k, 0);
                     ini.ReadFloat(s, k, 0);
                 }
             ini.WriteString("GLOBAL", "X", "1");
             ini.Save();
             TIniFile again(path);
             if (again.ReadString("GLOBAL", "X", "") != "1") throw std::logic_error("a written key was lost");
         }},
        {"dfc",
         {evenFile, std::string(evenFile).replace(20, 1, "\x01")},
         [&](const std::string& in) {
             TPrefetchData d;
             if (DecodePrefetch(in, d)) {
                 if (EncodePrefetch([&] {
                         TStatDrawArray v(d.Body.size());
                         for (size_t k = 0; k < v.size(); ++k) PrefetchToStatValue(d.Body[k], v[k]);
                         return v;
                     }()) != in)
                     throw std::logic_error("an accepted file does not round-trip");
                 PrefetchTotal(d);
             }
         }},
        {"combs",
         {ReadOr(dataDir + "/combs_mixed.lcv"), "1;2;3;4;5\r\n46,47,48,49,50\r\n300;1;2;3;4\r\n"},
         [&](const std::string& in) {
             std::vector<TCombination> out(64);
             const int n = ParseCombsFileText(in, out.data(), int(out.size()));
             if (n < 0) throw std::logic_error("negative count");
             try {
                 ReadCombsFileText(in, out.data(), int(out.size()));
             } catch (const std::exception&) {
             }
             ParseClipboardCombs(in.substr(0, 4096), 64);
         }},
        {"filter-text",
         {"BSF#nums:50#CDV:1,2#SV", "BSF1#NUMS:50#CDV:1,2#SV:1", "BSF#SUMS:10-100#LVA:100;101#SF:5",
          "BSF#EVEN:20,30#LNO#SV", "BSF#POS3:5#CDV:7#SC:1000"},
         [&](const std::string& in) {
             TFilterItem item = ParseFilterItem(in, list);
             const std::string text = FormatFilterItem(item);
             ParseFilterItem(text, list);
             ValidateFilterItem(item);
         }},
    };

    // The stake, ratings, script and system files: seeds made here (a few records, lines).
    std::string stakeSeed, ratingSeed;
    {
        const std::string path = (scratch / "seed.lsk").string();
        TStakeFile f(path);
        f.Open();
        for (int k = 0; k < 4; ++k) {
            TStakeRecord r;
            r.Kind = uint8_t(1 + k % 4);
            r.DrawNumber = sample.Draws[size_t(30 + k)].Number;
            r.Numbers.Count = 5;
            for (int i = 0; i < 5; ++i) r.Numbers.Numbers[i] = uint8_t(1 + i * 7 + k);
            r.Matched.Count = -1;
            r.SetCommentText(k % 2 ? "01.001: @ FULL#RAND + BSF#EVEN:150#CDV:1,2#SV:7" : "Ставка");
            f.AppendStakes(r, k == 3 ? 2 : 1);
        }
        f.Close();
        stakeSeed = ReadOr(path);
        TRatingsArray ratings;
        for (int k = 0; k < 3; ++k) {
            TRatingRecord r;
            r.Comment = "строка " + std::to_string(k);
            r.Stakes = uint32_t(3 + k * 1000);
            r.ByMatches = {r.Stakes - 2, 1, 1, 0, 0, 0};
            r.MatchedTotal = 3;
            r.Profit = -20000 * int64_t(r.Stakes);
            ratings.push_back(r);
        }
        ratingSeed = RatingsFileBytes(ratings);
    }
    const std::string systemSeed = "1 2 3 4 5\r\n1;2;3;4;6\r\n2,3,4,5,6\r\n1-3-5-7-9\r\n";
    TDrawsArchive checkArchive;
    checkArchive.Draws = sample.Draws;
    readers.push_back({"ratings",
                       {ratingSeed, ratingSeed.substr(0, kRatingRecordSize), ratingSeed + "xyz"},
                       [&](const std::string& in) {
                           const std::string path = (scratch / "Velmora_5x50.lrt").string();
                           WriteFileAtomic(path, in);
                           TRatingsArray a;
                           try {
                               LoadRatingsFile(path, a);
                           } catch (const std::exception&) {
                           }
                           TMatchTailCache tails;
                           for (const auto& r : a)
                               for (int mode : {remExpected, remAbsolute, remRelative}) RatingCells(r, mode, &tails);
                           for (int column : {int(rcComment), int(rcAverage), int(rcP)}) SortRatingsArray(a, column, true);
                           RatingsCsvLines(a);
                           TRatingsStore store(path);
                           bool damaged = false;
                           try {
                               store.Load(NullProgress());
                           } catch (const std::exception&) {
                               damaged = true;
                           }
                           if (damaged && ReadOr(path) != in) throw std::logic_error("a damaged ratings file was rewritten");
                       }});
    readers.push_back({"stakes",
                       {stakeSeed, stakeSeed.substr(0, kStakeRecordSize * 2), stakeSeed + "x"},
                       [&](const std::string& in) {
                           const std::string path = (scratch / "Velmora_5x50.lsk").string();
                           WriteFileAtomic(path, in);
                           TStakeFile f(path);
                           const std::string warning = f.Load();
                           if (!warning.empty() && ReadOr(f.BackupFileName()) != in)
                               throw std::logic_error("the copy of an outdated stake file differs from it");
                           f.ForEachStake([](int, const TStakeRecord& r) { StakeGridCells(r); });
                           if (f.StakeCount() > 0) f.ReadStake(TStakeOrigin::End, -1);
                           int start = 0;
                           f.SeekLastDraws(100, start);
                           TRatingsStore store((scratch / "fuzz.lrt").string());
                           CheckStakesRated(f, checkArchive, TStakeCheckOptions(), store, NullProgress());
                           TRatingsArray fresh;
                           RefreshRatingsFromStakes(f, fresh, NullProgress());
                           StakeDrawProfits(f);
                           f.DeleteStakesByCondition(PackStakeCondition(scLess, 1));
                           f.Close();
                       }});
    readers.push_back({"script",
                       {ReadOr(dataDir + "/script_sample.lsc"), "FULL#RAND|BSF#EVEN:150#CDV:1,2#SV:7| | | | | | |01.001:\r\n"},
                       [&](const std::string& in) {
                           const std::string path = (scratch / "in.lsc").string();
                           WriteFileAtomic(path, in);
                           TScriptList script;
                           script.LoadScriptFile(path, false);
                           for (const auto& line : script.Lines())
                               for (int i = 1; i <= 7; ++i) ParseFilterItem(GetLineFilter(line, i), list);
                       }});
    readers.push_back({"systems",
                       {systemSeed, "1 2 3 4 5\r\n"},
                       [&](const std::string& in) {
                           const fs::path dir = scratch / "Systems";
                           fs::create_directories(dir);
                           const std::string path = (dir / "fuzz.txt").string();
                           WriteFileAtomic(path, in);
                           for (int nums : {6, 9, 12}) {
                               try {
                                   const TCombsArray c = ReadSystemFile(path, nums);
                                   if (c.empty()) throw std::logic_error("an accepted system has no combinations");
                               } catch (const Error&) {
                               }
                           }
                           ReadSystemFile(path, 50);
                       }});

    // The shredding formulas: the evaluator gives a finite value or its message, and a formula's
    // compiled program gives what the text gives, for a few draws.
    readers.push_back({"formula",
                       {kDefaultFormulas[0], "2*3^2-(-2^2)/2--3", "SIN(n1)/COS(p2)+LN(t3)*SQRT(n4)^-1",
                        "ARCTAN(1)+ARCSIN(n1/50)+ARCCOS(.5)+TAN(PI)+EXP(1.E1)+LOG(100)+SQR(E)",
                        "INT(2.5)+FRAC(-2.7)+TRUNC(n5/3)+ROUND(p5/7)+SIGN(-t1)+NOT($FFFFFFFF)+ABS(-1)",
                        "$FFFFFFFFF+1E99999/0^-1", std::string(300, '(') + "n1" + std::string(300, ')'),
                        "2n1+n1.5+$n1+pn1+1E-n1,n2<n3"},
                       [&](const std::string& in) {
                           const uint8_t draws[3][5] = {{5, 12, 33, 40, 48}, {0, 0, 0, 0, 0}, {50, 1, 7, 3, 9}};
                           for (char sep : {'.', ','}) {
                               TShreddingFormula formula(in, 5, sep);
                               for (int k = 0; k < 3; ++k) {
                                   const uint8_t* n = draws[k];
                                   const uint8_t* p = draws[(k + 1) % 3];
                                   const uint8_t* t = draws[(k + 2) % 3];
                                   int32_t plain = 0;
                                   try {
                                       plain = ShreddingDigits(TRxMathParser(sep).Exec(SubstituteShredding(n, p, t, in)), 5);
                                   } catch (const ERxParserError&) {
                                   }
                                   if (plain < 0 || plain > 100000) throw std::logic_error("a value out of range");
                                   if (formula.Value(n, p, t) != plain)
                                       throw std::logic_error("the compiled formula differs from its text");
                               }
                           }
                           const long double v = TRxMathParser('.').Exec(in);
                           if (!std::isfinite(v)) throw std::logic_error("a value that is not finite");
                       }});

    std::signal(SIGALRM, OnTimeout);
    Mutator mutator(seed);
    std::map<std::string, Figures> figures;
    const auto start = std::chrono::steady_clock::now();
    for (const auto& r : readers) {
        if (!only.empty() && r.name != only) continue;
        Figures& f = figures[r.name];
        for (int i = 0; i < inputs; ++i) {
            std::string in;
            if (size_t(i) < r.seeds.size())
                in = r.seeds[size_t(i)];
            else if (i % 10 == 0)
                in = mutator.Random(4096);
            else
                in = mutator.Mutate(r.seeds[mutator.Below(r.seeds.size())], r.seeds);
            const std::string saved = (work / ("current_" + r.name + ".bin")).string();
            WriteFileAtomic(saved, in);
            std::snprintf(g_current, sizeof g_current, "%s input %d, saved in %s", r.name.c_str(), i, saved.c_str());
            const auto t0 = std::chrono::steady_clock::now();
            ::alarm(timeout);
            try {
                r.run(in);
            } catch (const std::logic_error& e) {
                std::fprintf(stderr, "velmora_fuzz: %s: %s\n", g_current, e.what());
                return 5;
            } catch (const std::exception& e) {
                if (f.refused++ == 0) f.firstRefusal = e.what();
            }
            ::alarm(0);
            const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            f.seconds += s;
            f.slowest = std::max(f.slowest, s);
            ++f.inputs;
        }
        if (Snapshot(data) != before) {
            std::fprintf(stderr, "velmora_fuzz: the reader %s changed a file of the data folder\n", r.name.c_str());
            return 4;
        }
    }
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int all = 0;
    std::printf("reader;inputs;refused;seconds;slowest input (ms);first refusal\n");
    for (const auto& [name, f] : figures) {
        std::string first = f.firstRefusal.substr(0, 120);
        std::replace(first.begin(), first.end(), '\r', ' ');
        std::printf("%s;%d;%d;%.1f;%.1f;%s\n", name.c_str(), f.inputs, f.refused, f.seconds, f.slowest * 1000,
                    first.c_str());
        all += f.inputs;
    }
    std::printf("total;%d inputs;%.1f s;data folder unchanged\n", all, total);
    fs::remove_all(work);
    return 0;
}
