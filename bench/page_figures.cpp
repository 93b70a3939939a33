// The shared page as a pupil's cheap tablet runs it: headless Chromium at 1280 × 800 with its
// CPU slowed 6 times, the page of the largest class the view holds (40 groups of 9 800 ticks,
// each ticking twice a second), then the page of Kelvira's own lesson. Prints, a figure a line:
//   page.first MS            opening the page to the whole lesson so far drawn
//   page.redraw MS           a redraw of the class's graph, 95th percentile
//   page.tap MS              a tap on a group, or on the graph (its cursor), answered (the
//                            browser's Event Timing), the longest
//   page.heap KIB            the page's JavaScript heap with the class
//   page.latency.class MS    a tick handed to the class view to the page painted with it, p99
//   page.latency.own MS      a tick recorded by Kelvira to its page painted with it, p99
// The ticks go out from this process as the programs send them; what is measured is the
// page's side and the way to it.
//   page_figures [SECONDS]   how long each page follows its lesson (20)
#include <QApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <vector>

#include "bench/class_of_forty.h"
#include "classlink/class_messages.h"
#include "classshare/chart_files.h"
#include "classshare/own_lesson.h"
#include "classshare/sharing.h"
#include "classview/class_window.h"
#include "support/box_rig.h"
#include "support/chromium.h"

namespace {

constexpr int Held = 9800;
const QSize Tablet(1280, 800);

double Now() {
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch());
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(p * values.size()))];
}

void Print(const char* key, double value) {
    std::printf("%s %.1f\n", key, value);
    std::fflush(stdout);
}

// The page's paintings: when each was done (ms since the epoch, by the wall clock this process
// reads too) and the newest tick of each group it showed.
struct Painting {
    double at;
    std::map<QString, int> newest;
};

std::vector<Painting> Paintings(Chromium& browser) {
    const QJsonArray marks =
        QJsonDocument::fromJson(browser
                                    .evaluate("JSON.stringify(performance.getEntriesByName("
                                              "'painted').map(m => m.detail))")
                                    .toUtf8())
            .array();
    std::vector<Painting> paintings;
    for (const QJsonValue m : marks) {
        Painting p{m["at"].toDouble(), {}};
        const QJsonObject newest = m["newest"].toObject();
        for (auto g = newest.begin(); g != newest.end(); ++g) p.newest[g.key()] = g->toInt();
        paintings.push_back(p);
    }
    return paintings;
}

// For each tick sent (group, tick, when), the time until the first painting that showed it.
std::vector<double> Latencies(const std::vector<Painting>& paintings,
                              const std::vector<std::tuple<QString, int, double>>& sent) {
    std::vector<double> latencies;
    for (const auto& [group, tick, at] : sent) {
        double shown = -1;
        for (const Painting& p : paintings) {
            const auto n = p.newest.find(group);
            if (p.at >= at && n != p.newest.end() && n->second >= tick) {
                shown = p.at;
                break;
            }
        }
        latencies.push_back(shown < 0 ? 1e6 : shown - at);
    }
    return latencies;
}

