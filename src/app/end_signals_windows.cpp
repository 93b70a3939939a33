#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include "app/end_signals.h"

namespace App {
namespace {

// Sees every message of the program's windows before Qt does.
class SessionEnd : public QAbstractNativeEventFilter {
  public:
    SessionEnd(std::function<void()> end, std::function<void()> finish)
        : end_(std::move(end)), finish_(std::move(finish)) {}
    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_ENDSESSION || msg->wParam == FALSE || done_) return false;
        // The session ends: once this message returns, the process is gone.
        done_ = true;
        if (end_) end_();
        if (finish_) finish_();
        return false;
    }

  private:
    std::function<void()> end_, finish_;
    bool done_ = false;
};

}  // namespace

void CatchEndSignals() {}  // a windowed program has no console to end it

void WatchEndSignals(std::function<void()> end, std::function<void()> finish) {
    QCoreApplication::instance()->installNativeEventFilter(
        new SessionEnd(std::move(end), std::move(finish)));
}

}  // namespace App
