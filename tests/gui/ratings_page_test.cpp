// The page "Рейтинг" driven through the real main window: stakes of script lines checked at
// start-up become rating rows (merged into the ratings file read before them), sorting by column
// clicks, the efficiency modes, rows turned into script lines, the refresh and the matches graph,
// and a screenshot of the list.
#include "gui_test_util.h"

#include "core/scripts/script_run.h"
#include "core/stakes/rating_file.h"
#include "core/stakes/stake_file.h"
#include "core/util/atomic_file.h"
#include "core/util/text.h"
#include "gui/ratings/ratings_page.h"
#include "gui/scripts/script_page.h"
#include "gui/stakes/stakes_page.h"
#include "gui/views/form_graph.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineSeries>
#include <QMenu>
#include <QTabWidget>

using namespace velmora;
using namespace velmora::test;

namespace {

TRatingsPage* RatingsPage(TTemplateMain& w) { return w.Page<TRatingsPage>(); }

// Draw k of TenDraws holds k+30, k, k+40, k+10, k+20.
constexpr const char* kLineA = "01.001: @ FULL#RAND + BSF#EVEN:150#CDV:1,2#SV:7";
constexpr const char* kLineB = "02.001: B @ EXCL:3#ALL + TMD#SUMS:20#LMV:10#ST:2";

// Unchecked stakes of kind "Сценарий" as a script test leaves them: a block per draw, each stake
// with the comment of its line and variant.
// The settings: a stake costs 2,00; 4 matches win 50,00.
void WriteScriptStakes() {
    WriteTextLines(ProductFile(".ini"), {"[STAKES]", "Cost=2", "Profits=1", "Profit_0_Overlap=4", "Profit_0_Profit=50"});
    TStakeFile f(StakeFileName());
    f.Open();
    auto stake = [&](int draw, std::array<int, 5> nums, const char* comment) {
        TStakeRecord r;
        r.Kind = skScript;
        r.DrawNumber = draw;
        r.Sample = 1;
        r.Numbers.Count = 5;
        for (int i = 0; i < 5; ++i) r.Numbers.Numbers[i] = uint8_t(nums[size_t(i)]);
        r.Matched.Count = -1;
        r.Profit = -20000;
        r.SetCommentText(comment);
        f.AppendStakes(r, 1);
    };
    for (int draw : {8, 9, 10}) {
        f.AppendSeparatorIfNeeded();
        stake(draw, {draw, draw + 10, 1, 2, 3}, kLineA);                    // 2 matches
        stake(draw, {draw, draw + 10, draw + 20, draw + 30, 4}, kLineB);    // 4 matches
        stake(draw, {5, 6, 7, 45, 46}, "Ставка \"вручную\"");              // none
    }
    stake(11, {1, 2, 3, 4, 5}, kLineA);  // its draw is still to come
}

QStringList Row(TFormMain& w, int row) {
    QStringList out;
    auto* m = RatingsPage(w)->lvRatings->model();
    for (int c = 0; c < m->columnCount(); ++c) out << m->index(row, c).data().toString();
    return out;
}

QStringList Captions(TFormMain& w) {
    QStringList out;
    auto* m = RatingsPage(w)->lvRatings->model();
    for (int r = 0; r < m->rowCount(); ++r) out << m->index(r, 0).data().toString();
    return out;
}

QStringList FileCaptions() {
    TRatingsArray a;
    LoadRatingsFile(RatingsFileName(), a);
    QStringList out;
    for (const auto& r : a) out << QString::fromStdString(r.Comment);
    return out;
}

void SelectRows(TFormMain& w, const QList<int>& rows) {
    auto* v = RatingsPage(w)->lvRatings;
    v->selectionModel()->clearSelection();
    for (int r : rows) v->selectionModel()->select(v->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    w.UpdateCommands();
}

int RowOf(TFormMain& w, const QString& caption) { return int(Captions(w).indexOf(caption)); }

QByteArray FileBytes(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("no file");
}

// What the offer to recompute a damaged ratings file showed.
struct Offer {
    QString Caption, Text, Recompute, Cancel;
    bool CancelPreselected = false;
};

// Answers the next offer with `answer` (Yes: "Пересчитать", No: "Отмена"), then, when more answers
// follow, waits for the next offer.
void AnswerOffers(QList<Offer>* shown, QList<QMessageBox::StandardButton> answers) {
    if (answers.isEmpty()) return;
    OnModal<QMessageBox>([shown, answers](QMessageBox* box) {
        Offer o;
        o.Caption = box->windowTitle();
        o.Text = box->text();
        if (auto* b = box->button(QMessageBox::Yes)) o.Recompute = b->text();
        if (auto* b = box->button(QMessageBox::No)) o.Cancel = b->text();
        o.CancelPreselected = box->defaultButton() == box->button(QMessageBox::No);
        shown->append(o);
        AnswerOffers(shown, answers.mid(1));
        if (QAbstractButton* b = box->button(answers.first())) b->click();
        else box->close();
    });
}

void ClickHeader(TFormMain& w, int column) {
    QHeaderView* h = RatingsPage(w)->lvRatings->horizontalHeader();
    RatingsPage(w)->lvRatings->scrollTo(RatingsPage(w)->lvRatings->model()->index(0, column));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(column) + 5, h->height() / 2));
}

} // namespace

class RatingsPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void ScriptStakesBecomeRows() {
        DataFolder data(TenDraws());
        WriteScriptStakes();
        // A rating kept from stakes deleted long ago, its comment in another letter case: the
        // stakes checked at start merge into it, and it keeps its letters.
        TRatingsArray kept;
        TRatingRecord old;
        old.Comment = "02.001: b @ excl:3#ALL + TMD#SUMS:20#LMV:10#ST:2";
        old.Stakes = 1;
        old.MatchedTotal = 5;
        old.ByMatches[5] = 1;
        old.Profit = 10000000;
        kept.push_back(old);
        SaveRatingsFile(RatingsFileName(), kept);

        auto w = OpenMainWindow();
        QCOMPARE(RatingsPage(*w)->lvRatings->model()->rowCount(), 3);
        QCOMPARE(w->StatusPanelText(5), QString("Рейтинг: 3"));
        // Initial sort: "Среднее" descending.
        QCOMPARE(Captions(*w), (QStringList{QString::fromStdString(old.Comment), kLineA, "Ставка \"вручную\""}));
        QCOMPARE(Row(*w, 0).mid(1, 11),
                 (QStringList{"4", "17", "4,250", "1144,00", "286,00", "0", "0", "0", "0", "3", "1"}));
        QCOMPARE(Row(*w, 1).mid(1, 11), (QStringList{"3", "6", "2,000", "-6,00", "-2,00", "0", "0", "3", "0", "0", "0"}));
        // Mode 1 (the default): the observed share minus chance, in points; then p.
        QCOMPARE(Row(*w, 2)[12], QString("42,336%"));
        QCOMPARE(Row(*w, 2)[18], QString("1,0000"));
        QCOMPARE(Row(*w, 1)[18], QString("0,0012"));
        // What the list shows is what the file holds.
        QCOMPARE(FileCaptions(), Captions(*w));

        // A new draw checks the waiting stake: the rating follows and is saved at once.
        TDrawsArray draws = TenDraws();
        TDrawRecord next = draws.back();
        next.Number = 11;
        const uint8_t nums[5] = {1, 2, 20, 30, 40};
        std::copy(nums, nums + 5, next.Numbers);
        w->Draws().Draws.push_back(next);
        w->NotifyDrawsChanged(true);
        QCOMPARE(Row(*w, RowOf(*w, kLineA)).mid(1, 2), (QStringList{"4", "8"}));
        TRatingsArray saved;
        LoadRatingsFile(RatingsFileName(), saved);
        QCOMPARE(saved[size_t(RowOf(*w, kLineA))].Stakes, 4u);

