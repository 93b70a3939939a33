// zanpo-sim: a simulated Zanpo measurement box on a pseudo-terminal.
//
// The box answers each request byte F2 with one raw byte taken from a profile. It can
// misbehave on purpose (stay silent at first, answer late or with several bytes, send
// noise, go away and come back) so that the program's handling of a real box's troubles
// can be tried without one. See --help.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <random>

#include "child.h"
#include "event_log.h"
#include "options.h"
#include "platform/box_profile.h"
#include "pty_box.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint8_t RequestByte = 0xF2;

int SignalPipe[2] = {-1, -1};

// Signals only wake the main loop; it decides what to do.
void OnSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ignored = write(SignalPipe[1], &byte, 1);
    errno = saved;
}

void CatchSignals() {
    if (pipe(SignalPipe) != 0) return;
    for (int fd : SignalPipe) {
        fcntl(fd, F_SETFL, O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGCHLD, SIGTERM, SIGINT, SIGHUP}) sigaction(s, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

struct Answer {
    Clock::time_point due;
    std::vector<uint8_t> bytes;
};

class Box {
  public:
    Box(const sim::Options& options, std::unique_ptr<sim::Profile> profile)
        : o_(options),
          profile_(std::move(profile)),
          pty_(options.link),
          log_(options.log, options.logFile),
          random_(options.noiseStart),
          start_(Clock::now()) {}

    int run();

  private:
    double seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }
    Clock::time_point at(double s) const {
        return start_ +
               std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
    }
    bool plugIn(const char* what);
    void receive();
    void answer(Clock::time_point now);
    void sendNoise(Clock::time_point now);
    int waitMs(Clock::time_point now) const;
    bool handleSignals();  // false when the box should stop

    const sim::Options& o_;
    std::unique_ptr<sim::Profile> profile_;
    sim::PtyBox pty_;
    sim::EventLog log_;
    std::mt19937 random_;
    Clock::time_point start_;
    std::deque<Answer> answers_;
    Clock::time_point nextNoise_;
    bool vanished_ = false;
    pid_t child_ = -1;
    int childExit_ = 0;
    bool stop_ = false;
};

bool Box::plugIn(const char* what) {
    if (!pty_.open()) {
        std::fprintf(stderr, "zanpo-sim: cannot open a pty: %s\n", std::strerror(errno));
        return false;
    }
    log_.note(seconds(), std::string(what) + " " + pty_.devicePath() + " -> " + pty_.slaveName());
    return true;
}

void Box::receive() {
    uint8_t buffer[256];
    const ssize_t n = read(pty_.fd(), buffer, sizeof buffer);
    if (n <= 0) return;
    const double now = seconds();
    for (ssize_t i = 0; i < n; ++i) {
        log_.bytes(now, "rx", {buffer[i]});
        // Only requests are answered; the opening bytes and anything else are ignored.
        if (buffer[i] != RequestByte || now < o_.silentFor) continue;
        Answer a;
        a.due = Clock::now() + std::chrono::milliseconds(o_.delayMs);
        const uint8_t raw = profile_->next(now);
        for (int k = 0; k < o_.burst; ++k) a.bytes.push_back(static_cast<uint8_t>(raw + 85 * k));
        answers_.push_back(std::move(a));
    }
}

void Box::answer(Clock::time_point now) {
    while (!answers_.empty() && answers_.front().due <= now) {
        const auto& bytes = answers_.front().bytes;
        if (write(pty_.fd(), bytes.data(), bytes.size()) > 0) log_.bytes(seconds(), "tx", bytes);
        answers_.pop_front();
    }
}

void Box::sendNoise(Clock::time_point now) {
    if (o_.noise <= 0) return;
    const auto slot = std::chrono::milliseconds(o_.noiseEveryMs);
    while (nextNoise_ <= now) {
        nextNoise_ += slot;
        if (std::uniform_real_distribution<double>(0, 1)(random_) >= o_.noise) continue;
        const auto byte = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 255)(random_));
        if (write(pty_.fd(), &byte, 1) > 0) log_.bytes(seconds(), "noise", {byte});
    }
}

// Until the next thing the box has to do by itself; -1 when there is none.
int Box::waitMs(Clock::time_point now) const {
    Clock::time_point next = Clock::time_point::max();
    if (!answers_.empty()) next = std::min(next, answers_.front().due);
    if (o_.noise > 0 && pty_.isOpen()) next = std::min(next, nextNoise_);
    if (o_.vanishAfter >= 0 && !vanished_) next = std::min(next, at(o_.vanishAfter));
    if (vanished_ && !pty_.isOpen() && o_.returnAfter >= 0)
        next = std::min(next, at(o_.vanishAfter + o_.returnAfter));
    if (next == Clock::time_point::max()) return -1;
    if (next <= now) return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

bool Box::handleSignals() {
    char signals[32];
    ssize_t n;
    while ((n = read(SignalPipe[0], signals, sizeof signals)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            if (signals[i] == SIGCHLD) continue;
            // Asked to stop: pass it on to the program and end with it, or end now.
            if (child_ > 0)
                kill(child_, SIGTERM);
            else
                return false;
        }
    }
    if (child_ > 0) {
        int status = 0;
        if (waitpid(child_, &status, WNOHANG) == child_) {
            childExit_ = sim::ExitCode(status);
            log_.note(seconds(), "program ended " + std::to_string(childExit_));
            return false;
        }
    }
    return true;
}

int Box::run() {
    if (!log_.ok()) {
        std::fprintf(stderr, "zanpo-sim: cannot write the log %s\n", o_.logFile.c_str());
        return 2;
    }
    if (!plugIn("open")) return 1;
    std::printf("%s\n", pty_.devicePath().c_str());
    std::fflush(stdout);
    nextNoise_ = Clock::now();
    if (!o_.run.empty()) {
        child_ = sim::StartProgram(o_.run, pty_.devicePath());
        if (child_ < 0) return 1;
    }
    for (;;) {
        const auto now = Clock::now();
        if (!vanished_ && o_.vanishAfter >= 0 && now >= at(o_.vanishAfter)) {
            vanished_ = true;
            answers_.clear();
            pty_.close();
            log_.note(seconds(), "vanish");
        }
        if (vanished_ && !pty_.isOpen() && o_.returnAfter >= 0 &&
            now >= at(o_.vanishAfter + o_.returnAfter)) {
            if (!plugIn("return")) return 1;
        }
        if (pty_.isOpen()) {
            answer(now);
            sendNoise(now);
        }

        pollfd fds[2] = {{SignalPipe[0], POLLIN, 0}, {pty_.fd(), POLLIN, 0}};
        const int count = pty_.isOpen() ? 2 : 1;
        if (poll(fds, count, waitMs(Clock::now())) < 0 && errno != EINTR) {
            std::perror("zanpo-sim: poll");
            return 1;
        }
        if (fds[0].revents && !handleSignals()) break;
        if (count == 2 && (fds[1].revents & POLLIN)) receive();
    }
    pty_.close();
    return childExit_;
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = sim::ParseOptions(argc, argv);
    if (!options) {
        sim::PrintUsage();
        return 2;
    }
    std::string error;
    auto profile =
        sim::MakeProfile(options->profile, options->sensorLow, options->sensorHigh, error);
    if (!profile) {
        std::fprintf(stderr, "zanpo-sim: %s\n", error.c_str());
        return 2;
    }
    CatchSignals();
    Box box(*options, std::move(profile));
    return box.run();
}
