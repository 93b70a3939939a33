// The settings dialog: filling, the entry boxes, apply with its limits, swap and minimum
// span, the sensor table, cancel, and the main window around it.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "core/reading.h"
#include "support/headless.h"
#include "ui/commands.h"
#include "ui/fsettei.h"

namespace {

// The state after start-up with a fixed range, and the dialog open on it.
Fsettei& Open(Headless& h, double max = 100, double min = -10) {
    Vexo::ScaleMax = max;
    Vexo::ScaleMin = min;
    Vexo::ZidouMode = Vexo::False;
    Vexo::KionMode = Vexo::True;
    h.window->Start->setText(QStringLiteral("スタート"));
    h.window->show();
    Vexo::Settei_Click();
    return *Vexo::SettingsDialog;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
  private slots:
    void openingFillsFromTheSettings_data() {
        QTest::addColumn<double>("zidou");
        QTest::addColumn<double>("kion");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("air");
        QTest::newRow("automatic, air") << -1.0 << -1.0 << true << true;
        QTest::newRow("fixed, liquid") << 0.0 << 0.0 << false << false;
        QTest::newRow("flag 1 is false") << 1.0 << 1.0 << false << false;
    }
    void openingFillsFromTheSettings() {
        QFETCH(double, zidou);
        QFETCH(double, kion);
        QFETCH(bool, ticked);
        QFETCH(bool, air);
        Headless h;
        Vexo::ScaleMax = 12.5;
        Vexo::ScaleMin = -10;
        Vexo::ZidouMode = zidou;
        Vexo::KionMode = kion;
        Vexo::Settei_Click();
        Fsettei& d = *Vexo::SettingsDialog;
        QCOMPARE(d.Text1->text(), QStringLiteral("12.5"));
        QCOMPARE(d.Text2->text(), QStringLiteral("-10"));
        QCOMPARE(d.Check1->isChecked(), ticked);
        QCOMPARE(d.Option3[0]->isChecked(), air);
        QCOMPARE(d.Option3[1]->isChecked(), !air);
    }

    void applyReadsTheFixedRange_data() {
        QTest::addColumn<double>("max0");
        QTest::addColumn<double>("min0");
        QTest::addColumn<QString>("text1");  // null: left as the opening filled it
        QTest::addColumn<QString>("text2");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("min");
        auto row = [](const char* name, double max0, double min0, const char* text1,
                      const char* text2, double max, double min) {
            QTest::newRow(name) << max0 << min0 << QString(text1) << QString(text2) << max << min;
        };
        row("unchanged", 100, -10, nullptr, nullptr, 100, -10);
        row("120 comes back as 100", 120, -10, nullptr, nullptr, 100, -10);
        row("-35 comes back as -30", 50, -35, nullptr, nullptr, 50, -30);
        row("150 is taken as 100", 100, -10, "150", "-10", 100, -10);
        row("-50 is taken as -30", 100, -10, "100", "-50", 100, -30);
        row("widest range", 100, -10, "-40", "120", 120, -40);
        row("widest the other way", 100, -10, "120", "-40", 100, -30);
        row("span 5 widened upward", 100, -10, "20", "15", 25, 15);
        row("half goes to even", 100, -10, "30", "12.5", 30, 12);
        row("13.5 goes to 14", 100, -10, "30", "13.5", 30, 14);
        row("letters read 0", 100, -10, "abc", "xyz", 10, 0);
        row("number then letters", 100, -10, "  35度", "5abc", 35, 5);
        row("beyond double range", 100, -10, "1e999", "-1e999", 100, -30);
        row("empty boxes keep the range", 40, 0, "", "", 40, 0);
    }
    void applyReadsTheFixedRange() {
        QFETCH(double, max0);
        QFETCH(double, min0);
        QFETCH(QString, text1);
        QFETCH(QString, text2);
        QFETCH(double, max);
        QFETCH(double, min);
        Headless h;
        Fsettei& d = Open(h, max0, min0);
        if (!text1.isNull()) d.Text1->setText(text1);
        if (!text2.isNull()) d.Text2->setText(text2);
        Vexo::Owaru_Click();
        QCOMPARE(Vexo::ScaleMax, max);
        QCOMPARE(Vexo::ScaleMin, min);
        QCOMPARE(Vexo::ZidouMode, 0.0);
        QCOMPARE(Vexo::DrawnScaleMax, max);
        QCOMPARE(Vexo::DrawnScaleMin, float(min));
    }

    void automaticRangeIgnoresTheBoxes() {
        Headless h;
        Fsettei& d = Open(h, 100, -10);
        Vexo::ConvTable[0] = 23;  // the reading: 23 degrees, nothing recorded
        Vexo::RestateReading();
        d.Text1->setText(QStringLiteral("5"));
        d.Text2->setText(QStringLiteral("3"));
        d.Check1->setChecked(true);
        Vexo::Owaru_Click();
        QCOMPARE(Vexo::ZidouMode, -1.0);
        QCOMPARE(Vexo::ScaleMax, 30.0);
        QCOMPARE(Vexo::ScaleMin, 20.0);
    }

    void sensorChoiceCopiesItsTableAtEveryApply() {
        Headless h;
        for (int i = 0; i <= Vexo::LastRaw; ++i) {
            Vexo::KionTable[i] = static_cast<int16_t>(i - 40);
            Vexo::EkionTable[i] = static_cast<int16_t>(i - 20);
        }
        Fsettei& d = Open(h);
        d.Option3[1]->setChecked(true);
        Vexo::Owaru_Click();
        QCOMPARE(Vexo::KionMode, 0.0);
        QCOMPARE(h.window->Label2->text(), QStringLiteral("えきおんセンサー"));
        QVERIFY(Vexo::ConvTable == Vexo::EkionTable);

        Vexo::Settei_Click();
        QVERIFY(d.Option3[1]->isChecked());
        d.Option3[0]->setChecked(true);
        Vexo::Owaru_Click();
        QCOMPARE(Vexo::KionMode, -1.0);
        QCOMPARE(h.window->Label2->text(), QStringLiteral("きおんセンサー"));
        QVERIFY(Vexo::ConvTable == Vexo::KionTable);

        // The same sensor again still copies the table.
        Vexo::ConvTable[7] = 999;
        Vexo::Settei_Click();
        Vexo::Owaru_Click();
        QVERIFY(Vexo::ConvTable == Vexo::KionTable);
    }

    void everyWayOfClosingBringsTheMainWindowBack_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("apply") << "apply";
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("close button") << "close";
    }
    void everyWayOfClosingBringsTheMainWindowBack() {
        QFETCH(QString, how);
        Headless h;
        Zanpo& w = *h.window;
        w.move(100, 80);
        Fsettei& d = Open(h);
        QVERIFY(!w.isVisible() && d.isVisible() && !w.Timer1->running());
        const QPoint offset = d.geometry().center() - w.geometry().center();
        QVERIFY(std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1);  // opened centred
        if (how == "apply") Vexo::Owaru_Click();
        if (how == "cancel") Vexo::FCancel_Click();
        if (how == "close") QVERIFY(!d.close());
        QVERIFY(w.isVisible() && !d.isVisible());
        QVERIFY(w.Timer1->running());
        QCOMPARE(w.Timer1->interval(), 200);
        // Closed before the box has answered: the graph has its scale, and the black of the
        // blanked graph is gone round the square too.
        QCOMPARE(Vexo::PixelsPerDegree, 3.0F);
        for (const QPoint p : {QPoint(0, 0), QPoint(399, 200), QPoint(200, 399)})
            QCOMPARE(Vexo::Picture2->pixel(p.x(), p.y()), RGB(192, 192, 192));
    }

