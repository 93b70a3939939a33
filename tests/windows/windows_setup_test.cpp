// Kelvira on Windows, under Wine: the setup program installed silently into a fresh prefix on a
// private X screen, then the installed kelvira.exe against the simulated box on a pty mapped
// to COM1 through the registry: its window comes up, the watch hands over, スタート records a
// lesson in the prefix's Documents, ending the session leaves whole lines, and the uninstaller
// leaves the lesson alone. Also the demonstration without a box, the window at twice its size,
// a group on Windows publishing over TLS to a broker on 127.0.0.1 heard by the Linux class
// view, a class opened by the installed class view with the broker it ships, joined by a
// Linux group and the installed program on COM1, and the installed program sharing its lesson
// with a browser on Linux.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

#include "support/box_rig.h"
#include "support/broker.h"
#include "support/chromium.h"
#include "support/lesson_columns.h"
#include "support/wine.h"
#include "support/xvfb.h"

namespace {

const QString Kelvira = "C:\\Program Files\\Kelvira\\kelvira.exe";
const QString ClassView = "C:\\Program Files\\Kelvira\\kelvira-class.exe";
const QString Title = "けるびら";  // the main window, whatever marks its title carries

QString Env(const char* name) {
    return qEnvironmentVariable(name);
}

// A class folder: the example files, the liquid sensor read (the sample's VEXO.TXT), and
// `extra` lines.
void MakeClassFolder(const QString& folder, const QByteArray& extra = {}) {
    QDir().mkpath(folder);
    for (const QString name : {"VEXO.TXT", "KION.CSV", "EKION.CSV"})
        QFile::copy(Env("KELVIRA_SOURCE_DIR") + "/samples/" + name, folder + "/" + name);
    QFile vexo(folder + "/VEXO.TXT");
    QVERIFY(vexo.open(QIODevice::Append));
    vexo.write(extra);
}

// The lesson files recorded under `home` (the prefix's Documents lead there).
QStringList Lessons(const QString& home) {
    QDir dir(home + "/Kelvira");
    QStringList files;
    for (const QString& name : dir.entryList({"*.csv"}, QDir::Files)) files << dir.filePath(name);
    return files;
}

// The degrees of a lesson file, a value a tick; empty with a line that is not whole.
QStringList WholeLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {"cannot read " + path};
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xEF\xBB\xBF経過時間(秒),温度(℃),生データ\r\n") ||
        !bytes.endsWith("\r\n"))
        return {"not whole: " + QString::fromUtf8(bytes.right(40))};
    static const QRegularExpression line("^\\d+\\.[05],-?\\d+\\.\\d\\d?,(\\d+)?$");
    QStringList degrees;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QString text = QString::fromUtf8(lines[i]).chopped(1);
        if (!line.match(text).hasMatch()) return {"not a line: " + text};
        degrees << text.section(',', 1, 1);
    }
    return degrees;
}

struct Windows {
    Xvfb x{QSize(1600, 1000)};
    WinePrefix wine{x.display()};
    QString screenshots = Env("KELVIRA_SCREENSHOTS");

    void install() {
        QVERIFY2(x.ok() && wine.ok(), "Xvfb or the Wine prefix did not start");
        QVERIFY2(wine.run({Env("KELVIRA_WINDOWS_SETUP"), "/S"}, 120000),
                 "the setup program failed");
        QVERIFY(QFileInfo::exists(wine.installed("kelvira.exe")));
        QVERIFY(QFileInfo::exists(wine.installed("examples/VEXO.TXT")));
    }
    void shot(const QString& name) {
        QDir().mkpath(screenshots);
        QVERIFY(!x.shot(screenshots + "/" + name).isNull());
    }
};

// Whether a mosquitto.exe runs under Wine (as a process of this machine's).
bool MosquittoExeRuns() {
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains("mosquitto.exe"))
            return true;
    }
    return false;
}

// A Linux path as a Windows program under Wine reaches it.
QString OnDriveZ(const QString& path) {
    return "Z:" + QDir::toNativeSeparators(path);
}

// Installs Kelvira, starts the box on a pty mapped to COM1 and the installed kelvira.exe with
// `arguments` in a class folder, its trace read by `trace`.
void StartOnCom1(Windows& w, BoxRig& box, QProcess& program, TraceReader& trace,
                 const QStringList& arguments) {
    w.install();
    QVERIFY(box.startBox({"--profile", "ramp:60:1"}));
    QVERIFY2(w.wine.mapPorts(box.link()), "COM1 is not the simulated box's");
    const QString folder = box.dir() + "/class";
    MakeClassFolder(folder);
    trace.attach(program);
    w.wine.start(program, Kelvira, arguments, folder, {"KELVIRA_TRACE=1"});
}

}  // namespace

