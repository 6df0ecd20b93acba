// Closing the main window while a long operation runs: the operations handle window events
// between their steps, so the close request and the user's input arrive in the middle of them.
// The close waits for the operation (which is asked to stop), no command, key or click starts
// anything meanwhile, and the window closes afterwards with its files whole.
#include "gui_test_util.h"

#include "core/app/window_settings.h"
#include "core/combs/prefetch.h"
#include "core/util/atomic_file.h"
#include "gui/app/enter_spin_box.h"
#include "gui/combs/form_gen_combs.h"

#include <QAction>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTableView>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace velmora;
using namespace velmora::test;

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// What the window showed when the close came in the middle of the operation.
struct MidOperation {
    bool Reached = false;
    bool Visible = false;
    bool ClosePending = false;
    bool CommandEnabled = true;
    int CombsBefore = -1, CombsAfter = -1;
    int OffsetAfter = -1;
};

// Waits inside the operation until `reached` holds, then tries to start other work (a command
// from code, its key, a double click in the draw list, the offset field) and closes the window.
QTimer* CloseWhen(TFormMain& w, std::function<bool()> reached, MidOperation* seen) {
    auto* timer = new QTimer(&w);
    QObject::connect(timer, &QTimer::timeout, [&w, timer, reached, seen] {
        if (seen->Reached || !reached()) return;
        seen->Reached = true;
        timer->stop();
        // A generation dialog opening now would run a second operation inside the first.
        auto guard = OnModal<TFormGenCombs>([](TFormGenCombs* dlg) {
            ModalFailures() << "the generation dialog opened while the window was busy";
            dlg->reject();
        });
        seen->CommandEnabled = w.Command("CombsGen")->isEnabled();
        seen->CombsBefore = w.Combs().Count();
        w.Command("CombsGen")->trigger();
        QTest::keyClick(CombsPage(w)->lvCombs, Qt::Key_F2);
        QTest::keyClick(CombsPage(w)->lvCombs, Qt::Key_Z, Qt::ControlModifier);
        auto* draws = DrawsPage(w)->lvDraws;
        QTest::mouseDClick(draws->viewport(), Qt::LeftButton, {}, draws->visualRect(draws->model()->index(0, 0)).center());
        QTest::keyClick(DrawsPage(w)->edDrawsOffset, Qt::Key_Up);
        StopModal(guard);
        seen->CombsAfter = w.Combs().Count();
        seen->OffsetAfter = w.Draws().Offset();
        w.close();
        seen->Visible = w.isVisible();
        seen->ClosePending = w.ClosePending();
    });
    timer->start(1);
    return timer;
}

} // namespace

class BusyCloseTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    void CloseDuringDistributionBuild();
    void CloseDuringExclusionOfDraws();
    void IdleCloseStillCloses();
};

// The full-set distribution files are built one after another with the progress window; the close
// stops the build after the file being written, and every file left in the folder is whole.
void BusyCloseTest::CloseDuringDistributionBuild() {
    DataFolder data(TenDraws());
    const std::string archive = ReadBytes(data.ArchiveFile());
    auto w = OpenMainWindow();
    int flagged = 0;
    for (int i = 0; i < w->StatList().Count(); ++i) flagged += w->StatList().TestFlagBit1(i);
    QVERIFY(flagged > 1);

    MidOperation seen;
    CloseWhen(*w, [&] { return w->fmProgress->isVisible() && w->fmProgress->value() > 0; }, &seen);
    w->Command("DrawsStatePrefetchsEnabled")->trigger();

    QVERIFY(seen.Reached);
    // The close was refused while the files were written, and nothing else ran meanwhile.
    QVERIFY(seen.Visible);
    QVERIFY(seen.ClosePending);
    QVERIFY(!seen.CommandEnabled);
    QCOMPARE(seen.CombsAfter, seen.CombsBefore);
    QCOMPARE(seen.OffsetAfter, 0);
    // Then the window closes by itself and frees the data folder.
    QVERIFY(QTest::qWaitFor([&] { return !w->isVisible(); }));
    QVERIFY(!w->OwnsDataFolder());

    // The build stopped early; what it wrote is whole, and no temporary file is left.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(PrefetchDir())) {
        const std::string path = e.path().string();
        if (path == PrefetchManifestFileName()) continue;
        QVERIFY2(path.size() > 4 && path.substr(path.size() - 4) == ".dfc", path.c_str());
        TPrefetchData d;
        QVERIFY2(DecodePrefetch(ReadBytes(path), d), path.c_str());
        ++files;
    }
    QVERIFY(files >= 1);
    QVERIFY(files < flagged);
    QCOMPARE(ReadBytes(data.ArchiveFile()), archive);
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QVERIFY(saved.ReadBool("TFormMain", "PrefetchsEnabled", false));
    QVERIFY(saved.HasKey("TFormMain", "LeftPanelWidth"));

    // The next start finds the folder free and builds what is missing.
    auto again = OpenMainWindow();
    QVERIFY(again->OwnsDataFolder());
}

// Excluding draws shows its progress in the status bar; it has no stop point, so it ends its
// work on the whole set before the window closes.
void BusyCloseTest::CloseDuringExclusionOfDraws() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QCOMPARE(w->Combs().Count(), 2118760);
    CombsPage(*w)->edCombsExclude->setValue(10);

    MidOperation seen;
    CloseWhen(*w, [&] { return w->StatusPanelText(6).contains("завершено"); }, &seen);
    w->Command("CombsDelExists")->trigger();

    QVERIFY(seen.Reached);
    QVERIFY(seen.Visible);
    QVERIFY(seen.ClosePending);
    QVERIFY(!seen.CommandEnabled);
    QCOMPARE(seen.OffsetAfter, 0);
    // The ten draws are out of the set, one log line, nothing else happened.
    QCOMPARE(w->Combs().Count(), 2118760 - 10);
    QCOMPARE(LogLines(*w).size(), 1);
    QVERIFY(QTest::qWaitFor([&] { return !w->isVisible(); }));
    QVERIFY(!w->OwnsDataFolder());
    TWindowSettings saved(WindowSettingsFile());
    saved.Load();
    QCOMPARE(saved.ReadInteger("TFormMain", "DrawsExclude", 0), 10);
}

// Without an operation the close is immediate, as before.
void BusyCloseTest::IdleCloseStillCloses() {
    DataFolder data(TenDraws());
    auto w = OpenMainWindow();
    QVERIFY(w->close());
    QVERIFY(!w->isVisible());
    QVERIFY(!w->ClosePending());
    QVERIFY(!w->OwnsDataFolder());
}

QTEST_MAIN(BusyCloseTest)
#include "busy_close_test.moc"
