// The tool panel of a page: a row of command buttons that never makes the page wider. The buttons
// that do not fit are hidden, and the "»" button at the right end drops down a menu of their
// commands, in the panel's order (separators kept between groups).
#pragma once

#include <QWidget>
#include <vector>

class QMenu;
class QToolButton;

namespace velmora {

class TToolPanel : public QWidget {
    Q_OBJECT
public:
    explicit TToolPanel(QWidget* parent = nullptr);

    // Adds a button (a CommandButton: its default action is what the menu offers) or a separator.
    void AddButton(QToolButton* button);
    void InsertButton(int index, QToolButton* button);
    void AddSeparator();
    // The "»" button; shown only while some button is hidden.
    QToolButton* OverflowButton() const { return more_; }
    // The menu the "»" button drops down (filled as it opens).
    QMenu* OverflowMenu() const { return menu_; }

    // All buttons in a row; at least the first button and "»".
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct TItem {
        QToolButton* Button = nullptr;  // nullptr: a separator
        QWidget* Line = nullptr;
    };
    int ItemWidth(const TItem& item) const;
    int RowHeight() const;
    // Places the buttons that fit and hides the rest.
    void Arrange();
    void FillMenu();

    std::vector<TItem> items_;
    QToolButton* more_;
    QMenu* menu_;
};

} // namespace velmora