class WindowsSetupTest : public QObject {
    Q_OBJECT
  private slots:
    void theInstalledProgramMeasuresTheBoxOnCom1() {
        Windows w;
        BoxRig box;
        QProcess program;
        TraceReader trace;
        StartOnCom1(w, box, program, trace, {});
        if (QTest::currentTestFailed()) return;
        QVERIFY(program.waitForStarted(10000));
        QVERIFY2(BoxRig::waitFor([&] { return trace.printed(Announced); }, 30000),
                 qPrintable(trace.values("Picture2").join(" | ")));
        QVERIFY(trace.values("Picture2").contains("接続ポート：COM1"));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Polling") == "1"; }, 10000));
        // Wine maps the window a moment after the program's first poll (a little later on a
        // fresh machine).
        QVERIFY2(BoxRig::waitFor([&] { return w.x.windowSize(Title).isValid(); }, 60000),
                 "no window titled けるびら was mapped");
        QCOMPARE(w.x.windowSize(Title), QSize(653, 411));
        QVERIFY(w.x.clickTitled(Title, StartButton.x(), StartButton.y()));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Recorded").toInt() >= 10; }, 15000));
        w.shot("windows-1x.png");

        // Logging off: the session ends, the program with it, its lesson whole on the disk.
        QVERIFY(w.wine.run({"wineboot", "--end-session"}));
        QVERIFY(program.waitForFinished(15000));
        const QStringList lessons = Lessons(w.wine.home());
        QCOMPARE(lessons.size(), 1);
        const QStringList degrees = WholeLines(lessons.first());
        QVERIFY2(degrees.size() >= trace.last("Recorded").toInt(), qPrintable(degrees.join(' ')));
        const int requestsAtEnd = box.requests();
        QTest::qWait(1000);
        QCOMPARE(box.requests(), requestsAtEnd);  // the port is closed

        // Uninstalled, the program goes and the lesson stays.
        QVERIFY(w.wine.run({"C:\\Program Files\\Kelvira\\uninstall.exe", "/S"}));
        QVERIFY(BoxRig::waitFor([&] { return !QFileInfo::exists(w.wine.installed("kelvira.exe")); },
                                15000));
        QCOMPARE(Lessons(w.wine.home()), lessons);
    }

    // Installed for every user, the setup lets both programs be reached on the private network
    // through the firewall (a rule left by an older installation deleted first); installed for
    // the current user alone it cannot, and asks nothing of the firewall. Seen as what the
    // setup hands netsh (Wine's netsh is a stub that names its arguments on fixme+netsh).
    void aMachineInstallOpensTheFirewallToBothPrograms() {
        Windows w;
        QVERIFY2(w.x.ok() && w.wine.ok(), "Xvfb or the Wine prefix did not start");
        const auto netsh = [&](const QStringList& command) {
            QProcess process;
            w.wine.start(process, command.first(), command.mid(1), w.wine.home(),
                         {"WINEDEBUG=fixme+netsh"});
            if (!process.waitForFinished(120000) || process.exitCode() != 0)
                return QStringList{"failed: " + command.join(' ')};
            QStringList asked;
            for (QString line : QString::fromUtf8(process.readAllStandardError()).split('\n')) {
                const qsizetype at = line.indexOf("L\"advfirewall\"");
                if (line.contains("fixme:netsh") && at >= 0)
                    asked << line.mid(at).remove("L\"").remove('"').replace("\\\\", "\\");
            }
            return asked;
        };
        const QString dir = "C:\\Program Files\\Kelvira\\";
        const QStringList added = netsh({Env("KELVIRA_WINDOWS_SETUP"), "/S", "/AllUsers"});
        for (const QString program : {"kelvira.exe", "kelvira-class.exe"}) {
            const QString rule =
                "advfirewall firewall %1 rule name=Kelvira dir=in %2program=" + dir + program +
                "%3";
            const qsizetype add = added.indexOf(
                rule.arg("add", "action=allow ", " protocol=TCP enable=yes profile=private"));
            const qsizetype stale = added.indexOf(rule.arg("delete", "", ""));
            QVERIFY2(add >= 0 && stale >= 0 && stale < add, qPrintable(added.join(" | ")));
        }
        QVERIFY2(netsh({Env("KELVIRA_WINDOWS_SETUP"), "/S", "/CurrentUser"}).isEmpty(),
                 "a per-user install asked the firewall");
    }

