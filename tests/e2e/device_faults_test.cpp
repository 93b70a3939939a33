// Device faults against the real program and the simulated box: a box that is silent at
// first, answers in bursts, sends noise or answers late; a port held by another program,
// missing at start-up, or closed to this user. In every case the program keeps running,
// stays idle while it has no box, and reads the box as soon as it can.

#include <QSerialPort>
#include <QtTest>
#include <set>

#include "support/box_rig.h"

namespace {

// The read-out for raw byte `raw` with the rig's table (raw - 40 degrees).
QString Shown(int raw) {
    const int degrees = raw - 40;
    return QString(" ") + (degrees < 0 ? "-" : " ") + QString::number(std::abs(degrees));
}

// True when the start-up log holds `reason` followed by the device's `name`, which may stand
// on a line of its own and may be shortened in its middle.
bool Logged(const BoxRig& rig, const QString& reason, const QString& name) {
    const QString log =
        rig.trace.values("Picture2").join(QString()).remove(QStringLiteral("　"));
    const qsizetype at = log.indexOf(reason);
    if (at < 0) return false;
    const QString rest = log.mid(at + reason.size());
    return rest.startsWith(name.left(10)) && rest.contains(name.right(10));
}

// CPU of the program while `during` runs must stay under 2 % of one core.
#define QVERIFY_IDLE(rig, during)                                                        \
    do {                                                                                 \
        const long before_ = (rig).cpuTicks();                                           \
        QElapsedTimer clock_;                                                            \
        clock_.start();                                                                  \
        during;                                                                          \
        const long ticks_ = (rig).cpuTicks() - before_;                                  \
        const double seconds_ = clock_.elapsed() / 1000.0;                               \
        QVERIFY2(BoxRig::idle(ticks_, seconds_),                                         \
                 qPrintable(QString("%1 CPU ticks in %2 s").arg(ticks_).arg(seconds_))); \
    } while (0)

}  // namespace

