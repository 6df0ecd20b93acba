#include "gui/favourites/form_manager.h"

#include "core/util/format.h"
#include "gui/app/dialog_buttons.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/template_main.h"
#include "gui/favourites/form_stat_description.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

namespace {

constexpr int kMethodRole = Qt::UserRole;
constexpr int kTreeLeastWidth = 420;
constexpr int kTreeLeastHeight = 360;

} // namespace

TFormManager::TFormManager(TTemplateMain& window, QWidget* parent) : QDialog(parent), window_(window) {
    setObjectName("TFormManager");
    setWindowTitle(tr("Менеджер избранных методов расчета статистики"));
    setSizeGripEnabled(true);

    AddCommand("GroupNone", tr("Сбросить группу"), tr("Снять отметки со всех фильтров группы"),
               &TFormManager::GroupNoneUpdate, &TFormManager::GroupNoneExecute);
    AddCommand("GroupAll", tr("Выбрать группу"), tr("Поставить отметки у всех фильтров группы"),
               &TFormManager::GroupAllUpdate, &TFormManager::GroupAllExecute);
    AddCommand("CheckNone", tr("Сбросить все"), tr("Снять отметки со всех фильтров"), &TFormManager::CheckNoneUpdate,
               &TFormManager::CheckNoneExecute);
    AddCommand("CheckAll", tr("Выбрать все"), tr("Поставить отметки у всех фильтров"), &TFormManager::CheckAllUpdate,
               &TFormManager::CheckAllExecute);
    AddCommand("Info", tr("Описание"), tr("Справочная информация о выделенном методе расчета статистики"),
               &TFormManager::InfoUpdate, &TFormManager::InfoExecute);
    AddCommand("Rename", tr("Переименовать"), tr("Переименовать фильтр"), &TFormManager::RenameUpdate,
               &TFormManager::RenameExecute);
    AddCommand("ResetName", tr("Вернуть"), tr("Вернуть наименование \"по умолчанию\""), &TFormManager::ResetNameUpdate,
               &TFormManager::ResetNameExecute);
    AddCommand("NamesImport", tr("Импорт названий"), tr("Импорт названий фильтров из файла"),
               &TFormManager::NamesImportUpdate, &TFormManager::NamesImportExecute);
    AddCommand("NamesExport", tr("Экспорт названий"), tr("Экспорт названий фильтров в файл"),
               &TFormManager::NamesExportUpdate, &TFormManager::NamesExportExecute);

    lblTitle = new QLabel(tr("Отметьте методы расчета статистики, которые Вы хотите использовать:"), this);
    lblTitle->setObjectName("lblTitle");
    lblTitle->setWordWrap(true);

    tvFilters = new QTreeWidget(this);
    tvFilters->setObjectName("tvFilters");
    tvFilters->setHeaderHidden(true);
    tvFilters->setColumnCount(1);
    tvFilters->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvFilters->setSelectionMode(QAbstractItemView::SingleSelection);
    tvFilters->setUniformRowHeights(true);
    tvFilters->setMinimumSize(kTreeLeastWidth, kTreeLeastHeight);
    // The captions are shown whole; a long one scrolls the tree sideways.
    tvFilters->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tvFilters->header()->setStretchLastSection(false);
    tvFilters->setContextMenuPolicy(Qt::CustomContextMenu);
    // A click on a method node toggles its mark, and so does a double click: the window system
    // sends its first click as a click of its own, the double click then leaves the mark as that
    // click set it, and the release that ends the double click is no click.
    tvFilters->viewport()->installEventFilter(this);
    connect(tvFilters, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (inDoubleClick_) return;
        lastClick_ = {item, IsMarked(item)};
        lastClickTime_.start();
        ToggleMark(item);
    });
    connect(tvFilters, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const bool firstClickHere = lastClick_.first == item && lastClickTime_.isValid() &&
                                    lastClickTime_.elapsed() <= QApplication::doubleClickInterval();
        if (firstClickHere)
            SetMark(item, !lastClick_.second);
        else
            ToggleMark(item);
        lastClick_ = {nullptr, false};
        inDoubleClick_ = true;
    });
    connect(tvFilters, &QTreeWidget::itemSelectionChanged, this, &TFormManager::UpdateCommands);
    connect(tvFilters, &QTreeWidget::currentItemChanged, this, &TFormManager::UpdateCommands);

    pmFilters = new QMenu(this);
    pmFilters->setObjectName("pmFilters");
    for (const char* name : {"GroupNone", "GroupAll", "", "CheckNone", "CheckAll", "", "Info", "Rename", "ResetName", "",
                             "NamesImport", "NamesExport"}) {
        if (*name)
            pmFilters->addAction(Command(name));
        else
            pmFilters->addSeparator();
    }
    connect(tvFilters, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdateCommands();
        pmFilters->exec(tvFilters->viewport()->mapToGlobal(pos));
    });

    lblCount = new QLabel(this);
    lblCount->setObjectName("lblCount");

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    for (const char* name : {"GroupNone", "GroupAll", "", "CheckNone", "CheckAll", "", "Info", "Rename", "ResetName", "",
                             "NamesImport", "NamesExport"}) {
        if (*name)
            buttons->addWidget(CommandButton(name));
        else
            buttons->addSpacing(8);
    }
    buttons->addStretch(1);

    auto* treeRow = new QHBoxLayout;
    auto* treeColumn = new QVBoxLayout;
    treeColumn->addWidget(tvFilters, 1);
    treeColumn->addWidget(lblCount);
    treeRow->addLayout(treeColumn, 1);
    treeRow->addLayout(buttons);

    gbNames = new QGroupBox(tr(" Параметры вывода наименований в списках методов расчета статистики "), this);
    gbNames->setObjectName("gbNames");
    cbSortOnName = new QCheckBox(tr("Сортировать списки по названию метода"), gbNames);
    cbSortOnName->setObjectName("cbSortOnName");
    cbShowGroupName = new QCheckBox(tr("Отображать идентификатор группы { xxx } перед названием метода"), gbNames);
    cbShowGroupName->setObjectName("cbShowGroupName");
    cbShowFlags = new QCheckBox(tr("Отображать особенности метода [ YYY ] после названия метода"), gbNames);
    cbShowFlags->setObjectName("cbShowFlags");
    auto* boxes = new QVBoxLayout(gbNames);
    boxes->addWidget(cbSortOnName);
    boxes->addWidget(cbShowGroupName);
    boxes->addWidget(cbShowFlags);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addLayout(treeRow, 1);
    layout->addWidget(gbNames);
    layout->addWidget(OkCancelButtons(this));
    resize(std::max(sizeHint().width(), 640), std::max(sizeHint().height(), 600));
    KeepTitleWhole(this);
    UpdateCommands();
}

