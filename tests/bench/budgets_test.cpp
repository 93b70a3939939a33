// The budget verdicts, the reading of the benchmark suite's results, and that every budget
// names a figure the suite or the report actually produces.
#include <QProcess>
#include <QtTest>

#include "bench/budgets.h"

namespace {

Budget Fixed(double base, double share, bool orEqual) {
    return {"fixed", "f", {}, base, "base", share, orEqual};
}

Budget AgainstFloor(double share) {
    return {"floor", "f", "floor.f", 0, "the floor's", share, true};
}

}  // namespace

class BudgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void verdicts_data() {
        QTest::addColumn<Budget>("budget");
        QTest::addColumn<QList<double>>("values");  // figure, then the floor's when there is one
        QTest::addColumn<bool>("measured");
        QTest::addColumn<bool>("held");
        // 1/1000 of 200 ms is 200 µs: under means strictly under.
        QTest::newRow("under") << Fixed(200e6, 1e-3, false) << QList<double>{199e3} << true << true;
        QTest::newRow("at the limit, under asked")
            << Fixed(200e6, 1e-3, false) << QList<double>{200e3} << true << false;
        QTest::newRow("at the limit, at most asked")
            << Fixed(200e6, 1e-3, true) << QList<double>{200e3} << true << true;
        QTest::newRow("over") << Fixed(200e6, 1e-3, false) << QList<double>{201e3} << true << false;
        QTest::newRow("1.5 x the floor")
            << AgainstFloor(1.5) << QList<double>{150, 100} << true << true;
        QTest::newRow("above 1.5 x the floor")
            << AgainstFloor(1.5) << QList<double>{151, 100} << true << false;
        QTest::newRow("figure missing")
            << Fixed(1, 0.01, false) << QList<double>{} << false << false;
        QTest::newRow("floor missing") << AgainstFloor(1.5) << QList<double>{1} << false << false;
        QTest::newRow("floor of nothing")
            << AgainstFloor(1.5) << QList<double>{0, 0} << false << false;
        QTest::newRow("measurement failed")
            << Fixed(1, 0.01, false) << QList<double>{-1} << false << false;
        QTest::newRow("not a number")
            << Fixed(1, 0.01, false) << QList<double>{qQNaN()} << false << false;
    }
    void verdicts() {
        QFETCH(Budget, budget);
        QFETCH(QList<double>, values);
        QFETCH(bool, measured);
        QFETCH(bool, held);
        Figures figures;
        if (values.size() > 0) figures["f"] = {values[0], Unit::Nanoseconds};
        if (values.size() > 1) figures["floor.f"] = {values[1], Unit::Nanoseconds};
        const std::vector<Verdict> verdicts = Judge({budget}, figures);
        QCOMPARE(verdicts.size(), size_t{1});
        QCOMPARE(verdicts[0].measured, measured);
        QCOMPARE(verdicts[0].held, held);
        const QString row = VerdictTable(verdicts, figures).split('\n').value(2);
        QVERIFY2(row.endsWith(held       ? "| yes |"
                              : measured ? "| **NO** |"
                                         : "| **not measured** |"),
                 qPrintable(row));
    }

    // Runs measured in alternation with the floor's: judged by their ratios, so that the
    // spread of the runs is no miss, and a figure over in every run is.
    void pairedRuns_data() {
        QTest::addColumn<QList<double>>("ours");
        QTest::addColumn<QList<double>>("floor");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("said");
        const QList<double> floor{100, 100, 100, 100, 100};
        QTest::newRow("under in every run")
            << QList<double>{101, 103, 99, 104, 102} << floor << true << "| yes |";
        QTest::newRow("over in some runs: the spread")
            << QList<double>{105, 112, 98, 115, 101} << floor << true
            << "| yes, within the runs' spread |";
        QTest::newRow("over in every run") << QList<double>{120, 125, 118, 130, 122} << floor
                                           << false << "| **NO** |";
        // One slow run of the floor among nine does not hide a program over in the rest.
        QTest::newRow("a slow floor run does not hide a slow program")
            << QList<double>{112, 113, 114, 111, 115, 112, 113, 114, 112}
            << QList<double>{100, 100, 100, 130, 100, 100, 100, 100, 100} << false << "| **NO** |";
    }
    void pairedRuns() {
        QFETCH(QList<double>, ours);
        QFETCH(QList<double>, floor);
        QFETCH(bool, held);
        QFETCH(QString, said);
        Figures figures;
        figures["f"] = FromRuns({ours.begin(), ours.end()}, Unit::Milliseconds);
        figures["floor.f"] = FromRuns({floor.begin(), floor.end()}, Unit::Milliseconds);
        const std::vector<Verdict> verdicts = Judge({AgainstFloor(1.1)}, figures);
        QVERIFY(verdicts[0].paired);
        QCOMPARE(verdicts[0].held, held);
        const QString row = VerdictTable(verdicts, figures).split('\n').value(2);
        QVERIFY2(row.endsWith(said), qPrintable(row));
    }

    void theMedianHasItsInterval() {
        std::vector<double> values;
        for (int i = 21; i >= 1; --i) values.push_back(i);
        QCOMPARE(Median(values), 11.0);
        QCOMPARE(MedianInterval(values), std::make_pair(7.0, 15.0));
        QCOMPARE(MedianInterval({3, 1, 2}), std::make_pair(1.0, 3.0));
    }

    void benchmarkResults() {
        // Repetitions: the median counts, not the mean, not a single repetition; units vary.
        const QByteArray json = R"({"benchmarks": [
            {"name": "BM_A", "run_name": "BM_A", "run_type": "iteration", "cpu_time": 9,
             "time_unit": "us"},
            {"name": "BM_A_mean", "run_name": "BM_A", "run_type": "aggregate",
             "aggregate_name": "mean", "cpu_time": 7, "time_unit": "us"},
            {"name": "BM_A_median", "run_name": "BM_A", "run_type": "aggregate",
             "aggregate_name": "median", "cpu_time": 5, "time_unit": "us"},
            {"name": "BM_A_stddev", "run_name": "BM_A", "run_type": "aggregate",
             "aggregate_name": "stddev", "cpu_time": 1, "time_unit": "us"},
            {"name": "BM_A", "run_name": "BM_A", "run_type": "iteration", "cpu_time": 3,
             "time_unit": "us"},
            {"name": "BM_B/10000", "run_name": "BM_B/10000", "run_type": "iteration",
             "cpu_time": 1.5, "time_unit": "ms"},
            {"name": "BM_C", "run_type": "iteration", "cpu_time": 4, "time_unit": "fortnights"}
        ]})";
        const Figures figures = BenchmarkFigures(json);
        QCOMPARE(figures.size(), size_t{2});
        QCOMPARE(figures.at("BM_A").value, 5000.0);
        QCOMPARE(figures.at("BM_B/10000").value, 1.5e6);
        QVERIFY(BenchmarkFigures("not json").empty());
    }

    void everyBudgetHasItsFigure() {
        // The suite's benchmarks, and the keys the whole-program report fills in.
        QProcess suite;
        suite.start(qEnvironmentVariable("KELVIRA_BENCH_BIN"), {"--benchmark_list_tests=true"});
        QVERIFY(suite.waitForFinished(60000));
        QStringList produced = QString::fromUtf8(suite.readAllStandardOutput()).split('\n');
        produced << "startup"
                 << "startup.named"
                 << "floor.startup"
                 << "peak"
                 << "peak.named"
                 << "class.peak"
                 << "class.cpu"
                 << "floor.peak"
                 << "captions.startup"
                 << "captions.peak"
                 << "cpu.idle"
                 << "cpu.measuring"
                 << "page.first"
                 << "page.redraw"
                 << "page.tap"
                 << "page.heap"
                 << "page.latency.class"
                 << "page.latency.own";
        for (const Budget& budget : KelviraBudgets()) {
            QVERIFY2(produced.contains(budget.figure), qPrintable(budget.figure));
            if (!budget.base.isEmpty())
                QVERIFY2(produced.contains(budget.base), qPrintable(budget.base));
        }
    }
};

QTEST_GUILESS_MAIN(BudgetsTest)
#include "budgets_test.moc"
