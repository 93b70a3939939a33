#include "platform/simulated_line.h"

namespace {

constexpr char Request = '\xF2';

}  // namespace

SimulatedLine::SimulatedLine(std::unique_ptr<sim::Profile> profile) : profile_(std::move(profile)) {
    clock_.start();
}

bool SimulatedLine::setPortOpen(bool open) {
    open_ = open;
    answers_.clear();
    return true;
}

bool SimulatedLine::output(const QByteArray& bytes) {
    if (!open_) return false;
    for (const char byte : bytes)
        if (byte == Request) answers_ += static_cast<char>(profile_->next(clock_.elapsed() / 1000.0));
    return true;
}

QByteArray SimulatedLine::input() {
    QByteArray all;
    all.swap(answers_);
    return all;
}