bool TFormManager::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tvFilters->viewport()) {
        // A new press starts a new click.
        if (event->type() == QEvent::MouseButtonPress) inDoubleClick_ = false;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- the dialog's commands --------------------------------------------------------------------

QAction* TFormManager::AddCommand(const char* name, const QString& caption, const QString& hint,
                                  bool (TFormManager::*update)() const, void (TFormManager::*execute)()) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    connect(a, &QAction::triggered, this, [this, update, execute] {
        // The rule is asked again: the selection may have changed since it was last applied.
        if ((this->*update)()) {
            try {
                (this->*execute)();
            } catch (const std::exception& e) {
                ShowError(this, Q(e.what()));
            }
        }
        UpdateCommands();
    });
    commands_.push_back({a, [this, update] { return (this->*update)(); }});
    return a;
}

QAction* TFormManager::Command(const QString& name) const {
    for (const auto& c : commands_)
        if (c.Action->objectName() == name) return c.Action;
    return nullptr;
}

QToolButton* TFormManager::CommandButton(const char* name) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString("btn") + name);
    b->setDefaultAction(Command(name));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

void TFormManager::UpdateCommands() {
    for (const auto& c : commands_) c.Action->setEnabled(c.Update());
}

// ---- the tree ---------------------------------------------------------------------------------

