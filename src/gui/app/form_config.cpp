#include "gui/app/form_config.h"

#include "core/app/config.h"
#include "core/net/catalog_client.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "core/model/data_folder.h"
#include "core/model/game.h"
#include "core/util/format.h"
#include "core/util/ini.h"
#include "core/util/text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QTabWidget>
#include <QToolButton>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr int kSegmentCellWidth = 26;
// The segment grid shows at most this many columns and rows; a larger matrix scrolls.
constexpr int kSegmentVisibleCols = 14;
constexpr int kSegmentVisibleRows = 12;
constexpr int kWeightLimit = 1000000;

// Characters an amount may hold: digits and the locale's decimal separator.
QValidator* AmountValidator(QObject* parent) {
    const QString sep = QRegularExpression::escape(QString(QChar(CurrentNumberFormat().DecimalSeparator)));
    return new QRegularExpressionValidator(QRegularExpression("[0-9" + sep + "]*"), parent);
}

// Cell editors that take only the characters their column allows.
class TValidatedDelegate : public QStyledItemDelegate {
public:
    TValidatedDelegate(bool amount, QObject* parent) : QStyledItemDelegate(parent), amount_(amount) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        auto* editor = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (editor)
            editor->setValidator(amount_ ? AmountValidator(editor)
                                         : new QRegularExpressionValidator(QRegularExpression("[0-9]*"), editor));
        return editor;
    }

private:
    bool amount_;
};

// An amount as typed: ten-thousandths, 0 when it is not a number.
int64_t AmountOf(const QString& text) { return MoneyFromText(S(text)).value_or(0); }

QString AmountText(int64_t money) { return Q(MoneyToText(money)); }

} // namespace

TWeightControls TWeightControls::Create(QWidget* parent) {
    TWeightControls c;
    auto edit = [parent](const char* name) {
        auto* e = new QDoubleSpinBox(parent);
        e->setObjectName(name);
        e->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
        e->setDecimals(3);
        e->setRange(-kWeightLimit, kWeightLimit);
        e->setSingleStep(0.1);
        return e;
    };
    c.Count = edit("edCoefCount");
    c.Deviation = edit("edCoefDeviation");
    c.Level = edit("edCoefLevel");
    const char* captions[3] = {QT_TRANSLATE_NOOP("QObject", "Количество:"), QT_TRANSLATE_NOOP("QObject", "Отклонение:"),
                               QT_TRANSLATE_NOOP("QObject", "Глубина:")};
    for (size_t i = 0; i < 3; ++i) {
        c.Labels[i] = new QLabel(QObject::tr(captions[i]), parent);
        c.Labels[i]->setBuddy(c.Edits()[i]);
    }
    c.Percents = new QCheckBox(QObject::tr("Использовать значения в %"), parent);
    c.Percents->setObjectName("cbCoefPercents");
    c.Abs = new QCheckBox(QObject::tr("Использовать абсолютные значения"), parent);
    c.Abs->setObjectName("cbCoefAbs");
    return c;
}

void TWeightControls::Set(const TRatingWeights& w) const {
    Count->setValue(double(w.Count));
    Deviation->setValue(double(w.Deviation));
    Level->setValue(double(w.Level));
    Percents->setChecked(w.UsePercents);
    Abs->setChecked(w.UseAbsValues);
}

TRatingWeights TWeightControls::Get() const {
    return {Count->value(), Deviation->value(), Level->value(), Percents->isChecked(), Abs->isChecked()};
}

void TWeightControls::SetEnabled(bool on) const {
    for (QWidget* w : std::initializer_list<QWidget*>{Count, Deviation, Level, Percents, Abs}) w->setEnabled(on);
}

