// Lessons recorded through the real commands and graph tick into real folders: which file
// each measurement goes to, what it holds after pauses and resets, and faults of the folder
// or the disk that must leave the measurement running and no half line behind.
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "platform/message_box.h"
#include "platform/window_timer.h"
#include "recording/recording.h"
#include "support/headless.h"
#include "ui/commands.h"
#include "ui/form_load.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The raw bytes of a lesson file, "10 11 12", after checking every byte of its form: the
// header, CR LF, seconds 0.0, 0.5, ... and degrees of raw - 40 (the table below); "-" for a
// held reading, whose raw field is empty and whose degrees are those of the tick before.
QString Lesson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "unreadable";
    QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.takeFirst() != "\xEF\xBB\xBF経過時間(秒),温度(℃),生データ\r") return "bad header";
    if (lines.takeLast() != "") return "a half line at the end";
    QStringList raws;
    int degrees = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines[i].split(',').value(2);
        raw.chop(1);
        if (!raw.isEmpty()) degrees = raw.toInt() - 40;
        if (lines[i] != QByteArray::number(i / 2) + (i % 2 ? ".5," : ".0,") +
                            QByteArray::number(degrees) + ".0," + raw + "\r")
            return "bad line " + QString::fromUtf8(lines[i]);
        raws << (raw.isEmpty() ? QStringLiteral("-") : QString::fromUtf8(raw));
    }
    return raws.join(' ');
}

// Each lesson file of `folder` in name order, with " +png" when its picture is beside it.
QStringList Lessons(const QString& folder) {
    QStringList found;
    for (const QString& csv : QDir(folder).entryList({"*.csv"}, QDir::Files, QDir::Name)) {
        QString png = folder + "/" + csv;
        png.replace(".csv", ".png");
        found << Lesson(folder + "/" + csv) + (QFile::exists(png) ? " +png" : "");
    }
    return found;
}

// A lesson driven by a script: S start/stop, a number that many graph ticks, each after the
// box's answer to a poll (the raw byte counting up from 10), H a graph tick with no answer
// since the tick before, Y and N the reset answered Yes or No, O the option --no-record.
struct Classroom {
    QTemporaryDir work;
    std::unique_ptr<Headless> h;
    int raw = 10;

    explicit Classroom(const QByteArray& customization) {
        QDir::setCurrent(work.path());
        QByteArray table = "raw,degrees\r\n";
        for (int r = 0; r <= 255; ++r) table += QByteArray::number(r - 40) + "\r\n";
        WriteFile("KION.CSV", table);
        WriteFile("VEXO.TXT", customization);
        h = std::make_unique<Headless>();
        Vexo::ResetRecording();
        Vexo::AttachRecording();
        Vexo::Form_Load();
        while (Vexo::Timer4->running()) {  // the box answers: the watch hands over
            h->line->receive(QByteArray(1, char(raw)));
            Vexo::Timer4->tick();
        }
    }
    void run(const QString& script) {
        static const QRegularExpression step("\\d+|\\D");
        for (const auto& m : step.globalMatch(script)) {
            const QString s = m.captured();
            SetMsgBoxHandler(
                [s](const QString&, int, const QString&) { return s == "Y" ? vbYes : vbNo; });
            if (s == "O") Vexo::SwitchRecordingOff();
            if (s == "S") Vexo::Start_Click();
            if (s == "Y" || s == "N") Vexo::DataReset_Click();
            for (int i = 0; s[0].isDigit() && i < s.toInt(); ++i) {
                h->line->receive(QByteArray(1, char(raw++)));
                Vexo::Timer1->tick();
                Vexo::Timer2->tick();
            }
            if (s == "H") Vexo::Timer2->tick();
        }
    }
};

}  // namespace

