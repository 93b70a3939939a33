// The handlers of the settings dialog: filling it, the two entry boxes, apply and cancel.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "config/customization.h"
#include "config/missing_tables.h"
#include "config/rounding.h"
#include "core/reading.h"
#include "core/vexo.h"
#include "device/device_link.h"
#include "display/thermometer.h"
#include "platform/window_timer.h"
#include "ui/fsettei.h"
#include "ui/run_state.h"
#include "ui/zanpo.h"

namespace Vexo {

Fsettei* SettingsDialog = nullptr;

namespace {

constexpr int16_t EnterKey = 13;

Fsettei& Dialog() {
    return *SettingsDialog;
}

void ShowChoices() {
    Fsettei& d = Dialog();
    d.Check1->setChecked(IsTrue(ZidouMode));
    const bool air = IsTrue(KionMode);
    d.Option3[0]->setChecked(air);
    d.Option3[1]->setChecked(!air);
}

// Reads a range box; an empty box stands for the given setting. A number beyond the
// box's limits is replaced by the limit before it is taken.
double ReadRangeBox(const QLineEdit* box, double whenEmpty, double lowest, double highest) {
    const QString text = box->text().isEmpty() ? SettingText(whenEmpty) : box->text();
    double value = LeadingNumber(text);  // beyond the double range: an infinity
    if (value < lowest) value = lowest;
    if (value > highest) value = highest;
    return value;
}

void FixedRangeFromBoxes() {
    Fsettei& d = Dialog();
    // The box labelled for the highest value is held first as the minimum; the swap
    // below puts the two in order.
    ScaleMin = ReadRangeBox(d.Text1, ScaleMin, -40, 100);
    ScaleMax = ReadRangeBox(d.Text2, ScaleMax, -30, 120);
    if (ScaleMax < ScaleMin) {
        const double oldMax = ScaleMax;
        ScaleMax = ScaleMin;
        ScaleMin = RoundHalfEven(oldMax);  // within -30..120: a 16-bit integer
    }
    if (ScaleMax - ScaleMin < 10) ScaleMax = ScaleMin + 10;
}

void TakeSensor() {
    const bool air = Dialog().Option3[0]->isChecked();
    KionMode = air ? True : False;
    MainWindow->Label2->setText(air ? QStringLiteral("きおんセンサー")
                                    : QStringLiteral("えきおんセンサー"));
    ConvTable = air ? KionTable : EkionTable;
    RestateReading();  // the byte that stands, read through the sensor's own table
    MarkEmptyTable();
}

void BackToMainWindow() {
    Dialog().hide();
    MainWindow->show();
}

void ResumePoll() {
    Timer1->setInterval(200);
    Timer1->setEnabled(true);
}

void EntryBoxGotFocus(QLineEdit* box) {
    box->setText(QString());
}

void EntryBoxKeyPress(int16_t keyAscii, QWidget* next) {
    if (keyAscii != EnterKey) return;
    Dialog().Check1->setChecked(false);
    next->setFocus(Qt::OtherFocusReason);
}

void EntryBoxLostFocus(QLineEdit* box, double setting) {
    if (box->text().isEmpty())
        box->setText(SettingText(setting));
    else
        Dialog().Check1->setChecked(false);
}

}  // namespace

QString SettingText(double value) {
    if (value == 0) return QStringLiteral("0");  // no "-0"
    const double magnitude = std::fabs(value);
    const char format = (magnitude >= 1e-5 && magnitude < 1e15) ? 'f' : 'g';
    return QString::number(value, format, QLocale::FloatingPointShortest);
}

void FillSettingsDialog() {
    Fsettei& d = Dialog();
    d.Text1->setText(SettingText(ScaleMax));
    d.Text2->setText(SettingText(ScaleMin));
    ShowChoices();
}

void Text1_GotFocus() {
    EntryBoxGotFocus(Dialog().Text1);
}
void Text2_GotFocus() {
    EntryBoxGotFocus(Dialog().Text2);
}
void Text1_KeyPress(int16_t& keyAscii) {
    EntryBoxKeyPress(keyAscii, Dialog().Text2);
}
void Text2_KeyPress(int16_t& keyAscii) {
    EntryBoxKeyPress(keyAscii, Dialog().Owaru);
}
void Text1_LostFocus() {
    EntryBoxLostFocus(Dialog().Text1, ScaleMax);
}
void Text2_LostFocus() {
    EntryBoxLostFocus(Dialog().Text2, ScaleMin);
}

void Owaru_Click() {
    ZidouMode = Dialog().Check1->isChecked() ? True : False;
    if (!IsTrue(ZidouMode))
        FixedRangeFromBoxes();
    else
        AutoRange();
    TakeSensor();
    DrawThermometer();
    DrawnScaleMax = ScaleMax;
    DrawnScaleMin = static_cast<float>(ScaleMin);
    BackToMainWindow();
    RepaintAfterDialog(GraphResume::RedrawFirst);
    ResumePoll();
}

void FCancel_Click() {
    ShowChoices();
    BackToMainWindow();
    ResumePoll();
    RepaintAfterDialog(GraphResume::TimerFirst);
}

}  // namespace Vexo
