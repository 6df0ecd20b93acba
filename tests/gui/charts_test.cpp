// The charts with a short archive: the statistics chart under the table, the profit graph of the
// stakes and the matches graph of the ratings.
#include "gui_test_util.h"

#include "core/stakes/stake_file.h"
#include "core/util/text.h"
#include "gui/stakes/stakes_page.h"
#include "gui/views/form_graph.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFontMetricsF>
#include <QGraphicsTextItem>
#include <QValueAxis>
#include <QXYSeries>
#include <cmath>

using namespace velmora;
using namespace velmora::test;

namespace {

QString ScreensDir() {
    const QString dir = qEnvironmentVariable("VELMORA_SCREENS", VELMORA_SCREENS);
    QDir().mkpath(dir);
    return dir;
}

// The labels of a value axis: numbers in the program's format (decimal comma), at multiples of
// one step of 1, 2 or 5 times a power of ten; empty when they are.
QString TickFault(const QStringList& labels) {
    if (labels.size() < 2) return "fewer than two ticks: " + labels.join(" ");
    QList<double> v;
    for (const QString& l : labels) {
        bool ok = false;
        const double d = QString(l).replace(',', '.').toDouble(&ok);
        if (!ok || l.contains('.') || l.contains(' ')) return "not a number of the tables: " + l;
        v << d;
    }
    const double step = v[1] - v[0];
    const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double m = step / power;
    if (std::fabs(m - 1) > 1e-6 && std::fabs(m - 2) > 1e-6 && std::fabs(m - 5) > 1e-6) return "step " + labels.join(" ");
    for (int i = 0; i < v.size(); ++i)
        if (std::fabs(v[i] / step - std::round(v[i] / step)) > 1e-6 || (i > 0 && std::fabs(v[i] - v[i - 1] - step) > 1e-6))
            return "ticks " + labels.join(" ");
    return {};
}

QStringList ChartTexts(QChartView* view) {
    QStringList texts;
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* t = dynamic_cast<QGraphicsTextItem*>(item); t && t->isVisible()) texts << t->toPlainText();
    return texts;
}

// Stakes for the draws of the archive, several per draw, checked at start.
void WriteStakes(const TDrawsArray& draws) {
    WriteTextLines(ProductFile(".ini"), {"[STAKES]", "Cost=2", "Profits=2", "Profit_0_Overlap=2", "Profit_0_Profit=3.5",
                                         "Profit_1_Overlap=3", "Profit_1_Profit=30"});
    TStakeFile f(StakeFileName());
    f.Open();
    for (const TDrawRecord& d : draws) {
        f.AppendSeparatorIfNeeded();
        for (int i = 0; i < 10; ++i) {
            TStakeRecord r;
            r.Kind = skScript;
            r.DrawNumber = d.Number;
            r.Sample = 1;
            r.Numbers.Count = 5;
            for (int k = 0; k < 5; ++k)
                r.Numbers.Numbers[k] = k < (i + d.Number) % 4 ? d.Numbers[k] : uint8_t(1 + (d.Number * 7 + i * 11 + k * 13) % 50);
            r.Matched.Count = -1;
            r.Profit = -20000;
            r.SetCommentText("01.001: @ FULL#RAND");
            f.AppendStakes(r, 1);
        }
    }
}

} // namespace

class ChartsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitGuiTestCase(); }
    void init() { ModalFailures().clear(); }
    void cleanup() { CheckModalFailures(); }

    // A 12-draw archive: for every statistic the chart's labels are whole, its value axis has round
    // ticks written as the tables write numbers.
    void StatChartWithAShortArchive() {
        DataFolder data(MakeSampleDraws(12, 3));
        auto w = OpenMainWindow(QSize(1366, 740));
        TDrawsStatPage* stats = StatPage(*w);
        QComboBox* cb = stats->cbDrawsStatType;
        QStringList faults;
        for (int i = 0; i < cb->count(); ++i) {
            cb->setCurrentIndex(i);
            QTest::qWait(20);
            QChart* chart = stats->crtDrawsStat->chart();
            for (const QString& t : ChartTexts(stats->crtDrawsStat))
                if (t.contains("...") || t.contains(QChar(0x2026))) faults << cb->itemText(i) + ": cut " + t;
            if (auto* y = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Vertical).value(0)); y && y->isVisible()) {
                const QString fault = TickFault(y->categoriesLabels());
                if (!fault.isEmpty()) faults << cb->itemText(i) + ": " + fault;
            }
            const QString name = cb->itemText(i);
            if (i == 0 || name.contains("Периоды повторения чисел") || name.contains("Переходы чисел между 2 тиражами без"))
                QVERIFY(stats->crtDrawsStat->grab().save(ScreensDir() + QString("/chart_stat_%1.png").arg(i)));
        }
        QCOMPARE(faults.join("\n"), QString());
    }

    // The profit graph (F6): round ticks in the program's number format, a tick on whole draw
    // numbers, and point labels that do not cover each other.
    void ProfitGraphReadable() {
        const TDrawsArray draws = MakeSampleDraws(40, 5);
        DataFolder data(draws);
        WriteStakes(draws);
        auto w = OpenMainWindow(QSize(1366, 740));
        QStringList faults;
        int shown = 0, hidden = 0;
        OnModal<TFormGraph>([&](TFormGraph* g) {
            QTest::qWait(100);
            QChart* chart = g->chGraph->chart();
            auto* y = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Vertical).value(0));
            auto* x = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
            if (!y || !x) {
                faults << "axes";
            } else {
                if (const QString f = TickFault(y->categoriesLabels()); !f.isEmpty()) faults << f;
                // Whole draw numbers, each on its point.
                for (const QString& l : x->categoriesLabels())
                    if (x->endValue(l) != std::round(x->endValue(l)) || l != QString::number(x->endValue(l)))
                        faults << "draw tick " + l;
                if (x->categoriesLabels().size() < 5) faults << "draw ticks " + x->categoriesLabels().join(" ");
            }
            for (const QString& t : ChartTexts(g->chGraph))
                if (t.contains("...") || t.contains('.')) faults << "label " + t;
            std::vector<QRectF> rects;
            for (QAbstractSeries* a : chart->series()) {
                auto* s = static_cast<QXYSeries*>(a);
                if (!s->pointLabelsVisible()) continue;
                const QFontMetricsF fm(s->pointLabelsFont());
                for (int i = 0; i < s->count(); ++i) {
                    if (!s->pointConfiguration(i).value(QXYSeries::PointConfiguration::LabelVisibility, true).toBool()) {
                        ++hidden;
                        continue;
                    }
                    ++shown;
                    const QPointF at = chart->mapToPosition(s->at(i), s);
                    const QString text = chart->locale().toString(s->at(i).y(), 'g', 6);
                    const QRectF r(at.x() - fm.horizontalAdvance(text) / 2, at.y() - fm.height(), fm.horizontalAdvance(text), fm.height());
                    for (const QRectF& o : rects)
                        if (o.intersects(r)) faults << "label over label at " + text;
                    rects.push_back(r);
                }
            }
            g->grab().save(ScreensDir() + "/chart_profit.png");
            g->close();
        });
        QVERIFY(w->TriggerCommand("StakesGraphDraws"));
        QCOMPARE(faults.join("\n"), QString());
        QVERIFY(shown > 10);
        QVERIFY(hidden > 0);
    }
};

QTEST_MAIN(ChartsTest)
#include "charts_test.moc"
