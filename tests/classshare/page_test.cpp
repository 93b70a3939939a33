// The pupils' page in a real browser (Chromium) against the real server: the thinned graph
// keeps every peak and gap and follows live ticks, a fresh measurement replaces a group's
// ticks, a tap is answered before any redraw, a lost feed is said, and one group alone is shown
// large. The lesson's steps: a pupil's own prediction drawn with a finger stays on the device,
// the teacher's prediction and markers are shown as they come, the cursor reads the lesson's own
// ticks, and the class's results are shown as a table of texts.
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "classshare/chart_files.h"
#include "classshare/feed_frames.h"
#include "classshare/share_server.h"
#include "classshare/shared_lesson.h"
#include "support/box_rig.h"
#include "support/chromium.h"

namespace {

constexpr int Ticks = 10000;
const QSize Landscape(1280, 800);

// Degrees as the lesson's file writes them: one decimal at least, two at most.
QString FileDegrees(double degrees) {
    QString text = QString::number(std::round(degrees * 100) / 100, 'f', 2);
    if (text.endsWith('0')) text.chop(1);
    return text;
}

// A lesson held here: each group's ticks, shared as the server reads them, and the frames that
// go out right after the class's (the teacher's prediction, markers, results).
struct Lesson : ClassShare::SharedLesson {
    bool alone = false;
    std::vector<ClassShare::GroupShown> shown;
    std::vector<std::vector<std::optional<double>>> ticksOf;
    std::vector<QByteArray> opening;

    QByteArray classFrame() const override {
        QByteArray groups;
        for (const auto& g : shown) groups += (groups.isEmpty() ? "" : ",") + GroupJson(g);
        // Each further frame an event of its own on the feed, as the server sends them.
        QByteArray frames = ClassShare::ClassFrame("2-1", alone, groups);
        for (const QByteArray& frame : opening) frames += "\n\ndata: " + frame;
        return frames;
    }
    int groups() const override { return static_cast<int>(shown.size()); }
    int ticks(int group) const override { return static_cast<int>(ticksOf[group].size()); }
    QByteArray ticksFrame(int group, int from, int count, bool fresh) const override {
        return ClassShare::TicksFrame(shown[group].name, from, count, fresh,
                                      [&](int t) { return ticksOf[group][t]; });
    }
    QByteArray csv() const override { return "t,han1\r\n"; }
    QString csvName() const override { return "2-1.csv"; }
};

}  // namespace

class PageTest : public QObject {
    Q_OBJECT

    Lesson lesson_;
    std::unique_ptr<ClassShare::ShareServer> server_;
    std::unique_ptr<Chromium> browser_;

    QString eval(const QString& script) { return browser_->evaluate(script); }

    // Shares `groups` groups of Ticks ticks (a slow wave a quarter of a degree higher each
    // group, tick 7000 of group g at 60 + g, tick 8000 at -5 - g, ticks 3000 to 3199 without a
    // reading), with `opening` frames after the class's, and opens the page.
    void open(int groups, bool alone, const std::vector<QByteArray>& opening = {}) {
        lesson_ = {};
        lesson_.alone = alone;
        lesson_.opening = opening;
        for (int g = 0; g < groups; ++g) {
            lesson_.shown.push_back({QStringLiteral("han%1").arg(g + 1),
                                     QStringList{"#e6194b", "#3cb44b", "#4363d8"}[g % 3],
                                     "そくてい中", 45.0, "えきおん", -10, 100});
            std::vector<std::optional<double>> ticks;
            for (int t = 0; t < Ticks; ++t)
                ticks.push_back(t >= 3000 && t < 3200
                                    ? std::nullopt
                                    : std::optional(20 + g / 4.0 + (t % 600) / 100.0));
            ticks[7000] = 60 + g;
            ticks[8000] = -5 - g;
            lesson_.ticksOf.push_back(ticks);
        }
        server_ = std::make_unique<ClassShare::ShareServer>(lesson_, ClassShare::ChartFiles());
        const QString page = server_->start(QHostAddress::LocalHost, 0, "127.0.0.1");
        QVERIFY(!page.isEmpty());
        browser_ = std::make_unique<Chromium>();
        QVERIFY2(browser_->ok(), "Chromium did not start");
        browser_->call("Network.enable");  // every request the page makes, told
        QVERIFY(browser_->open(page, Landscape));
        QVERIFY(BoxRig::waitFor(
            [&] {
                return eval("String(performance.getEntriesByName('graph-complete').length)") == "1";
            },
            20000));
        // The page asks for nothing but its own: no tablet counts as refused for opening it.
        QCOMPARE(server_->refused(), 0);
    }

