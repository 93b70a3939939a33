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
    double value = 0;
    Unit unit = Unit::Nanoseconds;
};
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
// A Markdown table of the verdicts.
QString VerdictTable(const std::vector<Verdict>& verdicts, const Figures& figures);
