// The gauge: scale marks and numbers for several ranges, the liquid column's strips,
// clamping and widening, and what becomes of a range the gauge cannot draw.
#include <QtTest>
#include <cmath>
#include <set>

#include "display/glyphs.h"
#include "display/scale.h"
#include "display/thermometer.h"
#include "support/display_stage.h"
#include "drawing_log.h"

using namespace Vexo;

namespace {

// Heights of the lines from (left, y) to (right, y).
std::set<double> MarkHeights(const std::vector<SurfaceOp>& ops, double left, double right) {
    std::set<double> heights;
    for (const SurfaceOp& line : AbsoluteLines(ops))
        if (line.a.x() == left && line.b.x() == right && line.a.y() == line.b.y())
            heights.insert(line.a.y());
    return heights;
}

// The numbers drawn beside the scale, as (y, text), each once.
std::set<std::pair<double, QString>> ScaleNumbers(const std::vector<SurfaceOp>& ops) {
    std::set<std::pair<double, QString>> numbers;
    for (const DrawnText& t : DecodeTexts(ops, KelviraBack)) {
        if (t.text == "C") continue;
        if (t.start.x() != 52 || t.colour != KelviraMozi) return {{-1, "misplaced " + t.text}};
        numbers.insert({t.start.y(), t.text});
    }
    return numbers;
}

const SurfaceOp& LastOp(const std::vector<SurfaceOp>& ops) {
    return ops.back();
}

}  // namespace

class ThermometerTest : public QObject {
    Q_OBJECT
  private slots:
    void scaleForRange_data() {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<float>("pixelsPerDegree");
        QTest::addColumn<int>("longMarks");
        QTest::addColumn<int>("mediumMarks");
        QTest::addColumn<int>("shortMarks");
        QTest::addColumn<int>("numberStep");  // degrees between numbers
        QTest::newRow("-10..100") << -10.0 << 100.0 << 3.0F << 12 << 23 << 0 << 10;
        QTest::newRow("0..40") << 0.0 << 40.0 << 8.25F << 5 << 9 << 41 << 5;
        QTest::newRow("20..35") << 20.0 << 35.0 << 22.0F << 2 << 4 << 16 << 1;
        QTest::newRow("-5..55, counted from -5") << -5.0 << 55.0 << 5.5F << 7 << 13 << 0 << 10;
        QTest::newRow("0..59") << 0.0 << 59.0 << float(330.0 / 59) << 6 << 12 << 0 << 5;
        QTest::newRow("0..19") << 0.0 << 19.0 << float(330.0 / 19) << 2 << 4 << 20 << 1;
        QTest::newRow("0..20") << 0.0 << 20.0 << 16.5F << 3 << 5 << 21 << 5;
    }
    void scaleForRange() {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(float, pixelsPerDegree);
        QFETCH(int, longMarks);
        QFETCH(int, mediumMarks);
        QFETCH(int, shortMarks);
        QFETCH(int, numberStep);
        DisplayStage h;
        UseStartUpDefaults();
        ScaleMin = min;
        ScaleMax = max;
        std::vector<SurfaceOp> log;
        Picture1->log = &log;
        DrawThermometer();

        QCOMPARE(PixelsPerDegree, pixelsPerDegree);
        QCOMPARE(ScaleLength, 330.0);
        auto y = [&](int degrees) {
            return double(float(350 - (degrees - min) * pixelsPerDegree));
        };
        std::set<double> expectLong, expectMedium, expectShort;
        std::set<std::pair<double, QString>> expectNumbers;
        for (int i = int(min); i <= max; ++i) {
            const int from = i - int(min);
            if (from % 10 == 0) expectLong.insert(y(i));
            if (from % 5 == 0) expectMedium.insert(y(i));
            if (shortMarks) expectShort.insert(y(i));
            if (from % numberStep == 0) expectNumbers.insert({y(i), SignedText(i)});
        }
        QCOMPARE(int(expectLong.size()), longMarks);
        QCOMPARE(int(expectMedium.size()), mediumMarks);
        QCOMPARE(int(expectShort.size()), shortMarks);
        QCOMPARE(MarkHeights(log, 28, 52), expectLong);
        QCOMPARE(MarkHeights(log, 30, 50), expectMedium);
        QCOMPARE(MarkHeights(log, 32, 48), expectShort);
        QCOMPARE(ScaleNumbers(log), expectNumbers);

        // The marks show as stubs either side of the tube, in the scale colour.
        const int top = int(std::lround(y(int(max))));
        QCOMPARE(Picture1->pixel(29, 350), KelviraMemori);
        QCOMPARE(Picture1->pixel(34, 350), KelviraMemori);
        QCOMPARE(Picture1->pixel(35, 350), KelviraGlassWaku);
        QCOMPARE(Picture1->pixel(40, 340), KelviraGlass);
        QCOMPARE(Picture1->pixel(46, 350), KelviraMemori);
        QCOMPARE(Picture1->pixel(27, 350), KelviraBack);
        if (int(max - min) % 10 == 0) QCOMPARE(Picture1->pixel(29, top), KelviraMemori);
    }

