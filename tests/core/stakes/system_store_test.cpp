#include "core/model/data_folder.h"
#include "core/stakes/system_store.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

class SystemStoreTest : public TempDirTest {
protected:
    std::string Systems() const { return Path("Systems"); }
    void WriteRaw(const std::string& name, const std::string& bytes) {
        fs::create_directories(Systems());
        std::ofstream(Systems() + "/" + name, std::ios::binary) << bytes;
    }
    static tSystemInfo Info(int id, int nums, int olap, int csize, TDateTime created) {
        tSystemInfo i;
        i.Id = id;
        i.Nums = uint8_t(nums);
        i.Olap = uint8_t(olap);
        i.CSize = csize;
        i.Created = created;
        return i;
    }
};

// Twelve different numbers in order of first appearance, as DistinctNumbers gives them.
const TByteArray kTwelve = {40, 3, 17, 9, 50, 1, 22, 31, 8, 44, 12, 27};

TEST_F(SystemStoreTest, MapsIndicesThroughTheNumbersInOrder) {
    WriteRaw("5-12-2_0045.dat", "01 02 03 04 05\r\n08,09,10,11,12\r\n1 6 * 7 - 12 ~ 2\r\n");
    TCombsArray combs;
    std::string text, box;
    ASSERT_TRUE(LoadSystemForNumbers(Systems(), kTwelve, combs, text, &box));
    EXPECT_EQ(text, Systems() + "/5-12-2_0045.dat");
    ASSERT_EQ(combs.size(), 3u);
    EXPECT_EQ(combs[0], (TCombination{40, 3, 17, 9, 50}));
    EXPECT_EQ(combs[1], (TCombination{31, 8, 44, 12, 27}));
    EXPECT_EQ(combs[2], (TCombination{40, 1, 22, 27, 3}));
}

TEST_F(SystemStoreTest, NoSystemForTheCountGivesTheShortAndLongMessages) {
    WriteRaw("5-11-0_0001.dat", "01 02 03 04 05\r\n");  // another count
    TCombsArray combs = {TCombination{1, 2, 3, 4, 5}};
    std::string text, box;
    EXPECT_FALSE(LoadSystemForNumbers(Systems(), kTwelve, combs, text, &box));
    EXPECT_TRUE(combs.empty());
    EXPECT_EQ(text, "Система для 12 чисел не найдена или не загружена на компьютер!");
    EXPECT_EQ(box, text + "\r\rПеред системной игрой необходимо предварительно загрузить системы на Ваш компьютер "
                          "через меню \"Системы\" - \"Загрузить\".");
    // A missing folder is the same as an empty one.
    EXPECT_FALSE(LoadSystemForNumbers(Path("nowhere"), kTwelve, combs, text));
}

