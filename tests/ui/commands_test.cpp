// The commands of the main window: run state, tick step-backs, timers and repaints after
// each command, and the exact questions through the message-box seam.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "platform/message_box.h"
#include "support/headless.h"
#include "ui/fsettei.h"

namespace {

const QString Stopped = QStringLiteral("スタート");
const QString Running = QStringLiteral("ストップ");

struct AskedBox {
    QString prompt;
    int buttons;
    QString title;
};

// Puts the window in the state the commands leave: stopped after a first stop (DataReset
// shown), or running (DataReset hidden, the graph tick on).
void EnterState(Headless& h, bool running, double ticks) {
    Zanpo& w = *h.window;
    w.Start->setText(running ? Running : Stopped);
    w.DataReset->setVisible(!running);
    w.Timer2->setInterval(500);
    w.Timer2->setEnabled(running);
    Vexo::ElapsedTicks = ticks;
    Vexo::PageStartTick = 0;
}

// Answers every box with `answer` and keeps what was asked.
std::vector<AskedBox>* Answer(int answer) {
    static std::vector<AskedBox> asked;
    asked.clear();
    SetMsgBoxHandler([answer](const QString& prompt, int buttons, const QString& title) {
        asked.push_back({prompt, buttons, title});
        return answer;
    });
    return &asked;
}

void Run(const QString& command) {
    if (command == "start") {
        Vexo::Start_Click();
    } else if (command == "reset yes") {
        Answer(vbYes);
        Vexo::DataReset_Click();
    } else if (command == "reset no") {
        Answer(vbNo);
        Vexo::DataReset_Click();
    } else if (command == "explain") {
        Answer(vbOK);
        Vexo::Setumei_Click();
    } else if (command == "quit no") {
        Answer(vbNo);
        Vexo::Owari_Click();
    } else if (command == "close no") {
        Answer(vbNo);
        int16_t cancel = 0;
        Vexo::Form_Unload(cancel);
        QCOMPARE(cancel, int16_t(-1));
    } else if (command == "settings apply") {
        Vexo::Settei_Click();
        Vexo::Owaru_Click();
    } else if (command == "settings cancel") {
        Vexo::Settei_Click();
        Vexo::FCancel_Click();
    } else {
        QFAIL("unknown command");
    }
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void commandLeavesState_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("running");
        QTest::addColumn<double>("ticks");
        QTest::addColumn<double>("ticksAfter");
        QTest::addColumn<bool>("runningAfter");
        QTest::addColumn<bool>("timer2After");

        struct Row {
            const char* command;
            bool running;
            double ticks, ticksAfter;
            bool runningAfter, timer2After;
        };
        const Row rows[] = {
            // Start toggles; each direction steps back once.
            {"start", false, 0, 0, true, true},
            {"start", false, 1, 0, true, true},
            {"start", false, 7, 6, true, true},
            {"start", true, 0, 0, false, false},
            {"start", true, 1, 0, false, false},
            {"start", true, 7, 6, false, false},
            // Reset is usable only while stopped; it never steps back.
            {"reset yes", false, 0, 0, false, false},
            {"reset yes", false, 7, 0, false, false},
            {"reset no", false, 0, 0, false, false},
            {"reset no", false, 7, 7, false, false},
            // After the explanation a running measurement always gets its tick back.
            {"explain", false, 0, 0, false, false},
            {"explain", false, 1, 0, false, false},
            {"explain", false, 7, 6, false, false},
            {"explain", true, 0, 0, true, true},
            {"explain", true, 1, 0, true, true},
            {"explain", true, 7, 6, true, true},
            {"quit no", false, 0, 0, false, false},
            {"quit no", false, 7, 6, false, false},
            {"quit no", true, 0, 0, true, true},
            {"quit no", true, 1, 0, true, true},
            {"quit no", true, 7, 6, true, true},
            {"close no", false, 7, 6, false, false},
            {"close no", true, 1, 0, true, true},
            {"close no", true, 7, 6, true, true},
            // The settings dialog, like the explanation, always resumes a running tick.
            {"settings apply", false, 0, 0, false, false},
            {"settings apply", false, 7, 6, false, false},
            {"settings apply", true, 0, 0, true, true},
            {"settings apply", true, 1, 0, true, true},
            {"settings apply", true, 7, 6, true, true},
            {"settings cancel", false, 0, 0, false, false},
            {"settings cancel", false, 7, 6, false, false},
            {"settings cancel", true, 1, 0, true, true},
            {"settings cancel", true, 7, 6, true, true},
        };
        for (const Row& r : rows)
            QTest::addRow("%s %s %g", r.command, r.running ? "running" : "stopped", r.ticks)
                << QString(r.command) << r.running << r.ticks << r.ticksAfter << r.runningAfter
                << r.timer2After;
    }
    void commandLeavesState() {
        QFETCH(QString, command);
        QFETCH(bool, running);
        QFETCH(double, ticks);
        QFETCH(double, ticksAfter);
        QFETCH(bool, runningAfter);
        QFETCH(bool, timer2After);
        Headless h;
        Vexo::ScaleMax = 100;
        Vexo::ScaleMin = -10;
        EnterState(h, running, ticks);
        Run(command);

        Zanpo& w = *h.window;
        QCOMPARE(Vexo::ElapsedTicks, ticksAfter);
        QCOMPARE(w.Start->text(), runningAfter ? Running : Stopped);
        QCOMPARE(w.DataReset->isVisibleTo(&w), !runningAfter);
        QCOMPARE(w.Timer2->running(), timer2After);
        if (timer2After) QCOMPARE(w.Timer2->interval(), 500);
        QCOMPARE(h.endRequests, 0);
    }