TFormConfig::TFormConfig(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormConfig");
    setWindowTitle(tr("Параметры системы"));

    auto* lbMatrix = new QLabel(tr("Размер матрицы:"), this);
    edMatrixCol = new QSpinBox(this);
    edMatrixCol->setObjectName("edMatrixCol");
    edMatrixCol->setRange(kMinMatrixCols, kMaxMatrixCols);
    edMatrixCol->setToolTip(tr("Количество столбцов"));
    lbMatrix->setBuddy(edMatrixCol);
    edMatrixRow = new QSpinBox(this);
    edMatrixRow->setObjectName("edMatrixRow");
    edMatrixRow->setRange(1, kMaxNumber);
    edMatrixRow->setReadOnly(true);
    edMatrixRow->setButtonSymbols(QAbstractSpinBox::NoButtons);
    edMatrixRow->setFocusPolicy(Qt::NoFocus);
    edMatrixRow->setToolTip(tr("Количество строк"));

    auto* lbChannel = new QLabel(tr("Размер канала:"), this);
    edChannelSize = new QSpinBox(this);
    edChannelSize->setObjectName("edChannelSize");
    edChannelSize->setRange(kMinChannelSize, kMaxChannelSize);
    edChannelSize->setToolTip(tr("Ширина канала"));
    lbChannel->setBuddy(edChannelSize);

    auto* lbCost = new QLabel(tr("Стоимость ставки:"), this);
    edCost = new QLineEdit(this);
    edCost->setObjectName("edCost");
    edCost->setValidator(AmountValidator(edCost));
    edCost->setToolTip(tr("Стоимость одной ставки"));
    edCost->setMaximumWidth(110);
    lbCost->setBuddy(edCost);

    auto* lbSegments = new QLabel(tr("Сегменты матрицы:"), this);
    sgSegments = new QTableWidget(this);
    sgSegments->setObjectName("sgSegments");
    sgSegments->horizontalHeader()->hide();
    sgSegments->verticalHeader()->hide();
    sgSegments->horizontalHeader()->setDefaultSectionSize(kSegmentCellWidth);
    sgSegments->horizontalHeader()->setMinimumSectionSize(kSegmentCellWidth);
    sgSegments->verticalHeader()->setDefaultSectionSize(sgSegments->fontMetrics().height() + 6);
    sgSegments->setSelectionMode(QAbstractItemView::SingleSelection);
    sgSegments->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    sgSegments->setItemDelegate(new TValidatedDelegate(false, sgSegments));
    lbSegments->setBuddy(sgSegments);

    auto* lbProfits = new QLabel(tr("Размеры выигрышей:"), this);
    edProfits = new QTableWidget(kProfitRows, 2, this);
    edProfits->setObjectName("edProfits");
    edProfits->setHorizontalHeaderLabels({tr("Совпадений"), tr("Сумма выигрыша")});
    edProfits->verticalHeader()->hide();
    edProfits->horizontalHeader()->setStretchLastSection(true);
    edProfits->horizontalHeader()->setHighlightSections(false);
    edProfits->verticalHeader()->setDefaultSectionSize(edProfits->fontMetrics().height() + 6);
    edProfits->setColumnWidth(0, 100);
    edProfits->setSelectionMode(QAbstractItemView::SingleSelection);
    edProfits->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                               QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    edProfits->setItemDelegateForColumn(1, new TValidatedDelegate(true, edProfits));
    for (int k = 0; k < kProfitRows; ++k) {
        auto* name = new QTableWidgetItem(QString::number(k));
        name->setFlags(Qt::ItemIsEnabled);
        edProfits->setItem(k, 0, name);
        auto* value = new QTableWidgetItem;
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edProfits->setItem(k, 1, value);
    }
    edProfits->setFixedHeight(edProfits->horizontalHeader()->sizeHint().height() +
                              kProfitRows * edProfits->verticalHeader()->defaultSectionSize() + 4);
    lbProfits->setBuddy(edProfits);

    auto* gbWeights = new QGroupBox(tr(" Коэффициенты для поля \"Вес\" "), this);
    gbWeights->setObjectName("gbWeights");
    Coef = TWeightControls::Create(gbWeights);
    auto* weights = new QGridLayout(gbWeights);
    int row = 0;
    for (size_t i = 0; i < 3; ++i, ++row) {
        weights->addWidget(Coef.Labels[i], row, 0);
        weights->addWidget(Coef.Edits()[i], row, 1);
    }
    weights->addWidget(Coef.Percents, row++, 0, 1, 2);
    weights->addWidget(Coef.Abs, row++, 0, 1, 2);
    weights->setColumnStretch(1, 1);

    auto* buttons = OkCancelButtons(this);

    // Left: the matrix, the channel and the segment grid; right: cost, prizes and weights.
    auto* sizes = new QGridLayout;
    sizes->addWidget(lbMatrix, 0, 0);
    auto* matrix = new QHBoxLayout;
    matrix->addWidget(edMatrixCol);
    matrix->addWidget(new QLabel("x", this));
    matrix->addWidget(edMatrixRow);
    matrix->addStretch(1);
    sizes->addLayout(matrix, 0, 1);
    sizes->addWidget(lbChannel, 1, 0);
    sizes->addWidget(edChannelSize, 1, 1, Qt::AlignLeft);
    auto* left = new QVBoxLayout;
    left->addLayout(sizes);
    left->addSpacing(6);
    left->addWidget(lbSegments);
    left->addWidget(sgSegments, 0, Qt::AlignLeft | Qt::AlignTop);
    left->addStretch(1);

    auto* cost = new QHBoxLayout;
    cost->addWidget(lbCost);
    cost->addWidget(edCost);
    cost->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(cost);
    right->addSpacing(6);
    right->addWidget(lbProfits);
    right->addWidget(edProfits);
    right->addSpacing(6);
    right->addWidget(gbWeights);
    // The user's name and e-mail, which the catalog requests carry (section "USER").
    auto* gbUser = new QGroupBox(tr("Пользователь"), this);
    gbUser->setObjectName("gbUser");
    edUserName = new QLineEdit(gbUser);
    edUserName->setObjectName("edUserName");
    edUserName->setMaxLength(64);
    edUserName->setToolTip(tr("Ваше имя: автор систем, которые Вы публикуете в каталоге"));
    edUserName->setStatusTip(edUserName->toolTip());
    edUserMail = new QLineEdit(gbUser);
    edUserMail->setObjectName("edUserMail");
    edUserMail->setMaxLength(128);
    edUserMail->setToolTip(tr("Адрес электронной почты: по нему каталог узнаёт Ваши системы"));
    edUserMail->setStatusTip(edUserMail->toolTip());
    auto* user = new QFormLayout(gbUser);
    user->addRow(tr("Имя:"), edUserName);
    user->addRow(tr("E-mail:"), edUserMail);
    right->addSpacing(6);
    right->addWidget(gbUser);
    right->addStretch(1);

    // The settings of the statistics and stakes on the first page, the web addresses on "Сеть".
    pcConfig = new QTabWidget(this);
    pcConfig->setObjectName("pcConfig");
    auto* general = new QWidget(pcConfig);
    auto* columns = new QHBoxLayout(general);
    columns->addLayout(left, 1);
    columns->addSpacing(12);
    columns->addLayout(right, 0);
    pcConfig->addTab(general, tr("Основные"));
    pcConfig->addTab(CreateWebPage(), tr("Сеть"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcConfig, 1);
    layout->addWidget(buttons);

    connect(edMatrixCol, &QSpinBox::valueChanged, this, &TFormConfig::MatrixColChanged);
    connect(sgSegments, &QTableWidget::cellChanged, this, &TFormConfig::SegmentEdited);
    SetConfig(config_);
}

QWidget* TFormConfig::CreateWebPage() {
    auto* page = new QWidget(pcConfig);
    page->setObjectName("tsWeb");
    auto edit = [page](const char* name, const QString& hint) {
        auto* e = new QLineEdit(page);
        e->setObjectName(name);
        e->setToolTip(hint);
        e->setStatusTip(hint);
        return e;
    };
    edDrawsSite = edit("edDrawsSite", tr("Адрес сайта лотереи, с которого загружаются результаты тиражей "
                                         "(https://...); страница года: адрес + /velmora/arhiv-rezultatov/<год>"));
    edCatalogSite = edit("edCatalogSite", tr("Адрес сервера каталога сценариев и систем (https://...)"));
    edUpdateSite = edit("edUpdateSite", tr("Адрес сервера обновлений программы (https://...)"));
    edCAFile = edit("edCAFile", tr("Файл PEM с сертификатами центров сертификации, которым доверять кроме "
                                   "системных (для своего сервера); пусто: только системные"));
    btnCAFile = new QToolButton(page);
    btnCAFile->setObjectName("btnCAFile");
    btnCAFile->setText("...");
    btnCAFile->setToolTip(tr("Выбрать файл сертификатов"));
    connect(btnCAFile, &QToolButton::clicked, this, [this] {
        const QString start = edCAFile->text().trimmed().isEmpty() ? Q(DataDir()) : edCAFile->text().trimmed();
        QFileDialog dlg(this, tr("Файл сертификатов"), start);
        dlg.setObjectName("OpenDialog");
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setNameFilters({tr("Сертификаты (*.pem *.crt)"), tr("Все файлы (*)")});
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
            edCAFile->setText(dlg.selectedFiles().first());
    });
    edTotalTimeout = new QSpinBox(page);
    edTotalTimeout->setObjectName("edTotalTimeout");
    edTotalTimeout->setRange(kMinTotalTimeoutSec, kMaxTotalTimeoutSec);
    edTotalTimeout->setSuffix(tr(" с"));
    edTotalTimeout->setToolTip(tr("Самое большое время одного запроса целиком, в секундах"));
    auto* caFile = new QHBoxLayout;
    caFile->addWidget(edCAFile, 1);
    caFile->addWidget(btnCAFile);
    auto* form = new QFormLayout(page);
    form->addRow(tr("Сайт результатов тиражей:"), edDrawsSite);
    form->addRow(tr("Сервер каталога:"), edCatalogSite);
    form->addRow(tr("Сервер обновлений:"), edUpdateSite);
    form->addRow(tr("Дополнительные сертификаты:"), caFile);
    form->addRow(tr("Предельное время запроса:"), edTotalTimeout);
    auto* note = new QLabel(tr("Пустое поле адреса означает адрес по умолчанию. Пока адрес сайта результатов "
                               "не указан, загрузка тиражей невозможна."),
                            page);
    note->setWordWrap(true);
    form->addRow(note);
    SetWeb(web_);
    return page;
}

void TFormConfig::SetWeb(const TWebSettings& web) {
    web_ = web;
    edDrawsSite->setText(Q(web.DrawsSite));
    edCatalogSite->setText(Q(web.CatalogSite));
    edUpdateSite->setText(Q(web.UpdateSite));
    edCAFile->setText(Q(web.CAFile));
    edTotalTimeout->setValue(web.TotalTimeoutSec);
}

TWebSettings TFormConfig::Web() const {
    TWebSettings w = web_;  // the proxy list passes through unchanged
    w.DrawsSite = S(edDrawsSite->text());
    w.CatalogSite = S(edCatalogSite->text());
    w.UpdateSite = S(edUpdateSite->text());
    w.CAFile = S(edCAFile->text());
    w.TotalTimeoutSec = edTotalTimeout->value();
    NormalizeWebSettings(w);
    return w;
}

void TFormConfig::SetConfig(const TConfigData& config) {
    config_ = config;
    filling_ = true;
    edMatrixCol->setValue(std::clamp(int(config.MatrixCols), kMinMatrixCols, kMaxMatrixCols));
    edChannelSize->setValue(std::clamp(int(config.ChannelSize), kMinChannelSize, kMaxChannelSize));
    edCost->setText(AmountText(config.Cost));
    const auto rows = ProfitRows(config.Profits);
    for (int k = 0; k < kProfitRows; ++k) edProfits->item(k, 1)->setText(AmountText(rows[size_t(k)]));
    Coef.Set(config.Weights);
    filling_ = false;
    FillSegments(edMatrixCol->value(), config.MatrixSegments);
}

void TFormConfig::FillSegments(int cols, const std::array<uint8_t, 50>& ids) {
    filling_ = true;
    const int rows = GroupCount(kMinNumber, kMaxNumber, cols);
    edMatrixRow->setValue(rows);
    sgSegments->clearContents();
    sgSegments->setColumnCount(cols);
    sgSegments->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const int number = r * cols + c + 1;
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (number <= kMaxNumber) {
                item->setText(QString::number(ids[size_t(number - 1)]));
                item->setToolTip(QString::number(number));
            } else {
                item->setFlags(Qt::NoItemFlags);  // beyond 50: no number, cannot be selected
                item->setBackground(sgSegments->palette().window());
            }
            sgSegments->setItem(r, c, item);
        }
    // The grid is as large as its cells, up to the visible limits.
    const int frame = 2 * sgSegments->frameWidth();
    const int visCols = std::min(cols, kSegmentVisibleCols), visRows = std::min(rows, kSegmentVisibleRows);
    int w = visCols * sgSegments->horizontalHeader()->defaultSectionSize() + frame;
    int h = visRows * sgSegments->verticalHeader()->defaultSectionSize() + frame;
    if (rows > visRows) w += sgSegments->verticalScrollBar()->sizeHint().width();
    if (cols > visCols) h += sgSegments->horizontalScrollBar()->sizeHint().height();
    sgSegments->setFixedSize(w, h);
    filling_ = false;
}

