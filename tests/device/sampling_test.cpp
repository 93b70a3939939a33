// The connection watch and the poll, against the fake line.
#include <QLineEdit>
#include <QtTest>
#include <algorithm>

#include "device/device_link.h"
#include "display/graph.h"
#include "display/thermometer.h"
#include "platform/window_timer.h"
#include "support/device_stage.h"

namespace {

// A started program: defaults in force, the line open and greeted, the watch armed.
struct Watch : DeviceStage {
    Watch() {
        Vexo::ScaleMax = 100;
        Vexo::ScaleMin = -10;
        Vexo::KionMode = Vexo::True;
        Vexo::ZidouMode = Vexo::True;
        Vexo::RequestBytes[0] = 0xF2;
        for (int i = 0; i <= Vexo::LastRaw; ++i) Vexo::KionTable[i] = static_cast<int16_t>(i - 40);
        Vexo::InitDevice();
        Vexo::Timer4->setInterval(200);
        Vexo::Timer4->setEnabled(true);
        line.writes.clear();
        Vexo::Picture2->log = &printed;
    }
    ~Watch() { Vexo::Picture2->log = nullptr; }
    // One tick of the watch with `answer` waiting on the line.
    void tick(const QByteArray& answer = {}) {
        line.receive(answer);
        Vexo::Timer4->tick();
    }
    QStringList lines() const {
        QStringList out;
        for (const auto& op : printed)
            if (op.kind == SurfaceOp::Print) out << op.text;
        return out;
    }
    QString text1() const { return temperature; }
    std::vector<SurfaceOp> printed;
};

QByteArray Raw(int value) {
    return QByteArray(1, static_cast<char>(value));
}

}  // namespace

class SamplingTest : public QObject {
    Q_OBJECT
  private slots:
    void theFirstAnswerIsAnnouncedOnce() {
        Watch w;
        w.tick();
        w.tick();
        QVERIFY(w.lines().isEmpty());
        w.tick(Raw(63));
        const QStringList announced = {"「ざんぽ」の接続を確認しました。",
                                       "初期化継続中！・・・あと３秒"};
        QCOMPARE(w.lines(), announced);
        QCOMPARE(w.text1(), QString("  23"));
        for (int i = 0; i < 5; ++i) w.tick(Raw(64));
        QCOMPARE(w.lines(), announced);
    }

    // An open port that stays silent for 5 s is said once in the log; the watch goes on.
    void aSilentBoxIsReportedOnceAfterFiveSeconds() {
        Watch w;
        const QString silent = QStringLiteral("「ざんぽ」の応答なし：電源・ケーブル・ポートを確認");
        for (int i = 0; i < 24; ++i) w.tick();
        QVERIFY(w.lines().isEmpty());
        w.tick();
        QCOMPARE(w.lines(), QStringList{silent});
        for (int i = 0; i < 100; ++i) w.tick();
        QCOMPARE(w.lines(), QStringList{silent});
        w.tick(Raw(63));
        QCOMPARE(w.lines().size(), 3);  // the answer is announced as always
    }

    void aBoxThatAnsweredIsNeverReportedSilent() {
        Watch w;
        w.tick(Raw(63));
        for (int i = 0; i < 100; ++i) w.tick();
        QCOMPARE(w.lines().size(), 2);
    }

    void handsOverOnTheTenthAnswerWhateverLiesBetween() {
        Watch w;
        for (int i = 0; i < 9; ++i) {
            w.tick(Raw(60 + i));
            w.tick();
            w.tick();
        }
        QVERIFY(Vexo::Timer4->running());
        QVERIFY(!Vexo::Timer1->enabled());
        QCOMPARE(int(Vexo::AnswerCount), 9);
        w.tick(Raw(70));
        QCOMPARE(Vexo::Timer4->interval(), 0);
        QVERIFY(!Vexo::Timer4->enabled());
        QCOMPARE(Vexo::Timer1->interval(), 200);
        QVERIFY(Vexo::Timer1->enabled());
    }

