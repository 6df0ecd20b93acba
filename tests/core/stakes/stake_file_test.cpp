#include "core/stakes/stake_file.h"
#include "core/util/atomic_file.h"
#include "core/util/error.h"
#include "core/util/text.h"
#include "../temp_dir.h"
#include "stake_test_util.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

class StakeFileTest : public TempDirTest {
protected:
    std::string File() const { return Path("Velmora_5x50.lsk"); }
    // A file of stakes with the given match counts (-1 unchecked, -2 a separator), draws 1, 2, ...
    void Fill(TStakeFile& f, const std::vector<int>& matches) {
        int draw = 1;
        for (int m : matches) {
            TStakeRecord r = m == -2 ? SeparatorRecord() : m == -1 ? Stake(draw++) : CheckedStake(draw++, m);
            f.WriteStakeAt(TStakeOrigin::End, 0, r);
        }
    }
};

std::string ErrorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST_F(StakeFileTest, OpenEmptyAndErrors) {
    TStakeFile f(File());
    EXPECT_EQ(f.StakeCount(), 0);
    EXPECT_EQ(ErrorOf([&] { f.ReadStake(TStakeOrigin::Begin, 0); }), "Файл ставок не открыт!");
    EXPECT_EQ(ErrorOf([&] { f.AppendStakes(Stake(1), 1); }),
              "Ошибка добавления записи в файл ставок!\r\rФайл ставок не открыт!");
    f.Open();
    EXPECT_TRUE(fs::exists(File()));
    EXPECT_FALSE(f.HasStakes());
    EXPECT_EQ(ErrorOf([&] { f.ReadStake(TStakeOrigin::Begin, 0); }), "Запись со индексом 0 в файле данных не найдена!");
    EXPECT_EQ(ErrorOf([&] { f.ReadStake(TStakeOrigin::End, -1); }), "Запись со индексом -1 в файле данных не найдена!");

    // A second writer on the same file is refused while the first holds it.
    TStakeFile second(File());
    EXPECT_NE(ErrorOf([&] { second.Open(); }).find("Ошибка чтения файла ставок!\r\r"), std::string::npos);
    EXPECT_TRUE(second.Busy());
    EXPECT_FALSE(second.IsOpen());
    // Readers are welcome.
    EXPECT_NO_THROW(second.OpenReadOnly());
    f.Close();
    EXPECT_NO_THROW(TStakeFile(File()).Open());
}

TEST_F(StakeFileTest, NotAFile) {
    fs::create_directory(File());
    TStakeFile f(File());
    EXPECT_NE(ErrorOf([&] { f.Load(); }).find("Ошибка чтения файла ставок!"), std::string::npos);
    EXPECT_FALSE(f.IsOpen());
}

TEST_F(StakeFileTest, ReadWriteOriginsAndCache) {
    TStakeFile f(File());
    f.Open();
    Fill(f, {-1, -1, -1});
    EXPECT_EQ(f.StakeCount(), 3);
    EXPECT_EQ(fs::file_size(File()), 3 * kStakeRecordSize);
    EXPECT_EQ(f.ReadStake(TStakeOrigin::End, -1).DrawNumber, 3);
    EXPECT_EQ(f.ReadStake(TStakeOrigin::End, -3).DrawNumber, 1);
    EXPECT_EQ(f.ReadStake(TStakeOrigin::Begin, 1).DrawNumber, 2);
    // A rewrite in place is seen by the next read (the cache of that record is dropped).
    f.WriteStakeAt(TStakeOrigin::Begin, 1, Stake(42));
    EXPECT_EQ(f.ReadStake(TStakeOrigin::Begin, 1).DrawNumber, 42);
    EXPECT_EQ(f.ReadStake(TStakeOrigin::End, -2).CommentText(), "c42");
    EXPECT_NE(ErrorOf([&] { f.WriteStakeAt(TStakeOrigin::Begin, 5, Stake(1)); }).find("не найдена"), std::string::npos);
    // Reopened, everything is there.
    f.Close();
    f.OpenReadOnly();
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{1, 42, 3}));
    EXPECT_NE(ErrorOf([&] { f.AppendStakes(Stake(9), 1); }).find("только для чтения"), std::string::npos);
}