    void eachQuestionIsAskedExactly_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("title");
        const QString quit = QStringLiteral("本当に終了しますか？");
        const QString app = QStringLiteral("けるびら");
        const QString explanation = QStringLiteral(
            "せってい：めもりのつけかた、センサーの\r"
            "　　　　　しゅるいをきめます。\r"
            "リセット：そくていデータをけします。\r"
            "スタート：そくていをはじめます。\r"
            "おわる　：しゅうりょうします。\r");
        QTest::newRow("reset") << "reset no" << QStringLiteral("データをけしますか？")
                               << int(vbYesNo) << app;
        QTest::newRow("explain") << "explain" << explanation << int(vbOKOnly)
                                 << QStringLiteral("プログラムのせつめい");
        QTest::newRow("quit") << "quit no" << quit << int(vbYesNo) << app;
        QTest::newRow("close") << "close no" << quit << int(vbYesNo) << app;
    }
    void eachQuestionIsAskedExactly() {
        QFETCH(QString, command);
        QFETCH(QString, prompt);
        QFETCH(int, buttons);
        QFETCH(QString, title);
        Headless h;
        EnterState(h, false, 3);
        std::vector<AskedBox>* asked = Answer(vbNo);
        Run(command);
        QCOMPARE(asked->size(), size_t(1));
        QCOMPARE(asked->front().prompt, prompt);
        QVERIFY(!asked->front().prompt.contains(QChar('\n')));
        QCOMPARE(asked->front().buttons, buttons);
        QCOMPARE(asked->front().title, title);
    }

    void commandsWithoutQuestionAskNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("start") << "start";
        QTest::newRow("settings") << "settings cancel";
    }
    void commandsWithoutQuestionAskNothing() {
        QFETCH(QString, command);
        Headless h;
        EnterState(h, false, 3);
        std::vector<AskedBox>* asked = Answer(vbYes);
        Run(command);
        QVERIFY(asked->empty());
    }

    void quitAnsweredYesEndsAtOnce_data() {
        QTest::addColumn<bool>("byCloseRequest");
        QTest::addColumn<bool>("running");
        QTest::newRow("quit button, running") << false << true;
        QTest::newRow("quit button, stopped") << false << false;
        QTest::newRow("close request, running") << true << true;
    }
    void quitAnsweredYesEndsAtOnce() {
        QFETCH(bool, byCloseRequest);
        QFETCH(bool, running);
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        EnterState(h, running, 7);
        w.Timer1->setInterval(200);
        w.Timer1->setEnabled(true);
        std::vector<AskedBox>* asked = Answer(vbYes);
        int16_t cancel = 0;
        if (byCloseRequest)
            Vexo::Form_Unload(cancel);
        else
            Vexo::Owari_Click();
        QCOMPARE(asked->size(), size_t(1));
        QCOMPARE(h.endRequests, 1);
        QCOMPARE(cancel, int16_t(0));
        QVERIFY(!w.isVisible());
        // Nothing of the program may run after the end was asked for.
        for (WindowTimer* t : {w.Timer1.get(), w.Timer2.get(), w.Timer3.get(), w.Timer4.get()})
            QVERIFY(!t->running());
        QCOMPARE(Vexo::ElapsedTicks, 6.0);
    }

    void closingTheWindowAskedNoKeepsItOpen() {
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        EnterState(h, true, 7);
        std::vector<AskedBox>* asked = Answer(vbNo);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(asked->size(), size_t(1));
        QCOMPARE(h.endRequests, 0);
        QVERIFY(w.Timer2->running());

        Answer(vbYes);
        QVERIFY(w.close());
        QCOMPARE(h.endRequests, 1);
    }

    void stopThenStartStepsBackTwiceAndKeepsTheRecording() {
        Headless h;
        EnterState(h, true, 40);
        Vexo::TrendBuffer[38] = 2345;
        Vexo::Start_Click();
        Vexo::Start_Click();
        QCOMPARE(Vexo::ElapsedTicks, 38.0);
        QCOMPARE(Vexo::TrendBuffer[38], 2345.0f);
        QCOMPARE(h.window->Start->text(), Running);
    }

    void explanationWhileRunningWithNothingRecordedStillRuns() {
        // Opened before the second tick: the step-back leaves nothing recorded, yet the
        // button says the measurement runs, so the tick must run too.
        Headless h;
        EnterState(h, true, 1);
        Answer(vbOK);
        Vexo::Setumei_Click();
        QCOMPARE(h.window->Start->text(), Running);
        QVERIFY(h.window->Timer2->running());
        Vexo::Start_Click();  // the next click stops
        QCOMPARE(h.window->Start->text(), Stopped);
        QVERIFY(!h.window->Timer2->running());
    }

    void confirmedResetStartsAfresh() {
        Headless h;
        Zanpo& w = *h.window;
        EnterState(h, false, 120);
        Vexo::PageStartTick = 100;
        w.Label3->setText(QStringLiteral("   60秒"));
        w.Label4->setText(QStringLiteral(" ℃"));
        Vexo::TrendBuffer[50] = 1234;
        Answer(vbYes);
        Vexo::DataReset_Click();
        QCOMPARE(Vexo::ElapsedTicks, 0.0);
        QCOMPARE(Vexo::PageStartTick, 0.0f);
        QCOMPARE(w.Label3->text(), QString());
        QCOMPARE(w.Label4->text(), QStringLiteral(" ℃"));
        QCOMPARE(Vexo::TrendBuffer[50], 1234.0f);  // overwritten only by later ticks
    }

    void settingsCommandSuspendsEverythingAndBlanksTheGraph() {
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        EnterState(h, true, 7);
        w.Timer1->setInterval(200);
        w.Timer1->setEnabled(true);
        std::vector<SurfaceOp> log;
        w.Picture2Surface.log = &log;
        Vexo::Settei_Click();
        QVERIFY(!w.isVisible());
        QVERIFY(Vexo::SettingsDialog && Vexo::SettingsDialog->isVisible());
        QVERIFY(!w.Timer1->running());
        QVERIFY(!w.Timer2->running());
        QCOMPARE(Vexo::ElapsedTicks, 6.0);
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0].kind, SurfaceOp::FilledBox);
        QCOMPARE(log[0].a, QPointF(0, 0));
        QCOMPARE(log[0].b, QPointF(399, 399));
        QCOMPARE(log[0].colour, RGB(0, 0, 0));
        QCOMPARE(w.Picture2Surface.pixel(399, 399), RGB(0, 0, 0));
        w.Picture2Surface.log = nullptr;
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
