// One classroom session with the real program against the simulated box on a private X
// screen: start, ticks with an alert, stop, start again, stop, reset answered Yes, the
// settings dialog, quit answered Yes. Screenshots of the alert, the overview and the
// dialog are kept in the build folder (tests/screenshots).
#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QtTest>

#include "support/box_rig.h"
#include "support/xvfb.h"

namespace {

const QString Stopped = QStringLiteral("スタート");
const QString Running = QStringLiteral("ストップ");
// Centres of the main window's buttons (スタート's is the rig's), and of キャンセル in the settings
// dialog.
const QPoint Settei(60, 225), Owari(60, 372), Cancel(56, 319);

// A rising rule at 25 degrees, shown for 60 s on blue; its message is あつい in Shift-JIS.
const QByteArray Customization = "U25T60C9\r\n\x82\xa0\x82\xc2\x82\xa2\r\n";

// Raw 60 (20 degrees) for 6 s, then raw 70 (30 degrees) for 6 s, over and over.
QByteArray Script() {
    QByteArray s;
    for (int i = 0; i < 30; ++i) s += "60\n";
    for (int i = 0; i < 30; ++i) s += "70\n";
    return s;
}

int Seconds(const QString& label) {
    return label.chopped(1).trimmed().toInt();
}

}  // namespace

class UiSessionTest : public QObject {
    Q_OBJECT
  private slots:
    void aWholeSession() {
        Xvfb x;
        QVERIFY2(x.ok(), "Xvfb or xdotool did not start");
        // Without ImageMagick's import the session runs without its pictures.
        const bool shots = !QStandardPaths::findExecutable("import").isEmpty();
        const QString shotsDir = QCoreApplication::applicationDirPath() + "/screenshots";
        QDir().mkpath(shotsDir);
        auto shot = [&](const QString& name) { return x.shot(shotsDir + "/" + name + ".png"); };
        BoxRig rig;
        rig.writeFile("VEXO.TXT", Customization);
        rig.writeFile("script.txt", Script());
        QVERIFY(rig.startBox({"--profile", "script:" + rig.dir() + "/script.txt"}));
        QVERIFY(rig.startProgram({}, {}, {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + x.display()}));
        const qint64 pid = rig.programPid();
        auto until = [&](const std::function<bool()>& condition, int ms) {
            const bool met =
                BoxRig::waitFor([&] { return !rig.programRunning() || condition(); }, ms);
            if (!rig.programRunning())
                qWarning("the program has ended: %s", qPrintable(rig.programEnding()));
            return met && rig.programRunning();
        };
        auto last = [&](const char* name) { return rig.trace.last(name); };

        // Past the hand-over to the poll, start a measurement.
        QVERIFY(until([&] { return rig.trace.printed(Announced) && rig.requests() >= 14; }, 15000));
        QCOMPARE(last("DataReset.visible"), QString("0"));
        QVERIFY(x.click(pid, StartButton.x(), StartButton.y()));
        QVERIFY(until([&] { return last("Start") == Running; }, 5000));

        // The reading climbs from 20 to 30 degrees within 12 s: the alert shows.
        QVERIFY(until([&] { return last("Text2.visible") == "1"; }, 20000));
        QCOMPARE(last("Text2"), QStringLiteral("あつい"));
        QVERIFY(Seconds(last("Label3")) >= 1);
        QTest::qWait(1000);
        if (shots) QVERIFY(RedInGraph(shot("running-with-alert")) > 20);

        // Stop: the reset button comes back and the overview replaces the page.
        QVERIFY(x.click(pid, StartButton.x(), StartButton.y()));
        QVERIFY(until([&] { return last("Start") == Stopped; }, 5000));
        QVERIFY(until([&] { return last("DataReset.visible") == "1"; }, 2000));
        const int stoppedAt = Seconds(last("Label3"));
        QTest::qWait(1500);
        QCOMPARE(Seconds(last("Label3")), stoppedAt);  // no ticks while stopped
        if (shots) QVERIFY(RedInGraph(shot("overview-after-stop")) > 20);

        // Start again: the recording goes on from where it stood.
        QVERIFY(x.click(pid, StartButton.x(), StartButton.y()));
        QVERIFY(until([&] { return last("Start") == Running; }, 5000));
        QVERIFY(until([&] { return Seconds(last("Label3")) > stoppedAt; }, 5000));
        QVERIFY(Seconds(last("Label3")) <= stoppedAt + 2);
        QCOMPARE(last("DataReset.visible"), QString("0"));

        // Stop, and reset answered Yes with the keyboard.
        QVERIFY(x.click(pid, StartButton.x(), StartButton.y()));
        QVERIFY(until([&] { return last("DataReset.visible") == "1"; }, 5000));
        QVERIFY(x.click(pid, 60, 275));
        QTest::qWait(1000);
        QVERIFY(x.key("Return"));
        QVERIFY(until([&] { return last("Label3").isEmpty(); }, 5000));
        QCOMPARE(last("Start"), Stopped);

        // The settings dialog hides the main window and freezes the reading; キャンセル
        // brings both back.
        QVERIFY(x.click(pid, Settei.x(), Settei.y()));
        QTest::qWait(1000);
        if (shots) {
            // Where the quit button stood, the bare screen shows: the main window is hidden.
            const QImage dialog = shot("settings-dialog");
            QCOMPARE(dialog.pixel(Owari), qRgb(0, 0, 0));
            QVERIFY(dialog.pixel(326, 205) != qRgb(0, 0, 0));  // the dialog, centred over it
        }
        const int mark = rig.trace.size();
        QTest::qWait(1500);
        QVERIFY(rig.trace.values("Text1", mark).isEmpty());
        QVERIFY(x.click(pid, Cancel.x(), Cancel.y()));  // the dialog is the one window shown
        QVERIFY(until([&] { return !rig.trace.values("Text1", mark).isEmpty(); }, 8000));

        // Quit answered Yes: the program ends by itself, without a second question.
        QVERIFY(x.click(pid, Owari.x(), Owari.y()));
        QTest::qWait(1000);
        QVERIFY(x.key("Return"));
        QVERIFY(BoxRig::waitFor([&] { return !rig.programRunning(); }, 5000));
        QVERIFY2(rig.programExitStatus() == QProcess::NormalExit && rig.programExitCode() == 0,
                 qPrintable(rig.programEnding()));
    }
};

QTEST_GUILESS_MAIN(UiSessionTest)
#include "ui_session_test.moc"
