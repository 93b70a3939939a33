// The box's end of the serial line: a pseudo-terminal in raw mode, and optionally a
// symbolic link that always leads to the current one.
#pragma once

#include <string>

namespace sim {

class PtyBox {
  public:
    explicit PtyBox(std::string link) : link_(std::move(link)) {}
    ~PtyBox() { close(); }
    PtyBox(const PtyBox&) = delete;
    PtyBox& operator=(const PtyBox&) = delete;

    // Opens a new pty and points the link at it. False (errno set) when that failed.
    bool open();
    // Closes the pty: the program's side sees the line hang up. The link is removed,
    // so that nobody opens another pty that happens to get the same number.
    void close();

    bool isOpen() const { return master_ >= 0; }
    int fd() const { return master_; }
    // The path the program should open: the link, or the pty itself without one.
    std::string devicePath() const { return link_.empty() ? slaveName_ : link_; }
    const std::string& slaveName() const { return slaveName_; }

  private:
    std::string link_;
    std::string slaveName_;
    int master_ = -1;
    // The box keeps its own handle on the slave side, so that the master never reports
    // a hang-up while the program has the port closed.
    int slave_ = -1;
};

}  // namespace sim
