// Logging out, Ctrl+C and SIGTERM end the real program as its quit button does: a clean exit
// with the port closed and its lock file gone.
#include <signal.h>

#include <QtTest>

#include "support/box_rig.h"

class EndSignalsTest : public QObject {
    Q_OBJECT
  private slots:
    void endsCleanly_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void endsCleanly() {
        QFETCH(int, signal);
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", "constant:63"}));
        QVERIFY(rig.startProgram());
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Announced); }, 10000));
        const QString lock = PortLockPath(rig.link());
        QVERIFY2(QFile::exists(lock), qPrintable(lock));
        QCOMPARE(::kill(static_cast<pid_t>(rig.programPid()), signal), 0);
        QVERIFY(rig.waitFor([&] { return !rig.programRunning(); }, 5000 * BoxRig::slowdown()));
        QCOMPARE(rig.programExitStatus(), QProcess::NormalExit);
        QCOMPARE(rig.programExitCode(), 0);
        QVERIFY(!QFile::exists(lock));
    }
};

QTEST_GUILESS_MAIN(EndSignalsTest)
#include "end_signals_test.moc"