TEST_F(StakeFileTest, AppendForSeveralDraws) {
    struct Case {
        std::vector<int> before;  // draw numbers of the records already there (-1: separator)
        int draws;
        std::vector<int> after;
    } cases[] = {
        {{7}, 3, {7, -1, 100, -1, 101, -1, 102}},
        {{}, 3, {100, -1, 101, -1, 102}},
        {{7, -1}, 2, {7, -1, 100, -1, 101}},
        {{7}, 1, {7, 100}},
    };
    for (const auto& c : cases) {
        fs::remove(File());
        TStakeFile f(File());
        f.Open();
        for (int d : c.before) f.WriteStakeAt(TStakeOrigin::End, 0, d < 0 ? SeparatorRecord() : Stake(d));
        f.AppendStakes(Stake(100), c.draws);
        EXPECT_EQ(DrawNumbersOf(f), c.after) << c.draws;
        EXPECT_EQ(f.ReadStake(TStakeOrigin::End, -1).CommentText(), "c100");  // copies keep the comment
    }
}

TEST_F(StakeFileTest, AppendRefusals) {
    TStakeFile f(File());
    f.Open();
    Fill(f, {-1});
    EXPECT_EQ(ErrorOf([&] { f.AppendStakes(CheckedStake(5, 2), 1); }),
              "Ошибка добавления записи в файл ставок!\r\rДобавление в конец файла уже проверенной ставки!");
    EXPECT_NE(ErrorOf([&] { f.AppendStakes(Stake(2147483647), 2); }).find("превышает"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { f.AppendStakes(Stake(5), 0); }).find("Количество тиражей"), std::string::npos);
    EXPECT_EQ(f.StakeCount(), 1);
    EXPECT_NO_THROW(f.AppendStakes(Stake(2147483647), 1));
}

TEST_F(StakeFileTest, SeparatorIfNeededAndFind) {
    TStakeFile f(File());
    f.Open();
    f.AppendSeparatorIfNeeded();
    EXPECT_EQ(f.StakeCount(), 0);
    f.AppendStakes(Stake(10, {5, 9, 1, 3, 7}), 1);
    f.AppendSeparatorIfNeeded();
    f.AppendSeparatorIfNeeded();
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{10, -1}));
    EXPECT_EQ(f.ReadStake(TStakeOrigin::End, -1), SeparatorRecord());

    TNumberSet same{5, {1, 3, 5, 7, 9}}, other{5, {1, 3, 5, 7, 8}};
    EXPECT_TRUE(f.FindStake(10, same));
    EXPECT_FALSE(f.FindStake(11, same));
    EXPECT_FALSE(f.FindStake(10, other));
}

TEST_F(StakeFileTest, DeleteRows) {
    TStakeFile f(File());
    f.Open();
    Fill(f, {-1, -1, -2, -1, -1});  // draws 1, 2, separator, 3, 4
    EXPECT_EQ(f.DeleteStakeRows(2, 3), 2);  // grid rows 2..3 = records 1..2
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(f.DeleteStakeRows(7, 9), 0);
    EXPECT_FALSE(fs::exists(f.TempFileName()));
    // The file is still held and usable.
    f.AppendStakes(Stake(5), 1);
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{1, 3, 4, 5}));
    TStakeFile second(File());
    EXPECT_THROW(second.Open(), Error);
    f.Close();
    TStakeFile again(File());
    again.OpenReadOnly();
    EXPECT_EQ(DrawNumbersOf(again), (std::vector<int>{1, 3, 4, 5}));
}

