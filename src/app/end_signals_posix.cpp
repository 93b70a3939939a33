#include "app/end_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>


namespace App {
namespace {

int Pipe[2] = {-1, -1};

void OnSignal(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(Pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

void CatchEndSignals() {
    if (::pipe2(Pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &action, nullptr);
}

void WatchEndSignals(std::function<void()> end, std::function<void()>) {
    if (Pipe[0] < 0) return;
    auto* notifier = new QSocketNotifier(Pipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [notifier, end] {
        char bytes[16];
        while (::read(Pipe[0], bytes, sizeof bytes) > 0) {
        }
        notifier->setEnabled(false);  // once is enough
        end();
    });
}

}  // namespace App
