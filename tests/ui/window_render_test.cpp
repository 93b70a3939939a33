// The whole main window after a simulated measurement, saved as pictures next to the test
// program for a person to look at: the live page, the overview after stopping, and a
// narrow fixed range. The checks make sure the window shows the surfaces' pixels.
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>

#include "core/reading.h"
#include "display/graph.h"
#include "display/thermometer.h"
#include "platform/picture_box.h"
#include "support/headless.h"
#include "display/drawing_log.h"

using namespace Vexo;

namespace {

// Raw byte r reads r / 4 - 10 degrees: -10 .. 53.
void FillTable() {
    for (int r = 0; r <= LastRaw; ++r) ConvTable[r] = int16_t(r / 4 - 10);
}

// One graph tick and one poll per half second, the raw byte following `raw`.
void Run(int ticks, const std::function<int(int)>& raw) {
    for (int t = 0; t < ticks; ++t) {
        RawValue = int16_t(raw(t));
        float degrees = TakeReading().degrees;  // as the poll takes it
        ShowTemperature(degrees);
        Timer2_Timer();
    }
}

// The window as start-up leaves it: no alert panel, no reset button.
void ShowAsAfterStartUp(Zanpo& w) {
    w.Text2->setVisible(false);
    w.DataReset->setVisible(false);
    w.show();
}

QString Save(QWidget& window, const QString& name) {
    const QString path = QCoreApplication::applicationDirPath() + "/" + name;
    window.grab().save(path);
    return path;
}

void CheckShown(Zanpo& w) {
    QCOMPARE(w.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32),
             w.Picture1Surface.image().copy(0, 0, w.Picture1->width(), w.Picture1->height()));
    QCOMPARE(w.Picture2->grab().toImage().convertToFormat(QImage::Format_RGB32),
             w.Picture2Surface.image().copy(0, 0, w.Picture2->width(), w.Picture2->height()));
}

}  // namespace

class WindowRenderTest : public QObject {
    Q_OBJECT
  private slots:
    void liveAndOverview() {
        Headless h;
        Zanpo& w = *h.window;
        UseStartUpDefaults();
        FillTable();
        ShowAsAfterStartUp(w);
        DrawThermometer();
        DrawGraphFrame();
        Run(420, [](int t) { return int(110 + 45 * std::sin(t / 45.0) + (t % 5)); });

        QCOMPARE(PageStartTick, 300.0F);
        QCOMPARE(w.Label3->text(), QStringLiteral("   209秒"));
        CheckShown(w);
        qInfo("%s", qPrintable(Save(w, "display-window-live.png")));

        ElapsedTicks -= 1;  // stopping steps back to the last recorded tick
        DrawOverview();
        CheckShown(w);
        qInfo("%s", qPrintable(Save(w, "display-window-overview.png")));
    }

    void narrowFixedRange() {
        Headless h;
        Zanpo& w = *h.window;
        UseStartUpDefaults();
        FillTable();
        ZidouMode = False;
        ScaleMin = 20;
        ScaleMax = 35;
        ShowAsAfterStartUp(w);
        DrawThermometer();
        DrawGraphFrame();
        // 22 .. 33 degrees, and a few readings beyond the top held at 35 on the gauge.
        Run(200, [](int t) { return t > 190 ? 200 : int(138 + 22 * std::sin(t / 20.0)); });
        QCOMPARE(ScaleMax, 35.0);
        QCOMPARE(LastShownTemp, 35.0F);
        CheckShown(w);
        qInfo("%s", qPrintable(Save(w, "display-window-narrow.png")));
    }
};

QTEST_MAIN(WindowRenderTest)
#include "window_render_test.moc"
