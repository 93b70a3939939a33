// Why the port did not open, told so that a teacher can act on it.
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtTest>

#include "device/port_fault.h"
#include "support/headless.h"
#include "ui/fonts.h"

using Vexo::PortFacts;
Q_DECLARE_METATYPE(PortFacts)

namespace {

PortFacts Facts(bool exists, bool accessible, const QString& group,
                QSerialPort::SerialPortError error, bool groupReadWrite = true) {
    PortFacts f;
    f.groupReadWrite = groupReadWrite;
    f.path = QStringLiteral("/dev/ttyS0");
    f.exists = exists;
    f.accessible = accessible;
    f.group = group;
    f.error = error;
    f.errorText = QStringLiteral("Input/output error");
    return f;
}

}  // namespace

class PortFaultTest : public QObject {
    Q_OBJECT
  private slots:
    void namesTheReason_data() {
        QTest::addColumn<PortFacts>("facts");
        QTest::addColumn<QString>("line");
        const auto notFound = QSerialPort::DeviceNotFoundError;
        const auto permission = QSerialPort::PermissionError;
        QTest::newRow("missing") << Facts(false, false, "", notFound)
                                 << "/dev/ttyS0 が見つかりません。";
        QTest::newRow("gone between open and look")
            << Facts(true, true, "dialout", notFound) << "/dev/ttyS0 が見つかりません。";
        QTest::newRow("no permission, group known")
            << Facts(true, false, "dialout", permission)
            << "/dev/ttyS0: dialout グループへの参加が必要です。";
        QTest::newRow("no permission, group unknown")
            << Facts(true, false, "", permission) << "/dev/ttyS0 を開く権限がありません。";
        // crw------- root root: joining root would not help.
        QTest::newRow("no permission, the group may not read and write")
            << Facts(true, false, "root", permission, false)
            << "/dev/ttyS0 を開く権限がありません。";
        QTest::newRow("held by another program") << Facts(true, true, "dialout", permission)
                                                 << "/dev/ttyS0 はほかのプログラムが使用中です。";
        QTest::newRow("something else") << Facts(true, true, "dialout", QSerialPort::ResourceError)
                                        << "/dev/ttyS0 を開けません（Input/output error）。";
    }
    void namesTheReason() {
        QFETCH(PortFacts, facts);
        QFETCH(QString, line);
        QCOMPARE(Vexo::MissingDeviceReason(facts), line);
    }

    // Every reason for the usual device fits on one line of the graph surface.
    void reasonsFitTheGraph() {
        Headless h;
        const QFontMetrics metrics(GothicFont(12));
        for (auto error : {QSerialPort::DeviceNotFoundError, QSerialPort::PermissionError}) {
            for (bool accessible : {true, false}) {
                const QString line =
                    Vexo::MissingDeviceReason(Facts(true, accessible, "dialout", error));
                QVERIFY2(metrics.horizontalAdvance(line) <= Vexo::Picture2->width(),
                         qPrintable(line));
            }
        }
    }

    void gathersTheFactsFromTheSystem() {
        QTemporaryDir dir;
        const QString file = dir.filePath("port");
        QFile(file).open(QIODevice::WriteOnly);
        QFile::link(dir.filePath("nowhere"), dir.filePath("dead"));

        const PortFacts present = Vexo::GatherPortFacts(file, QSerialPort::PermissionError, "x");
        QVERIFY(present.exists);
        QVERIFY(present.accessible);
        QVERIFY(!present.group.isEmpty());
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(!Vexo::GatherPortFacts(file, QSerialPort::PermissionError, "x").groupReadWrite);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::WriteGroup);
        QVERIFY(Vexo::GatherPortFacts(file, QSerialPort::PermissionError, "x").groupReadWrite);
        QCOMPARE(present.error, QSerialPort::PermissionError);

        QVERIFY(!Vexo::GatherPortFacts(dir.filePath("none"), QSerialPort::NoError, "").exists);
        QVERIFY(!Vexo::GatherPortFacts(dir.filePath("dead"), QSerialPort::NoError, "").exists);
    }

    void startUpReportsAMissingPortBelowTheNotice() {
        Headless h;
        QTemporaryDir dir;
        const QString path = dir.filePath("zanpo");
        qputenv("KELVIRA_PORT2", path.toLocal8Bit());
        h.line->failOpen = true;
        h.line->failOpenCode = QSerialPort::DeviceNotFoundError;
        Vexo::PortNumber = 2;
        std::vector<SurfaceOp> ops;
        Vexo::Picture2->log = &ops;
        Vexo::InitDevice();
        QVERIFY(Vexo::DeviceMissing);
        Vexo::ReportMissingDevice();
        Vexo::Picture2->log = nullptr;
        qunsetenv("KELVIRA_PORT2");
        QCOMPARE(ops.size(), size_t(9 + 1 + 2));  // the notice, the device, the report
        QCOMPARE(ops[10].text, QString("ざんぽが接続されていません!"));
        QCOMPARE(ops[11].text, path + " が見つかりません。");
    }
};

QTEST_MAIN(PortFaultTest)
#include "port_fault_test.moc"
