// A lesson of the real program on the simulated box, recorded to its file, on a private X
// screen: stopped, the picture beside the file is the graph on the screen; continued, then
// killed with SIGKILL in the middle of the measurement, the file holds every tick recorded
// up to then and no half line.
#include <csignal>

#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QtTest>

#include "support/box_rig.h"
#include "support/xvfb.h"

namespace {

// Where the graph's picture stands on the screen, the window at the screen's corner.
const QPoint GraphOnScreen(226, 2);

// The pixels alone: the screenshot carries a colour space, the picture none.
QByteArray Pixels(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    return QByteArray(reinterpret_cast<const char*>(rgb.constBits()), rgb.sizeInBytes());
}

}  // namespace

class RecordingSessionTest : public QObject {
    Q_OBJECT
  private slots:
    void aLessonKilledMidway() {
        Xvfb x;
        QVERIFY2(x.ok(), "Xvfb or xdotool did not start");
        BoxRig rig;
        QVERIFY(rig.startBox({"--profile", "constant:63"}));  // 23 degrees
        QVERIFY(rig.startProgram({}, {}, {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + x.display()}));
        const qint64 pid = rig.programPid();
        auto last = [&](const char* name) { return rig.trace.last(name); };
        auto until = [&](const std::function<bool()>& condition) {
            return BoxRig::waitFor([&] { return !rig.programRunning() || condition(); }, 15000) &&
                   rig.programRunning();
        };
        const QString folder = rig.dir() + "/Documents/Kelvira";
        auto files = [&](const char* pattern) {
            return QDir(folder).entryList({pattern}, QDir::Files);
        };

        QVERIFY(until([&] { return rig.trace.printed(Announced) && rig.requests() >= 14; }));
        QVERIFY(x.click(pid, StartButton.x(), StartButton.y()));
        QVERIFY(until([&] { return last("Recorded").toInt() >= 4; }));

        // Stopped: the picture beside the file is what the screen shows.
        QVERIFY(x.click(pid, StartButton.x(), StartButton.y()));
        QVERIFY(until([&] { return files("*.png").size() == 1; }));
        QTest::qWait(500);
        const QImage picture(folder + "/" + files("*.png").value(0));
        QCOMPARE(picture.size(), QSize(400, 400));
        if (!QStandardPaths::findExecutable("import").isEmpty()) {
            const QString shots = QCoreApplication::applicationDirPath() + "/screenshots";
            QDir().mkpath(shots);
            const QImage screen = x.shot(shots + "/recorded-lesson-stopped.png");
            QCOMPARE(Pixels(screen.copy(QRect(GraphOnScreen, picture.size()))), Pixels(picture));
        }

        // Continued in the same file, then killed between two ticks or in the middle of one.
        QVERIFY(x.click(pid, StartButton.x(), StartButton.y()));
        QVERIFY(until([&] { return last("Recorded").toInt() >= 10; }));
        const int recorded = last("Recorded").toInt();
        QCOMPARE(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
        QVERIFY(BoxRig::waitFor([&] { return !rig.programRunning(); }, 5000));
        BoxRig::removeLocksOf(pid);

        QCOMPARE(files("*.csv").size(), 1);
        QFile csv(folder + "/" + files("*.csv").value(0));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines.takeFirst(), QByteArray("\xEF\xBB\xBF経過時間(秒),温度(℃),生データ\r"));
        QCOMPARE(lines.takeLast(), QByteArray());  // the last line is whole
        QVERIFY2(lines.size() >= recorded, qPrintable(QString::number(lines.size())));
        for (int t = 0; t < lines.size(); ++t)
            QCOMPARE(lines[t], QByteArray::number(t / 2) + (t % 2 ? ".5" : ".0") + ",23.0,63\r");
    }
};

QTEST_GUILESS_MAIN(RecordingSessionTest)
#include "recording_session_test.moc"
