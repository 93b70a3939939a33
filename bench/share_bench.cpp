// The class view sharing its class: one tick handed to sixty browsers following the page.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QUrl>
#include <vector>

#include "classshare/class_source.h"
#include "classshare/share_server.h"

namespace {

const QString Id = QStringLiteral("2026-12-08T10:42:05");

// The n-th tick the group records, the lesson begun again at its end: each one changes what
// the view holds.
ClassLink::Message Tick(int n) {
    const int index = n % ClassLink::LastTick;
    ClassLink::Message m;
    m.kind = ClassLink::Kind::Tick;
    m.group = QStringLiteral("han1");
    m.tick = {Id, index, index / 2.0, 20 + n % 51 * 0.5, 63};
    return m;
}

// A browser outside Qt's event loop, so that only the view's side is timed: a plain socket
// that has asked for the feed and is emptied between ticks.
int Browser(quint16 port, const QString& token) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return -1;
    const QByteArray head = "GET /" + token.toLatin1() +
                            "/feed HTTP/1.1\r\nHost: x\r\nAccept: text/event-stream\r\n\r\n";
    return ::send(fd, head.constData(), head.size(), 0) == head.size() ? fd : -1;
}

void Empty(int fd) {
    char buffer[65536];
    while (::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
    }
}

void BM_ShareTick60(benchmark::State& state) {
    ClassView::ClassModel model;
    ClassLink::Message status;
    status.kind = ClassLink::Kind::Status;
    status.group = QStringLiteral("han1");
    status.status = {status.group, true, true, "air", -10, 100, Id, "1.0.0"};
    model.take(status);
    ClassShare::ClassSource source(model, QStringLiteral("2-1"));
    ClassShare::ShareServer server(source, {});
    const quint16 port = QUrl(server.start(QHostAddress::LocalHost, 0, "127.0.0.1")).port();
    std::vector<int> browsers;
    for (int i = 0; i < 60; ++i) {
        browsers.push_back(Browser(port, server.token()));
        QCoreApplication::processEvents();  // taken off the listening queue
    }
    for (int i = 0; i < 200 && server.viewers() < 60; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (server.viewers() != 60) state.SkipWithError("the browsers did not join");
    int index = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const ClassLink::Message tick = Tick(index);
        // The view's own work, not the sharing's; at a box's pace, twice a second.
        model.take(tick, ClassView::ClassModel::Clock::time_point(
                             std::chrono::milliseconds(500 * static_cast<long long>(index++))));
        state.ResumeTiming();
        source.taken(tick, server);
        QCoreApplication::processEvents();  // written to the sixty sockets
        state.PauseTiming();
        for (int fd : browsers) Empty(fd);
        state.ResumeTiming();
    }
    if (server.viewers() != 60) state.SkipWithError("a browser was dropped");
    for (int fd : browsers) ::close(fd);
}
BENCHMARK(BM_ShareTick60)->Unit(benchmark::kMicrosecond);

}  // namespace
