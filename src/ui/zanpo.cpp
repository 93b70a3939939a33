#include "ui/zanpo.h"
#include "core/vexo.h"
#include "core/window_title.h"
#include "device/device_link.h"
#include "display/alerts.h"
#include "display/graph.h"
#include "platform/message_box.h"
#include "platform/fonts.h"
#include "platform/picture_box.h"
#include "platform/serial_line.h"
#include "platform/window_timer.h"
#include "ui/commands.h"
#include "ui/icon.h"
#include "ui/readout_box.h"
#include "ui/run_state.h"
#include "ui/twips.h"
#include "zoom/zoom.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

std::function<void()> EndProgram = [] { QCoreApplication::exit(0); };

namespace Vexo {
Zanpo* MainWindow = nullptr;
}  // namespace Vexo

namespace {

constexpr Colour Grey = RGB(192, 192, 192);
constexpr Colour Yellow = RGB(255, 255, 0);
constexpr Colour Black = RGB(0, 0, 0);
constexpr Colour White = RGB(255, 255, 255);

// The picture surfaces sit inside a sunken 3-D border of two pixels on each side.
constexpr int Border = 2;

void SetColour(QWidget* w, std::initializer_list<QPalette::ColorRole> roles, Colour colour) {
    QPalette p = w->palette();
    for (const auto role : roles) p.setColor(role, ToQColor(colour));
    w->setPalette(p);
}

void Paint(QWidget* w, Colour back, Colour fore) {
    SetColour(w, {QPalette::Window, QPalette::Button, QPalette::Base}, back);
    SetColour(w, {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}, fore);
    w->setAutoFillBackground(true);
}

// Each control takes its font before its text: a text laid out in the default font first would
// have the fonts of the system searched for its Japanese characters, milliseconds of start-up.
QLabel* MakeLabel(QWidget* parent, const QString& caption, QRect at, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setFont(font);
    label->setText(caption);
    label->setGeometry(at);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Paint(label, Yellow, Black);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, QRect at, Colour back) {
    auto* button = new QPushButton(parent);
    button->setFont(GothicFont(12));
    button->setText(caption);
    button->setGeometry(at);
    Paint(button, back, Black);
    // Return and keypad Enter click the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

// The sunken frame around a picture surface, drawn by a plain widget beneath it. Its lines
// are as wide as the frame is larger than designed.
class SunkenFrame : public QWidget {
  public:
    SunkenFrame(QWidget* parent, QRect at) : QWidget(parent), design_(at.size()) {
        setGeometry(at);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.scale(double(width()) / design_.width(), double(height()) / design_.height());
        const auto line = [&p](int x1, int y1, int x2, int y2, QColor colour) {
            p.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), colour);
        };
        const int r = design_.width() - 1, b = design_.height() - 1;
        line(0, 0, r - 1, 0, QColor(128, 128, 128));
        line(0, 0, 0, b - 1, QColor(128, 128, 128));
        line(0, b, r, b, QColor(255, 255, 255));
        line(r, 0, r, b, QColor(255, 255, 255));
        line(1, 1, r - 2, 1, QColor(0, 0, 0));
        line(1, 1, 1, b - 2, QColor(0, 0, 0));
        line(1, b - 1, r - 1, b - 1, QColor(223, 223, 223));
        line(r - 1, 1, r - 1, b - 1, QColor(223, 223, 223));
    }

  private:
    QSize design_;
};

PictureBox* MakePicture(QWidget* parent, Surface& surface, QRect at) {
    new SunkenFrame(parent, at);
    auto* box = new PictureBox(surface, parent);
    box->setGeometry(at.adjusted(Border, Border, -Border, -Border));
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

}  // namespace

