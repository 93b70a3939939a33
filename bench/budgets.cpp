#include "bench/budgets.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr double NsPerMs = 1e6;
constexpr double PollPeriodNs = 200 * NsPerMs;
constexpr double GraphPeriodNs = 500 * NsPerMs;

QString Ratio(double share) {
    if (share >= 1) return QString::number(share) + QStringLiteral(" ×");
    return QStringLiteral("1/") + QString::number(std::lround(1 / share)) + QStringLiteral(" of");
}

}  // namespace

std::vector<Budget> KelviraBudgets() {
    const QString poll = QStringLiteral("the poll period 200 ms");
    return {
        {"poll tick", "BM_PollTick", {}, PollPeriodNs, poll, 1.0 / 1000, false},
        {"graph tick",
         "BM_GraphTick",
         {},
         GraphPeriodNs,
         "the graph period 500 ms",
         1.0 / 1000,
         false},
        {"graph tick, recorded to its file",
         "BM_GraphTickRecorded",
         {},
         GraphPeriodNs,
         "the graph period 500 ms",
         1.0 / 1000,
         false},
        {"RedrawPage, full page", "BM_RedrawPage", {}, PollPeriodNs, poll, 1.0 / 40, false},
        {"DrawOverview, 10 000 ticks",
         "BM_DrawOverview/10000",
         {},
         PollPeriodNs,
         poll,
         1.0 / 40,
         false},
        {"page turn", "BM_PageTurn", {}, PollPeriodNs, poll, 1.0 / 40, false},
        {"graph tick, published, broker up",
         "BM_GraphTickPublished_BrokerUp",
         {},
         GraphPeriodNs,
         "the graph period 500 ms",
         1.0 / 1000,
         false},
        {"graph tick, published, broker unreachable",
         "BM_GraphTickPublished_BrokerUnreachable",
         {},
         GraphPeriodNs,
         "the graph period 500 ms",
         1.0 / 1000,
         false},
        {"class view: a tick shared with 60 browsers",
         "BM_ShareTick60",
         {},
         GraphPeriodNs,
         "the graph period 500 ms",
         1.0 / 1000,
         false},
        {"class view: 40 × 10 000 ticks drawn",
         "BM_ClassGraph",
         {},
         25 * NsPerMs,
         "25 ms",
         1,
         false},
        {"class view: memory, 40 × 10 000 ticks",
         "class.peak",
         {},
         100 * 1024,
         "100 MiB",
         1,
         false},
        // A teacher's PC shows the class for a whole lesson beside other programs.
        {"class view: 40 groups ticking twice a second",
         "class.cpu",
         {},
         1,
         "one core",
         1.0 / 20,
         false},
        {"poll tick at 3×", "BM_PollTick_3x", {}, PollPeriodNs, poll, 1.0 / 1000, false},
        {"graph tick at 3×",
         "BM_GraphTick_3x",
         {},
         GraphPeriodNs,
         "the graph period 500 ms",
         1.0 / 1000,
         false},
        {"RedrawPage, full page, at 3×",
         "BM_RedrawPage_3x",
         {},
         PollPeriodNs,
         poll,
         1.0 / 40,
         false},
        {"DrawOverview, 10 000 ticks, at 3×",
         "BM_DrawOverview_3x/10000",
         {},
         PollPeriodNs,
         poll,
         1.0 / 40,
         false},
        {"DrawThermometer", "BM_DrawThermometer", {}, PollPeriodNs, poll, 1.0 / 40, false},
        {"DrawGraphFrame", "BM_DrawGraphFrame", {}, PollPeriodNs, poll, 1.0 / 40, false},
        // The teacher's path: the port chosen by the program, as the menu starts it. What
        // stands above the floor is the window's Japanese text: the font configuration read,
        // the gothic face opened and shaped in five sizes, and its pages in memory
        // (README, Performance).
        {"start-up to the window shown", "startup", "floor.startup", 0, "the floor's", 1.4, true},
        {"peak memory, 10 simulated minutes", "peak", "floor.peak", 0, "the floor's", 1.4, true},
        // Against a floor that shows Kelvira's captions in its fonts: what Kelvira adds to any
        // window with its Japanese text.
        {"start-up, against the captioned floor", "startup", "captions.startup", 0,
         "the captioned floor's", 1.1, true},
        {"peak memory, against the captioned floor", "peak", "captions.peak", 0,
         "the captioned floor's", 1.1, true},
        // The port named by KELVIRA_PORT<N>: the same start, held to the same limits (a looser
        // limit of its own, kept from before the teacher's path was measured, only stood on its
        // figure and said yes or no by chance).
        {"start-up, port named", "startup.named", "floor.startup", 0, "the floor's", 1.4, true},
        {"peak memory, port named", "peak.named", "floor.peak", 0, "the floor's", 1.4, true},
        // The page on a pupil's cheap tablet (a Chromebook's or iPad's CPU, the browser's CPU
        // slowed 6 times), with the largest class the view holds.
        {"page: 40 × 10 000 ticks drawn whole after opening",
         "page.first",
         {},
         2000,
         "2 s",
         1,
         false},
        {"page: a redraw, 95th percentile", "page.redraw", {}, 50, "50 ms", 1, false},
        {"page: a tap answered", "page.tap", {}, 100, "100 ms", 1, true},
        {"page: JavaScript heap", "page.heap", {}, 50 * 1024, "50 MiB", 1, false},
        {"page: a tick on the page, Kelvira sharing (p99)",
         "page.latency.own",
         {},
         250,
         "250 ms",
         1,
         true},
        {"page: a tick on the page through the class view (p99)",
         "page.latency.class",
         {},
         500,
         "500 ms",
         1,
         true},
        {"CPU while measuring", "cpu.measuring", {}, 1, "one core", 1.0 / 100, false},
        {"CPU while idle", "cpu.idle", {}, 1, "one core", 1.0 / 100, false},
    };
}

