// Stroke numbers and unit marks: where the pen ends, the exact steps of the irregular
// glyphs, that every glyph stays in its cell, and the mark kinds that draw nothing.
#include <QtTest>

#include "display/glyphs.h"
#include "drawing_log.h"
#include "support/display_stage.h"

using namespace Vexo;

namespace {

constexpr Colour Move = RGB(0, 128, 128);
constexpr Colour Ink = RGB(255, 255, 255);
constexpr Colour GraphMove = RGB(192, 192, 192);

// Outline of what a glyph draws (stroke ends and marked dots), from the pen at its start.
QRect InkedArea(const Glyph& glyph) {
    int x = 0, y = 0;
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    auto include = [&](int px, int py) {
        left = std::min(left, px);
        right = std::max(right, px);
        top = std::min(top, py);
        bottom = std::max(bottom, py);
    };
    for (const GlyphStep& step : glyph) {
        if (step.kind == GlyphStep::Stroke) include(x, y);
        x += step.dx;
        y += step.dy;
        if (step.kind != GlyphStep::Move) include(x, y);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

class GlyphsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        KelviraBack = Move;
        GrphBack = GraphMove;
    }

    void signPosition_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("5") << 5 << " 5";
        QTest::newRow("0") << 0 << " 0";
        QTest::newRow("-10") << -10 << "-10";
        QTest::newRow("100") << 100 << " 100";
        QTest::newRow("lowest") << -32768 << "-32768";
    }
    void signPosition() {
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(SignedText(value), text);
    }

