// A class's password is never shown, whatever its characters, nor its length: not in the
// system's list of processes while Kelvira or the class view runs, not in what either says
// (a group's log and title, a refused address); and it can be given in a file of the user's
// instead of on the command line. On a real broker on 127.0.0.1.
#include <QtTest>

#include "support/broker.h"

namespace {

const QString Password = "Pa55word-7";

QByteArray CommandLineOf(qint64 pid) {
    QFile file(QString("/proc/%1/cmdline").arg(pid));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Start(QProcess& program, const QString& bin, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KELVIRA_TRACE", "1");  // Kelvira's log and title, line by line
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(bin, arguments);
}

}  // namespace

class ClassPasswordTest : public QObject {
    Q_OBJECT
  private slots:
    // On the command line: written over at once with "***", in both programs, and said by
    // neither, whether the broker lets the user in or the address is refused.
    void theCommandLineShowsNoPassword_data() {
        QTest::addColumn<QString>("password");  // as the broker knows it
        QTest::addColumn<QString>("written");   // as the address holds it
        QTest::addColumn<bool>("address");      // the address is one
        QTest::newRow("letters and digits") << Password << Password << true;
        QTest::newRow("a slash, escaped") << "SEC/RET"
                                          << "SEC%2FRET" << true;
        QTest::newRow("a raw slash") << "SEC/RET"
                                     << "SEC/RET" << false;
        QTest::newRow("a long one") << "lo0o0o0o0o0o0o0o0o0o0ong"
                                    << "lo0o0o0o0o0o0o0o0o0o0ong" << true;
    }
    void theCommandLineShowsNoPassword() {
        QFETCH(QString, password);
        QFETCH(QString, written);
        QFETCH(bool, address);
        QTemporaryDir dir;
        Broker broker;
        QCOMPARE(
            RunClient({"mosquitto_passwd", "-c", "-b", dir.filePath("pw"), "teacher", password}),
            0);
        broker.configure(
            {"allow_anonymous false", "password_file " + broker.share(dir.filePath("pw"))});
        QVERIFY(broker.start());
        const QString url =
            "mqtt://teacher:" + written + "@127.0.0.1:" + QString::number(broker.port()) + "/2-1";
        for (const QString& bin :
             {qEnvironmentVariable("KELVIRA_CLASS_BIN"), qEnvironmentVariable("KELVIRA_BIN")}) {
            const bool group = bin.endsWith("kelvira");
            QProcess program;
            Start(program, bin,
                  group ? QStringList{"--no-record", "--port", "/nonexistent", "--class", url}
                        : QStringList{url});
            QVERIFY(program.waitForStarted(5000));
            QByteArray said;
            if (!group && !address) {  // the class view ends at once: an address refused
                QVERIFY(program.waitForFinished(5000));
                QCOMPARE(program.exitCode(), 2);
            } else {
                QVERIFY2(
                    QTest::qWaitFor(
                        [&] { return CommandLineOf(program.processId()).contains("teacher:***@"); },
                        5000),
                    CommandLineOf(program.processId()).constData());
                const QByteArray shown = CommandLineOf(program.processId());
                QVERIFY2(!shown.contains("****"), shown.constData());
                // Signed in, or the group's title says the address is refused.
                QVERIFY(QTest::qWaitFor(
                    [&] {
                        said += program.readAll();
                        return address ? broker.log().contains("u'teacher'")
                                       : said.contains("アドレスが正しくありません");
                    },
                    5000));
                QTest::qWait(300);
                program.terminate();
                QVERIFY(program.waitForFinished(5000));
            }
            said += program.readAll();
            QVERIFY(!said.isEmpty() || !group);
            for (const QString& secret : {password, written})
                QVERIFY2(!said.contains(secret.toUtf8()) &&
                             !CommandLineOf(program.processId()).contains(secret.toUtf8()),
                         said.constData());
        }
    }

    void thePasswordIsNeverShown() {
        QTemporaryDir dir;
        Broker broker;
        QProcess make;
        make.start("mosquitto_passwd", {"-c", "-b", dir.filePath("pw"), "teacher", Password});
        QVERIFY(make.waitForFinished(5000) && make.exitCode() == 0);
        broker.configure(
            {"allow_anonymous false", "password_file " + broker.share(dir.filePath("pw"))});
        QVERIFY(broker.start());
        const QString at = "@127.0.0.1:" + QString::number(broker.port()) + "/2-1";

        // In a file of the user's: the view signs in with it.
        QFile file(dir.filePath("class-password"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Password.toUtf8() + "\n");
        file.close();
        broker.log();
        QProcess view;
        Start(view, qEnvironmentVariable("KELVIRA_CLASS_BIN"),
              {"mqtt://teacher" + at, "--password-file", file.fileName()});
        QString said;
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         said += broker.log();
                         return said.contains("u'teacher'");
                     },
                     5000),
                 qPrintable(said));
        view.terminate();
        QVERIFY(view.waitForFinished(5000));

        // A refused address is said without its password.
        QProcess refused;
        Start(refused, qEnvironmentVariable("KELVIRA_CLASS_BIN"),
              {"mqtt://teacher:" + Password + "@/2-1"});
        QVERIFY(refused.waitForFinished(5000));
        QCOMPARE(refused.exitCode(), 2);
        const QByteArray told = refused.readAll();
        QVERIFY(!told.isEmpty());
        QVERIFY(!told.contains(Password.toUtf8()));
    }
};

QTEST_GUILESS_MAIN(ClassPasswordTest)
#include "class_password_test.moc"
