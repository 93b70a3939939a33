// Temperature-crossing alerts: which crossings fire, which rule wins, how long the
// message stays.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "config/palette.h"
#include "support/headless.h"

namespace {

constexpr int16_t Up = -1;
constexpr int16_t Down = 0;

void SetRule(int row, int16_t direction, int16_t threshold, int16_t seconds, int16_t colour,
             const QString& text) {
    Vexo::AlertRules[row] = {direction, threshold, seconds, colour};
    Vexo::AlertTexts[row] = text;
    Vexo::AlertCount = std::max<int16_t>(Vexo::AlertCount, static_cast<int16_t>(row));
}

// Records the two newest samples as a graph tick leaves them: `newest` at tick
// ElapsedTicks - 1, `previous` just before it.
void Samples(float previous, float newest, int nextTick = 3) {
    Vexo::ElapsedTicks = nextTick;
    Vexo::TrendBuffer[nextTick - 2] = previous;
    Vexo::TrendBuffer[nextTick - 1] = newest;
}

bool MessageShown(const Zanpo& w) {
    return w.Text2->isVisibleTo(&w) && !w.Setumei->isVisibleTo(&w);
}

QColor PanelColour(const Zanpo& w) {
    return w.Text2->palette().color(QPalette::Base);
}

}  // namespace