void TFormConfig::MatrixColChanged(int cols) {
    if (filling_) return;
    // The ids belong to the numbers: read them from the old shape, write them into the new one.
    FillSegments(cols, Segments());
}

std::array<uint8_t, 50> TFormConfig::Segments() const {
    std::array<uint8_t, 50> ids{};
    const int cols = sgSegments->columnCount();
    for (int n = 1; n <= kMaxNumber; ++n) {
        const QTableWidgetItem* item = cols > 0 ? sgSegments->item((n - 1) / cols, (n - 1) % cols) : nullptr;
        const auto v = item ? TryStrToInt(S(item->text().trimmed())) : std::nullopt;
        ids[size_t(n - 1)] = v && *v >= 1 && *v <= 9 ? uint8_t(*v) : 1;
    }
    return ids;
}

void TFormConfig::SegmentEdited(int row, int col) {
    if (filling_) return;
    QTableWidgetItem* item = sgSegments->item(row, col);
    if (!item) return;
    const QString text = item->text().trimmed();
    if (text.isEmpty()) return;  // an emptied cell stays empty and counts as 1
    const auto v = TryStrToInt(S(text));
    if (v && *v >= 1 && *v <= 9) return;
    filling_ = true;
    item->setText("1");
    filling_ = false;
    // The message comes once the cell editor has closed, so that it cannot commit again.
    QTimer::singleShot(0, this, [this, text] {
        ShowError(this, Q(Format(S(tr("Некорректное значение: %s!\r\rУкажите любое число от 1 до 9")), {S(text)})));
    });
}

