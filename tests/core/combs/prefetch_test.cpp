#include "core/combs/prefetch.h"

#include "core/stats/stat_registry.h"
#include "table_fixture.h"
#include "core/util/atomic_file.h"
#include "core/util/checksum.h"
#include "core/util/error.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace velmora;
using namespace velmora::test;

namespace fs = std::filesystem;

namespace {

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (unsigned char c : bytes) {
        s += digits[c >> 4];
        s += digits[c & 15];
    }
    return s;
}

// The file of EVEN: C(25,k) * C(25,5-k) combinations have k even numbers.
const char* const kEvenFileHex =
    "0000000000000000" "8acf0000"
    "0100000000000000" "5ad30400"
    "0200000000000000" "50870a00"
    "0300000000000000" "50870a00"
    "0400000000000000" "5ad30400"
    "0500000000000000" "8acf0000"
    "8acf0000" "50870a00" "00000000";

std::string EvenFile() {
    std::string hex = kEvenFileHex, bytes;
    for (size_t i = 0; i < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string CrcHex(const std::string& bytes) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08x", Crc32(bytes));
    return buf;
}

const TStatClass* ClassOf(const std::string& code) {
    for (const TStatClass* c : RegisteredStatClasses())
        if (c->GetCode() == code) return c;
    return nullptr;
}

} // namespace

TEST_F(TableTest, FileOfEvenHasTheExactBytes) {
    const int i = Method("EVEN");
    EXPECT_EQ(PrefetchFileName(list.Items(i)), dir + "/Prefetchs/Velmora_5x50_EVEN.dfc");
    TPrefetchData data = CreatePrefetch(list, i, NullProgress());
    EXPECT_EQ(Hex(ReadFileBytes(PrefetchFileName(list.Items(i)))), kEvenFileHex);
    EXPECT_EQ(data.FullMin, 53130);
    EXPECT_EQ(data.FullMax, 690000);
    ASSERT_EQ(data.Body.size(), 6u);
    EXPECT_EQ(data.Body[2].Count, 690000);
    // Nothing but the file and the manifest of checksums is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(PrefetchDir()), fs::directory_iterator()), 2);
    EXPECT_EQ(ReadFileBytes(PrefetchManifestFileName()), "Velmora_5x50_EVEN.dfc;84;" + CrcHex(EvenFile()) + "\r\n");
}

TEST(PrefetchBytes, EveryKeyPartLittleEndianSortedUnsigned) {
    TStatDrawArray v(2);
    v[0].Key = TStatKey{{0x8000, 0, 0, 0}};
    v[0].Count = 5;
    v[1].Key = TStatKey{{0x0102, 0x0304, 0x0506, 0xFFFF}};
    v[1].Count = 0x01020304;
    EXPECT_EQ(Hex(EncodePrefetch(v)), "020104030605ffff" "04030201"
                                      "0080000000000000" "05000000"
                                      "05000000" "04030201" "00000000");
    // An empty list: the trailer only, with the starting values of the totals.
    EXPECT_EQ(Hex(EncodePrefetch({})), "ffffff7f" "00000000" "00000000");
}

TEST(PrefetchBytes, InconsistentFilesAreRefused) {
    const std::string good = EvenFile();
    TPrefetchData data;
    ASSERT_TRUE(DecodePrefetch(good, data));
    auto with = [&](size_t offset, std::string bytes) {
        std::string s = good;
        s.replace(offset, bytes.size(), bytes);
        return s;
    };
    struct Bad {
        const char* name;
        std::string bytes;
    };
    const Bad cases[] = {
        {"empty", ""},
        {"size not a multiple of 12", good + "x"},
        {"trailer cut", good.substr(0, good.size() - 12)},
        {"smallest count wrong", with(72, std::string("\x8b\xcf", 2))},
        {"largest count wrong", with(76, std::string("\x51", 1))},
        {"reserved not zero", with(80, std::string("\x01", 1))},
        {"keys not ascending", with(12, std::string("\x07", 1))},
        {"key repeated", with(12, std::string("\x00", 1))},
        {"count not positive", with(8, std::string("\x00\x00\x00\x80", 4))},
        {"zeros", std::string(24, '\0')},
    };
    for (const auto& c : cases) EXPECT_FALSE(DecodePrefetch(c.bytes, data)) << c.name;
}

// A file that is empty or inconsistent is never used: it is built anew.
TEST_F(TableTest, CorruptOrEmptyFileIsRebuilt) {
    const int i = Method("EVEN");
    const std::string file = PrefetchFileName(list.Items(i));
    fs::create_directories(PrefetchDir());
    const std::string good = EvenFile();
    const std::string swapped = good.substr(12, 12) + good.substr(0, 12) + good.substr(24);
    const std::string cases[] = {"", good.substr(0, 50), swapped, std::string(good).replace(76, 1, "\x51")};
    for (const auto& bytes : cases) {
        WriteFileAtomic(file, bytes);
        std::string message;
        auto data = OpenPrefetch(list, i, true, NullProgress(), &message);
        ASSERT_TRUE(data.has_value()) << bytes.size();
        EXPECT_EQ(message, "");
        EXPECT_EQ(data->FullMax, 690000);
        EXPECT_EQ(ReadFileBytes(file), good);
    }
}