TEST_F(SystemStoreTest, FaultyFilesAreRefusedWithTheReason) {
    struct Case {
        const char* content;
        const char* reason;
    } cases[] = {
        {"01 02 03 04 13\r\n", "Индекс 13 в строке 1 системы вне диапазона 1..12"},
        {"01 02 03 04 05\r\n00 02 03 04 05\r\n", "Индекс 0 в строке 2 системы вне диапазона 1..12"},
        {"01 02 x3 04 05\r\n", "\"x3\" не является целым числом (строка 1 системы)"},
        {"", "пуст"},
        {"01 02 03 04\r\n", "Строка 1 системы содержит 4 чисел вместо 5"},
        {"01 02 03 04 05 06\r\n", "Строка 1 системы содержит 6 чисел вместо 5"},
        {"01 02 03 04 05\r\n\r\n02 03 04 05 06\r\n", "Строка 2 системы содержит 0 чисел"},
        {"01 02 03 02 05\r\n", "Индекс 2 повторяется в строке 1 системы"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        WriteRaw("5-12-0_0007.dat", c.content);
        TCombsArray combs;
        std::string text, box;
        EXPECT_FALSE(LoadSystemForNumbers(Systems(), kTwelve, combs, text, &box));
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_EQ(box, "Ошибка загрузки комбинаций системы!\r\r" + text);
        EXPECT_TRUE(combs.empty());
    }
}

TEST_F(SystemStoreTest, FirstFileInNameOrderIsUsed) {
    WriteRaw("5-06-1_0020.dat", "1 2 3 4 6\r\n");
    WriteRaw("5-06-0_0031.dat", "1 2 3 4 5\r\n");
    WriteRaw("5-06-0_0031.txt", "garbage\r\n");
    EXPECT_EQ(FindSystemFiles(Systems(), 6),
              (std::vector<std::string>{Systems() + "/5-06-0_0031.dat", Systems() + "/5-06-1_0020.dat"}));
    TCombsArray combs;
    std::string text;
    ASSERT_TRUE(LoadSystemForNumbers(Systems(), {6, 5, 4, 3, 2, 1}, combs, text));
    EXPECT_EQ(combs, (TCombsArray{TCombination{6, 5, 4, 3, 2}}));
}

TEST_F(SystemStoreTest, WrittenSystemCarriesItsNameLinesAndTime) {
    const TDateTime created = EncodeDate(2024, 3, 5) + (13 * 3600 + 7 * 60 + 9) / 86400.0;
    const tSystemInfo info = Info(45, 12, 2, 2, created);
    const std::string path = WriteSystemFile(Systems(), info, {"01 02 03 04 05", "06 07 08 09 10"});
    EXPECT_EQ(path, Systems() + "/5-12-2_0045.dat");
    EXPECT_EQ(ReadFileBytes(path), "01 02 03 04 05\r\n06 07 08 09 10\r\n");
    EXPECT_TRUE(SystemDownloaded(Systems(), info));
    EXPECT_FALSE(SystemFileOutdated(path, created));
    EXPECT_TRUE(SystemFileOutdated(path, created + 1.0 / 86400));
    EXPECT_TRUE(SystemFileOutdated(path, created - 1));
}

// A change one second after the file's time counts at every second of a day, whatever rounding the
// day fractions of the two times carry (the catalog gives a change at least one second more).
TEST_F(SystemStoreTest, OneSecondLaterIsOutdatedAtEverySecond) {
    const TDateTime day = EncodeDate(2026, 12, 10);
    int missed = 0;
    for (int sec = 0; sec < 86400; sec += 37) {
        const TDateTime created = ParseSystemTime(SystemTimeText(day + sec / 86400.0));
        const std::string path = WriteSystemFile(Systems(), Info(45, 12, 2, 2, created), {"01 02 03 04 05", "06 07 08 09 10"});
        const TDateTime later = ParseSystemTime(SystemTimeText(day + (sec + 1) / 86400.0));
        if (SystemFileOutdated(path, created) || !SystemFileOutdated(path, later)) ++missed;
    }
    EXPECT_EQ(missed, 0);
}

TEST_F(SystemStoreTest, LineCountMustMatchTheSize) {
    struct Case {
        std::vector<std::string> lines;
        int csize;
        const char* message;
    } cases[] = {
        {{"01 02 03 04 05"}, 2, "Количество скачанных комбинаций ( 1 ) отличается от ожидаемого значения ( 2 )"},
        {{}, 0, "Количество скачанных комбинаций ( 0 ) отличается от ожидаемого значения ( 0 )"},
    };
    for (const Case& c : cases) {
        const tSystemInfo info = Info(3, 6, 0, c.csize, 45000);
        try {
            WriteSystemFile(Systems(), info, c.lines);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_FALSE(SystemDownloaded(Systems(), info));
    }
}

TEST_F(SystemStoreTest, FolderThatCannotBeMadeFailsTheWrite) {
    std::ofstream(Path("Systems")) << "a file in the way";
    EXPECT_THROW(WriteSystemFile(Systems(), Info(3, 6, 0, 1, 45000), {"1 2 3 4 5"}), Error);
}

TEST_F(SystemStoreTest, OneSystemPerNumberCountIsKept) {
    const tSystemInfo a = Info(1, 12, 0, 1, 45000), b = Info(2, 12, 3, 1, 45000), c = Info(3, 13, 0, 1, 45000);
    for (const tSystemInfo& i : {a, b, c}) WriteSystemFile(Systems(), i, {"1 2 3 4 5"});
    EXPECT_EQ(DeleteOtherSystems(Systems(), b), (std::vector<std::string>{SystemFilePath(Systems(), a)}));
    EXPECT_FALSE(SystemDownloaded(Systems(), a));
    EXPECT_TRUE(SystemDownloaded(Systems(), b));
    EXPECT_TRUE(SystemDownloaded(Systems(), c));
    DeleteSystemFile(Systems(), b);
    DeleteSystemFile(Systems(), b);  // already gone: no error
    EXPECT_FALSE(SystemDownloaded(Systems(), b));
}

// A catalog's system is checked whole before it is written: a faulty one leaves the store as it
// was, so the valid system for the same count is still there to play.
TEST_F(SystemStoreTest, FaultySystemsFromTheCatalogAreRefusedBeforeWriting) {
    const TDateTime created = EncodeDate(2024, 3, 5);
    const tSystemInfo good = Info(1, 12, 0, 1, created);
    const std::string goodPath = WriteSystemFile(Systems(), good, {"01 02 03 04 05"});
    const std::vector<std::string> tooMany(size_t(kMaxSystemCombinations) + 1, "1 2 3 4 5");
    struct Case {
        const char* what;
        tSystemInfo info;
        std::vector<std::string> lines;
    } cases[] = {
        {"index above N", Info(2, 12, 0, 2, created), {"01 02 03 04 05", "01 02 03 04 13"}},
        {"index 0", Info(2, 12, 0, 1, created), {"00 02 03 04 05"}},
        {"repeated index", Info(2, 12, 0, 1, created), {"01 01 03 04 05"}},
        {"four indices", Info(2, 12, 0, 1, created), {"01 02 03 04"}},
        {"not a number", Info(2, 12, 0, 1, created), {"01 02 03 04 x5"}},
        {"too many lines", Info(2, 12, 0, int(tooMany.size()), created), tooMany},
        {"far future time", Info(2, 12, 0, 1, EncodeDate(9999, 12, 31)), {"01 02 03 04 05"}},
        {"no time", Info(2, 12, 0, 1, 0), {"01 02 03 04 05"}},
        {"five numbers", Info(2, 5, 0, 1, created), {"01 02 03 04 05"}},
        {"51 numbers", Info(2, 51, 0, 1, created), {"01 02 03 04 05"}},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(WriteSystemFile(Systems(), c.info, c.lines), Error) << c.what;
        EXPECT_FALSE(SystemDownloaded(Systems(), c.info)) << c.what;
    }
    EXPECT_EQ(FindSystemFiles(Systems(), 12), (std::vector<std::string>{goodPath}));
    EXPECT_EQ(ReadFileBytes(goodPath), "01 02 03 04 05\r\n");
    // A long faulty line is quoted by an excerpt only.
    try {
        WriteSystemFile(Systems(), Info(2, 12, 0, 1, created), {std::string(1 << 20, '7')});
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_LT(std::string(e.what()).size(), 1000u);
    }
}

// A write killed midway leaves "<name>.XXXXXX" in the system folder; the start-up sweep of the
// data folder removes it like the leftovers of the data files.
TEST_F(SystemStoreTest, LeftoversOfKilledWritesAreSweptFromTheSubfolders) {
    const std::string saved = DataDir();
    DataDir() = dir.string();
    WriteRaw("5-12-0_0002.dat.Ab12Cd", "partial");
    fs::create_directories(Path("Prefetchs"));
    std::ofstream(Path("Prefetchs/5-12-0_0002.dat.Zz99yy")) << "partial";
    WriteRaw("5-12-0_0002.dat", "01 02 03 04 05\r\n");
    EXPECT_EQ(RemoveStaleDataTempFiles(), 2);
    DataDir() = saved;
    EXPECT_FALSE(fs::exists(Systems() + "/5-12-0_0002.dat.Ab12Cd"));
    EXPECT_FALSE(fs::exists(Path("Prefetchs/5-12-0_0002.dat.Zz99yy")));
    EXPECT_TRUE(fs::exists(Systems() + "/5-12-0_0002.dat"));
}

TEST(SystemTimes, TextsReadByPosition) {
    const TDateTime t = ParseSystemTime("2023-11-02 07:05:59");
    EXPECT_EQ(SystemTimeText(t), "2023-11-02 07:05:59");
    EXPECT_EQ(ParseSystemTime(""), 0);
    EXPECT_EQ(SystemTimeText(0), "");
    EXPECT_EQ(ParseSystemTime("2023-11-02"), EncodeDate(2023, 11, 2));
    for (const char* bad : {"2023-13-02 00:00:00", "yesterday", "2023-11-02 25:00:00"}) EXPECT_THROW(ParseSystemTime(bad), Error) << bad;
    EXPECT_EQ(UnixToLocalDateTime(LocalDateTimeToUnix(t)), t);
}

} // namespace
