// The read-out: the few things the routines of Vexo beneath the windows show on the main
// window, the temperature, the seconds and the message panel, and the one thing they read,
// whether a measurement runs. The main window implements it (ui/), so that the routines
// beneath it need not know the window's controls.
#pragma once

#include <QString>

#include "platform/colour.h"

namespace Vexo {

class MainReadout {
  public:
    virtual ~MainReadout() = default;
    // Shows the window and paints it before start-up goes on reading files.
    virtual void showForStartUp() = 0;
    virtual void showTemperature(const QString& text) = 0;  // the read-out box Text1
    virtual void showSeconds(const QString& text) = 0;      // the seconds label Label3
    // The message panel Text2 in place of the explanation button, in these colours.
    virtual void showMessage(const QString& text, Colour back, Colour fore) = 0;
    // The panel hidden and the explanation button back.
    virtual void hideMessage() = 0;
    // A measurement runs exactly when the start button offers to stop it.
    virtual bool measurementRuns() const = 0;
};

// The main window's read-out; bound when the window is built.
extern MainReadout* Readout;

// Whether a measurement runs: false while there is no main window.
bool MeasurementRuns();

}  // namespace Vexo
