// Windows's serial errors, decided apart from the calls: a port not there, one another
// program holds, an adapter pulled out; and the names CreateFile opens.
#include <QtTest>

#include "platform/com_line.h"

Q_DECLARE_METATYPE(SerialFault)

class ComLineTest : public QObject {
    Q_OBJECT
  private slots:
    void decides_data() {
        QTest::addColumn<unsigned long>("error");
        QTest::addColumn<SerialFault>("fault");
        QTest::addColumn<bool>("ends");
        QTest::newRow("no such port (open)") << 2ul << SerialFault::NotFound << false;
        QTest::newRow("in use by another program (open)") << 32ul << SerialFault::Refused << false;
        QTest::newRow("adapter pulled out: access denied") << 5ul << SerialFault::Gone << true;
        QTest::newRow("adapter pulled out: device not connected")
            << 1167ul << SerialFault::Gone << true;
        QTest::newRow("device removed") << 1617ul << SerialFault::Gone << true;
        QTest::newRow("bad command (handle of a removed device)") << 22ul << SerialFault::Gone << true;
        QTest::newRow("operation aborted (a line error, not the end)")
            << 995ul << SerialFault::Other << false;
        QTest::newRow("timeout") << 121ul << SerialFault::Other << false;
        QTest::newRow("none") << 0ul << SerialFault::None << false;
    }
    void decides() {
        QFETCH(unsigned long, error);
        QFETCH(SerialFault, fault);
        QFETCH(bool, ends);
        QCOMPARE(ComFault(error), fault);
        QCOMPARE(ComEndsTheLine(error), ends);
    }

    void namesEveryPort() {
        QCOMPARE(ComDeviceName("COM1"), QString("\\\\.\\COM1"));
        QCOMPARE(ComDeviceName("COM12"), QString("\\\\.\\COM12"));
        QCOMPARE(ComDeviceName("\\\\.\\COM3"), QString("\\\\.\\COM3"));
    }
};

QTEST_GUILESS_MAIN(ComLineTest)
#include "com_line_test.moc"
