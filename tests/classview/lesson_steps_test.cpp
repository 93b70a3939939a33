// The lesson's steps on the class view, from group lesson files whose curves are known (a
// constant, a ramp, a step): every figure of the class's results, what is read off them, the
// prediction drawn by hand, and the class's CSV with prediction and markers as a spreadsheet
// reads it (LibreOffice, headless).
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <functional>

#include "classview/class_window.h"
#include "classview/lesson_steps.h"
#include "classview/read_off.h"
#include "classview/results_table.h"

using namespace ClassView;

namespace {

// The curves, by tick: 60 s at 20.5 ℃; 120 s rising a degree every 2 s from 20 ℃; 30 s at
// 15 ℃, then a minute at 35 ℃.
float Constant(int) {
    return 20.5F;
}
float Ramp(int t) {
    return 20.0F + 0.25F * t;
}
float Step(int t) {
    return t < 60 ? 15.0F : 35.0F;
}
struct Curve {
    const char* name;
    float (*degrees)(int);
    int ticks;
};
const Curve Curves[] = {{"teion", Constant, 121}, {"kanetsu", Ramp, 241}, {"koori", Step, 180}};

// A group's lesson file as Kelvira records it.
QByteArray LessonFile(const Curve& c) {
    QByteArray file = "\xEF\xBB\xBF経過時間(秒),温度(℃),生データ\r\n";
    for (int t = 0; t < c.ticks; ++t)
        file += QByteArray::number(t / 2.0, 'f', 1) + ',' +
                QByteArray::number(c.degrees(t), 'f', 2) + ",63\r\n";
    return file;
}

// The cells of every row of the first table of an HTML file, as LibreOffice writes them.
QList<QStringList> HtmlRows(const QString& html) {
    QList<QStringList> rows;
    static const QRegularExpression row("<tr[^>]*>(.*?)</tr>",
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell("<td[^>]*>(.*?)</td>",
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag("<[^>]*>");
    for (auto r = row.globalMatch(html); r.hasNext();) {
        QStringList cells;
        for (auto c = cell.globalMatch(r.next().captured(1)); c.hasNext();)
            cells << c.next().captured(1).remove(tag).trimmed();
        rows << cells;
    }
    return rows;
}

// `csv` as LibreOffice Calc opens it, its text read as UTF-8 (what a user picks, and what the
// byte-order mark says), converted headless to HTML: the table's rows.
QList<QStringList> AsASpreadsheetReadsIt(const QString& csv, const QString& work) {
    QProcess office;
    office.setProcessChannelMode(QProcess::MergedChannels);
    office.start("libreoffice", {"-env:UserInstallation=file://" + work + "/profile", "--headless",
                                 "--infilter=CSV:44,34,76,1", "--convert-to", "html", "--outdir",
                                 work + "/out", csv});
    if (!office.waitForFinished(120000) || office.exitCode() != 0) {
        qWarning("libreoffice: %s", office.readAll().constData());
        return {};
    }
    QFile html(work + "/out/" + QFileInfo(csv).completeBaseName() + ".html");
    if (!html.open(QIODevice::ReadOnly)) return {};
    return HtmlRows(QString::fromUtf8(html.readAll()));
}

}  // namespace

class LessonStepsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // A class view with the three curves' lesson files opened, in the order of Curves.
    std::unique_ptr<ClassWindow> Opened() {
        auto window = std::make_unique<ClassWindow>();
        for (const Curve& c : Curves) {
            QFile file(dir_.filePath(QString(c.name) + ".csv"));
            if (!file.open(QIODevice::WriteOnly) || file.write(LessonFile(c)) < 0) return {};
            file.close();
            if (!window->openLesson(file.fileName())) return {};
        }
        return window;
    }

  private slots:
    // Every figure of the class's results, as the view, the page and the results' CSV give
    // them.
    void theResultsOfKnownCurves() {
        const auto window = Opened();
        QVERIFY(window);
        const ResultsTable table =
            MakeResults(window->model().shownNames(), window->model().summaries(), true);
        QCOMPARE(table.head, QStringList({"はん", "はじめ", "おわり", "いちばん たかい",
                                          "いちばん ひくい", "かわり", "じかん"}));
        const std::vector<QStringList> rows = {
            {"teion", "20.5 ℃", "20.5 ℃", "20.5 ℃", "20.5 ℃", "0 ℃", "1分0秒"},
            {"kanetsu", "20 ℃", "80 ℃", "80 ℃", "20 ℃", "+60 ℃", "2分0秒"},
            {"koori", "15 ℃", "35 ℃", "35 ℃", "15 ℃", "+20 ℃", "1分29.5秒"},
        };
        QCOMPARE(table.rows, rows);
        // The average of 60, 120 and 89.5 seconds is 89.83: to the half second, as ticks go.
        QCOMPARE(table.mean, QStringList({"クラスの へいきん", "18.5 ℃", "45.17 ℃", "45.17 ℃",
                                          "18.5 ℃", "+26.67 ℃", "1分30秒"}));

        const QString saved = dir_.filePath("2-1.csv");
        QVERIFY(window->saveCsv(saved));
        QFile results(ClassWindow::ResultsPath(saved));
        QCOMPARE(QFileInfo(results).fileName(), QString("2-1_まとめ.csv"));
        QVERIFY(results.open(QIODevice::ReadOnly));
        QCOMPARE(results.readAll(),
                 QByteArray("\xEF\xBB\xBFはん,はじめ(℃),おわり(℃),いちばん たかい(℃),"
                            "いちばん ひくい(℃),かわり(℃),じかん(秒)\r\n"
                            "teion,20.5,20.5,20.5,20.5,0,60\r\n"
                            "kanetsu,20,80,80,20,60,120\r\n"
                            "koori,15,35,35,15,20,89.5\r\n"
                            "クラスの へいきん,18.5,45.17,45.17,18.5,26.67,89.83\r\n"));
    }

    // Two points and a stretch read off the curves.
    void readingOff_data() {
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<double>>("figures");  // Δs, Δ℃, ℃/min, highest, lowest, mean
        QTest::newRow("up the ramp") << 1 << 20 << 80 << QList<double>{30, 15, 30, 40, 25, 32.5};
        QTest::newRow("down the ramp, picked backwards")
            << 1 << 80 << 20 << QList<double>{-30, -15, 30, 40, 25, 32.5};
        QTest::newRow("over the step")
            << 2 << 50 << 70 << QList<double>{10, 20, 120, 35, 15, 535.0 / 21};
        QTest::newRow("one tick of the constant")
            << 0 << 10 << 10 << QList<double>{0, 0, NoFigure, 20.5, 20.5, 20.5};
        QTest::newRow("a stretch past the step's last tick")
            << 2 << 170 << 400 << QList<double>{4.5, 0, 0, 35, 35, 35};
    }
    void readingOff() {
        QFETCH(int, curve);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<double>, figures);
        const Curve& c = Curves[curve];
        const DegreesAt at = [&c](int t) {
            return t < c.ticks ? c.degrees(t) : std::numeric_limits<float>::quiet_NaN();
        };
        const auto same = [](double a, double b) {
            return std::isnan(a) ? std::isnan(b) : std::abs(a - b) < 1e-9;
        };
        const int toTick = std::min(to, c.ticks - 1);  // the last point there is
        const Difference d = Between(from / 2.0, at(from), toTick / 2.0, at(toTick));
        QVERIFY2(same(d.seconds, figures[0]), qPrintable(QString::number(d.seconds)));
        QVERIFY2(same(d.degrees, figures[1]), qPrintable(QString::number(d.degrees)));
        QVERIFY2(same(d.perMinute, figures[2]), qPrintable(QString::number(d.perMinute)));
        const Stretch s = StretchOf(at, from, to);
        QVERIFY(same(s.highest, figures[3]));
        QVERIFY(same(s.lowest, figures[4]));
        QVERIFY2(same(s.mean, figures[5]), qPrintable(QString::number(s.mean)));
    }

