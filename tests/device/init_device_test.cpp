// Start-up of the device link: notice and device, table, port clamp, port set-up order,
// greeting.
#include <QLineEdit>
#include <QtTest>

#include "device/device_link.h"
#include "support/device_stage.h"

class InitDeviceTest : public QObject {
    Q_OBJECT
  private slots:
    void printsTheNotice() {
        DeviceStage h;
        std::vector<SurfaceOp> ops;
        Vexo::Picture2->log = &ops;
        Vexo::PortNumber = 1;
        qputenv("KELVIRA_PORT1", "/dev/ttyUSB7");
        Vexo::InitDevice();
        qunsetenv("KELVIRA_PORT1");
        QStringList lines;
        for (const auto& op : ops) {
            QCOMPARE(op.kind, SurfaceOp::Print);
            lines << op.text;
        }
        const QStringList notice = {
            "「ざんぽ」初期化中。",
            "",
            "　「ざんぽ」が接続されていないと、プログラムが",
            "　起動しません。もし、プログラムが動かない場合に",
            "　は、「ざんぽ」の接続と、ポートの設定を確認して",
            "　下さい。",
            "　初期設定では接続ポートは「１」になっています。",
            "　ポートの設定変更は「VEXO.TXT」で行って下さい。",
            "",
            "接続ポート：/dev/ttyUSB7",  // the device chosen
        };
        QCOMPARE(lines, notice);
        Vexo::Picture2->log = nullptr;
    }

    void clampsThePort_data() {
        QTest::addColumn<int>("configured");
        QTest::addColumn<int>("port");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("-3") << -3 << 1;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("2") << 2 << 2;
        QTest::newRow("4") << 4 << 4;
        QTest::newRow("7") << 7 << 4;
    }
    void clampsThePort() {
        QFETCH(int, configured);
        QFETCH(int, port);
        DeviceStage h;
        Vexo::PortNumber = static_cast<int16_t>(configured);
        Vexo::InitDevice();
        QCOMPARE(int(Vexo::PortNumber), port);
        QCOMPARE(int(h.line.commPort), port);
    }

    void setsUpAndGreetsInOrder() {
        DeviceStage h;
        Vexo::PortNumber = 3;
        Vexo::InitDevice();
        const std::vector<QString> expected = {
            "CommPort 3",   "Settings 9600,N,8,1", "Open",      "InputMode 1", "SThreshold 1",
            "RThreshold 1", "Output 00",           "Output 00", "Output ff",   "Input",
        };
        QCOMPARE(h.line.calls, expected);
        QCOMPARE(h.line.writes.size(), size_t(3));
        QVERIFY(!Vexo::DeviceMissing);
    }

    void dropsWhatArrivedBeforeAndResetsTheReading() {
        DeviceStage h;
        Vexo::RawValue = 200;
        h.line.receive(QByteArray("\x55\x66", 2));
        Vexo::InitDevice();
        QCOMPARE(int(Vexo::RawValue), 0);
        QVERIFY(h.line.pending.isEmpty());
        // The first poll after start-up sees only what came later.
        h.line.receive(QByteArray(1, '\x07'));
        Vexo::Timer1_Timer();
        QCOMPARE(int(Vexo::RawValue), 7);
    }

    void takesTheSelectedSensorsTable_data() {
        QTest::addColumn<double>("kionMode");
        QTest::addColumn<bool>("air");
        QTest::newRow("-1: air") << -1.0 << true;
        QTest::newRow("0: liquid") << 0.0 << false;
        QTest::newRow("1: liquid") << 1.0 << false;
    }
    void takesTheSelectedSensorsTable() {
        QFETCH(double, kionMode);
        QFETCH(bool, air);
        DeviceStage h;
        for (int i = 0; i <= Vexo::LastRaw; ++i) {
            Vexo::KionTable[i] = static_cast<int16_t>(i - 40);
            Vexo::EkionTable[i] = static_cast<int16_t>(100 - i);
        }
        Vexo::KionMode = kionMode;
        Vexo::InitDevice();
        QCOMPARE(Vexo::ConvTable, air ? Vexo::KionTable : Vexo::EkionTable);
        Vexo::KionTable[5] = 999;  // a copy, not a view
        QCOMPARE(Vexo::ConvTable[5], int16_t(air ? -35 : 95));
    }

    void aPortThatDoesNotOpenIsReportedAndTheRestStillRuns() {
        DeviceStage h;
        h.line.failOpen = true;
        Vexo::PortNumber = 2;
        Vexo::InitDevice();
        QVERIFY(Vexo::DeviceMissing);
        QVERIFY(h.line.writes.empty());
        QCOMPARE(h.line.inputMode, 1);
        QCOMPARE(h.line.rThreshold, 1);
        QCOMPARE(h.line.calls.back(), QString("Input"));
        // Polls on the closed port neither fail nor change anything.
        h.temperature = "  5";
        for (int i = 0; i < 25; ++i) Vexo::Timer4_Timer();
        QCOMPARE(h.temperature, QString("  5"));
        QCOMPARE(int(Vexo::AnswerCount), 0);
        QVERIFY(h.line.writes.empty());
    }
};

QTEST_MAIN(InitDeviceTest)
#include "init_device_test.moc"
