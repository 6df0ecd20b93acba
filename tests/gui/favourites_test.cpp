// The favourite statistics through the real main window: the manager's tree and its commands, OK
// and Cancel, the selector offering only the favourites afterwards, showing every statistic again,
// the names import and export, and the description window (F8).
#include "gui_test_util.h"

#include "core/app/window_settings.h"
#include "core/util/ini.h"
#include "gui/app/qt_text.h"
#include "gui/favourites/form_manager.h"
#include "gui/favourites/form_stat_description.h"
#include "gui/help/form_help.h"

#include <QAction>
#include <QCheckBox>
#include <QToolButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::test;

namespace {

QTreeWidgetItem* Node(TFormManager* dlg, TFormMain& w, const char* code) {
    return dlg->MethodNode(w.StatList().IndexOfCode(code));
}

// Codes of the marked method nodes, in tree order.
QStringList Marked(TFormManager* dlg, TFormMain& w) {
    QStringList out;
    for (const auto& n : dlg->FavouriteNodes())
        if (n.Marked) out << Q(w.StatList().Items(n.Method).Code());
    return out;
}

void Click(TFormManager* dlg, QTreeWidgetItem* item) {
    dlg->tvFilters->scrollToItem(item);
    QTest::mouseClick(dlg->tvFilters->viewport(), Qt::LeftButton, {}, dlg->tvFilters->visualItemRect(item).center());
}

void Select(TFormManager* dlg, QTreeWidgetItem* item) {
    dlg->tvFilters->setCurrentItem(item);
    dlg->UpdateCommands();
}

void Run(TFormManager* dlg, const char* command) {
    dlg->UpdateCommands();
    QAction* a = dlg->Command(command);
    QVERIFY2(a && a->isEnabled(), command);
    a->trigger();
}

// Opens the manager with the command and runs body on it; body closes it.
void WithManager(TFormMain& w, std::function<void(TFormManager*)> body) {
    bool ran = false;
    OnModal<TFormManager>([&](TFormManager* dlg) {
        body(dlg);
        ran = true;
        if (dlg->isVisible()) dlg->reject();
    });
    QVERIFY(w.TriggerCommand("FiltersManager"));
    QVERIFY(ran);
}

int SelectorCount(TFormMain& w) { return StatPage(w)->cbDrawsStatType->count(); }

int AvailableCount(const TStatList& list) {
    int n = 0;
    for (int i = 0; i < list.Count(); ++i)
        if (list.IsAvailable(i) && list.CanShowInTable(i)) ++n;
    return n;
}

} // namespace

class FavouritesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void TreeAndItsCommands();
    void OkRestrictsTheSelectors();
    void CancelChangesNothing();
    void NoMarkIsNoRestriction();
    void ResetShowsEveryStatisticKeepingNames();
    void NamesExportAndImport();
    void F8OpensTheDescription();
    void MenuKeysStayWithTheFilters();
};

