// The settings dialog Fsettei: fixed or automatic range, and the kind of sensor. The
// controls keep their design names; the handlers of Vexo reach them through
// Vexo::SettingsDialog. The dialog is made once, hidden when closed and refilled at
// every opening.
#pragma once

#include <cstdint>

#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class Fsettei : public QWidget {
  public:
    Fsettei();
    ~Fsettei() override;

    // Controls, top of the stacking order first within each container.
    QPushButton* FCancel;
    std::array<QRadioButton*, 2> Option3;  // 0 air sensor, 1 liquid sensor
    QCheckBox* Check1;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QPushButton* Owaru;
    QGroupBox* Frame2;
    QGroupBox* Frame1;
    QGroupBox* Frame3;              // inside Frame1
    std::array<QLabel*, 1> Label2;  // inside Frame3
    std::array<QLabel*, 1> Label1;  // inside Frame3
    QLabel* Label3;                 // inside Frame1
    QLabel* Label4;                 // inside Frame1

    // Shows the dialog, without modality, centred over the given window.
    void openOver(const QWidget& window);

  protected:
    // The window's own close button discards the choices like キャンセル.
    void closeEvent(QCloseEvent* event) override;
    // Focus changes and typed keys of the two entry boxes go to their handlers.
    bool eventFilter(QObject* watched, QEvent* event) override;
};

namespace Vexo {

// The dialog, bound when it is built.
extern Fsettei* SettingsDialog;

// Its events.
void Text1_GotFocus();
void Text2_GotFocus();
void Text1_KeyPress(int16_t& keyAscii);
void Text2_KeyPress(int16_t& keyAscii);
void Text1_LostFocus();
void Text2_LostFocus();
void Owaru_Click();
void FCancel_Click();

// The one settings dialog, made at its first use and bound as SettingsDialog. It lives
// as long as the main window that exists at that moment.
Fsettei& TheSettingsDialog();

// Puts the current settings into the dialog: range boxes, automatic range, sensor.
void FillSettingsDialog();

// The text form of a setting: the shortest decimal text of its number (100, -10, 12.5).
QString SettingText(double value);

}  // namespace Vexo
