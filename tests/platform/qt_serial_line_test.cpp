// The Qt serial line against a pseudo-terminal, which stands in for the box's side.
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>
#include <ctime>

#include "platform/qt_serial_line.h"

namespace {

// The box's end of a pty, reached by the program through a link.
struct Box {
    explicit Box(const QString& link) : link_(link) { plugIn(); }
    ~Box() { unplug(); }
    void plugIn() {
        termios raw{};
        cfmakeraw(&raw);
        char name[128] = {};
        QVERIFY(openpty(&master, &slave, name, &raw, nullptr) == 0);
        fcntl(master, F_SETFL, O_NONBLOCK);
        QFile::remove(link_);
        QVERIFY(QFile::link(QString::fromLocal8Bit(name), link_));
    }
    void unplug() {
        if (master < 0) return;
        ::close(slave);
        ::close(master);
        master = slave = -1;
        QFile::remove(link_);
    }
    QByteArray received() {
        QByteArray all;
        char buffer[64];
        ssize_t n;
        while ((n = ::read(master, buffer, sizeof buffer)) > 0) all.append(buffer, int(n));
        return all;
    }
    void send(const QByteArray& bytes) {
        QCOMPARE(::write(master, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }
    int master = -1;
    int slave = -1;

  private:
    QString link_;
};

double CpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

}  // namespace

class QtSerialLineTest : public QObject {
    Q_OBJECT
    // Every port stands for the box's link, as the program would choose it.
    QtSerialLine::DeviceOf Device() const {
        return [link = link_](int) { return link; };
    }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        link_ = dir_.filePath("zanpo");
    }

    void carriesBytesBothWaysWithoutWaiting() {
        Box box(link_);
        QtSerialLine line(Device());
        line.setCommPort(3);
        line.setSettings("9600,N,8,1");
        QVERIFY(line.setPortOpen(true));
        QVERIFY(line.portOpen());
        QVERIFY(line.input().isEmpty());
        for (char b : {'\x00', '\x00', '\xff'}) QVERIFY(line.output(QByteArray(1, b)));
        QByteArray got;
        QTRY_VERIFY((got += box.received()).size() >= 3);
        QCOMPARE(got, QByteArray("\x00\x00\xff", 3));
        box.send(QByteArray("\x3c\x41", 2));
        QByteArray answer;
        QTRY_VERIFY(!(answer += line.input()).isEmpty() && answer.size() == 2);
        QCOMPARE(answer, QByteArray("\x3c\x41", 2));
    }

    // Bytes the system holds from before an opening never reach a read, at the first opening
    // and at a reopening alike; what comes after it does.
    void opensWithNothingReceived() {
        Box box(link_);
        box.send(QByteArray("\x11\x22", 2));  // queued while nobody has the port open
        QtSerialLine line(Device());
        line.setCommPort(3);
        QVERIFY(line.setPortOpen(true));
        QTest::qWait(100);  // long enough for queued bytes to be collected by the event loop
        QVERIFY(line.input().isEmpty());
        box.send(QByteArray("\x33", 1));
        QByteArray got;
        QTRY_COMPARE(got += line.input(), QByteArray("\x33", 1));

        box.send(QByteArray("\x44", 1));  // not read before the port is opened again
        QVERIFY(line.setPortOpen(true));
        QTest::qWait(100);
        QVERIFY(line.input().isEmpty());
    }

    // The other side goes away: the line closes itself at once and then costs nothing.
    void aLostLineClosesAndStaysQuiet() {
        Box box(link_);
        QtSerialLine line(Device());
        line.setCommPort(3);
        QVERIFY(line.setPortOpen(true));
        QVERIFY(line.output(QByteArray(1, '\xf2')));
        QTest::qWait(20);
        box.unplug();
        QTRY_VERIFY_WITH_TIMEOUT(!line.portOpen(), 1000);
        QVERIFY(!line.output(QByteArray(1, '\xf2')));
        QVERIFY(line.input().isEmpty());
        const double before = CpuSeconds();
        QTest::qWait(500);
        QVERIFY2(CpuSeconds() - before < 0.1, "the event loop spins on the lost line");

        // Gone: opening fails and says the device is not there.
        QVERIFY(!line.setPortOpen(true));
        QCOMPARE(line.lastErrorCode(), SerialFault::NotFound);
        // Back on a new pty behind the same link: opening works again.
        box.plugIn();
        QVERIFY(line.setPortOpen(true));
        QVERIFY(line.output(QByteArray(1, '\xf2')));
        QByteArray got;
        QTRY_COMPARE(got += box.received(), QByteArray(1, '\xf2'));
    }

    void aWriteIntoAHungUpLineEndsIt() {
        Box box(link_);
        QtSerialLine line(Device());
        line.setCommPort(3);
        QVERIFY(line.setPortOpen(true));
        box.unplug();
        line.output(QByteArray(1, '\xf2'));  // the write fails once the loop flushes it
        QTRY_VERIFY_WITH_TIMEOUT(!line.portOpen(), 1000);
    }

    void aPortHeldByAnotherIsRefusedAsAPermissionError() {
        Box box(link_);
        QtSerialLine first(Device()), second(Device());
        first.setCommPort(3);
        second.setCommPort(3);
        QVERIFY(first.setPortOpen(true));
        QVERIFY(!second.setPortOpen(true));
        QCOMPARE(second.lastErrorCode(), SerialFault::Refused);
        QVERIFY(!second.lastError().isEmpty());
    }

    void aMissingDeviceIsNotFound() {
        QtSerialLine line(Device());
        line.setCommPort(3);
        QVERIFY(!line.setPortOpen(true));
        QCOMPARE(line.lastErrorCode(), SerialFault::NotFound);
        QVERIFY(!line.portOpen());
        QVERIFY(!line.output(QByteArray(1, '\xf2')));
        QVERIFY(line.input().isEmpty());
    }

  private:
    QTemporaryDir dir_;
    QString link_;
};

QTEST_GUILESS_MAIN(QtSerialLineTest)
#include "qt_serial_line_test.moc"
