// A whole class on a real broker on 127.0.0.1: three real Kelvira processes measure against
// simulated boxes of different profiles and publish their lessons; the class view's saved
// CSV holds every tick of every group exactly once, as each group's own lesson file holds
// it, also when the broker is killed for 20 s in the middle of the lesson and started again.
// The class view shares the class: the page in a real browser (Chromium) holds the same
// ticks, and is photographed at a tablet's size, upright and on its side.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <memory>

#include "support/box_rig.h"
#include "support/broker.h"
#include "support/chromium.h"
#include "support/lesson_columns.h"
#include "support/xvfb.h"

namespace {

struct Group {
    QString name;
    std::unique_ptr<Xvfb> x;
    std::unique_ptr<BoxRig> rig;
};

}  // namespace

class ClassTest : public QObject {
    Q_OBJECT

    // The page's traces, as the browser holds them: the degrees of each group by tick.
    static std::map<QString, QStringList> PageTraces(Chromium& browser) {
        const QString json = browser.evaluate("traces()");
        std::map<QString, QStringList> traces;
        const QJsonObject groups = QJsonDocument::fromJson(json.toUtf8()).object();
        for (auto g = groups.begin(); g != groups.end(); ++g) {
            QStringList degrees;
            int next = 0;
            for (const QJsonValue tick : g.value().toArray()) {
                while (next++ < tick[0].toInt()) degrees << "";
                degrees << QString::number(tick[1].toDouble(), 'f', 1);
            }
            traces[g.key()] = degrees;
        }
        return traces;
    }

    // The lesson, with the broker away for `outageSeconds` in its middle (0: never), and
    // shared with a browser when `share`.
    void lesson(int outageSeconds, bool share = false) {
        Broker broker;
        QVERIFY2(broker.start(), "mosquitto did not start");
        QTemporaryDir work;
        const QString csv = work.filePath("class.csv");
        QProcess view;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        view.setProcessEnvironment(env);
        view.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        QStringList arguments{broker.url("2-1"), "--csv", csv};
        if (share) arguments << "--share=127.0.0.1:0";
        view.start(qEnvironmentVariable("KELVIRA_CLASS_BIN"), arguments);
        QVERIFY(view.waitForStarted(5000));
        QString page;
        if (share) {
            QByteArray said;
            QVERIFY(BoxRig::waitFor([&] {
                said += view.readAllStandardError();
                page = QString::fromUtf8(said).section("sharing at ", 1).section('\n', 0, 0).trimmed();
                return !page.isEmpty();
            }, 10000));
        }

        std::vector<Group> groups(3);
        const QStringList profiles = {"ramp:40", "sine:40", "constant:90"};
        for (int i = 0; i < 3; ++i) {
            Group& g = groups[i];
            g.name = QString("han%1").arg(i + 1);
            g.x = std::make_unique<Xvfb>();
            QVERIFY2(g.x->ok(), "Xvfb or xdotool did not start");
            g.rig = std::make_unique<BoxRig>();
            g.rig->writeFile("VEXO.TXT", QString("Kion=-1\r\nKurasu=%1\r\nHan=%2\r\nKiroku=kiroku\r\n")
                                             .arg(broker.url("2-1"), g.name)
                                             .toUtf8());
            g.rig->writeFile("KION.CSV", GroupTable());
            QVERIFY(g.rig->startBox({"--profile", profiles[i]}));
            QVERIFY(g.rig->startProgram({}, {}, {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + g.x->display()}));
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
        auto state = [&] {
            QStringList said;
            for (Group& g : groups)
                said << g.name + ": " + g.rig->trace.last("Title") + " " +
                            g.rig->trace.otherLines().join(" / ");
            return said.join("; ") + " | broker: " + broker.log();
        };
        QVERIFY2(every([](Group& g) {
                     return g.rig->trace.printed(Announced) && g.rig->requests() >= 14 &&
                            g.rig->trace.last("Title").contains("（クラスに接続）");
                 }),
                 qPrintable(state()));
        for (Group& g : groups) QVERIFY(g.x->click(g.rig->programPid(), StartButton.x(), StartButton.y()));
        QVERIFY(every([](Group& g) { return g.rig->trace.last("Recorded").toInt() >= 6; }));
        // A browser that opens the page mid-lesson gets the lesson so far, then every tick.
        std::unique_ptr<Chromium> browser;
        if (share) {
            browser = std::make_unique<Chromium>();
            QVERIFY2(browser->ok(), "Chromium did not start");
            QVERIFY(browser->open(page, QSize(800, 1280)));
        }

        if (outageSeconds > 0) {
            broker.kill();
            QVERIFY(every([](Group& g) { return g.rig->trace.last("Title").contains("接続中…"); }));
            QTest::qWait(outageSeconds * 1000);
            QVERIFY(broker.start());
            QVERIFY(every([](Group& g) { return g.rig->trace.last("Title").contains("（クラスに接続）"); }));
        }
        QTest::qWait(3000);
        for (Group& g : groups) QVERIFY(g.x->click(g.rig->programPid(), StartButton.x(), StartButton.y()));
        QVERIFY(every([](Group& g) { return g.rig->trace.last("Start") == QStringLiteral("スタート"); }));
        QTest::qWait(2000 * slow);  // the last ticks reach the class view

        if (share) {
            std::map<QString, QStringList> expected;
            for (Group& g : groups) expected[g.name] = LessonDegrees(g.rig->dir() + "/kiroku");
            QVERIFY2(BoxRig::waitFor([&] { return PageTraces(*browser) == expected; }, 10000),
                     qPrintable(browser->evaluate("traces()")));
            const QString shots = qEnvironmentVariable("KELVIRA_SCREENSHOTS");
            QDir().mkpath(shots);
            QVERIFY(browser->screenshot(shots + "/share-portrait.png", QSize(800, 1280)));
            QVERIFY(browser->screenshot(shots + "/share-landscape.png", QSize(1280, 800)));
        }

        view.terminate();
        QVERIFY(view.waitForFinished(10000));
        QFile saved(csv);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF経過時間(秒),"));
        QVERIFY(bytes.endsWith("\r\n"));
        for (Group& g : groups) {
            const QStringList expected = LessonDegrees(g.rig->dir() + "/kiroku");
            QVERIFY2(expected.size() >= 6, qPrintable(g.name));
            QCOMPARE(ClassColumn(bytes, g.name), expected);
        }
    }

  private slots:
    void everyTickOfEveryGroupOnceAlsoOnTheSharedPage() { lesson(0, true); }
    void everyTickOnceAfterTheBrokerWasAwayFor20s() { lesson(20); }
};

QTEST_GUILESS_MAIN(ClassTest)
#include "class_test.moc"
