#include "gui/favourites/form_stat_description.h"

#include "core/app/languages.h"
#include "core/combs/favourites.h"
#include "core/model/data_folder.h"
#include "core/util/atomic_file.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/app/window_placement.h"
#include "gui/help/help_view.h"
#include "core/model/game.h"

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

TFormStatDescription::TFormStatDescription(TTemplateMain& window, QWidget* parent) : QDialog(parent), window_(window) {
    setObjectName(kSection);
    setWindowTitle(tr("Описание методики расчета"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    View = new THelpView(this);
    wbDescription = View->wbHelp;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(View);
    resize(kDefaultSize);
    ReadPlacement();
}

void TFormStatDescription::OpenTopic(const QString& file) {
    topic_ = !file.isEmpty() && QFileInfo(file).isFile() ? file : QString();
    View->OpenPage(topic_, Q(HelpFile()));
}

void TFormStatDescription::ReadPlacement() {
    RestoreWindowPlacement(window_.Settings(), kSection, *this, parentWidget() ? parentWidget()->screen() : screen());
}

void TFormStatDescription::WritePlacement() {
    StoreWindowPlacement(window_.Settings(), kSection, *this);
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
    dlg.OpenTopic(Q(list.Items(method).HelpUrl()));
    dlg.exec();
}

} // namespace velmora