void FavouritesTest::TreeAndItsCommands() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    WithManager(*w, [&](TFormManager* dlg) {
        const TStatList& list = w->StatList();
        QCOMPARE(dlg->windowTitle(), QString("Менеджер избранных методов расчета статистики"));
        QCOMPARE(dlg->lblCount->text(), QString("всего %1 методов").arg(list.Count()));
        QCOMPARE(dlg->tvFilters->topLevelItem(0)->text(0), QString("{ num } Числа тиража"));
        QCOMPARE(dlg->tvFilters->topLevelItem(0)->child(0)->text(0), QString("Числа тиража"));
        QCOMPARE(int(dlg->FavouriteNodes().size()), list.Count());
        QCOMPARE(Marked(dlg, *w).size(), list.Count());
        // Nothing selected: only the commands on the whole tree and the files.
        dlg->tvFilters->setCurrentItem(nullptr);
        dlg->UpdateCommands();
        for (const char* c : {"GroupNone", "GroupAll", "Info", "Rename", "ResetName"})
            QVERIFY2(!dlg->Command(c)->isEnabled(), c);
        for (const char* c : {"CheckNone", "CheckAll", "NamesImport", "NamesExport"}) QVERIFY2(dlg->Command(c)->isEnabled(), c);

        // A click toggles a method's mark; a group keeps its folder mark.
        QTreeWidgetItem* nums = Node(dlg, *w, "NUMS");
        QTreeWidgetItem* group = nums->parent();
        Click(dlg, nums);
        QVERIFY(!TFormManager::IsMarked(nums));
        Click(dlg, nums);
        QVERIFY(TFormManager::IsMarked(nums));
        Click(dlg, group);
        QCOMPARE(group->data(0, Qt::CheckStateRole), QVariant());
        QCOMPARE(Marked(dlg, *w).size(), list.Count());
        // A double click toggles once.
        dlg->tvFilters->scrollToItem(nums);
        const QPoint at = dlg->tvFilters->visualItemRect(nums).center();
        // What the window system sends for a double click.
        QWidget* viewport = dlg->tvFilters->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QVERIFY(!TFormManager::IsMarked(nums));

        // The group of the selected node (the group node itself or a method's).
        Select(dlg, group);
        QVERIFY(!dlg->Command("Rename")->isEnabled());
        Run(dlg, "GroupNone");
        Select(dlg, Node(dlg, *w, "SUMS"));
        Run(dlg, "GroupNone");
        const int marked = Marked(dlg, *w).size();
        QCOMPARE(marked, list.Count() - group->childCount() - Node(dlg, *w, "SUMS")->parent()->childCount());
        Run(dlg, "GroupAll");
        QCOMPARE(Marked(dlg, *w).size(), marked + Node(dlg, *w, "SUMS")->parent()->childCount());
        Run(dlg, "CheckNone");
        QCOMPARE(Marked(dlg, *w), QStringList());
        Run(dlg, "CheckAll");
        QCOMPARE(Marked(dlg, *w).size(), list.Count());

        // Renaming puts the typed text into the node; "Вернуть" gives the own caption back.
        Select(dlg, nums);
        OnModal<QInputDialog>([](QInputDialog* input) {
            QCOMPARE(input->windowTitle(), QString("Переименование"));
            QCOMPARE(input->labelText(), QString("Введите наименование фильтра:"));
            QCOMPARE(input->textValue(), QString("Числа тиража"));
            input->setTextValue("Мои числа");
            input->accept();
        });
        Run(dlg, "Rename");
        QCOMPARE(nums->text(0), QString("Мои числа"));
        Run(dlg, "ResetName");
        QCOMPARE(nums->text(0), QString("Числа тиража"));
        // Nothing reaches the list before OK.
        QCOMPARE(list.Items(list.IndexOfCode("NUMS")).CustomCaption, std::string());
    });
}

void FavouritesTest::OkRestrictsTheSelectors() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    WithManager(*w, [&](TFormManager* dlg) {
        Run(dlg, "CheckNone");
        Click(dlg, Node(dlg, *w, "SUMS"));
        Click(dlg, Node(dlg, *w, "NUMS"));
        Select(dlg, Node(dlg, *w, "SUMS"));
        OnModal<QInputDialog>([](QInputDialog* input) {
            input->setTextValue("Сумма чисел");
            input->accept();
        });
        Run(dlg, "Rename");
        // The own caption in another case is no caption of its own.
        Select(dlg, Node(dlg, *w, "NUMS"));
        OnModal<QInputDialog>([](QInputDialog* input) {
            input->setTextValue("ЧИСЛА ТИРАЖА");
            input->accept();
        });
        Run(dlg, "Rename");
        dlg->cbShowFlags->setChecked(false);
        dlg->accept();
    });
    const TStatList& list = w->StatList();
    QVERIFY(!list.AllShown);
    QCOMPARE(SelectorCount(*w), 2);
    QCOMPARE(StatPage(*w)->cbDrawsStatType->itemText(0), QString("{ num } Числа тиража"));
    QCOMPARE(StatPage(*w)->cbDrawsStatType->itemText(1), QString("{ sum } Сумма чисел"));
    QCOMPARE(StatPage(*w)->cbDrawsStatType->currentIndex(), 0);
    QVERIFY(StatPage(*w)->lvDrawsStat->model()->rowCount() > 0);
    TIniFile ini(ProductFile(".flt"));
    QCOMPARE(Q(ini.ReadString("FILTERS", "Favorites", "")), QString("NUMS,SUMS"));
    QCOMPARE(Q(ini.ReadString("FILTERS", "ShowMethodFlags", "")), QString("0"));
    QCOMPARE(ini.ReadSection("STRINGS_RUS"), std::vector<std::string>{"SUMS"});

    // The favourites come back with the next start.
    w.reset();
    w = OpenMainWindow();
    QCOMPARE(SelectorCount(*w), 2);
    QCOMPARE(StatPage(*w)->cbDrawsStatType->itemText(1), QString("{ sum } Сумма чисел"));
}

