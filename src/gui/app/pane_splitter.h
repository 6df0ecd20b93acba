// A splitter whose last pane keeps its size (height of a vertical splitter, width of a
// horizontal one) when the splitter is resized: the applied-filters list under the combination
// list, a chart under a table. The size can be set before the splitter is laid out (from the
// window settings); it is applied once the splitter has its real size.
#pragma once

#include <QSplitter>

namespace velmora {

class TPaneSplitter : public QSplitter {
    Q_OBJECT
public:
    explicit TPaneSplitter(Qt::Orientation orientation, QWidget* parent = nullptr);

    // The size of the last pane: the one set until the splitter is laid out, then the shown one.
    int PaneSize() const;
    void SetPaneSize(int size);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Apply();

    int paneSize_ = 120;
    bool pending_ = true;
};

} // namespace velmora
