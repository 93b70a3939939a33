#include "pty_box.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

namespace sim {

bool PtyBox::open() {
    close();
    struct termios raw {};
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    char name[128] = {};
    if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        master_ = slave_ = -1;
        return false;
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    slaveName_ = name;
    if (link_.empty()) return true;
    // Replace the link in one step: the program never sees it missing while the box is here.
    const std::string fresh = link_ + ".new";
    ::unlink(fresh.c_str());
    if (::symlink(slaveName_.c_str(), fresh.c_str()) != 0 ||
        std::rename(fresh.c_str(), link_.c_str()) != 0) {
        close();
        return false;
    }
    return true;
}

void PtyBox::close() {
    if (master_ < 0) return;
    if (!link_.empty()) ::unlink(link_.c_str());
    ::close(slave_);
    ::close(master_);
    master_ = slave_ = -1;
}

}  // namespace sim
