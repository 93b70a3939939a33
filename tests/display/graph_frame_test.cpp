// The empty live page: horizontal grid and temperature numbers for several ranges, the
// page's time grid, the seconds under it for a page start, and the seconds mark.
#include <QtTest>
#include <set>

#include "display/glyphs.h"
#include "display/graph.h"
#include "display/thermometer.h"
#include "support/display_stage.h"
#include "drawing_log.h"

using namespace Vexo;

namespace {

std::set<double> HorizontalLines(const std::vector<SurfaceOp>& ops) {
    std::set<double> heights;
    for (const SurfaceOp& line : AbsoluteLines(ops))
        if (line.a.x() == 50 && line.b.x() == 380 && line.a.y() == line.b.y())
            heights.insert(line.a.y());
    return heights;
}

std::vector<double> VerticalLines(const std::vector<SurfaceOp>& ops) {
    std::vector<double> xs;
    for (const SurfaceOp& line : AbsoluteLines(ops))
        if (line.a.y() == 20 && line.b.y() == 350 && line.a.x() == line.b.x())
            xs.push_back(line.a.x());
    return xs;
}

// Numbers drawn in the given colour, as (start, text) in drawing order.
std::vector<std::pair<QPointF, QString>> Numbers(const std::vector<SurfaceOp>& ops, Colour c) {
    std::vector<std::pair<QPointF, QString>> found;
    for (const DrawnText& t : DecodeTexts(ops, GrphBack))
        if (t.colour == c && t.text != "S") found.push_back({t.start, t.text});
    return found;
}

std::vector<SurfaceOp> FrameFor(double min, double max, float pageStart) {
    UseStartUpDefaults();
    GrphYokoMozi = RGB(128, 0, 0);  // told apart from the temperature numbers
    ScaleMin = min;
    ScaleMax = max;
    DrawThermometer();
    PageStartTick = pageStart;
    std::vector<SurfaceOp> log;
    Picture2->log = &log;
    DrawGraphFrame();
    Picture2->log = nullptr;
    return log;
}

}  // namespace

class GraphFrameTest : public QObject {
    Q_OBJECT
  private slots:
    void temperatureGrid_data() {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<int>("lineStep");    // degrees between lines
        QTest::addColumn<int>("numberStep");  // degrees between numbers
        QTest::newRow("-10..100") << -10.0 << 100.0 << 5 << 10;
        QTest::newRow("20..35") << 20.0 << 35.0 << 1 << 1;
        QTest::newRow("range 49") << 0.0 << 49.0 << 1 << 5;
        QTest::newRow("range 50") << 0.0 << 50.0 << 5 << 5;
        QTest::newRow("range 59") << 0.0 << 59.0 << 5 << 5;
        QTest::newRow("range 60") << 0.0 << 60.0 << 5 << 10;
        QTest::newRow("range 19") << 0.0 << 19.0 << 1 << 1;
        QTest::newRow("range 20") << 0.0 << 20.0 << 1 << 5;
        QTest::newRow("-5..65, counted from -5") << -5.0 << 65.0 << 5 << 10;
    }
    void temperatureGrid() {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(int, lineStep);
        QFETCH(int, numberStep);
        DisplayStage h;
        const auto log = FrameFor(min, max, 0);
        const float ppd = float(330 / (max - min));
        auto y = [&](int d) { return double(float(350 - (d - min) * ppd)); };
        std::set<double> lines;
        std::set<std::pair<double, QString>> numbers, drawn;
        for (int d = int(min); d <= max; ++d) {
            if ((d - int(min)) % lineStep == 0) lines.insert(y(d));
            if ((d - int(min)) % numberStep == 0) numbers.insert({y(d), SignedText(d)});
        }
        QCOMPARE(HorizontalLines(log), lines);
        for (const auto& [start, text] : Numbers(log, GrphTateMozi)) {
            QCOMPARE(start.x(), 3.0);
            drawn.insert({start.y(), text});
        }
        QCOMPARE(drawn, numbers);
        // The lowest line in the grid colour, the row under it untouched.
        QCOMPARE(Picture2->pixel(200, 350), GrphMemori);
        QCOMPARE(Picture2->pixel(200, 351), GrphBack);
        QCOMPARE(Picture2->pixel(49, 350), GrphBack);
    }

