// The simulated box on its own: what it answers to requests, as a program on the other
// end of its pty sees it.
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Runs zanpo-sim with `options` and talks to it through its link.
struct Sim {
    explicit Sim(const QStringList& options) {
        link = dir.filePath("zanpo");
        process.start(qEnvironmentVariable("ZANPO_SIM_BIN"), QStringList{"--link", link} + options);
        started = process.waitForStarted(5000) && process.waitForReadyRead(5000) &&
                  QString::fromLocal8Bit(process.readLine()).trimmed() == link;
        if (!started) return;
        port.setPortName(link);
        started = port.open(QIODevice::ReadWrite);
    }
    ~Sim() {
        port.close();
        process.terminate();
        process.waitForFinished(3000);
    }
    // Sends `bytes` and collects what comes back within `ms`.
    QByteArray ask(const QByteArray& bytes, int ms = 150) {
        port.write(bytes);
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            QTest::qWait(10);
            got += port.readAll();
        }
        return got;
    }
    QByteArray answers(int n) {
        QByteArray all;
        for (int i = 0; i < n; ++i) all += ask("\xf2");
        return all;
    }
    QTemporaryDir dir;
    QString link;
    QProcess process;
    QSerialPort port;
    bool started = false;
};

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out += char(v);
    return out;
}

}  // namespace

class ZanpoSimTest : public QObject {
    Q_OBJECT
  private slots:
    void answersFromItsProfile_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("answers");  // to four requests
        QTest::newRow("constant") << QStringList{"--profile", "constant:63"}
                                  << Bytes({63, 63, 63, 63});
        QTest::newRow("ramp wraps")
            << QStringList{"--profile", "ramp:254"} << Bytes({254, 255, 0, 1});
        QTest::newRow("ramp with a step")
            << QStringList{"--profile", "ramp:10:-5"} << Bytes({10, 5, 0, 251});
        QTest::newRow("script loops")
            << QStringList{"--profile", "script:SCRIPT"} << Bytes({7, 200, 13, 7});
        // 45 degrees at the start of the cooling, through the air sensor's -20..50 map.
        QTest::newRow("cooling") << QStringList{"--profile", "cooling:45:20:100000"}
                                 << Bytes({237, 237, 237, 237});
        QTest::newRow("cooling, own map")
            << QStringList{"--profile", "cooling:45:20:100000", "--sensor-map", "0:51"}
            << Bytes({225, 225, 225, 225});
        QTest::newRow("burst") << QStringList{"--profile", "constant:10", "--burst", "2"}
                               << Bytes({10, 95, 10, 95, 10, 95, 10, 95});
    }
    void answersFromItsProfile() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, answers);
        QTemporaryDir scripts;
        QFile script(scripts.filePath("script"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("7, 200\n13\n");
        script.close();
        options.replaceInStrings("SCRIPT", script.fileName());
        Sim sim(options);
        QVERIFY(sim.started);
        QCOMPARE(sim.ask(Bytes({0, 0, 255})), QByteArray());  // the greeting is not answered
        QCOMPARE(sim.answers(4), answers);
        QCOMPARE(sim.ask("\x01\x7f"), QByteArray());  // nor is anything else
    }

    void silentAtFirstThenAnswering() {
        Sim sim({"--profile", "constant:5", "--silent-for", "0.5"});
        QVERIFY(sim.started);
        QCOMPARE(sim.answers(2), QByteArray());
        QTest::qWait(300);
        QCOMPARE(sim.answers(1), Bytes({5}));
    }

    void answersLate() {
        Sim sim({"--profile", "constant:5", "--delay", "300"});
        QVERIFY(sim.started);
        QCOMPARE(sim.ask("\xf2", 150), QByteArray());
        QCOMPARE(sim.ask("", 300), Bytes({5}));
    }

    void refusesBadOptions_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("unknown profile") << QStringList{"--profile", "square"};
        QTest::newRow("constant out of range") << QStringList{"--profile", "constant:256"};
        QTest::newRow("missing script") << QStringList{"--profile", "script:/nonexistent"};
        QTest::newRow("burst 0") << QStringList{"--burst", "0"};
        QTest::newRow("noise above 1") << QStringList{"--noise", "1.5"};
        QTest::newRow("unknown option") << QStringList{"--colour", "red"};
        QTest::newRow("run without program") << QStringList{"--run"};
    }
    void refusesBadOptions() {
        QFETCH(QStringList, options);
        QProcess sim;
        sim.start(qEnvironmentVariable("ZANPO_SIM_BIN"), options);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
    }

    void runsAProgramAndEndsWithIt() {
        QTemporaryDir dir;
        QProcess sim;
        sim.start(qEnvironmentVariable("ZANPO_SIM_BIN"),
                  {"--link", dir.filePath("zanpo"), "--run", "sh", "-c",
                   "test -L \"$KELVIRA_PORT1\" && exit 7"});
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 7);
        QVERIFY(!QFileInfo::exists(dir.filePath("zanpo")));  // the link goes with the box
    }
};

QTEST_GUILESS_MAIN(ZanpoSimTest)
#include "zanpo_sim_test.moc"