    void gaugeLayout() {
        DisplayStage h;
        UseStartUpDefaults();
        DrawThermometer();
        const Surface& s = *Picture1;
        QCOMPARE(s.pixel(0, 0), KelviraWaku);
        QCOMPARE(s.pixel(99, 399), KelviraWaku);
        QCOMPARE(s.pixel(1, 1), KelviraBack);
        QCOMPARE(s.pixel(98, 398), KelviraBack);
        QCOMPARE(s.pixel(40, 7), KelviraGlassWaku);  // top of the tube's outline
        QCOMPARE(s.pixel(40, 8), KelviraGlass);      // its interior
        QCOMPARE(s.pixel(40, 349), KelviraGlass);
        QCOMPARE(s.pixel(40, 350), KelviraEki);  // liquid below the scale
        QCOMPARE(s.pixel(40, 365), KelviraEki);
        QCOMPARE(s.pixel(40, 378), KelviraGlassWaku);  // bottom of the bulb's outline
        QCOMPARE(s.pixel(40, 377), KelviraEki);        // inner circle
        // The degree-Celsius mark stands at x 8..22, y 72..89.
        QVERIFY(CountColour(s, QRect(QPoint(8, 72), QPoint(22, 89)), KelviraMozi) > 20);
        QCOMPARE(CountColour(s, QRect(QPoint(2, 60), QPoint(7, 100)), KelviraMozi), 0);
        QCOMPARE(CountColour(s, QRect(QPoint(23, 60), QPoint(27, 100)), KelviraMozi), 0);
    }

    void readingFixedAtTheEndsWhenNotAutomatic_data() {
        QTest::addColumn<float>("reading");
        QTest::addColumn<float>("shown");
        QTest::addColumn<int>("levelY");
        QTest::newRow("104 at the top") << 104.0F << 100.0F << 20;
        QTest::newRow("-11 at the bottom") << -11.0F << -10.0F << 350;
        QTest::newRow("100 as it is") << 100.0F << 100.0F << 20;
    }
    void readingFixedAtTheEndsWhenNotAutomatic() {
        QFETCH(float, reading);
        QFETCH(float, shown);
        QFETCH(int, levelY);
        DisplayStage h;
        UseStartUpDefaults();
        ZidouMode = 1;  // only -1 counts as true
        DrawThermometer();
        std::vector<SurfaceOp> log;
        Picture1->log = &log;
        float t = reading;
        ShowTemperature(t);
        QCOMPARE(t, shown);
        QCOMPARE(LastShownTemp, shown);
        QCOMPARE(LastLevelY, levelY);
        QCOMPARE(ScaleMax, 100.0);
        QCOMPARE(ScaleMin, -10.0);
        QCOMPARE(log.size(), size_t(1));  // one strip, no redraw
    }

    void automaticRangeWidens_data() {
        QTest::addColumn<float>("reading");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<bool>("redrawn");
        QTest::newRow("100 stays") << 100.0F << -10.0 << 100.0 << false;
        QTest::newRow("101") << 101.0F << -10.0 << 110.0 << true;
        QTest::newRow("110") << 110.0F << -10.0 << 120.0 << true;
        QTest::newRow("-10 stays") << -10.0F << -10.0 << 100.0 << false;
        QTest::newRow("-12") << -12.0F << -20.0 << 100.0 << true;
        QTest::newRow("-15") << -15.0F << -20.0 << 100.0 << true;
        QTest::newRow("-15.5") << -15.5F << -30.0 << 100.0 << true;
    }
    void automaticRangeWidens() {
        QFETCH(float, reading);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(bool, redrawn);
        DisplayStage h;
        UseStartUpDefaults();
        DrawThermometer();
        std::vector<SurfaceOp> gauge, graph;
        Picture1->log = &gauge;
        Picture2->log = &graph;
        float t = reading;
        ShowTemperature(t);
        QCOMPARE(ScaleMin, min);
        QCOMPARE(ScaleMax, max);
        QCOMPARE(t, reading);
        QCOMPARE(PixelsPerDegree, float(330 / (max - min)));
        // Gauge and graph frame redrawn first, then the one strip.
        QCOMPARE(gauge.size() > 1, redrawn);
        QCOMPARE(!graph.empty(), redrawn);
        if (redrawn) QCOMPARE(gauge.front().kind, SurfaceOp::Box);
        QCOMPARE(LastOp(gauge).kind, SurfaceOp::FilledBox);
    }

