#include "core/combs/comb_set.h"
#include "core/export/list_tables.h"
#include "core/export/xlsx_export.h"
#include "core/model/data_folder.h"
#include "core/util/error.h"

#include "../temp_dir.h"
#include "../../test_draws.h"
#include "../../xlsx_read.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>

namespace velmora {
namespace {

using test::ReadXlsxSheet;
using test::TReadSheet;
using test::XlsxPart;
using test::XlsxSheetNames;

// The number format code of a cell style of the workbook.
std::string NumberFormatOfStyle(const std::string& file, int style) {
    const std::string xml = XlsxPart(file, "xl/styles.xml");
    size_t p = xml.find("<cellXfs");
    for (int i = 0; i <= style; ++i) p = xml.find("<xf ", p + 1);
    const std::string id = test::XmlAttr(xml.substr(p, xml.find('>', p) - p), "numFmtId");
    if (id == "0") return "General";
    if (id == "1") return "0";
    if (id == "2") return "0.00";
    const size_t f = xml.find("<numFmt numFmtId=\"" + id + "\"");
    return f == std::string::npos ? "?" + id : test::XmlAttr(xml.substr(f, xml.find('>', f) - f), "formatCode");
}

// A three-column table of `rows` rows: a text, an integer and a real with five decimals given as
// the product's text.
TXlsTable SmallTable(int64_t rows) {
    TXlsTable t;
    t.Title = "Проба: таблица";
    t.Columns = {{"Имя", TXlsKind::Text, 0}, {"Количество", TXlsKind::Integer, 0}, {"Доля", TXlsKind::Real, 5}};
    t.RowCount = rows;
    t.Row = [](int64_t r, std::vector<TXlsCell>& cells) {
        cells[0].SetText(r == 1 ? "Длинное значение <&>" : "v" + std::to_string(r));
        cells[1].SetNumber(double(r * 1000));
        cells[2].SetText(r == 2 ? "-" : std::to_string(r) + ",40000");
    };
    return t;
}

class XlsxExportTest : public test::TempDirTest {};

TEST_F(XlsxExportTest, WritesTitleCaptionsNumbersAndTexts) {
    const std::string file = Path("out.xlsx");
    ASSERT_TRUE(ExportXlsx(file, SmallTable(3), NullProgress()));
    EXPECT_EQ(XlsxSheetNames(file), std::vector<std::string>{"Проба таблица"});
    TReadSheet s = ReadXlsxSheet(file, 1);
    EXPECT_EQ(s.Cells["A1"].Text, "Проба: таблица");
    EXPECT_EQ(s.Cells["A2"].Text, "Имя");
    EXPECT_EQ(s.Cells["B2"].Text, "Количество");
    EXPECT_EQ(s.Cells["C2"].Text, "Доля");
    EXPECT_FALSE(s.Cells["A3"].Number);
    EXPECT_EQ(s.Cells["A4"].Text, "Длинное значение <&>");
    ASSERT_TRUE(s.Cells["B4"].Number);
    EXPECT_EQ(s.Cells["B4"].Value, 1000);
    ASSERT_TRUE(s.Cells["C3"].Number);  // "0,40000"
    EXPECT_DOUBLE_EQ(s.Cells["C3"].Value, 0.4);
    EXPECT_EQ(NumberFormatOfStyle(file, s.Cells["C3"].Style), "0.00000");
    EXPECT_EQ(NumberFormatOfStyle(file, s.Cells["B4"].Style), "0");
    EXPECT_FALSE(s.Cells["C5"].Number);  // "-" stays a text
    EXPECT_EQ(s.Cells["C5"].Text, "-");
    EXPECT_EQ(s.Rows(), 5);
    // Caption row frozen, filter over the table, widths fitted (the long text widens column A).
    EXPECT_NE(s.Xml.find("ySplit=\"2\""), std::string::npos);
    EXPECT_NE(s.Xml.find("<autoFilter ref=\"A2:C5\""), std::string::npos);
    const std::string colA = "<col min=\"1\" max=\"1\" width=\"";
    const size_t a = s.Xml.find(colA);
    ASSERT_NE(a, std::string::npos);
    EXPECT_GT(std::atof(s.Xml.c_str() + a + colA.size()), 20.0);
    // Bold captions.
    const std::string styles = XlsxPart(file, "xl/styles.xml");
    EXPECT_NE(styles.find("<b/>"), std::string::npos);
}

TEST_F(XlsxExportTest, SplitsRowsOverSheetsWithTheSameCaptions) {
    const std::string file = Path("split.xlsx");
    TXlsOptions options;
    options.SheetRowLimit = 5;  // title, captions and three rows per sheet
    ASSERT_EQ(XlsSheetCount(7, options), 3);
    ASSERT_TRUE(ExportXlsx(file, SmallTable(7), NullProgress(), options));
    const auto names = XlsxSheetNames(file);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[2], "Проба таблица (3)");
    const int firstRow[] = {0, 3, 6};
    const int rows[] = {3, 3, 1};
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        TReadSheet s = ReadXlsxSheet(file, n);
        EXPECT_EQ(s.Cells["A1"].Text, "Проба: таблица (лист " + std::to_string(n) + " из 3)");
        EXPECT_EQ(s.Cells["B2"].Text, "Количество");
        EXPECT_EQ(s.Rows(), 2 + rows[n - 1]);
        EXPECT_EQ(s.Cells["B3"].Value, firstRow[n - 1] * 1000);
    }
    // A table that fills its sheets exactly takes no empty sheet.
    EXPECT_EQ(XlsSheetCount(6, options), 2);
    EXPECT_EQ(XlsSheetCount(0, options), 1);
}