class RecordingTest : public QObject {
    Q_OBJECT
  private slots:
    void lessons_data() {
        QTest::addColumn<QByteArray>("customization");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("folder");  // where files go (or would); ~ the documents'
        QTest::addColumn<QStringList>("lessons");
        const QByteArray rec = "Kiroku=rec\r\n";
        QTest::newRow("stop: the picture beside it") << rec << "S3S"
                                                     << "rec" << QStringList{"10 11 12 +png"};
        QTest::newRow("continued: same file, the last tick again")
            << rec << "S3SS2"
            << "rec" << QStringList{"10 13 14 +png"};
        QTest::newRow("reset Yes: a new file") << rec << "S2SYS2"
                                               << "rec" << QStringList{"10 11 +png", "12 13"};
        QTest::newRow("reset No: the same file") << rec << "S4SNS1"
                                                 << "rec" << QStringList{"10 11 14 +png"};
        QTest::newRow("a held reading: no raw byte") << rec << "S2HH1S"
                                                     << "rec" << QStringList{"10 11 - - 12 +png"};
        QTest::newRow("no tick, no file") << rec << "SS"
                                          << "rec" << QStringList{};
        QTest::newRow("a name taken") << rec << "S1"
                                      << "rec" << QStringList{"10"};
        QTest::newRow("documents by default") << QByteArray() << "S2"
                                              << "~" << QStringList{"10 11"};
        QTest::newRow("key in small letters, folder as written")
            << QByteArray("  kiroku=Rec Dir \r\n") << "S1"
            << "Rec Dir" << QStringList{"10"};
        QTest::newRow("Kiroku=0") << QByteArray("Kiroku=0\r\n") << "S2S"
                                  << "~" << QStringList{};
        QTest::newRow("--no-record") << rec << "OS2S"
                                     << "rec" << QStringList{};
    }
    void lessons() {
        QFETCH(QByteArray, customization);
        QFETCH(QString, script);
        QFETCH(QString, folder);
        QFETCH(QStringList, lessons);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        Classroom room(customization);
        QString dir = room.work.filePath(folder);
        if (folder == "~") {
            dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Kelvira";
            QDir(dir).removeRecursively();
        }
        QStringList taken;  // the names of the next three seconds, already there
        for (int s = 1; QTest::currentDataTag() == QString("a name taken") && s <= 3; ++s) {
            QDir().mkpath(dir);
            taken << before.addSecs(s).toString("yyyy-MM-dd_HH-mm-ss");
            WriteFile(dir + "/" + taken.last() + ".csv", "taken");
        }
        room.run(script);

        static const QRegularExpression name(
            "^(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d)(_\\d+)?\\.csv$");
        for (const QString& file : QDir(dir).entryList({"*.csv"}, QDir::Files)) {
            const auto m = name.match(file);
            QVERIFY2(m.hasMatch(), qPrintable(file));
            if (taken.contains(m.captured(1)) && m.captured(2).isEmpty()) continue;
            const QDateTime at = QDateTime::fromString(m.captured(1), "yyyy-MM-dd_HH-mm-ss");
            QVERIFY(at >= before && at <= QDateTime::currentDateTime());
        }
        QStringList found = Lessons(dir);
        QCOMPARE(found.removeAll("bad header"), taken.size());  // the files there left alone
        QCOMPARE(found, lessons);
        QCOMPARE(Vexo::MainWindow->windowTitle(), QStringLiteral("けるびら"));
    }

    void faults_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("a file where the folder should be") << "file in the way";
        QTest::newRow("file size limit reached mid-line") << "size limit";
    }
    void faults() {
        QFETCH(QString, fault);
        Classroom room(fault == "file in the way" ? "Kiroku=plain/rec\r\n" : "Kiroku=rec\r\n");
        const QString dir = room.work.filePath(fault == "file in the way" ? "plain/rec" : "rec");
        const bool root = geteuid() == 0;
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        std::signal(SIGXFSZ, SIG_IGN);
        if (fault == "read-only") {
            QVERIFY(QDir().mkpath(dir));
            QFile::setPermissions(room.work.path(), QFile::Permissions(0x7755));
            QFile::setPermissions(dir, QFile::Permissions(0x5555));
            if (root) QCOMPARE(seteuid(65534), 0);  // root would write there all the same
        }
        if (fault == "file in the way") WriteFile(room.work.filePath("plain"), "");
        room.run("S2");
        if (fault == "size limit") {
            limit.rlim_cur = static_cast<rlim_t>(QFileInfo(Vexo::RecordingFile()).size() + 5);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        }
        room.run("2");
        if (root) QCOMPARE(seteuid(0), 0);
        setrlimit(RLIMIT_FSIZE, &unlimited);

        // The measurement went on; the title says this lesson is not kept; no half line.
        QCOMPARE(Vexo::ElapsedTicks, 4.0);
        QCOMPARE(Vexo::MainWindow->Label3->text(), QStringLiteral("   1秒"));
        QCOMPARE(Vexo::MainWindow->windowTitle(), QStringLiteral("けるびら（記録できません）"));
        QCOMPARE(Lessons(dir), fault == "size limit" ? QStringList{"10 11"} : QStringList{});

        // Mended: the next start records the whole lesson again, and the title is plain.
        QFile::setPermissions(dir, QFile::Permissions(0x7755));
        QFile::remove(room.work.filePath("plain"));
        room.run("SS2");
        QCOMPARE(Vexo::MainWindow->windowTitle(), QStringLiteral("けるびら"));
        QCOMPARE(Lessons(dir), QStringList{"10 11 14 15"});
    }
};

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"