class AlertsTest : public QObject {
    Q_OBJECT
  private slots:
    void crossingInTheRuleDirectionFires_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<float>("previous");
        QTest::addColumn<float>("newest");
        QTest::addColumn<bool>("fires");
        QTest::newRow("up 24 to 25 reaches 25") << -1 << 2500 << 2400.f << 2500.f << true;
        QTest::newRow("up 24 to 26 jumps over 25") << -1 << 2500 << 2400.f << 2600.f << true;
        QTest::newRow("up 25 to 26 starts on it") << -1 << 2500 << 2500.f << 2600.f << false;
        QTest::newRow("up 25 to 25 stays on it") << -1 << 2500 << 2500.f << 2500.f << false;
        QTest::newRow("up 26 to 24 goes down") << -1 << 2500 << 2600.f << 2400.f << false;
        QTest::newRow("up below zero") << -1 << -500 << -600.f << -450.f << true;
        QTest::newRow("down 21 to 20 reaches 20") << 0 << 2000 << 2100.f << 2000.f << true;
        QTest::newRow("down 21 to 19 jumps over 20") << 0 << 2000 << 2100.f << 1900.f << true;
        QTest::newRow("down 20 to 19 starts on it") << 0 << 2000 << 2000.f << 1900.f << false;
        QTest::newRow("down 20 to 20 stays on it") << 0 << 2000 << 2000.f << 2000.f << false;
        QTest::newRow("down 19 to 21 goes up") << 0 << 2000 << 1900.f << 2100.f << false;
        // Any direction value other than -1 counts as falling.
        QTest::newRow("direction 1 is falling") << 1 << 2000 << 2100.f << 2000.f << true;
    }
    void crossingInTheRuleDirectionFires() {
        QFETCH(int, direction);
        QFETCH(int, threshold);
        QFETCH(float, previous);
        QFETCH(float, newest);
        QFETCH(bool, fires);
        Headless h;
        SetRule(1, static_cast<int16_t>(direction), static_cast<int16_t>(threshold), 5, 12,
                QStringLiteral("あつい"));
        Samples(previous, newest);
        Vexo::CheckAlerts();
        QCOMPARE(MessageShown(*h.window), fires);
        QCOMPARE(h.window->Timer3->running(), fires);
        if (fires) {
            QCOMPARE(h.window->Text2->toPlainText(), QStringLiteral("あつい"));
            QCOMPARE(PanelColour(*h.window), ToQColor(PaletteColour(12)));
        }
    }

    void ticksZeroAndOneAreNeverCompared() {
        Headless h;
        SetRule(1, Up, 2500, 5, 12, QStringLiteral("x"));
        Samples(2400, 2500, 2);  // ticks 0 and 1
        Vexo::CheckAlerts();
        QVERIFY(!MessageShown(*h.window));
        Vexo::TrendBuffer[2] = 2500;  // the first test, after tick 2, compares 1 and 2
        Vexo::ElapsedTicks = 3;
        Vexo::CheckAlerts();
        QVERIFY(!MessageShown(*h.window));
    }

    void atTheTickCapTheLastPairIsComparedAgain() {
        Headless h;
        SetRule(1, Up, 2500, 5, 12, QStringLiteral("x"));
        Samples(2400, 2500, Vexo::LastTick);
        Vexo::CheckAlerts();
        QVERIFY(MessageShown(*h.window));
        Vexo::Timer3_Timer();
        Vexo::CheckAlerts();
        QVERIFY(MessageShown(*h.window));
    }

    void theLastRuleFiredWins() {
        Headless h;
        SetRule(1, Up, 2500, 3, 12, QStringLiteral("first"));
        SetRule(2, Up, 2450, 7, 9, QStringLiteral("second"));
        SetRule(3, Down, 2450, 9, 10, QStringLiteral("not crossed"));
        Samples(2400, 2500);
        Vexo::CheckAlerts();
        QCOMPARE(h.window->Text2->toPlainText(), QStringLiteral("second"));
        QCOMPARE(PanelColour(*h.window), ToQColor(PaletteColour(9)));
        QCOMPARE(h.window->Timer3->interval(), 7000);
    }

    void displayTimeArmsTheTimerInBothDirections_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<int>("interval");
        QTest::newRow("rising 10 s") << -1 << 10 << true << 10000;
        QTest::newRow("falling 4 s") << 0 << 4 << true << 4000;
        QTest::newRow("rising no time") << -1 << 0 << false << 0;
        QTest::newRow("falling no time") << 0 << 0 << false << 0;
        QTest::newRow("longest time") << -1 << 32767 << true << 32767000;
    }
    void displayTimeArmsTheTimerInBothDirections() {
        QFETCH(int, direction);
        QFETCH(int, seconds);
        QFETCH(bool, armed);
        QFETCH(int, interval);
        Headless h;
        SetRule(1, static_cast<int16_t>(direction), 2000, static_cast<int16_t>(seconds), 4,
                QStringLiteral("x"));
        if (direction == -1)
            Samples(1900, 2000);
        else
            Samples(2100, 2000);
        Vexo::CheckAlerts();
        QVERIFY(MessageShown(*h.window));
        QCOMPARE(h.window->Timer3->running(), armed);
        if (armed) QCOMPARE(h.window->Timer3->interval(), interval);
    }

    void messageLeavesWhenItsTimeIsOver() {
        Headless h;
        SetRule(1, Down, 2000, 4, 4, QStringLiteral("さむい"));
        Samples(2100, 2000);
        Vexo::CheckAlerts();
        h.window->Timer3->tick();
        Zanpo& w = *h.window;
        QVERIFY(!w.Text2->isVisibleTo(&w));
        QVERIFY(w.Setumei->isVisibleTo(&w));
        QVERIFY(!w.Timer3->enabled());
    }

    void messageWithoutTimeStaysUntilReplaced() {
        Headless h;
        SetRule(1, Up, 2000, 0, 4, QStringLiteral("stays"));
        SetRule(2, Up, 3000, 6, 2, QStringLiteral("replaces"));
        Samples(1900, 2000);
        Vexo::CheckAlerts();
        // No timer is armed: nothing takes the message away.
        QVERIFY(!h.window->Timer3->running());
        Samples(2900, 3000, 4);
        Vexo::CheckAlerts();
        QCOMPARE(h.window->Text2->toPlainText(), QStringLiteral("replaces"));
        QCOMPARE(h.window->Timer3->interval(), 6000);
        QVERIFY(h.window->Timer3->running());
    }

    void timedMessageReplacedByOneWithoutTimeIsNotTakenAway() {
        Headless h;
        SetRule(1, Up, 2000, 5, 4, QStringLiteral("timed"));
        SetRule(2, Up, 3000, 0, 2, QStringLiteral("untimed"));
        Samples(1900, 2000);
        Vexo::CheckAlerts();
        Samples(2900, 3000, 4);
        Vexo::CheckAlerts();
        QVERIFY(!h.window->Timer3->running());
        QVERIFY(MessageShown(*h.window));
    }

    void colourNumbersOutsideThePaletteWrap_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("palette");
        QTest::newRow("17") << 17 << 1;
        QTest::newRow("31") << 31 << 15;
        QTest::newRow("-1") << -1 << 15;
    }
    void colourNumbersOutsideThePaletteWrap() {
        QFETCH(int, number);
        QFETCH(int, palette);
        Headless h;
        SetRule(1, Up, 2000, 1, static_cast<int16_t>(number), QStringLiteral("x"));
        Samples(1900, 2000);
        Vexo::CheckAlerts();
        QCOMPARE(PanelColour(*h.window), ToQColor(PaletteColour(palette)));
    }

    void noRulesNoMessage() {
        Headless h;
        Vexo::AlertCount = 0;
        Vexo::AlertRules[1] = {Up, 2000, 5, 4};
        Samples(1900, 2000);
        Vexo::CheckAlerts();
        QVERIFY(!MessageShown(*h.window));
    }
};

QTEST_MAIN(AlertsTest)
#include "alerts_test.moc"