Zanpo::Zanpo(const TimerFactory& makeTimer, std::unique_ptr<SerialLine> line)
    : Timer4(makeTimer()),
      Picture2Surface(Twips(6375) - 2 * Border, Twips(6135) - 2 * Border, Grey, GothicFont(12),
                      Black),
      Picture1Surface(Twips(1575) - 2 * Border, Twips(6135) - 2 * Border, Grey, GothicFont(9.75),
                      Black),
      Timer1(makeTimer()),
      Timer2(makeTimer()),
      Timer3(makeTimer()),
      MSComm1(std::move(line)) {
    setWindowTitle(Vexo::WindowTitleText());
    setWindowIcon(ThermometerIcon());
    setFixedSize(Twips(9795), Twips(6165));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    Paint(this, Grey, Black);

    // Designed intervals; no timer is enabled until the program enables it.
    Timer4->setInterval(600);
    Timer1->setInterval(0);
    Timer2->setInterval(600);
    Timer3->setInterval(1200);

    // Created from the bottom of the stacking order up, so that later controls lie above.
    // The sensor's name lies above the yellow patch Label5, which would otherwise cover the
    // end of "えきおんセンサー"; both are plain yellow, so nothing else changes.
    Label6 = MakeLabel(this, {}, TwipRect(0, 270, 120, 825), GothicFont(12));
    Label4 = MakeLabel(this, QStringLiteral(" ℃"), TwipRect(1200, 540, 600, 315),
                       GothicFont(15.75, true));
    Label5 = MakeLabel(this, {}, TwipRect(1200, 0, 600, 540), GothicFont(12));
    Label2 = MakeLabel(this, {}, TwipRect(0, 0, 1800, 375), GothicFont(9.75));
    Label3 = MakeLabel(this, {}, TwipRect(0, 840, 1800, 510), GothicFont(15.75));

    Text2 = new QPlainTextEdit(this);
    Text2->setFont(GothicFont(15.75, true));
    Text2->setGeometry(TwipRect(0, 1350, 1800, 1620));
    Text2->setReadOnly(true);
    Text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Paint(Text2, White, White);

    Owari = MakeButton(this, QStringLiteral("おわり"), TwipRect(240, 5280, 1320, 615), White);
    Start = MakeButton(this, QStringLiteral("スタート"), TwipRect(240, 4560, 1320, 585), Grey);
    DataReset = MakeButton(this, QStringLiteral("リセット"), TwipRect(240, 3840, 1320, 570), Grey);
    Settei = MakeButton(this, QStringLiteral("せってい"), TwipRect(240, 3120, 1320, 525), Grey);
    Setumei = MakeButton(this, QStringLiteral("せつめい"), TwipRect(240, 2400, 1320, 615), Grey);

    Text1 = new ReadoutBox(this);
    Text1->setFont(GothicFont(18, true));
    Text1->setText(QStringLiteral("Text1"));
    Text1->setGeometry(TwipRect(120, 360, 1095, 495));
    Text1->setReadOnly(true);
    Paint(Text1, Yellow, Black);

    Picture1 = MakePicture(this, Picture1Surface, TwipRect(1800, 0, 1575, 6135));
    Picture2 = MakePicture(this, Picture2Surface, TwipRect(3360, 0, 6375, 6135));
    // The thermometer's design fill: the bulb's circles are solid red discs.
    Picture1Surface.setSolidFill(RGB(255, 0, 0));

    // Tab order: Owari, Setumei, Settei, DataReset, Start, Text1, Text2, Picture1, Picture2.
    QWidget* order[] = {Owari, Setumei, Settei, DataReset, Start, Text1, Text2, Picture1, Picture2};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    QObject::connect(Start, &QPushButton::clicked, [] { Vexo::Start_Click(); });
    QObject::connect(DataReset, &QPushButton::clicked, [] { Vexo::DataReset_Click(); });
    QObject::connect(Setumei, &QPushButton::clicked, [] { Vexo::Setumei_Click(); });
    QObject::connect(Settei, &QPushButton::clicked, [] { Vexo::Settei_Click(); });
    QObject::connect(Owari, &QPushButton::clicked, [] { Vexo::Owari_Click(); });
    Timer1->onTick = [] { Vexo::Timer1_Timer(); };
    Timer2->onTick = [] { Vexo::Timer2_Timer(); };
    Timer3->onTick = [] { Vexo::Timer3_Timer(); };
    Timer4->onTick = [] { Vexo::Timer4_Timer(); };

    Vexo::MainWindow = this;
    Vexo::Readout = this;
    Vexo::Picture1 = &Picture1Surface;
    Vexo::Picture2 = &Picture2Surface;
    Vexo::Timer1 = Timer1.get();
    Vexo::Timer2 = Timer2.get();
    Vexo::Timer3 = Timer3.get();
    Vexo::Timer4 = Timer4.get();
    Vexo::MSComm1 = MSComm1.get();
    Vexo::ShowTitle = [this](const QString& title) { setWindowTitle(title); };
    AttachZoom(*this);
}

Zanpo::~Zanpo() {
    if (Vexo::MainWindow == this) {
        Vexo::MainWindow = nullptr;
        Vexo::Readout = nullptr;
        Vexo::Picture1 = Vexo::Picture2 = nullptr;
        Vexo::Timer1 = Vexo::Timer2 = Vexo::Timer3 = Vexo::Timer4 = nullptr;
        Vexo::MSComm1 = nullptr;
        Vexo::ShowTitle = nullptr;
    }
}

void Zanpo::showForStartUp() {
    show();
    // Let the window system map and paint the window before start-up reads the files.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Zanpo::showTemperature(const QString& text) {
    Text1->setText(text);
}

void Zanpo::showSeconds(const QString& text) {
    Label3->setText(text);
}

void Zanpo::showMessage(const QString& text, Colour back, Colour fore) {
    Setumei->setVisible(false);
    Text2->setVisible(true);
    setText2BackColor(back);
    setText2ForeColor(fore);
    Text2->setPlainText(text);
}

void Zanpo::hideMessage() {
    Text2->setVisible(false);
    Setumei->setVisible(true);
}

bool Zanpo::measurementRuns() const {
    return Start->text() != Vexo::StoppedCaption;
}

void Zanpo::setStartUpPainting(bool immediate) {
    Picture1->setImmediate(immediate);
    Picture2->setImmediate(immediate);
}

void Zanpo::setText2BackColor(Colour colour) {
    SetColour(Text2, {QPalette::Base, QPalette::Window}, colour);
}

void Zanpo::setText2ForeColor(Colour colour) {
    SetColour(Text2, {QPalette::Text, QPalette::WindowText}, colour);
}

void Zanpo::closeEvent(QCloseEvent* event) {
    int16_t cancel = 0;
    Vexo::Form_Unload(cancel);
    if (cancel != 0)
        event->ignore();
    else
        event->accept();
}