    // The plot's area on the page, in the page's pixels.
    QRectF plot() {
        const QStringList r = eval(
                                  "(() => { const b = chart.over.getBoundingClientRect(); "
                                  "return [b.left, b.top, b.width, b.height].join(); })()")
                                  .split(',');
        return r.size() == 4
                   ? QRectF(r[0].toDouble(), r[1].toDouble(), r[2].toDouble(), r[3].toDouble())
                   : QRectF();
    }

    // Where `seconds` and `degrees` are on the page.
    QPointF at(double seconds, double degrees) {
        const QRectF p = plot();
        return {
            p.left() +
                eval(QStringLiteral("String(chart.valToPos(%1, 'x'))").arg(seconds)).toDouble(),
            p.top() +
                eval(QStringLiteral("String(chart.valToPos(%1, 'y'))").arg(degrees)).toDouble()};
    }

    // A finger on the screen: "touchStart", "touchMove" or "touchEnd" at `p`.
    void touch(const QString& type, QPointF p) {
        QJsonArray points;
        if (type != "touchEnd") points.append(QJsonObject{{"x", p.x()}, {"y", p.y()}});
        browser_->call("Input.dispatchTouchEvent", {{"type", type}, {"touchPoints", points}});
    }

    // A finger drawn from `from` to `to`, in a few dozen moves.
    void stroke(QPointF from, QPointF to) {
        touch("touchStart", from);
        for (int i = 1; i <= 40; ++i) touch("touchMove", from + (to - from) * i / 40.0);
        touch("touchEnd", to);
    }

    // The text of the line over the graph once the layers are painted.
    QString said() {
        return eval(
            "new Promise(r => requestAnimationFrame(() => requestAnimationFrame(() => "
            "r(byId('said').textContent))))");
    }

    // What each group's row reads off, "a|b|...", once the rows have followed the layers.
    QString readOff() {
        return eval(
            "new Promise(r => requestAnimationFrame(() => setTimeout(() => "
            "r(groups.map(g => g.off_.textContent).join('|')), RowsAfterMs + 50)))");
    }

    // The pixels of the layer `name` over the plot that are drawn in `colour` (r, g, b), all but
    // transparent.
    int drawn(const QString& name, const QString& colour) {
        return eval("(() => { const c = layers." + name +
                    "; const px = c.getContext('2d').getImageData(0, 0, c.width, c.height).data; "
                    "const [r, g, b] = [" +
                    colour +
                    "]; let n = 0; for (let i = 0; i < px.length; i += 4) "
                    "n += px[i + 3] > 250 && px[i] === r && px[i + 1] === g && px[i + 2] === b; "
                    "return String(n); })()")
            .toInt();
    }

    // The lowest and highest point of each trace the chart was handed, "low/high,...".
    QString extremes() {
        return eval(
            "chart.data.slice(1).map(d => { const v = d.filter(x => x !== null); "
            "return Math.min(...v) + '/' + Math.max(...v); }).join(',')");
    }

