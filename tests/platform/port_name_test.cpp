// Which device a port number stands for.
#include <QtTest>

#include "platform/serial_line.h"

class PortNameTest : public QObject {
    Q_OBJECT
  private slots:
    void names_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("override");
        QTest::addColumn<QString>("device");
        QTest::newRow("1") << 1 << QByteArray() << "/dev/ttyS0";
        QTest::newRow("4") << 4 << QByteArray() << "/dev/ttyS3";
        QTest::newRow("2 overridden") << 2 << QByteArray("/tmp/box") << "/tmp/box";
        QTest::newRow("empty override") << 3 << QByteArray("") << "/dev/ttyS2";
    }
    void names() {
        QFETCH(int, port);
        QFETCH(QByteArray, override);
        QFETCH(QString, device);
        const QByteArray name = "KELVIRA_PORT" + QByteArray::number(port);
        if (override.isNull())
            qunsetenv(name.constData());
        else
            qputenv(name.constData(), override);
        QCOMPARE(PortDeviceName(port), device);
        qunsetenv(name.constData());
    }
};

QTEST_GUILESS_MAIN(PortNameTest)
#include "port_name_test.moc"