int TFormManager::NodeMethod(const QTreeWidgetItem* item) {
    if (!item) return -1;
    const QVariant v = item->data(0, kMethodRole);
    return v.isValid() ? v.toInt() : -1;
}

bool TFormManager::IsMarked(const QTreeWidgetItem* item) {
    return item && NodeMethod(item) >= 0 && item->checkState(0) == Qt::Checked;
}

void TFormManager::SetMark(QTreeWidgetItem* item, bool marked) {
    if (item && NodeMethod(item) >= 0) item->setCheckState(0, marked ? Qt::Checked : Qt::Unchecked);
}

void TFormManager::ToggleMark(QTreeWidgetItem* item) {
    if (NodeMethod(item) >= 0) SetMark(item, !IsMarked(item));
}

QTreeWidgetItem* TFormManager::MethodNode(int method) const {
    for (int g = 0; g < tvFilters->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = tvFilters->topLevelItem(g);
        for (int k = 0; k < group->childCount(); ++k)
            if (NodeMethod(group->child(k)) == method) return group->child(k);
    }
    return nullptr;
}

void TFormManager::FillFavouritesTree() {
    TBusy busy(&window_);
    window_.SetStatusText(tr("Подождите пожалуйста..."));
    const TStatList& list = window_.StatList();
    tvFilters->clear();
    lblCount->setText(Q(Format(S(tr("всего %d методов")), {list.Count()})));
    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    for (const auto& group : FavouritesTree(list)) {
        auto* g = new QTreeWidgetItem(tvFilters, {Q(group.Caption)});
        g->setIcon(0, folder);
        g->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        for (int i : group.Methods) {
            const TStatMethod& m = list.Items(i);
            auto* node = new QTreeWidgetItem(g, {Q(m.Caption())});
            node->setData(0, kMethodRole, i);
            // The mark is the dialog's to toggle (a click on the node), not the indicator's.
            node->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            node->setCheckState(0, m.Visible ? Qt::Checked : Qt::Unchecked);
        }
    }
    tvFilters->expandAll();
    window_.SetStatusText(QString());
    UpdateCommands();
}

std::vector<TFavouriteNode> TFormManager::FavouriteNodes() const {
    std::vector<TFavouriteNode> nodes;
    for (int g = 0; g < tvFilters->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = tvFilters->topLevelItem(g);
        for (int k = 0; k < group->childCount(); ++k) {
            QTreeWidgetItem* node = group->child(k);
            nodes.push_back({NodeMethod(node), IsMarked(node), S(node->text(0))});
        }
    }
    return nodes;
}

void TFormManager::ApplyFavouritesTree(bool withMarks) {
    velmora::ApplyFavouritesTree(window_.StatList(), FavouriteNodes(), withMarks);
}

TFavouriteFlags TFormManager::Flags() const {
    return {cbSortOnName->isChecked(), cbShowGroupName->isChecked(), cbShowFlags->isChecked()};
}

void TFormManager::SetFlags(const TFavouriteFlags& flags) {
    cbSortOnName->setChecked(flags.Ordered);
    cbShowGroupName->setChecked(flags.ShowGroupName);
    cbShowFlags->setChecked(flags.ShowMethodFlags);
}

QTreeWidgetItem* TFormManager::SelectedMethodNode() const {
    QTreeWidgetItem* item = tvFilters->currentItem();
    return item && item->isSelected() && NodeMethod(item) >= 0 ? item : nullptr;
}

QTreeWidgetItem* TFormManager::SelectedGroupNode() const {
    QTreeWidgetItem* item = tvFilters->currentItem();
    if (!item || !item->isSelected()) return nullptr;
    return item->parent() ? item->parent() : item;
}

void TFormManager::MarkGroup(QTreeWidgetItem* group, bool marked) {
    if (!group) return;
    for (int k = 0; k < group->childCount(); ++k) SetMark(group->child(k), marked);
}

void TFormManager::MarkAll(bool marked) {
    for (int g = 0; g < tvFilters->topLevelItemCount(); ++g) MarkGroup(tvFilters->topLevelItem(g), marked);
}

