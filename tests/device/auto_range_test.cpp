// The automatic range: fitted to the current reading at first, to the recording later.
#include <QtTest>

#include "core/reading.h"
#include "core/vexo.h"
#include "device/device_link.h"

class AutoRangeTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { Vexo::ResetState(); }

    void fitsTheCurrentReading_data() {
        QTest::addColumn<int>("degrees");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::newRow("23") << 23 << 20.0 << 30.0;
        QTest::newRow("28") << 28 << 20.0 << 40.0;
        QTest::newRow("0") << 0 << -10.0 << 10.0;
        QTest::newRow("-5") << -5 << -10.0 << 0.0;
        QTest::newRow("18: 12 above reaches 30") << 18 << 10.0 << 30.0;
        QTest::newRow("8: 20 is the next ten") << 8 << 0.0 << 20.0;
        QTest::newRow("13: 3 below reaches 10") << 13 << 10.0 << 20.0;
        QTest::newRow("-3: floor goes down") << -3 << -10.0 << 0.0;
        QTest::newRow("-13: both ends below 0") << -13 << -20.0 << -10.0;
        QTest::newRow("100") << 100 << 90.0 << 110.0;
    }
    void fitsTheCurrentReading() {
        QFETCH(int, degrees);
        QFETCH(double, min);
        QFETCH(double, max);
        Vexo::RawValue = 77;
        Vexo::ConvTable[77] = static_cast<int16_t>(degrees);
        Vexo::RestateReading();
        // Data of an earlier run does not count while nothing has been recorded.
        Vexo::TrendBuffer.fill(9000);
        Vexo::ElapsedTicks = 0;
        Vexo::AutoRange();
        QCOMPARE(Vexo::ScaleMin, min);
        QCOMPARE(Vexo::ScaleMax, max);
    }

    void fitsTheRecording_data() {
        QTest::addColumn<QVector<float>>("recorded");  // hundredths, ticks 0..n
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::newRow("18..31") << QVector<float>{1800, 2500, 3100, 2000} << 10.0 << 40.0;
        QTest::newRow("one tick") << QVector<float>{2300, 2300} << 20.0 << 30.0;
        QTest::newRow("fractions of a degree") << QVector<float>{3099.99f, 2000} << 10.0 << 40.0;
        QTest::newRow("negative") << QVector<float>{-550, -120, -990} << -20.0 << 10.0;
    }
    void fitsTheRecording() {
        QFETCH(QVector<float>, recorded);
        QFETCH(double, min);
        QFETCH(double, max);
        Vexo::RawValue = 0;
        Vexo::ConvTable[0] = 95;  // the current reading does not count
        Vexo::RestateReading();
        for (int i = 0; i < recorded.size(); ++i) Vexo::TrendBuffer[i] = recorded[i];
        Vexo::TrendBuffer[recorded.size()] = 9999;  // past ElapsedTicks: not looked at
        Vexo::ElapsedTicks = recorded.size() - 1;
        Vexo::AutoRange();
        QCOMPARE(Vexo::ScaleMin, min);
        QCOMPARE(Vexo::ScaleMax, max);
    }

    void aTickCountPastTheBufferStopsAtItsEnd() {
        Vexo::TrendBuffer.fill(2000);
        Vexo::TrendBuffer[Vexo::LastTick] = 3500;
        Vexo::ElapsedTicks = 40000;
        Vexo::AutoRange();
        QCOMPARE(Vexo::ScaleMin, 10.0);
        QCOMPARE(Vexo::ScaleMax, 40.0);
    }
};

QTEST_GUILESS_MAIN(AutoRangeTest)
#include "auto_range_test.moc"
