// Which serial port errors end the line.
#include <QtTest>

#include "platform/line_end.h"

class LineEndTest : public QObject {
    Q_OBJECT
  private slots:
    void decides_data() {
        QTest::addColumn<QSerialPort::SerialPortError>("error");
        QTest::addColumn<bool>("ends");
        QTest::newRow("resource (hang-up, unplugged)") << QSerialPort::ResourceError << true;
        QTest::newRow("read") << QSerialPort::ReadError << true;
        QTest::newRow("write (EIO)") << QSerialPort::WriteError << true;
        QTest::newRow("no error (routine)") << QSerialPort::NoError << false;
        QTest::newRow("unsupported call") << QSerialPort::UnsupportedOperationError << false;
        QTest::newRow("timeout") << QSerialPort::TimeoutError << false;
        QTest::newRow("not open") << QSerialPort::NotOpenError << false;
        QTest::newRow("open twice") << QSerialPort::OpenError << false;
        QTest::newRow("device not found (open)") << QSerialPort::DeviceNotFoundError << false;
        QTest::newRow("permission (open)") << QSerialPort::PermissionError << false;
        QTest::newRow("unknown") << QSerialPort::UnknownError << false;
    }
    void decides() {
        QFETCH(QSerialPort::SerialPortError, error);
        QFETCH(bool, ends);
        QCOMPARE(EndsTheLine(error), ends);
    }
};

QTEST_GUILESS_MAIN(LineEndTest)
#include "line_end_test.moc"