    void theWatchShowsEachAnswerAndKeepsItOnEmptyTicks() {
        Watch w;
        w.tick(Raw(35));
        QCOMPARE(w.text1(), QString(" -5"));
        QCOMPARE(int(Vexo::RawValue), 35);
        w.tick();
        QCOMPARE(w.text1(), QString(" -5"));
        QCOMPARE(int(Vexo::RawValue), 35);
        w.tick(Raw(40));
        QCOMPARE(w.text1(), QString("  0"));
    }

    void handOverFitsTheRangeOnlyWhenAutomatic_data() {
        QTest::addColumn<double>("zidou");
        QTest::addColumn<int>("raw");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("requests");  // at the hand-over tick
        QTest::newRow("automatic, 23") << -1.0 << 63 << 20.0 << 30.0 << 2;
        QTest::newRow("automatic, -5") << -1.0 << 35 << -10.0 << 0.0 << 2;
        QTest::newRow("fixed (0)") << 0.0 << 63 << -10.0 << 100.0 << 1;
        QTest::newRow("fixed (1 is not true)") << 1.0 << 63 << -10.0 << 100.0 << 1;
    }
    void handOverFitsTheRangeOnlyWhenAutomatic() {
        QFETCH(double, zidou);
        QFETCH(int, raw);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(int, requests);
        Watch w;
        Vexo::ZidouMode = zidou;
        for (int i = 0; i < 9; ++i) w.tick(Raw(raw));
        w.line.writes.clear();
        w.tick(Raw(raw));
        QCOMPARE(int(w.line.writes.size()), requests);
        QCOMPARE(Vexo::ScaleMin, min);
        QCOMPARE(Vexo::ScaleMax, max);
    }

    void thePollWritesTheRequestReadsOnceAndTakesTheFirstByte() {
        Watch w;
        const int readsBefore = w.line.reads;
        w.line.receive(QByteArray("\x3f\x90\x10", 3));
        Vexo::Timer1_Timer();
        QCOMPARE(w.line.writes.size(), size_t(1));
        QCOMPARE(w.line.writes[0], QByteArray(1, '\xF2'));
        QCOMPARE(w.line.reads - readsBefore, 1);
        QCOMPARE(int(Vexo::RawValue), 0x3f);
        QCOMPARE(w.text1(), QString("  23"));
        QVERIFY(w.line.pending.isEmpty());  // the rest of the answer is gone
    }

    void bothEndsOfTheRawRangeIndexTheTable_data() {
        QTest::addColumn<int>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << " -40";
        QTest::newRow("255") << 255 << "  215";
    }
    void bothEndsOfTheRawRangeIndexTheTable() {
        QFETCH(int, raw);
        QFETCH(QString, text);
        Watch w;
        w.line.receive(Raw(raw));
        Vexo::Timer1_Timer();
        QCOMPARE(int(Vexo::RawValue), raw);
        QCOMPARE(w.text1(), text);
    }

    // The box goes away and comes back: nothing changes while it is gone, the port is
    // tried again every ten ticks, and once it opens the box is greeted and polled.
    void aLostLineIsOpenedAgainAndGreeted() {
        Watch w;
        w.line.receive(Raw(63));
        Vexo::Timer1_Timer();
        w.line.lose();
        w.line.failOpen = true;
        const int attempts = w.line.openAttempts;
        w.line.writes.clear();
        for (int i = 0; i < 25; ++i) Vexo::Timer1_Timer();
        QCOMPARE(w.line.openAttempts - attempts, 2);
        QVERIFY(w.line.writes.empty());
        QCOMPARE(w.text1(), QString("  23"));
        QCOMPARE(int(Vexo::RawValue), 63);

        w.line.failOpen = false;
        w.line.calls.clear();
        for (int i = 0; i < 5; ++i) Vexo::Timer1_Timer();  // the 30th tick tries again
        QVERIFY(w.line.portOpen());
        // The device is chosen afresh before each opening: an adapter plugged in since counts.
        const auto open = std::find(w.line.calls.begin(), w.line.calls.end(), "Open");
        QVERIFY(open != w.line.calls.begin() && open != w.line.calls.end());
        QCOMPARE(*(open - 1), QString("CommPort %1").arg(Vexo::PortNumber));
        QCOMPARE(w.line.writes.size(), size_t(4));
        QCOMPARE(w.line.writes[0] + w.line.writes[1] + w.line.writes[2] + w.line.writes[3],
                 QByteArray("\x00\x00\xff\xf2", 4));
        w.line.receive(Raw(45));
        Vexo::Timer1_Timer();
        QCOMPARE(w.text1(), QString("  5"));
    }

