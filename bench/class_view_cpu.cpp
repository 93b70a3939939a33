// The class view as a teacher's PC sees it late in a lesson: 40 groups' lessons of 9 800 ticks
// held, and every group ticking twice a second, the messages arriving one by one as from the
// broker. Prints the share of one core the view took while the class ticked for SECONDS (20,
// at most 100: a lesson ends at tick 10 000).
//   class_view_cpu [SECONDS]
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

#include "bench/class_of_forty.h"
#include "classview/class_window.h"
#include "platform/fonts.h"

namespace {

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// The event loop for `ms`, as the program runs it: waiting when nothing is to be done.
void Turn(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = std::clamp(argc > 1 ? std::atoi(argv[1]) : 20, 1, 100);
    constexpr int Held = 9800;
    ReadFontConfiguration();
    QApplication app(argc, argv);
    UseGothicByDefault();
    ClassView::ClassWindow window;
    window.show();
    // The view watches no class: the messages come with an empty class's name.
    const auto take = [&window](const QByteArray& topic, const QByteArray& payload) {
        window.receive(topic, payload);
    };
    ClassOfFortyMessages(QString(), take, Held);
    Turn(1000);

    // The messages of the lesson going on, made beforehand: the view's work alone is measured.
    std::vector<std::pair<QByteArray, QByteArray>> messages;
    for (int t = Held; t < Held + 2 * seconds; ++t)
        ClassOfFortyTick(QString(), t, [&messages](const QByteArray& topic, const QByteArray& p) {
            messages.emplace_back(topic, p);
        });
    // 40 groups twice a second: a message every 12.5 ms, two every 25 ms.
    size_t next = 0;
    QTimer feed;
    QObject::connect(&feed, &QTimer::timeout, [&] {
        for (int i = 0; i < 2 && next < messages.size(); ++i, ++next)
            window.receive(messages[next].first, messages[next].second);
    });
    const double before = CpuSeconds();
    QElapsedTimer clock;
    clock.start();
    feed.start(25);
    Turn(seconds * 1000);
    const double share = (CpuSeconds() - before) / (clock.elapsed() / 1000.0);
    if (window.dropped() > 0 || next + 80 < messages.size()) {
        std::fprintf(stderr, "class_view_cpu: %d messages taken, %zu fed in %lld ms\n", window.received(), next, clock.elapsed());
        return 1;
    }
    std::printf("%.5f\n", share);
    return 0;
}