TEST_F(TableTest, OpenOnlyWhenEnabledAndTheMethodHasFlagN) {
    EXPECT_FALSE(OpenPrefetch(list, Method("EVEN"), false, NullProgress()).has_value());
    EXPECT_FALSE(OpenPrefetch(list, Method("POE1"), true, NullProgress()).has_value());
    EXPECT_FALSE(fs::exists(PrefetchDir()));
}

TEST_F(TableTest, UnreadableFileGivesTheOpenMessage) {
    const int i = Method("EVEN");
    const std::string file = PrefetchFileName(list.Items(i));
    fs::create_directories(file);  // a folder where the file should be
    std::string message;
    EXPECT_FALSE(OpenPrefetch(list, i, true, NullProgress(), &message).has_value());
    const std::string head = "Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: " + file + "\r\r";
    EXPECT_EQ(message.substr(0, head.size()), head);
}

TEST_F(TableTest, UncreatableFileRaisesTheCreationMessage) {
    WriteFileAtomic(PrefetchDir(), "");
    const int i = Method("EVEN");
    try {
        CreatePrefetch(list, i, NullProgress());
        FAIL() << "no error";
    } catch (const std::exception& e) {
        const std::string head = "Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: " +
                                 PrefetchFileName(list.Items(i)) + "\r\r";
        EXPECT_EQ(std::string(e.what()).substr(0, head.size()), head);
    }
}

class PrefetchFiles : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        list.Build({ClassOf("NUMS"), ClassOf("POE%d"), ClassOf("EVEN")});  // POE1 has no flag N
        ASSERT_EQ(list.Count(), 4);  // POE1 and POE2
    }
    std::string File(const char* code) { return PrefetchFileName(list.Items(list.IndexOfCode(code))); }
};

TEST_F(PrefetchFiles, BuildsMissingFilesThenOnlyWhatIsAsked) {
    EXPECT_EQ(CreatePrefetchFiles(list, false, false, kAllPrefetchGroups, NullProgress()).Built, 0);
    EXPECT_FALSE(fs::exists(PrefetchDir()));

    RecordingProgress progress;
    TPrefetchBuildResult r = CreatePrefetchFiles(list, false, true, kNoPrefetchGroups, progress);
    EXPECT_EQ(r.Built, 2);
    EXPECT_TRUE(r.Errors.empty());
    EXPECT_EQ(ReadFileBytes(File("EVEN")), EvenFile());
    EXPECT_EQ(fs::file_size(File("NUMS")), 12u * 51);
    EXPECT_EQ(progress.texts.front(), "Создание файлов для полного набора комбинаций...");
    EXPECT_NE(std::find(progress.texts.begin(), progress.texts.end(),
                        "Создание файла предварительной выборки " + File("EVEN") + "..."),
              progress.texts.end());
    EXPECT_EQ(progress.texts.back(), "");
    EXPECT_EQ(progress.percents.front(), 0.0);
    EXPECT_EQ(progress.percents.back(), 100.0);

    // Present files are kept; an empty or corrupt one counts as missing.
    EXPECT_EQ(CreatePrefetchFiles(list, true, false, kNoPrefetchGroups, NullProgress()).Built, 0);
    WriteFileAtomic(File("EVEN"), "");
    WriteFileAtomic(File("NUMS"), "0123456789ab");
    EXPECT_EQ(CreatePrefetchFiles(list, true, false, kNoPrefetchGroups, NullProgress()).Built, 2);
    EXPECT_EQ(ReadFileBytes(File("EVEN")), EvenFile());

    // The groups of the mask are rebuilt even when present (NUMS and EVEN are group 0).
    EXPECT_EQ(CreatePrefetchFiles(list, true, false, uint16_t(1u << 1), NullProgress()).Built, 0);
    EXPECT_EQ(CreatePrefetchFiles(list, true, false, uint16_t(1u << 0), NullProgress()).Built, 2);
}

TEST_F(PrefetchFiles, StopsBetweenMethods) {
    RecordingProgress progress;
    progress.stopAfter = 1;  // the second poll asks to stop: only NUMS is built
    TPrefetchBuildResult r = CreatePrefetchFiles(list, true, true, kNoPrefetchGroups, progress);
    EXPECT_TRUE(r.Stopped);
    EXPECT_EQ(r.Built, 1);
    EXPECT_TRUE(fs::exists(File("NUMS")));
    EXPECT_FALSE(fs::exists(File("EVEN")));
}

TEST_F(PrefetchFiles, FailedFilesAreReportedAndTheOthersBuilt) {
    fs::create_directories(File("NUMS"));  // a folder in the way of one file
    TPrefetchBuildResult r = CreatePrefetchFiles(list, true, true, kNoPrefetchGroups, NullProgress());
    EXPECT_EQ(r.Built, 1);
    ASSERT_EQ(r.Errors.size(), 1u);
    EXPECT_NE(r.Errors[0].find(File("NUMS")), std::string::npos);
    EXPECT_EQ(ReadFileBytes(File("EVEN")), EvenFile());
}

