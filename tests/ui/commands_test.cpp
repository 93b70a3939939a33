// The commands of the main window: run state, tick step-backs, the graph tick and the
// repaint after each command, and the exact questions through the message-box seam.
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "device/device_link.h"
#include "display/drawing_log.h"
#include "display/thermometer.h"
#include "platform/message_box.h"
#include "support/headless.h"
#include "ui/commands.h"
#include "ui/fsettei.h"

namespace {

const QString Stopped = QStringLiteral("スタート");
const QString Running = QStringLiteral("ストップ");

struct AskedBox {
    QString prompt;
    int buttons;
    QString title;
};
std::vector<AskedBox> asked;

void AnswerWith(int answer) {
    asked.clear();
    SetMsgBoxHandler([answer](const QString& prompt, int buttons, const QString& title) {
        asked.push_back({prompt, buttons, title});
        return answer;
    });
}

// Puts the window in the state the commands leave: stopped after a first stop (DataReset
// shown) or running (DataReset hidden, the graph tick on), with `ticks` recorded.
void EnterState(Headless& h, bool running, double ticks) {
    UseStartUpDefaults();
    Zanpo& w = *h.window;
    w.Start->setText(running ? Running : Stopped);
    w.DataReset->setVisible(!running);
    w.Timer2->setInterval(500);
    w.Timer2->setEnabled(running);
    Vexo::ElapsedTicks = ticks;
    Vexo::AnswerCount = 10;  // the box has answered and the scale is drawn
    Vexo::DrawThermometer();
}

void Run(const QString& command) {
    int16_t cancel = 0;
    AnswerWith(command.endsWith("yes") ? vbYes : command == "explain" ? vbOK : vbNo);
    if (command == "start") Vexo::Start_Click();
    if (command.startsWith("reset")) Vexo::DataReset_Click();
    if (command == "explain") Vexo::Setumei_Click();
    if (command == "quit no") Vexo::Owari_Click();
    if (command == "close no") Vexo::Form_Unload(cancel);
    if (command.startsWith("settings")) Vexo::Settei_Click();
    if (command == "settings apply") Vexo::Owaru_Click();
    if (command == "settings cancel") Vexo::FCancel_Click();
    QCOMPARE(cancel, int16_t(command == "close no" ? -1 : 0));
}

// Which repaint a command left on the graph, told apart by what it drew: the frame has
// the seconds mark, the overview its own time labels and no mark, the page is the frame
// with the plotted trace.
QString Repaint(const std::vector<SurfaceOp>& log) {
    bool wiped = false, mark = false, trace = false;
    for (const SurfaceOp& op : log) {
        if (op.kind == SurfaceOp::FilledBox && op.a == QPointF(1, 1)) wiped = true;
        if (op.colour == Vexo::KelviraEki && !op.relative) trace = true;
    }
    for (const DrawnText& text : DecodeTexts(log, Vexo::GrphBack))
        if (text.text.contains('S')) mark = true;
    if (!wiped) return "none";
    return mark ? (trace ? "page" : "frame") : "overview";
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { SetMsgBoxHandler({}); }

    void commandLeavesState_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("running");
        QTest::addColumn<double>("ticks");
        QTest::addColumn<double>("ticksAfter");
        QTest::addColumn<bool>("runningAfter");
        QTest::addColumn<bool>("timer2After");
        QTest::addColumn<QString>("repaint");
        auto row = [](const char* command, bool running, double ticks, double ticksAfter,
                      bool runningAfter, bool timer2After, const char* repaint) {
            QTest::addRow("%s %s %g", command, running ? "running" : "stopped", ticks)
                << command << running << ticks << ticksAfter << runningAfter << timer2After
                << repaint;
        };
        // Start toggles; each direction steps back once; a start with nothing recorded
        // draws the live page's empty frame for its trace.
        row("start", false, 0, 0, true, true, "frame");
        row("start", false, 1, 0, true, true, "frame");
        row("start", false, 7, 6, true, true, "page");
        row("start", true, 0, 0, false, false, "overview");
        row("start", true, 1, 0, false, false, "overview");
        row("start", true, 7, 6, false, false, "overview");
        // Reset is usable only while stopped and never steps back.
        row("reset yes", false, 0, 0, false, false, "frame");
        row("reset yes", false, 7, 0, false, false, "frame");
        row("reset no", false, 0, 0, false, false, "overview");
        row("reset no", false, 7, 7, false, false, "overview");
        // After the explanation and the settings dialog a running measurement always gets
        // its graph tick back, also with nothing recorded (the graph is the empty frame).
        row("explain", false, 0, 0, false, false, "frame");
        row("explain", false, 1, 0, false, false, "frame");
        row("explain", false, 7, 6, false, false, "overview");
        row("explain", true, 0, 0, true, true, "frame");
        row("explain", true, 1, 0, true, true, "frame");
        row("explain", true, 7, 6, true, true, "page");
        row("quit no", false, 0, 0, false, false, "overview");
        row("quit no", false, 7, 6, false, false, "overview");
        row("quit no", true, 1, 0, true, true, "page");
        row("quit no", true, 7, 6, true, true, "page");
        row("close no", false, 7, 6, false, false, "overview");
        row("close no", true, 7, 6, true, true, "page");
        row("settings apply", false, 0, 0, false, false, "frame");
        row("settings apply", false, 7, 6, false, false, "overview");
        row("settings apply", true, 1, 0, true, true, "frame");
        row("settings apply", true, 7, 6, true, true, "page");
        row("settings cancel", false, 0, 0, false, false, "frame");
        row("settings cancel", false, 7, 6, false, false, "overview");
        row("settings cancel", true, 1, 0, true, true, "frame");
        row("settings cancel", true, 7, 6, true, true, "page");
    }
    void commandLeavesState() {
        QFETCH(QString, command);
        QFETCH(bool, running);
        QFETCH(double, ticks);
        QFETCH(double, ticksAfter);
        QFETCH(bool, runningAfter);
        QFETCH(bool, timer2After);
        QFETCH(QString, repaint);
        Headless h;
        Zanpo& w = *h.window;
        EnterState(h, running, ticks);
        std::vector<SurfaceOp> log;
        w.Picture2Surface.log = &log;
        Run(command);
        w.Picture2Surface.log = nullptr;

        QCOMPARE(Vexo::ElapsedTicks, ticksAfter);
        QCOMPARE(w.Start->text(), runningAfter ? Running : Stopped);
        QCOMPARE(w.DataReset->isVisibleTo(&w), !runningAfter);
        QCOMPARE(w.Timer2->running(), timer2After);
        if (timer2After) QCOMPARE(w.Timer2->interval(), 500);
        // The settings command first blanks the graph; the repaint follows.
        if (command.startsWith("settings")) {
            QCOMPARE(log.at(0).kind, SurfaceOp::FilledBox);
            QCOMPARE(log[0].b, QPointF(399, 399));
            QCOMPARE(log[0].colour, RGB(0, 0, 0));
            log.erase(log.begin());
        }
        QCOMPARE(Repaint(log), repaint);
        QCOMPARE(h.endRequests, 0);
    }

