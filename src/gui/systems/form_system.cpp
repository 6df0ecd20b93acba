#include "gui/systems/form_system.h"

#include "core/stakes/system_play.h"
#include "core/stakes/system_store.h"
#include "core/model/data_folder.h"
#include "core/util/error.h"
#include "core/util/format.h"
#include "core/util/text.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace velmora {

namespace {

QLineEdit* Edit(QWidget* parent, const char* name, const QString& hint) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setToolTip(hint);
    e->setStatusTip(hint);
    return e;
}

void ReadOnly(QLineEdit* e) {
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
}

} // namespace

TFormSystem::TFormSystem(QWidget* parent, TTemplateMain* window) : QDialog(parent), window_(window) {
    setObjectName("TFormSystem");
    setWindowTitle(tr("Система"));

    edTitle = Edit(this, "edTitle", tr("Название системы"));
    edNums = Edit(this, "edNums", tr("Количество используемых чисел"));
    edCLen = Edit(this, "edCLen", tr("Длина одной комбинации"));
    ReadOnly(edCLen);
    edOlap = Edit(this, "edOlap", tr("Длина блока"));
    edCSize = Edit(this, "edCSize", tr("Количество комбинаций в списке"));
    ReadOnly(edCSize);
    edDescr = new QPlainTextEdit(this);
    edDescr->setObjectName("edDescr");
    edDescr->setToolTip(tr("Описание системы"));
    edDescr->setStatusTip(edDescr->toolTip());
    edDescr->setTabChangesFocus(true);
    edDescr->setFixedHeight(fontMetrics().lineSpacing() * 4 + 12);
    edAuthor = Edit(this, "edAuthor", tr("Автор системы"));
    edURL = Edit(this, "edURL", tr("Ссылка на интернет-ресурс"));
    btnURL = new QToolButton(this);
    btnURL->setObjectName("btnURL");
    btnURL->setText(QStringLiteral("..."));
    btnURL->setToolTip(tr("Открыть ссылку в браузере"));
    btnURL->setStatusTip(btnURL->toolTip());
    edCreated = Edit(this, "edCreated", tr("Время создания системы"));
    ReadOnly(edCreated);
    edDownloads = Edit(this, "edDownloads", tr("Количество загрузок пользователями"));
    ReadOnly(edDownloads);
    edLastDownload = Edit(this, "edLastDownload", tr("Время последней загрузки"));
    ReadOnly(edLastDownload);
    edCombs = new QPlainTextEdit(this);
    edCombs->setObjectName("edCombs");
    edCombs->setToolTip(tr("Список комбинаций системы"));
    edCombs->setStatusTip(edCombs->toolTip());
    edCombs->setLineWrapMode(QPlainTextEdit::NoWrap);
    edCombs->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont mono = edCombs->font();
    mono.setStyleHint(QFont::Monospace);
    mono.setFamily(QStringLiteral("DejaVu Sans Mono"));
    edCombs->setFont(mono);

    for (QLineEdit* e : {edNums, edCLen, edOlap}) e->installEventFilter(this);
    edCombs->installEventFilter(this);
    connect(edURL, &QLineEdit::textChanged, this, [this] { btnURL->setEnabled(!edURL->text().trimmed().isEmpty()); });
    connect(btnURL, &QToolButton::clicked, this, [this] {
        const QString url = edURL->text().trimmed();
        if (!url.isEmpty()) TTemplateMain::UrlOpener()(QUrl::fromUserInput(url));
    });
    connect(edCombs, &QPlainTextEdit::customContextMenuRequested, this, &TFormSystem::ShowCombsMenu);

    pmCombs = new QMenu(this);
    pmCombs->setObjectName("pmCombs");

    auto* grid = new QGridLayout;
    int row = 0;
    auto label = [this, grid](const QString& text, QWidget* buddy, int r, int c) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        grid->addWidget(l, r, c);
    };
    label(tr("Наименование:"), edTitle, row, 0);
    grid->addWidget(edTitle, row++, 1, 1, 5);
    label(tr("Числа:"), edNums, row, 0);
    grid->addWidget(edNums, row, 1);
    label(tr("Длина:"), edCLen, row, 2);
    grid->addWidget(edCLen, row, 3);
    label(tr("Блок:"), edOlap, row, 4);
    grid->addWidget(edOlap, row++, 5);
    label(tr("Комбинаций:"), edCSize, row, 0);
    grid->addWidget(edCSize, row++, 1);
    label(tr("Описание:"), edDescr, row, 0);
    grid->addWidget(edDescr, row++, 1, 1, 5);
    label(tr("Автор:"), edAuthor, row, 0);
    grid->addWidget(edAuthor, row++, 1, 1, 5);
    label(tr("Ссылка:"), edURL, row, 0);
    auto* urlRow = new QHBoxLayout;
    urlRow->addWidget(edURL, 1);
    urlRow->addWidget(btnURL);
    grid->addLayout(urlRow, row++, 1, 1, 5);
    label(tr("Создана:"), edCreated, row, 0);
    grid->addWidget(edCreated, row, 1);
    label(tr("Загрузок:"), edDownloads, row, 2);
    grid->addWidget(edDownloads, row, 3);
    label(tr("Последняя:"), edLastDownload, row, 4);
    grid->addWidget(edLastDownload, row++, 5);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 2);

    auto* combsLabel = new QLabel(tr("Список комбинаций:"), this);
    combsLabel->setBuddy(edCombs);

    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    btnOK->setObjectName("btnOK");
    btnCancel = buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setToolTip(tr("Закрыть окно"));
    btnCancel->setStatusTip(btnCancel->toolTip());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(combsLabel);
    layout->addWidget(edCombs, 1);
    layout->addWidget(buttons);
    resize(620, 560);
}

