// The page "Регуляры" driven through the real main window: adding through TFormTable (every refusal
// with its message and the focus on the field at fault, one regular per selected combination), a
// stake by hand cancelled and made, the regular test over three draws into the stake grid and the
// ratings, hiding and showing the page reloading the list from its file, a damaged file reported
// and kept; screenshots of the page and the dialog.
#include "gui_test_util.h"

#include "core/app/window_settings.h"
#include "core/stakes/rating_file.h"
#include "core/stakes/regular_stake.h"
#include "core/stakes/stake_file.h"
#include "core/util/text.h"
#include "gui/combs/form_gen_combs.h"
#include "gui/combs/combs_page.h"
#include "gui/ratings/ratings_page.h"
#include "gui/regulars/form_table.h"
#include "gui/regulars/regulars_model.h"
#include "gui/regulars/regulars_page.h"
#include "gui/scripts/form_test_cnt.h"
#include "gui/stakes/form_stake.h"
#include "gui/stakes/stakes_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace velmora;
using namespace velmora::test;

namespace {

TRegularsPage* RegularsPage(TTemplateMain& w) { return w.Page<TRegularsPage>(); }
TStakesPage* StakesPage(TTemplateMain& w) { return w.Page<TStakesPage>(); }

TRegularStake Regular(const std::string& comment, TCombination start, int step, bool lastDraw = false) {
    TRegularStake r;
    r.SetCommentText(comment);
    r.UseLastDraw = lastDraw ? 1 : 0;
    r.StartComb = start;
    r.CurrentComb = start;
    r.Step = step;
    return r;
}

// Six numbers in the combination list: generation mode 2 over them (six combinations; row 0 is
// 3;13;23;33;43, row 1 3;13;23;33;50, row 2 3;13;23;43;50).
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

QStringList RowTexts(TRegularsPage* page, int row) {
    QStringList out;
    auto* m = page->lvTables->model();
    for (int c = 0; c < m->columnCount(); ++c) out << m->index(row, c).data().toString();
    return out;
}

QStringList AllRows(TRegularsPage* page) {
    QStringList out;
    for (int r = 0; r < page->lvTables->model()->rowCount(); ++r) out << RowTexts(page, r).join('|');
    return out;
}

QByteArray FileBytes(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Screens() {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    return dir;
}

} // namespace

class RegularsPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void AddThroughTheDialog() {
        DataFolder data(TenDraws());
        SaveRegularStakes(RegularStakeFileName(), {Regular("Есть", {1, 2, 3, 4, 5}, 1)});
        auto w = OpenMainWindow(QSize(1100, 700));
        TRegularsPage* page = RegularsPage(*w);
        QCOMPARE(AllRows(page), QStringList{"Есть|1;2;3;4;5|1|1;2;3;4;5|0"});
        QVERIFY(w->pcMain->isTabVisible(w->pcMain->indexOf(page)));
        QCOMPARE(w->pcMain->tabText(w->pcMain->indexOf(page)), QString("Регуляры"));
        GenerateSix(*w);
        SelectCombRows(*w, {2});
        QVERIFY(w->Command("TablesAdd")->isEnabled());

