// The page "Архив тиражей" (tsDraws): the tool panel with the draws offset, the draw list and the
// commands on the archive. The archive itself is the window's (TTemplateMain::Draws).
#pragma once

#include "gui/app/main_page.h"

#include <QStringList>

class QMenu;
class QSpinBox;
class QTableView;
class QToolButton;

namespace velmora {

class TDrawsModel;
class TToolPanel;

class TDrawsPage : public TMainPage {
    Q_OBJECT
public:
    explicit TDrawsPage(TTemplateMain& window);

    // The column captions of the draw list (the edition's window gives them).
    void SetDrawListCaptions(const QStringList& captions);

    void ReadSettings(const std::string& section) override;
    void WriteSettings(const std::string& section) override;
    // Wide enough for every column of the draw list (the first-start width of the left pages).
    QSize sizeHint() const override;

    TToolPanel* tbDraws;  // the buttons above the list (the edition adds its own)
    QToolButton* btnDrawsAdd;
    QToolButton* btnDrawsDel;
    QSpinBox* edDrawsOffset;
    QTableView* lvDraws;
    QMenu* pmDraws;

    bool DrawsInfoUpdate() const;
    void DrawsInfoExecute();
    bool DrawsImportUpdate() const;
    void DrawsImportExecute();
    bool DrawsExportUpdate() const;
    void DrawsExportExecute();
    bool DrawsXlsExportUpdate() const;
    void DrawsXlsExportExecute();
    bool DrawsAddUpdate() const;
    void DrawsAddExecute();
    bool DrawsEditUpdate() const;
    void DrawsEditExecute();
    bool DrawsDelUpdate() const;
    void DrawsDelExecute();
    bool DrawsSortedUpdate() const;
    bool DrawsSortedChecked() const;
    void DrawsSortedExecute();
    bool ViewColorDrawsUpdate() const;
    bool ViewColorDrawsChecked() const;
    void ViewColorDrawsExecute();

private:
    // The list, the archive panels of the status bar and the offset follow the archive.
    void RefreshDrawList(bool reset);
    int FocusedDrawRow() const;
    // Makes the row the current and only selected one.
    void SelectDrawRow(int row);
    QString AskCsvFile(bool save, const QString& caption);

    TDrawsModel* drawsModel_;
};

} // namespace velmora