void TFormSystem::SetData(const tSystemData& data, bool editable) {
    input_ = data;
    editable_ = editable;
    edTitle->setText(Q(data.Title));
    edNums->setText(QString::number(data.Nums));
    edCLen->setText(QString::number(kSystemCombLength));
    edOlap->setText(QString::number(data.Olap));
    edCSize->setText(QString::number(data.CSize));
    edDescr->setPlainText(Q(data.Descr));
    edAuthor->setText(Q(data.Author));
    edURL->setText(Q(data.URL));
    btnURL->setEnabled(!edURL->text().trimmed().isEmpty());
    edCreated->setText(Q(SystemTimeText(data.Created)));
    edDownloads->setText(QString::number(data.Downloads));
    edLastDownload->setText(Q(SystemTimeText(data.LastDownload)));
    edCombs->setPlainText(Q(data.CList));
    for (QLineEdit* e : {edTitle, edNums, edOlap, edAuthor, edURL}) e->setReadOnly(!editable);
    edDescr->setReadOnly(!editable);
    edCombs->setReadOnly(!editable);
    btnOK->setVisible(editable);
    btnOK->setDefault(editable);
    btnCancel->setDefault(!editable);
    (editable ? static_cast<QWidget*>(edTitle) : btnCancel)->setFocus();
}

// The result: Id and OwnerMail as given; numbers, block, size from the fields (0 for a field that
// is not a number); the texts from the fields; Created read from its field, or now when empty;
// the downloads and the last download from theirs.
tSystemData TFormSystem::Data() const {
    tSystemData d;
    d.Id = input_.Id;
    d.OwnerMail = input_.OwnerMail;
    d.Nums = uint8_t(std::clamp(StrToIntDef(S(edNums->text().trimmed()), 0), 0, 255));
    d.Olap = uint8_t(std::clamp(StrToIntDef(S(edOlap->text().trimmed()), 0), 0, 255));
    d.CSize = StrToIntDef(S(edCSize->text().trimmed()), 0);
    d.Title = S(edTitle->text());
    d.Author = S(edAuthor->text());
    d.Descr = S(edDescr->toPlainText());
    d.URL = S(edURL->text());
    d.CList = S(edCombs->toPlainText());
    try {
        d.Created = ParseSystemTime(S(edCreated->text()));
    } catch (const std::exception&) {
        d.Created = 0;
    }
    if (d.Created == 0) d.Created = Now();
    d.Downloads = StrToIntDef(S(edDownloads->text().trimmed()), 0);
    try {
        d.LastDownload = ParseSystemTime(S(edLastDownload->text()));
    } catch (const std::exception&) {
        d.LastDownload = 0;
    }
    return d;
}

bool TFormSystem::NormaliseCombs() {
    if (!editable_) return true;
    TSystemText norm;
    try {
        std::unique_ptr<TBusy> busy(window_ ? new TBusy(window_) : nullptr);
        norm = NormaliseSystemText(S(edCombs->toPlainText()));
    } catch (const std::exception& e) {
        ShowError(this, MessageText(Q(e.what())));
        return false;
    }
    const QString text = Q(Join(norm.Lines, "\n"));
    if (text != edCombs->toPlainText()) edCombs->setPlainText(text);
    edNums->setText(QString::number(norm.Nums));
    edCSize->setText(QString::number(norm.CSize));
    return true;
}

