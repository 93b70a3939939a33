// Announcing and looking for classes through the DNS client of Windows 10 and later. Its
// DNS-SD routines are looked up in dnsapi.dll while the program runs: a Windows without them
// (or Wine) still starts the program, which then neither announces nor finds a class.
#include <windows.h>
// After windows.h:
#include <windns.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QSysInfo>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "classfind/class_finder.h"

namespace ClassFind {

namespace {

constexpr DWORD RequestPending = 9506;  // DNS_REQUEST_PENDING: the request goes on by itself

using RegisterFn = DWORD(WINAPI*)(PDNS_SERVICE_REGISTER_REQUEST, PDNS_SERVICE_CANCEL);
using BrowseFn = DNS_STATUS(WINAPI*)(PDNS_SERVICE_BROWSE_REQUEST, PDNS_SERVICE_CANCEL);
using BrowseCancelFn = DNS_STATUS(WINAPI*)(PDNS_SERVICE_CANCEL);
using ConstructFn = PDNS_SERVICE_INSTANCE(WINAPI*)(PCWSTR, PCWSTR, PIP4_ADDRESS, PIP6_ADDRESS, WORD,
                                                   WORD, WORD, DWORD, PCWSTR*, PCWSTR*);
using FreeInstanceFn = VOID(WINAPI*)(PDNS_SERVICE_INSTANCE);
using FreeFn = VOID(WINAPI*)(PVOID, DNS_FREE_TYPE);

struct DnsSd {
    RegisterFn registerService = nullptr;
    RegisterFn deregisterService = nullptr;
    ConstructFn constructInstance = nullptr;
    FreeInstanceFn freeInstance = nullptr;
    BrowseFn browse = nullptr;
    BrowseCancelFn browseCancel = nullptr;
    FreeFn free = nullptr;
    bool announces() const {
        return registerService && deregisterService && constructInstance && freeInstance;
    }
    bool browses() const { return browse && browseCancel && free; }
};

template <typename Function>
void Find(HMODULE dll, const char* name, Function& out) {
    out = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

// Looked up once, and never unloaded: the system calls back into it on threads of its own.
const DnsSd& Api() {
    static const DnsSd api = [] {
        DnsSd found;
        HMODULE dll = LoadLibraryW(L"dnsapi.dll");
        if (!dll) return found;
        Find(dll, "DnsServiceRegister", found.registerService);
        Find(dll, "DnsServiceDeRegister", found.deregisterService);
        Find(dll, "DnsServiceConstructInstance", found.constructInstance);
        Find(dll, "DnsServiceFreeInstance", found.freeInstance);
        Find(dll, "DnsServiceBrowse", found.browse);
        Find(dll, "DnsServiceBrowseCancel", found.browseCancel);
        Find(dll, "DnsFree", found.free);
        return found;
    }();
    return api;
}

void SayOnce(const char* what, const char* why) {
    static bool said = false;
    if (said) return;
    said = true;
    std::fprintf(stderr, "%s: %s (%s)\n", qPrintable(QCoreApplication::applicationName()), what,
                 why);
}

constexpr const char* NotAnnounced = "the class is not announced on the network";
constexpr const char* NotLooked = "classes are not looked for on the network";
constexpr const char* NoDnsSd = "this Windows has no DNS-SD";

// The service's domain: ".local", where multicast DNS answers.
QString ServiceSuffix() {
    return QLatin1Char('.') + QLatin1String(ServiceType) + QStringLiteral(".local");
}

std::wstring Wide(const QString& text) {
    return text.toStdWString();
}

QString FromWide(PCWSTR text) {
    return text ? QString::fromWCharArray(text) : QString();
}

// The system's completions free what they are handed, and touch nothing of the announcer.
VOID WINAPI Registered(DWORD, PVOID, PDNS_SERVICE_INSTANCE instance) {
    if (instance) Api().freeInstance(instance);
}

class WindowsAnnouncer : public ClassAnnouncer {
  public:
    ~WindowsAnnouncer() override { withdraw(); }

    void announce(const QString& className, int port) override {
        withdraw();
        const DnsSd& api = Api();
        if (!api.announces()) return SayOnce(NotAnnounced, NoDnsSd);
        const QString pc = QSysInfo::machineHostName();
        const std::wstring name = Wide(InstanceName(className, pc) + ServiceSuffix());
        const std::wstring host = Wide(pc + QStringLiteral(".local"));
        std::vector<std::wstring> keys, values;
        for (const QByteArray& item : TxtRecord(className)) {
            const qsizetype equals = item.indexOf('=');
            keys.push_back(Wide(QString::fromUtf8(item.left(equals))));
            values.push_back(Wide(QString::fromUtf8(item.mid(equals + 1))));
        }
        std::vector<PCWSTR> keyList, valueList;
        for (size_t i = 0; i < keys.size(); ++i) {
            keyList.push_back(keys[i].c_str());
            valueList.push_back(values[i].c_str());
        }
        const PDNS_SERVICE_INSTANCE instance =
            api.constructInstance(name.c_str(), host.c_str(), nullptr, nullptr, WORD(port), 0, 0,
                                  DWORD(keys.size()), keyList.data(), valueList.data());
        if (!instance) return SayOnce(NotAnnounced, "no service instance");
        // Kept to the program's end: the system may read it until the withdrawal is through.
        auto* registration = new Registration;
        registration->instance = instance;
        registration->request.Version = DNS_QUERY_REQUEST_VERSION1;
        registration->request.InterfaceIndex = 0;
        registration->request.pServiceInstance = registration->instance;
        registration->request.pRegisterCompletionCallback = Registered;
        registration->request.pQueryContext = nullptr;
        registration->request.hCredentials = nullptr;
        registration->request.unicastEnabled = FALSE;
        if (api.registerService(&registration->request, nullptr) != RequestPending)
            return SayOnce(NotAnnounced, "the DNS client refused it");
        current_ = registration;
    }

    void withdraw() override {
        if (!current_) return;
        Api().deregisterService(&current_->request, nullptr);
        current_ = nullptr;
    }

  private:
    struct Registration {
        DNS_SERVICE_REGISTER_REQUEST request{};
        PDNS_SERVICE_INSTANCE instance = nullptr;
    };
    Registration* current_ = nullptr;
};

// Where a browse's answers go: from the system's threads to the browser's on Qt's event loop,
// while the browser is there. Kept to the program's end, as the system may answer after the
// browse is cancelled.
struct Mailbox {
    std::mutex lock;
    QObject* receiver = nullptr;  // null once the browser is gone
    std::function<void(const std::vector<ResolvedService>&, const QStringList&)> deliver;
};

QString ShortName(const QString& full) {
    const QString suffix = ServiceSuffix();
    return full.endsWith(suffix, Qt::CaseInsensitive) ? full.left(full.size() - suffix.size())
                                                      : full;
}

// One answer: the services it names (a PTR record each, with the SRV and TXT records that
// came with it), and those it says are gone (a PTR record whose time to live is 0).
VOID WINAPI Browsed(DWORD status, PVOID context, PDNS_RECORD records) {
    auto* mailbox = static_cast<Mailbox*>(context);
    std::vector<ResolvedService> found;
    QStringList lost;
    if (status == ERROR_SUCCESS) {
        std::vector<QString> named;
        auto first = reinterpret_cast<PDNS_RECORDW>(records);
        for (PDNS_RECORDW r = first; r; r = r->pNext)
            if (r->wType == DNS_TYPE_PTR) {
                const QString instance = FromWide(r->Data.PTR.pNameHost);
                if (r->dwTtl == 0)
                    lost << ShortName(instance);
                else
                    named.push_back(instance);
            }
        for (const QString& instance : named) {
            ResolvedService service;
            service.instance = ShortName(instance);
            bool located = false;
            for (PDNS_RECORDW r = first; r; r = r->pNext) {
                if (FromWide(r->pName).compare(instance, Qt::CaseInsensitive) != 0) continue;
                if (r->wType == DNS_TYPE_SRV) {
                    service.host = FromWide(r->Data.SRV.pNameTarget);
                    service.port = r->Data.SRV.wPort;
                    located = true;
                } else if (r->wType == DNS_TYPE_TEXT) {
                    for (DWORD i = 0; i < r->Data.TXT.dwStringCount; ++i)
                        service.txt << FromWide(r->Data.TXT.pStringArray[i]).toUtf8();
                }
            }
            if (located) found.push_back(service);
        }
    }
    if (records) Api().free(records, DnsFreeRecordList);
    const std::lock_guard<std::mutex> hold(mailbox->lock);
    if (!mailbox->receiver || (found.empty() && lost.isEmpty())) return;
    auto deliver = mailbox->deliver;
    QMetaObject::invokeMethod(
        mailbox->receiver, [deliver, found, lost] { deliver(found, lost); }, Qt::QueuedConnection);
}

class WindowsBrowser : public ClassBrowser {
  public:
    ~WindowsBrowser() override {
        if (!mailbox_) return;
        {
            const std::lock_guard<std::mutex> hold(mailbox_->lock);
            mailbox_->receiver = nullptr;
        }
        Api().browseCancel(&cancel_);
    }

    void browse(const Callbacks& callbacks) override {
        callbacks_ = callbacks;
        const DnsSd& api = Api();
        if (!api.browses()) return SayOnce(NotLooked, NoDnsSd);
        if (mailbox_) return;
        mailbox_ = new Mailbox;
        mailbox_->receiver = &receiver_;
        mailbox_->deliver = [this](const std::vector<ResolvedService>& found,
                                   const QStringList& lost) {
            for (const QString& instance : lost)
                if (callbacks_.lost) callbacks_.lost(instance, QString());
            for (const ResolvedService& service : found)
                if (callbacks_.found) callbacks_.found(service);
        };
        query_ = Wide(QLatin1String(ServiceType) + QStringLiteral(".local"));
        DNS_SERVICE_BROWSE_REQUEST request{};
        request.Version = DNS_QUERY_REQUEST_VERSION1;
        request.InterfaceIndex = 0;
        request.QueryName = query_.c_str();
        request.pBrowseCallback = Browsed;
        request.pQueryContext = mailbox_;
        if (api.browse(&request, &cancel_) != RequestPending) {
            mailbox_->receiver = nullptr;
            mailbox_ = nullptr;  // the system may yet hold it: left as it is
            SayOnce(NotLooked, "the DNS client refused it");
        }
    }

  private:
    Callbacks callbacks_;
    QObject receiver_;  // the answers are delivered in its thread, and dropped once it is gone
    Mailbox* mailbox_ = nullptr;
    std::wstring query_;
    DNS_SERVICE_CANCEL cancel_{};
};

}  // namespace

std::unique_ptr<ClassAnnouncer> SystemAnnouncer() {
    return std::make_unique<WindowsAnnouncer>();
}

std::unique_ptr<ClassBrowser> SystemBrowser() {
    return std::make_unique<WindowsBrowser>();
}

}  // namespace ClassFind
