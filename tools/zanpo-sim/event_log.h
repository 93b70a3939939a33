// The box's diary: every byte received and sent, with seconds since the start.
//   0.000 open /tmp/x/zanpo -> /dev/pts/3
//   0.512 rx 00
//   0.713 rx f2
//   0.713 tx 3c
//   1.020 noise a7
//   5.000 vanish
//   6.000 return /tmp/x/zanpo -> /dev/pts/4
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace sim {

class EventLog {
  public:
    // Logs nothing unless `on`; to `path`, or to stderr when it is empty.
    EventLog(bool on, const std::string& path);
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    bool ok() const { return !on_ || out_ != nullptr; }
    void bytes(double seconds, const char* what, const std::vector<uint8_t>& data);
    void note(double seconds, const std::string& what);

  private:
    bool on_;
    FILE* out_ = nullptr;
    bool own_ = false;
};

}  // namespace sim