QWidget* TFormSystem::FieldWidget(int field) const {
    switch (TSystemField(field)) {
        case TSystemField::Title: return edTitle;
        case TSystemField::Nums: return edNums;
        case TSystemField::Olap: return edOlap;
        case TSystemField::Author: return edAuthor;
        case TSystemField::Descr: return edDescr;
        case TSystemField::Combs: return edCombs;
    }
    return edTitle;
}

void TFormSystem::done(int result) {
    if (result == QDialog::Accepted) {
        if (!editable_) return;  // nothing to accept in a system of somebody else
        if (!NormaliseCombs()) {
            edCombs->setFocus();
            return;
        }
        const tSystemData d = Data();
        const auto nums = TryStrToInt(S(edNums->text().trimmed()));
        const auto olap = TryStrToInt(S(edOlap->text().trimmed()));
        try {
            CheckSystemInput(d.Title, nums.value_or(0), olap.value_or(-1), d.Author, d.Descr, d.CList);
            // The lines must be playable over the numbers given (no index beyond them, none twice).
            CheckSystemLines(d.CList, nums.value_or(0));
        } catch (const TSystemInputError& e) {
            ShowError(this, MessageText(tr(e.what())));
            FieldWidget(int(e.Field))->setFocus();
            return;
        }
    }
    QDialog::done(result);
}

bool TFormSystem::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == edNums || watched == edCLen || watched == edOlap)) {
        // Digits, Enter and Esc only; other typed characters are refused with a beep. Keys that
        // type nothing (editing, moving, shortcuts) stay as they are.
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = !text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (typed && !text.at(0).isDigit()) {
            QApplication::beep();
            return true;
        }
    }
    if (watched == edCombs && event->type() == QEvent::FocusOut && editable_ && isVisible()) {
        auto* focus = static_cast<QFocusEvent*>(event);
        // The pop-up menu of the list takes the focus for a moment: no normalisation for it.
        if (focus->reason() != Qt::PopupFocusReason) NormaliseCombs();
    }
    return QDialog::eventFilter(watched, event);
}

void TFormSystem::ShowCombsMenu(const QPoint& pos) {
    pmCombs->clear();
    const bool hasText = !edCombs->toPlainText().isEmpty();
    const QClipboard* clipboard = QApplication::clipboard();
    QAction* copy = pmCombs->addAction(tr("Копировать в буфер обмена"), this,
                                       [this] { QApplication::clipboard()->setText(edCombs->toPlainText()); });
    copy->setEnabled(edCombs->textCursor().hasSelection());
    QAction* paste = pmCombs->addAction(tr("Вставить из буфера обмена"), this, [this] {
        edCombs->setPlainText(QApplication::clipboard()->text());
        NormaliseCombs();
    });
    paste->setEnabled(editable_ && !clipboard->text().isEmpty());
    QAction* all = pmCombs->addAction(tr("Выделить все"), edCombs, &QPlainTextEdit::selectAll);
    all->setEnabled(hasText);
    pmCombs->addSeparator();
    QAction* load = pmCombs->addAction(tr("Загрузить из файла"), this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Загрузить из файла"), {},
                                                          tr("Текстовые файлы (*.txt);;Все файлы (*)"));
        if (path.isEmpty()) return;
        try {
            edCombs->setPlainText(Q(Join(ReadTextLines(S(path)), "\n")));
        } catch (const std::exception& e) {
            ShowError(this, MessageText(Q(e.what())));
            return;
        }
        NormaliseCombs();
    });
    load->setEnabled(editable_);
    QAction* save = pmCombs->addAction(tr("Сохранить в файле"), this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Сохранить в файле"), {},
                                                          tr("Текстовые файлы (*.txt);;Все файлы (*)"));
        if (path.isEmpty()) return;
        try {
            if (IsDataFolderFile(S(path)))
                throw Error(Format(S(tr("Файл \"%s\" принадлежит программе и не может быть перезаписан")), {S(path)}));
            WriteTextLines(S(path), SplitLines(S(edCombs->toPlainText())));
        } catch (const std::exception& e) {
            ShowError(this, MessageText(Q(e.what())));
        }
    });
    save->setEnabled(hasText);
    pmCombs->popup(edCombs->mapToGlobal(pos));
}

} // namespace velmora
