#include "platform/window_shown.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

namespace {

// Waits for the window's first exposure, then for the repaints queued before it: Qt posts
// update requests at low priority, so a low-priority event posted after them arrives last.
class ShownWatch : public QObject {
  public:
    ShownWatch(QWindow* handle, std::function<void()> report)
        : QObject(handle), handle_(handle), report_(std::move(report)) {
        if (handle_->isExposed())
            postDone();
        else
            handle_->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose && handle_->isExposed()) {
            handle_->removeEventFilter(this);
            postDone();
        }
        return false;
    }

    bool event(QEvent* event) override {
        if (event->type() != DoneEvent) return QObject::event(event);
        report_();
        deleteLater();
        return true;
    }

  private:
    static constexpr QEvent::Type DoneEvent = QEvent::User;
    void postDone() {
        QCoreApplication::postEvent(this, new QEvent(DoneEvent), Qt::LowEventPriority);
    }

    QWindow* handle_;
    std::function<void()> report_;
};

}  // namespace

void WhenShown(QWidget& window, std::function<void()> report) {
    window.winId();  // makes sure the native window exists
    new ShownWatch(window.windowHandle(), std::move(report));
}
