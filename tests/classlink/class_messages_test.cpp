// The class's messages: what a group publishes reads back as it was, and whatever else comes
// on the class's topics is refused. Addresses of a class, good and bad.
#include <QtTest>

#include "classlink/class_address.h"
#include "classlink/class_messages.h"

using ClassLink::Kind;

class ClassMessagesTest : public QObject {
    Q_OBJECT
  private slots:
    void whatIsPublishedReadsBack() {
        const ClassLink::Tick tick{"2026-12-08T10:42:05", 13, 6.5, -3.25, 63};
        auto read = ClassLink::ReadMessage("2-1", ClassLink::Topic("2-1", "1班", Kind::Tick),
                                           ClassLink::TickPayload(tick));
        QVERIFY(read);
        QCOMPARE(read->group, QString("1班"));
        QCOMPARE(read->tick.index, 13);
        QCOMPARE(read->tick.degrees, -3.25);
        QCOMPARE(read->tick.raw, 63);
        QCOMPARE(read->tick.id, tick.id);

        ClassLink::Status status{"1班", true, true, "liquid", -10, 100, tick.id, "1.0.0"};
        read = ClassLink::ReadMessage("2-1", ClassLink::Topic("2-1", "1班", Kind::Status),
                                      ClassLink::StatusPayload(status));
        QVERIFY(read && read->status.measuring && read->status.max == 100);
        read = ClassLink::ReadMessage("2-1", ClassLink::Topic("2-1", "1班", Kind::Status),
                                      ClassLink::WillPayload("1班"));
        QVERIFY(read && !read->status.online);
        read = ClassLink::ReadMessage("2-1", ClassLink::Topic("2-1", "1班", Kind::Reading),
                                      ClassLink::ReadingPayload({23, ClassLink::NoRaw}));
        QVERIFY(read && read->reading.raw == ClassLink::NoRaw);
    }

    void whatIsNotOfItsFormIsRefused_data() {
        QTest::addColumn<QByteArray>("topic");
        QTest::addColumn<QByteArray>("payload");
        const QByteArray tick = "kelvira/2-1/g/tick";
        const QByteArray good = "{\"id\":\"a\",\"i\":3,\"s\":1.5,\"c\":20,\"raw\":1}";
        QTest::newRow("another class") << QByteArray("kelvira/2-2/g/tick") << good;
        QTest::newRow("too deep") << QByteArray("kelvira/2-1/g/x/tick") << good;
        QTest::newRow("unknown kind") << QByteArray("kelvira/2-1/g/order") << good;
        QTest::newRow("not JSON") << tick << QByteArray("{\"id\":");
        QTest::newRow("an array") << tick << QByteArray("[1,2]");
        QTest::newRow("no id") << tick << QByteArray("{\"i\":3,\"s\":1.5,\"c\":20,\"raw\":1}");
        QTest::newRow("index past the end")
            << tick << QByteArray("{\"id\":\"a\",\"i\":10001,\"s\":5000.5,\"c\":20,\"raw\":1}");
        QTest::newRow("negative index")
            << tick << QByteArray("{\"id\":\"a\",\"i\":-1,\"s\":-0.5,\"c\":20,\"raw\":1}");
        QTest::newRow("index not whole")
            << tick << QByteArray("{\"id\":\"a\",\"i\":2.5,\"s\":1.25,\"c\":20,\"raw\":1}");
        QTest::newRow("seconds not half the index")
            << tick << QByteArray("{\"id\":\"a\",\"i\":3,\"s\":9,\"c\":20,\"raw\":1}");
        QTest::newRow("degrees as text")
            << tick << QByteArray("{\"id\":\"a\",\"i\":3,\"s\":1.5,\"c\":\"20\",\"raw\":1}");
        QTest::newRow("degrees beyond reach")
            << tick << QByteArray("{\"id\":\"a\",\"i\":3,\"s\":1.5,\"c\":1e300,\"raw\":1}");
        QTest::newRow("raw past a byte")
            << tick << QByteArray("{\"id\":\"a\",\"i\":3,\"s\":1.5,\"c\":20,\"raw\":256}");
        QTest::newRow("id too long")
            << tick << "{\"id\":\"" + QByteArray(65, 'x') + "\",\"i\":3,\"s\":1.5,\"c\":20,\"raw\":1}";
        QTest::newRow("huge") << tick << good + QByteArray(2000, ' ');
        QTest::newRow("a group of wildcards") << QByteArray("kelvira/2-1/+/tick") << good;
        QTest::newRow("status of another group")
            << QByteArray("kelvira/2-1/g/status") << QByteArray("{\"group\":\"h\",\"online\":false}");
        QTest::newRow("status of an unknown sensor")
            << QByteArray("kelvira/2-1/g/status")
            << QByteArray("{\"group\":\"g\",\"online\":true,\"measuring\":true,\"sensor\":\"x\","
                          "\"min\":0,\"max\":10}");
        QTest::newRow("status with its range upside down")
            << QByteArray("kelvira/2-1/g/status")
            << QByteArray("{\"group\":\"g\",\"online\":true,\"measuring\":true,\"sensor\":\"air\","
                          "\"min\":10,\"max\":0}");
    }
    void whatIsNotOfItsFormIsRefused() {
        QFETCH(QByteArray, topic);
        QFETCH(QByteArray, payload);
        QVERIFY(!ClassLink::ReadMessage("2-1", topic, payload));
    }

    void addresses_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<QString>("className");  // empty: refused
        QTest::newRow("plain") << "mqtt://kyoushitsu.local/2-1" << "kyoushitsu.local" << 1883
                               << false << "2-1";
        QTest::newRow("tls, user") << "mqtts://han1:pw@school.example:8884/3-2?cafile=/etc/ca.pem"
                                   << "school.example" << 8884 << true << "3-2";
        QTest::newRow("tls default port") << "mqtts://s/2-1" << "s" << 8883 << true << "2-1";
        QTest::newRow("no class") << "mqtt://host/" << "" << 0 << false << "";
        QTest::newRow("class of two levels") << "mqtt://host/a/b" << "" << 0 << false << "";
        QTest::newRow("another scheme") << "http://host/2-1" << "" << 0 << false << "";
        QTest::newRow("cafile without TLS") << "mqtt://h/2-1?cafile=x" << "" << 0 << false << "";
    }
    void addresses() {
        QFETCH(QString, url);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(bool, tls);
        QFETCH(QString, className);
        const ClassLink::ClassAddress a = ClassLink::ParseClassAddress(url);
        QCOMPARE(a.valid(), !className.isEmpty());
        if (!a.valid()) return;
        QCOMPARE(a.host, host);
        QCOMPARE(a.port, port);
        QCOMPARE(a.tls, tls);
        QCOMPARE(a.className, className);
    }
};

QTEST_GUILESS_MAIN(ClassMessagesTest)
#include "class_messages_test.moc"
