#include "zoom/zoom.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QKeySequence>
#include <QMenu>
#include <QProxyStyle>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "core/vexo.h"
#include "platform/message_box.h"
#include "zoom/window_design.h"
#include "zoom/zoom_steps.h"

namespace {

// The boxes of check boxes and option buttons, which the style draws, as large as the zoom.
class ZoomStyle : public QProxyStyle {
  public:
    explicit ZoomStyle(const QString& base) : QProxyStyle(base) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int designed = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
            case PM_IndicatorWidth:
            case PM_IndicatorHeight:
            case PM_ExclusiveIndicatorWidth:
            case PM_ExclusiveIndicatorHeight:
            case PM_CheckBoxLabelSpacing:
            case PM_RadioButtonLabelSpacing:
                return qRound(designed * CurrentZoom());
            default:
                return designed;
        }
    }
};

// Puts the style in place the first time the zoom leaves the design.
void ZoomTheStyle() {
    if (!dynamic_cast<ZoomStyle*>(QApplication::style()))
        QApplication::setStyle(new ZoomStyle(QApplication::style()->name()));
}

// The zoom of the one main window, living as long as the window.
class WindowZoom : public QObject {
  public:
    explicit WindowZoom(QWidget& window);
    ~WindowZoom() override;

    void set(double factor);
    double shown() const { return full_ ? fullFactor_ : factor_; }
    void toggleFullScreen();

  protected:
    // Full screen, the content is laid out again whenever the window's size changes; on a
    // screen of another pixel ratio, the pictures are drawn again at its ratio.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QShortcut* addKey(const QKeySequence& keys, void (WindowZoom::*action)());
    void stepUp();
    void stepDown() { set(ZoomStepDown(factor_)); }
    void reset() { set(1); }
    void layOutFullScreen();
    void layOutAgain();
    void keepOnScreen();

    QWidget& window_;
    double factor_ = 1;
    bool full_ = false;
    double fullFactor_ = 1;
    QShortcut* leave_;
};

WindowZoom* attached = nullptr;

WindowZoom::WindowZoom(QWidget& window) : QObject(&window), window_(window) {
    addKey(QKeySequence::ZoomIn, &WindowZoom::stepUp);
    addKey(QKeySequence(Qt::CTRL | Qt::Key_Equal), &WindowZoom::stepUp);
    addKey(QKeySequence::ZoomOut, &WindowZoom::stepDown);
    addKey(QKeySequence(Qt::CTRL | Qt::Key_0), &WindowZoom::reset);
    addKey(QKeySequence(Qt::Key_F11), &WindowZoom::toggleFullScreen);
    leave_ = addKey(QKeySequence(Qt::Key_Escape), &WindowZoom::toggleFullScreen);
    leave_->setEnabled(false);
    window_.installEventFilter(this);
    // On a screen of more than one pixel per point the pictures are drawn at its ratio.
    if (window_.devicePixelRatioF() != 1) WindowDesign::of(window_).layOut(1);
}

WindowZoom::~WindowZoom() {
    if (attached == this) attached = nullptr;
}

QShortcut* WindowZoom::addKey(const QKeySequence& keys, void (WindowZoom::*action)()) {
    auto* shortcut = new QShortcut(keys, &window_);
    QObject::connect(shortcut, &QShortcut::activated, this, action);
    return shortcut;
}

// Up to the largest step whose window fits the screen's room; F11 is for more. A window whose
// size is not fixed keeps its size and steps freely.
void WindowZoom::stepUp() {
    QSize room(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (window_.screen() && WindowDesign::of(window_).fixed())
        room = window_.screen()->availableGeometry().size() -
               (window_.frameGeometry().size() - window_.size());
    set(ZoomStepUpWithin(factor_, WindowDesign::of(window_).size(), room));
}

void WindowZoom::set(double factor) {
    if (factor == factor_) return;
    factor_ = factor;
    // Full screen keeps its own factor; the window takes this one when it returns.
    if (full_) return;
    WindowDesign::of(window_).layOut(factor_);
    keepOnScreen();
}

// A window grown past the screen's edge is moved back onto it, as far as it fits.
void WindowZoom::keepOnScreen() {
    if (!window_.isVisible() || !window_.screen()) return;
    const QRect screen = window_.screen()->availableGeometry();
    const QRect frame = window_.frameGeometry();
    const int x = std::max(screen.left(), std::min(frame.left(), screen.right() - frame.width()));
    const int y = std::max(screen.top(), std::min(frame.top(), screen.bottom() - frame.height()));
    if (QPoint(x, y) != frame.topLeft()) window_.move(x, y);
}

void WindowZoom::toggleFullScreen() {
    WindowDesign& design = WindowDesign::of(window_);  // taken before the window changes
    full_ = !full_;
    leave_->setEnabled(full_);
    if (full_) {
        window_.setMinimumSize(0, 0);
        window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window_.showFullScreen();
        // Without a window manager to do it, the window covers the screen by itself.
        if (window_.screen()) window_.setGeometry(window_.screen()->geometry());
        layOutFullScreen();
    } else {
        window_.showNormal();
        design.layOut(factor_);
    }
}

void WindowZoom::layOutFullScreen() {
    WindowDesign& design = WindowDesign::of(window_);
    fullFactor_ = FitZoom(window_.size(), design.size());
    const QSize content = ScaledSize(design.size(), fullFactor_);
    const QSize margin = (window_.size() - content) / 2;
    design.layOutAt(fullFactor_, QPoint(margin.width(), margin.height()));
}

void WindowZoom::layOutAgain() {
    if (full_)
        layOutFullScreen();
    else if (factor_ != 1 || window_.devicePixelRatioF() != 1 || WindowDesign::taken(window_))
        WindowDesign::of(window_).layOut(factor_);
}

bool WindowZoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_) return false;
    if (full_ && event->type() == QEvent::Resize) layOutFullScreen();
    // Sent before the window takes the new screen's ratio: laid out once it has.
    if (event->type() == QEvent::ScreenChangeInternal)
        QTimer::singleShot(0, this, &WindowZoom::layOutAgain);
    return false;
}

}  // namespace

void AttachZoom(QWidget& window) {
    attached = new WindowZoom(window);
    SetMsgBoxShaper([](QWidget& box) { FollowZoom(box); });
    // The customization key Bairitsu=: 1 to 3, between the steps too.
    Vexo::ApplyBairitsu = [](double factor) { SetZoom(StartZoom(factor)); };
}

void SetZoom(double factor) {
    if (attached) attached->set(factor);
}

double CurrentZoom() {
    return attached ? attached->shown() : 1;
}

void FollowZoom(QWidget& window) {
    const double factor = CurrentZoom();
    if (factor == 1 && !WindowDesign::taken(window)) return;
    ZoomTheStyle();
    WindowDesign::of(window).layOut(factor);
}

void FollowZoom(QMenu& menu, const QFont& designed) {
    menu.setFont(designed);
    const double factor = CurrentZoom();
    if (factor == 1) return;
    const int width = menu.sizeHint().width();
    menu.setFont(ScaledFont(designed, factor));
    menu.setMinimumWidth(static_cast<int>(std::lround(width * factor)));
}

QString AskForFiles(QWidget* parent, const QString& title, const QString& start,
                    const QString& filter, bool save) {
    QFileDialog dialog(parent, title, start, filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!save) dialog.setFileMode(QFileDialog::ExistingFiles);
    FollowZoom(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().join(QLatin1Char('\n'));
}

void ToggleFullScreen() {
    if (attached) attached->toggleFullScreen();
}
