// Which device a port number stands for when none is named, over lists of ports.
#include <QtTest>

#include "device/port_choice.h"

using Vexo::ListedPort;
Q_DECLARE_METATYPE(QList<ListedPort>)

namespace {

const QString FtdiA = "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0";
const QString FtdiB = "/dev/serial/by-id/usb-FTDI_FT232R_B2-if00-port0";
const ListedPort BuiltIn0{"/dev/ttyS0", "", false, {}};
const ListedPort BuiltIn1{"/dev/ttyS1", "", false, {}};
// Listed by QSerialPortInfo in the order of their device numbers, which change from one
// plugging to the next; the by-id names do not.
const ListedPort UsbB{"/dev/ttyUSB0", FtdiB, true, {}};
const ListedPort UsbA{"/dev/ttyUSB1", FtdiA, true, {}};
const ListedPort Acm{"/dev/ttyACM0", "", true, {}};

}  // namespace

class PortChoiceTest : public QObject {
    Q_OBJECT
  private slots:
    void choosesTheDevice_data() {
        QTest::addColumn<QList<ListedPort>>("ports");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device");
        QTest::newRow("no ports") << QList<ListedPort>{} << 1 << "/dev/ttyS0";
        QTest::newRow("built-in only")
            << QList<ListedPort>{BuiltIn0, BuiltIn1} << 2 << "/dev/ttyS1";
        QTest::newRow("one adapter") << QList<ListedPort>{BuiltIn0, UsbB} << 1 << FtdiB;
        QTest::newRow("first by name") << QList<ListedPort>{UsbB, UsbA} << 1 << FtdiA;
        QTest::newRow("second by name") << QList<ListedPort>{UsbB, UsbA} << 2 << FtdiB;
        QTest::newRow("without a name, after")
            << QList<ListedPort>{Acm, UsbB, BuiltIn0} << 2 << "/dev/ttyACM0";
        QTest::newRow("fewer adapters than the port")
            << QList<ListedPort>{BuiltIn0, BuiltIn1, UsbA} << 2 << "/dev/ttyS1";
    }
    void choosesTheDevice() {
        QFETCH(QList<ListedPort>, ports);
        QFETCH(int, port);
        QFETCH(QString, device);
        QCOMPARE(Vexo::ChoosePort(port, ports, Vexo::PortPlaces{"/dev/serial/by-id", "/dev/ttyS%1", 0}),
                 device);
    }

    // On Windows: adapters by the system's id of each device, opened by their COM port.
    void choosesTheComPort() {
        const Vexo::PortPlaces windows{{}, "COM%1", 1};
        const QList<ListedPort> ports{{"COM3", {}, false, "ACPI\\PNP0501\\0"},
                                      {"COM7", {}, true, "USB\\VID_0403&PID_6001\\B2"},
                                      {"COM5", {}, true, "FTDIBUS\\VID_0403+A1"}};
        QCOMPARE(Vexo::ChoosePort(1, ports, windows), QString("COM5"));
        QCOMPARE(Vexo::ChoosePort(2, ports, windows), QString("COM7"));
        QCOMPARE(Vexo::ChoosePort(3, ports, windows), QString("COM3"));
        QCOMPARE(Vexo::ChoosePort(4, {}, windows), QString("COM4"));
    }
};

QTEST_GUILESS_MAIN(PortChoiceTest)
#include "port_choice_test.moc"
