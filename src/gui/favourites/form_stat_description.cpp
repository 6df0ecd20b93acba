#include "gui/favourites/form_stat_description.h"

#include "core/app/languages.h"
#include "core/combs/favourites.h"
#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

namespace velmora {

namespace {

constexpr const char* kSection = "TFormStatDescription";
constexpr QSize kDefaultSize(640, 520);

} // namespace

QString& TFormStatDescription::HelpDir() {
    static QString dir = Q(JoinPath(ExecutableDir(), "help"));
    return dir;
}

TFormStatDescription::TFormStatDescription(TTemplateMain& window, QWidget* parent) : QDialog(parent), window_(window) {
    setObjectName(kSection);
    setWindowTitle(tr("Описание методики расчета"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    wbDescription = new QTextBrowser(this);
    wbDescription->setObjectName("wbDescription");
    wbDescription->setOpenExternalLinks(true);
    // The text of the menus, in the interface language's script (Qt picks the glyphs).
    wbDescription->setFont(QApplication::font("QMenu"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wbDescription);
    resize(kDefaultSize);
    ReadPlacement();
}

void TFormStatDescription::OpenTopic(const QString& file) {
    wbDescription->clear();
    topic_.clear();
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    topic_ = file;
    wbDescription->setSearchPaths({QFileInfo(file).absolutePath()});
    wbDescription->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
}

void TFormStatDescription::ReadPlacement() {
    QScreen* scr = parentWidget() ? parentWidget()->screen() : screen();
    if (!scr) return;
    const QSize size = scr->size();
    const int ppi = int(std::lround(scr->logicalDotsPerInch()));
    const auto p = window_.Settings().ReadPlacement(kSection, size.width(), size.height(), ppi);
    if (!p || !p->HasNormPos) return;
    const QRect r(QPoint(p->NormPos[0], p->NormPos[1]), QPoint(p->NormPos[2] - 1, p->NormPos[3] - 1));
    // A rectangle off the screen (another monitor gone) is not taken.
    if (r.isValid() && scr->availableGeometry().intersects(r)) setGeometry(r);
}

void TFormStatDescription::WritePlacement() {
    QScreen* scr = screen();
    if (!scr) return;
    TWindowPlacement p;
    p.ShowCmd = isMaximized() ? 3 : 1;
    p.PixelsPerInch = int(std::lround(scr->logicalDotsPerInch()));
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    p.NormPos[0] = r.left();
    p.NormPos[1] = r.top();
    p.NormPos[2] = r.left() + r.width();
    p.NormPos[3] = r.top() + r.height();
    p.HasNormPos = true;
    window_.Settings().WritePlacement(kSection, p, scr->size().width(), scr->size().height());
    window_.Settings().Save();
}

void TFormStatDescription::done(int result) {
    try {
        WritePlacement();
    } catch (const std::exception& e) {
        ShowError(this, Q(e.what()));
    }
    QDialog::done(result);
}

void ShowStatDescription(TTemplateMain& window, QWidget* parent, int method) {
    const TStatList& list = window.StatList();
    if (method < 0 || method >= list.Count()) return;
    TFormStatDescription dlg(window, parent);
    dlg.OpenTopic(Q(StatHelpTopicFile(S(TFormStatDescription::HelpDir()), LanguageAbbreviation(CurrentLanguage()),
                                      list.Items(method))));
    dlg.exec();
}

} // namespace velmora