    // Ice water: after a redraw the column stands from the tube's bottom up to the reading,
    // below 0.0 as above it.
    void widenedBelowPaintsFromTheNewLevel() {
        DisplayStage h;
        UseStartUpDefaults();
        DrawThermometer();
        float t = -12;
        ShowTemperature(t);
        QCOMPARE(PixelsPerDegree, 2.75F);
        QCOMPARE(LastLevelY, 328);
        QCOMPARE(CountColour(*Picture1, QRect(QPoint(36, 328), QPoint(44, 365)), KelviraEki),
                 9 * 38);
        QCOMPARE(CountColour(*Picture1, QRect(QPoint(36, 8), QPoint(44, 327)), KelviraGlass),
                 9 * 320);
    }

    // Each reading paints the strip between the previous level and its own.
    void columnStrips_data() {
        QTest::addColumn<QList<float>>("readings");
        QTest::addColumn<QList<int>>(
            "strip");  // top, bottom, rising (1) / falling (0); empty: none
        QTest::newRow("first above 0") << QList<float>{20} << QList<int>{260, 365, 1};
        QTest::newRow("first below 0") << QList<float>{-5} << QList<int>{335, 365, 1};
        QTest::newRow("first exactly 0") << QList<float>{0} << QList<int>{320, 365, 1};
        QTest::newRow("rising from below 0") << QList<float>{-5, 10} << QList<int>{290, 335, 1};
        QTest::newRow("rising") << QList<float>{20, 30} << QList<int>{230, 260, 1};
        QTest::newRow("falling") << QList<float>{30, 25} << QList<int>{245, 230, 0};
        QTest::newRow("equal") << QList<float>{25, 25} << QList<int>{};
    }
    void columnStrips() {
        QFETCH(QList<float>, readings);
        QFETCH(QList<int>, strip);
        DisplayStage h;
        UseStartUpDefaults();
        ZidouMode = False;
        DrawThermometer();
        std::vector<SurfaceOp> log;
        for (int i = 0; i < readings.size(); ++i) {
            if (i == readings.size() - 1) Picture1->log = &log;
            float t = readings[i];
            ShowTemperature(t);
        }
        if (strip.isEmpty()) {
            QVERIFY(log.empty());
            return;
        }
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0].kind, SurfaceOp::FilledBox);
        QCOMPARE(log[0].a.x(), 36.0);
        QCOMPARE(log[0].b.x(), 44.0);
        QCOMPARE(int(std::floor(log[0].a.y())), strip[0]);
        QCOMPARE(int(log[0].b.y()), strip[1]);
        QCOMPARE(log[0].colour, strip[2] ? KelviraEki : KelviraGlass);
    }

    void levelRoundsHalfToEven_data() {
        QTest::addColumn<float>("reading");
        QTest::addColumn<int>("levelY");
        QTest::newRow("258.5") << 20.5F << 258;
        QTest::newRow("255.5") << 21.5F << 256;
        QTest::newRow("259.25") << 20.25F << 259;
    }
    void levelRoundsHalfToEven() {
        QFETCH(float, reading);
        QFETCH(int, levelY);
        DisplayStage h;
        UseStartUpDefaults();
        DrawThermometer();
        ShowTemperature(reading);
        QCOMPARE(LastLevelY, levelY);
        // The column's top row is that level: falling below it and rising back leaves no
        // row of glass in the column.
        float lower = reading - 5;
        ShowTemperature(lower);
        float higher = reading + 5;
        ShowTemperature(higher);
        QCOMPARE(CountColour(*Picture1, QRect(QPoint(40, LastLevelY), QPoint(40, 365)),
                             KelviraGlass),
                 0);
    }

    // Far below zero an update still paints only the strip between the two levels.
    void belowMinus30OnlyTheStripChanges_data() {
        QTest::addColumn<float>("second");
        QTest::addColumn<bool>("rising");
        QTest::newRow("-36 falls") << -36.0F << false;
        QTest::newRow("-20 rises") << -20.0F << true;
    }
    void belowMinus30OnlyTheStripChanges() {
        QFETCH(float, second);
        QFETCH(bool, rising);
        DisplayStage h;
        UseStartUpDefaults();
        ScaleMin = -40;
        ZidouMode = False;
        DrawThermometer();
        float first = -35;
        ShowTemperature(first);
        const int firstLevel = LastLevelY;
        std::vector<SurfaceOp> log;
        Picture1->log = &log;
        ShowTemperature(second);
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0].a, QPointF(36, NearestInt16(350 - (second + 40) * (330.0F / 140))));
        QCOMPARE(log[0].b, QPointF(44, firstLevel));
        QCOMPARE(log[0].colour, rising ? KelviraEki : KelviraGlass);
        QCOMPARE(Picture1->pixel(40, 365), KelviraEki);
    }

    void beforeTheFirstGaugeEveryLevelIsTheBottomOfTheScale() {
        DisplayStage h;
        UseStartUpDefaults();
        QCOMPARE(PixelsPerDegree, 0.0F);
        std::vector<SurfaceOp> log;
        Picture1->log = &log;
        float t = 25;
        ShowTemperature(t);
        QCOMPARE(LastLevelY, 350);
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0].a.y(), 350.0);
    }

    // A range the gauge cannot draw is mended before anything is drawn; a sound range,
    // however narrow, stays as it is.
    void unsoundRangeIsMended_data() {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("soundMin");
        QTest::addColumn<double>("soundMax");
        QTest::newRow("inverted") << 40.0 << 20.0 << 20.0 << 40.0;
        QTest::newRow("inverted by little") << 30.5 << 30.0 << 30.0 << 30.5;
        QTest::newRow("equal") << 30.0 << 30.0 << 30.0 << 40.0;
        QTest::newRow("equal at -30") << -30.0 << -30.0 << -30.0 << -20.0;
        QTest::newRow("narrow stays") << 20.0 << 20.5 << 20.0 << 20.5;
        QTest::newRow("too narrow for a float") << 0.0 << 1e-40 << 0.0 << 10.0;
        QTest::newRow("default stays") << -10.0 << 100.0 << -10.0 << 100.0;
        QTest::newRow("not a number") << double(NAN) << 50.0 << -10.0 << 50.0;
        QTest::newRow("infinite") << double(-INFINITY) << double(INFINITY) << -1e6 << 1e6;
    }
    void unsoundRangeIsMended() {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, soundMin);
        QFETCH(double, soundMax);
        DisplayStage h;
        UseStartUpDefaults();
        ScaleMin = min;
        ScaleMax = max;
        std::vector<SurfaceOp> log;
        Picture1->log = &log;
        DrawThermometer();
        QCOMPARE(ScaleMin, soundMin);
        QCOMPARE(ScaleMax, soundMax);
        QVERIFY(std::isfinite(PixelsPerDegree) && PixelsPerDegree > 0);
        for (const SurfaceOp& op : log) {
            QVERIFY(std::isfinite(op.a.y()) && std::isfinite(op.b.y()));
            QVERIFY(std::abs(op.a.y()) < 1e6 && std::abs(op.b.y()) < 1e6);
        }
        // The bottom of the range stands at the bottom of the scale.
        QCOMPARE(LevelY(ScaleMin), 350.0F);
    }

    void wildReadingsStayDrawable_data() {
        QTest::addColumn<float>("reading");
        QTest::addColumn<double>("automatic");
        QTest::newRow("huge, automatic") << 1e30F << double(True);
        QTest::newRow("huge below, automatic") << -1e30F << double(True);
        QTest::newRow("infinite, automatic") << float(INFINITY) << double(True);
        QTest::newRow("huge, fixed") << 1e30F << double(False);
        QTest::newRow("not a number") << float(NAN) << double(True);
    }
    void wildReadingsStayDrawable() {
        QFETCH(float, reading);
        QFETCH(double, automatic);
        DisplayStage h;
        UseStartUpDefaults();
        ZidouMode = automatic;
        ScaleMin = 20;
        ScaleMax = 20.001;  // a steep scale: far readings lie far off the picture
        DrawThermometer();
        float t = reading;
        std::vector<SurfaceOp> log;
        Picture1->log = &log;
        ShowTemperature(t);
        QVERIFY(std::isfinite(ScaleMin) && std::isfinite(ScaleMax));
        QVERIFY(ScaleMax > ScaleMin);
        if (std::isnan(reading)) {
            // Not a reading: nothing painted, nothing changed.
            QVERIFY(log.empty());
            QCOMPARE(LastLevelY, 0);
        } else {
            QVERIFY(LastLevelY >= 20 && LastLevelY <= 365);
        }
        for (const SurfaceOp& op : log)
            QVERIFY(std::abs(op.a.y()) <= 1e5 && std::abs(op.b.y()) <= 1e5);
        float next = 20;
        ShowTemperature(next);  // and the gauge goes on working
        QVERIFY(LastLevelY >= 20 && LastLevelY <= 365);
    }
};

QTEST_MAIN(ThermometerTest)
#include "thermometer_test.moc"
