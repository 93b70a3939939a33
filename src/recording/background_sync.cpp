#include "recording/background_sync.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/plain_file.h"

namespace Vexo {

namespace {

constexpr size_t MaxWaiting = 8;

struct Syncer {
    std::mutex mutex;
    std::condition_variable wake;
    std::vector<int> waiting;
};

void Run(Syncer* syncer) {
    for (;;) {
        std::vector<int> fds;
        {
            std::unique_lock<std::mutex> lock(syncer->mutex);
            syncer->wake.wait(lock, [syncer] { return !syncer->waiting.empty(); });
            fds.swap(syncer->waiting);
        }
        for (int fd : fds) {
            PlainFile::Sync(fd);
            PlainFile::Close(fd);
        }
    }
}

// Started on first use and kept to the end of the program, which does not wait for it:
// what is still in the system's cache then is written by the system.
Syncer& TheSyncer() {
    static Syncer* syncer = [] {
        auto* s = new Syncer;
        std::thread(Run, s).detach();
        return s;
    }();
    return *syncer;
}

}  // namespace

void SyncInBackground(int fd) {
    if (fd < 0) return;
    Syncer& syncer = TheSyncer();
    {
        std::lock_guard<std::mutex> lock(syncer.mutex);
        if (syncer.waiting.size() < MaxWaiting) {
            syncer.waiting.push_back(fd);
            fd = -1;
        }
    }
    if (fd >= 0)
        PlainFile::Close(fd);
    else
        syncer.wake.notify_one();
}

int DuplicateForSync(int fd) {
    return PlainFile::Duplicate(fd);
}

}  // namespace Vexo
