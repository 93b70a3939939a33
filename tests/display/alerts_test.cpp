// Temperature-crossing alerts: which crossings fire, which rule wins, how long the
// message stays.
#include <QtTest>

#include "config/palette.h"
#include "core/reading.h"
#include "display/alerts.h"
#include "display/graph.h"
#include "support/display_stage.h"

namespace {

constexpr int16_t Up = -1;
constexpr int16_t Down = 0;

void SetRule(int row, int16_t direction, int16_t threshold, int16_t seconds, int16_t colour,
             const QString& text = QStringLiteral("x")) {
    Vexo::AlertRules[row] = {direction, threshold, seconds, colour};
    Vexo::AlertTexts[row] = text;
    Vexo::AlertCount = std::max<int16_t>(Vexo::AlertCount, static_cast<int16_t>(row));
}

// The two newest samples as a graph tick leaves them, then the check that follows it.
void Check(float previous, float newest, int nextTick = 3) {
    Vexo::ElapsedTicks = nextTick;
    Vexo::TrendBuffer[nextTick - 2] = previous;
    Vexo::TrendBuffer[nextTick - 1] = newest;
    Vexo::CheckAlerts();
}

bool MessageShown(const Stage& s) {
    return s.messageShown;
}

QColor PanelColour(const Stage& s) {
    return ToQColor(s.messageBack);
}

}  // namespace

class AlertsTest : public QObject {
    Q_OBJECT
  private slots:
    void crossingInTheRuleDirectionFires_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<float>("previous");
        QTest::addColumn<float>("newest");
        QTest::addColumn<bool>("fires");
        // Rising rules at 25.00 degrees, falling rules at 20.00.
        QTest::newRow("up 24 to 25 reaches it") << -1 << 2400.f << 2500.f << true;
        QTest::newRow("up 24 to 26 jumps it") << -1 << 2400.f << 2600.f << true;
        QTest::newRow("up 25 to 26 starts on it") << -1 << 2500.f << 2600.f << false;
        QTest::newRow("up 25 to 25 stays on it") << -1 << 2500.f << 2500.f << false;
        QTest::newRow("up 26 to 24 goes down") << -1 << 2600.f << 2400.f << false;
        QTest::newRow("down 21 to 20 reaches it") << 0 << 2100.f << 2000.f << true;
        QTest::newRow("down 20 to 19 starts on it") << 0 << 2000.f << 1900.f << false;
        QTest::newRow("down 19 to 21 goes up") << 0 << 1900.f << 2100.f << false;
        QTest::newRow("direction 1 is falling") << 1 << 2100.f << 2000.f << true;
    }
    void crossingInTheRuleDirectionFires() {
        QFETCH(int, direction);
        QFETCH(float, previous);
        QFETCH(float, newest);
        QFETCH(bool, fires);
        DisplayStage h;
        SetRule(1, static_cast<int16_t>(direction), direction == -1 ? 2500 : 2000, 5, 12,
                QStringLiteral("あつい"));
        Check(previous, newest);
        QCOMPARE(MessageShown(h), fires);
        QCOMPARE(h.timer3.running(), fires);
        if (!fires) return;
        QCOMPARE(h.message, QStringLiteral("あつい"));
        QCOMPARE(PanelColour(h), ToQColor(PaletteColour(12)));
    }

    // White text as designed, black on the light colours, where white cannot be read.
    void messageTextIsReadableOnItsColour_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<bool>("black");
        for (int n = 0; n < 16; ++n)
            QTest::addRow("%d", n) << n << (n == 7 || n == 10 || n == 11 || n == 14 || n == 15);
    }
    void messageTextIsReadableOnItsColour() {
        QFETCH(int, colour);
        QFETCH(bool, black);
        DisplayStage h;
        SetRule(1, Up, 2500, 5, static_cast<int16_t>(colour));
        Check(2400, 2500);
        QCOMPARE(ToQColor(h.messageFore),
                 black ? QColor(Qt::black) : QColor(Qt::white));
    }

    void ticksZeroAndOneAreNeverCompared() {
        DisplayStage h;
        SetRule(1, Up, 2500, 5, 12);
        Check(2400, 2500, 2);  // ticks 0 and 1 only
        QVERIFY(!MessageShown(h));
        // Through the graph tick: 24, 25, 25 compares ticks 1 and 2 first.
        Vexo::ElapsedTicks = 0;
        for (int16_t degrees : {24, 25, 25}) {
            Vexo::ConvTable[0] = degrees;
            Vexo::RestateReading();
            Vexo::Timer2_Timer();
        }
        QVERIFY(!MessageShown(h));
    }

    void atTheTickCapTheLastPairFiresAgain() {
        DisplayStage h;
        SetRule(1, Up, 2500, 5, 12);
        Check(2400, 2500, Vexo::LastTick);
        Vexo::Timer3_Timer();
        Vexo::CheckAlerts();
        QVERIFY(MessageShown(h));
    }

    void theLastRuleFiredWins() {
        DisplayStage h;
        SetRule(1, Up, 2500, 3, 12, QStringLiteral("first"));
        SetRule(2, Up, 2450, 7, 17, QStringLiteral("second"));  // colour 17 is 1
        SetRule(3, Down, 2450, 9, 10, QStringLiteral("not crossed"));
        Check(2400, 2500);
        QCOMPARE(h.message, QStringLiteral("second"));
        QCOMPARE(PanelColour(h), ToQColor(PaletteColour(1)));
        QCOMPARE(h.timer3.interval(), 7000);
    }

    void displayTimeInBothDirections_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("seconds");
        QTest::newRow("rising 10 s") << -1 << 10;
        QTest::newRow("falling 4 s") << 0 << 4;
        QTest::newRow("rising, no time") << -1 << 0;
        QTest::newRow("falling, no time") << 0 << 0;
    }
    void displayTimeInBothDirections() {
        QFETCH(int, direction);
        QFETCH(int, seconds);
        DisplayStage h;
        DisplayStage& w = h;
        SetRule(1, static_cast<int16_t>(direction), 2000, static_cast<int16_t>(seconds), 4);
        direction == -1 ? Check(1900, 2000) : Check(2100, 2000);
        QVERIFY(MessageShown(w));
        QCOMPARE(w.timer3.running(), seconds > 0);
        if (seconds == 0) return;  // nothing takes the message away
        QCOMPARE(w.timer3.interval(), seconds * 1000);
        w.timer3.tick();
        QVERIFY(!MessageShown(w));
        QVERIFY(!w.timer3.enabled());
    }

    void aMessageWithoutTimeIsNotTakenAwayByAnEarlierTimer() {
        DisplayStage h;
        SetRule(1, Up, 2000, 5, 4, QStringLiteral("timed"));
        SetRule(2, Up, 3000, 0, 2, QStringLiteral("untimed"));
        Check(1900, 2000);
        Check(2900, 3000, 4);
        QCOMPARE(h.message, QStringLiteral("untimed"));
        QVERIFY(!h.timer3.running());
    }
};

QTEST_MAIN(AlertsTest)
#include "alerts_test.moc"