TEST_F(XlsxExportTest, StopLeavesTheOldFileAndNoTemporaryFile) {
    const std::string file = Path("keep.xlsx");
    std::ofstream(file) << "old";
    struct StopAfter : TProgressSink {
        int polls = 0;
        bool StopRequested() override { return ++polls > 1; }
    } stop;
    EXPECT_FALSE(ExportXlsx(file, SmallTable(10000), stop));
    EXPECT_EQ(std::filesystem::file_size(file), 3u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

// A big table: the bar moves on while the workbook is packed and reaches 100 % when the file is
// whole; a stop during the packing leaves no file behind.
TEST_F(XlsxExportTest, ProgressReachesItsEndWithTheFileAndPackingCanBeStopped) {
    struct Recorder : TProgressSink {
        std::vector<double> percents;
        bool stopWhilePacking = false;
        void Percent(double p) override { percents.push_back(p); }
        bool StopRequested() override { return stopWhilePacking && !percents.empty() && percents.back() >= 60; }
    };
    struct Case {
        const char* name;
        bool stop;
    } cases[] = {{"whole", false}, {"stopped while packing", true}};
    for (const auto& c : cases) {
        const std::string file = Path(std::string(c.stop ? "stopped" : "whole") + ".xlsx");
        Recorder rec;
        rec.stopWhilePacking = c.stop;
        EXPECT_EQ(ExportXlsx(file, SmallTable(200000), rec), !c.stop) << c.name;
        ASSERT_FALSE(rec.percents.empty()) << c.name;
        EXPECT_TRUE(std::is_sorted(rec.percents.begin(), rec.percents.end())) << c.name;
        if (c.stop) {
            EXPECT_FALSE(std::filesystem::exists(file)) << c.name;
        } else {
            EXPECT_EQ(rec.percents.back(), 100.0) << c.name;
            EXPECT_EQ(ReadXlsxSheet(file, 1).Rows(), 200002) << c.name;
        }
    }
    // Nothing but the whole workbook is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(XlsxExportTest, RefusesDataFilesAndReportsUnwritableFolders) {
    const std::string saved = DataDir();
    DataDir() = dir.string();
    EXPECT_THROW(ExportXlsx(ProductFile(".ldr"), SmallTable(1), NullProgress()), Error);
    DataDir() = saved;
    EXPECT_FALSE(std::filesystem::exists(Path("Velmora_5x50.ldr")));
    try {
        ExportXlsx(Path("missing/out.xlsx"), SmallTable(1), NullProgress());
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("missing/out.xlsx"), std::string::npos) << e.what();
    }
}

TEST(ParseNumberText, ProductTexts) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"2,40000", 2.4},  {"2 118 760", 2118760.0}, {"-12", -12.0},   {" 7 ", 7.0},
        {"1\xC2\xA0" "000,5", 1000.5},  {"0.25", 0.25}, {"-", std::nullopt}, {"", std::nullopt},
        {"1-2", std::nullopt}, {"12 34", std::nullopt}, {"1,2,3", std::nullopt}, {"+-1", std::nullopt},
        {"1 000 00", std::nullopt}, {"abc", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseNumberText(c.text), c.value) << c.text;
}

