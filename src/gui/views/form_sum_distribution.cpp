#include "gui/views/form_sum_distribution.h"

#include "core/util/translate.h"
#include "gui/app/progress_window.h"
#include "gui/app/qt_text.h"
#include "gui/app/status_progress.h"
#include "gui/app/template_main.h"
#include "gui/views/form_graph.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QScreen>
#include <algorithm>

namespace velmora {

namespace {

constexpr uint32_t kActualColour = 0x0000FF;
constexpr uint32_t kTheoreticalColour = 0x000080;
constexpr uint32_t kRangeColours[kSumRangeCount] = {0x008000, 0xFF0000, 0xFF00FF};

} // namespace

void FillSumDistributionGraph(TFormGraph& form, const TSumDistribution& dist) {
    const QString actual = Q(TrText(kSumActualTitle));
    for (const auto& e : dist.Actual) form.AddGraphPoint(e.Value, actual, e.Count, true, true, kActualColour);
    const QString theoretical = Q(TrText(kSumTheoreticalTitle));
    for (const auto& e : dist.Theoretical) {
        form.AddGraphPoint(e.Value, theoretical, dist.ScaledHeight(e.Count), false, false, kTheoreticalColour);
        for (int k = 0; k < kSumRangeCount; ++k)
            form.AddGraphPoint(e.Value, Q(dist.Ranges[size_t(k)].Title), dist.ScaledHeight(dist.Ranges[size_t(k)].Level),
                               false, false, kRangeColours[k]);
    }
}

void ShowSumDistribution(TTemplateMain& window) {
    TSumDistribution dist;
    {
        TBusy busy(&window);
        window.SetStatusText(Q(TrText(kSumDistributionStatus)));
        try {
            TProgressWindow progress(&window, window.fmProgress, Q(TrText(kSumDistributionStatus)));
            dist = ComputeSumDistribution(window.Draws(), progress);
        } catch (...) {
            window.SetStatusText(QString());
            throw;
        }
        window.SetStatusText(QString());
    }
    if (dist.Stopped) return;
    TFormGraph form(&window);
    form.setObjectName("fmSumDistribution");
    form.setWindowTitle(Q(TrText(kSumDistributionCaption)));
    // The range titles are read whole: the legend stands on the right, one title a line.
    form.chGraph->chart()->legend()->setAlignment(Qt::AlignRight);
    if (const QScreen* screen = window.screen())
        form.resize(std::min(1200, screen->availableGeometry().width() * 9 / 10), form.height());
    FillSumDistributionGraph(form, dist);
    form.exec();
}

} // namespace velmora