bool Follow(Chromium& browser, const QString& page) {
    browser.call("Emulation.setCPUThrottlingRate", {{"rate", 6}});
    return browser.open(page, Tablet);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = std::clamp(argc > 1 ? std::atoi(argv[1]) : 20, 5, 100);
    QApplication app(argc, argv);
    Chromium browser;
    if (!browser.ok()) {
        std::fprintf(stderr, "page_figures: Chromium did not start\n");
        return 1;
    }
    browser.call("Performance.enable");

    // The class: the view holds 40 lessons of 9 800 ticks when the tablet opens the page.
    ClassView::ClassWindow window;
    ClassShare::Sharing sharing(window, QString());
    const QString classPage = sharing.start({QHostAddress::LocalHost, 0, "127.0.0.1"});
    ClassOfFortyMessages(
        QString(), [&window](const QByteArray& t, const QByteArray& p) { window.receive(t, p); },
        Held);
    const double opened = Now();
    if (classPage.isEmpty() || !Follow(browser, classPage)) return 1;
    double complete = -1;
    BoxRig::waitFor(
        [&] {
            complete = browser
                           .evaluate(
                               "String(performance.getEntriesByName('graph-complete').map("
                               "m => m.detail.at)[0] || '')")
                           .toDouble();
            return complete > 0;
        },
        60000);
    Print("page.first", complete > 0 ? complete - opened : 1e6);

    // The class goes on, each group ticking twice a second, the messages one by one; the
    // teacher's pupil taps a group now and then, and the graph to read it off.
    browser.evaluate(
        "window.taps = []; new PerformanceObserver(l => l.getEntries().forEach(e => "
        "taps.push(e.duration))).observe({type: 'event', durationThreshold: 16, buffered: true}); "
        "performance.clearMeasures('redraw'); performance.clearMarks('painted'); 'ok'");
    std::vector<std::tuple<QString, int, double>> sent;
    int tick = Held;
    QTimer feed;
    int group = 0;
    std::vector<std::pair<QByteArray, QByteArray>> round;
    feed.callOnTimeout([&] {
        if (group == 0) {
            round.clear();
            ClassOfFortyTick(QString(), tick, [&round](const QByteArray& t, const QByteArray& p) {
                round.emplace_back(t, p);
            });
        }
        const auto& [topic, payload] = round[static_cast<size_t>(group)];
        window.receive(topic, payload);
        // The group by its name: the view keeps its groups in an order of its own.
        const auto message = ClassLink::ReadMessage(QString(), topic, payload);
        sent.emplace_back(message ? message->group : QString(), tick, Now());
        if (++group == static_cast<int>(round.size())) {
            group = 0;
            ++tick;
        }
    });
    feed.start(500 / 40);
    for (int s = 0; s < seconds; ++s) {
        QTest::qWait(500);
        // A group's row, and the graph at a tenth further across each time.
        const QString row = QString::number(s % 40),
                      across = QString::number((s / 2 % 10 + 0.5) / 10);
        const QString at = browser.evaluate(
            s % 2 ? "(() => { const r = chart && chart.over.getBoundingClientRect(); "
                    "return r ? r.x + r.width * " +
                        across + " + ',' + (r.y + r.height / 2) : ''; })()"
                  : "(() => { const r = document.querySelectorAll('#groups li')[" + row +
                        "]; "
                        "const b = r && r.getBoundingClientRect(); "
                        "return b ? b.x + b.width / 2 + ',' + (b.y + b.height / 2) : ''; })()");
        if (!at.isEmpty()) {
            const QJsonObject where{{"x", at.section(',', 0, 0).toDouble()},
                                    {"y", at.section(',', 1, 1).toDouble()},
                                    {"button", "left"},
                                    {"clickCount", 1}};
            QJsonObject press = where, release = where;
            press["type"] = "mousePressed";
            release["type"] = "mouseReleased";
            browser.call("Input.dispatchMouseEvent", press);
            browser.call("Input.dispatchMouseEvent", release);
        }
        QTest::qWait(500);
    }
    feed.stop();
    QTest::qWait(1500);  // the last ticks painted
    const QJsonArray redraws =
        QJsonDocument::fromJson(browser
                                    .evaluate("JSON.stringify(performance.getEntriesByName("
                                              "'redraw').map(m => m.duration))")
                                    .toUtf8())
            .array();
    std::vector<double> redraw;
    for (const QJsonValue r : redraws) redraw.push_back(r.toDouble());
    Print("page.redraw", Percentile(redraw, 0.95));
    const QJsonArray taps =
        QJsonDocument::fromJson(browser.evaluate("JSON.stringify(taps)").toUtf8()).array();
    double longest = 16;  // what Event Timing reports at the least
    for (const QJsonValue t : taps) longest = std::max(longest, t.toDouble());
    Print("page.tap", longest);
    double heap = -1;
    for (const QJsonValue m : browser.call("Performance.getMetrics")["metrics"].toArray())
        if (m["name"] == "JSHeapUsedSize") heap = m["value"].toDouble() / 1024;
    Print("page.heap", heap);
    Print("page.latency.class", Percentile(Latencies(Paintings(browser), sent), 0.99));
    sharing.stop();

    // Kelvira's own lesson: the ticks as Kelvira records them, twice a second.
    static std::array<float, 10000> hundredths{};
    static std::array<int16_t, 10000> raw{};
    int ticks = 600;
    for (int t = 0; t < ticks; ++t) hundredths[t] = 2000 + (t % 300) * 10;
    const Vexo::LessonRecord record{hundredths.data(), raw.data(), &ticks};
    ClassShare::OwnLesson own(QStringLiteral("han1"), record, {-10, 100, false}, true, 23.5,
                              QStringLiteral("han1.csv"));
    ClassShare::ShareServer server(own, ClassShare::ChartFiles());
    own.tell(&server);
    const QString ownPage = server.start(QHostAddress::LocalHost, 0, "127.0.0.1");
    if (ownPage.isEmpty() || !Follow(browser, ownPage)) return 1;
    BoxRig::waitFor(
        [&] {
            return !browser
                        .evaluate(
                            "String(performance.getEntriesByName('graph-complete').length || '')")
                        .isEmpty();
        },
        20000);
    browser.evaluate("performance.clearMarks('painted'); 'ok'");
    sent.clear();
    QTimer record2;
    record2.callOnTimeout([&] {
        hundredths[ticks] = 2000 + (ticks % 300) * 10;
        ++ticks;
        own.tickRecorded({ticks - 1, (ticks - 1) / 2.0, hundredths[ticks - 1] / 100.0F, 100});
        sent.emplace_back(QStringLiteral("han1"), ticks - 1, Now());
    });
    record2.start(500);
    QTest::qWait(seconds * 1000);
    record2.stop();
    QTest::qWait(1500);
    Print("page.latency.own", Percentile(Latencies(Paintings(browser), sent), 0.99));
    return 0;
}
