// The page "Ставки" driven through the real main window: a stake from the combination list (double
// click, the stake dialog's checks), a multi-stake, deletion by range and by condition, the profit
// graph, the outdated-file rule at start-up, and a screenshot of the grid.
#include "gui_test_util.h"

#include "core/stakes/rating_file.h"
#include "core/stakes/stake_file.h"
#include "core/util/text.h"
#include "gui/combs/form_gen_combs.h"
#include "gui/stakes/form_multi.h"
#include "gui/stakes/form_stake.h"
#include "gui/stakes/form_stake_filter.h"
#include "gui/ratings/ratings_page.h"
#include "gui/stakes/stakes_page.h"
#include "gui/views/form_graph.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QSpinBox>
#include <QTabWidget>

using namespace velmora;
using namespace velmora::test;

namespace {

TStakesPage* StakesPage(TTemplateMain& w) { return w.Page<TStakesPage>(); }

// Draw k of TenDraws holds k+30, k, k+40, k+10, k+20.
void GenerateSix(TFormMain& w) {
    OnModal<TFormGenCombs>([](TFormGenCombs* dlg) {
        dlg->cbCombsGenerateMode->setCurrentIndex(2);
        dlg->edCombsGenerateParam->setText("3,13,23,33,43,50");
        dlg->cbSaveParameters->setChecked(false);
        dlg->accept();
    });
    w.Command("CombsGen")->trigger();
}

void SelectCombRows(TFormMain& w, const QList<int>& rows) {
    auto* v = CombsPage(w)->lvCombs;
    v->selectionModel()->clearSelection();
    for (int r : rows) v->selectionModel()->select(v->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.isEmpty()) v->selectionModel()->setCurrentIndex(v->model()->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
    w.UpdateCommands();
}

void SelectGridRows(TFormMain& w, int first, int last) {
    auto* g = StakesPage(w)->sgStakes;
    g->selectionModel()->select(QItemSelection(g->model()->index(first, 0), g->model()->index(last, 0)),
                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    w.UpdateCommands();
}

QStringList GridRow(TFormMain& w, int row) {
    QStringList out;
    auto* m = StakesPage(w)->sgStakes->model();
    for (int c = 0; c < m->columnCount(); ++c) out << m->index(row, c).data().toString();
    return out;
}

int Records(TFormMain& w) { return StakesPage(w)->File().StakeCount(); }

// What the stake dialog showed, and what its OK did with a first and a second text.
struct StakeRun {
    QString Number, Data, Comment, Sum;
    int Draws = 0;
    ShownBox Error;
    bool FocusOnData = false;
};

void FillStakeDialog(StakeRun* run, const QString& bad, const QString& good, int draw) {
    OnModal<TFormStake>([=](TFormStake* dlg) {
        run->Number = dlg->edDrawNumber->text();
        run->Data = dlg->edStakeData->text();
        run->Comment = dlg->edComment->text();
        run->Sum = dlg->edStakeSum->text();
        run->Draws = dlg->edDrawsCount->value();
        dlg->edStakeData->setText(bad);
        auto box = AnswerBox(&run->Error, QMessageBox::Ok);
        dlg->accept();
        StopModal(box);
        run->FocusOnData = dlg->isVisible() && dlg->focusWidget() == dlg->edStakeData;
        dlg->edStakeData->setText(good);
        dlg->edDrawNumber->setValue(draw);
        dlg->accept();
        if (dlg->isVisible()) dlg->reject();
    });
}

// A file of stakes of every kind, some checked (won and lost), some not, with separators.
void WriteSampleStakes(const std::string& path) {
    TStakeFile f(path);
    f.Open();
    auto stake = [&](int kind, int draw, std::initializer_list<int> nums, int matched, int64_t profit, const char* comment) {
        TStakeRecord r;
        r.Kind = uint8_t(kind);
        r.DrawNumber = draw;
        r.Sample = 2118760;
        for (int n : nums) r.Numbers.Numbers[r.Numbers.Count++] = uint8_t(n);
        r.Matched.Count = -1;
        r.Profit = profit;
        r.SetCommentText(comment);
        if (matched >= 0) {
            const uint8_t drawn[5] = {uint8_t(draw + 30), uint8_t(draw), uint8_t(draw + 40), uint8_t(draw + 10),
                                      uint8_t(draw + 20)};
            r.Checked = 1;
            std::copy(drawn, drawn + 5, r.DrawNumbers);
            r.Matched.Count = 0;
            for (int n : nums)
                if (std::find(drawn, drawn + 5, n) != drawn + 5) r.Matched.Numbers[r.Matched.Count++] = uint8_t(n);
        }
        f.WriteStakeAt(TStakeOrigin::End, 0, r);
    };
    stake(skManual, 8, {8, 18, 28, 33, 45}, 3, 85000, "Ставка \"вручную\"");
    stake(skManual, 8, {1, 2, 3, 4, 5}, 0, -20000, "Ставка \"вручную\"");
    f.AppendSeparatorIfNeeded();
    stake(skRegular, 9, {9, 19, 20, 21, 22}, 2, -20000, "Регуляр 1");
    stake(skScript, 9, {9, 19, 29, 39, 49}, 4, 980000, "01.001: @ FULL#RAND");
    stake(skSystem, 9, {1, 9, 19, 29, 40, 49}, 4, 900000, "Системная игра для 6 чисел [вся система]: s6");
    f.AppendSeparatorIfNeeded();
    stake(skScript, 11, {2, 12, 22, 32, 42}, -1, -20000, "01.002: @ FULL#RAND");
    stake(skManual, 11, {7, 17, 27, 37, 47}, -1, -20000, "Ставка \"вручную\"");
}

// A prize for five matches only, and two hand stakes: one on draw 3 (33 3 43 13 23, all five
// matched) and one on draw 4 (none of 1 2 3 5 6 matched).
std::pair<TStakeRecord, TStakeRecord> WonAndLostStakes(TTemplateMain& w) {
    TConfigData config = w.StatList().Config;
    config.Profits = ProfitsFromRows({0, 0, 0, 0, 0, 1000000});
    w.ApplyConfig(config);
    TStakeRecord won = HandStakeRecord(nullptr, 3, 0, w.StatList().Config);
    won.Numbers = ParseStakeNumbers("3 13 23 33 43");
    TStakeRecord lost = won;
    lost.DrawNumber = 4;
    lost.Numbers = ParseStakeNumbers("1 2 3 5 6");
    return {won, lost};
}

} // namespace

class StakesPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void StakeFromTheCombinationList() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        QCOMPARE(w->StatusPanelText(4), QString("Ставок: 0"));
        GenerateSix(*w);
        QCOMPARE(w->Combs().Count(), 6);
        // Row 0 is 3 13 23 33 43: draw 3 holds 33 3 43 13 23.
        SelectCombRows(*w, {0});
        StakeRun run;
        FillStakeDialog(&run, "3,13,23,33", "43,13,3;33; 23", 3);
        auto* v = CombsPage(*w)->lvCombs;
        const QRect rect = v->visualRect(v->model()->index(0, 1));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(QTest::qWaitFor([&] { return Records(*w) == 1; }));
        QCOMPARE(run.Number, QString("11"));
        QCOMPARE(run.Data, QString("3;13;23;33;43"));
        QCOMPARE(run.Comment, QString("Ставка \"вручную\""));
        QCOMPARE(run.Sum, QString("115"));
        QCOMPARE(run.Draws, 1);
        QCOMPARE(run.Error.Caption, QString("Ошибка"));
        QCOMPARE(run.Error.Text, QString("Введена некорректная комбинация!\n\nУкажите 5 разных чисел от 1 до 50, "
                                         "разделяя их пробелом, запятой или точкой с запятой, например: 3 7 19 28 44"));
        QVERIFY(run.FocusOnData);
        // Checked at once: draw 3 is in the archive.
        QCOMPARE(GridRow(*w, 0), (QStringList{"3", "Вручную", "3;13;23;33;43", "6", "33;3;43;13;23", "5",
                                               "3 13 23 33 43", "0,00", "Ставка \"вручную\""}));
        QCOMPARE(w->StatusPanelText(4), QString("Ставок: 1"));

        // With no combination selected: the dialog starts empty; Cancel adds nothing.
        SelectCombRows(*w, {});
        QString shownData = "unset";
        OnModal<TFormStake>([&](TFormStake* dlg) {
            shownData = dlg->edStakeData->text();
            dlg->reject();
        });
        QVERIFY(w->TriggerCommand("StakeAdd"));
        QCOMPARE(shownData, QString());
        QCOMPARE(Records(*w), 1);
    }