class DeviceFaultsTest : public QObject {
    Q_OBJECT
  private slots:
    void aBoxSilentAtFirstIsRecognisedWhenItAnswers() {
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", "constant:63", "--silent-for", "3"}));
        QVERIFY(rig.startProgram());
        // Start-up itself (loading Qt, fonts and files) is not idle time: measure from its end.
        QVERIFY(rig.waitFor(
            [&] { return rig.trace.printed(QStringLiteral("「ざんぽ」初期化中。")); }, 10000));
        QVERIFY(rig.eventTime("tx") < 0);
        QVERIFY_IDLE(rig, QVERIFY(rig.waitFor([&] { return rig.eventTime("tx") >= 0; }, 10000)));
        QCOMPARE(rig.trace.values("Text1"), QStringList{"Text1"});
        QVERIFY(!rig.trace.printed(Announced));
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Announced); }, 3000));
        QVERIFY(rig.waitFor([&] { return rig.trace.last("Text1") == "  23"; }, 3000));
        QVERIFY_ALIVE(rig);
    }

    void burstsCountByTheirFirstByte() {
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", "ramp:50:3", "--burst", "4"}));
        QVERIFY(rig.startProgram());
        QVERIFY(rig.waitFor([&] { return rig.requests() >= 20; }, 10000));
        QVERIFY(rig.trace.printed(Announced));
        QVERIFY_ALIVE(rig);
        std::set<QString> firsts;
        for (const BoxEvent& e : rig.boxLog())
            if (e.what == "tx")
                firsts.insert(Shown(e.details.section(' ', 0, 0).toInt(nullptr, 16)));
        const QStringList shown = rig.trace.values("Text1");
        QVERIFY(shown.size() > 10);
        for (const QString& v : shown.mid(1)) QVERIFY2(firsts.count(v) == 1, qPrintable(v));
    }

    void noiseNeitherStopsNorFloodsTheProgram() {
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", "constant:63", "--noise", "0.5", "--noise-every", "30",
                              "--noise-start", "7"}));
        QVERIFY(rig.startProgram());
        QVERIFY(rig.waitFor([&] { return rig.requests() >= 10; }, 10000));
        QVERIFY_IDLE(rig, QVERIFY(rig.waitFor([&] { return rig.requests() >= 35; }, 10000)));
        QVERIFY(rig.trace.printed(Announced));
        QVERIFY(rig.eventTime("noise") >= 0);
        QVERIFY_ALIVE(rig);
    }

    void lateAnswersAreTakenOnTheNextTick() {
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", "constant:63", "--delay", "150"}));
        QVERIFY(rig.startProgram());
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Announced); }, 10000));
        QVERIFY(rig.waitFor([&] { return rig.requests() >= 20; }, 10000));
        QCOMPARE(rig.trace.last("Text1"), QString("  23"));
        QVERIFY_ALIVE(rig);
    }

    // Another program has the port: the user is told so; once it lets go, the box is read.
    void aPortHeldByAnotherProgramIsTakenWhenFreed() {
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", "constant:63"}));
        auto holder = std::make_unique<QSerialPort>(rig.link());
        QVERIFY(holder->open(QIODevice::ReadWrite));
        QVERIFY(rig.startProgram());
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Missing); }, 10000));
        // The reason follows on its own line, maybe in a later read of the trace.
        QVERIFY(rig.waitFor(
            [&] { return Logged(rig, "ほかのプログラムが使用中です：", rig.link()); }, 2000));
        QVERIFY_IDLE(rig, QTest::qWait(4500));
        QCOMPARE(rig.requests(), 0);
        holder.reset();
        QVERIFY2(rig.waitFor([&] { return rig.requests() >= 1; }, 3000),
                 "the freed port was not taken within 3 s");
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Announced); }, 3000));
        QVERIFY_ALIVE(rig);
    }

    // The box is plugged in after the program started without it.
    void aBoxPluggedInLaterIsFound() {
        BoxRig rig;
        QVERIFY(rig.startProgram());
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Missing); }, 10000));
        QVERIFY(rig.waitFor([&] { return Logged(rig, "見つかりません：", rig.link()); }, 2000));
        QVERIFY_IDLE(rig, QTest::qWait(3000));
        QVERIFY(rig.startBox({"--profile", "constant:63"}));
        QVERIFY2(rig.waitFor([&] { return rig.requests() >= 1; }, 3000),
                 "the box was not polled within 3 s of being plugged in");
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Announced); }, 3000));
        QVERIFY_ALIVE(rig);
    }

    // Without permission on the device the user learns which group to join, when joining it
    // would help, and otherwise that the device may not be opened.
    void aDeviceClosedToTheUserSaysWhatHelps_data() {
        QTest::addColumn<bool>("groupReadWrite");
        QTest::newRow("the group may only write") << false;
        QTest::newRow("the group may read and write") << true;
    }
    void aDeviceClosedToTheUserSaysWhatHelps() {
        QFETCH(bool, groupReadWrite);
        const QStringList nobody = BoxRig::asNobody();
        if (nobody.isEmpty()) QSKIP("needs root and setpriv to run the program as nobody");
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", "constant:63"}));
        // The pty itself (rw for its owner, root, and w for group tty), not the private link.
        const QString pty = rig.boxLog().value(0).details.section(" -> ", 1);
        QVERIFY(pty.startsWith("/dev/pts/"));
        if (groupReadWrite)
            QVERIFY(QFile::setPermissions(
                pty, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup));
        QVERIFY(rig.startProgram(pty, nobody));
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Missing); }, 10000));
        const QString group = QFileInfo(pty).group();
        const QString reason = groupReadWrite ? group + " グループへの参加が必要です："
                                              : QString("開く権限がありません：");
        QVERIFY2(rig.waitFor([&] { return Logged(rig, reason, pty); }, 2000),
                 qPrintable(rig.trace.values("Picture2").join(" | ")));
        QVERIFY_IDLE(rig, QTest::qWait(4500));
        QCOMPARE(rig.requests(), 0);
        QVERIFY_ALIVE(rig);
    }
};

QTEST_GUILESS_MAIN(DeviceFaultsTest)
#include "device_faults_test.moc"
