#include "gui/draws/form_draw_info.h"

#include "gui/app/qt_text.h"
#include "core/model/game.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {
constexpr int kCellSize = 30;
constexpr int kShownCells = 10;  // columns and rows of the card shown without scrolling
}

TFormDrawInfo::TFormDrawInfo(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormDrawInfo");
    setWindowTitle(tr("Подробная информация"));

    auto* lbColumns = new QLabel(tr("Количество столбцов:"), this);
    edColumns = new QSpinBox(this);
    edColumns->setObjectName("edColumns");
    edColumns->setRange(1, kMaxNumber);
    lbColumns->setBuddy(edColumns);

    sgCard = new QTableWidget(this);
    sgCard->setObjectName("sgCard");
    sgCard->horizontalHeader()->hide();
    sgCard->verticalHeader()->hide();
    sgCard->horizontalHeader()->setDefaultSectionSize(kCellSize);
    sgCard->verticalHeader()->setDefaultSectionSize(kCellSize);
    sgCard->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgCard->setSelectionMode(QAbstractItemView::NoSelection);
    sgCard->setFocusPolicy(Qt::NoFocus);
    // Around the cells the card shows the window's own background.
    sgCard->setFrameShape(QFrame::NoFrame);
    QPalette pal = sgCard->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    sgCard->setPalette(pal);

    lvProperties = new QTreeWidget(this);
    lvProperties->setObjectName("lvProperties");
    lvProperties->setColumnCount(2);
    lvProperties->setHeaderLabels({tr("Свойство"), tr("Значение")});
    lvProperties->setRootIsDecorated(false);
    lvProperties->setAlternatingRowColors(true);
    // Long captions are elided; the value column always shows.
    lvProperties->header()->setStretchLastSection(false);
    lvProperties->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvProperties->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    lvProperties->setTextElideMode(Qt::ElideRight);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(tr("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The column count above; the card as wide as its cells, and the properties beside it.
    auto* columnsRow = new QHBoxLayout;
    columnsRow->addWidget(lbColumns);
    columnsRow->addWidget(edColumns);
    columnsRow->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(sgCard, 0, Qt::AlignTop);
    body->addWidget(lvProperties, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columnsRow);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    connect(edColumns, &QSpinBox::valueChanged, this, [this] { FillCard(); });
    resize(760, 440);
}

void TFormDrawInfo::FitWidth() {
    // Wide enough for the longest caption and its value, within the screen: beyond it the
    // captions are elided.
    auto* view = static_cast<QAbstractItemView*>(lvProperties);
    const int list = view->sizeHintForColumn(0) + view->sizeHintForColumn(1) + 2 * lvProperties->frameWidth() +
                     lvProperties->verticalScrollBar()->sizeHint().width() + 4;
    const QMargins m = layout()->contentsMargins();
    int w = m.left() + sgCard->width() + layout()->spacing() + list + m.right();
    if (const QScreen* s = screen()) w = std::min(w, s->availableGeometry().width() * 9 / 10);
    resize(std::max(w, width()), height());
}

void TFormDrawInfo::SetDraw(const TDrawRecord& draw, bool withDrawRows, const std::vector<TStatNumberRow>& statRows,
                            int columns, int channelSize) {
    draw_ = draw;
    channelSize_ = channelSize;
    lvProperties->clear();
    auto add = [this](const QString& name, const QString& value) {
        new QTreeWidgetItem(lvProperties, {name, value});
    };
    if (withDrawRows) {
        add(tr("Номер тиража:"), Q(IntToText(draw.Number)));
        add(tr("Дата тиража:"), Q(draw.DateText()));
    }
    for (const auto& r : statRows) add(Q(r.Caption), Q(IntToText(r.Number)));
    const bool same = edColumns->value() == std::clamp(columns, 1, kMaxNumber);
    edColumns->setValue(std::clamp(columns, 1, kMaxNumber));
    if (same) FillCard();
    FitWidth();
}

void TFormDrawInfo::FillCard() {
    const int cols = edColumns->value();
    sgCard->clear();
    sgCard->setColumnCount(cols);
    sgCard->setRowCount(GroupCount(kMinNumber, kMaxNumber, cols));
    for (int m = kMinNumber; m <= kMaxNumber; ++m) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        item->setBackground(BgrColor(NumberColor(m, channelSize_)));
        item->setForeground(Qt::black);
        if (DrawHasNumber(m, draw_)) {
            item->setText(Q(NumberToText(m)));
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
        }
        sgCard->setItem((m - 1) / cols, (m - 1) % cols, item);
    }
    // The card is as wide and high as its cells up to ten of them; beyond, it scrolls.
    const int rows = sgCard->rowCount();
    const int frame = 2 * sgCard->frameWidth();
    const int vbar = rows > kShownCells ? sgCard->verticalScrollBar()->sizeHint().width() : 0;
    const int hbar = cols > kShownCells ? sgCard->horizontalScrollBar()->sizeHint().height() : 0;
    sgCard->setFixedSize(std::min(cols, kShownCells) * kCellSize + frame + vbar,
                         std::min(rows, kShownCells) * kCellSize + frame + hbar);
}

} // namespace velmora