Figures BenchmarkFigures(const QByteArray& json) {
    static const std::map<QString, double> NsPer = {
        {"ns", 1}, {"us", 1e3}, {"ms", 1e6}, {"s", 1e9}};
    Figures figures;
    std::map<QString, bool> fromMedian;
    for (const QJsonValue& value : QJsonDocument::fromJson(json)["benchmarks"].toArray()) {
        const QJsonObject run = value.toObject();
        const auto unit = NsPer.find(run["time_unit"].toString());
        if (unit == NsPer.end()) continue;
        const bool median = run["run_type"].toString() == "aggregate" &&
                            run["aggregate_name"].toString() == "median";
        if (run["run_type"].toString() == "aggregate" && !median) continue;
        if (run["error_occurred"].toBool()) continue;  // a benchmark that failed measured nothing
        const QString name = run[median ? "run_name" : "name"].toString();
        if (fromMedian[name] && !median) continue;
        fromMedian[name] = median;
        figures[name] = {run["cpu_time"].toDouble() * unit->second, Unit::Nanoseconds};
    }
    return figures;
}

Figure FromRuns(const std::vector<double>& runs, Unit unit) {
    return {Median(runs), unit, runs};
}

double Median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::pair<double, double> MedianInterval(std::vector<double> values) {
    if (values.empty()) return {-1, -1};
    std::sort(values.begin(), values.end());
    const double n = static_cast<double>(values.size());
    const double reach = 0.98 * std::sqrt(n);  // 1.96 standard deviations of the rank n/2
    const auto low = static_cast<size_t>(std::max(0.0, std::floor(n / 2 - reach)));
    const auto high = static_cast<size_t>(std::min(n - 1, std::ceil(n / 2 + reach) - 1));
    return {values[low], values[high]};
}

namespace {

// Runs paired with the base's, as ratios; empty when they cannot be paired.
std::vector<double> Ratios(const Figure& figure, const Figure& base) {
    std::vector<double> ratios;
    if (figure.runs.size() < 3 || figure.runs.size() != base.runs.size()) return ratios;
    for (size_t i = 0; i < figure.runs.size(); ++i) {
        if (!(figure.runs[i] >= 0) || !(base.runs[i] > 0)) return {};
        ratios.push_back(figure.runs[i] / base.runs[i]);
    }
    return ratios;
}

}  // namespace

