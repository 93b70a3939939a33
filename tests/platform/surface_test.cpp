// The picture surface: where the pen ends after each operation, inclusive corners,
// relative points, and pixels that stay until drawn over.
#include <QtTest>

#include "platform/surface.h"

namespace {

constexpr Colour Grey = RGB(192, 192, 192);
constexpr Colour Red = RGB(255, 0, 0);
constexpr Colour Blue = RGB(0, 0, 255);

Surface MakeSurface() {
    return Surface(40, 30, Grey, QFont(), RGB(0, 0, 0));
}

}  // namespace

class SurfaceTest : public QObject {
    Q_OBJECT
  private slots:
    void penFollowsEveryOperation() {
        Surface s = MakeSurface();
        s.PSet({5, 6}, Red);
        QCOMPARE(s.pen(), QPointF(5, 6));
        s.PSet({2, -1}, Red, true);
        QCOMPARE(s.pen(), QPointF(7, 5));
        s.LineFromPen({3, 4}, Red, true);
        QCOMPARE(s.pen(), QPointF(10, 9));
        s.LineFromPen({1, 1}, Red);
        QCOMPARE(s.pen(), QPointF(1, 1));
        s.Line({20, 20}, {25, 22}, Red);
        QCOMPARE(s.pen(), QPointF(25, 22));
        s.Box({3, 3}, {8, 9}, Red);
        QCOMPARE(s.pen(), QPointF(8, 9));
        s.FilledBox({12, 4}, {10, 2}, Red);
        QCOMPARE(s.pen(), QPointF(10, 2));
    }

    void relativePointsAddUpFromThePen() {
        Surface s = MakeSurface();
        s.PSet({10, 10}, Grey);
        s.PSet({3, 0}, Red, true);           // (13,10)
        s.LineFromPen({0, -4}, Blue, true);  // to (13,6)
        QCOMPARE(s.pixel(13, 10), Blue);     // the line starts on the marked point
        QCOMPARE(s.pixel(13, 6), Blue);
        QCOMPARE(s.pixel(13, 8), Blue);
        QCOMPARE(s.pixel(10, 10), Grey);  // the moving point was set in the background colour
    }

    void filledBoxIncludesBothCornersInAnyOrder_data() {
        QTest::addColumn<QPointF>("a");
        QTest::addColumn<QPointF>("b");
        QTest::newRow("top-left first") << QPointF(5, 4) << QPointF(9, 8);
        QTest::newRow("bottom-right first") << QPointF(9, 8) << QPointF(5, 4);
        QTest::newRow("mixed corners") << QPointF(9, 4) << QPointF(5, 8);
    }
    void filledBoxIncludesBothCornersInAnyOrder() {
        QFETCH(QPointF, a);
        QFETCH(QPointF, b);
        Surface s = MakeSurface();
        s.FilledBox(a, b, Red);
        for (int y = 3; y <= 9; ++y)
            for (int x = 4; x <= 10; ++x) {
                const bool inside = x >= 5 && x <= 9 && y >= 4 && y <= 8;
                QCOMPARE(s.pixel(x, y), inside ? Red : Grey);
            }
    }

    void boxOutlineStaysOnItsCorners() {
        Surface s = MakeSurface();
        s.Box({2, 3}, {6, 7}, Red);
        QCOMPARE(s.pixel(2, 3), Red);
        QCOMPARE(s.pixel(6, 7), Red);
        QCOMPARE(s.pixel(6, 3), Red);
        QCOMPARE(s.pixel(2, 7), Red);
        QCOMPARE(s.pixel(4, 5), Grey);  // hollow
        QCOMPARE(s.pixel(7, 7), Grey);  // not one pixel too wide
        QCOMPARE(s.pixel(6, 8), Grey);  // nor too high
    }

    void circleIsFilledOnlyWithASolidFill() {
        Surface s = MakeSurface();
        s.Circle({15, 15}, 5, Blue);
        QCOMPARE(s.pixel(15, 10), Blue);
        QCOMPARE(s.pixel(15, 15), Grey);
        s.setSolidFill(Red);
        s.Circle({15, 15}, 5, Blue);
        QCOMPARE(s.pixel(15, 15), Red);
        QCOMPARE(s.pixel(20, 15), Blue);
    }

    void printMovesToTheStartOfTheNextLine() {
        Surface s = MakeSurface();
        s.PSet({7, 2}, Grey);
        s.Print(QStringLiteral("A"));
        QCOMPARE(s.pen().x(), 0.0);
        QVERIFY(s.pen().y() > 2);
        const qreal first = s.pen().y();
        s.Print(QString());
        QCOMPARE(s.pen().y() - first, first - 2);
    }

    void offSurfacePointsAreIgnored() {
        Surface s = MakeSurface();
        s.PSet({-5, 100000}, Red);
        s.Line({-1e6, -1e6}, {1e6, 1e6}, Red);
        QCOMPARE(s.pen(), QPointF(1e6, 1e6));
    }

    void logRecordsOperationsAsCalled() {
        Surface s = MakeSurface();
        std::vector<SurfaceOp> log;
        s.log = &log;
        s.PSet({1, 2}, Red, true);
        s.LineFromPen({3, 4}, Blue, true);
        QCOMPARE(log.size(), size_t(2));
        QCOMPARE(log[0].kind, SurfaceOp::PSet);
        QVERIFY(log[0].relative);
        QCOMPARE(log[1].kind, SurfaceOp::Line);
        QVERIFY(log[1].fromPen);
        QCOMPARE(log[1].b, QPointF(3, 4));
        QCOMPARE(log[1].colour, Blue);
    }
};

QTEST_MAIN(SurfaceTest)
#include "surface_test.moc"
