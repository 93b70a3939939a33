// The main window Zanpo: the read-out panel, five command buttons, the thermometer and
// graph surfaces, four timers and the serial line. The controls keep their design names;
// the routines of Vexo reach them through Vexo::MainWindow.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "core/readout.h"
#include "platform/surface.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class PictureBox;
class SerialLine;
class WindowTimer;

class Zanpo : public QWidget, public Vexo::MainReadout {
  public:
    using TimerFactory = std::function<std::unique_ptr<WindowTimer>()>;
    // Builds the window with the given timers and serial line (real ones in the program,
    // headless stand-ins in tests) and binds them, the surfaces and itself into Vexo.
    Zanpo(const TimerFactory& makeTimer, std::unique_ptr<SerialLine> line);
    ~Zanpo() override;

    // The read-out.
    void showForStartUp() override;
    void showTemperature(const QString& text) override;
    void showSeconds(const QString& text) override;
    void showMessage(const QString& text, Colour back, Colour fore) override;
    void hideMessage() override;
    bool measurementRuns() const override;
    // While start-up runs, each line printed into Picture2 shows at once.
    void setStartUpPainting(bool immediate);

    // Controls, top of the stacking order first.
    std::unique_ptr<WindowTimer> Timer4;
    Surface Picture2Surface;
    Surface Picture1Surface;
    PictureBox* Picture2;
    PictureBox* Picture1;
    std::unique_ptr<WindowTimer> Timer1;
    std::unique_ptr<WindowTimer> Timer2;
    std::unique_ptr<WindowTimer> Timer3;
    QLineEdit* Text1;
    QPushButton* Setumei;
    QPushButton* Settei;
    QPushButton* DataReset;
    QPushButton* Start;
    QPushButton* Owari;
    QPlainTextEdit* Text2;
    std::unique_ptr<SerialLine> MSComm1;
    QLabel* Label3;
    QLabel* Label2;  // above Label5, so that the whole sensor name shows
    QLabel* Label5;
    QLabel* Label4;
    QLabel* Label6;

    // Sets the alert panel's background (Text2.BackColor) and its text colour.
    void setText2BackColor(Colour colour);
    void setText2ForeColor(Colour colour);

  protected:
    void closeEvent(QCloseEvent* event) override;
};

namespace Vexo {
// The main window, bound when it is built.
extern Zanpo* MainWindow;
}  // namespace Vexo

// Ends the program at once; tests replace it to see that it was asked for.
extern std::function<void()> EndProgram;
