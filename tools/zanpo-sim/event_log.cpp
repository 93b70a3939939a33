#include "event_log.h"

namespace sim {

EventLog::EventLog(bool on, const std::string& path) : on_(on) {
    if (!on_) return;
    if (path.empty()) {
        out_ = stderr;
        return;
    }
    out_ = std::fopen(path.c_str(), "a");
    own_ = true;
}

EventLog::~EventLog() {
    if (own_ && out_) std::fclose(out_);
}

void EventLog::bytes(double seconds, const char* what, const std::vector<uint8_t>& data) {
    if (!on_ || !out_) return;
    std::fprintf(out_, "%.3f %s", seconds, what);
    for (const uint8_t b : data) std::fprintf(out_, " %02x", b);
    std::fputc('\n', out_);
    std::fflush(out_);
}

void EventLog::note(double seconds, const std::string& what) {
    if (!on_ || !out_) return;
    std::fprintf(out_, "%.3f %s\n", seconds, what.c_str());
    std::fflush(out_);
}

}  // namespace sim