    void MultiStakeAndDeletions() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        GenerateSix(*w);
        SelectCombRows(*w, {0, 1, 2});
        QString presetComment;
        OnModal<TFormMulti>([&](TFormMulti* dlg) {
            presetComment = dlg->edComment->text();
            dlg->edDrawNumber->setValue(10);
            dlg->edDrawsCount->setValue(2);
            dlg->edComment->setText("мульти");
            dlg->accept();
        });
        QVERIFY(w->TriggerCommand("StakeAddSelected"));
        QCOMPARE(presetComment, QString("Ставка \"вручную\""));
        // Three combinations for draws 10 and 11: 10, sep, 11, then sep, 10, sep, 11 twice.
        QCOMPARE(Records(*w), 11);
        QCOMPARE(w->StatusPanelText(4), QString("Ставок: 6"));  // the separators are no stakes
        // The check has nothing new to do, and says so.
        ShownBox checked;
        AnswerBox(&checked, QMessageBox::Ok);
        QVERIFY(w->TriggerCommand("StakesCheckManual"));
        QCOMPARE(checked.Caption, QString("Информация"));
        QCOMPARE(checked.Text, QString("Новых результатов нет: все ставки, тиражи которых есть в архиве, уже "
                                       "проверены.\n\nСтавок на тиражи, которых еще нет в архиве: 3."));
        QVERIFY(!CombsPage(*w)->lvCombs->selectionModel()->hasSelection());
        QCOMPARE(GridRow(*w, 0).mid(0, 2), (QStringList{"10", "Вручную"}));
        QCOMPARE(GridRow(*w, 0)[4], QString("40;10;50;20;30"));  // draw 10 is in the archive
        QCOMPARE(GridRow(*w, 1), QStringList(QList<QString>(9)));
        QCOMPARE(GridRow(*w, 2)[4], QString());  // draw 11 is not
        QCOMPARE(GridRow(*w, 2)[8], QString("мульти"));

