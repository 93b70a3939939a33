// Lessons recorded through the real commands and graph tick into real folders: which file
// each measurement goes to, what it holds after pauses and resets, and faults of the folder
// or the disk that must leave the measurement running and no half line behind.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "platform/message_box.h"
#include "platform/picture_box.h"
#include "recording/recording.h"
#include "support/headless.h"

namespace {

const QString NotRecorded = QStringLiteral("けるびら（記録できません）");

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The raw bytes of a lesson file, "10 11 12", after checking every byte of its form: the
// header, CR LF, seconds 0.0, 0.5, ... and degrees of raw - 40 (the table below).
QString Lesson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "unreadable";
    QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.takeFirst() != "\xEF\xBB\xBF経過時間(秒),温度(℃),生データ\r") return "bad header";
    if (lines.takeLast() != "") return "a half line at the end";
    QStringList raws;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines[i].split(',').value(2);
        raw.chop(1);
        const QByteArray want = QByteArray::number(i / 2) + (i % 2 ? ".5," : ".0,") +
                                QByteArray::number(raw.toInt() - 40) + ".0," + raw + "\r";
        if (lines[i] != want) return "bad line " + QString::fromUtf8(lines[i]);
        raws << QString::fromUtf8(raw);
    }
    return raws.join(' ');
}

QStringList Files(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

// A lesson driven by a script: S start/stop, a number that many graph ticks (the raw byte
// counting up from 10), Y and N the reset answered Yes or No, E the explanation.
struct Classroom {
    QTemporaryDir work;
    std::unique_ptr<Headless> h;
    int raw = 10;

    explicit Classroom(const QByteArray& customization, bool noRecord = false) {
        QDir::setCurrent(work.path());
        QByteArray table = "raw,degrees\r\n";
        for (int r = 0; r <= 255; ++r) table += QByteArray::number(r - 40) + "\r\n";
        WriteFile("KION.CSV", table);
        WriteFile("VEXO.TXT", customization);
        h = std::make_unique<Headless>();
        if (noRecord) Vexo::SwitchRecordingOff();
        Vexo::Form_Load();
    }
    void ticks(int n) {
        for (int i = 0; i < n && Vexo::Timer2->running(); ++i) {
            Vexo::RawValue = static_cast<int16_t>(raw++);
            Vexo::Timer2->tick();
        }
    }
    void run(const QString& script) {
        static const QRegularExpression step("\\d+|\\D");
        for (const auto& m : step.globalMatch(script)) {
            const QString s = m.captured();
            SetMsgBoxHandler([s](const QString&, int, const QString&) {
                return s == "Y" ? vbYes : s == "N" ? vbNo : vbOK;
            });
            if (s == "S") Vexo::Start_Click();
            if (s == "Y" || s == "N") Vexo::DataReset_Click();
            if (s == "E") Vexo::Setumei_Click();
            if (s[0].isDigit()) ticks(s.toInt());
        }
    }
};

}  // namespace

class RecordingTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { SetMsgBoxHandler({}); }

    void lessons_data() {
        QTest::addColumn<QByteArray>("customization");
        QTest::addColumn<bool>("noRecord");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("folder");  // where the files go, or would without the switch
        QTest::addColumn<QStringList>("lessons");
        QTest::addColumn<int>("pictures");
        const QByteArray rec = "Kiroku=rec\r\n";
        QTest::newRow("first start") << rec << false << "S3"
                                     << "rec" << QStringList{"10 11 12"} << 0;
        QTest::newRow("stop: the picture beside it") << rec << false << "S3S"
                                                     << "rec" << QStringList{"10 11 12"} << 1;
        QTest::newRow("continued: same file, the last tick again")
            << rec << false << "S3SS2"
            << "rec" << QStringList{"10 13 14"} << 1;
        QTest::newRow("explanation while running: the tick again")
            << rec << false << "S3E2"
            << "rec" << QStringList{"10 11 13 14"} << 0;
        QTest::newRow("reset Yes: a new file") << rec << false << "S2SYS2"
                                               << "rec" << QStringList{"10 11", "12 13"} << 1;
        QTest::newRow("reset No: the same file") << rec << false << "S4SNS1"
                                                 << "rec" << QStringList{"10 11 14"} << 1;
        QTest::newRow("no tick, no file") << rec << false << "SS"
                                          << "rec" << QStringList{} << 0;
        QTest::newRow("a name taken") << rec << false << "S1"
                                      << "rec+taken" << QStringList{"10"} << 0;
        QTest::newRow("documents by default") << QByteArray() << false << "S2"
                                              << "documents" << QStringList{"10 11"} << 0;
        QTest::newRow("key in small letters, folder as written")
            << QByteArray("  kiroku=Rec Dir \r\n") << false << "S1"
            << "Rec Dir" << QStringList{"10"} << 0;
        QTest::newRow("Kiroku=0") << QByteArray("Kiroku=0\r\n") << false << "S2S"
                                  << "documents" << QStringList{} << 0;
        QTest::newRow("--no-record") << rec << true << "S2S"
                                     << "rec" << QStringList{} << 0;
    }
    void lessons() {
        QFETCH(QByteArray, customization);
        QFETCH(bool, noRecord);
        QFETCH(QString, script);
        QFETCH(QString, folder);
        QFETCH(QStringList, lessons);
        QFETCH(int, pictures);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        Classroom room(customization, noRecord);
        QString dir = room.work.filePath(folder.section('+', 0, 0));
        if (folder == "documents") {
            dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Kelvira";
            QDir(dir).removeRecursively();
        }
        QStringList taken;
        for (int s = 0; folder.endsWith("+taken") && s < 3; ++s) {
            QDir().mkpath(dir);
            taken << before.addSecs(s + 1).toString("yyyy-MM-dd_HH-mm-ss") + ".csv";
            WriteFile(dir + "/" + taken.last(), "taken");
        }
        room.run(script);

        QStringList found;
        static const QRegularExpression name(
            "^(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d)(_\\d+)?\\.csv$");
        for (const QString& file : Files(dir, "*.csv")) {
            QFile read(dir + "/" + file);
            if (taken.contains(file) && read.open(QIODevice::ReadOnly)) {
                QCOMPARE(read.readAll(), QByteArray("taken"));  // left as it was
                continue;
            }
            const auto m = name.match(file);
            QVERIFY2(m.hasMatch(), qPrintable(file));
            const QDateTime at = QDateTime::fromString(m.captured(1), "yyyy-MM-dd_HH-mm-ss");
            QVERIFY(at >= before && at <= QDateTime::currentDateTime());
            if (taken.contains(m.captured(1) + ".csv")) QVERIFY(!m.captured(2).isEmpty());
            found << Lesson(dir + "/" + file);
        }
        QCOMPARE(found, lessons);
        QCOMPARE(Files(dir, "*.png").size(), pictures);
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
        QCOMPARE(Vexo::MainWindow->windowTitle(), NotRecorded);
        const QStringList partial = Files(dir, "*.csv");
        QCOMPARE(partial.size(), fault == "size limit" ? 1 : 0);
        if (!partial.isEmpty()) QCOMPARE(Lesson(dir + "/" + partial[0]), QString("10 11"));

        // Mended: the next start records the whole lesson again, and the title is plain.
        QFile::setPermissions(dir, QFile::Permissions(0x7755));
        QFile::remove(room.work.filePath("plain"));
        room.run("SS2");
        QCOMPARE(Vexo::MainWindow->windowTitle(), QStringLiteral("けるびら"));
        QCOMPARE(Files(dir, "*.csv").size(), 1);
        QCOMPARE(Lesson(Vexo::RecordingFile()), QString("10 11 14 15"));
    }

    void graphMenu() {
        Classroom room("Kiroku=rec\r\n");
        Vexo::InstallGraphMenu(*room.h->window);
        room.run("S3S");
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) return;
            for (QAction* action : menu->actions()) entries << action->text();
            menu->actions().value(0)->trigger();
            menu->close();
        });
        emit room.h->window->Picture2->customContextMenuRequested(QPoint(10, 10));
        QCOMPARE(entries, (QStringList{"グラフをコピー", "グラフを保存…", "記録のフォルダを開く"}));
        // The picture copied is the graph as shown, the same as the one saved on the stop.
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(
            copied.convertToFormat(QImage::Format_RGB32),
            Vexo::Picture2->image().copy(0, 0, 400, 400).convertToFormat(QImage::Format_RGB32));
        QString png = Vexo::RecordingFile();
        png.replace(".csv", ".png");
        QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32),
                 copied.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"