TConfigData TFormConfig::Config() const {
    TConfigData c = config_;  // MaxStake passes through unchanged
    c.MatrixCols = edMatrixCol->value();
    c.ChannelSize = edChannelSize->value();
    c.Cost = AmountOf(edCost->text());
    std::array<int64_t, kProfitRows> rows{};
    for (int k = 0; k < kProfitRows; ++k) rows[size_t(k)] = AmountOf(edProfits->item(k, 1)->text());
    c.Profits = ProfitsFromRows(rows);
    c.Weights = Coef.Get();
    c.MatrixSegments = Segments();
    return c;
}

void TFormConfig::SetUser(const TCatalogUser& user) {
    edUserName->setText(Q(user.Name));
    edUserMail->setText(Q(user.Mail));
}

TCatalogUser TFormConfig::User() const { return {Trim(S(edUserName->text())), Trim(S(edUserMail->text()))}; }

void TFormConfig::done(int result) {
    if (result == QDialog::Accepted) {
        try {
            CheckWebSettings(Web());
        } catch (const TWebInputError& e) {
            pcConfig->setCurrentIndex(1);
            ShowError(this, tr(e.what()));
            QLineEdit* field = e.Field == TWebField::DrawsSite     ? edDrawsSite
                               : e.Field == TWebField::CatalogSite ? edCatalogSite
                               : e.Field == TWebField::UpdateSite  ? edUpdateSite
                                                                   : edCAFile;
            field->setFocus();
            return;
        }
    }
    // Both may stay empty (the catalog asks for them when first used); given, they must be whole.
    const TCatalogUser user = User();
    if (result == QDialog::Accepted && !(user.Name.empty() && user.Mail.empty())) {
        try {
            CheckCatalogUser(user);
        } catch (const std::exception& e) {
            ShowError(this, tr(e.what()));
            (user.Name.empty() ? edUserName : edUserMail)->setFocus();
            return;
        }
    }
    QDialog::done(result);
}

} // namespace velmora
