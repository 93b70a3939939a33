// The pupils' page in a real browser (Chromium) against the real server: the thinned graph
// keeps every peak and gap and follows live ticks, a fresh measurement replaces a group's
// ticks, a tap is answered before any redraw, a lost feed is said, and one group alone is shown
// large.
#include <QTest>
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

// A lesson held here: each group's ticks, shared as the server reads them.
struct Lesson : ClassShare::SharedLesson {
    bool alone = false;
    std::vector<ClassShare::GroupShown> shown;
    std::vector<std::vector<std::optional<double>>> ticksOf;

    QByteArray classFrame() const override {
        QByteArray groups;
        for (const auto& g : shown) groups += (groups.isEmpty() ? "" : ",") + GroupJson(g);
        return ClassShare::ClassFrame("2-1", alone, groups);
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

    // Shares `groups` groups of Ticks ticks (a slow wave, tick 7000 of group g at 60 + g, tick
    // 8000 at -5 - g, ticks 3000 to 3199 without a reading) and opens the page.
    void open(int groups, bool alone) {
        lesson_ = {};
        lesson_.alone = alone;
        for (int g = 0; g < groups; ++g) {
            lesson_.shown.push_back({QStringLiteral("han%1").arg(g + 1), "#e6194b", "そくてい中",
                                     45.0, "えきおん", -10, 100});
            std::vector<std::optional<double>> ticks;
            for (int t = 0; t < Ticks; ++t)
                ticks.push_back(t >= 3000 && t < 3200 ? std::nullopt
                                                      : std::optional(20 + (t % 600) / 100.0));
            ticks[7000] = 60 + g;
            ticks[8000] = -5 - g;
            lesson_.ticksOf.push_back(ticks);
        }
        server_ = std::make_unique<ClassShare::ShareServer>(lesson_, ClassShare::ChartFiles());
        const QString page = server_->start(QHostAddress::LocalHost, 0, "127.0.0.1");
        QVERIFY(!page.isEmpty());
        browser_ = std::make_unique<Chromium>();
        QVERIFY2(browser_->ok(), "Chromium did not start");
        QVERIFY(browser_->open(page, Landscape));
        QVERIFY(BoxRig::waitFor(
            [&] {
                return eval("String(performance.getEntriesByName('graph-complete').length)") == "1";
            },
            20000));
        // The page asks for nothing but its own: no tablet counts as refused for opening it.
        QCOMPARE(server_->refused(), 0);
    }

    // The lowest and highest point of each trace the chart was handed, "low/high,...".
    QString extremes() {
        return eval(
            "chart.data.slice(1).map(d => { const v = d.filter(x => x !== null); "
            "return Math.min(...v) + '/' + Math.max(...v); }).join(',')");
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
                      "const c = chart.over.querySelector('canvas'); "
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

    void oneGroupAloneIsShownLarge() {
        open(1, true);
        QCOMPARE(eval("[document.body.classList.contains('alone'), "
                      "getComputedStyle(byId('groups')).display, byId('big').textContent, "
                      "byId('sensor').textContent, byId('fill').style.height].join()"),
                 QString("true,none,45.0℃,えきおん,50%"));
    }
};

QTEST_GUILESS_MAIN(PageTest)
#include "page_test.moc"