    void timeAxis_data() {
        QTest::addColumn<float>("pageStart");
        QTest::addColumn<QStringList>("seconds");
        QTest::newRow("first page")
            << 0.0F << QStringList{" 0", " 30", " 60", " 90", " 120", " 150"};
        QTest::newRow("second page")
            << 300.0F << QStringList{" 150", " 180", " 210", " 240", " 270", " 300"};
        // Odd page starts give halves, which go to the even neighbour.
        QTest::newRow("page at 1")
            << 1.0F << QStringList{" 0", " 30", " 60", " 90", " 120", " 150"};
        QTest::newRow("page at 3")
            << 3.0F << QStringList{" 2", " 32", " 62", " 92", " 122", " 152"};
    }
    void timeAxis() {
        QFETCH(float, pageStart);
        QFETCH(QStringList, seconds);
        DisplayStage h;
        const auto log = FrameFor(-10, 100, pageStart);

        const std::vector<double> xs = VerticalLines(log);
        QCOMPARE(xs.size(), size_t(16));
        for (int k = 0; k < 16; ++k) QCOMPARE(xs[k], 50.0 + 22 * k);

        const auto numbers = Numbers(log, GrphYokoMozi);
        QCOMPARE(numbers.size(), size_t(6));
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(numbers[k].second, seconds[k]);
            QCOMPARE(numbers[k].first, QPointF(29 + 66 * k, 360));
        }
    }

    void secondsMark() {
        DisplayStage h;
        const auto log = FrameFor(-10, 100, 0);
        const auto texts = DecodeTexts(log, GrphBack);
        QCOMPARE(texts.back().text, QStringLiteral("S"));
        QCOMPARE(texts.back().start, QPointF(300, 380));
        QCOMPARE(texts.back().colour, GrphYokoMozi);
        const QRect mark(QPoint(303, 372), QPoint(320, 389));
        QVERIFY(CountColour(*Picture2, mark, GrphYokoMozi) > 30);
        QCOMPARE(CountColour(*Picture2, mark.adjusted(-3, -2, 3, 6), GrphYokoMozi),
                 CountColour(*Picture2, mark, GrphYokoMozi));
    }

    // Nothing older survives a drawing of the graph, inside its square or round it: not the
    // settings' black blank, not digits of a long seconds number past the square's edge.
    void drawingTwiceGivesTheSamePicture_data() {
        QTest::addColumn<bool>("overview");
        QTest::newRow("live page") << false;
        QTest::newRow("overview") << true;
    }
    void drawingTwiceGivesTheSamePicture() {
        QFETCH(bool, overview);
        DisplayStage h;
        UseStartUpDefaults();
        DrawThermometer();
        const auto draw = overview ? DrawOverview : DrawGraphFrame;
        draw();
        const QImage first = Picture2->image().copy();
        Picture2->FilledBox(QPointF(0, 0), QPointF(399, 399), RGB(0, 0, 0));  // as a dialog leaves it
        Picture2->FilledBox(QPointF(390, 355), QPointF(Picture2->width() - 1, 372), RGB(255, 0, 0));
        draw();
        QCOMPARE(Picture2->image(), first);
    }

    void beforeTheFirstGaugeAllLinesLieOnTheBottom() {
        DisplayStage h;
        UseStartUpDefaults();
        std::vector<SurfaceOp> log;
        Picture2->log = &log;
        DrawGraphFrame();
        QCOMPARE(HorizontalLines(log), std::set<double>{350});
    }
};

QTEST_MAIN(GraphFrameTest)
#include "graph_frame_test.moc"
