// The window TFormRepeats ("Количество повторов в зависимости от тиража"): for each of the latest
// S draws of the archive, the earlier draws within the depth D that share 1..5 numbers with it, as
// a list and as a chart with one line per number of shared numbers. The computation runs under the
// progress window and can be stopped; the rows made until then are shown.
#pragma once

#include <QDialog>
#include <string>

class QChartView;
class QPushButton;
class QTableView;

namespace velmora {

class TEnterSpinBox;
class TPaneSplitter;
class TRepeatsModel;
class TTemplateMain;

class TFormRepeats : public QDialog {
    Q_OBJECT
public:
    explicit TFormRepeats(TTemplateMain& window);
    ~TFormRepeats() override;

    // Analyses the draws with the lengths of the two fields and fills the list and the chart.
    void AnalyzeRepeatsCompute();
    const TRepeatsModel* RepeatsModel() const { return model_; }

    TEnterSpinBox* edDrawsLen;
    QPushButton* btnDrawsStatCalc;
    TEnterSpinBox* edDeep;
    TPaneSplitter* splGraph;
    QTableView* lvList;
    QChartView* crtGraph;

    static constexpr const char* kSection = "TFormRepeats";

private:
    void ReadSettings();
    void WriteSettings();

    TTemplateMain& window_;
    TRepeatsModel* model_;
};

// The command AnalyzeRepeats: the window computed once on opening, shown modally.
void ShowRepeats(TTemplateMain& window);

} // namespace velmora
