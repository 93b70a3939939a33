// The read-out text: one space, then the number with a sign position.
#include <QtTest>

#include "device/device_link.h"

class ReadoutTest : public QObject {
    Q_OBJECT
  private slots:
    void formats_data() {
        QTest::addColumn<float>("degrees");
        QTest::addColumn<QString>("text");
        QTest::newRow("23") << 23.0f << "  23";
        QTest::newRow("-5") << -5.0f << " -5";
        QTest::newRow("0") << 0.0f << "  0";
        QTest::newRow("-12") << -12.0f << " -12";
        QTest::newRow("105") << 105.0f << "  105";
        QTest::newRow("-32768") << -32768.0f << " -32768";
    }
    void formats() {
        QFETCH(float, degrees);
        QFETCH(QString, text);
        QCOMPARE(Vexo::ReadoutText(degrees), text);
    }
};

QTEST_GUILESS_MAIN(ReadoutTest)
#include "readout_test.moc"