    // The page at a tablet's sizes with every step of the lesson: the teacher's prediction and two
    // markers, a pupil's own prediction, the cursor, the class's results.
    void screenshots(const QString& folder, const QString& prefix) {
        QDir().mkpath(folder);
        server_->tellGroup(R"({"t":"prediction","p":[[0,20],[600,24],[1500,30],[3000,27],)"
                           R"([4900,24]]})");
        server_->tellGroup(R"({"t":"markers","m":[{"s":1200,"l":"氷を入れた"},)"
                           R"({"s":3600,"l":"火を消した"}]})");
        server_->tellGroup(
            R"({"t":"results","head":["はん","はじめ","おわり","いちばん たかい","いちばん ひくい",)"
            R"("かわり","じかん"],"rows":[["han1","20.0 ℃","27.5 ℃","60.0 ℃","-5.0 ℃","+7.5 ℃",)"
            R"("83分20秒"],["han2","20.25 ℃","27.75 ℃","61.0 ℃","-6.0 ℃","+7.5 ℃","83分20秒"]],)"
            R"("mean":["クラスの へいきん","20.13 ℃","27.63 ℃","60.5 ℃","-5.5 ℃","+7.5 ℃",)"
            R"("83分20秒"]})");
        for (const QSize size : {QSize(800, 1280), Landscape}) {
            const QString name =
                folder +
                QStringLiteral("/%1-%2x%3").arg(prefix).arg(size.width()).arg(size.height());
            browser_->screenshot(name + "-first.png", size);  // laid out at the size
            eval("document.querySelector('[data-tool=draw]').click(), ''");
            stroke(at(100, 21), at(2000, 40));
            stroke(at(2000, 40), at(4500, 30));
            eval("document.querySelector('[data-tool=read]').click(), ''");
            touch("touchStart", at(2400, 20));
            touch("touchEnd", at(2400, 20));
            QVERIFY(browser_->screenshot(name + ".png", size));
            eval("byId('sum').click(), ''");
            QVERIFY(browser_->screenshot(name + "-results.png", size));
            eval("byId('sum').click(), document.querySelector('[data-tool=two]').click(), ''");
            for (const double seconds : {1000, 1250}) {
                touch("touchStart", at(seconds, 20));
                touch("touchEnd", at(seconds, 20));
            }
            QVERIFY(browser_->screenshot(name + "-two.png", size));
            eval("document.querySelector('[data-tool=stretch]').click(), ''");
            touch("touchStart", at(1400, 20));
            touch("touchMove", at(1700, 20));
            touch("touchEnd", at(1700, 20));
            QVERIFY(browser_->screenshot(name + "-stretch.png", size));
            eval("document.querySelector('[data-tool=draw]').click(), ''");
            QVERIFY(browser_->screenshot(name + "-drawing.png", size));
            eval("document.querySelector('[data-tool=read]').click(), ''");
        }
    }

    // The page asks the server for its files and its feed, once each, and for nothing else.
    void nothingButThePageIsAskedFor() {
        QStringList asked;
        for (const QJsonObject& request : browser_->events("Network.requestWillBeSent")) {
            const QString url = request["request"].toObject()["url"].toString();
            if (url.startsWith("data:")) continue;  // the page's empty icon, never fetched
            asked << url.mid(server_->address().size());
        }
        asked.sort();
        QCOMPARE(asked, QStringList({"", "feed", "figures.js", "page.js", "tools.js",
                                     "uPlot.iife.min.js", "uPlot.min.css"}));
        QCOMPARE(browser_->events("Network.webSocketCreated").size(), size_t(0));
        QCOMPARE(server_->refused(), 0);
    }

  private slots:
    void cleanup() {
        browser_.reset();
        server_.reset();
    }

    void theThinnedGraphKeepsPeaksAndGapsAndFollows() {
        open(3, false);
        QCOMPARE(extremes(), QString("-5/60,-6/61,-7/62"));
        // At most a low and a high a pixel column, the gap kept as one.
        const int points = eval("String(chart.data[0].length)").toInt();
        const int columns = eval("String(Math.round(chart.bbox.width / devicePixelRatio))").toInt();
        QVERIFY2(points > 0 && points <= 2 * columns, qPrintable(QString::number(points)));
        QVERIFY(eval("String(chart.data[1].some(v => v === null))") == "true");

        // Live ticks, a new peak among them, and a fresh measurement of the second group.
        lesson_.ticksOf[0].insert(lesson_.ticksOf[0].end(), {21.0, 70.25, 21.0});
        server_->tellTicks(0, Ticks, 3, false);
        lesson_.ticksOf[1] = {30.5, std::nullopt, 31.25};
        server_->tellTicks(1, 0, 3, true);
        QVERIFY2(BoxRig::waitFor([&] { return extremes() == "-5/70.25,30.5/31.25,-7/62"; }, 5000),
                 qPrintable(extremes()));
        QCOMPARE(eval("JSON.stringify(JSON.parse(traces()).han2)"),
                 QString("[[0,30.5],[2,31.25]]"));
    }