bool TFormManager::GroupNoneUpdate() const { return SelectedGroupNode() != nullptr; }
void TFormManager::GroupNoneExecute() { MarkGroup(SelectedGroupNode(), false); }
bool TFormManager::GroupAllUpdate() const { return SelectedGroupNode() != nullptr; }
void TFormManager::GroupAllExecute() { MarkGroup(SelectedGroupNode(), true); }
bool TFormManager::CheckNoneUpdate() const { return tvFilters->topLevelItemCount() > 0; }
void TFormManager::CheckNoneExecute() { MarkAll(false); }
bool TFormManager::CheckAllUpdate() const { return tvFilters->topLevelItemCount() > 0; }
void TFormManager::CheckAllExecute() { MarkAll(true); }

bool TFormManager::InfoUpdate() const { return SelectedMethodNode() != nullptr; }
void TFormManager::InfoExecute() { ShowStatDescription(window_, this, NodeMethod(SelectedMethodNode())); }

bool TFormManager::RenameUpdate() const { return SelectedMethodNode() != nullptr; }
void TFormManager::RenameExecute() {
    QTreeWidgetItem* node = SelectedMethodNode();
    QInputDialog dlg(this);
    dlg.setObjectName("InputRename");
    dlg.setWindowTitle(tr("Переименование"));
    dlg.setLabelText(tr("Введите наименование фильтра:"));
    dlg.setTextValue(node->text(0));
    dlg.setOkButtonText(QDialog::tr("OK"));
    dlg.setCancelButtonText(QDialog::tr("Отмена"));
    dlg.resize(std::max(dlg.sizeHint().width(), fontMetrics().horizontalAdvance(node->text(0)) + 80), dlg.sizeHint().height());
    if (dlg.exec() != QDialog::Accepted) return;
    node->setText(0, dlg.textValue());
}

bool TFormManager::ResetNameUpdate() const { return SelectedMethodNode() != nullptr; }
void TFormManager::ResetNameExecute() {
    QTreeWidgetItem* node = SelectedMethodNode();
    node->setText(0, Q(window_.StatList().Items(NodeMethod(node)).FormattedCaption()));
}

bool TFormManager::NamesImportUpdate() const { return true; }
void TFormManager::NamesImportExecute() {
    const QString file = window_.AskFileName(false, tr("Импорт названий"), tr("Наименования фильтров (*.flt)"), "flt");
    if (file.isEmpty()) return;
    {
        TBusy busy(&window_);
        ImportFavouriteNames(window_.StatList(), S(file));
    }
    // The captions are in force now; the marks are those of the methods again.
    FillFavouritesTree();
}

bool TFormManager::NamesExportUpdate() const { return true; }
void TFormManager::NamesExportExecute() {
    const QString file = window_.AskFileName(true, tr("Экспорт названий"), tr("Наименования фильтров (*.flt)"), "flt");
    if (file.isEmpty()) return;
    {
        TBusy busy(&window_);
        ExportFavouriteNames(window_.StatList(), FavouriteNodes(), S(file));
    }
    ShowInformation(this, Q(Format(S(tr("Названия методов записаны в файл \"%s\".")), {S(file)})));
}

void TFormManager::FitTreeWidth() {
    // Wide enough for the longest caption, as far as the screen allows.
    const int need = static_cast<const QAbstractItemView*>(tvFilters)->sizeHintForColumn(0) + tvFilters->indentation() + tvFilters->verticalScrollBar()->sizeHint().width() +
                     2 * tvFilters->frameWidth() + 8;
    layout()->activate();
    const int extra = need - tvFilters->width();
    if (extra <= 0) return;
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(width() + extra, available.width() * 9 / 10), height());
}

// ---- the dialog -------------------------------------------------------------------------------

bool EditFavourites(TTemplateMain& window, QWidget* parent) {
    TFormManager dlg(window, parent);
    dlg.FillFavouritesTree();
    dlg.SetFlags(FavouriteFlags(window.StatList()));
    dlg.FitTreeWidth();
    if (dlg.exec() != QDialog::Accepted) return false;
    AcceptFavourites(window.StatList(), dlg.FavouriteNodes(), dlg.Flags());
    return true;
}

} // namespace velmora