void FavouritesTest::CancelChangesNothing() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    const int before = SelectorCount(*w);
    WithManager(*w, [&](TFormManager* dlg) {
        Run(dlg, "CheckNone");
        Click(dlg, Node(dlg, *w, "NUMS"));
        dlg->cbSortOnName->setChecked(true);
        Node(dlg, *w, "NUMS")->setText(0, "Другое");
        dlg->reject();
    });
    QVERIFY(w->StatList().AllShown);
    QVERIFY(!w->StatList().Ordered);
    QCOMPARE(w->StatList().Items(0).CustomCaption, std::string());
    QCOMPARE(SelectorCount(*w), before);
    QVERIFY(!QFile::exists(Q(ProductFile(".flt"))));
}

void FavouritesTest::NoMarkIsNoRestriction() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    w->StatList().SetFavourites("NUMS");
    w->ReloadStatList();
    QCOMPARE(SelectorCount(*w), 1);
    WithManager(*w, [&](TFormManager* dlg) {
        QCOMPARE(Marked(dlg, *w), QStringList{"NUMS"});
        Run(dlg, "CheckNone");
        dlg->accept();
    });
    QVERIFY(w->StatList().AllShown);
    QCOMPARE(SelectorCount(*w), AvailableCount(w->StatList()));
    // The marks all come back.
    WithManager(*w, [&](TFormManager* dlg) { QCOMPARE(Marked(dlg, *w).size(), w->StatList().Count()); });
}

void FavouritesTest::ResetShowsEveryStatisticKeepingNames() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    w->StatList().SetFavourites("NUMS,SUMS");
    w->StatList().Items(w->StatList().IndexOfCode("SUMS")).CustomCaption = "Сумма чисел";
    w->StatList().Ordered = true;
    w->ReloadStatList();
    QCOMPARE(SelectorCount(*w), 2);

    ShownBox shown;
    AnswerBox(&shown, QMessageBox::No);
    QVERIFY(w->TriggerCommand("FiltersReset"));
    QCOMPARE(shown.Caption, QString("Подтверждение"));
    QCOMPARE(shown.Text, QString("Вы действительно хотите сбросить список избранных фильтров?"));
    QCOMPARE(SelectorCount(*w), 2);

    AnswerBox(nullptr, QMessageBox::Yes);
    QVERIFY(w->TriggerCommand("FiltersReset"));
    QVERIFY(w->StatList().AllShown);
    QVERIFY(w->StatList().Ordered);
    QCOMPARE(SelectorCount(*w), AvailableCount(w->StatList()));
    QVERIFY(StatPage(*w)->cbDrawsStatType->findText("{ sum } Сумма чисел [ NG ]") >= 0);
    TIniFile ini(ProductFile(".flt"));
    QCOMPARE(Q(ini.ReadString("FILTERS", "Favorites", "x")), QString());
    QCOMPARE(Q(ini.ReadString("STRINGS_RUS", "SUMS", "")), QString("Сумма чисел"));
}

void FavouritesTest::NamesExportAndImport() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    const QString names = data.Path("names.flt");
    const QString other = data.Path("other.flt");
    {
        TIniFile ini(S(other));
        ini.WriteString("STRINGS_RUS", "DIGS", "Цифры из файла");
        ini.Save();
    }
    WithManager(*w, [&](TFormManager* dlg) {
        // The export takes the tree's captions, writes every caption and leaves the list alone.
        Node(dlg, *w, "NUMS")->setText(0, "Мои числа");
        ChooseFile(names);
        ShownBox info;
        AnswerBox(&info, QMessageBox::Ok);
        Run(dlg, "NamesExport");
        QCOMPARE(info.Caption, QString("Информация"));
        QCOMPARE(w->StatList().Items(0).CustomCaption, std::string());
        TIniFile ini(S(names));
        QCOMPARE(int(ini.ReadSection("STRINGS_RUS").size()), w->StatList().Count());
        QCOMPARE(Q(ini.ReadString("STRINGS_RUS", "NUMS", "")), QString("Мои числа"));
        QCOMPARE(Q(ini.ReadString("STRINGS_RUS", "DIGS", "")), QString("Цифры тиража"));

        // The import puts the file's captions in force at once and shows them; the marks are the
        // methods' again.
        Click(dlg, Node(dlg, *w, "SUMS"));
        ChooseFile(other);
        Run(dlg, "NamesImport");
        QCOMPARE(Node(dlg, *w, "DIGS")->text(0), QString("Цифры из файла"));
        QCOMPARE(Node(dlg, *w, "NUMS")->text(0), QString("Числа тиража"));
        QVERIFY(TFormManager::IsMarked(Node(dlg, *w, "SUMS")));
        dlg->reject();
    });
    QCOMPARE(w->StatList().Items(w->StatList().IndexOfCode("DIGS")).CustomCaption, std::string("Цифры из файла"));
}

