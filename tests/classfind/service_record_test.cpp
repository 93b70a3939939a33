// What a class view announces and what a group's Kelvira makes of what it finds: the address
// it joins, read back as the group reads any class address.
#include <QtTest>

#include "classfind/found_classes.h"
#include "classfind/service_record.h"
#include "classlink/class_address.h"

using ClassFind::FoundClass;
using ClassFind::ResolvedService;

namespace {

QList<QByteArray> Txt(const QStringList& items) {
    QList<QByteArray> txt;
    for (const QString& item : items) txt << item.toUtf8();
    return txt;
}

// "+ INSTANCE SEEN HOST PORT CLASS" found, "- INSTANCE SEEN" lost; "-" for an empty field.
bool Apply(ClassFind::FoundClasses& classes, const QString& step) {
    QStringList f = step.split(' ');
    for (QString& field : f)
        if (field == "-") field.clear();
    if (step.startsWith('-')) return classes.lost(f[1], f[2]);
    ResolvedService service;
    service.instance = f[1];
    service.seenOn = f[2];
    service.host = f[3];
    service.port = f[4].toInt();
    if (!f[5].isEmpty()) service.txt = ClassFind::TxtRecord(f[5]);
    return classes.found(service);
}

}  // namespace

class ServiceRecordTest : public QObject {
    Q_OBJECT
  private slots:
    void aServiceBecomesTheAddressJoined_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QStringList>("txt");
        QTest::addColumn<QString>("address");  // empty: no class to join
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("pc");
        const QStringList plain{"v=1", "class=2-1"};
        QTest::newRow("the usual port")
            << "teacher-pc.local" << 1883 << plain << "mqtt://teacher-pc.local/2-1"
            << "2-1"
            << "teacher-pc";
        QTest::newRow("the next port")
            << "teacher-pc.local" << 1884 << plain << "mqtt://teacher-pc.local:1884/2-1"
            << "2-1"
            << "teacher-pc";
        QTest::newRow("no port given")
            << "teacher-pc.local" << 0 << plain << "mqtt://teacher-pc.local/2-1"
            << "2-1"
            << "teacher-pc";
        QTest::newRow("a final dot")
            << "Teacher-PC.local." << 1883 << plain << "mqtt://teacher-pc.local/2-1"
            << "2-1"
            << "Teacher-PC";
        QTest::newRow("a Japanese class")
            << "kyoushitsu.local" << 1883 << QStringList{"class=３年２組"}
            << "mqtt://kyoushitsu.local/３年２組"
            << "３年２組"
            << "kyoushitsu";
        QTest::newRow("a class with a space")
            << "pc.local" << 1883 << QStringList{"class=2 1"} << "mqtt://pc.local/2%201"
            << "2 1"
            << "pc";
        QTest::newRow("characters an address escapes")
            << "pc.local" << 1883 << QStringList{"class=a%b<c>\"d`e|f^g{h}i\\j"}
            << "mqtt://pc.local/a%25b%3Cc%3E%22d%60e%7Cf%5Eg%7Bh%7Di%5Cj"
            << "a%b<c>\"d`e|f^g{h}i\\j"
            << "pc";
        QTest::newRow("the key in capitals")
            << "pc.local" << 1883 << QStringList{"CLASS=2-1"} << "mqtt://pc.local/2-1"
            << "2-1"
            << "pc";
        QTest::newRow("the first of two classes")
            << "pc.local" << 1883 << QStringList{"class=2-1", "class=3-1"} << "mqtt://pc.local/2-1"
            << "2-1"
            << "pc";
        QTest::newRow("TXT without a class") << "pc.local" << 1883 << QStringList{"v=1"} << ""
                                             << ""
                                             << "";
        QTest::newRow("no TXT at all") << "pc.local" << 1883 << QStringList{} << ""
                                       << ""
                                       << "";
        QTest::newRow("a class without a name") << "pc.local" << 1883 << QStringList{"class="} << ""
                                                << ""
                                                << "";
        QTest::newRow("a class that is no topic")
            << "pc.local" << 1883 << QStringList{"class=2/1"} << ""
            << ""
            << "";
        QTest::newRow("no host") << "" << 1883 << plain << ""
                                 << ""
                                 << "";
        QTest::newRow("a port out of range") << "pc.local" << 70000 << plain << ""
                                             << ""
                                             << "";
    }
    void aServiceBecomesTheAddressJoined() {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QStringList, txt);
        QFETCH(QString, address);
        QFETCH(QString, className);
        QFETCH(QString, pc);
        ResolvedService service{"2-1 @ pc", "2/0", host, port, Txt(txt)};
        FoundClass found;
        QCOMPARE(ClassFind::ClassFromService(service, found), !address.isEmpty());
        if (address.isEmpty()) return;
        QCOMPARE(found.address, address);
        QCOMPARE(found.className, className);
        QCOMPARE(found.pc, pc);
        // The group reads it as any class address.
        const ClassLink::ClassAddress read = ClassLink::ParseClassAddress(found.address);
        QVERIFY2(read.valid(), qPrintable(read.error));
        QCOMPARE(read.className, className);
        QCOMPARE(read.host, host.toLower().remove(QRegularExpression("\\.$")));
        QCOMPARE(read.port, port == 0 ? 1883 : port);
    }

    // What the class view announces is what the group finds, and fits a DNS label.
    void theAnnouncementNamesTheClassWhole_data() {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("instance");
        QTest::newRow("short") << "2-1"
                               << "2-1 @ teacher-pc";
        // 64 bytes of UTF-8: cut inside the last character, 61 bytes kept.
        QTest::newRow("Japanese, cut between characters")
            << "6" + QString("き").repeated(21) << "6" + QString("き").repeated(20);
        QTest::newRow("beyond the BMP")
            << QString("𠮷").repeated(16) + "!" << QString("𠮷").repeated(15);  // 60 bytes
    }
    void theAnnouncementNamesTheClassWhole() {
        QFETCH(QString, className);
        QFETCH(QString, instance);
        QCOMPARE(ClassFind::InstanceName(className, "teacher-pc"), instance);
        ResolvedService service{ClassFind::InstanceName(className, "teacher-pc"), "",
                                "teacher-pc.local", 1884, ClassFind::TxtRecord(className)};
        FoundClass found;
        QVERIFY(ClassFind::ClassFromService(service, found));
        QCOMPARE(found.className, className);
        QCOMPARE(ClassLink::ParseClassAddress(found.address).className, className);
    }

    // Where nothing is found, the PC is typed as the teacher's screen shows it.
    void aTypedPcBecomesTheAddressJoined_data() {
        QTest::addColumn<QString>("pc");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("address");
        QTest::newRow("a name") << "teacher-pc"
                                << "2-1"
                                << "mqtt://teacher-pc/2-1";
        QTest::newRow("a name and a port") << " teacher-pc:1884 "
                                           << "2-1 "
                                           << "mqtt://teacher-pc:1884/2-1";
        QTest::newRow("typed full-width") << "ｔｅａｃｈｅｒ－ｐｃ：１８８４"
                                          << "2-1"
                                          << "mqtt://teacher-pc:1884/2-1";
        QTest::newRow("an address") << "192.168.1.5"
                                    << "３年２組"
                                    << "mqtt://192.168.1.5/３年２組";
        QTest::newRow("the usual port written") << "pc:1883"
                                                << "2-1"
                                                << "mqtt://pc/2-1";
        QTest::newRow("no PC") << ""
                               << "2-1"
                               << "";
        QTest::newRow("no class") << "teacher-pc"
                                  << ""
                                  << "";
        QTest::newRow("a port that is none") << "teacher-pc:abc"
                                             << "2-1"
                                             << "";
        QTest::newRow("a whole address") << "mqtt://teacher-pc/2-1"
                                         << "2-1"
                                         << "";
        QTest::newRow("a user") << "han1@teacher-pc"
                                << "2-1"
                                << "";
        QTest::newRow("a class that is no topic") << "teacher-pc"
                                                  << "2/1"
                                                  << "";
    }
    void aTypedPcBecomesTheAddressJoined() {
        QFETCH(QString, pc);
        QFETCH(QString, className);
        QFETCH(QString, address);
        QCOMPARE(ClassFind::TypedClassAddress(pc, className), address);
        if (!address.isEmpty()) QVERIFY(ClassLink::ParseClassAddress(address).valid());
    }

    // Found and lost, one row per class whichever ways it was seen.
    void foundAndLostMerge_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("changed");  // for each step: 1 when the list offered changed
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("seen twice, offered once")
            << QStringList{"+ a if1/v4 pc.local 1883 2-1", "+ a if1/v6 pc.local 1883 2-1"} << "10"
            << QStringList{"mqtt://pc.local/2-1"};
        QTest::newRow("lost one way of two: still offered")
            << QStringList{"+ a if1/v4 pc.local 1883 2-1", "+ a if1/v6 pc.local 1883 2-1",
                           "- a if1/v4"}
            << "100" << QStringList{"mqtt://pc.local/2-1"};
        QTest::newRow("lost every way: gone")
            << QStringList{"+ a if1/v4 pc.local 1883 2-1", "+ a if1/v6 pc.local 1883 2-1",
                           "- a if1/v4", "- a if1/v6"}
            << "1001" << QStringList{};
        QTest::newRow("lost what was never found")
            << QStringList{"+ a - pc.local 1883 2-1", "- b -"} << "10"
            << QStringList{"mqtt://pc.local/2-1"};
        QTest::newRow("opened again on another port")
            << QStringList{"+ a - pc.local 1883 2-1", "+ a - pc.local 1884 2-1"} << "11"
            << QStringList{"mqtt://pc.local:1884/2-1"};
        QTest::newRow("no longer a class")
            << QStringList{"+ a - pc.local 1883 2-1", "+ a - pc.local 1883 -"} << "11"
            << QStringList{};
        QTest::newRow("not a class")
            << QStringList{"+ a - pc.local 1883 -"} << "0" << QStringList{};
        QTest::newRow("by class, then PC")
            << QStringList{"+ a - b-pc.local 1883 2-1", "+ b - a-pc.local 1883 3-1",
                           "+ c - a-pc.local 1884 2-1"}
            << "111"
            << QStringList{"mqtt://a-pc.local:1884/2-1", "mqtt://b-pc.local/2-1",
                           "mqtt://a-pc.local/3-1"};
    }
    void foundAndLostMerge() {
        QFETCH(QStringList, steps);
        QFETCH(QString, changed);
        QFETCH(QStringList, offered);
        ClassFind::FoundClasses classes;
        QString told;
        for (const QString& step : steps) told += Apply(classes, step) ? '1' : '0';
        QCOMPARE(told, changed);
        QStringList addresses;
        for (const FoundClass& c : classes.offered()) addresses << c.address;
        QCOMPARE(addresses, offered);
    }
};

QTEST_GUILESS_MAIN(ServiceRecordTest)
#include "service_record_test.moc"