    void cancelKeepsTheSettingsAndResetsTheChoices() {
        Headless h;
        Fsettei& d = Open(h, 40, 0);
        for (int i = 0; i <= Vexo::LastRaw; ++i) Vexo::ConvTable[i] = 5;
        d.Text1->setText(QStringLiteral("80"));
        d.Check1->setChecked(true);
        d.Option3[1]->setChecked(true);
        Vexo::FCancel_Click();
        QCOMPARE(Vexo::ScaleMax, 40.0);
        QCOMPARE(Vexo::ScaleMin, 0.0);
        QCOMPARE(Vexo::ZidouMode, 0.0);
        QCOMPARE(Vexo::KionMode, -1.0);
        QCOMPARE(Vexo::ConvTable[100], int16_t(5));
        QVERIFY(!d.Check1->isChecked());
        QVERIFY(d.Option3[0]->isChecked());
        QCOMPARE(d.Text1->text(), QStringLiteral("80"));  // left as edited
    }

    void focusOutRestoresAnEmptyBoxOrSwitchesToFixed() {
        Headless h;
        Fsettei& d = Open(h);
        d.Check1->setChecked(true);
        d.Text1->clear();
        Vexo::Text1_LostFocus();
        QCOMPARE(d.Text1->text(), QStringLiteral("100"));
        QVERIFY(d.Check1->isChecked());
        d.Text2->setText(QStringLiteral("x"));
        Vexo::Text2_LostFocus();
        QCOMPARE(d.Text2->text(), QStringLiteral("x"));
        QVERIFY(!d.Check1->isChecked());
    }

    void typingAndEnterThroughTheRealBoxes() {
        Headless h;
        Fsettei& d = Open(h);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.Owaru));
        d.Check1->setChecked(true);
        QTest::keyClick(&d, Qt::Key_Tab);  // Check1
        QTest::keyClick(&d, Qt::Key_Tab);  // Text1: cleared on entry
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.Text1));
        QCOMPARE(d.Text1->text(), QString());
        QTest::keyClicks(d.Text1, QStringLiteral("35"));
        QTest::keyClick(d.Text1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.Text2));
        QCOMPARE(d.Text1->text(), QStringLiteral("35"));
        QCOMPARE(d.Text2->text(), QString());
        QVERIFY(!d.Check1->isChecked());
        QTest::keyClick(d.Text2, Qt::Key_Return);  // left empty: the setting comes back
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.Owaru));
        QCOMPARE(d.Text2->text(), QStringLiteral("-10"));
        QTest::keyClick(d.Owaru, Qt::Key_Return);  // Enter on the button applies
        QCOMPARE(Vexo::ScaleMax, 35.0);
        QCOMPARE(Vexo::ScaleMin, -10.0);
        QVERIFY(h.window->isVisible());
    }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