    void aTapIsAnsweredBeforeAnyRedraw() {
        open(3, false);
        // In one go: no redraw between the tap and its answer, the row and the trace forward.
        QCOMPARE(eval("(() => { const redraws = performance.getEntriesByName('redraw').length; "
                      "const item = document.querySelectorAll('#groups li')[1]; item.click(); "
                      "const c = layers.picked; "
                      "const px = c.getContext('2d').getImageData(0, 0, c.width, c.height).data; "
                      "let drawn = 0; for (let i = 3; i < px.length; i += 4) drawn += px[i] > 0; "
                      "return [performance.getEntriesByName('redraw').length === redraws, "
                      "item.classList.contains('picked'), chart.over.classList.contains('veiled'), "
                      "drawn > 1000].join(); })()"),
                 QString("true,true,true,true"));
        // Tapped again, the class as before.
        QCOMPARE(eval("document.querySelectorAll('#groups li')[1].click(), "
                      "[document.querySelectorAll('#groups li.picked').length, "
                      "chart.over.classList.contains('veiled')].join()"),
                 QString("0,false"));
    }

    void aLostFeedIsSaid() {
        open(1, false);
        server_.reset();  // the teacher's PC gone
        QVERIFY(BoxRig::waitFor(
            [&] { return eval("byId('state').textContent").contains("つなぎなおしています"); },
            10000));
        // Failing again and again within the minute: said plainly.
        QVERIFY(eval("feed.onerror(), feed.onerror(), byId('state').textContent")
                    .contains("つながりません"));
    }

    void aPupilsOwnPredictionStaysOnTheDevice() {
        open(3, false);
        const QString White = "255, 255, 255";
        eval("document.querySelector('[data-tool=draw]').click(), ''");
        // Two strokes with a finger: up from 500 s to 2 500 s, on to 3 000 s.
        const QPointF a = at(500, 20), b = at(2500, 60), c = at(3000, 70);
        stroke(a, b);
        stroke(b, c);
        const QJsonArray own =
            QJsonDocument::fromJson(eval("JSON.stringify(notes.own)").toUtf8()).array();
        QVERIFY2(own.size() > 20, qPrintable(QString::number(own.size())));
        // One smooth curve from the first stroke's start to the second's end, along the line.
        QVERIFY(std::abs(own.first()[0].toDouble() - 500) < 30);
        QVERIFY(std::abs(own.last()[0].toDouble() - 3000) < 30);
        for (const QJsonValue p : own) {
            const double s = p[0].toDouble(), d = p[1].toDouble();
            const double line = s < 2500 ? 20 + (s - 500) / 50 : 60 + (s - 2500) / 50;
            QVERIFY2(std::abs(d - line) < 2, qPrintable(QStringLiteral("%1 s %2").arg(s).arg(d)));
        }
        // Shown, with its key; drawn no more, still shown on the graph's own axes.
        QVERIFY(drawn("notes", White) > 1000);
        QVERIFY(eval("byId('notes').textContent").contains("じぶんの よそう"));
        eval("document.querySelector('[data-tool=draw]').click(), ''");
        QVERIFY(drawn("notes", White) > 1000);

        // Drawn again: the new stroke is the prediction.
        eval("document.querySelector('[data-tool=draw]').click(), ''");
        stroke(at(1000, 30), at(1500, 30));
        QCOMPARE(eval("String(notes.own.every(([s, d]) => s > 950 && s < 1550 && "
                      "Math.abs(d - 30) < 1))"),
                 QString("true"));
        // Kept on this device for a reload, and erased by its button.
        QCOMPARE(eval("sessionStorage.getItem(OwnKey)"), eval("JSON.stringify(notes.own)"));
        eval("byId('erase').click(), ''");
        QCOMPARE(eval("[notes.own.length, byId('erase').disabled, sessionStorage.getItem(OwnKey)]"
                      ".join()"),
                 QString("0,true,[]"));
        QCOMPARE(drawn("notes", White), 0);
        nothingButThePageIsAskedFor();
    }

