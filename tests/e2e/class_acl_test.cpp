// The example classroom configuration of packaging/mosquitto on a real broker: a group may
// publish only its own messages and read nothing, the teacher reads the class, nobody gets in
// without signing in, and a message larger than any Kelvira sends is refused.
#include <QtTest>
#include <memory>
#include <mutex>

#include "classlink/broker_link.h"
#include "classlink/class_messages.h"
#include "support/broker.h"

namespace {

const QString Sub = "mosquitto_sub", Pub = "mosquitto_pub";

// A user's connection through the class's own link, and what it heard.
struct Client {
    std::mutex lock;
    QList<QPair<QByteArray, QByteArray>> heard;
    std::unique_ptr<ClassLink::BrokerLink> link;

    Client(const QString& url, const QStringList& patterns = {}) {
        ClassLink::BrokerConnection::Callbacks callbacks;
        callbacks.received = [this](const QByteArray& topic, const QByteArray& payload) {
            const std::lock_guard<std::mutex> guard(lock);
            heard.append({topic, payload});
        };
        link =
            std::make_unique<ClassLink::BrokerLink>(ClassLink::ParseClassAddress(url), "test",
                                                    ClassLink::BrokerConnection::Will{}, callbacks);
        QList<QByteArray> subscriptions;
        for (const QString& p : patterns) subscriptions << p.toUtf8();
        link->subscribe(subscriptions);
        link->start();
    }
    bool heardPayload(const QByteArray& payload) {
        const std::lock_guard<std::mutex> guard(lock);
        for (const auto& message : heard)
            if (message.second == payload) return true;
        return false;
    }
};

}  // namespace

class ClassAclTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Broker> broker_;

    QString url(const QString& user) const {
        return "mqtt://" + user + ":" + user + "pw@127.0.0.1:" + QString::number(broker_->port()) +
               "/2-1";
    }

    // `topic`'s message as `user` publishes it with `client`'s link or, for an old client
    // (MQTT 3.1.1, which knows no limit of the broker's), with Mosquitto's own; whether the
    // teacher heard it. A marker published after it, on the same connection or once the
    // other client is done, tells when it would have come.
    bool teacherHears(Client& teacher, Client* client, const QString& user, const QByteArray& topic,
                      const QByteArray& payload) {
        static int markers = 0;
        const QByteArray marker = "marker " + QByteArray::number(++markers);
        const QByteArray markerTopic = ClassLink::Topic("2-1", user, ClassLink::Kind::Reading);
        if (client) {
            client->link->publish(topic, payload, 1, false);
            client->link->publish(markerTopic, marker, 1, false);
        } else {
            QTemporaryFile file;
            file.open();
            file.write(payload);
            file.close();
            RunClient({Pub, "-V", "mqttv311", "-h", "127.0.0.1", "-p",
                       QString::number(broker_->port()), "-u", user, "-P", user + "pw", "-t", topic,
                       "-f", file.fileName(), "-q", "1"});
            RunClient({Pub, "-h", "127.0.0.1", "-p", QString::number(broker_->port()), "-u", user,
                       "-P", user + "pw", "-t", markerTopic, "-m", marker, "-q", "1"});
        }
        if (!QTest::qWaitFor([&] { return teacher.heardPayload(marker); }, 5000)) return false;
        return teacher.heardPayload(payload);
    }

  private slots:
    // The example's configuration and ACL as shipped; its users' passwords made here. The
    // broker is handed copies in its own folder: it reads them as its own user, who may not
    // read the clone.
    void initTestCase() {
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
        broker_ = std::make_unique<Broker>();
        const QString passwords = broker_->share(made),
                      acl = broker_->share(source + "kelvira.acl");
        QVERIFY(!passwords.isEmpty() && !acl.isEmpty());
        QStringList lines;
        for (const QByteArray& line : conf.readAll().split('\n')) {
            if (line.startsWith("listener") || line.startsWith("persistence")) continue;
            lines << QString::fromUtf8(line)
                         .replace("/etc/mosquitto/kelvira.passwd", passwords)
                         .replace("/etc/mosquitto/kelvira.acl", acl);
        }
        broker_->configure(lines);
        QVERIFY2(broker_->start(),
                 qPrintable("mosquitto did not start with the example: " + broker_->log()));
    }
    void cleanupTestCase() { broker_.reset(); }

    // A group writes its status, tick, reading and the parts of a lesson, and nothing else:
    // nothing deeper, nothing beside, nothing of another group, in any class.
    void aGroupWritesOnlyItsOwnMessages_data() {
        QTest::addColumn<QByteArray>("topic");
        QTest::addColumn<bool>("heard");
        QTest::newRow("its status") << QByteArray("kelvira/2-1/han1/status") << true;
        QTest::newRow("its tick") << QByteArray("kelvira/2-1/han1/tick") << true;
        QTest::newRow("the first part") << QByteArray("kelvira/2-1/han1/lesson/0") << true;
        QTest::newRow("the last part") << QByteArray("kelvira/2-1/han1/lesson/10") << true;
        QTest::newRow("a part past the lesson")
            << QByteArray("kelvira/2-1/han1/lesson/11") << false;
        QTest::newRow("a part written otherwise")
            << QByteArray("kelvira/2-1/han1/lesson/01") << false;
        QTest::newRow("deeper") << QByteArray("kelvira/2-1/han1/tick/x") << false;
        QTest::newRow("beside, under its name") << QByteArray("kelvira/2-1/han1/j1") << false;
        QTest::newRow("its name alone") << QByteArray("kelvira/2-1/han1") << false;
        QTest::newRow("another group's") << QByteArray("kelvira/2-1/han2/tick") << false;
        QTest::newRow("its tick in another class") << QByteArray("kelvira/2-9/han1/tick") << true;
        QTest::newRow("another group's in another class")
            << QByteArray("kelvira/2-9/han2/tick") << false;
    }
    void aGroupWritesOnlyItsOwnMessages() {
        QFETCH(QByteArray, topic);
        QFETCH(bool, heard);
        Client teacher(url("teacher"), {"kelvira/#"});
        Client group(url("han1"));
        QVERIFY(QTest::qWaitFor(
            [&] { return teacher.link->connected() && group.link->connected(); }, 5000));
        QCOMPARE(teacherHears(teacher, &group, "han1", topic, "{\"row\":\"" + topic + "\"}"),
                 heard);
    }

    // Nothing larger than the longest message a Kelvira sends is taken, and a message of
    // megabytes is refused before the broker reads it.
    void anOversizedMessageIsRefused_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("oldClient");
        QTest::addColumn<bool>("heard");
        QTest::newRow("the longest part a Kelvira sends") << 0 << false << true;
        QTest::newRow("past the payload's limit") << 8300 << false << false;
        QTest::newRow("64 MiB from a client that knows no limit") << (64 << 20) << true << false;
    }
    void anOversizedMessageIsRefused() {
        QFETCH(int, size);
        QFETCH(bool, oldClient);
        QFETCH(bool, heard);
        // The longest part: a thousand degrees of -49.99.
        const QByteArray payload =
            size ? QByteArray(size, 'x')
                 : ClassLink::LessonPayload("2026-12-08T10:42:05", 1,
                                            std::vector<float>(2000, -49.99f));
        if (!size) QCOMPARE(payload.size(), 7046);
        Client teacher(url("teacher"), {"kelvira/#"});
        Client group(url("han1"));
        QVERIFY(QTest::qWaitFor(
            [&] { return teacher.link->connected() && group.link->connected(); }, 5000));
        const qint64 before = broker_->peakMemory();
        QCOMPARE(
            teacherHears(teacher, oldClient ? nullptr : &group, oldClient ? "han2" : "han1",
                         "kelvira/2-1/" + QByteArray(oldClient ? "han2" : "han1") + "/lesson/1",
                         payload),
            heard);
        QVERIFY2(broker_->peakMemory() - before < 8 << 20,
                 qPrintable(QString("the broker grew to %1 bytes").arg(broker_->peakMemory())));
    }

    void theExampleLetsEachGroupWriteOnlyItsOwn() {
        Broker& broker = *broker_;
        const QString port = QString::number(broker.port());
        auto client = [&](const QString& program, const QString& user) {
            return QStringList{program, "-h", "127.0.0.1", "-p",       port,
                               "-u",    user, "-P",        user + "pw"};
        };
        // A subscriber that waits 3 s for one message; its output, empty when none came.
        auto listen = [&](const QString& user, const QString& topic, const QString& id = {}) {
            auto* p = new QProcess(this);
            p->setProcessChannelMode(QProcess::MergedChannels);
            QStringList c =
                client(Sub, user) + QStringList{"-t", topic, "-C", "1", "-W", "4", "-v"};
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
