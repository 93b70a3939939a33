// The whole-run overview: time grid and seconds for runs of several lengths, the plotting
// step, the two-line trace and the temperature grid it shares with the live page.
#include <QtTest>
#include <algorithm>
#include <set>

#include "display/glyphs.h"
#include "display/graph.h"
#include "display/scale.h"
#include "display/thermometer.h"
#include "support/display_stage.h"
#include "drawing_log.h"

using namespace Vexo;

namespace {

constexpr Colour Trace = RGB(255, 0, 0);
constexpr Colour Seconds = RGB(128, 0, 0);

void Recorded(double ticks, double degrees) {
    UseStartUpDefaults();
    KelviraEki = Trace;
    GrphYokoMozi = Seconds;
    DrawThermometer();
    for (int t = 0; t <= LastTick; ++t) TrendBuffer[t] = float(degrees * 100);
    ElapsedTicks = ticks;
}

}  // namespace

class OverviewTest : public QObject {
    Q_OBJECT
  private slots:
    void timeAxisAndTrace_data() {
        QTest::addColumn<double>("ticks");
        QTest::addColumn<int>("gridStep");  // ticks between vertical lines
        QTest::addColumn<int>("labelStep");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("points");       // ticks plotted
        QTest::addColumn<double>("lastTick");  // the last tick plotted
        QTest::newRow("0") << 0.0 << 2 << 5 << QStringList{" 0", " 2", " 5"} << 0 << -1.0;
        QTest::newRow("6") << 6.0 << 2 << 5 << QStringList{" 0", " 2", " 5"} << 7 << 6.0;
        QTest::newRow("25") << 25.0 << 2 << 5 << QStringList{" 0", " 2", " 5", " 8", " 10", " 12"}
                            << 26 << 25.0;
        QTest::newRow("600") << 600.0 << 30 << 100
                             << QStringList{" 0", " 50", " 100", " 150", " 200", " 250", " 300"}
                             << 301 << 600.0;
        QTest::newRow("601 ends on 600")
            << 601.0 << 30 << 100
            << QStringList{" 0", " 50", " 100", " 150", " 200", " 250", " 300"} << 301 << 600.0;
        QTest::newRow("1660 steps by 4")
            << 1660.0 << 200 << 500 << QStringList{" 0", " 250", " 500", " 750"} << 416 << 1660.0;
        QTest::newRow("2000") << 2000.0 << 200 << 500
                              << QStringList{" 0", " 250", " 500", " 750", " 1000"} << 401
                              << 2000.0;
        QTest::newRow("2010") << 2010.0 << 500 << 1000 << QStringList{" 0", " 500", " 1000"} << 336
                              << 2010.0;
        // Every 1000 ticks while the numbers fit between their lines; beyond about 6 500 ticks
        // they would touch, and only every second one is written.
        QTest::newRow("6000") << 6000.0 << 500 << 1000
                              << QStringList{" 0",    " 500",  " 1000", " 1500",
                                             " 2000", " 2500", " 3000"}
                              << 1001 << 6000.0;
        QTest::newRow("6600") << 6600.0 << 500 << 2000
                              << QStringList{" 0", " 1000", " 2000", " 3000"} << 1101 << 6600.0;
        QTest::newRow("10000") << 10000.0 << 500 << 2000
                               << QStringList{" 0", " 1000", " 2000", " 3000", " 4000", " 5000"}
                               << 1667 << 9996.0;
    }
    void timeAxisAndTrace() {
        QFETCH(double, ticks);
        QFETCH(int, gridStep);
        QFETCH(int, labelStep);
        QFETCH(QStringList, labels);
        QFETCH(int, points);
        QFETCH(double, lastTick);
        DisplayStage h;
        Recorded(ticks, 25);
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        DrawOverview();

        const double span = std::max(ticks, 10.0);
        std::vector<double> expectXs, xs;
        for (int t = 0; t <= span; t += gridStep) expectXs.push_back(float(t / span * 330 + 50));
        for (const SurfaceOp& line : AbsoluteLines(log))
            if (line.a.y() == 20 && line.b.y() == 350 && line.a.x() == line.b.x())
                xs.push_back(line.a.x());
        QCOMPARE(xs, expectXs);

        QStringList drawn;
        for (const DrawnText& t : DecodeTexts(log, GrphBack)) {
            if (t.colour != Seconds) continue;
            // Each number starts 21 pixels left of its tick.
            QCOMPARE(t.start, QPointF(float(drawn.size() * labelStep / span * 330 + 29), 360));
            drawn << t.text;
        }
        QCOMPARE(drawn, labels);
        QVERIFY(!drawn.contains("S"));  // no seconds mark on the overview

        // One point at tick 0, then two lines per plotted tick.
        std::vector<SurfaceOp> trace;
        for (const SurfaceOp& op : log)
            if (op.colour == Trace) trace.push_back(op);
        QCOMPARE(int(trace.size()), points ? 1 + 2 * (points - 1) : 0);
        if (!points) return;
        QCOMPARE(trace[0].kind, SurfaceOp::PSet);
        QCOMPARE(trace[0].a, QPointF(50, 245));
        QCOMPARE(LastPlotPoints[2], float(lastTick / span * 330 + 50));
        QCOMPARE(LastPlotPoints[3], 245.0F);
    }

