#include <avahi-common/watch.h>
#include <sys/time.h>

#include <QSocketNotifier>
#include <QTimer>

#include "classfind/avahi_poll.h"

// Avahi may free a watch or a timeout from within its own callback: the notifier or timer is
// then disabled at once and deleted once the event loop is back, and nothing is touched after
// a callback returns.
struct AvahiWatch {
    int fd = -1;
    AvahiWatchEvent wanted{};
    AvahiWatchEvent happened{};
    AvahiWatchCallback callback = nullptr;
    void* userdata = nullptr;
    QSocketNotifier* read = nullptr;
    QSocketNotifier* write = nullptr;
};

struct AvahiTimeout {
    QTimer* timer = nullptr;
    AvahiTimeoutCallback callback = nullptr;
    void* userdata = nullptr;
};

namespace ClassFind {

namespace {

void Fire(AvahiWatch* w, AvahiWatchEvent event) {
    w->happened = event;
    w->callback(w, w->fd, event, w->userdata);  // `w` may be gone now
}

void WatchUpdate(AvahiWatch* w, AvahiWatchEvent event) {
    w->wanted = event;
    w->read->setEnabled(event & (AVAHI_WATCH_IN | AVAHI_WATCH_ERR | AVAHI_WATCH_HUP));
    w->write->setEnabled(event & AVAHI_WATCH_OUT);
}

AvahiWatch* WatchNew(const AvahiPoll*, int fd, AvahiWatchEvent event, AvahiWatchCallback callback,
                     void* userdata) {
    auto* w = new AvahiWatch;
    w->fd = fd;
    w->callback = callback;
    w->userdata = userdata;
    w->read = new QSocketNotifier(fd, QSocketNotifier::Read);
    w->write = new QSocketNotifier(fd, QSocketNotifier::Write);
    QObject::connect(w->read, &QSocketNotifier::activated, [w] { Fire(w, AVAHI_WATCH_IN); });
    QObject::connect(w->write, &QSocketNotifier::activated, [w] { Fire(w, AVAHI_WATCH_OUT); });
    WatchUpdate(w, event);
    return w;
}

AvahiWatchEvent WatchGetEvents(AvahiWatch* w) {
    return w->happened;
}

void WatchFree(AvahiWatch* w) {
    for (QSocketNotifier* notifier : {w->read, w->write}) {
        notifier->setEnabled(false);
        QObject::disconnect(notifier, nullptr, nullptr, nullptr);
        notifier->deleteLater();
    }
    delete w;
}

// Avahi's times are of the wall clock, as gettimeofday() tells it.
void Arm(AvahiTimeout* t, const struct timeval* tv) {
    if (!tv) {
        t->timer->stop();
        return;
    }
    struct timeval now {};
    gettimeofday(&now, nullptr);
    const long long us = (tv->tv_sec - now.tv_sec) * 1000000LL + (tv->tv_usec - now.tv_usec);
    t->timer->start(us <= 0 ? 0 : static_cast<int>((us + 999) / 1000));
}

AvahiTimeout* TimeoutNew(const AvahiPoll*, const struct timeval* tv, AvahiTimeoutCallback callback,
                         void* userdata) {
    auto* t = new AvahiTimeout;
    t->callback = callback;
    t->userdata = userdata;
    t->timer = new QTimer;
    t->timer->setSingleShot(true);
    QObject::connect(t->timer, &QTimer::timeout, [t] { t->callback(t, t->userdata); });
    Arm(t, tv);
    return t;
}

void TimeoutUpdate(AvahiTimeout* t, const struct timeval* tv) {
    Arm(t, tv);
}

void TimeoutFree(AvahiTimeout* t) {
    t->timer->stop();
    QObject::disconnect(t->timer, nullptr, nullptr, nullptr);
    t->timer->deleteLater();
    delete t;
}

}  // namespace

const AvahiPoll* QtAvahiPoll() {
    static const AvahiPoll poll = {nullptr,   WatchNew,   WatchUpdate,   WatchGetEvents,
                                   WatchFree, TimeoutNew, TimeoutUpdate, TimeoutFree};
    return &poll;
}

}  // namespace ClassFind
