#include "core/combs/prefetch.h"

#include "core/stats/stat_registry.h"
#include "table_fixture.h"
#include "core/util/atomic_file.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

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
    // Nothing but the file is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(PrefetchDir()), fs::directory_iterator()), 1);
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