        // The stake graphs of the selected rows are enabled now.
        QVERIFY(!w->Command("StakesGraphOverlap")->isEnabled());
        SelectRows(*w, {RowOf(*w, kLineA)});
        QVERIFY(w->Command("StakesGraphOverlap")->isEnabled());
        QVERIFY(w->Command("RatingsToScript")->isEnabled());
    }

    // The script engine tests two lines over the last two draws with the window's own archive,
    // combination set and stake page (which checks the stakes): the ratings get a row per line
    // and variant, saved at once, and a row with filters goes back into the script.
    void ScriptTestStakesBecomeRows() {
        DataFolder data(TenDraws());
        // Start lists of ten numbers (252 combinations) keep the passes short.
        WriteTextLines(ProductFile(".ini"), {"[GLOBAL]", "CombsGenerateMode=2", "CombsGenerateParameters=1;2;3;4;5;6;7;8;9;10"});
        auto w = OpenMainWindow();
        QCOMPARE(w->Combs().Count(), 252);
        auto* stakes = w->Page<TStakesPage>();
        TScriptHost host;
        TScriptRunner runner(w->Draws(), w->StatList(), w->Combs(), stakes->File(), host);
        runner.Settings.Generate = w->StoredGenerateParams();
        runner.Settings.CheckStakes = [stakes](TStakeFile&, const TDrawsArchive&, const TStakeCheckOptions&,
                                                TProgressSink&) { stakes->CheckStakes(); };
        runner.Random.seed(7);
        QVERIFY(runner.Test({"FULL:0#RAND| | | | | | | |plain", "", "FULL:0#FIRST|TMF1#NUMS:10;20#CMV:1#SF:0| | | | | | |f"},
                            2));
        QCOMPARE(RatingsPage(*w)->lvRatings->model()->rowCount(), 3);
        QStringList rows = Captions(*w);
        rows.sort();
        QCOMPARE(rows, (QStringList{"01.000: plain @ FULL#RAND", "03.001: f @ FULL#FIRST + TMF#NUMS:10#CMV:1#SF:0",
                                    "03.002: f @ FULL#FIRST + TMF#NUMS:20#CMV:1#SF:0"}));
        for (int r = 0; r < 3; ++r) QCOMPARE(Row(*w, r)[rcStakes], QString("2"));
        QCOMPARE(w->StatusPanelText(5), QString("Рейтинг: 3"));
        QCOMPARE(FileCaptions(), Captions(*w));

        SelectRows(*w, {RowOf(*w, "03.002: f @ FULL#FIRST + TMF#NUMS:20#CMV:1#SF:0")});
        QVERIFY(w->TriggerCommand("RatingsToScript"));
        QCOMPARE(QString::fromStdString(w->Page<TScriptPage>()->Script().Lines().back()),
                 QString("FULL#FIRST|TMF#NUMS:20#CMV:1#SF:0| | | | | | |03.002: f"));
    }

    // A ratings file that cannot be read whole, or holds an entry with impossible counts, is
    // reported at start with the offer to recompute it from the stakes. "Отмена" keeps it byte for
    // byte, also through the check of the stakes at start (which reports it once more);
    // "Пересчитать", at either question, replaces it by the ratings of the checked stakes.
    void DamagedFileOffersRecomputing_data() {
        QTest::addColumn<bool>("partial");
        QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
        QTest::addColumn<bool>("recomputed");
        using B = QList<QMessageBox::StandardButton>;
        QTest::newRow("bad counts, kept") << false << B{QMessageBox::No, QMessageBox::No} << false;
        QTest::newRow("part of an entry, kept") << true << B{QMessageBox::No, QMessageBox::No} << false;
        QTest::newRow("bad counts, recomputed at start") << false << B{QMessageBox::Yes} << true;
        QTest::newRow("part of an entry, recomputed at start") << true << B{QMessageBox::Yes} << true;
        QTest::newRow("bad counts, recomputed after the check") << false << B{QMessageBox::No, QMessageBox::Yes} << true;
        QTest::newRow("part of an entry, recomputed after the check")
            << true << B{QMessageBox::No, QMessageBox::Yes} << true;
    }
    void DamagedFileOffersRecomputing() {
        QFETCH(bool, partial);
        QFETCH(QList<QMessageBox::StandardButton>, answers);
        QFETCH(bool, recomputed);
        DataFolder data(TenDraws());
        WriteScriptStakes();
        TRatingsArray kept;
        TRatingRecord old;
        old.Comment = "Удаленная строка";
        old.Stakes = 2;
        old.MatchedTotal = 1;
        old.ByMatches[1] = partial ? 2 : 1;  // counts that do not add up to the stakes
        old.Profit = -40000;
        kept.push_back(old);
        std::string bytes = RatingsFileBytes(kept);
        if (partial) bytes += bytes.substr(0, 100);
        WriteFileAtomic(RatingsFileName(), bytes);
        const QByteArray before = FileBytes(RatingsFileName());

        QList<Offer> offers;
        AnswerOffers(&offers, answers);
        auto w = OpenMainWindow();
        QCOMPARE(offers.size(), answers.size());
        const QString path = QString::fromStdString(RatingsFileName());
        const QString damage =
            partial ? QString("Файл рейтинга \"%1\" поврежден и сохранен без изменений: Размер файла \"%1\" (396 байт) не "
                              "кратен размеру записи рейтинга (296 байт)").arg(path)
                    : QString("Файл рейтинга \"%1\" поврежден и сохранен без изменений: записей с невозможными "
                              "счетчиками: 1 (первая - запись 1)").arg(path);
        const QString tail = "\n\nРезультаты проверки ставок в него не вносятся, пока рейтинг не будет пересчитан по "
                             "ставкам.\n\nПересчитать рейтинг по ставкам?";
        const QString atLoad = partial ? "Ошибка чтения файла рейтинга!\n\nРазмер файла \"" + path +
                                             "\" (396 байт) не кратен размеру записи рейтинга (296 байт)\n\n" + damage + tail
                                       : damage + tail;
        QCOMPARE(offers[0].Text, atLoad);
        if (offers.size() > 1) QCOMPARE(offers[1].Text, damage + tail);  // the check at start
        for (const Offer& o : offers) {
            QCOMPARE(o.Caption, QString("Ошибка"));
            QCOMPARE(o.Recompute, QString("Пересчитать"));
            QCOMPARE(o.Cancel, QString("Отмена"));
            QVERIFY(o.CancelPreselected);
        }
        // The stakes were checked in every case.
        int checked = 0;
        w->Page<TStakesPage>()->File().ForEachStake([&](int, const TStakeRecord& r) { checked += r.Checked ? 1 : 0; });
        QCOMPARE(checked, 9);

        if (!recomputed) {
            QCOMPARE(FileBytes(RatingsFileName()), before);
            // Sorting shows the list in the new order and still leaves the file alone.
            ClickHeader(*w, rcMatched);
            QCOMPARE(FileBytes(RatingsFileName()), before);
            QCOMPARE(RatingsPage(*w)->Store().Ratings.IndexOfComment("Удаленная строка") >= 0, true);
            return;
        }
        QStringList rows = Captions(*w);
        rows.sort();
        QCOMPARE(rows, (QStringList{kLineA, kLineB, "Ставка \"вручную\""}));
        QCOMPARE(FileCaptions(), Captions(*w));
        TRatingsArray saved;
        LoadRatingsFile(RatingsFileName(), saved);
        for (const TRatingRecord& r : saved) QCOMPARE(r.Stakes, 3u);
        QCOMPARE(w->StatusPanelText(5), QString("Рейтинг: 3"));
    }

    void SortingByColumnClicks() {
        DataFolder data(TenDraws());
        WriteScriptStakes();
        auto w = OpenMainWindow();
        // "Угадано" ascending, then descending.
        ClickHeader(*w, rcMatched);
        QCOMPARE(Captions(*w), (QStringList{"Ставка \"вручную\"", kLineA, kLineB}));
        QCOMPARE(FileCaptions(), Captions(*w));
        ClickHeader(*w, rcMatched);
        QCOMPARE(Captions(*w), (QStringList{kLineB, kLineA, "Ставка \"вручную\""}));
        QCOMPARE(FileCaptions(), Captions(*w));
        // "E2" compares nothing: the order stays.
        ClickHeader(*w, rcEff0 + 2);
        QCOMPARE(Captions(*w), (QStringList{kLineB, kLineA, "Ставка \"вручную\""}));
        // "p": the smallest probability (line B beats chance most) first.
        ClickHeader(*w, rcP);
        QCOMPARE(Captions(*w), (QStringList{kLineB, kLineA, "Ставка \"вручную\""}));
        ClickHeader(*w, rcP);
        QCOMPARE(Captions(*w), (QStringList{"Ставка \"вручную\"", kLineA, kLineB}));

        // The efficiency modes: written at once, the list shows them.
        const int hand = RowOf(*w, "Ставка \"вручную\"");
        QVERIFY(w->TriggerCommand("RatingsEffMode0"));
        QCOMPARE(Row(*w, hand).mid(12, 6), (QStringList{"2", "1", "0", "0", "0", "0"}));
        QVERIFY(w->Command("RatingsEffMode0")->isChecked());
        QVERIFY(!w->Command("RatingsEffMode1")->isChecked());
        QVERIFY(w->TriggerCommand("RatingsEffMode2"));
        QCOMPARE(Row(*w, hand)[12], QString("173,419%"));
        TWindowSettings settings(WindowSettingsFile());
        settings.Load();
        QCOMPARE(settings.ReadInteger("TFormMain", "RatingsEffMode", -1), 2);
    }

    void RowsToScript() {
        DataFolder data(TenDraws());
        WriteScriptStakes();
        auto w = OpenMainWindow();
        auto* script = w->Page<TScriptPage>();
        const int before = script->Script().ScriptLineCount();
        SelectRows(*w, {RowOf(*w, kLineA), RowOf(*w, "Ставка \"вручную\"")});
        ShownBox refused;
        AnswerBox(&refused, QMessageBox::Ok);
        QVERIFY(w->TriggerCommand("RatingsToScript"));
        QCOMPARE(refused.Caption, QString("Ошибка"));
        QCOMPARE(refused.Text, QString("Строку\n\nСтавка \"вручную\"\n\nневозможно добавить в сценарий!"));
        QCOMPARE(script->Script().ScriptLineCount(), before + 1);
        QCOMPARE(QString::fromStdString(script->Script().Lines().back()),
                 QString("FULL#RAND|BSF#EVEN:150#CDV:1,2#SV:7| | | | | | |01.001:"));
        QCOMPARE(w->pcMain->currentWidget(), static_cast<QWidget*>(script));
        // The current script file has the line too.
        QVERIFY(ReadTextLines(TScriptList::CurrentScriptFileName()).back() == script->Script().Lines().back());
    }

    void RefreshGraphAndScreenshot() {
        DataFolder data(TenDraws());
        WriteScriptStakes();
        auto w = OpenMainWindow(QSize(1300, 700));
        // Delete the hand stakes' block of draw 8, then refresh: the rating of the hand stakes
        // loses one stake after the question.
        auto* stakes = w->Page<TStakesPage>();
        stakes->File().DeleteStakesWhere([](int, const TStakeRecord& r) {
            return r.DrawNumber == 8 && r.CommentText() == "Ставка \"вручную\"";
        });
        ShownBox question;
        AnswerBox(&question, QMessageBox::Yes);
        QVERIFY(w->TriggerCommand("RatingsRefresh"));
        QCOMPARE(question.Caption, QString("Подтверждение"));
        QCOMPARE(question.Text, QString("Пересчитать рейтинг только по текущим ставкам?\n\nНакопленные ранее данные по "
                                        "удаленным ставкам будут потеряны."));
        QCOMPARE(Row(*w, RowOf(*w, "Ставка \"вручную\""))[1], QString("2"));

        // Double click: the matches graph with the chance series for the largest row.
        QString caption;
        QList<QPointF> normal, lineB;
        OnModal<TFormGraph>([&](TFormGraph* g) {
            caption = g->windowTitle();
            if (auto* s = g->Series("Нормальные значения")) normal = s->points();
            if (auto* s = g->Series(kLineB)) lineB = s->points();
            g->close();
        });
        w->pcMain->setCurrentWidget(RatingsPage(*w));
        auto* v = RatingsPage(*w)->lvRatings;
        const int row = RowOf(*w, kLineB);
        const QRect rect = v->visualRect(v->model()->index(row, 1));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(QTest::qWaitFor([&] { return !caption.isEmpty(); }));
        QCOMPARE(caption, QString("График количества совпадений для выделенных строк рейтинга"));
        QCOMPARE(normal.size(), 6);
        QVERIFY(qAbs(normal[0].y() - 3 * 1221759.0 / 2118760) < 1e-9);
        QCOMPARE(lineB.size(), 6);
        QCOMPARE(lineB[4].y(), 3.0);

        // The screenshot for a person to look at.
        v->clearSelection();
        v->selectRow(RowOf(*w, kLineA));
        QTest::qWait(50);
        const QString dir = VELMORA_SCREENS;
        QDir().mkpath(dir);
        QVERIFY(w->grab().save(dir + "/ratings.png"));
    }
};

QTEST_MAIN(RatingsPageTest)
#include "ratings_page_test.moc"
