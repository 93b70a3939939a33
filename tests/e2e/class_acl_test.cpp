// The example classroom configuration of packaging/mosquitto on a real broker: a group may
// publish only under its own name and read nothing, the teacher reads the class, and nobody
// gets in without signing in.
#include <QtTest>

#include "support/broker.h"

namespace {

const QString Sub = "mosquitto_sub", Pub = "mosquitto_pub";

}  // namespace

class ClassAclTest : public QObject {
    Q_OBJECT
  private slots:
    void theExampleLetsEachGroupWriteOnlyItsOwn() {
        // The example's ACL as shipped; its users' passwords made here. The broker is handed
        // copies in its own folder: it reads them as its own user, who may not read the clone.
        const QString source = qEnvironmentVariable("KELVIRA_SOURCE_DIR") + "/packaging/mosquitto/";
        QTemporaryDir dir;
        const QString made = dir.filePath("kelvira.passwd");
        for (const QString user : {"teacher", "han1", "han2"}) {
            QStringList command{"mosquitto_passwd", "-b", made, user, user + "pw"};
            if (user == "teacher") command.insert(1, "-c");  // the file is made with the first
            QCOMPARE(RunClient(command), 0);
        }
        QFile conf(source + "kelvira.conf");
        QVERIFY(conf.open(QIODevice::ReadOnly));
        Broker broker;
        const QString passwords = broker.share(made), acl = broker.share(source + "kelvira.acl");
        QVERIFY(!passwords.isEmpty() && !acl.isEmpty());
        QStringList lines;
        for (const QByteArray& line : conf.readAll().split('\n')) {
            if (line.startsWith("listener") || line.startsWith("persistence")) continue;
            lines << QString::fromUtf8(line)
                         .replace("/etc/mosquitto/kelvira.passwd", passwords)
                         .replace("/etc/mosquitto/kelvira.acl", acl);
        }
        broker.configure(lines);
        QVERIFY2(broker.start(), qPrintable("mosquitto did not start with the example: " + broker.log()));
        const QString port = QString::number(broker.port());
        auto client = [&](const QString& program, const QString& user) {
            return QStringList{program, "-h", "127.0.0.1", "-p", port, "-u", user, "-P", user + "pw"};
        };
        // A subscriber that waits 3 s for one message; its output, empty when none came.
        auto listen = [&](const QString& user, const QString& topic, const QString& id = {}) {
            auto* p = new QProcess(this);
            p->setProcessChannelMode(QProcess::MergedChannels);
            QStringList c = client(Sub, user) + QStringList{"-t", topic, "-C", "1", "-W", "4", "-v"};
            if (!id.isEmpty()) c << "-i" << id;
            p->start(c.first(), c.mid(1));
            p->waitForStarted(3000);
            QTest::qWait(700);  // subscribed
            return p;
        };
        auto heard = [](QProcess* p) {
            p->waitForFinished(8000);
            // The client says "Timed out" when nothing came within its time.
            return QString::fromUtf8(p->readAll()).remove("Timed out").trimmed();
        };
        auto publish = [&](const QString& user, const QString& topic) {
            return RunClient(client(Pub, user) + QStringList{"-t", topic, "-m", "{}", "-q", "1"});
        };

        // The teacher reads what a group writes under its own name.
        QProcess* teacher = listen("teacher", "kelvira/2-1/#");
        QCOMPARE(publish("han1", "kelvira/2-1/han1/tick"), 0);
        QCOMPARE(heard(teacher), QString("kelvira/2-1/han1/tick {}"));

        // A group writing under another group's name reaches nobody.
        teacher = listen("teacher", "kelvira/2-1/#");
        publish("han1", "kelvira/2-1/han2/tick");
        QCOMPARE(heard(teacher), QString());

        // A group reads nothing. (A group's user signs in once at a time: its name is its
        // client's, so the other group publishes.)
        QProcess* group = listen("han2", "kelvira/#");
        QCOMPARE(publish("han1", "kelvira/2-1/han1/tick"), 0);
        QCOMPARE(heard(group), QString());

        // No group can sign in under the name of another client and put it off the broker:
        // the teacher's view hears on.
        broker.log();  // what it said so far
        teacher = listen("teacher", "kelvira/2-1/#", "kelvira-class-view");
        for (const QString id : {"kelvira-class-view", "teacher"})
            RunClient(client(Sub, "han1") + QStringList{"-i", id, "-t", "x", "-W", "1"});
        QCOMPARE(publish("han2", "kelvira/2-1/han2/tick"), 0);
        QCOMPARE(heard(teacher), QString("kelvira/2-1/han2/tick {}"));
        const QString said = broker.log();
        QVERIFY2(!said.contains("already connected"), qPrintable(said));

        // Without signing in, nobody gets in.
        QVERIFY(RunClient({Pub, "-h", "127.0.0.1", "-p", port, "-t", "kelvira/2-1/x/tick", "-m",
                           "{}"}) != 0);
    }
};

QTEST_GUILESS_MAIN(ClassAclTest)
#include "class_acl_test.moc"