    void theDemonstrationMeasuresWithoutABox() {
        Windows w;
        w.install();
        QTemporaryDir folder;
        QProcess program;
        TraceReader trace;
        trace.attach(program);
        w.wine.start(program, Kelvira, {"--demo", "--no-record"}, folder.path(),
                     {"KELVIRA_TRACE=1"});
        QVERIFY(program.waitForStarted(10000));
        QVERIFY(BoxRig::waitFor([&] { return trace.printed(Announced); }, 30000));
        QVERIFY(trace.last("Title").contains("（デモ）"));
        // Hot water, seen through the example's liquid sensor.
        QVERIFY(
            BoxRig::waitFor([&] { return trace.last("Text1").trimmed().toInt() >= 30; }, 10000));
        program.kill();
        program.waitForFinished(5000);
    }

    void atTwiceItsSizeAsOnLinux() {
        Windows w;
        w.install();
        QTemporaryDir folder;
        MakeClassFolder(folder.path(), "Bairitsu=2\r\n");
        QProcess program;
        TraceReader trace;
        trace.attach(program);
        w.wine.start(program, Kelvira, {"--demo", "--no-record"}, folder.path(),
                     {"KELVIRA_TRACE=1"});
        QVERIFY(BoxRig::waitFor([&] { return trace.printed(Announced); }, 30000));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Polling") == "1"; }, 10000));
        // Wine maps the window a moment after the program's first poll (a little later on a
        // fresh machine).
        QVERIFY2(BoxRig::waitFor([&] { return w.x.windowSize(Title).isValid(); }, 60000),
                 "no window titled けるびら was mapped");
        QCOMPARE(w.x.windowSize(Title), QSize(1306, 822));
        QVERIFY(w.x.clickTitled(Title, 2 * StartButton.x(), 2 * StartButton.y()));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Label3").contains("4秒"); }, 15000));
        w.shot("windows-2x.png");
        program.kill();
        program.waitForFinished(5000);
    }

