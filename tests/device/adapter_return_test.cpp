// A box on a USB adapter plugged in while the fallback device stands open, on two real
// pseudo-terminals: one in the place of the built-in port, one behind a stable name.
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>

#include "device/port_choice.h"
#include "device/device_link.h"
#include "platform/qt_serial_line.h"
#include "support/device_stage.h"

namespace {

struct Pty {
    Pty() {
        termios raw{};
        cfmakeraw(&raw);
        char path[128] = {};
        if (openpty(&master, &slave, path, &raw, nullptr) == 0) name = path;
        fcntl(master, F_SETFL, O_NONBLOCK);
    }
    ~Pty() {
        ::close(slave);
        ::close(master);
    }
    QByteArray received() {
        QByteArray all;
        char buffer[64];
        ssize_t n;
        while ((n = ::read(master, buffer, sizeof buffer)) > 0) all.append(buffer, int(n));
        return all;
    }
    int master = -1, slave = -1;
    QString name;
};

}  // namespace

class AdapterReturnTest : public QObject {
    Q_OBJECT
  private slots:
    void anAdapterWinsOverTheOpenFallback() {
        Pty builtIn, adapter;
        QVERIFY(!builtIn.name.isEmpty() && !adapter.name.isEmpty());
        QTemporaryDir byId, dev;
        QVERIFY(QFile::link(builtIn.name, dev.filePath("ttyS0")));
        Vexo::SetPortPlaces({byId.path(), dev.filePath("ttyS%1")});
        const int port = 1;

        DeviceStage h;
        auto line = std::make_unique<QtSerialLine>(Vexo::PortDevice);
        Vexo::MSComm1 = line.get();
        Vexo::PortNumber = static_cast<int16_t>(port);
        Vexo::RequestBytes[0] = 0xF2;
        Vexo::InitDevice();
        QVERIFY(!Vexo::DeviceMissing);
        QByteArray heard;
        QTRY_COMPARE(heard += builtIn.received(), QByteArray("\x00\x00\xff", 3));

        // Polled on the fallback; no adapter yet, so it stays.
        for (int i = 0; i < 2 * Vexo::ReopenEveryTicks; ++i) Vexo::Timer1_Timer();
        QTRY_VERIFY((heard += builtIn.received()).count('\xf2') == 2 * Vexo::ReopenEveryTicks);

        QVERIFY(QFile::link(adapter.name, byId.filePath("usb-FTDI_FT232R_USB_UART_A1-if00-port0")));
        for (int i = 0; i < Vexo::ReopenEveryTicks; ++i) Vexo::Timer1_Timer();
        // The adapter is greeted and polled; the fallback hears no more.
        QByteArray got;
        QTRY_VERIFY((got += adapter.received()).startsWith(QByteArray("\x00\x00\xff\xf2", 4)));
        builtIn.received();
        for (int i = 0; i < 3; ++i) Vexo::Timer1_Timer();
        QTRY_VERIFY((got += adapter.received()).count('\xf2') >= 4);
        QCOMPARE(builtIn.received(), QByteArray());
        Vexo::MSComm1 = &h.line;
        Vexo::SetPortPlaces({});
    }
};

QTEST_MAIN(AdapterReturnTest)
#include "adapter_return_test.moc"
