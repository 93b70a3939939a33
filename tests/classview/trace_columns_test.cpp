// A trace as the class's graph draws it: a column's lowest and highest tick, no peak lost,
// the same whether the ticks came at once or one by one, and made anew when a tick drawn
// already changes.
#include <QtTest>
#include <cmath>

#include "classview/trace_columns.h"

using ClassView::TickSeries;
using ClassView::TraceColumns;

namespace {

// The columns as one drawing of the whole series makes them.
TraceColumns Drawn(const TickSeries& series, double width, int span) {
    TraceColumns columns;
    columns.follow(series, width, span);
    return columns;
}

bool Same(const TraceColumns& a, const TraceColumns& b) {
    if (a.columns() != b.columns()) return false;
    for (int c = 0; c < a.columns(); ++c) {
        const bool bothEmpty = std::isnan(a.low(c)) && std::isnan(b.low(c));
        if (!bothEmpty && (a.low(c) != b.low(c) || a.high(c) != b.high(c))) return false;
    }
    return true;
}

}  // namespace

class TraceColumnsTest : public QObject {
    Q_OBJECT
  private slots:
    // One tick of 10 000 far above the rest still stands in its column.
    void aSpikeOfOneTickIsKept() {
        TickSeries series;
        for (int t = 0; t < 10000; ++t) series.set(t, t == 6789 ? 95.0F : 20.0F + t % 3);
        const TraceColumns columns = Drawn(series, 800, 10800);
        QCOMPARE(columns.columns(), 800);
        const int spike = int(6789 * 800.0 / 10800);
        QCOMPARE(columns.high(spike), 95.0F);
        QCOMPARE(columns.low(spike), 20.0F);
        QCOMPARE(columns.high(spike + 1), 22.0F);
        QVERIFY(std::isnan(columns.low(799)));  // past the lesson: nothing drawn
    }

    // Followed tick by tick, as the view draws while the lesson grows, or at once: the same.
    void followingEqualsDrawingAnew_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("ticks added") << "add";
        QTest::newRow("a tick drawn already set again") << "edit";
        QTest::newRow("an earlier part filled in late") << "fill";
        QTest::newRow("the series cleared") << "clear";
        QTest::newRow("another width") << "width";
    }
    void followingEqualsDrawingAnew() {
        QFETCH(QString, change);
        TickSeries series;
        TraceColumns followed;
        for (int t = 500; t < 900; ++t) {
            series.set(t, 30.0F - t / 100.0F);
            if (t % 37 == 0) followed.follow(series, 333, 960);
        }
        double width = 333;
        if (change == "add")
            for (int t = 900; t < 950; ++t) series.set(t, 40);
        if (change == "edit") series.set(600, -5);
        if (change == "fill")
            for (int t = 0; t < 500; ++t) series.set(t, 50);
        if (change == "clear") {
            series.clear();
            series.set(3, 12);
        }
        if (change == "width") width = 200.5;
        followed.follow(series, width, 960);
        QVERIFY(Same(followed, Drawn(series, width, 960)));
    }

    void theTimeAxisGrowsInRoundSteps_data() {
        QTest::addColumn<int>("lastTick");
        QTest::addColumn<int>("span");
        QTest::newRow("nothing yet") << -1 << 300;
        QTest::newRow("two and a half minutes") << 299 << 300;
        QTest::newRow("just past") << 300 << 360;
        QTest::newRow("the longest lesson") << 10000 << 10800;
        QTest::newRow("a file longer still") << 12000 << 13200;
    }
    void theTimeAxisGrowsInRoundSteps() {
        QFETCH(int, lastTick);
        QFETCH(int, span);
        QCOMPARE(ClassView::TimeSpan(lastTick), span);
    }
};

QTEST_GUILESS_MAIN(TraceColumnsTest)
#include "trace_columns_test.moc"