TEST_F(StakeFileTest, DeleteByCondition) {
    // Stakes: unchecked, 0, 1, 2, 3 matches and a separator between them.
    const std::vector<int> matches = {-1, 0, -2, 1, 2, 3};
    struct Case {
        int condition, n;
        std::vector<int> kept;  // match counts left (-2: the separator)
    } cases[] = {
        {scEqual, 0, {-1, -2, 1, 2, 3}},    // "Равно [ = ]" 0 keeps unchecked stakes and separators
        {scGreater, 1, {-1, 0, -2, 1}},
        {scNotLess, 2, {-1, 0, -2, 1}},
        {scLess, 1, {-2, 1, 2, 3}},          // unchecked stakes go with "Менее"
        {scNotMore, 0, {-2, 1, 2, 3}},
        {scEqual, 5, {-1, 0, -2, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        fs::remove(File());
        TStakeFile f(File());
        f.Open();
        Fill(f, matches);
        f.DeleteStakesByCondition(PackStakeCondition(c.condition, c.n));
        std::vector<int> kept;
        f.ForEachStake([&](int, const TStakeRecord& r) { kept.push_back(r.Kind == skSeparator ? -2 : r.Matched.Count); });
        EXPECT_EQ(kept, c.kept) << c.condition << " " << c.n;
    }
}

TEST_F(StakeFileTest, FailedRenameKeepsTheOldFile) {
    TStakeFile f(File());
    f.Open();
    Fill(f, {-1, -1, -1});
    const std::string before = ReadFileBytes(File());
    f.RenameForTest = [](const char*, const char*) {
        errno = EACCES;
        return -1;
    };
    const std::string err = ErrorOf([&] { f.DeleteStakeRows(1, 1); });
    EXPECT_EQ(err.rfind("Ошибка удаления записи из файла ставок!\r\rОшибка переименования / удаления временного файла ставок " +
                            f.TempFileName() + "!\r\r",
                        0),
              0u)
        << err;
    EXPECT_EQ(ReadFileBytes(File()), before);
    EXPECT_FALSE(fs::exists(f.TempFileName()));
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{1, 2, 3}));
    // The file stays open and writable.
    f.RenameForTest = nullptr;
    EXPECT_EQ(f.DeleteStakeRows(1, 1), 1);
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{2, 3}));
}

TEST_F(StakeFileTest, TemporaryFileThatCannotBeMadeKeepsTheOldFile) {
    TStakeFile f(File());
    f.Open();
    Fill(f, {-1, -1});
    fs::create_directory(f.TempFileName());  // a folder where the copy should go
    EXPECT_NE(ErrorOf([&] { f.DeleteStakeRows(1, 1); }).find("Ошибка удаления записи из файла ставок!"), std::string::npos);
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{1, 2}));
}

TEST_F(StakeFileTest, LeftoversOfInterruptedWritesGoAtOpen) {
    {
        TStakeFile f(File());
        f.Open();
        Fill(f, {-1, -1});
    }
    // An append killed after the size change (a zero record), and a deletion's copy.
    std::string bytes = ReadFileBytes(File());
    std::string unfinished(kStakeRecordSize, '\0');
    unfinished[4] = 9;  // bytes after the version byte may already be there
    WriteBytes(File(), bytes + unfinished);
    WriteBytes(Path("Velmora_5x50.~tmp"), bytes.substr(0, kStakeRecordSize));
    TStakeFile f(File());
    EXPECT_EQ(f.Load(), "");
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{1, 2}));
    EXPECT_EQ(fs::file_size(File()), 2 * kStakeRecordSize);
    EXPECT_FALSE(fs::exists(Path("Velmora_5x50.~tmp")));
}

TEST_F(StakeFileTest, OutdatedFileIsKeptAsBackupThenEmptied) {
    const std::string good = ReadFileBytes(VELMORA_TEST_DATA "/stakes_three.lsk");
    std::string v1 = good;
    v1[0] = 1;
    std::string v0 = good;  // every version byte zero, the last one too
    for (size_t i = 0; i < v0.size(); i += kStakeRecordSize) v0[i] = 0;
    struct Case {
        const char* what;
        std::string bytes;
        bool outdated;
    } cases[] = {
        {"313 bytes", good.substr(0, kStakeRecordSize) + "x", true},
        {"version 1", v1, true},
        {"version 0 in every record", v0, true},
        {"a good file", good, false},
        {"an empty file", "", false},
    };
    for (const auto& c : cases) {
        fs::remove(File());
        WriteBytes(File() + ".bak", "an older copy");
        WriteBytes(File(), c.bytes);
        TStakeFile f(File());
        const std::string warning = f.Load();
        if (c.outdated) {
            EXPECT_EQ(warning, "Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!\r\r"
                               "Копия прежнего файла сохранена в \"" + File() + ".bak\".")
                << c.what;
            EXPECT_EQ(ReadFileBytes(File() + ".bak"), c.bytes) << c.what;
            EXPECT_EQ(fs::file_size(File()), 0u) << c.what;
            EXPECT_EQ(f.StakeCount(), 0);
        } else {
            EXPECT_EQ(warning, "") << c.what;
            EXPECT_EQ(ReadFileBytes(File()), c.bytes) << c.what;
            EXPECT_EQ(ReadFileBytes(File() + ".bak"), "an older copy") << c.what;
        }
        EXPECT_TRUE(f.IsOpen());
    }
}

