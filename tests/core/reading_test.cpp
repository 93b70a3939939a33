// The reading that stands: taken once from the poll's answer, held for the graph ticks that
// come without a new answer, and read through the table in use when the sensor changes.
#include <QtTest>

#include "core/reading.h"
#include "core/vexo.h"

using namespace Vexo;

class ReadingTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ResetState();
        for (int raw = 0; raw <= LastRaw; ++raw) ConvTable[raw] = int16_t(raw - 40);
    }

    void aTickTakesTheAnswerOnceThenHoldsIt() {
        RawValue = 60;
        const Reading& taken = TakeReading();
        QVERIFY(taken.fresh && taken.raw == 60 && taken.degrees == 20.0F);

        const Reading first = ReadingForTick();
        QCOMPARE(first.raw, 60);
        QCOMPARE(first.degrees, 20.0F);
        // No answer since: the next tick records the same degrees, held.
        const Reading second = ReadingForTick();
        QCOMPARE(second.raw, HeldReading);
        QCOMPARE(second.degrees, 20.0F);
        // The byte itself is never lost: a poll's answer of the same byte is fresh again.
        TakeReading();
        QCOMPARE(ReadingForTick().raw, 60);
    }

    void anotherTableReadsTheStandingByteAnew() {
        RawValue = 61;
        TakeReading();
        ConvTable = {};
        ConvTable[61] = 95;  // the other sensor's table
        RestateReading();
        QCOMPARE(StandingReading.degrees, 95.0F);
        QCOMPARE(ReadingForTick().raw, 61);  // still the answer the box gave
        RestateReading();
        QCOMPARE(ReadingForTick().raw, HeldReading);  // and no answer since
    }

    void aByteOutsideTheTableReadsItsEnd_data() {
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("index");
        QTest::newRow("below") << -3 << 0;
        QTest::newRow("above") << 300 << LastRaw;
    }
    void aByteOutsideTheTableReadsItsEnd() {
        QFETCH(int, raw);
        QFETCH(int, index);
        RawValue = int16_t(raw);
        QCOMPARE(TakeReading().degrees, float(ConvTable[index]));
    }
};

QTEST_GUILESS_MAIN(ReadingTest)
#include "reading_test.moc"
