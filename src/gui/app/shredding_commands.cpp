#include "gui/app/shredding_commands.h"

#include "core/combs/prefetch.h"
#include "core/util/format.h"
#include "gui/app/access_keys.h"
#include "gui/app/form_shredding.h"
#include "gui/app/messages.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"

#include <QAction>
#include <QMenuBar>
#include <QMenu>

namespace velmora {

namespace {
constexpr uint16_t kShreddingGroups = uint16_t(1u << 12);
} // namespace

TShreddingCommands::TShreddingCommands(TTemplateMain& window) : QObject(&window), w_(window) {
    setObjectName("ShreddingCommands");
    w_.AddCommand("EditShredding", tr("Формулы шинковки"), {}, tr("Редактирование формул для методов шинковки"),
                  [this] { return EditShreddingUpdate(); }, [this] { EditShreddingExecute(); });
    QMenu* file = w_.MainMenu(TMainMenu::File);
    const QList<QAction*> actions = file->actions();
    const int config = int(actions.indexOf(w_.Command("EditConfig")));
    file->insertAction(config >= 0 && config + 1 < actions.size() ? actions[config + 1] : nullptr,
                       w_.Command("EditShredding"));
    // The new item gets its access letter, unique in the menu.
    AssignAccessKeys(w_.menuBar(), {file});
}

bool TShreddingCommands::EditShreddingUpdate() const { return w_.Initialized(); }

void TShreddingCommands::EditShreddingExecute() {
    TFormShredding dlg(&w_);
    dlg.SetData(ShreddingOf(w_.StatList()));
    if (dlg.exec() != QDialog::Accepted) return;
    ApplyShredding(dlg.Data());
}

void TShreddingCommands::ApplyShredding(const TShreddingData& data) {
    TStatList& list = w_.StatList();
    list.Formulas = data.Formulas;
    list.FormulaDigits = data.Digits;
    {
        TBusy busy(&w_);
        w_.SetStatusText(tr("Сохранение файла конфигурации..."));
        QString error;
        try {
            w_.ProgramSettings().WriteShredding(data);
        } catch (const std::exception& e) {
            error = Q(Format(S(tr("Ошибка записи в файл конфигурации!\r\r%s")), {e.what()}));
        }
        w_.SetStatusText(QString());
        // The new formulas stay in force even when the file could not be written.
        if (!error.isEmpty()) ShowError(&w_, error);
    }
    if (w_.PrefetchsEnabled()) {
        w_.CreatePrefetchFiles(false, kShreddingGroups);
    } else {
        TBusy busy(&w_);
        const TPrefetchBuildResult result = CreatePrefetchFiles(list, false, false, kShreddingGroups, w_.Progress());
        if (!result.Errors.empty()) ShowError(&w_, Q(result.Errors.front()));
    }
    w_.ReloadStatList();
}

} // namespace velmora