        struct Refusal {
            QString Start, Comment, Message;
            const char* Field;
        };
        const Refusal refusals[] = {
            {"3;13;23;43", "Моя", "Введена некорректная комбинация!", "edCombStart"},
            {"3;13;23;43;51", "Моя", "Введена некорректная комбинация!", "edCombStart"},
            {"3;13;23;43;43", "Моя", "Введена некорректная комбинация!", "edCombStart"},
            {"3;13;23;43;50", "  ", "Необходимо ввести комментарий!", "edComment"},
            {"3;13;23;43;50", "есть", "Запись с таким комментарией уже присутствует в списке!\rВыберите другой комментарий.",
             "edComment"},
        };
        bool checked = false;
        OnModal<TFormTable>([&](TFormTable* dlg) {
            // One selected combination: the constant start shows it and can be edited.
            QCOMPARE(dlg->windowTitle(), QString("Добавление регулярной ставки"));
            QCOMPARE(dlg->edComment->text(), QString("Регулярная ставка"));
            QCOMPARE(dlg->edComment->maxLength(), 64);
            QVERIFY(dlg->rbUseMyComb->isChecked());
            QCOMPARE(dlg->edCombStart->text(), QString("3;13;23;43;50"));
            QVERIFY(dlg->edCombStart->isEnabled());
            QCOMPARE(dlg->edStep->value(), 1);
            QCOMPARE(dlg->edStep->minimum(), -50);
            QCOMPARE(dlg->edStep->maximum(), 50);
            dlg->rbUseLastDraw->setChecked(true);
            QVERIFY(!dlg->edCombStart->isEnabled());
            dlg->rbUseMyComb->setChecked(true);
            for (const Refusal& r : refusals) {
                dlg->edCombStart->setText(r.Start);
                dlg->edComment->setText(r.Comment);
                dlg->edStep->setFocus();
                ShownBox box;
                AnswerBox(&box, QMessageBox::Ok);
                dlg->accept();
                QCOMPARE(box.Caption, QString("Ошибка"));
                QVERIFY2(QString(box.Text).replace(QChar(0x2029), QChar(13)).replace(QChar(10), QChar(13)).startsWith(r.Message), qPrintable(box.Text));
                QVERIFY(dlg->isVisible());
                QCOMPARE(dlg->focusWidget()->objectName(), QString(r.Field));
            }
            dlg->edCombStart->setText("50,3;43 ; 13;23");
            dlg->edComment->setText("Моя");
            dlg->edStep->setValue(-1);
            checked = true;
            dlg->accept();
        });
        w->Command("TablesAdd")->trigger();
        QVERIFY(checked);
        QCOMPARE(AllRows(page), (QStringList{"Есть|1;2;3;4;5|1|1;2;3;4;5|0", "Моя|3;13;23;43;50|-1|3;13;23;43;50|0"}));
        QCOMPARE(LoadRegularStakes(RegularStakeFileName()).Stakes.size(), 2u);

        // Three selected combinations with the constant start: one regular each, named by position.
        SelectCombRows(*w, {0, 1, 2});
        OnModal<TFormTable>([](TFormTable* dlg) {
            QCOMPARE(dlg->edCombStart->text(), QString("{...Выделенные комбинации...}"));
            QVERIFY(!dlg->edCombStart->isEnabled());
            dlg->edComment->setText("X");
            dlg->accept();
        });
        w->Command("TablesAdd")->trigger();
        QCOMPARE(AllRows(page).mid(2), (QStringList{"X (1)|3;13;23;33;43|1|3;13;23;33;43|0",
                                                    "X (2)|3;13;23;33;50|1|3;13;23;33;50|0",
                                                    "X (3)|3;13;23;43;50|1|3;13;23;43;50|0"}));
        QCOMPARE(page->SelectedRows(), (std::vector<int>{2, 3, 4}));
        QCOMPARE(FileBytes(RegularStakeFileName()).size(), 5 * 276);

        // Deleting asks first (No preselected) and rewrites the file.
        ShownBox ask;
        AnswerBox(&ask, QMessageBox::Yes);
        w->Command("TablesDel")->trigger();
        QCOMPARE(ask.Caption, QString("Предупреждение"));
        QVERIFY(ask.NoPreselected);
        QCOMPARE(AllRows(page).size(), 2);
        QCOMPARE(FileBytes(RegularStakeFileName()).size(), 2 * 276);

