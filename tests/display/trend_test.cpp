// The live graph: what one graph tick records, labels and draws; page turns; redraws on
// a range change made elsewhere; the cap at the last tick.
#include <QLabel>
#include <QtTest>

#include "core/reading.h"
#include "display/graph.h"
#include "display/thermometer.h"
#include "support/display_stage.h"
#include "drawing_log.h"

using namespace Vexo;

namespace {

constexpr Colour Trace = RGB(255, 0, 0);

// Start-up state with the gauge and the empty page drawn and the reading at `degrees`.
void ReadyToMeasure(int16_t degrees) {
    UseStartUpDefaults();
    KelviraEki = Trace;
    DrawThermometer();
    DrawGraphFrame();
    RawValue = 7;
    ConvTable[7] = degrees;
    RestateReading();
}

int CountWipes(const std::vector<SurfaceOp>& ops) {
    return int(std::count_if(ops.begin(), ops.end(), [](const SurfaceOp& op) {
        return op.kind == SurfaceOp::FilledBox && op.a == QPointF(1, 1) &&
               op.b == QPointF(398, 398);
    }));
}

std::vector<SurfaceOp> TraceOps(const std::vector<SurfaceOp>& ops) {
    std::vector<SurfaceOp> trace;
    for (const SurfaceOp& op : ops)
        if (op.colour == Trace) trace.push_back(op);
    return trace;
}

float Y(double degrees) {
    return float(350 - (degrees - ScaleMin) * PixelsPerDegree);
}

}  // namespace

class TrendTest : public QObject {
    Q_OBJECT
  private slots:
    void firstTickIsASinglePoint() {
        DisplayStage h;
        ReadyToMeasure(25);
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        Timer2_Timer();
        QCOMPARE(TrendBuffer[0], 2500.0F);
        QCOMPARE(ElapsedTicks, 1.0);
        QCOMPARE(h.seconds, QStringLiteral("   0秒"));
        // Nothing drawn yet with this range: the page is drawn for it first.
        QCOMPARE(DrawnScaleMax, 100.0);
        QCOMPARE(DrawnScaleMin, -10.0F);
        const auto trace = TraceOps(log);
        QVERIFY(!trace.empty());
        for (const SurfaceOp& op : trace) {
            QCOMPARE(op.kind, SurfaceOp::PSet);
            QCOMPARE(op.a, QPointF(50, 245));
            QVERIFY(!op.relative);
        }
        QCOMPARE(log.back().kind, SurfaceOp::PSet);
        QCOMPARE(Picture2->pixel(50, 245), Trace);
    }

    void secondsLabel_data() {
        QTest::addColumn<double>("ticks");
        QTest::addColumn<QString>("caption");
        QTest::newRow("0") << 0.0 << "   0秒";
        QTest::newRow("1") << 1.0 << "   0秒";
        QTest::newRow("25") << 25.0 << "   12秒";
        QTest::newRow("299") << 299.0 << "   149秒";
        QTest::newRow("cap") << 10000.0 << "   5000秒";
    }
    void secondsLabel() {
        QFETCH(double, ticks);
        QFETCH(QString, caption);
        DisplayStage h;
        ReadyToMeasure(20);
        ElapsedTicks = ticks;
        PageStartTick = float(std::max(0.0, ticks - 1));
        Timer2_Timer();
        QCOMPARE(h.seconds, caption);
    }

