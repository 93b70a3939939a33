// The picture surface: where the pen ends after each operation, inclusive corners,
// relative points, and pixels that stay until drawn over.
#include <QtTest>
#include <functional>

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
    // The widget repaints only the area an operation reports: a pixel changed outside it
    // would stay stale on the screen.
    void reportedAreaCoversEveryChangedPixel_data() {
        using Op = std::function<void(Surface&)>;
        QTest::addColumn<Op>("op");
        QTest::newRow("point") << Op([](Surface& s) { s.PSet({5, 6}, Red); });
        QTest::newRow("line, rounded ends") << Op([](Surface& s) {
            s.Line({2.6, 3.4}, {30.5, 20.5}, Red);
        });
        QTest::newRow("steep line backwards") << Op([](Surface& s) {
            s.Line({30, 28}, {29, 1}, Red);
        });
        QTest::newRow("line from the pen, relative") << Op([](Surface& s) {
            s.setPen({10, 10});
            s.LineFromPen({-7, 12}, Red, true);
        });
        QTest::newRow("line leaving the surface") << Op([](Surface& s) {
            s.Line({-10, -5}, {50, 40}, Red);
        });
        QTest::newRow("box, reversed corners") << Op([](Surface& s) {
            s.Box({35, 25}, {3, 4}, Red);
        });
        QTest::newRow("filled box past the edge") << Op([](Surface& s) {
            s.FilledBox({30, 20}, {45, 35}, Red);
        });
        QTest::newRow("circle") << Op([](Surface& s) { s.Circle({20, 15}, 8, Red); });
        QTest::newRow("solid circle at the corner") << Op([](Surface& s) {
            s.setSolidFill(Blue);
            s.Circle({1, 1}, 7.4, Red);
        });
        QTest::newRow("text") << Op([](Surface& s) {
            s.setPen({3, 4});
            s.Print(QStringLiteral("Wg℃"));
        });
    }
    void reportedAreaCoversEveryChangedPixel() {
        QFETCH(std::function<void(Surface&)>, op);
        Surface s = MakeSurface();
        QRegion reported;
        s.changed = [&](const QRect& area) {
            reported += area.isNull() ? QRect(0, 0, 40, 30) : area;
        };
        const QImage before = s.image().copy();
        op(s);
        int changedPixels = 0;
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                if (s.image().pixel(x, y) == before.pixel(x, y)) continue;
                ++changedPixels;
                QVERIFY2(reported.contains(QPoint(x, y)),
                         qPrintable(QString("%1,%2").arg(x).arg(y)));
            }
        QVERIFY(changedPixels > 0);
        // And no more than the surface: the widget never repaints outside it.
        QVERIFY(QRegion(0, 0, 40, 30).united(reported) == QRegion(0, 0, 40, 30));
    }

    // At ratio 2 every pixel of the drawing is exactly a 2 x 2 block of the picture: a line
    // is two rows wide at twice its position, with no blurred or missing edge.
    void atRatioTwoEachPixelIsATwoByTwoBlock_data() {
        using Op = std::function<void(Surface&)>;
        QTest::addColumn<Op>("op");
        QTest::newRow("point") << Op([](Surface& s) { s.PSet({5, 6}, Red); });
        QTest::newRow("horizontal line") << Op([](Surface& s) { s.Line({30, 7}, {3, 7}, Red); });
        QTest::newRow("vertical line, relative") << Op([](Surface& s) {
            s.setPen({12, 25});
            s.LineFromPen({0, -20}, Red, true);
        });
        QTest::newRow("line of one point") << Op([](Surface& s) { s.Line({8, 8}, {8, 8}, Red); });
        QTest::newRow("box") << Op([](Surface& s) { s.Box({35, 25}, {3, 4}, Red); });
        QTest::newRow("filled box, rounded corners") << Op([](Surface& s) {
            s.FilledBox({9.6, 4.4}, {20.2, 12.5}, Red);
        });
    }
    void atRatioTwoEachPixelIsATwoByTwoBlock() {
        QFETCH(std::function<void(Surface&)>, op);
        Surface one = MakeSurface(), two = MakeSurface();
        two.setRatio(2);
        op(one);
        op(two);
        QCOMPARE(two.image().size(), QSize(80, 60));
        QImage enlarged = one.image().scaled(80, 60);
        enlarged.setDevicePixelRatio(2);
        QCOMPARE(two.image(), enlarged);
    }

    // At a ratio between whole numbers the blocks alternate in size; the lines of a grid do
    // not: each is as thick as every other.
    void atRatioOneAndAHalfEveryGridLineIsEquallyThick() {
        Surface s = MakeSurface();
        s.setRatio(1.5);
        for (int x = 1; x < 40; x += 3) s.Line({double(x), 2}, {double(x), 27}, Red);
        for (int y = 1; y < 30; y += 3) s.Line({0, double(y)}, {39, double(y)}, Blue);
        const QImage& image = s.image();
        const auto runs = [&image](QRgb colour, bool down) {
            QSet<int> widths;
            const int length = down ? image.height() : image.width();
            const int at = 5;  // a row (or column) of the picture between lines of the other kind
            int run = 0;
            for (int i = 0; i <= length; ++i) {
                const bool ink =
                    i < length && (down ? image.pixel(at, i) : image.pixel(i, at)) == colour;
                if (ink) ++run;
                if (!ink && run > 0) widths << std::exchange(run, 0);
            }
            return widths;
        };
        QCOMPARE(runs(ToQColor(Red).rgb(), false), QSet<int>{2});
        QCOMPARE(runs(ToQColor(Blue).rgb(), true), QSet<int>{2});
    }

    // Text is drawn by the font at twice its size, also when the ratio changes after it
    // was printed: the edges of the glyphs are not those of the small ones enlarged.
    void textAtRatioTwoIsDrawnByTheFont() {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPixelSize(16);
        Surface one(40, 30, Grey, font, RGB(0, 0, 0));
        one.PSet({2, 2}, Grey);
        one.Print(QStringLiteral("秒"));
        const QImage small = one.image().copy();
        one.setRatio(2);
        const QImage large = one.image(), enlarged = small.scaled(80, 60);
        int ink = 0, differing = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) {
                ink += large.pixel(x, y) != ToQColor(Grey).rgb();
                differing += large.pixel(x, y) != enlarged.pixel(x, y);
            }
        QVERIFY2(ink > 100, qPrintable(QString::number(ink)));
        QVERIFY2(differing > ink / 4, qPrintable(QString("%1 of %2").arg(differing).arg(ink)));
    }

    // Only what still shows is kept for painting again.
    void whatAFilledBoxCoversIsForgotten() {
        Surface s = MakeSurface();
        s.Print(QStringLiteral("log"));
        for (int i = 0; i < 100; ++i) s.Line({1, 1}, {20, 1.0 + i % 20}, Red);
        s.Box({0, 0}, {39, 29}, Blue);
        s.FilledBox({1, 1}, {38, 28}, Grey);
        s.Box({0, 0}, {39, 29}, Blue);
        QCOMPARE(s.keptPaintings(), size_t(3));  // the log line, reaching the edge; box; fill
        s.FilledBox({0, 0}, {39, 29}, Grey);
        QCOMPARE(s.keptPaintings(), size_t(1));
    }

    void pointsOffTheSurfaceRepaintNothing() {
        Surface s = MakeSurface();
        int calls = 0;
        s.changed = [&](const QRect&) { ++calls; };
        s.PSet({-1, 5}, Red);
        s.Line({-10, -10}, {-2, -3}, Red);
        s.FilledBox({50, 50}, {60, 60}, Red);
        QCOMPARE(calls, 0);
        QCOMPARE(s.pen(), QPointF(60, 60));
    }
};

QTEST_MAIN(SurfaceTest)
#include "surface_test.moc"
