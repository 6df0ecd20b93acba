#include "gui/scripts/form_scr_rates.h"

#include "core/stakes/system_store.h"
#include "core/util/text.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/qt_text.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora {

TFormScrRates::TFormScrRates(QWidget* parent, const std::vector<tScriptRate>& rates) : QDialog(parent) {
    setObjectName("TFormScrRates");
    setWindowTitle(tr("Оценки пользователей"));
    lvRates = new QTableWidget(int(rates.size()), 6, this);
    lvRates->setObjectName("lvRates");
    lvRates->setHorizontalHeaderLabels(
        {tr("Имя"), tr("Оценка"), tr("Дата"), tr("Программа"), tr("Версия"), tr("Комментарии")});
    lvRates->verticalHeader()->hide();
    lvRates->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvRates->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvRates->setWordWrap(false);
    for (size_t i = 0; i < rates.size(); ++i) {
        const tScriptRate& r = rates[i];
        const QString cells[6] = {Q(r.Name),    Q(IntToStr(r.Rate)), Q(SystemTimeText(r.Created)),
                                  Q(r.AppName), Q(r.AppVer),         Q(r.Notes)};
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 1 || c == 2 || c == 4) item->setTextAlignment(Qt::AlignCenter);
            lvRates->setItem(int(i), c, item);
        }
    }
    // The name, date, program and version at least as wide as their usual texts; the comment takes the rest.
    const int widths[6] = {150, 0, 120, 100, 80, 0};
    lvRates->resizeColumnsToContents();
    for (int c = 0; c < 6; ++c) lvRates->setColumnWidth(c, std::max(lvRates->columnWidth(c), widths[c]));
    lvRates->horizontalHeader()->setStretchLastSection(true);

    btnClose = new QPushButton(tr("Закрыть"), this);
    btnClose->setObjectName("btnClose");
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvRates, 1);
    layout->addLayout(bottom);
    // Wide enough for every column (the comment too) within the screen.
    int total = 2 * lvRates->frameWidth() + lvRates->verticalScrollBar()->sizeHint().width() + 24;
    for (int c = 0; c < 6; ++c) total += lvRates->columnWidth(c);
    int limit = 1200;
    if (const QScreen* screen = parent ? parent->screen() : nullptr) limit = screen->availableGeometry().width() * 9 / 10;
    resize(std::clamp(total, 640, std::max(640, limit)), 360);
    KeepTitleWhole(this);
}

} // namespace velmora