        // Delete grid records 1..2 (the separator and the stake for 11) after the question.
        SelectGridRows(*w, 1, 2);
        ShownBox question;
        AnswerBox(&question, QMessageBox::Yes);
        QVERIFY(w->TriggerCommand("StakeDel"));
        QCOMPARE(question.Caption, QString("Предупреждение"));
        QCOMPARE(question.Text, QString("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
        QVERIFY(question.NoPreselected);
        QCOMPARE(Records(*w), 9);
        QVERIFY(!QFile::exists(QString::fromStdString(StakesPage(*w)->File().TempFileName())));

        // "Менее [ < ]" 1: the unchecked stakes for 11 and the stake without a match go, the
        // separators stay.
        OnModal<TFormStakeFilter>([](TFormStakeFilter* dlg) {
            QCOMPARE(dlg->cbCondition->currentText(), QString("Равно [ = ]"));
            dlg->cbCondition->setCurrentIndex(3);
            dlg->edValue->setValue(1);
            dlg->accept();
        });
        QVERIFY(w->TriggerCommand("StakeFilter"));
        int stakes = 0, separators = 0;
        StakesPage(*w)->File().ForEachStake([&](int, const TStakeRecord& r) {
            if (r.Kind == skSeparator) {
                ++separators;
            } else {
                ++stakes;
                QVERIFY(r.Checked && r.Matched.Count >= 1);
            }
        });
        QCOMPARE(stakes, 2);
        QCOMPARE(separators, 4);
        QCOMPARE(w->StatusPanelText(4), QString("Ставок: 2"));

        // The profit graph opens with its three series.
        QStringList series;
        QString caption;
        OnModal<TFormGraph>([&](TFormGraph* g) {
            caption = g->windowTitle();
            for (const char* name : {"Суммарный профит ставок по тиражу", "Среднее значение", "Накопленное значение"})
                if (g->Series(name)) series << name;
            QVERIFY(g->cbShowMarks->isChecked());
            g->close();
        });
        QVERIFY(w->TriggerCommand("StakesGraphDraws"));
        QCOMPARE(caption, QString("График суммарного профита ставок по тиражам"));
        QCOMPARE(series.size(), 3);

        // Clearing asks with the count, then empties the file; the ratings of the stakes checked
        // then ask whether to be computed anew from no stakes (No keeps them).
        OnModal<QMessageBox>([](QMessageBox* box) {
            AnswerBox(nullptr, QMessageBox::No);
            box->button(QMessageBox::Yes)->click();
        });
        QVERIFY(w->TriggerCommand("StakeClear"));
        QCOMPARE(Records(*w), 0);
        QCOMPARE(StakesPage(*w)->sgStakes->model()->rowCount(), 1);  // one empty row
        QVERIFY(!w->Command("StakeDel")->isEnabled());
    }

    void OutdatedFileAtStart() {
        DataFolder data(TenDraws());
        QFile f(data.Path("Velmora_5x50.lsk"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(313, '\x02'));
        f.close();
        ShownBox warning;
        AnswerBox(&warning, QMessageBox::Ok);
        auto w = OpenMainWindow();
        QCOMPARE(warning.Caption, QString("Внимание!"));
        QVERIFY(warning.Text.startsWith("Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!"));
        QVERIFY(warning.Text.contains("Velmora_5x50.lsk.bak"));
        QCOMPARE(QFile(data.Path("Velmora_5x50.lsk.bak")).size(), 313);
        QCOMPARE(Records(*w), 0);
        QVERIFY(w->Command("StakeAdd")->isEnabled());
        // The window lets go of the stake file when it closes (not when it is destroyed): the next
        // window on the folder opens it without a message.
        w->close();
        QVERIFY(!StakesPage(*w)->File().IsOpen());
        auto again = OpenMainWindow();
        QVERIFY(StakesPage(*again)->File().IsOpen());
        QVERIFY(again->Command("StakeAdd")->isEnabled());
    }

    // "Проверить ставки" tells how many stakes it checked and how many won.
    void CheckCommandSaysWhatItChecked() {
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        TStakeFile& file = StakesPage(*w)->File();
        const auto [won, lost] = WonAndLostStakes(*w);
        TStakeRecord later = won;
        later.DrawNumber = 12;
        file.AppendStakes(won, 1);
        file.AppendSeparatorIfNeeded();
        file.AppendStakes(lost, 1);
        file.AppendStakes(later, 1);
        StakesPage(*w)->RefreshStakeGrid(true, false);
        QCOMPARE(w->StatusPanelText(4), QString("Ставок: 3"));
        ShownBox shown;
        AnswerBox(&shown, QMessageBox::Ok);
        QVERIFY(w->TriggerCommand("StakesCheckManual"));
        QCOMPARE(shown.Text, QString("Проверено ставок: 2, из них выигрышных: 1.\n\nСтавок на тиражи, которых еще "
                                     "нет в архиве: 1."));
    }

    // "Проверить ставки" commits the checked stakes and the ratings as one change: the ratings file
    // holds the stakes it checked, merged into what it held, and no journal is left. A damaged
    // ratings file (an entry whose counts do not add up) is reported with the offer to recompute;
    // "Отмена" leaves it byte for byte as it was, and the check still says what it checked.
    void CheckCommitsTheRatings_data() {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("sound ratings") << false;
        QTest::newRow("damaged ratings") << true;
    }
    void CheckCommitsTheRatings() {
        QFETCH(bool, damaged);
        DataFolder data(TenDraws());
        TRatingsArray kept;
        TRatingRecord old;
        old.Comment = "Удаленная строка";
        old.Stakes = 2;
        old.MatchedTotal = 1;
        old.ByMatches[0] = 1;
        old.ByMatches[1] = damaged ? 0 : 1;
        old.Profit = -40000;
        kept.push_back(old);
        SaveRatingsFile(RatingsFileName(), kept);
        QFile ratingsFile(QString::fromStdString(RatingsFileName()));
        QVERIFY(ratingsFile.open(QIODevice::ReadOnly));
        const QByteArray before = ratingsFile.readAll();
        ratingsFile.close();

        ShownBox atLoad;
        if (damaged) AnswerBox(&atLoad, QMessageBox::No);
        auto w = OpenMainWindow();
        if (damaged) QVERIFY(atLoad.Text.endsWith("Пересчитать рейтинг по ставкам?"));
        TStakeFile& file = StakesPage(*w)->File();
        const auto [won, lost] = WonAndLostStakes(*w);
        file.AppendStakes(won, 1);
        file.AppendStakes(lost, 1);
        StakesPage(*w)->RefreshStakeGrid(true, false);

        ShownBox offer, checked;
        OnModal<QMessageBox>([&](QMessageBox* box) {
            if (damaged) {
                offer.Caption = box->windowTitle();
                offer.Text = box->text();
                AnswerBox(&checked, QMessageBox::Ok);
                box->button(QMessageBox::No)->click();  // "Отмена"
            } else {
                checked.Caption = box->windowTitle();
                checked.Text = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        QVERIFY(w->TriggerCommand("StakesCheckManual"));
        QCOMPARE(checked.Caption, QString("Информация"));
        QCOMPARE(checked.Text, QString("Проверено ставок: 2, из них выигрышных: 1."));
        QCOMPARE(GridRow(*w, 0)[4], QString("33;3;43;13;23"));
        int checkedInFile = 0;
        file.ForEachStake([&](int, const TStakeRecord& r) { checkedInFile += r.Checked ? 1 : 0; });
        QCOMPARE(checkedInFile, 2);
        QVERIFY(!QFile::exists(QString::fromStdString(file.JournalFileName())));

        QVERIFY(ratingsFile.open(QIODevice::ReadOnly));
        const QByteArray after = ratingsFile.readAll();
        ratingsFile.close();
        if (damaged) {
            QCOMPARE(offer.Caption, QString("Ошибка"));
            QVERIFY(offer.Text.startsWith("Файл рейтинга \"" + ratingsFile.fileName() + "\" поврежден"));
            QVERIFY(offer.Text.endsWith("Пересчитать рейтинг по ставкам?"));
            QCOMPARE(after, before);
            return;
        }
        TRatingsArray saved;
        LoadRatingsFile(RatingsFileName(), saved);
        const int hand = saved.IndexOfComment(kHandStakeComment);
        QVERIFY(hand >= 0);
        QCOMPARE(saved[size_t(hand)].Stakes, 2u);
        QCOMPARE(saved[size_t(hand)].ByMatches[5], 1u);
        QCOMPARE(saved[size_t(hand)].ByMatches[0], 1u);
        const int kept0 = saved.IndexOfComment("Удаленная строка");
        QVERIFY(kept0 >= 0);
        QCOMPARE(saved[size_t(kept0)], old);
        // The ratings page shows what the file holds.
        QCOMPARE(w->Page<TRatingsPage>()->Store().Ratings.Items().size(), saved.size());
    }

    void StakesForNewDrawsAreCheckedAtStart() {
        TDrawsArray draws = TenDraws();
        DataFolder data(draws);
        WriteSampleStakes(ProductFile(".lsk"));
        {
            // Unchecked stakes for draw 11 become checked once draw 11 is in the archive at start.
            draws.push_back(MakeDraw(11, {2, 12, 22, 32, 42}));
            TDrawsArchive a;
            a.FileName = ProductFile(".ldr");
            a.Draws = draws;
            a.SaveDraws();
        }
        auto w = OpenMainWindow();
        const TStakeRecord r = StakesPage(*w)->File().ReadStake(TStakeOrigin::End, -2);
        QCOMPARE(int(r.Checked), 1);
        QCOMPARE(r.Matched.Count, 5);
    }

    // By hand (VELMORA_MILLION_STAKES=1): a file of 1 000 000 stakes; prints how long the window
    // takes to start with it and to repaint the grid at random places. Nothing is asserted on time.
    void MillionStakesByHand() {
        if (qEnvironmentVariableIsEmpty("VELMORA_MILLION_STAKES")) QSKIP("run by hand with VELMORA_MILLION_STAKES=1");
        DataFolder data(TenDraws());
        {
            QFile f(QString::fromStdString(ProductFile(".lsk")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            TStakeRecord r;
            r.Kind = skScript;
            r.Sample = 1000;
            r.Numbers = TNumberSet{5, {1, 2, 3, 4, 5}};
            r.Matched.Count = -1;
            r.SetCommentText("01.001: @ FULL#RAND");
            QByteArray block;
            unsigned char raw[kStakeRecordSize];
            for (int i = 0; i < 1000; ++i) {
                r.DrawNumber = 100 + i;  // not in the archive: nothing to check
                WriteStakeRecord(r, raw);
                block.append(reinterpret_cast<const char*>(raw), kStakeRecordSize);
            }
            for (int i = 0; i < 1000; ++i) f.write(block);
        }
        QElapsedTimer t;
        t.start();
        auto w = OpenMainWindow();
        const qint64 start = t.elapsed();
        w->pcMain->setCurrentWidget(StakesPage(*w));
        auto* g = StakesPage(*w)->sgStakes;
        t.restart();
        g->viewport()->repaint();
        const qint64 first = t.elapsed();
        QCOMPARE(Records(*w), 1000000);
        t.restart();
        for (int i = 0; i < 200; ++i) {
            g->verticalScrollBar()->setValue(int((i * 7919LL) % g->verticalScrollBar()->maximum()));
            g->viewport()->repaint();
        }
        qInfo("1 000 000 stakes: window ready %lld ms, first paint %lld ms, %.2f ms per scroll and repaint", start,
              first, t.elapsed() / 200.0);
    }

    void GridScreenshot() {
        DataFolder data(TenDraws());
        WriteSampleStakes(ProductFile(".lsk"));
        auto w = OpenMainWindow();
        w->resize(1200, 560);
        w->pcMain->setCurrentWidget(StakesPage(*w));
        SelectGridRows(*w, 7, 7);
        QApplication::processEvents();
        QCOMPARE(GridRow(*w, 4)[7], QString("98,00"));
        QCOMPARE(GridRow(*w, 7)[7], QString("-2,00"));
        const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
        QDir().mkpath(dir);
        QVERIFY(StakesPage(*w)->grab().save(dir + "/stakes_grid.png"));
        QVERIFY(w->grab().save(dir + "/stakes.png"));
    }
};

QTEST_MAIN(StakesPageTest)
#include "stakes_page_test.moc"
