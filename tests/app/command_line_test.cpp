// The command line: what each option gives, the mistakes, and the real program's exit code.
#include <QProcess>
#include <QtTest>

#include "app/command_line.h"
#include "app/install_layout.h"

using App::CommandLine;
using Outcome = CommandLine::Outcome;
Q_DECLARE_METATYPE(Outcome)

class CommandLineTest : public QObject {
    Q_OBJECT
  private slots:
    void parses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("configDir");
        QTest::addColumn<bool>("demo");
        QTest::addColumn<QString>("said");  // a part of the text to print
        QTest::newRow("nothing") << QStringList{} << Outcome::Run << ""
                                 << "" << false << "";
        QTest::newRow("all") << QStringList{"--port", "/dev/ttyUSB0", "--config-dir=/c", "--demo"}
                             << Outcome::Run << "/dev/ttyUSB0"
                             << "/c" << true << "";
        QTest::newRow("help") << QStringList{"--port", "/x", "-h"} << Outcome::Help << ""
                              << "" << false << "$XDG_CONFIG_HOME/kelvira";
        QTest::newRow("version") << QStringList{"--version"} << Outcome::Version << ""
                                 << "" << false << "kelvira " KELVIRA_VERSION "\n";
        QTest::newRow("unknown") << QStringList{"--bogus"} << Outcome::Mistake << ""
                                 << "" << false << "bogus";
        QTest::newRow("no device") << QStringList{"--port"} << Outcome::Mistake << ""
                                   << "" << false << "port";
        QTest::newRow("empty device") << QStringList{"--port="} << Outcome::Mistake << ""
                                      << "" << false << "--port needs a device";
        QTest::newRow("stray argument") << QStringList{"VEXO.TXT"} << Outcome::Mistake << ""
                                        << "" << false << "VEXO.TXT";
    }
    void parses() {
        QFETCH(QStringList, arguments);
        QFETCH(Outcome, outcome);
        QFETCH(QString, port);
        QFETCH(QString, configDir);
        QFETCH(bool, demo);
        QFETCH(QString, said);
        const CommandLine line = App::ParseCommandLine(QStringList{"kelvira"} + arguments);
        QCOMPARE(line.outcome, outcome);
        QCOMPARE(line.options.port, port);
        QCOMPARE(line.options.configDir, configDir);
        QCOMPARE(line.options.demo, demo);
        QVERIFY2(line.text.contains(said), qPrintable(line.text));
        // A mistake is followed by the usage.
        QCOMPARE(line.text.contains("Usage: kelvira [options]"),
                 outcome == Outcome::Mistake || outcome == Outcome::Help);
    }

    // The real program answers a mistake before it needs a display: without one, making the
    // window would end it with another code.
    void mistakeEndsWithTwoBeforeAnyWindow() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        program.setProcessEnvironment(env);
        program.start(qEnvironmentVariable("KELVIRA_BIN"), {"--bogus"});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(program.readAllStandardOutput().isEmpty());
        QVERIFY(program.readAllStandardError().contains("Usage: kelvira [options]"));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