    // A range widened while the measurement is stopped redraws the overview in the new
    // range; the class keeps the picture it was looking at.
    void aWidenedRangeKeepsTheOverview() {
        DisplayStage h;
        Recorded(100, 25);
        DrawThermometer();
        DrawOverview();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        float reading = 130;
        ShowTemperature(reading);
        QCOMPARE(ScaleMax, 140.0);
        QCOMPARE(int(std::count_if(log.begin(), log.end(),
                                   [](const SurfaceOp& op) { return op.colour == Trace; })),
                 1 + 2 * 100);
        QCOMPARE(LastPlotPoints[3], LevelY(25));
    }

    void traceIsTwoPixelsThick() {
        DisplayStage h;
        Recorded(100, 25);
        DrawOverview();
        // y(25) = 245; the second line lies 0.8 above, on row 244.
        for (int x : {60, 200, 370}) {
            QCOMPARE(Picture2->pixel(x, 245), Trace);
            QCOMPARE(Picture2->pixel(x, 244), Trace);
            QVERIFY(Picture2->pixel(x, 246) != Trace);
            QVERIFY(Picture2->pixel(x, 243) != Trace);
        }
        QCOMPARE(CountColour(*Picture2, QRect(QPoint(381, 1), QPoint(398, 398)), Trace), 0);
    }

    void followsTheRecordedValues() {
        DisplayStage h;
        Recorded(20, 0);
        for (int t = 0; t <= 20; ++t) TrendBuffer[t] = float(t * 100);  // 0..20 degrees
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        DrawOverview();
        std::vector<SurfaceOp> trace;
        for (const SurfaceOp& op : log)
            if (op.colour == Trace && op.kind == SurfaceOp::Line) trace.push_back(op);
        QCOMPARE(trace.size(), size_t(40));
        for (int t = 1; t <= 20; ++t) {
            const SurfaceOp& line = trace[2 * (t - 1)];
            QCOMPARE(line.b, QPointF(float(t / 20.0 * 330 + 50), float(350 - (t + 10) * 3)));
            QCOMPARE(trace[2 * t - 1].b.y(), line.b.y() - 0.8);
        }
    }

    void temperatureGrid_data() {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("numbers");
        QTest::newRow("-10..40") << -10.0 << 40.0 << 11 << 11;
        QTest::newRow("20..30") << 20.0 << 30.0 << 11 << 11;
        QTest::newRow("20..40") << 20.0 << 40.0 << 21 << 5;
        QTest::newRow("-10..100") << -10.0 << 100.0 << 23 << 12;
    }
    void temperatureGrid() {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(int, lines);
        QFETCH(int, numbers);
        DisplayStage h;
        Recorded(100, 25);
        ScaleMin = min;
        ScaleMax = max;
        DrawThermometer();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        DrawOverview();
        std::set<double> heights;
        for (const SurfaceOp& line : AbsoluteLines(log))
            if (line.a.x() == 50 && line.b.x() == 380 && line.a.y() == line.b.y())
                heights.insert(line.a.y());
        QCOMPARE(int(heights.size()), lines);
        std::set<QString> texts;
        for (const DrawnText& t : DecodeTexts(log, GrphBack))
            if (t.colour == GrphTateMozi && t.start.x() == 3) texts.insert(t.text);
        QCOMPARE(int(texts.size()), numbers);
        QVERIFY(texts.count(SignedText(int16_t(min))));
        QVERIFY(texts.count(SignedText(int16_t(max))));
    }
};

QTEST_MAIN(OverviewTest)
#include "overview_test.moc"