    // A prediction drawn in two wobbly strokes: smoothed onto its line, the second stroke in
    // place of the stretch it covers; a tap draws nothing.
    void aPredictionIsDrawnInStrokes() {
        Stroke wobbly;
        for (int i = 0; i <= 240; ++i)  // 0 to 120 s, 20 to 50 ℃, a hand's wobble of 0.6 ℃
            wobbly.push_back({i / 2.0, 20 + i / 8.0 + 0.6 * std::sin(1.3 * i)});
        const Prediction first = DrawStroke({}, wobbly, 1);
        QCOMPARE(int(first.size()), 121);  // a point a second
        QCOMPARE(first.front().seconds, 0.0);
        QCOMPARE(first.back().seconds, 120.0);
        for (size_t i = 0; i < first.size(); ++i) {
            const PredictionPoint& p = first[i];
            const bool end = i < 2 || i + 2 >= first.size();  // the ends keep their place
            QVERIFY2(std::abs(p.degrees - (20 + p.seconds / 4)) <= (end ? 0.61 : 0.1),
                     qPrintable(QString("%1 s: %2").arg(p.seconds).arg(p.degrees)));
        }
        const Prediction second = DrawStroke(first, {{60, 30}, {90, 30}}, 1);
        QCOMPARE(PredictionAt(second, 75), 30.0);
        QCOMPARE(PredictionAt(second, 30), PredictionAt(first, 30));
        QCOMPARE(PredictionAt(second, 100), PredictionAt(first, 100));
        QCOMPARE(DrawStroke(second, {{10, 40}}, 1), second);
    }