    void theTeachersPredictionAndMarkersAreShown() {
        open(2, false,
             {R"({"t":"prediction","p":[[0,20],[1000,40],[4000,10]]})",
              R"({"t":"markers","m":[{"s":1000,"l":"氷を入れた"},)"
              R"({"s":2500.5,"l":"<img src=x onerror=alert(1)>"}]})"});
        QCOMPARE(eval("[...byId('notes').children].map(li => li.textContent).join('|')"),
                 QString("先生の よそう|めじるし|1000秒（16分40秒） 氷を入れた|"
                         "2500.5秒（41分40.5秒） <img src=x onerror=alert(1)>"));
        QCOMPARE(eval("String(document.querySelectorAll('img').length)"), QString("0"));
        // Each marker a line across the plot at its time.
        const auto across = [&](double seconds) {
            return eval(QStringLiteral(
                            "(() => { const c = layers.notes, r = devicePixelRatio; "
                            "const x = Math.round(Math.round(chart.valToPos(%1, 'x')) * r); "
                            "const px = c.getContext('2d').getImageData(x, 0, 1, c.height).data; "
                            "let n = 0; for (let i = 3; i < px.length; i += 4) n += px[i] > 100; "
                            "return String(n / c.height); })()")
                            .arg(seconds))
                .toDouble();
        };
        QVERIFY(across(1000) > 0.9 && across(2500.5) > 0.9);
        QVERIFY(across(1800) < 0.1);
        // The prediction dashed along its points: from 100 s to 900 s, black and not.
        const auto dashes = [&] {
            return eval(
                "(() => { const c = layers.notes, r = devicePixelRatio, ctx = c.getContext('2d'); "
                "const on = [0, 0]; "
                "for (let x = Math.ceil(chart.valToPos(100, 'x')); x < chart.valToPos(900, 'x'); "
                "++x) { const s = chart.posToVal(x, 'x'), y = chart.valToPos(20 + s / 50, 'y'); "
                "const p = ctx.getImageData(Math.round(x * r), Math.round(y * r), 1, 1).data; "
                "++on[p[3] > 200 && p[0] < 40 ? 0 : 1]; } return on.join(); })()");
        };
        const QStringList blackAndNot = dashes().split(',');
        QVERIFY2(blackAndNot[0].toInt() > 20 && blackAndNot[1].toInt() > 10,
                 qPrintable(blackAndNot.join(',')));

        // Changed by the teacher: what comes is shown, the prediction erased.
        server_->tellGroup(R"({"t":"markers","m":[{"s":10,"l":"かきまぜた"}]})");
        server_->tellGroup(R"({"t":"prediction","p":[]})");
        QVERIFY(BoxRig::waitFor(
            [&] {
                return eval("[...byId('notes').children].map(li => li.textContent).join('|')") ==
                       "めじるし|10秒 かきまぜた";
            },
            1000));
        QVERIFY(across(1000) < 0.1);
        QCOMPARE(dashes().split(',')[0], QString("0"));

        const QString shots = qEnvironmentVariable("KELVIRA_SCREENSHOTS");
        if (!shots.isEmpty()) screenshots(shots, "page");
    }