TEST(Checksum, Crc32KnownValues) {
    EXPECT_EQ(Crc32(""), 0u);
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32(std::string("\0", 1)), 0xD202EF8Du);
}

// A file whose structure holds but whose contents were altered, or that has no checksum on
// record, is not trusted: it is built anew (it used to be used, and the "Норма" column showed
// the altered counts).
TEST_F(TableTest, FilesWithoutTheirChecksumAreRebuilt) {
    const int i = Method("EVEN");
    const std::string file = PrefetchFileName(list.Items(i));
    const std::string good = EvenFile();
    auto with = [&](size_t offset, std::string bytes) { return std::string(good).replace(offset, bytes.size(), bytes); };
    struct Case {
        const char* name;
        std::string file;      // the distribution file's bytes
        std::string manifest;  // the manifest's text; "-" leaves no manifest
    };
    const std::string goodLine = "Velmora_5x50_EVEN.dfc;84;" + CrcHex(good) + "\r\n";
    const std::vector<Case> cases = {
        // counts 316250 and 690000 of keys 1 and 2 swapped: ascending keys, same trailer
        {"counts swapped", with(20, std::string("\x50\x87\x0a\x00", 4)).replace(32, 4, std::string("\x5a\xd3\x04\x00", 4)), goodLine},
        {"key changed", with(60, "\x06"), goodLine},
        {"no manifest", good, "-"},
        {"file not listed", good, "Velmora_5x50_SUMS.dfc;84;" + CrcHex(good) + "\r\n"},
        {"size wrong", good, "Velmora_5x50_EVEN.dfc;96;" + CrcHex(good) + "\r\n"},
        {"checksum damaged", good, "Velmora_5x50_EVEN.dfc;84;" + CrcHex(good + "x") + "\r\n"},
        {"line damaged", good, "Velmora_5x50_EVEN.dfc;84\r\n"},
        {"manifest of garbage", good, std::string("\0\xff;;;\r\n;", 9)},
    };
    for (const auto& c : cases) {
        TPrefetchData altered;
        ASSERT_TRUE(DecodePrefetch(c.file, altered)) << c.name;  // the layout alone cannot tell
        fs::create_directories(PrefetchDir());
        WriteFileAtomic(file, c.file);
        if (c.manifest == "-")
            fs::remove(PrefetchManifestFileName());
        else
            WriteFileAtomic(PrefetchManifestFileName(), c.manifest);
        std::string message;
        auto data = OpenPrefetch(list, i, true, NullProgress(), &message);
        ASSERT_TRUE(data.has_value()) << c.name;
        EXPECT_EQ(message, "") << c.name;
        EXPECT_EQ(data->Body[1].Count, 316250) << c.name;
        EXPECT_EQ(data->Body[5].Key.K[0], 5) << c.name;
        EXPECT_EQ(ReadFileBytes(file), good) << c.name;
        EXPECT_NE(ReadFileBytes(PrefetchManifestFileName()).find(goodLine), std::string::npos) << c.name;
    }
    // With its checksum on record the file is used as it is, and not written again.
    const auto before = fs::last_write_time(file);
    EXPECT_TRUE(OpenPrefetch(list, i, true, NullProgress()).has_value());
    EXPECT_EQ(fs::last_write_time(file), before);
}

// A graph statistic gives each combination one value: a distribution whose counts do not add up
// to 2 118 760 is a fault of the statistic and is never written.
class TstFakeSkipping final : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr const char* ClassName() { return "TstFakeSkipping"; }
    static constexpr const char* GetCode() { return "FSKP"; }
    static constexpr const char* GetCaption() { return "Skips the combinations with 50"; }
    static constexpr int GetGroup() { return 0; }
    static constexpr uint8_t ClassFlags() { return kFlagN; }
    void AddCombinationValue(const TCombination& c, TStatDrawArray& list) override {
        if (c[4] == 50) return;
        TCustomStat::AddCombinationValue(c, list);
        Value.Key.K[0] = c[0];
        AddValue(list, false);
    }
    bool CombinationMatches(const TCombination&, const TStatDrawArray&, bool, bool, int) override { return false; }
    int32_t CombinationNumber(const TCombination& c, int, int, bool) override { return c[0]; }
};

TEST_F(TableTest, GraphStatisticCountsMustAddUpToTheFullSet) {
    list.Build({&StatClassOf<TstFakeSkipping>(), ClassOf("EVEN")});
    ASSERT_TRUE(list.HasGraph(0));
    const std::string file = PrefetchFileName(list.Items(0));
    try {
        CreatePrefetch(list, 0, NullProgress());
        FAIL() << "written";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Сумма количеств 1906884 не равна 2118760"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(file));
    TPrefetchBuildResult r = CreatePrefetchFiles(list, true, true, kNoPrefetchGroups, NullProgress());
    EXPECT_EQ(r.Built, 1);
    EXPECT_EQ(r.Errors.size(), 1u);
}