    // The class's CSV with a prediction and two markers opens in a spreadsheet with its
    // head: the seconds, a column a group, the prediction's, the markers'; so do the results.
    void theCsvOpensInASpreadsheet() {
        const auto window = Opened();
        QVERIFY(window);
        window->graph().setCursorTick(40);  // 20 s: no group measures, the cursor's time
        QVERIFY(window->mark(MarkerChoices()[0]));
        QVERIFY(window->mark("=1+1", 100));
        QVERIFY(!window->mark(" \u200B ", 100));  // nothing to show: no marker
        QCOMPARE(window->markersShown(),
                 QString("しるし\n1\u00A020秒\u00A0氷を入れた\n2\u00A050秒\u00A0=1+1"));
        Stroke stroke;
        for (int s = 0; s <= 90; ++s) stroke.push_back({double(s), 20 + s / 3.0});
        window->setPrediction(DrawStroke({}, stroke, 1));
        const QString saved = dir_.filePath("class.csv");
        QVERIFY(window->saveCsv(saved));

        const QList<QStringList> rows = AsASpreadsheetReadsIt(saved, dir_.path());
        QVERIFY(!rows.isEmpty());
        QCOMPARE(rows[0],
                 QStringList({"経過時間(秒)", "teion", "kanetsu", "koori", "予想(℃)", "できごと"}));
        QCOMPARE(rows.size(), 1 + 241);  // to the ramp's last tick
        QCOMPARE(rows[1 + 40], QStringList({"20", "20.5", "30", "15", "26.67", "氷を入れた"}));
        QCOMPARE(rows[1 + 100].last(), QString("'=1+1"));           // text, not a formula
        QCOMPARE(rows[1 + 181].mid(3), QStringList({"", "", ""}));  // past the step, the prediction

        const QList<QStringList> results =
            AsASpreadsheetReadsIt(ClassWindow::ResultsPath(saved), dir_.path());
        QVERIFY(!results.isEmpty());
        QCOMPARE(results[0], QStringList({"はん", "はじめ(℃)", "おわり(℃)", "いちばん たかい(℃)",
                                          "いちばん ひくい(℃)", "かわり(℃)", "じかん(秒)"}));
        QCOMPARE(results.size(), 5);
    }
};

QTEST_MAIN(LessonStepsTest)
#include "lesson_steps_test.moc"
