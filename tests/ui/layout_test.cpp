// The main window as designed: positions, captions, stacking, focus after start-up.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "platform/picture_box.h"
#include "support/headless.h"

class LayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void clientAreaIsFixed() {
        Headless h;
        QCOMPARE(h.window->size(), QSize(653, 411));
        QCOMPARE(h.window->minimumSize(), h.window->maximumSize());
        QCOMPARE(h.window->windowTitle(), QStringLiteral("けるびら"));
        QCOMPARE(h.window->windowIcon().availableSizes().value(0), QSize(32, 32));
    }

    void controlsStandWhereDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Text1") << "Text1" << QRect(8, 24, 73, 33) << "Text1";
        QTest::newRow("Setumei") << "Setumei" << QRect(16, 160, 88, 41) << "せつめい";
        QTest::newRow("Settei") << "Settei" << QRect(16, 208, 88, 35) << "せってい";
        QTest::newRow("DataReset") << "DataReset" << QRect(16, 256, 88, 38) << "リセット";
        QTest::newRow("Start") << "Start" << QRect(16, 304, 88, 39) << "スタート";
        QTest::newRow("Owari") << "Owari" << QRect(16, 352, 88, 41) << "おわり";
        QTest::newRow("Label3") << "Label3" << QRect(0, 56, 120, 34) << "";
        QTest::newRow("Label4") << "Label4" << QRect(80, 36, 40, 21) << " ℃";
        QTest::newRow("Label2") << "Label2" << QRect(0, 0, 120, 25) << "";
    }
    void controlsStandWhereDesigned() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        Headless h;
        Zanpo& w = *h.window;
        const std::map<QString, std::pair<QWidget*, QString>> controls = {
            {"Text1", {w.Text1, w.Text1->text()}},
            {"Setumei", {w.Setumei, w.Setumei->text()}},
            {"Settei", {w.Settei, w.Settei->text()}},
            {"DataReset", {w.DataReset, w.DataReset->text()}},
            {"Start", {w.Start, w.Start->text()}},
            {"Owari", {w.Owari, w.Owari->text()}},
            {"Label3", {w.Label3, w.Label3->text()}},
            {"Label4", {w.Label4, w.Label4->text()}},
            {"Label2", {w.Label2, w.Label2->text()}},
        };
        const auto& [widget, text] = controls.at(name);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(text, caption);
    }

    void picturesOverlapWithTheGraphOnTop() {
        Headless h;
        Zanpo& w = *h.window;
        // The graph's frame starts at x 224, inside the thermometer's last pixel column.
        QVERIFY(w.Picture2->geometry().left() - 2 == 224);
        QVERIFY(w.childAt(QPoint(224, 100)) != static_cast<QWidget*>(w.Picture1));
        QCOMPARE(w.Picture1Surface.width() >= 100 && w.Picture1Surface.height() >= 400, true);
        QCOMPARE(w.Picture2Surface.width() >= 400 && w.Picture2Surface.height() >= 400, true);
    }

    void explanationButtonLiesAboveTheAlertPanel() {
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        QCOMPARE(w.childAt(QPoint(60, 180)), static_cast<QWidget*>(w.Setumei));
        w.Setumei->hide();
        QCOMPARE(w.childAt(QPoint(60, 180)), w.Text2->viewport());
    }

    // Both sensor names show whole: at the end of each, the label itself is on top.
    void theSensorNameIsNotCovered() {
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        for (const QString& name :
             {QStringLiteral("きおんセンサー"), QStringLiteral("えきおんセンサー")}) {
            w.Label2->setText(name);
            const int end = w.Label2->fontMetrics().horizontalAdvance(name) - 1;
            QVERIFY2(end < w.Label2->width(), qPrintable(name));
            QCOMPARE(w.childAt(QPoint(end, 10)), static_cast<QWidget*>(w.Label2));
        }
    }

    void tabOrderFollowsTheDesign() {
        Headless h;
        Zanpo& w = *h.window;
        QCOMPARE(w.Owari->nextInFocusChain(), static_cast<QWidget*>(w.Setumei));
        QCOMPARE(w.Setumei->nextInFocusChain(), static_cast<QWidget*>(w.Settei));
        QCOMPARE(w.Settei->nextInFocusChain(), static_cast<QWidget*>(w.DataReset));
        QCOMPARE(w.DataReset->nextInFocusChain(), static_cast<QWidget*>(w.Start));
        QCOMPARE(w.Start->nextInFocusChain(), static_cast<QWidget*>(w.Text1));
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
