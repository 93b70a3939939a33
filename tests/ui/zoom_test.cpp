// The zoom of the main window: its keys and steps, every control and font at a factor, grid
// lines drawn sharp after a change, full screen, and the dialogs following the factor.
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

#include "display/drawing_log.h"
#include "display/graph.h"
#include "display/thermometer.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "support/headless.h"
#include "ui/commands.h"
#include "ui/fsettei.h"
#include "zoom/zoom.h"
#include "zoom/zoom_steps.h"

namespace {

struct Control {
    QWidget* widget;
    QRect rect;
    int pixels;  // font size
};

// The controls a window's design places, with their geometry and font now.
std::vector<Control> Controls(QWidget& window) {
    std::vector<Control> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        QWidget* parent = w->parentWidget();
        if (!parent->layout() && !qobject_cast<QAbstractScrollArea*>(parent))
            controls.push_back({w, w->geometry(), w->font().pixelSize()});
    }
    return controls;
}

QRect Twice(const QRect& r) {
    return QRect(r.topLeft() * 2, r.size() * 2);
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT
  private slots:
    void keysStepTheZoom() {
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // From a factor between two steps, up to the largest step that fits the screen of
        // 1920 x 1080 (3 times is 1959 x 1233), back to 1 and below it.
        QCOMPARE(w.screen()->availableGeometry().size(), QSize(1920, 1080));
        SetZoom(1.8);
        const std::vector<std::pair<QKeyCombination, double>> presses = {
            {Qt::CTRL | Qt::Key_Minus, 1.5}, {Qt::CTRL | Qt::Key_Equal, 2},
            {Qt::CTRL | Qt::Key_Plus, 2.5},  {Qt::CTRL | Qt::Key_Plus, 2.5},
            {Qt::CTRL | Qt::Key_Plus, 2.5},  {Qt::CTRL | Qt::Key_0, 1},
            {Qt::CTRL | Qt::Key_Minus, 1},
        };
        for (const auto& [keys, factor] : presses) {
            QTest::keyClick(&w, keys.key(), keys.keyboardModifiers());
            QCOMPARE(CurrentZoom(), factor);
            QCOMPARE(w.width(), qRound(653 * factor));
        }
    }

    void everyControlStandsAtTwiceItsDesign() {
        Headless h;
        Zanpo& w = *h.window;
        const std::vector<Control> design = Controls(w);
        QVERIFY(design.size() >= 16);
        SetZoom(2);
        QCOMPARE(w.minimumSize(), QSize(1306, 822));
        QCOMPARE(w.maximumSize(), QSize(1306, 822));
        for (const Control& c : design) {
            QCOMPARE(c.widget->geometry(), Twice(c.rect));
            if (c.pixels > 0) QCOMPARE(c.widget->font().pixelSize(), c.pixels * 2);
        }
        QCOMPARE(w.Picture2Surface.image().size(), QSize(842, 810));
        SetZoom(1);
        for (const Control& c : design) QCOMPARE(c.widget->geometry(), c.rect);
        QCOMPARE(w.Picture2Surface.image().size(), QSize(421, 405));
    }

    // Drawn at 1x, then shown at 2x: the lines are painted again, each exactly two rows
    // (or columns) of the picture with the graph's background on both sides.
    void gridLinesAreTwoScreenPixelsWide() {
        Headless h;
        using namespace Vexo;
        UseStartUpDefaults();
        DrawThermometer();
        DrawGraphFrame();
        SetZoom(2);
        const Surface& graph = h.window->Picture2Surface;
        // 45 degrees stands at y 185 on the range -10..100; tick 20 at x 72.
        for (int i : {-1, 0, 1, 2}) {
            const Colour expected = (i == 0 || i == 1) ? GrphMemori : GrphBack;
            QCOMPARE(graph.pixel(2 * 61, 2 * 185 + i), expected);
            QCOMPARE(graph.pixel(2 * 72 + i, 2 * 100), expected);
        }
    }

    void fullScreenCentresTheLargestFactorThatFits() {
        Headless h;
        Zanpo& w = *h.window;
        w.show();
        SetZoom(1.5);
        ToggleFullScreen();
        const QSize screen = w.screen()->geometry().size();
        QTRY_COMPARE(w.size(), screen);
        const double factor = CurrentZoom();
        QCOMPARE(factor, FitZoom(screen, QSize(653, 411)));
        // The design's corner is where Label2 stands: equal margins on both sides.
        const QPoint corner = w.Label2->pos();
        QVERIFY(std::abs(2 * corner.x() + qRound(653 * factor) - screen.width()) <= 1);
        QVERIFY(std::abs(2 * corner.y() + qRound(411 * factor) - screen.height()) <= 1);
        QVERIFY(corner.x() == 0 || corner.y() == 0);
        ToggleFullScreen();
        QTRY_COMPARE(w.size(), QSize(980, 617));
        QCOMPARE(w.Label2->pos(), QPoint(0, 0));
        QCOMPARE(CurrentZoom(), 1.5);
    }

    // The bold read-out stays bold at three times, where Qt draws its text as outlines: its
    // ink grows with the square of the factor, as a bold number's does.
    void theReadOutStaysBoldAtThreeTimes() {
        Headless h;
        Zanpo& w = *h.window;
        w.Text1->setText(QStringLiteral(" -23"));
        const auto ink = [&w] {
            const QImage shot = w.Text1->grab().toImage();
            int dark = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x) dark += qGray(shot.pixel(x, y)) < 128;
            return dark;
        };
        const int once = ink();
        SetZoom(3);
        QVERIFY(w.Text1->font().pixelSize() >= 64);
        const int thrice = ink();
        QVERIFY2(thrice > 0.85 * 9 * once, qPrintable(QString("%1 at 3, %2 at 1").arg(thrice).arg(once)));
    }

    // A menu is as wide at twice as twice its design: no item is shortened.
    void aMenuIsAsWideAsItsDesign() {
        Headless h;
        const auto width = [] {
            QMenu menu;
            menu.addAction(QStringLiteral("記録のフォルダを開く"));
            FollowZoom(menu, GothicFont(12));
            return menu.sizeHint().width();
        };
        const int designed = width();
        SetZoom(2);
        QVERIFY2(width() >= 2 * designed, qPrintable(QString::number(width())));
    }

    void dialogsFollowTheZoom() {
        Headless h;
        const int indicator = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
        SetZoom(2);
        Vexo::Settei_Click();
        Fsettei& d = *Vexo::SettingsDialog;
        QCOMPARE(d.size(), QSize(626, 702));
        QCOMPARE(d.Owaru->geometry(), Twice(QRect(144, 296, 160, 46)));
        QCOMPARE(d.Owaru->font().pixelSize(), 32);
        QCOMPARE(d.Check1->style()->pixelMetric(QStyle::PM_IndicatorWidth), 2 * indicator);
        Vexo::FCancel_Click();

        const double designed = QMessageBox().font().pointSizeF();
        double shown = 0;
        QTimer::singleShot(0, [&shown] {
            QWidget* box = QApplication::activeModalWidget();
            shown = box->font().pointSizeF();
            box->close();
        });
        MsgBox(QStringLiteral("x"), vbOKOnly);
        QCOMPARE(shown, 2 * designed);
    }
};

// On a screen of a classroom projector, 1920 x 1080.
int main(int argc, char** argv) {
    QTemporaryFile screens(QDir::tempPath() + "/zoom-screens-XXXXXX.json");
    screens.open();
    screens.write(R"({"screens": [{"name": "projector", "x": 0, "y": 0, "width": 1920,
                      "height": 1080, "logicalDpi": 96, "dpr": 1}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    ZoomTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "zoom_test.moc"
