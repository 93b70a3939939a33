// The factor the customization file asks the main window to start at, held to the range of
// the zoom's steps.
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
};

QTEST_GUILESS_MAIN(ZoomStepsTest)
#include "zoom_steps_test.moc"
