// The routines of Vexo without the main window: the two picture surfaces at the window's
// sizes, stand-in timers (they never fire by themselves), a fake serial line and a read-out
// that keeps what it was shown, all bound into Vexo, and the state at its start values. The
// tests of the rooms beneath the window use it; what the window itself shows is the tests'
// of ui/.
#pragma once

#include <QString>

#include "core/readout.h"
#include "core/vexo.h"
#include "platform/fake_serial_line.h"
#include "platform/surface.h"
#include "platform/window_timer.h"

struct Stage : Vexo::MainReadout {
    Stage();
    ~Stage() override;

    // The read-out.
    void showForStartUp() override { shownForStartUp = true; }
    void showTemperature(const QString& text) override { temperature = text; }
    void showSeconds(const QString& text) override { seconds = text; }
    void showMessage(const QString& text, Colour back, Colour fore) override;
    void hideMessage() override { messageShown = false; }
    bool measurementRuns() const override { return runs; }

    Surface picture1, picture2;
    WindowTimer timer1, timer2, timer3, timer4;
    FakeSerialLine line;

    // What the read-out was shown, and what it answers.
    bool shownForStartUp = false;
    QString temperature;
    QString seconds;
    bool messageShown = false;
    QString message;
    Colour messageBack = 0, messageFore = 0;
    bool runs = false;
    QString title;  // the window's title as it was last shown
};
