// Kelvira alone shares its lesson, no broker, no class view: the real program measuring the
// simulated box, started with --share, and a tablet's browser (Chromium) that opens the page
// mid-lesson. The page's trace holds the lesson file's ticks, each in its place, and the file
// the page offers for download is the lesson file, byte for byte.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "support/box_rig.h"
#include "support/chromium.h"
#include "support/xvfb.h"

class ShareLessonTest : public QObject {
    Q_OBJECT

  private slots:
    void aTabletFollowsTheLessonAndTakesItsFile() {
        Xvfb x;
        QVERIFY2(x.ok(), "Xvfb or xdotool did not start");
        BoxRig rig;
        rig.writeFile("VEXO.TXT", "Han=han1\r\nKiroku=kiroku\r\n");
        rig.programArguments = {"--share=127.0.0.1:0"};
        QVERIFY(rig.startBox({"--profile", "ramp:40"}));
        QVERIFY(rig.startProgram({}, {}, {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + x.display()}));
        QString page;
        QVERIFY2(BoxRig::waitFor(
                     [&] {
                         page = rig.trace.otherLines()
                                    .join('\n')
                                    .section("sharing at ", 1)
                                    .section('\n', 0, 0);
                         return rig.trace.printed(Announced) && rig.requests() >= 14 &&
                                !page.isEmpty();
                     },
                     20000 * BoxRig::slowdown()),
                 qPrintable(rig.programEnding()));
        // The address stands in the start-up log too.
        QVERIFY(rig.trace.values("Picture2")
                    .join('\n')
                    .contains(page.section("//", 1, 1).section('/', 0, 0)));

        QVERIFY(x.click(rig.programPid(), StartButton.x(), StartButton.y()));
        QVERIFY(BoxRig::waitFor([&] { return rig.trace.last("Recorded").toInt() >= 6; }, 20000));
        Chromium browser;
        QVERIFY2(browser.ok(), "Chromium did not start");
        QVERIFY(browser.open(page, QSize(800, 1280)));
        QTest::qWait(3000);
        QVERIFY(x.click(rig.programPid(), StartButton.x(), StartButton.y()));
        QVERIFY(BoxRig::waitFor(
            [&] { return rig.trace.last("Start") == QStringLiteral("スタート"); }, 10000));

        const QStringList files = QDir(rig.dir() + "/kiroku").entryList({"*.csv"}, QDir::Files);
        QCOMPARE(files.size(), 1);
        QFile file(rig.dir() + "/kiroku/" + files.first());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray lesson = file.readAll();
        QStringList expected;
        const QList<QByteArray> lines = lesson.split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            if (!lines[i].trimmed().isEmpty())
                expected << QString::number(lines[i].split(',').value(1).toDouble(), 'f', 2);
        QVERIFY(expected.size() >= 10);
        QStringList shown;
        QVERIFY2(
            BoxRig::waitFor(
                [&] {
                    shown.clear();
                    const QJsonObject traces =
                        QJsonDocument::fromJson(browser.evaluate("traces()").toUtf8()).object();
                    int next = 0;
                    for (const QJsonValue tick : traces["han1"].toArray()) {
                        while (next++ < tick[0].toInt()) shown << "";
                        shown << QString::number(tick[1].toDouble(), 'f', 2);
                    }
                    return shown == expected;
                },
                10000),
            qPrintable(shown.join(' ') + " | " + expected.join(' ')));

        QCOMPARE(browser.fetch(browser.evaluate("document.querySelector('a[download]').href")),
                 lesson);
        const QString shots = qEnvironmentVariable("KELVIRA_SCREENSHOTS");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            QVERIFY(browser.screenshot(shots + "/own-share-portrait.png", QSize(800, 1280)));
            QVERIFY(browser.screenshot(shots + "/own-share-landscape.png", QSize(1280, 800)));
        }
    }
};

QTEST_GUILESS_MAIN(ShareLessonTest)
#include "share_lesson_test.moc"
