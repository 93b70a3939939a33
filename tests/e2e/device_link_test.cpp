// The real program against the simulated Zanpo: greeting, poll rate, readings. The box's
// troubles are in device_faults_test and device_vanish_test.
#include <QtTest>

#include "support/box_rig.h"

class DeviceLinkTest : public QObject {
    Q_OBJECT
  private slots:
    // The box hears 00 00 FF first, then one F2 every 200 ms (the box starts the program).
    void greetsThenRequestsFiveTimesASecond() {
        BoxRig rig;
        QVERIFY(rig.startBoxRunningProgram({"--profile", "constant:63"}));
        QVERIFY(rig.waitFor([&] { return rig.requests() >= 3; }, 10000));
        QList<BoxEvent> rx;
        for (const BoxEvent& e : rig.boxLog())
            if (e.what == "rx") rx << e;
        QCOMPARE(rx.value(0).details, QString("00"));
        QCOMPARE(rx.value(1).details, QString("00"));
        QCOMPARE(rx.value(2).details, QString("ff"));
        QCOMPARE(rx.value(3).details, QString("f2"));
        const double first = rx[3].seconds;
        // Past the hand-over (the tenth answer, which adds one extra poll) the poll runs
        // at 200 ms: 20 requests in 4 s, give or take one at the window's edges.
        QVERIFY(rig.waitFor([&] { return rig.requests() >= 15; }, 10000));
        double from = 0;
        int seen = 0;
        for (const BoxEvent& e : rig.boxLog())
            if (e.what == "rx" && e.details == "f2" && ++seen == 15) from = e.seconds;
        QVERIFY(rig.waitFor([&] { return rig.eventTime("rx", from + 4) >= 0; }, 10000));
        const int count = rig.requests(from, from + 4);
        QVERIFY2(count >= 19 && count <= 21, qPrintable(QString::number(count)));
        // After the greeting only requests are sent.
        for (const BoxEvent& e : rig.boxLog())
            if (e.what == "rx" && e.seconds > first) QCOMPARE(e.details, QString("f2"));
        QVERIFY(rig.trace.printed(Announced));
        QVERIFY(!rig.trace.printed(QStringLiteral("ざんぽが接続されていません!")));
    }

    void showsTheCalibratedReadingWithItsSign_data() {
        QTest::addColumn<int>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("23") << 63 << "  23";
        QTest::newRow("-5") << 35 << " -5";
        QTest::newRow("0") << 40 << "  0";
    }
    void showsTheCalibratedReadingWithItsSign() {
        QFETCH(int, raw);
        QFETCH(QString, text);
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", QString("constant:%1").arg(raw)}));
        QVERIFY(rig.startProgram());
        QVERIFY(rig.waitFor([&] { return rig.trace.printed(Announced); }, 10000));
        QVERIFY(rig.trace.printed(QStringLiteral("気温データ(KION.CSV)読み込み。")));
        QVERIFY(rig.waitFor([&] { return rig.trace.last("Text1") == text; }, 5000));
        // Well past the hand-over (ten answers) the reading stands.
        const int seen = rig.requests();
        QVERIFY(rig.waitFor([&] { return rig.requests() >= seen + 12; }, 10000));
        QCOMPARE(rig.trace.last("Text1"), text);
        QVERIFY_ALIVE(rig);
    }
};

QTEST_GUILESS_MAIN(DeviceLinkTest)
#include "device_link_test.moc"