TEST_F(XlsxExportTest, ListTablesOfDrawsAndCombinations) {
    TDrawsArchive archive;
    archive.Draws = test::TenDraws();
    const std::string draws = Path("draws.xlsx");
    ASSERT_TRUE(ExportXlsx(draws, DrawsXlsTable(archive, kDrawsXlsTitle), NullProgress()));
    TReadSheet s = ReadXlsxSheet(draws, 1);
    EXPECT_EQ(s.Cells["A1"].Text, "Архив тиражей");
    EXPECT_EQ(s.Cells["J2"].Text, "Дата тиража");
    EXPECT_EQ(s.Cells["A3"].Value, 10);  // newest first
    EXPECT_EQ(s.Cells["B3"].Value, 40);  // drawn order
    EXPECT_EQ(s.Cells["I3"].Value, 40 + 10 + 50 + 20 + 30);
    EXPECT_EQ(s.Cells["J3"].Text, "2020-01-10");
    EXPECT_EQ(s.Rows(), 12);

    TCombSet combs(100);
    TGenerateParams params;
    params.Mode = kGenerateOnlyMine;
    params.Param = "1;2;3;4;5;6";
    combs.Generate(true, params, NullProgress());
    ASSERT_EQ(combs.Count(), 6);
    const std::string file = Path("combs.xlsx");
    ASSERT_TRUE(ExportXlsx(file, CombsXlsTable(combs, kCombsXlsTitle), NullProgress()));
    s = ReadXlsxSheet(file, 1);
    EXPECT_EQ(s.Cells["A2"].Text, "№ п.п.");
    EXPECT_EQ(s.Cells["G2"].Text, "S");
    EXPECT_EQ(s.Cells["A8"].Value, 6);
    EXPECT_EQ(s.Cells["G3"].Value, combs.At(0)[0] + combs.At(0)[1] + combs.At(0)[2] + combs.At(0)[3] + combs.At(0)[4]);
}

TEST_F(XlsxExportTest, DrawStatsColumnsFollowTheComparison) {
    std::vector<TDrawStatsRow> rows(1);
    rows[0].Cells.fill("-");
    rows[0].Cells[kColValue] = "1-2";
    rows[0].Cells[kColCount] = "12";
    rows[0].Cells[kColCountPct] = "2,40000";
    rows[0].Cells[kColNorm] = "10";
    const std::string file = Path("stats.xlsx");
    ASSERT_TRUE(ExportXlsx(file, DrawStatsXlsTable(rows, false, "Статистика: S"), NullProgress()));
    TReadSheet s = ReadXlsxSheet(file, 1);
    EXPECT_EQ(s.Cells["D2"].Text, "Глубина");  // "Норма" .. "Откл-ие в %" left out
    EXPECT_EQ(s.Cells["A3"].Text, "1-2");
    EXPECT_DOUBLE_EQ(s.Cells["C3"].Value, 2.4);
    ASSERT_TRUE(ExportXlsx(file, DrawStatsXlsTable(rows, true, "Статистика: S"), NullProgress()));
    s = ReadXlsxSheet(file, 1);
    EXPECT_EQ(s.Cells["D2"].Text, "Норма");
    EXPECT_EQ(s.Cells["D3"].Value, 10);
}

} // namespace
} // namespace velmora