        // A screenshot of the page and of the dialog.
        w->pcMain->setCurrentWidget(page);
        page->SelectRows({1});
        QVERIFY(page->grab().save(Screens() + "/regulars_page.png"));
        SelectCombRows(*w, {2});
        OnModal<TFormTable>([](TFormTable* dlg) {
            QVERIFY(dlg->grab().save(Screens() + "/regulars_dialog.png"));
            dlg->reject();
        });
        w->Command("TablesAdd")->trigger();
        QCOMPARE(AllRows(page).size(), 2);
    }

    void ManyRegularStakesAskFirst() {
        // One regular per selected combination: past ten thousand the window asks (No
        // preselected), and No makes nothing.
        DataFolder data(TenDraws());
        auto w = OpenMainWindow();
        TRegularsPage* page = RegularsPage(*w);
        auto* v = CombsPage(*w)->lvCombs;
        const int count = int(kManyRegularStakes) + 1;
        QVERIFY(v->model()->rowCount() >= count);
        v->selectionModel()->select(QItemSelection(v->model()->index(0, 0), v->model()->index(count - 1, 0)),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        w->UpdateCommands();
        struct Case {
            QMessageBox::StandardButton answer;
            int rows;
        } cases[] = {{QMessageBox::No, 0}, {QMessageBox::Yes, count}};
        for (const auto& c : cases) {
            OnModal<TFormTable>([](TFormTable* dlg) {
                dlg->edComment->setText("M");
                dlg->accept();
            });
            ShownBox ask;
            AnswerBox(&ask, c.answer);
            w->Command("TablesAdd")->trigger();
            QCOMPARE(ask.Caption, QString("Подтверждение"));
            QVERIFY(ask.NoPreselected);
            QVERIFY2(ask.Text.startsWith("Будет создано 10 001 регулярных ставок"), qPrintable(ask.Text));
            QCOMPARE(AllRows(page).size(), c.rows);
        }
        QCOMPARE(FileBytes(RegularStakeFileName()).size(), qsizetype(count) * 276);
    }

    void StakeByHandCancelledThenMade() {
        DataFolder data(TenDraws());
        SaveRegularStakes(RegularStakeFileName(), {Regular("Моя", {1, 3, 5, 7, 9}, -1)});
        const QByteArray before = FileBytes(RegularStakeFileName());
        auto w = OpenMainWindow();
        TRegularsPage* page = RegularsPage(*w);
        // The stake grid's menu offers the command too.
        QVERIFY(StakesPage(*w)->pmStakes->actions().contains(w->Command("TablesStakeAdd")));
        QVERIFY(!w->Command("TablesStakeAdd")->isEnabled());
        page->SelectRows({0});
        QVERIFY(w->Command("TablesStakeAdd")->isEnabled());

        OnModal<TFormStake>([](TFormStake* dlg) {
            QCOMPARE(dlg->edStakeData->text(), QString("2;4;6;8;50"));
            QCOMPARE(dlg->edDrawNumber->value(), 11);
            QCOMPARE(dlg->edComment->text(), QString("Моя"));
            QCOMPARE(dlg->edDrawsCount->value(), 1);
            dlg->reject();
        });
        w->Command("TablesStakeAdd")->trigger();
        QCOMPARE(AllRows(page), QStringList{"Моя|1;3;5;7;9|-1|1;3;5;7;9|0"});
        QCOMPARE(FileBytes(RegularStakeFileName()), before);
        QCOMPARE(StakesPage(*w)->File().StakeCount(), 0);

        OnModal<TFormStake>([](TFormStake* dlg) { dlg->accept(); });
        w->Command("TablesStakeAdd")->trigger();
        QCOMPARE(AllRows(page), QStringList{"Моя|1;3;5;7;9|-1|2;4;6;8;50|1"});
        QCOMPARE(StakesPage(*w)->File().StakeCount(), 1);
        const TStakeRecord s = StakesPage(*w)->File().ReadStake(TStakeOrigin::Begin, 0);
        QCOMPARE(s.Kind, uint8_t(skRegular));
        QCOMPARE(s.DrawNumber, 11);
        QCOMPARE(QString::fromStdString(NumberSetToText(s.Numbers, ";")), QString("2;4;6;8;50"));
        QCOMPARE(LoadRegularStakes(RegularStakeFileName()).Stakes.front().StakesMade, 1);
    }

    void TestOverThreeDrawsFillsTheStakeGridAndTheRatings() {
        DataFolder data(TenDraws());  // draw k: k+30, k, k+40, k+10, k+20
        SaveRegularStakes(RegularStakeFileName(), {Regular("Шаг", {1, 2, 3, 4, 5}, 1), Regular("Пропуск", {1, 2, 3, 4, 5}, 1),
                                                   Regular("Прошлый", {}, 0, true)});
        auto w = OpenMainWindow();
        TRegularsPage* page = RegularsPage(*w);
        page->SelectRows({0, 2});
        QVERIFY(w->Command("TablesStakeTest")->isEnabled());
        OnModal<TFormTestCnt>([](TFormTestCnt* dlg) {
            QCOMPARE(dlg->edTestCount->maximum(), 9);
            QCOMPARE(dlg->edTestCount->value(), 9);  // 10, bounded by the draws
            dlg->edTestCount->setValue(3);
            dlg->accept();
        });
        w->Command("TablesStakeTest")->trigger();
        QCOMPARE(w->Draws().Offset(), 0);
        QCOMPARE(AllRows(page), (QStringList{"Шаг|1;2;3;4;5|1|4;5;6;7;8|3", "Пропуск|1;2;3;4;5|1|1;2;3;4;5|0",
                                             "Прошлый||0|9;19;29;39;49|3"}));
        // Six stakes for draws 8, 9 and 10, all checked at once.
        TStakeFile& stakes = StakesPage(*w)->File();
        QCOMPARE(stakes.StakeCount(), 6);
        QCOMPARE(StakesPage(*w)->sgStakes->model()->rowCount(), 6);
        QStringList made;
        stakes.ForEachStake([&](int, const TStakeRecord& r) {
            made << QString("%1 %2 %3 %4")
                        .arg(r.DrawNumber)
                        .arg(QString::fromStdString(NumberSetToText(r.Numbers, ";")))
                        .arg(r.Checked)
                        .arg(r.Matched.Count);
        });
        QCOMPARE(made, (QStringList{"8 2;3;4;5;6 1 0", "8 7;17;27;37;47 1 0", "9 3;4;5;6;7 1 0",
                                    "9 8;18;28;38;48 1 0", "10 4;5;6;7;8 1 0", "10 9;19;29;39;49 1 0"}));
        const TRatingsArray& ratings = w->Page<TRatingsPage>()->Store().Ratings;
        for (const char* comment : {"Шаг", "Прошлый"}) {
            const int i = ratings.IndexOfComment(comment);
            QVERIFY2(i >= 0, comment);
            QCOMPARE(ratings[size_t(i)].Stakes, 3u);
        }
        QCOMPARE(ratings.IndexOfComment("Пропуск"), -1);
        QCOMPARE(LoadRegularStakes(RegularStakeFileName()).Stakes[0].StakesMade, 3);
    }

    // "Стоп" of the progress window ends the test between two draws; the offset goes back and the
    // regulars keep what they reached.
    void StopEndsTheTestBetweenDraws() {
        DataFolder data(TenDraws());
        SaveRegularStakes(RegularStakeFileName(), {Regular("Шаг", {1, 2, 3, 4, 5}, 1)});
        auto w = OpenMainWindow();
        w->SetDrawsOffset(1);
        TRegularsPage* page = RegularsPage(*w);
        page->SelectRows({0});
        auto append = page->AddStakeBulk;
        bool progressShown = false;
        page->AddStakeBulk = [&](const TStakeRecord& r, int n, bool bulk) {
            progressShown = w->fmProgress->isVisible();
            w->fmProgress->cancel();  // the user presses "Стоп" while the first draw is made
            return append(r, n, bulk);
        };
        OnModal<TFormTestCnt>([](TFormTestCnt* dlg) {
            dlg->edTestCount->setValue(4);
            dlg->accept();
        });
        ShownBox box;
        AnswerBox(&box, QMessageBox::Ok);
        w->Command("TablesStakeTest")->trigger();
        QVERIFY(progressShown);
        QCOMPARE(box.Caption, QString("Информация"));
        QVERIFY2(box.Text.contains("1"), qPrintable(box.Text));
        QCOMPARE(w->Draws().Offset(), 1);
        QCOMPARE(StakesPage(*w)->File().StakeCount(), 1);
        QCOMPARE(AllRows(page), QStringList{"Шаг|1;2;3;4;5|1|2;3;4;5;6|1"});
        QVERIFY(!w->fmProgress->isVisible());
        QVERIFY(w->Command("TablesStakeTest")->isEnabled());
    }

    void HidingEmptiesShowingReloads() {
        DataFolder data(TenDraws());
        SaveRegularStakes(RegularStakeFileName(), {Regular("А", {1, 2, 3, 4, 5}, 1)});
        auto w = OpenMainWindow();
        TRegularsPage* page = RegularsPage(*w);
        QAction* tab = w->Command("TabTables");
        QVERIFY(tab->isCheckable() && tab->isChecked());
        QCOMPARE(tab->text().remove(QChar(0x26)), QString("Вкладка \"Регуляры\""));
        tab->trigger();
        QVERIFY(!w->pcMain->isTabVisible(w->pcMain->indexOf(page)));
        QCOMPARE(page->lvTables->model()->rowCount(), 0);
        QVERIFY(!w->Command("TablesAdd")->isEnabled());
        TWindowSettings saved(WindowSettingsFile());  // written at once
        saved.Load();
        QCOMPARE(saved.ReadBool("TFormMain", "TabTables", true), false);
        QCOMPARE(LoadRegularStakes(RegularStakeFileName()).Stakes.size(), 1u);  // the file stays
        // The file changes meanwhile: showing the page reads it again.
        SaveRegularStakes(RegularStakeFileName(), {Regular("Б", {6, 7, 8, 9, 10}, 2), Regular("В", {}, 0, true)});
        tab->trigger();
        QVERIFY(w->pcMain->isTabVisible(w->pcMain->indexOf(page)));
        QCOMPARE(w->pcMain->currentWidget(), page);
        QCOMPARE(AllRows(page), (QStringList{"Б|6;7;8;9;10|2|6;7;8;9;10|0", "В||0||0"}));
        saved.Load();
        QCOMPARE(saved.ReadBool("TFormMain", "TabTables", false), true);
    }

    void DamagedFileIsReportedAndKept() {
        DataFolder data(TenDraws());
        SaveRegularStakes(RegularStakeFileName(), {Regular("A", {1, 2, 3, 4, 5}, 1), Regular("B", {1, 2, 3, 4, 5}, 1)});
        QByteArray bytes = FileBytes(RegularStakeFileName());
        bytes[276 + 268] = char(51);  // B's step
        bytes.append("\x01\x02", 2);
        {
            QFile f(QString::fromStdString(RegularStakeFileName()));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        ShownBox box;
        AnswerBox(&box, QMessageBox::Ok);
        auto w = OpenMainWindow();
        QVERIFY(QTest::qWaitFor([&] { return !box.Text.isEmpty(); }));
        QCOMPARE(box.Caption, QString("Внимание!"));
        QVERIFY2(box.Text.contains("2, 3"), qPrintable(box.Text));
        QCOMPARE(AllRows(RegularsPage(*w)), QStringList{"A|1;2;3;4;5|1|1;2;3;4;5|0"});
        QCOMPARE(FileBytes(RegularStakeFileName()), bytes);
    }
};

QTEST_MAIN(RegularsPageTest)
#include "regulars_page_test.moc"