    void theCursorReadsTheLessonsTicks() {
        open(3, false);
        // The time shown, as a tick.
        const auto shownTick = [&] {
            static const QRegularExpression seconds("^([0-9.]+)秒");
            const auto m = seconds.match(said());
            return m.hasMatch() ? static_cast<int>(std::lround(m.captured(1).toDouble() * 2)) : -1;
        };
        const auto expected = [&](int tick) {
            QStringList each;
            for (const auto& ticks : lesson_.ticksOf)
                each << "その とき " + (ticks[tick] ? FileDegrees(*ticks[tick]) + "℃" : "--");
            return each.join('|');
        };
        // A finger on the graph, then a mouse above it (a few ticks without a reading there).
        touch("touchStart", at(2345.3, 20));
        touch("touchEnd", at(2345.3, 20));
        int tick = shownTick();
        QVERIFY2(std::abs(tick - 4691) < 20, qPrintable(said()));
        QCOMPARE(readOff(), expected(tick));
        const QPointF gap = at(1550, 20);
        browser_->call("Input.dispatchMouseEvent",
                       {{"type", "mouseMoved"}, {"x", gap.x()}, {"y", gap.y()}});
        tick = shownTick();
        QVERIFY2(tick >= 3000 && tick < 3200, qPrintable(said()));
        QCOMPARE(readOff(), "その とき --|その とき --|その とき --");

        // Two points of the second group's trace: the change between them.
        eval(
            "document.querySelectorAll('#groups li')[1].click(), "
            "document.querySelector('[data-tool=two]').click(), ''");
        for (const double seconds : {100.0, 160.0}) {
            touch("touchStart", at(seconds, 20));
            touch("touchEnd", at(seconds, 20));
        }
        static const QRegularExpression time("([0-9.]+)秒(（[^）]*）)? [0-9.]+℃");
        std::vector<int> picked;  // the ticks of the two points, as shown
        for (auto m = time.globalMatch(said()); m.hasNext();)
            picked.push_back(static_cast<int>(2 * m.next().captured(1).toDouble()));
        QCOMPARE(picked.size(), size_t(2));
        const long a = std::lround(*lesson_.ticksOf[1][picked[0]] * 100);
        const long b = std::lround(*lesson_.ticksOf[1][picked[1]] * 100);
        const double seconds = (picked[1] - picked[0]) / 2.0;
        const auto sign = [](double d) {
            return (std::lround(d * 100) > 0 ? "+" : "") + FileDegrees(d);
        };
        QVERIFY2(said().endsWith(QStringLiteral("Δ %1秒　Δ %2℃　%3 ℃/分")
                                     .arg(seconds)
                                     .arg(sign((b - a) / 100.0))
                                     .arg(sign((b - a) / 100.0 * 60 / seconds))),
                 qPrintable(said()));

        // A stretch from ticks without a reading into a rise: each group's highest (its last
        // tick), lowest and mean.
        eval("document.querySelector('[data-tool=stretch]').click(), ''");
        const QPointF from = at(1570, 20), to = at(1612, 20);
        touch("touchStart", from);
        for (int i = 1; i <= 10; ++i) touch("touchMove", from + (to - from) * i / 10.0);
        touch("touchEnd", to);
        static const QRegularExpression range("^([0-9.]+)秒.* から ([0-9.]+)秒");
        const auto m = range.match(said());
        QVERIFY2(m.hasMatch(), qPrintable(said()));
        QStringList figures;
        for (const auto& ticks : lesson_.ticksOf) {
            long highest = LONG_MIN, lowest = LONG_MAX, sum = 0, n = 0;
            for (int t = std::lround(m.captured(1).toDouble() * 2);
                 t <= std::lround(m.captured(2).toDouble() * 2); ++t)
                if (ticks[t]) {
                    const long h = std::lround(*ticks[t] * 100);
                    highest = std::max(highest, h);
                    lowest = std::min(lowest, h);
                    sum += h;
                    ++n;
                }
            figures << "たかい " + FileDegrees(highest / 100.0) + "℃　ひくい " +
                           FileDegrees(lowest / 100.0) + "℃　へいきん " +
                           FileDegrees(std::round(static_cast<double>(sum) / n) / 100) + "℃";
        }
        QCOMPARE(readOff(), figures.join('|'));
    }

    void theResultsAreShownAsATableOfTexts() {
        open(2, false);
        server_->tellGroup(
            R"({"t":"results","head":["はん","はじめ","おわり"],)"
            R"("rows":[["han1","20.5 ℃","35.25 ℃"],["<img src=x onerror=alert(1)>","21 ℃","-"]],)"
            R"("mean":["クラスの へいきん","20.75 ℃","35.25 ℃"]})");
        const QString table =
            "[...byId('results').rows].map(r => [...r.cells].map(c => c.textContent).join('/'))"
            ".join('|')";
        QCOMPARE(eval("String(byId('summary').hidden)"), QString("true"));
        eval("byId('sum').click(), ''");
        QVERIFY(BoxRig::waitFor([&] { return !eval(table).isEmpty(); }, 1000));
        QCOMPARE(eval(table), QString("はん/はじめ/おわり|han1/20.5 ℃/35.25 ℃|"
                                      "<img src=x onerror=alert(1)>/21 ℃/-|"
                                      "クラスの へいきん/20.75 ℃/35.25 ℃"));
        QCOMPARE(eval("String(document.querySelectorAll('img').length)"), QString("0"));
        // Kelvira alone: its one group, no class's mean.
        server_->tellGroup(
            R"({"t":"results","head":["はん","はじめ"],"rows":[["han1","19 ℃"]],"mean":null})");
        QVERIFY(BoxRig::waitFor([&] { return eval(table) == "はん/はじめ|han1/19 ℃"; }, 1000));
    }

    void oneGroupAloneIsShownLarge() {
        open(1, true);
        QCOMPARE(eval("[document.body.classList.contains('alone'), "
                      "getComputedStyle(byId('groups')).display, byId('big').textContent, "
                      "byId('sensor').textContent, byId('fill').style.height].join()"),
                 QString("true,none,45.0℃,えきおん,50%"));
        const QString shots = qEnvironmentVariable("KELVIRA_SCREENSHOTS");
        if (!shots.isEmpty()) screenshots(shots, "page-alone");
    }
};

QTEST_GUILESS_MAIN(PageTest)
#include "page_test.moc"
