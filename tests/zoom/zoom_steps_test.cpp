// The factors the main window is shown at: the steps of the keys, and the factor the
// customization file asks for, held to the steps' range.
#include <QtTest>

#include "zoom/zoom_steps.h"

class ZoomStepsTest : public QObject {
    Q_OBJECT
  private slots:
    void startFactorIsHeldToTheSteps_data() {
        QTest::addColumn<double>("asked");
        QTest::addColumn<double>("shown");
        QTest::newRow("a step") << 2.0 << 2.0;
        QTest::newRow("between steps") << 1.8 << 1.8;
        QTest::newRow("above the largest") << 5.0 << 3.0;
        QTest::newRow("below the smallest") << 0.5 << 1.0;
        QTest::newRow("none (a text)") << 0.0 << 1.0;
    }
    void startFactorIsHeldToTheSteps() {
        QFETCH(double, asked);
        QFETCH(double, shown);
        QCOMPARE(StartZoom(asked), shown);
    }

    void keysStepThroughTheSteps_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("up");
        QTest::addColumn<double>("down");
        QTest::newRow("1") << 1.0 << 1.5 << 1.0;
        QTest::newRow("between 1.5 and 2") << 1.8 << 2.0 << 1.5;
        QTest::newRow("3") << 3.0 << 3.0 << 2.5;
    }
    void keysStepThroughTheSteps() {
        QFETCH(double, factor);
        QFETCH(double, up);
        QFETCH(double, down);
        QCOMPARE(ZoomStepUp(factor), up);
        QCOMPARE(ZoomStepDown(factor), down);
    }
};

QTEST_GUILESS_MAIN(ZoomStepsTest)
#include "zoom_steps_test.moc"