void FavouritesTest::F8OpensTheDescription() {
    DataFolder data(TenDraws());
    QTemporaryDir help;
    QDir(help.path()).mkpath("Numora_RUS");
    {
        QFile f(help.filePath("Numora_RUS/Filters_1049_NUMS.htm"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html><body><h1>Числа тиража</h1><p>Описание метода NUMS</p></body></html>");
    }
    {
        QFile f(help.filePath("Numora_RUS/index.htm"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html><body><h1>Руководство</h1></body></html>");
    }
    HelpFolderOverride() = help.path();
    auto w = OpenMainWindow();
    QCOMPARE(StatPage(*w)->SelectedStatMethod(), w->StatList().IndexOfCode("NUMS"));
    QRect placed;
    bool shown = false;
    OnModal<TFormStatDescription>([&](TFormStatDescription* dlg) {
        QCOMPARE(dlg->windowTitle(), QString("Описание методики расчета"));
        QVERIFY(dlg->wbDescription->toPlainText().contains("Описание метода NUMS"));
        dlg->setGeometry(QRect(40, 50, 500, 400));
        placed = dlg->geometry();
        shown = true;
        dlg->accept();
    });
    w->activateWindow();
    QTest::keyClick(w.get(), Qt::Key_F8);
    QVERIFY(QTest::qWaitFor([&] { return shown; }));

    // A method without a topic: an empty window, in the kept placement.
    StatPage(*w)->cbDrawsStatType->setCurrentIndex(StatPage(*w)->cbDrawsStatType->findData(w->StatList().IndexOfCode("SUMS")));
    shown = false;
    OnModal<TFormStatDescription>([&](TFormStatDescription* dlg) {
        QCOMPARE(dlg->wbDescription->toPlainText(), QString());
        QCOMPARE(dlg->TopicFile(), QString());
        QCOMPARE(dlg->geometry(), placed);
        shown = true;
        dlg->accept();
    });
    QVERIFY(w->TriggerCommand("FiltersInfo"));
    QVERIFY(shown);

    // The manager's "Описание" shows the node's method.
    WithManager(*w, [&](TFormManager* dlg) {
        Select(dlg, Node(dlg, *w, "NUMS"));
        bool described = false;
        OnModal<TFormStatDescription>([&](TFormStatDescription* d) {
            described = d->wbDescription->toPlainText().contains("Описание метода NUMS");
            d->accept();
        });
        Run(dlg, "Info");
        QVERIFY(described);
        if (const char* dir = VELMORA_SCREENS; QDir().mkpath(dir)) dlg->grab().save(QString(dir) + "/favourites_manager.png");
    });
    HelpFolderOverride().clear();
}

void FavouritesTest::MenuKeysStayWithTheFilters() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QAction* manager = w->Command("FiltersManager");
    QVERIFY(manager->shortcut().isEmpty());
    QVERIFY(manager->text().endsWith("\tF7"));
    QVERIFY(w->Command("FiltersReset")->text().endsWith("\tCtrl+F7"));
    QCOMPARE(w->Command("StatFilter_Include")->shortcut(), QKeySequence(Qt::Key_F7));
    QCOMPARE(StatPage(*w)->btnFiltersManager->text(), QString("Избранное"));
    // F7 does not open the manager.
    w->activateWindow();
    QTest::keyClick(w.get(), Qt::Key_F7);
    QTest::qWait(50);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(FavouritesTest)
#include "favourites_test.moc"
