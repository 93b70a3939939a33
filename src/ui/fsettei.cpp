#include "ui/fsettei.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/vexo.h"
#include "platform/colour.h"
#include "platform/fonts.h"
#include "ui/icon.h"
#include "ui/twips.h"
#include "ui/zanpo.h"
#include "zoom/zoom.h"

namespace {

constexpr Colour Grey = RGB(192, 192, 192);
constexpr Colour Yellow = RGB(255, 255, 0);
constexpr Colour Cyan = RGB(0, 255, 255);
constexpr Colour Green = RGB(0, 255, 0);
constexpr Colour Black = RGB(0, 0, 0);

// Back colour for every background role; the fore colour only when the design gives one.
void Paint(QWidget* w, Colour back, const Colour* fore = nullptr) {
    QPalette p = w->palette();
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        p.setColor(role, ToQColor(back));
    if (fore)
        for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            p.setColor(role, ToQColor(*fore));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

template <typename W>
W* Place(W* w, QRect at, Colour back, const Colour* fore, bool bold) {
    w->setGeometry(at);
    w->setFont(ProportionalGothicFont(12, bold));
    Paint(w, back, fore);
    return w;
}

QLineEdit* MakeBox(QWidget* parent, const QString& text, QRect at) {
    auto* box = new QLineEdit(text, parent);
    return Place(box, at, Green, &Black, false);
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, QRect at) {
    auto* label = new QLabel(caption, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return Place(label, at, Yellow, &Black, false);
}

QGroupBox* MakeFrame(QWidget* parent, const QString& caption, QRect at, Colour back,
                     const Colour* fore) {
    auto* frame = new QGroupBox(caption, parent);
    return Place(frame, at, back, fore, false);
}

// Window-activation focus changes are not the user moving between controls: switching to
// another program and back must not clear or restore what was typed.
bool MovesBetweenControls(const QFocusEvent* e) {
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

// The character code a key delivers to a box, or -1 for keys that type nothing.
int KeyCode(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return 13;
    if (e->text().isEmpty()) return -1;
    return e->text().at(0).unicode();
}

}  // namespace

Fsettei::Fsettei() {
    setWindowTitle(QStringLiteral("けるびらのせってい"));
    setWindowIcon(ThermometerIcon());
    setFixedSize(Twips(4695), Twips(5265));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Paint(this, Grey, &Black);

    // Created from the bottom of the stacking order up, so that later controls lie above.
    Frame1 = MakeFrame(this, QStringLiteral("ひょうじのせってい"), TwipRect(0, 0, 4680, 2700), Cyan,
                       nullptr);
    Label4 = MakeLabel(Frame1, QStringLiteral("℃"), TwipRect(3960, 1890, 480, 270));
    Label3 = MakeLabel(Frame1, QStringLiteral("℃"), TwipRect(3960, 1080, 360, 270));
    Frame3 = MakeFrame(Frame1, QStringLiteral("こてい ひょうじ"), TwipRect(120, 960, 4455, 1575),
                       Yellow, nullptr);
    Label1[0] =
        MakeLabel(Frame3, QStringLiteral("けるびらのさいこうち"), TwipRect(120, 360, 3000, 390));
    Label2[0] =
        MakeLabel(Frame3, QStringLiteral("けるびらのさいていち"), TwipRect(120, 960, 2655, 390));
    Frame2 = MakeFrame(this, QStringLiteral("センサーのしゅるい"), TwipRect(0, 2700, 4680, 1620),
                       Yellow, &Black);

    Owaru = Place(new QPushButton(QStringLiteral("せっていをおわる"), this),
                  TwipRect(2160, 4440, 2400, 690), Grey, nullptr, true);
    Text2 = MakeBox(this, QStringLiteral("Text2"), TwipRect(3360, 1920, 960, 510));
    Text1 = MakeBox(this, QStringLiteral("Text1"), TwipRect(3360, 1200, 960, 525));
    Check1 = Place(new QCheckBox(QStringLiteral("じどうでつける"), this),
                   TwipRect(240, 240, 4335, 615), Cyan, &Black, true);
    Option3[0] = Place(new QRadioButton(QStringLiteral("きおんセンサー  （～５０）"), this),
                       TwipRect(240, 2970, 4080, 810), Yellow, &Black, false);
    Option3[1] = Place(new QRadioButton(QStringLiteral("えきおんセンサー（～１００）"), this),
                       TwipRect(240, 3780, 4200, 270), Yellow, &Black, false);
    FCancel = Place(new QPushButton(QStringLiteral("キャンセル"), this),
                    TwipRect(120, 4440, 1440, 690), Grey, nullptr, true);

    // Tab order: Owaru, Check1, Text1, Text2, Option3(0), Option3(1), FCancel; the frames
    // and labels take no focus.
    QWidget* order[] = {Owaru, Check1, Text1, Text2, Option3[0], Option3[1], FCancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    Owaru->setFocus();  // where the focus is the first time the dialog shows

    // Enter on a focused button presses it, so Enter, Enter, Enter walks from the first
    // box through the second to closing the dialog.
    Owaru->setAutoDefault(true);
    FCancel->setAutoDefault(true);

    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
    QObject::connect(Owaru, &QPushButton::clicked, [] { Vexo::Owaru_Click(); });
    QObject::connect(FCancel, &QPushButton::clicked, [] { Vexo::FCancel_Click(); });
}

Fsettei::~Fsettei() {
    if (Vexo::SettingsDialog == this) Vexo::SettingsDialog = nullptr;
}

void Fsettei::openOver(const QWidget& window) {
    FollowZoom(*this);
    // Placed by its client area, whose size is known before the window manager frames it.
    QRect placed(QPoint(), size());
    placed.moveCenter(window.geometry().center());
    setGeometry(placed);
    show();
    activateWindow();
}

void Fsettei::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (isVisible()) Vexo::FCancel_Click();
}

bool Fsettei::eventFilter(QObject* watched, QEvent* event) {
    const bool first = watched == Text1;
    if (!first && watched != Text2) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            if (MovesBetweenControls(static_cast<QFocusEvent*>(event)))
                first ? Vexo::Text1_GotFocus() : Vexo::Text2_GotFocus();
            return false;
        case QEvent::FocusOut:
            if (MovesBetweenControls(static_cast<QFocusEvent*>(event)))
                first ? Vexo::Text1_LostFocus() : Vexo::Text2_LostFocus();
            return false;
        case QEvent::KeyPress: {
            const int code = KeyCode(static_cast<QKeyEvent*>(event));
            if (code < 0) return false;
            auto keyAscii = static_cast<int16_t>(static_cast<uint16_t>(code));
            first ? Vexo::Text1_KeyPress(keyAscii) : Vexo::Text2_KeyPress(keyAscii);
            return keyAscii == 0;  // a handler that zeroes the code swallows the key
        }
        default:
            return false;
    }
}

namespace Vexo {

Fsettei& TheSettingsDialog() {
    if (!SettingsDialog) {
        auto* dialog = new Fsettei;
        SettingsDialog = dialog;
        // The dialog belongs to the main window without being its child window: it goes
        // when the main window goes.
        if (MainWindow)
            QObject::connect(MainWindow, &QObject::destroyed, dialog, [dialog] { delete dialog; });
    }
    return *SettingsDialog;
}

}  // namespace Vexo