    // A group on Windows in a class over TLS, the broker's certificate checked against the
    // class's CA file: the Linux class view holds each of its ticks.
    void aGroupOnWindowsReachesTheClassOverTls() {
        Windows w;
        w.install();
        Broker broker;
        QTemporaryDir work;
        QVERIFY(MakeCertificates(work.path(), "127.0.0.1"));
        broker.configure({"allow_anonymous true",
                          "certfile " + broker.share(work.filePath("broker.pem")),
                          "keyfile " + broker.share(work.filePath("broker.key"))});
        QVERIFY2(broker.start(), qPrintable(broker.log()));
        const QString url = "mqtts://127.0.0.1:" + QString::number(broker.port()) + "/2-1?cafile=";
        QProcess view;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        view.setProcessEnvironment(env);
        view.start(Env("KELVIRA_CLASS_BIN"),
                   {url + work.filePath("ca.pem"), "--csv", work.filePath("class.csv")});
        QVERIFY(view.waitForStarted(5000));

        QProcess program;
        TraceReader trace;
        trace.attach(program);
        w.wine.start(
            program, Kelvira,
            {"--demo", "--class", url + OnDriveZ(work.filePath("ca.pem")), "--group", "win1"},
            work.path(), {"KELVIRA_TRACE=1"});
        QVERIFY2(BoxRig::waitFor(
                     [&] {
                         return trace.last("Polling") == "1" &&
                                trace.last("Title").contains("（クラスに接続）");
                     },
                     30000),
                 qPrintable(trace.lines().mid(trace.size() - 25).join(" | ")));
        QVERIFY(BoxRig::waitFor([&] { return w.x.windowSize(Title).isValid(); }, 60000));
        QVERIFY(w.x.clickTitled(Title, StartButton.x(), StartButton.y()));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Recorded").toInt() >= 12; }, 15000));
        QVERIFY(w.x.clickTitled(Title, StartButton.x(), StartButton.y()));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Start") == "スタート"; }, 5000));
        QTest::qWait(3000);  // the last ticks reach the view
        view.terminate();
        QVERIFY(view.waitForFinished(10000));
        QFile csv(work.filePath("class.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lessons = Lessons(w.wine.home());
        QCOMPARE(lessons.size(), 1);
        QCOMPARE(ClassColumn(csv.readAll(), "win1"), WholeLines(lessons.first()));
        program.kill();
        program.waitForFinished(5000);
    }

    // The installed class view opens a class with the broker it ships, on 127.0.0.1: a group
    // on Linux and the installed program on COM1 join with the code it shows, and the CSV it
    // saves holds each of their ticks; a wrong code is refused and said.
    void aClassOpenedOnWindowsTakesItsGroups() {
        const QString InClass = "けるびら（クラス";  // the program's window, not the view's
        Windows w;
        w.install();
        // COM1 mapped first: mapping starts Wine's server anew.
        BoxRig box;
        QVERIFY(box.startBox({"--profile", "ramp:60:1"}));
        QVERIFY2(w.wine.mapPorts(box.link()), "COM1 is not the simulated box's");
        QTemporaryDir work;
        const int port = FreePort();
        QProcess view;
        TraceReader said;
        said.attach(view);
        w.wine.start(view, ClassView,
                     {"--open", "2-1", "--open-at", "127.0.0.1:" + QString::number(port), "--csv",
                      OnDriveZ(work.filePath("class.csv"))},
                     work.path(), {});
        QString code;
        QVERIFY2(BoxRig::waitFor(
                     [&] {
                         code = said.otherLines()
                                    .join('\n')
                                    .section("join code ", 1)
                                    .section('\n', 0, 0)
                                    .trimmed();
                         return !code.isEmpty();
                     },
                     60000),
                 qPrintable(said.otherLines().join(" | ")));
        const QString url = "mqtt://127.0.0.1:" + QString::number(port) + "/2-1";
        QVERIFY(RunClient({"mosquitto_pub", "-h", "127.0.0.1", "-p", QString::number(port), "-t",
                           "kelvira/2-1/han9/reading", "-m", "1", "-u", "han9", "-P", "ZZZZZZ"}) !=
                0);
        QVERIFY2(BoxRig::waitFor(
                     [&] {
                         // (why, in Japanese, the window says: the standard error of
                         // Wine's English Windows cannot)
                         return said.otherLines().join('\n').contains("refused han9");
                     },
                     10000),
                 qPrintable(said.otherLines().join(" | ")));

        // The group on Linux, the code typed in small letters.
        BoxRig linux;
        linux.writeFile("KION.CSV", GroupTable());
        linux.writeFile("VEXO.TXT", "Kion=-1\r\nKiroku=kiroku\r\n");
        linux.programArguments = {"--class", url, "--group", "lin1", "--code", code.toLower()};
        QVERIFY(linux.startBox({"--profile", "sine:40"}));
        // On a screen of its own: its window's title is the installed program's.
        Xvfb linuxScreen;
        QVERIFY2(linuxScreen.ok(), "Xvfb or xdotool did not start");
        QVERIFY(linux.startProgram({}, {},
                                   {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + linuxScreen.display()}));
        // The installed program on COM1.
        const QString folder = box.dir() + "/class";
        MakeClassFolder(folder);
        QProcess program;
        TraceReader trace;
        trace.attach(program);
        w.wine.start(program, Kelvira, {"--class", url, "--group", "win1", "--code", code}, folder,
                     {"KELVIRA_TRACE=1"});
        QVERIFY2(BoxRig::waitFor(
                     [&] {
                         return trace.last("Polling") == "1" &&
                                trace.last("Title").contains("（クラスに接続）") &&
                                linux.trace.last("Title").contains("（クラスに接続）");
                     },
                     60000),
                 qPrintable(trace.last("Title") + " | " + linux.trace.last("Title")));
        QVERIFY(BoxRig::waitFor([&] { return w.x.windowSize(InClass).isValid(); }, 60000));
        QVERIFY(w.x.clickTitled(InClass, StartButton.x(), StartButton.y()));
        QVERIFY(linuxScreen.click(linux.programPid(), StartButton.x(), StartButton.y()));
        QVERIFY2(BoxRig::waitFor(
                     [&] {
                         return trace.last("Recorded").toInt() >= 8 &&
                                linux.trace.last("Recorded").toInt() >= 8;
                     },
                     20000),
                 qPrintable(trace.last("Recorded") + " | " + linux.trace.last("Recorded")));
        QVERIFY(w.x.clickTitled(InClass, StartButton.x(), StartButton.y()));
        QVERIFY(linuxScreen.click(linux.programPid(), StartButton.x(), StartButton.y()));
        QVERIFY(BoxRig::waitFor(
            [&] {
                return trace.last("Start") == "スタート" && linux.trace.last("Start") == "スタート";
            },
            5000));
        QTest::qWait(3000);  // the last ticks reach the view
        w.shot("windows-open-class.png");
        // Asked to close as a user closes it (Wine's taskkill sends its window WM_CLOSE): the
        // view saves its CSV and ends its broker.
        QVERIFY(w.wine.run({"taskkill", "/im", "kelvira-class.exe"}));
        QVERIFY(view.waitForFinished(20000));
        QVERIFY2(BoxRig::waitFor([] { return !MosquittoExeRuns(); }, 10000),
                 "the class's broker outlived the view");
        QFile csv(work.filePath("class.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        const QStringList lessons = Lessons(w.wine.home());
        QCOMPARE(lessons.size(), 1);
        QCOMPARE(ClassColumn(bytes, "win1"), WholeLines(lessons.first()));
        QCOMPARE(ClassColumn(bytes, "lin1"), LessonDegrees(linux.dir() + "/kiroku"));
        program.kill();
        program.waitForFinished(5000);

        // Killed, the view cannot end its broker: the system ends it with the view.
        QProcess killed;
        TraceReader again;
        again.attach(killed);
        w.wine.start(killed, ClassView,
                     {"--open", "2-1", "--open-at", "127.0.0.1:" + QString::number(FreePort())},
                     work.path(), {});
        QVERIFY(BoxRig::waitFor(
            [&] { return again.otherLines().join('\n').contains("join code "); }, 60000));
        QVERIFY(MosquittoExeRuns());
        killed.kill();
        QVERIFY(killed.waitForFinished(10000));
        QVERIFY2(BoxRig::waitFor([] { return !MosquittoExeRuns(); }, 10000),
                 "the class's broker outlived the killed view");
    }

    // kelvira.exe measuring the box on COM1 shares its lesson on 127.0.0.1: Linux's Chromium
    // follows the page, whose trace is the lesson file in the prefix's Documents and whose
    // download is that file; a wrong token and another path are refused there too.
    void theInstalledProgramSharesItsLesson() {
        Windows w;
        BoxRig box;
        QProcess program;
        TraceReader trace;
        StartOnCom1(w, box, program, trace, {"--share=127.0.0.1:0"});
        if (QTest::currentTestFailed()) return;
        QString page;
        QVERIFY2(BoxRig::waitFor(
                     [&] {
                         page = trace.otherLines()
                                    .join('\n')
                                    .section("sharing at ", 1)
                                    .section('\n', 0, 0)
                                    .trimmed();
                         return trace.last("Polling") == "1" && !page.isEmpty();
                     },
                     60000),
                 qPrintable(trace.otherLines().join(" | ")));
        QVERIFY(BoxRig::waitFor([&] { return w.x.windowSize(Title).isValid(); }, 60000));
        QVERIFY(w.x.clickTitled(Title, StartButton.x(), StartButton.y()));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Recorded").toInt() >= 6; }, 15000));
        Chromium browser;
        QVERIFY2(browser.ok(), "Chromium did not start");
        QVERIFY(browser.open(page, QSize(800, 1280)));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Recorded").toInt() >= 12; }, 15000));
        w.shot("windows-share.png");
        QVERIFY(w.x.clickTitled(Title, StartButton.x(), StartButton.y()));
        QVERIFY(BoxRig::waitFor([&] { return trace.last("Start") == "スタート"; }, 5000));
        const QStringList lessons = Lessons(w.wine.home());
        QCOMPARE(lessons.size(), 1);
        const QStringList expected = WholeLines(lessons.first());
        QStringList shown;
        QVERIFY2(
            BoxRig::waitFor(
                [&] {
                    shown.clear();
                    const QJsonObject traces =
                        QJsonDocument::fromJson(browser.evaluate("traces()").toUtf8()).object();
                    const QJsonArray ticks =
                        traces.begin() == traces.end() ? QJsonArray() : traces.begin()->toArray();
                    for (const QJsonValue tick : ticks)
                        shown << QString::number(tick[1].toDouble(), 'f', 2)
                                     .remove(QRegularExpression("0$"));
                    return shown == expected;
                },
                10000),
            qPrintable(shown.join(' ') + " | " + expected.join(' ')));
        // The lesson's file as the page offers it: the file on the teacher's disk, byte for byte.
        QFile lesson(lessons.first());
        QVERIFY(lesson.open(QIODevice::ReadOnly));
        QCOMPARE(browser.fetch("lesson.csv"), lesson.readAll());
        const QString refusals = browser.evaluate(
            "Promise.all(['/0123456789abcdef0123456789abcdef/', 'other.html'].map(u => "
            "fetch(u).then(r => r.status))).then(s => s.join(' '))");
        QCOMPARE(refusals, QString("404 404"));
        program.kill();
        program.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(WindowsSetupTest)
#include "windows_setup_test.moc"