    void eachQuestionIsAskedExactly_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("title");
        const QString quit = QStringLiteral("本当に終了しますか？");
        const QString app = QStringLiteral("けるびら");
        QTest::newRow("reset") << "reset no" << QStringLiteral("データをけしますか？")
                               << int(vbYesNo) << app;
        QTest::newRow("explain") << "explain"
                                 << QStringLiteral(
                                        "せってい：めもりのつけかた、センサーの\r"
                                        "　　　　　しゅるいをきめます。\r"
                                        "リセット：そくていデータをけします。\r"
                                        "スタート：そくていをはじめます。\r"
                                        "おわり　：しゅうりょうします。\r")
                                 << int(vbOKOnly) << QStringLiteral("プログラムのせつめい");
        QTest::newRow("quit") << "quit no" << quit << int(vbYesNo) << app;
        QTest::newRow("close") << "close no" << quit << int(vbYesNo) << app;
        QTest::newRow("start asks nothing") << "start" << QString() << 0 << QString();
    }
    void eachQuestionIsAskedExactly() {
        QFETCH(QString, command);
        QFETCH(QString, prompt);
        QFETCH(int, buttons);
        QFETCH(QString, title);
        Headless h;
        EnterState(h, false, 3);
        Run(command);
        QCOMPARE(asked.size(), size_t(prompt.isEmpty() ? 0 : 1));
        if (prompt.isEmpty()) return;
        QCOMPARE(asked[0].prompt, prompt);
        QCOMPARE(asked[0].buttons, buttons);
        QCOMPARE(asked[0].title, title);
    }

    void quitAnsweredYesEndsAtOnce_data() {
        QTest::addColumn<bool>("byCloseRequest");
        QTest::newRow("quit button") << false;
        QTest::newRow("close request") << true;
    }
    void quitAnsweredYesEndsAtOnce() {
        QFETCH(bool, byCloseRequest);
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        EnterState(h, true, 7);
        w.Timer1->setInterval(200);
        w.Timer1->setEnabled(true);
        std::vector<SurfaceOp> log;
        w.Picture2Surface.log = &log;
        AnswerWith(vbYes);
        int16_t cancel = 0;
        byCloseRequest ? Vexo::Form_Unload(cancel) : Vexo::Owari_Click();
        w.Picture2Surface.log = nullptr;
        QCOMPARE(h.endRequests, 1);
        QCOMPARE(cancel, int16_t(0));
        QVERIFY(!w.isVisible());
        QVERIFY(log.empty());
        // No tick may run once the end was asked for.
        for (WindowTimer* t : {w.Timer1.get(), w.Timer2.get(), w.Timer3.get(), w.Timer4.get()})
            QVERIFY(!t->running());
    }

    void closingTheWindowAnsweredNoKeepsItOpen() {
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        EnterState(h, true, 7);
        AnswerWith(vbNo);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible() && w.Timer2->running());
        AnswerWith(vbYes);
        QVERIFY(w.close());
        QCOMPARE(asked.size(), size_t(1));
        QCOMPARE(h.endRequests, 1);
    }

    // Before the box has answered no scale is drawn: スタート says why and starts nothing.
    void startBeforeTheBoxAnsweredIsRefused() {
        Headless h;
        Zanpo& w = *h.window;
        UseStartUpDefaults();
        std::vector<SurfaceOp> log;
        w.Picture2Surface.log = &log;
        AnswerWith(vbOK);
        Vexo::Start_Click();
        QCOMPARE(asked.size(), size_t(1));
        QVERIFY(asked[0].prompt.startsWith(QStringLiteral("ざんぽが接続されていません!")));
        QCOMPARE(asked[0].buttons, int(vbOKOnly));
        QCOMPARE(w.Start->text(), Stopped);
        QVERIFY(!w.Timer2->running());
        QVERIFY(log.empty());

        Vexo::AnswerCount = 10;  // the connection watch has handed over
        Vexo::DrawThermometer();
        Vexo::Start_Click();
        QCOMPARE(asked.size(), size_t(1));
        QCOMPARE(w.Start->text(), Running);
        QVERIFY(w.Timer2->running());
    }

    // Return and keypad Enter click the focused button of the main window, as Space does.
    void enterClicksTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("スタート, Return") << "Start" << int(Qt::Key_Return) << 0;
        QTest::newRow("スタート, keypad Enter")
            << "Start" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("おわり, Return") << "Owari" << int(Qt::Key_Return) << 0;
        QTest::newRow("せつめい, keypad Enter")
            << "Setumei" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void enterClicksTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Headless h;
        Zanpo& w = *h.window;
        EnterState(h, false, 0);
        QPushButton* target = button == "Start" ? w.Start : button == "Owari" ? w.Owari : w.Setumei;
        AnswerWith(vbNo);
        QSignalSpy clicked(target, &QPushButton::clicked);
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(clicked.count(), 1);
    }

    void confirmedResetStartsAfresh() {
        Headless h;
        Zanpo& w = *h.window;
        EnterState(h, false, 120);
        Vexo::PageStartTick = 100;
        Vexo::TrendBuffer[50] = 1234;
        w.Label3->setText(QStringLiteral("   60秒"));
        std::vector<SurfaceOp> gauge;
        w.Picture1Surface.log = &gauge;
        AnswerWith(vbYes);
        Vexo::DataReset_Click();
        w.Picture1Surface.log = nullptr;
        QCOMPARE(Vexo::PageStartTick, 0.0f);
        QCOMPARE(w.Label3->text(), QString());             // the seconds go
        QCOMPARE(w.Label4->text(), QStringLiteral(" ℃"));  // the unit stays
        QCOMPARE(Vexo::TrendBuffer[50], 1234.0f);          // overwritten only by later ticks
        QVERIFY(!gauge.empty());                           // the thermometer is drawn again
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
