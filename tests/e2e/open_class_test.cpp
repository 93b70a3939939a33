// A class opened by the class view itself: `kelvira-class --open` brings its own broker, three
// real Kelvira processes join with the code the view made and measure, and the view's saved
// CSV holds every tick of every group as its own lesson file does. Whoever comes without the
// code, as another group or as nobody is refused, and the view says so. Ending the view ends
// its broker, also when the view is killed.
#include <QDir>
#include <QtTest>
#include <memory>

#include "support/box_rig.h"
#include "support/broker.h"
#include "support/lesson_columns.h"
#include "support/shift_jis.h"
#include "support/xvfb.h"

namespace {

struct Group {
    QString name;
    std::unique_ptr<Xvfb> x;
    std::unique_ptr<BoxRig> rig;
};

// The processes whose parent is `parent`, by their command's name.
QStringList Children(qint64 parent) {
    QStringList names;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly)) continue;
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (fields.value(1).toLongLong() == parent)
            names << QString::fromUtf8(
                         line.mid(line.indexOf('(') + 1, close - line.indexOf('(') - 1)) +
                         ":" + pid;
    }
    return names;
}

bool Exists(const QString& pid) {
    QFile stat("/proc/" + pid + "/stat");
    return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
}

// The class view opening "2-1" on 127.0.0.1 and a free port: its port, code and broker.
struct View {
    QProcess process;
    int port = FreePort();
    QString code, broker;  // the broker's process id
    QByteArray said;

    bool start(const QString& csv) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.start(
            qEnvironmentVariable("KELVIRA_CLASS_BIN"),
            {"--open", "2-1", "--open-at", "127.0.0.1:" + QString::number(port), "--csv", csv});
        if (!BoxRig::waitFor(
                [&] {
                    return !(code = saying().section("join code ", 1).section('\n', 0, 0).trimmed())
                                .isEmpty();
                },
                10000))
            return false;
        for (const QString& child : Children(process.processId()))
            if (child.startsWith("mosquitto:")) broker = child.section(':', 1);
        return !broker.isEmpty();
    }
    ~View() {
        process.kill();
        process.waitForFinished(5000);
    }
    QString saying() {
        said += process.readAllStandardError();
        return QString::fromUtf8(said);
    }
    QString url() const { return "mqtt://127.0.0.1:" + QString::number(port) + "/2-1"; }
};

}  // namespace

class OpenClassTest : public QObject {
    Q_OBJECT

  private slots:
    void threeGroupsJoinWithTheCode() {
        QTemporaryDir work;
        const QString csv = work.filePath("class.csv");
        View view;
        QVERIFY2(view.start(csv), qPrintable(view.saying()));

        std::vector<Group> groups(3);
        const QStringList profiles = {"ramp:40", "sine:40", "constant:90"};
        // The code as pupils type it: as shown, small letters, full-width.
        QString fullWidth;
        for (QChar c : view.code) fullWidth += QChar(c.unicode() + 0xFEE0);
        const QStringList codes = {view.code, view.code.toLower(), fullWidth};
        for (int i = 0; i < 3; ++i) {
            Group& g = groups[i];
            g.name = QString("han%1").arg(i + 1);
            g.x = std::make_unique<Xvfb>();
            QVERIFY2(g.x->ok(), "Xvfb or xdotool did not start");
            g.rig = std::make_unique<BoxRig>();
            // Written in Shift-JIS, as a Japanese editor writes it.
            g.rig->writeFile(
                "VEXO.TXT",
                SystemShiftJis(
                    QString("Kion=-1\r\nKurasu=%1\r\nHan=%2\r\nKode=%3\r\nKiroku=kiroku\r\n")
                        .arg(view.url(), g.name, codes[i])));
            g.rig->writeFile("KION.CSV", GroupTable());
            QVERIFY(g.rig->startBox({"--profile", profiles[i]}));
            QVERIFY(
                g.rig->startProgram({}, {}, {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + g.x->display()}));
        }
        const int slow = BoxRig::slowdown();
        auto every = [&](const std::function<bool(Group&)>& condition) {
            return BoxRig::waitFor(
                [&] {
                    for (Group& g : groups)
                        if (!condition(g)) return false;
                    return true;
                },
                20000 * slow);
        };
        QVERIFY2(every([](Group& g) {
                     return g.rig->trace.printed(Announced) && g.rig->requests() >= 14 &&
                            g.rig->trace.last("Title").contains("（クラスに接続）");
                 }),
                 qPrintable(groups[0].rig->trace.last("Title") + " | " + view.saying()));
        for (Group& g : groups)
            QVERIFY(g.x->click(g.rig->programPid(), StartButton.x(), StartButton.y()));
        QVERIFY(every([](Group& g) { return g.rig->trace.last("Recorded").toInt() >= 6; }));

        // Those refused, each said by the view.
        struct Attempt {
            QString user, password, said;
        };
        const QList<Attempt> refused = {
            {"han4", "ZZZZZZ", "han4（コードがちがいます）"},
            {"han1", view.code, "han1（同じ名前のグループがもう入っています）"},
            {"", "", "？（グループの名前がありません）"},
            {"kelvira-teacher", view.code, "kelvira-teacher（先生の名前で入ろうとしました）"},
        };
        for (const Attempt& a : refused) {
            QStringList command{"mosquitto_pub",
                                "-h",
                                "127.0.0.1",
                                "-p",
                                QString::number(view.port),
                                "-t",
                                "kelvira/2-1/han1/reading",
                                "-m",
                                "1"};
            if (!a.user.isEmpty()) command << "-u" << a.user << "-P" << a.password;
            QVERIFY2(RunClient(command) != 0, qPrintable(a.user));
            QVERIFY2(
                BoxRig::waitFor([&] { return view.saying().contains("refused " + a.said); }, 5000),
                qPrintable(view.saying()));
        }
        // The refused name's group goes on, signed in.
        QVERIFY(groups[0].rig->trace.last("Title").contains("（クラスに接続）"));

        QTest::qWait(2000);
        for (Group& g : groups)
            QVERIFY(g.x->click(g.rig->programPid(), StartButton.x(), StartButton.y()));
        QVERIFY(every(
            [](Group& g) { return g.rig->trace.last("Start") == QStringLiteral("スタート"); }));
        QTest::qWait(2000 * slow);

        view.process.terminate();
        QVERIFY(view.process.waitForFinished(10000));
        QVERIFY2(!Exists(view.broker), "the class's broker outlived the view");
        QFile saved(csv);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        for (Group& g : groups) {
            const QStringList expected = LessonDegrees(g.rig->dir() + "/kiroku");
            QVERIFY2(expected.size() >= 6, qPrintable(g.name));
            QCOMPARE(ClassColumn(bytes, g.name), expected);
        }
    }

    // Killed, the view cannot end its broker: the system ends it with the view.
    void aKilledViewLeavesNoBroker() {
        QTemporaryDir work;
        View view;
        QVERIFY2(view.start(work.filePath("class.csv")), qPrintable(view.saying()));
        QVERIFY(Exists(view.broker));
        view.process.kill();
        QVERIFY(view.process.waitForFinished(5000));
        QVERIFY(BoxRig::waitFor([&] { return !Exists(view.broker); }, 5000));
    }
};

QTEST_GUILESS_MAIN(OpenClassTest)
#include "open_class_test.moc"
