// The main window as the routines beneath it see it, through the read-out: the temperature in
// Text1, the seconds in Label3, and the message panel Text2 in the explanation button's place,
// in the message's colours.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "support/headless.h"

class ReadoutTest : public QObject {
    Q_OBJECT
  private slots:
    void theReadingsGoToTheirControls() {
        Headless h;
        Vexo::Readout->showTemperature(QStringLiteral("  23"));
        Vexo::Readout->showSeconds(QStringLiteral("   12秒"));
        QCOMPARE(h.window->Text1->text(), QStringLiteral("  23"));
        QCOMPARE(h.window->Label3->text(), QStringLiteral("   12秒"));
    }

    void theMessageTakesTheExplanationButtonsPlace_data() {
        QTest::addColumn<int>("back");
        QTest::addColumn<int>("fore");
        QTest::newRow("white on red") << int(RGB(255, 0, 0)) << int(RGB(255, 255, 255));
        QTest::newRow("black on yellow") << int(RGB(255, 255, 0)) << int(RGB(0, 0, 0));
    }
    void theMessageTakesTheExplanationButtonsPlace() {
        QFETCH(int, back);
        QFETCH(int, fore);
        Headless h;
        Zanpo& w = *h.window;
        Vexo::Readout->showMessage(QStringLiteral("あつい"), Colour(back), Colour(fore));
        QVERIFY(w.Text2->isVisibleTo(&w) && !w.Setumei->isVisibleTo(&w));
        QCOMPARE(w.Text2->toPlainText(), QStringLiteral("あつい"));
        QCOMPARE(w.Text2->palette().color(QPalette::Base), ToQColor(Colour(back)));
        QCOMPARE(w.Text2->palette().color(QPalette::Text), ToQColor(Colour(fore)));
        Vexo::Readout->hideMessage();
        QVERIFY(!w.Text2->isVisibleTo(&w) && w.Setumei->isVisibleTo(&w));
    }
};

QTEST_MAIN(ReadoutTest)
#include "readout_test.moc"