TEST_F(StakeFileTest, OutdatedFileStaysWhenNoCopyCanBeMade) {
    WriteBytes(File(), std::string(313, '\x01'));
    fs::create_directories(File() + ".bak/x");  // a folder where the copy belongs
    TStakeFile f(File());
    const std::string err = ErrorOf([&] { f.Load(); });
    EXPECT_EQ(err.rfind("Ошибка чтения файла ставок!\r\rНе удалось сохранить копию файла ставок", 0), 0u) << err;
    EXPECT_EQ(fs::file_size(File()), 313u);
}

// A (sparse) file of more records than signed 32-bit indexes reach is refused as it is, by the
// program and by a reader.
TEST_F(StakeFileTest, FileBeyondTheLargestCountIsRefusedUnchanged) {
    for (const uint64_t records : {uint64_t(kMaxStakeCount) + 1, uint64_t(1) << 31, (uint64_t(1) << 32) + 1}) {
        SCOPED_TRACE(records);
        fs::remove(File());
        WriteBytes(File(), "");
        const uint64_t size = records * kStakeRecordSize;
        std::error_code ec;
        fs::resize_file(File(), size, ec);
        if (ec) GTEST_SKIP() << "no sparse file of " << size << " bytes here: " << ec.message();
        for (int how = 0; how < 3; ++how) {
            TStakeFile f(File());
            const std::string err = ErrorOf([&] {
                if (how == 0) f.Load();
                else if (how == 1) f.Open();
                else f.OpenReadOnly();
            });
            EXPECT_EQ(err.rfind("Ошибка чтения файла ставок!\r\r", 0), 0u) << err;
            EXPECT_NE(err.find("не более 2147483646"), std::string::npos) << err;
            EXPECT_FALSE(f.IsOpen());
            EXPECT_EQ(f.StakeCount(), 0);
            EXPECT_EQ(fs::file_size(File()), size);
            EXPECT_FALSE(fs::exists(File() + ".bak"));
        }
    }
    fs::remove(File());
}

TEST_F(StakeFileTest, ForeignBytesNeverCrash) {
    // Records that start with the version byte but hold anything else.
    std::string junk;
    for (size_t i = 0; i < 4 * kStakeRecordSize; ++i) junk += char((i * 7919 + 13) % 251);
    for (size_t i = 0; i < junk.size(); i += kStakeRecordSize) junk[i] = 2;
    WriteBytes(File(), junk);
    TStakeFile f(File());
    EXPECT_EQ(f.Load(), "");
    for (int i = 0; i < f.StakeCount(); ++i) {
        const TStakeRecord r = f.ReadStake(TStakeOrigin::Begin, i);
        EXPECT_LE(r.Numbers.Count, 8);
        StakeGridCells(r);
    }
    int start = 0;
    f.SeekLastDraws(100, start);
    f.FindStake(1, TNumberSet{});
    f.DeleteStakesByCondition(PackStakeCondition(scLess, 3));
}

TEST_F(StakeFileTest, ClearEmptiesTheFile) {
    TStakeFile f(File());
    f.Open();
    Fill(f, {-1, 2});
    f.StakeClear();
    EXPECT_EQ(f.StakeCount(), 0);
    EXPECT_EQ(fs::file_size(File()), 0u);
    f.AppendStakes(Stake(3), 1);
    EXPECT_EQ(DrawNumbersOf(f), (std::vector<int>{3}));
}

TEST_F(StakeFileTest, SeekLastDraws) {
    TStakeFile f(File());
    f.Open();
    // Checked stakes of draws 1, 1, 2, (an unchecked stake of 3), 3, separator, 4.
    for (auto r : {CheckedStake(1, 0), CheckedStake(1, 2), CheckedStake(2, 1), Stake(3), CheckedStake(3, 0)})
        f.WriteStakeAt(TStakeOrigin::End, 0, r);
    f.WriteStakeAt(TStakeOrigin::End, 0, SeparatorRecord());
    f.WriteStakeAt(TStakeOrigin::End, 0, CheckedStake(4, 5));
    struct Case {
        int n, counted, start;
    } cases[] = {{1, 1, 5}, {2, 2, 3}, {3, 3, 2}, {4, 4, 0}, {100, 4, 0}, {0, 0, 7}};
    for (const auto& c : cases) {
        int start = -1;
        EXPECT_EQ(f.SeekLastDraws(c.n, start), c.counted) << c.n;
        EXPECT_EQ(start, c.start) << c.n;
    }
}
