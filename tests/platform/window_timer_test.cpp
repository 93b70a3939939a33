// Window timers fire only while enabled with an interval above 0.
#include <QtTest>

#include "platform/qt_window_timer.h"

class WindowTimerTest : public QObject {
    Q_OBJECT
  private slots:
    void firesOnlyWhenEnabledWithAnInterval_data() {
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("fires");
        QTest::newRow("interval 0, enabled") << 0 << true << false;
        QTest::newRow("interval 20, disabled") << 20 << false << false;
        QTest::newRow("interval 20, enabled") << 20 << true << true;
    }
    void firesOnlyWhenEnabledWithAnInterval() {
        QFETCH(int, interval);
        QFETCH(bool, enabled);
        QFETCH(bool, fires);
        QtWindowTimer timer;
        int ticks = 0;
        timer.onTick = [&] { ++ticks; };
        timer.setInterval(interval);
        timer.setEnabled(enabled);
        QCOMPARE(timer.running(), fires);
        // Two hundred milliseconds of event loop: an interval-0 QTimer would fire thousands
        // of times in that span.
        QTest::qWait(200);
        QCOMPARE(ticks > 0, fires);
    }

    void settingIntervalZeroStopsARunningTimer() {
        QtWindowTimer timer;
        int ticks = 0;
        timer.onTick = [&] { ++ticks; };
        timer.setInterval(10);
        timer.setEnabled(true);
        QTRY_VERIFY(ticks > 0);
        timer.setInterval(0);
        const int seen = ticks;
        QTest::qWait(100);
        QCOMPARE(ticks, seen);
        QVERIFY(timer.enabled());  // the enabled flag itself is untouched
    }

    void standInNeverFiresByItself() {
        WindowTimer timer;
        int ticks = 0;
        timer.onTick = [&] { ++ticks; };
        timer.setInterval(1);
        timer.setEnabled(true);
        QTest::qWait(50);
        QCOMPARE(ticks, 0);
        timer.tick();
        QCOMPARE(ticks, 1);
    }
};

QTEST_MAIN(WindowTimerTest)
#include "window_timer_test.moc"