std::vector<Verdict> Judge(const std::vector<Budget>& budgets, const Figures& figures) {
    std::vector<Verdict> verdicts;
    for (const Budget& budget : budgets) {
        Verdict v{budget};
        const auto figure = figures.find(budget.figure);
        const auto base = budget.base.isEmpty() ? figures.end() : figures.find(budget.base);
        const bool haveBase = budget.base.isEmpty() || base != figures.end();
        if (figure != figures.end() && haveBase) {
            const double baseValue = budget.base.isEmpty() ? budget.fixedBase : base->second.value;
            v.value = figure->second.value;
            v.limit = baseValue * budget.share;
            // A figure that could not be taken (negative, NaN) or a base of nothing holds no
            // budget.
            v.measured = std::isfinite(v.value) && v.value >= 0 && v.limit > 0;
            v.held = v.measured && (budget.orEqual ? v.value <= v.limit : v.value < v.limit);
            const std::vector<double> ratios = base == figures.end()
                                                   ? std::vector<double>{}
                                                   : Ratios(figure->second, base->second);
            if (v.measured && !ratios.empty()) {
                v.paired = true;
                v.ratio = Median(ratios);
                std::tie(v.ratioLow, v.ratioHigh) = MedianInterval(ratios);
                v.held = budget.orEqual ? v.ratioLow <= budget.share : v.ratioLow < budget.share;
            }
        }
        verdicts.push_back(v);
    }
    return verdicts;
}

QString Readable(double value, Unit unit) {
    switch (unit) {
        case Unit::Nanoseconds:
            if (value < 1e3) return QString::number(value, 'f', 0) + QStringLiteral(" ns");
            if (value < 1e6) return QString::number(value / 1e3, 'f', 1) + QStringLiteral(" µs");
            return QString::number(value / 1e6, 'f', 2) + QStringLiteral(" ms");
        case Unit::Milliseconds:
            return QString::number(value, 'f', 0) + QStringLiteral(" ms");
        case Unit::KiB:
            return QString::number(value / 1024, 'f', 1) + QStringLiteral(" MiB");
        case Unit::CoreShare:
            return QString::number(value * 100, 'f', 2) + QStringLiteral(" %");
    }
    return {};
}

QString Readable(const Figure& figure) {
    QString text = Readable(figure.value, figure.unit);
    if (figure.runs.size() < 3) return text;
    std::vector<double> runs = figure.runs;
    std::sort(runs.begin(), runs.end());
    const size_t n = runs.size();
    return text +
           QStringLiteral(" (%1–%2)")
               .arg(Readable(runs[n / 4], figure.unit), Readable(runs[(3 * n) / 4], figure.unit));
}

QString VerdictTable(const std::vector<Verdict>& verdicts, const Figures& figures) {
    QString table = QStringLiteral(
        "| Budget | Measured | Against its base, paired runs | Limit | Held |\n"
        "|---|---:|---:|---|---|\n");
    for (const Verdict& v : verdicts) {
        const auto figure = figures.find(v.budget.figure);
        const Unit unit = figure != figures.end() ? figure->second.unit : Unit::Nanoseconds;
        const QString measured = v.measured ? Readable(figure->second) : QStringLiteral("–");
        QString limit = (v.budget.orEqual ? QStringLiteral("≤ ") : QStringLiteral("< ")) +
                        Ratio(v.budget.share) + QLatin1Char(' ') + v.budget.baseText;
        if (v.measured) limit += QStringLiteral(" = ") + Readable(v.limit, unit);
        // Paired runs: the median ratio and its interval, and whether the limit fell inside it.
        QString ratio = QStringLiteral("–");
        if (v.paired)
            ratio = QStringLiteral("%1 (%2–%3)")
                        .arg(v.ratio, 0, 'f', 3)
                        .arg(v.ratioLow, 0, 'f', 3)
                        .arg(v.ratioHigh, 0, 'f', 3);
        const bool withinSpread = v.paired && v.held && v.ratioHigh > v.budget.share;
        table += QStringLiteral("| %1 | %2 | %3 | %4 | %5 |\n")
                     .arg(v.budget.what, measured, ratio, limit,
                          withinSpread ? QStringLiteral("yes, within the runs' spread")
                          : v.held     ? QStringLiteral("yes")
                          : v.measured ? QStringLiteral("**NO**")
                                       : QStringLiteral("**not measured**"));
    }
    return table;
}
