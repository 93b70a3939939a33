// The class opened on this PC announced on the local network, and the classes announced there
// looked for: over DNS-SD, through the system's own service (Avahi's daemon on Linux, the DNS
// client of Windows 10 and later). Where the system has none, or it is not running, nothing is
// announced and nothing found, and the program goes on as without: the PC's name is typed.
// Everything reported is reported on the thread of Qt's event loop.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "classfind/service_record.h"

namespace ClassFind {

class ClassAnnouncer {
  public:
    virtual ~ClassAnnouncer() = default;  // withdraws what it announced
    // Announces the class `className` open on this PC at `port`, in place of any before.
    virtual void announce(const QString& className, int port) = 0;
    // Withdraws the class announced, if any.
    virtual void withdraw() = 0;
};

class ClassBrowser {
  public:
    struct Callbacks {
        std::function<void(const ResolvedService& service)> found;
        std::function<void(const QString& instance, const QString& seenOn)> lost;
    };
    virtual ~ClassBrowser() = default;  // stops looking
    // Starts looking for classes, reporting each found and lost until it is destroyed.
    virtual void browse(const Callbacks& callbacks) = 0;
};

using MakeBrowser = std::function<std::unique_ptr<ClassBrowser>()>;

// The system's announcer and browser. They say on standard error, once a run, when the
// system's service cannot be reached, and do nothing more.
std::unique_ptr<ClassAnnouncer> SystemAnnouncer();
std::unique_ptr<ClassBrowser> SystemBrowser();

}  // namespace ClassFind