    void segmentIsThreeLinesThick() {
        DisplayStage h;
        ReadyToMeasure(20);
        Timer2_Timer();
        ConvTable[7] = 30;
        RestateReading();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        Timer2_Timer();
        QCOMPARE(TrendBuffer[1], 3000.0F);
        QCOMPARE(log.size(), size_t(3));
        const QPointF from(50, Y(20)), to(51.1F, Y(30));
        const double offsets[] = {0.8, 0, -0.8};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(log[i].kind, SurfaceOp::Line);
            QCOMPARE(log[i].a, from + QPointF(0, offsets[i]));
            QCOMPARE(log[i].b, to + QPointF(0, offsets[i]));
            QCOMPARE(log[i].colour, Trace);
        }
        QCOMPARE(LastPlotPoints[0], 51.1F);
        QCOMPARE(LastPlotPoints[1], Y(30));
    }

    void pageTurnsAtTick300() {
        DisplayStage h;
        ReadyToMeasure(20);
        for (int t = 0; t < 300; ++t) Timer2_Timer();
        QCOMPARE(PageStartTick, 0.0F);
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        Timer2_Timer();  // tick 300
        QCOMPARE(PageStartTick, 300.0F);
        QCOMPARE(CountWipes(log), 1);
        QCOMPARE(log.back().kind, SurfaceOp::PSet);
        QCOMPARE(log.back().a, QPointF(50, Y(20)));
        const auto seconds = DecodeTexts(log, GrphBack);
        QCOMPARE(seconds[seconds.size() - 7].text, QStringLiteral(" 150"));
        // The old trace is gone; the new page holds the one point.
        QCOMPARE(CountColour(*Picture2, QRect(QPoint(51, 1), QPoint(398, 398)), Trace), 0);

        log.clear();
        Timer2_Timer();  // tick 301 continues from it
        QCOMPARE(CountWipes(log), 0);
        QCOMPARE(log.size(), size_t(3));
        QCOMPARE(log[1].a, QPointF(50, Y(20)));
        QCOMPARE(log[1].b.x(), double(float(1 * 1.1 + 50)));
    }

    // A range changed by someone else (here: the gauge widening) is picked up on the
    // next tick, which replays the page in the new range before plotting itself.
    void rangeChangeRedrawsBeforePlotting() {
        DisplayStage h;
        ReadyToMeasure(20);
        for (int t = 0; t < 10; ++t) Timer2_Timer();
        float reading = 104;
        ShowTemperature(reading);
        QCOMPARE(ScaleMax, 110.0);
        ConvTable[7] = 104;
        RestateReading();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        Timer2_Timer();  // tick 10
        QCOMPARE(DrawnScaleMax, 110.0);
        QCOMPARE(CountWipes(log), 1);
        // Replay of ticks 0..10 in the new range (one point, ten segments), then tick 10
        // once more as the tick's own segment.
        const auto trace = TraceOps(log);
        QCOMPARE(trace.size(), size_t(1 + 3 * 10 + 3));
        QCOMPARE(trace[0].a, QPointF(50, Y(20)));
        QCOMPARE(Y(20), 350 - 30 * 2.75F);
        QCOMPARE(trace.back().b, QPointF(float(10 * 1.1 + 50), Y(104) - 0.8));
        const auto wipe = std::find_if(log.begin(), log.end(), [](const SurfaceOp& op) {
            return op.kind == SurfaceOp::FilledBox;
        });
        QVERIFY(wipe < std::find_if(
                           log.begin(), log.end(),
                           [](const SurfaceOp& op) { return op.colour == Trace; }));
    }

    void bothLimitsChangedRedrawTwice() {
        DisplayStage h;
        ReadyToMeasure(20);
        Timer2_Timer();
        ScaleMin = 0;
        ScaleMax = 40;
        DrawThermometer();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        Timer2_Timer();
        QCOMPARE(CountWipes(log), 2);
    }

    // A limit a float cannot hold exactly still counts as drawn once it has been drawn.
    void fractionalLimitRedrawsOnce() {
        DisplayStage h;
        ReadyToMeasure(20);
        ScaleMin = 0.1;
        DrawThermometer();
        Timer2_Timer();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        Timer2_Timer();
        QCOMPARE(CountWipes(log), 0);
        QCOMPARE(log.size(), size_t(3));
    }

    void capAtTheLastTick() {
        DisplayStage h;
        ReadyToMeasure(20);
        ElapsedTicks = 9999;
        PageStartTick = 9900;
        DrawnScaleMax = ScaleMax;
        DrawnScaleMin = float(ScaleMin);
        Timer2_Timer();
        QCOMPARE(ElapsedTicks, 10000.0);
        ConvTable[7] = 30;
        RestateReading();
        Timer2_Timer();
        QCOMPARE(ElapsedTicks, 10000.0);
        QCOMPARE(TrendBuffer[10000], 3000.0F);
        ConvTable[7] = 40;
        RestateReading();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        Timer2_Timer();
        QCOMPARE(ElapsedTicks, 10000.0);
        QCOMPARE(TrendBuffer[10000], 4000.0F);
        QCOMPARE(h.seconds, QStringLiteral("   5000秒"));
        // Drawn at the x of tick 10000, as a vertical segment from 30 to 40 degrees.
        const float x = float(100 * 1.1 + 50);
        QCOMPARE(log.size(), size_t(3));
        QCOMPARE(log[1].a, QPointF(x, Y(30)));
        QCOMPARE(log[1].b, QPointF(x, Y(40)));
    }

    void redrawReplaysUpToTheLastRecordedTick() {
        DisplayStage h;
        ReadyToMeasure(20);
        for (int t = 0; t < 5; ++t) Timer2_Timer();
        ElapsedTicks -= 1;  // a command suspended the graph
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        RedrawPage();
        QCOMPARE(CountWipes(log), 1);
        QCOMPARE(TraceOps(log).size(), size_t(1 + 3 * 4));
        QCOMPARE(LastPlotPoints[0], float(4 * 1.1 + 50));
    }

    void recordingNeverLeavesTheBuffer_data() {
        QTest::addColumn<double>("ticks");
        QTest::newRow("beyond the cap") << 20000.0;
        QTest::newRow("negative") << -3.0;
        QTest::newRow("not a number") << double(NAN);
    }
    void recordingNeverLeavesTheBuffer() {
        QFETCH(double, ticks);
        DisplayStage h;
        ReadyToMeasure(20);
        ElapsedTicks = ticks;
        RecordSample(12.5F);
        PlotPagePoint(float(ticks));
        QVERIFY(TrendBuffer[0] == 1250.0F || TrendBuffer[LastTick] == 1250.0F);
    }

    void wildSamplesStayDrawable_data() {
        QTest::addColumn<float>("degrees");
        QTest::newRow("huge") << 3e38F;
        QTest::newRow("huge below") << -3e38F;
        QTest::newRow("not a number") << float(NAN);
    }
    void wildSamplesStayDrawable() {
        QFETCH(float, degrees);
        DisplayStage h;
        ReadyToMeasure(20);
        Timer2_Timer();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        RecordSample(degrees);
        RecordSample(20);
        QCOMPARE(log.size(), size_t(6));
        for (const SurfaceOp& op : log) {
            QVERIFY(std::abs(op.a.y()) <= 1e5 + 1 && std::abs(op.b.y()) <= 1e5 + 1);
        }
    }
};

QTEST_MAIN(TrendTest)
#include "trend_test.moc"
