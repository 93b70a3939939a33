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

        // The lesson so far, in parts: part 1 holds ticks 1000 to 1999.
        std::vector<float> lesson(1500, 21.5f);
        lesson[1499] = -3;
        read = ClassLink::ReadMessage("2-1", ClassLink::Topic("2-1", "1班", Kind::Lesson, 1),
                                      ClassLink::LessonPayload(tick.id, 1, lesson));
        QVERIFY(read && read->kind == Kind::Lesson && read->lesson.from == 1000);
        QCOMPARE(read->lesson.degrees.size(), size_t(500));
        QCOMPARE(read->lesson.degrees.back(), -3.0f);
        // A whole part of fractional degrees fits what a view accepts, each to the hundredth.
        std::vector<float> cooling(1000);
        for (size_t t = 0; t < cooling.size(); ++t) cooling[t] = 80.13f - t / 17.0f;
        read = ClassLink::ReadMessage("2-1", ClassLink::Topic("2-1", "1班", Kind::Lesson, 0),
                                      ClassLink::LessonPayload(tick.id, 0, cooling));
        QVERIFY(read && read->lesson.degrees.size() == 1000);
        QCOMPARE(read->lesson.degrees[1], 80.07f);
        read = ClassLink::ReadMessage("2-1", ClassLink::Topic("2-1", "1班", Kind::Lesson, 1), "");
        QVERIFY(read && read->lesson.cleared);
    }

    void whatIsNotOfItsFormIsRefused_data() {
        QTest::addColumn<QByteArray>("topic");
        QTest::addColumn<QByteArray>("payload");
        const QByteArray tick = "kelvira/2-1/g/tick";
        const QByteArray good =
            "{\"id\":\"2026-12-08T10:42:05\",\"i\":3,\"s\":1.5,\"c\":20,\"raw\":1}";
        QVERIFY(ClassLink::ReadMessage("2-1", tick, good));
        auto withTick = [&good](const char* from, const QByteArray& to) {
            return QByteArray(good).replace(from, to);
        };
        QTest::newRow("another class") << QByteArray("kelvira/2-2/g/tick") << good;
        QTest::newRow("too deep") << QByteArray("kelvira/2-1/g/x/tick") << good;
        QTest::newRow("unknown kind") << QByteArray("kelvira/2-1/g/order") << good;
        QTest::newRow("not JSON") << tick << QByteArray("{\"id\":");
        QTest::newRow("an array") << tick << QByteArray("[1,2]");
        QTest::newRow("no id") << tick << QByteArray("{\"i\":3,\"s\":1.5,\"c\":20,\"raw\":1}");
        QTest::newRow("index past the end")
            << tick << withTick("\"i\":3,\"s\":1.5", "\"i\":10001,\"s\":5000.5");
        QTest::newRow("negative index") << tick << withTick("\"i\":3,\"s\":1.5", "\"i\":-1,\"s\":-0.5");
        QTest::newRow("index not whole")
            << tick << withTick("\"i\":3,\"s\":1.5", "\"i\":2.5,\"s\":1.25");
        QTest::newRow("seconds not half the index") << tick << withTick("\"s\":1.5", "\"s\":9");
        QTest::newRow("degrees as text") << tick << withTick("\"c\":20", "\"c\":\"20\"");
        // What no sensor of the box can give: a class graph of any range would follow it.
        QTest::newRow("degrees of no sensor, hot") << tick << withTick("\"c\":20", "\"c\":100000");
        QTest::newRow("degrees of no sensor, cold") << tick << withTick("\"c\":20", "\"c\":-100000");
        QTest::newRow("just too hot") << tick << withTick("\"c\":20", "\"c\":150.5");
        QTest::newRow("raw past a byte") << tick << withTick("\"raw\":1", "\"raw\":256");
        QTest::newRow("id of another form")
            << tick << withTick("2026-12-08T10:42:05", "2026-12-08 10:42:05");
        QTest::newRow("id of no moment")
            << tick << withTick("2026-12-08T10:42:05", "2026-13-40T25:61:61");
        QTest::newRow("id of words") << tick << withTick("2026-12-08T10:42:05", "a");
        QTest::newRow("huge") << tick << good + QByteArray(2000, ' ');
        QTest::newRow("a group of wildcards") << QByteArray("kelvira/2-1/+/tick") << good;
        QTest::newRow("status of another group")
            << QByteArray("kelvira/2-1/g/status") << QByteArray("{\"group\":\"h\",\"online\":false}");
        QTest::newRow("status of an unknown sensor")
            << QByteArray("kelvira/2-1/g/status")
            << QByteArray("{\"group\":\"g\",\"online\":true,\"measuring\":true,\"sensor\":\"x\","
                          "\"min\":0,\"max\":10}");
        const QByteArray part = "{\"id\":\"2026-12-08T10:42:05\",\"from\":1000,\"c\":[20,21]}";
        QVERIFY(ClassLink::ReadMessage("2-1", "kelvira/2-1/g/lesson/1", part));
        QTest::newRow("lesson part of another number") << QByteArray("kelvira/2-1/g/lesson/2") << part;
        QTest::newRow("lesson part 01") << QByteArray("kelvira/2-1/g/lesson/01") << part;
        QTest::newRow("lesson part past the lesson") << QByteArray("kelvira/2-1/g/lesson/11") << part;
        QTest::newRow("lesson part of no sensor")
            << QByteArray("kelvira/2-1/g/lesson/1") << QByteArray(part).replace("21", "1e9");
        QTest::newRow("lesson part too long")
            << QByteArray("kelvira/2-1/g/lesson/1")
            << QByteArray(part).replace("[20,21]", "[" + QByteArray("20,").repeated(1000) + "20]");
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