    void theWatchKeepsCountingAcrossALostLine() {
        Watch w;
        for (int i = 0; i < 6; ++i) w.tick(Raw(60));
        w.line.lose();
        for (int i = 0; i < 10; ++i) w.tick();  // the tenth reopens the port
        QVERIFY(w.line.portOpen());
        QCOMPARE(int(Vexo::AnswerCount), 6);
        for (int i = 0; i < 3; ++i) w.tick(Raw(60));
        QVERIFY(Vexo::Timer4->running());
        w.tick(Raw(60));
        QVERIFY(!Vexo::Timer4->running());
        QVERIFY(Vexo::Timer1->running());
        QCOMPARE(w.lines().size(), 2);  // announced once, not again after the return
    }

    // A box that falls silent after the hand-over: after 2 s the title says so, until it
    // answers again.
    void aBoxFallenSilentIsMarkedInTheTitle() {
        Watch w;
        for (int i = 0; i < Vexo::WatchAnswers; ++i) w.tick(Raw(63));
        QVERIFY(Vexo::Timer1->running());
        w.line.receive(Raw(63));
        Vexo::Timer1->tick();
        const QString plain = w.title;
        for (int i = 0; i < 9; ++i) Vexo::Timer1->tick();
        QCOMPARE(w.title, plain);
        Vexo::Timer1->tick();
        QCOMPARE(w.title, plain + QStringLiteral("（「ざんぽ」の応答なし）"));
        w.line.receive(Raw(64));
        Vexo::Timer1->tick();
        QCOMPARE(w.title, plain);
    }

    // A frame drawn over the log before the box has answered (a dialog does that): the log
    // starts again at the top, each line whole on a band of the graph's background.
    void theLogAfterAFrameStartsAgainAtTheTop() {
        Watch w;
        Vexo::GrphBack = RGB(192, 192, 192);
        Vexo::DrawThermometer();
        Vexo::DrawGraphFrame();
        w.printed.clear();
        for (int i = 0; i < 25; ++i) w.tick();
        w.tick(Raw(63));
        QStringList lines;
        double y = 0;
        for (size_t i = 0; i < w.printed.size(); ++i) {
            const SurfaceOp& op = w.printed[i];
            if (op.kind != SurfaceOp::Print) continue;
            lines << op.text;
            QCOMPARE(op.a, QPointF(0, y));
            QVERIFY(i > 0 && w.printed[i - 1].kind == SurfaceOp::FilledBox);
            QCOMPARE(w.printed[i - 1].a, op.a);
            y += QFontMetrics(Vexo::Picture2->font()).height();
        }
        QCOMPARE(lines, QStringList({"「ざんぽ」の応答なし：電源・ケーブル・ポートを確認",
                                     "「ざんぽ」の接続を確認しました。",
                                     "初期化継続中！・・・あと３秒"}));
        const QFontMetrics metrics(Vexo::Picture2->font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= Vexo::Picture2->width(), qPrintable(line));
    }

    void aPortThatNeverOpenedIsTriedAgainLater() {
        DeviceStage h;
        h.line.failOpen = true;
        Vexo::PortNumber = 1;
        Vexo::RequestBytes[0] = 0xF2;
        Vexo::InitDevice();
        QVERIFY(Vexo::DeviceMissing);
        h.line.failOpen = false;  // the box is plugged in after start-up
        for (int i = 0; i < 9; ++i) Vexo::Timer4_Timer();
        QVERIFY(!h.line.portOpen());
        Vexo::Timer4_Timer();
        QVERIFY(h.line.portOpen());
        QCOMPARE(h.line.writes.size(), size_t(4));
    }
};

QTEST_MAIN(SamplingTest)
#include "sampling_test.moc"
