// Why the port did not open, told so that a teacher can act on it.
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtTest>

#include "core/start_up_log.h"
#include "device/device_link.h"
#include "device/port_fault.h"
#include "platform/fonts.h"
#include "support/device_stage.h"

using Vexo::PortFacts;
Q_DECLARE_METATYPE(PortFacts)

namespace {

PortFacts Facts(bool exists, bool accessible, const QString& group,
                SerialFault error, bool groupReadWrite = true) {
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
        const auto notFound = SerialFault::NotFound;
        const auto permission = SerialFault::Refused;
        QTest::newRow("missing") << Facts(false, false, "", notFound) << "見つかりません：";
        QTest::newRow("gone between open and look")
            << Facts(true, true, "dialout", notFound) << "見つかりません：";
        QTest::newRow("no permission, group known")
            << Facts(true, false, "dialout", permission) << "dialout グループへの参加が必要です：";
        QTest::newRow("no permission, group unknown")
            << Facts(true, false, "", permission) << "開く権限がありません：";
        // crw------- root root: joining root would not help.
        QTest::newRow("no permission, the group may not read and write")
            << Facts(true, false, "root", permission, false) << "開く権限がありません：";
        QTest::newRow("held by another program")
            << Facts(true, true, "dialout", permission) << "ほかのプログラムが使用中です：";
        QTest::newRow("something else") << Facts(true, true, "dialout", SerialFault::Gone)
                                        << "開けません（Input/output error）：";
    }
    void namesTheReason() {
        QFETCH(PortFacts, facts);
        QFETCH(QString, line);
        QCOMPARE(Vexo::MissingDeviceReason(facts), line);
    }

    // Every line naming a device stands whole on the graph surface, the reason first, also
    // for the longest stable names of USB adapters: the name keeps its start and its end.
    void reasonsAndLongNamesFitTheGraph() {
        DeviceStage h;
        const QFontMetrics metrics(GothicFont(12));
        const int width = Vexo::Picture2->width();
        const QStringList names = {
            "/dev/ttyS0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
            "/dev/serial/by-id/usb-1a86_USB2.0-Serial-if00-port0",
            "/dev/serial/by-id/usb-1a86_USB_Single_Serial_5434012345-if00"};
        QStringList texts = {"接続ポート："};
        for (auto error : {SerialFault::NotFound, SerialFault::Refused})
            for (bool accessible : {true, false})
                texts << Vexo::MissingDeviceReason(Facts(true, accessible, "dialout", error));
        for (const QString& name : names) {
            for (const QString& text : texts) {
                const QStringList lines = Vexo::FitLogLines(text, name, metrics, width);
                for (const QString& line : lines)
                    QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
                QVERIFY(lines.first().startsWith(text));
                const QString shown = lines.join(QString()).mid(text.size()).remove("　");
                QVERIFY2(shown.startsWith(name.left(7)) && shown.endsWith(name.right(12)),
                         qPrintable(shown));
                if (name == names.first()) QCOMPARE(lines, QStringList{text + name});
            }
        }
    }

    void gathersTheFactsFromTheSystem() {
        QTemporaryDir dir;
        const QString file = dir.filePath("port");
        QFile(file).open(QIODevice::WriteOnly);
        QFile::link(dir.filePath("nowhere"), dir.filePath("dead"));

        const PortFacts present = Vexo::GatherPortFacts(file, SerialFault::Refused, "x");
        QVERIFY(present.exists);
        QVERIFY(present.accessible);
        QVERIFY(!present.group.isEmpty());
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(!Vexo::GatherPortFacts(file, SerialFault::Refused, "x").groupReadWrite);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::WriteGroup);
        QVERIFY(Vexo::GatherPortFacts(file, SerialFault::Refused, "x").groupReadWrite);
        QCOMPARE(present.error, SerialFault::Refused);

        QVERIFY(!Vexo::GatherPortFacts(dir.filePath("none"), SerialFault::None, "").exists);
        QVERIFY(!Vexo::GatherPortFacts(dir.filePath("dead"), SerialFault::None, "").exists);
    }

    void startUpReportsAMissingPortBelowTheNotice() {
        DeviceStage h;
        QTemporaryDir dir(QDir::tempPath() + "/k-XXXXXX");  // short enough to stand whole
        const QString path = dir.filePath("zanpo");
        qputenv("KELVIRA_PORT2", path.toLocal8Bit());
        h.line.failOpen = true;
        h.line.failOpenCode = SerialFault::NotFound;
        Vexo::PortNumber = 2;
        std::vector<SurfaceOp> ops;
        Vexo::Picture2->log = &ops;
        Vexo::InitDevice();
        QVERIFY(Vexo::DeviceMissing);
        Vexo::ReportMissingDevice();
        Vexo::Picture2->log = nullptr;
        qunsetenv("KELVIRA_PORT2");
        // The notice, the device, the report: the reason first, then the device's name.
        QCOMPARE(ops[9].text.left(6), QString("接続ポート："));
        const auto report = std::find_if(ops.begin(), ops.end(), [](const SurfaceOp& op) {
            return op.text == QString("ざんぽが接続されていません!");
        });
        QVERIFY(report != ops.end());
        QString reason;
        for (auto op = report + 1; op != ops.end(); ++op) reason += op->text;
        QCOMPARE(reason.remove("　"), "見つかりません：" + path);
    }
};

QTEST_MAIN(PortFaultTest)
#include "port_fault_test.moc"