    // The same strokes on both pictures, the pen moved on by the sum of the advances.
    void penAdvance_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("advance");
        QTest::newRow("0") << 0 << 18;
        QTest::newRow("-5") << -5 << 21;
        QTest::newRow("100") << 100 << 39;
        QTest::newRow("-10") << -10 << 31;
        QTest::newRow("789") << 789 << 38;
        QTest::newRow("23456") << 23456 << 58;
    }
    void penAdvance() {
        QFETCH(int, value);
        QFETCH(int, advance);
        DisplayStage h;
        init();
        std::vector<SurfaceOp> gauge, graph;
        Picture1->log = &gauge;
        Picture2->log = &graph;
        Picture1->PSet(QPointF(52, 100), Move);
        Picture2->PSet(QPointF(3.5, 200), GraphMove);
        DrawGaugeNumber(static_cast<int16_t>(value), Ink);
        DrawGraphNumber(static_cast<int16_t>(value), Ink);
        QCOMPARE(Picture1->pen(), QPointF(52 + advance, 100));
        QCOMPARE(Picture2->pen(), QPointF(3.5 + advance, 200));

        const auto onGauge = DecodeTexts(gauge, Move);
        const auto onGraph = DecodeTexts(graph, GraphMove);
        QCOMPARE(onGauge.size(), size_t(1));
        QCOMPARE(onGauge[0].text, SignedText(value));
        QCOMPARE(onGauge[0].colour, Ink);
        QCOMPARE(onGraph.size(), size_t(1));
        QCOMPARE(onGraph[0].text, SignedText(value));
        // Only the colour of the move dots differs between the two pictures.
        QCOMPARE(StepsText({gauge.begin() + 1, gauge.end()}, Move, Ink),
                 StepsText({graph.begin() + 1, graph.end()}, GraphMove, Ink));
    }

    void zeroStartsSixRightOfThePen() {
        DisplayStage h;
        init();
        Picture2->PSet(QPointF(100, 100), GraphMove);
        DrawGraphNumber(0, Ink);
        // The zero's first stroke rises from x 109; nothing is inked left of it.
        QCOMPARE(Picture2->pixel(109, 98), Ink);
        QCOMPARE(CountColour(*Picture2, QRect(95, 90, 14, 20), Ink), 0);
        QCOMPARE(Picture2->pixel(106, 100), GraphMove);
    }

    void exactSteps_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("steps");
        QTest::newRow("4, its tenth stroke reversed")
            << 4
            << "m6,0 m1,5 s9,0 m-9,0 s1,-1 s0,-1 s1,-1 s0,-1 s1,-1 s0,-1 s1,-1 s0,-1 s1,-1 "
               "s0,1 s1,-1 s0,-1 s1,-1 s0,15 m2,-9";
        QTest::newRow("9, ending on a marked move")
            << 9
            << "m6,0 m3,0 s0,-4 s2,-2 s4,0 s2,2 s0,4 s-2,2 s-4,0 s-2,-2 p8,1 p0,0 s0,6 s-2,2 "
               "s-4,0 s-2,-2 p8,-7";
        QTest::newRow("-1") << -1
                            << "p2,0 s6,0 s0,-1 s-6,0 m8,1 m3,-4 s2,-2 s0,15 s-2,0 s4,0 m2,-9";
    }
    void exactSteps() {
        QFETCH(int, value);
        QFETCH(QString, steps);
        DisplayStage h;
        init();
        std::vector<SurfaceOp> log;
        Picture1->log = &log;
        DrawGaugeNumber(static_cast<int16_t>(value), Ink);
        QCOMPARE(StepsText(log, Move, Ink), steps);
    }

    void marks_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("steps");
        QTest::newRow("C") << "C"
                           << "m8,0 s0,-4 s2,-2 s4,0 s2,2 s0,2 m0,7 s0,2 s-2,2 s-4,0 s-2,-2 "
                              "s0,-7 m2,0 s0,-4 s2,-2 s3,0 s2,2 s0,2 m0,7 s0,2 s-2,2 s-3,0 "
                              "s-2,-2 s0,-7 p-7,-7 s1,-1 s1,0 s1,1 s0,1 s-1,1 s-1,0 s-1,-1 "
                              "s0,-1 m11,8";
        QTest::newRow("S") << "S"
                           << "m9,-8 s-5,5 p0,3 s6,0 p-3,0 s0,-5 s0,14 p0,-9 s-2,2 s0,4 "
                              "s-2,2 p4,-8 s3,3 p2,-3 s1,-1 s0,-3 p3,-4 s0,11 p3,-6 s0,1 "
                              "s1,2 p0,2 s0,2 s-3,3 s-1,0 s-1,1 s-1,0 m8,-9";
    }
    void marks() {
        QFETCH(QString, kind);
        QFETCH(QString, steps);
        DisplayStage h;
        init();
        std::vector<SurfaceOp> gauge, graph;
        Picture1->log = &gauge;
        Picture2->log = &graph;
        Picture1->setPen(QPointF(5, 80));
        Picture2->setPen(QPointF(300, 380));
        DrawMark(kind, Ink);
        const bool celsius = kind == "C";
        // Each mark goes on its own picture only, with that picture's move colour.
        QCOMPARE(StepsText(celsius ? gauge : graph, celsius ? Move : GraphMove, Ink), steps);
        QVERIFY((celsius ? graph : gauge).empty());
        QCOMPARE(celsius ? Picture1->pen() : Picture2->pen(),
                 celsius ? QPointF(19, 81) : QPointF(322, 379));
    }

    void wrongMarkKindDrawsNothing_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"c", "s", "CS", "", " C", "S ", "℃", "秒"})
            QTest::newRow(kind[0] ? kind : "empty") << QString::fromUtf8(kind);
    }
    void wrongMarkKindDrawsNothing() {
        QFETCH(QString, kind);
        DisplayStage h;
        std::vector<SurfaceOp> gauge, graph;
        Picture1->log = &gauge;
        Picture2->log = &graph;
        Picture1->setPen(QPointF(5, 80));
        Picture2->setPen(QPointF(300, 380));
        DrawMark(kind, Ink);
        QVERIFY(gauge.empty());
        QVERIFY(graph.empty());
        QCOMPARE(Picture1->pen(), QPointF(5, 80));
        QCOMPARE(Picture2->pen(), QPointF(300, 380));
    }

    // Each glyph ends where its advance says and inks only inside its cell.
    void glyphCells_data() {
        QTest::addColumn<QChar>("character");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<QRect>("cell");
        const int advances[] = {12, 9, 10, 10, 10, 11, 11, 10, 11, 11};
        for (int d = 0; d < 10; ++d)
            QTest::newRow(QByteArray::number(d))
                << QChar('0' + d) << QPoint(advances[d], 0) << QRect(QPoint(1, -6), QPoint(11, 9));
        QTest::newRow("minus") << QChar('-') << QPoint(10, 0) << QRect(QPoint(2, -1), QPoint(8, 0));
        QTest::newRow("C") << QChar('C') << QPoint(14, 1) << QRect(QPoint(3, -8), QPoint(17, 9));
        QTest::newRow("S") << QChar('S') << QPoint(22, -1) << QRect(QPoint(3, -8), QPoint(20, 9));
    }
    void glyphCells() {
        QFETCH(QChar, character);
        QFETCH(QPoint, end);
        QFETCH(QRect, cell);
        const Glyph& glyph = character == 'C'   ? CelsiusMark()
                             : character == 'S' ? SecondsMark()
                                                : *NumberGlyph(character);
        QPoint sum;
        for (const GlyphStep& step : glyph) sum += QPoint(step.dx, step.dy);
        QCOMPARE(sum, end);
        QCOMPARE(QPoint(glyph.endX, glyph.endY), end);
        QVERIFY(cell.contains(InkedArea(glyph)));
        if (character.isDigit()) QCOMPARE(InkedArea(glyph).bottom(), 9);
    }
};

QTEST_MAIN(GlyphsTest)
#include "glyphs_test.moc"
