// Columns that show their whole contents: a list's preset widths grow where a caption or a cell
// needs more room (never shrink, so a width the user chose stays).
//
// TColumnFit shares a list's width out instead: every column takes what its caption and its shown
// cells need (and at least the width the user gave it in an earlier session); one column, the
// comment, takes the rest of the view, but while its texts are longer than that, at least a share
// of the view: beyond it they are elided, and the columns that do not fit are a scroll away.
// The columns follow the view when it is resized and the list when its rows or texts change; a
// column the user drags keeps that width for the session.
#pragma once

#include <QObject>
#include <vector>

class QTableView;

namespace velmora {

void WidenColumnsToContents(QTableView* view);

// The width that shows the column's caption whole (with the sort arrow when the column shows it).
int CaptionWidth(const QTableView* view, int column);
// The widths that show the cells in sight whole, per column (the first rows while the view is
// hidden); a list of a million rows is measured as fast as a short one.
std::vector<int> ShownCellsWidths(const QTableView* view);

class TColumnFit : public QObject {
    Q_OBJECT
public:
    // shareColumn: the column that takes the rest; sharePercent: the share of the view it keeps
    // at least while its texts need it.
    TColumnFit(QTableView* view, int shareColumn, int sharePercent);

    // Widths below which a column does not go (-1 or 0: none), e.g. those of the window settings;
    // the share column's is not used.
    void SetLeastWidths(std::vector<int> widths);
    // The least width of column c from the cells it may have beyond those in sight.
    void SetContentsWidth(int column, int width);
    // Shares the width out now, or once the events at hand are handled.
    void Fit();
    void FitLater();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* view_;
    QObject* viewport_;
    QObject* header_ = nullptr;
    int shareColumn_;
    int sharePercent_;
    std::vector<int> least_;
    std::vector<int> contents_;
    std::vector<int> dragged_;  // widths the user gave columns in this session
    bool fitting_ = false;
    bool pending_ = false;
    bool dragging_ = false;  // a mouse button is down on the header
};

} // namespace velmora
