// A class's password is never shown: not in the system's list of processes while Kelvira or
// the class view runs, not in what is said of a refused address; and it can be given in a
// file of the user's instead of on the command line. On a real broker on 127.0.0.1.
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
    program.setProcessEnvironment(env);
    program.start(bin, arguments);
}

}  // namespace

class ClassPasswordTest : public QObject {
    Q_OBJECT
  private slots:
    void thePasswordIsNeverShown() {
        QTemporaryDir dir;
        Broker broker;
        QProcess make;
        make.start("mosquitto_passwd", {"-c", "-b", dir.filePath("pw"), "teacher", Password});
        QVERIFY(make.waitForFinished(5000) && make.exitCode() == 0);
        broker.configure({"allow_anonymous false", "password_file " + broker.share(dir.filePath("pw"))});
        QVERIFY(broker.start());
        const QString at = "@127.0.0.1:" + QString::number(broker.port()) + "/2-1";

        // On the command line: written over at once, in both programs.
        for (const QString& bin : {qEnvironmentVariable("KELVIRA_CLASS_BIN"),
                                   qEnvironmentVariable("KELVIRA_BIN")}) {
            QProcess program;
            const QString url = "mqtt://teacher:" + Password + at;
            Start(program, bin,
                  bin.endsWith("kelvira") ? QStringList{"--no-record", "--port", "/nonexistent",
                                                        "--class", url}
                                          : QStringList{url});
            QVERIFY(program.waitForStarted(5000));
            QVERIFY2(QTest::qWaitFor([&] { return CommandLineOf(program.processId()).contains("teacher:*"); },
                                     5000),
                     CommandLineOf(program.processId()).constData());
            QVERIFY(!CommandLineOf(program.processId()).contains(Password.toUtf8()));
            program.terminate();
            QVERIFY(program.waitForFinished(5000));
        }

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
        Start(refused, qEnvironmentVariable("KELVIRA_CLASS_BIN"), {"mqtt://teacher:" + Password + "@/2-1"});
        QVERIFY(refused.waitForFinished(5000));
        QCOMPARE(refused.exitCode(), 2);
        const QByteArray told = refused.readAllStandardError();
        QVERIFY(!told.isEmpty());
        QVERIFY(!told.contains(Password.toUtf8()));
    }
};

QTEST_GUILESS_MAIN(ClassPasswordTest)
#include "class_password_test.moc"
