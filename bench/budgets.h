// The performance budgets and the table that reports them. Every budget is a ratio: a
// figure against a fixed period (a tick's cost against its timer's interval) or against
// the same figure of the floor program measured on the same machine, so that it holds on a
// slow or busy machine as well as on a fast one.
#pragma once

#include <QString>
#include <map>
#include <vector>

enum class Unit { Nanoseconds, Milliseconds, KiB, CoreShare };

struct Figure {
    double value = 0;  // the median of the runs where there are several
    Unit unit = Unit::Nanoseconds;
    // Each run's value, in the order measured. A figure and its base measured in alternation
    // pair their runs by index, so that the machine's moods fall on both alike.
    std::vector<double> runs;
};
// A figure of several runs: their median.
Figure FromRuns(const std::vector<double>& runs, Unit unit);
// Figures by key: benchmark names ("BM_PollTick") and whole-program keys ("startup", ...).
using Figures = std::map<QString, Figure>;

struct Budget {
    QString what;          // "poll tick", for the table
    QString figure;        // key of the figure held to the budget
    QString base;          // key of the figure it is compared with; empty: `fixedBase`
    double fixedBase = 0;  // the base in the figure's unit when there is no `base`
    QString baseText;      // how the base reads in the table: "200 ms", "floor"
    double share = 0;      // the most the figure may be, as a share of the base
    bool orEqual = false;  // "at most" instead of "under"
};

struct Verdict {
    Budget budget;
    bool measured = false;  // both the figure and its base were measured
    double value = 0;
    double limit = 0;
    bool held = false;
    // Against a base measured run by run beside it: the runs' ratios to the base, their median
    // and the 95 % confidence interval of that median. The budget is missed only when the
    // whole interval stands above its share: the spread of the runs alone is no miss.
    bool paired = false;
    double ratio = 0, ratioLow = 0, ratioHigh = 0;
};

// The times of Google Benchmark's JSON output, in nanoseconds of CPU by benchmark name: the
// median where repetitions were aggregated, the single run otherwise.
Figures BenchmarkFigures(const QByteArray& json);

// Kelvira's budgets.
std::vector<Budget> KelviraBudgets();
// Each budget against the figures; a budget whose figures are missing is not held.
std::vector<Verdict> Judge(const std::vector<Budget>& budgets, const Figures& figures);
// A value in its unit for people: "12.3 µs", "181 ms", "41.2 MiB", "0.31 %".
QString Readable(double value, Unit unit);
// The median of `values`; -1 when there are none.
double Median(std::vector<double> values);
// The values at the ranks that bound a 95 % confidence interval of the median of `values`
// (distribution-free, from the binomial distribution of the ranks).
std::pair<double, double> MedianInterval(std::vector<double> values);
// A figure for people, with the spread of its runs when it has several: "34 ms (31–36 ms)",
// the median and the quartiles.
QString Readable(const Figure& figure);
// A Markdown table of the verdicts.
QString VerdictTable(const std::vector<Verdict>& verdicts, const Figures& figures);
