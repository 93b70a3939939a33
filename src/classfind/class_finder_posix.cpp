// Announcing and looking for classes through Avahi's daemon, over D-Bus, on Qt's event loop.
#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/strlst.h>

#include <QCoreApplication>
#include <QSysInfo>
#include <cstdio>

#include "classfind/avahi_poll.h"
#include "classfind/class_finder.h"

namespace ClassFind {

namespace {

// Once a run: without Avahi's daemon (no D-Bus, a container) classes are neither announced
// nor found, and the PC's name is typed.
void SayOnce(const char* what, int error) {
    static bool said = false;
    if (said) return;
    said = true;
    std::fprintf(stderr, "%s: %s (Avahi: %s)\n", qPrintable(QCoreApplication::applicationName()),
                 what, avahi_strerror(error));
}

AvahiClient* NewClient(AvahiClientCallback changed, void* self, const char* what) {
    int error = 0;
    AvahiClient* client =
        avahi_client_new(QtAvahiPoll(), AvahiClientFlags(0), changed, self, &error);
    if (!client) SayOnce(what, error);
    return client;
}

constexpr const char* NotAnnounced = "the class is not announced on the network";
constexpr const char* NotLooked = "classes are not looked for on the network";

class AvahiAnnouncer : public ClassAnnouncer {
  public:
    ~AvahiAnnouncer() override {
        if (client_) avahi_client_free(client_);  // and its entry group with it
    }

    void announce(const QString& className, int port) override {
        className_ = className;
        port_ = port;
        name_ = InstanceName(className, QSysInfo::machineHostName()).toUtf8();
        if (!client_)
            client_ = NewClient(ClientChanged, this, NotAnnounced);
        else if (avahi_client_get_state(client_) == AVAHI_CLIENT_S_RUNNING)
            publish(client_);
    }

    void withdraw() override {
        className_.clear();
        if (group_) avahi_entry_group_reset(group_);
    }

  private:
    static void ClientChanged(AvahiClient* client, AvahiClientState state, void* self) {
        auto* a = static_cast<AvahiAnnouncer*>(self);
        if (state == AVAHI_CLIENT_S_RUNNING) {
            a->publish(client);
        } else if (state == AVAHI_CLIENT_S_COLLISION || state == AVAHI_CLIENT_S_REGISTERING) {
            // The PC's own name is being settled: announced again once it runs.
            if (a->group_) avahi_entry_group_reset(a->group_);
        } else if (state == AVAHI_CLIENT_FAILURE) {
            SayOnce(NotAnnounced, avahi_client_errno(client));
        }
    }

    static void GroupChanged(AvahiEntryGroup* group, AvahiEntryGroupState state, void* self) {
        auto* a = static_cast<AvahiAnnouncer*>(self);
        if (state == AVAHI_ENTRY_GROUP_COLLISION) {
            // Another PC's class has the name: "2-1 @ pc #2" and so on.
            a->rename();
            a->publish(avahi_entry_group_get_client(group));
        } else if (state == AVAHI_ENTRY_GROUP_FAILURE) {
            SayOnce(NotAnnounced, avahi_client_errno(avahi_entry_group_get_client(group)));
        }
    }

    void rename() {
        char* other = avahi_alternative_service_name(name_.constData());
        name_ = other;
        avahi_free(other);
    }

    void publish(AvahiClient* client) {
        if (className_.isEmpty()) return;
        if (!group_) group_ = avahi_entry_group_new(client, GroupChanged, this);
        if (!group_) return SayOnce(NotAnnounced, avahi_client_errno(client));
        avahi_entry_group_reset(group_);
        AvahiStringList* txt = nullptr;
        for (const QByteArray& item : TxtRecord(className_))
            txt = avahi_string_list_add_arbitrary(
                txt, reinterpret_cast<const uint8_t*>(item.constData()), item.size());
        int result = AVAHI_ERR_COLLISION;
        for (int tries = 0; result == AVAHI_ERR_COLLISION && tries < 10; ++tries) {
            result = avahi_entry_group_add_service_strlst(
                group_, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, AvahiPublishFlags(0),
                name_.constData(), ServiceType, nullptr, nullptr, uint16_t(port_), txt);
            if (result == AVAHI_ERR_COLLISION) rename();
        }
        avahi_string_list_free(txt);
        if (result >= 0) result = avahi_entry_group_commit(group_);
        if (result < 0) SayOnce(NotAnnounced, result);
    }

    AvahiClient* client_ = nullptr;
    AvahiEntryGroup* group_ = nullptr;
    QString className_;
    int port_ = 0;
    QByteArray name_;
};

class AvahiBrowser : public ClassBrowser {
  public:
    ~AvahiBrowser() override {
        if (client_) avahi_client_free(client_);  // its browser and resolvers with it
    }

    void browse(const Callbacks& callbacks) override {
        callbacks_ = callbacks;
        if (!client_) client_ = NewClient(ClientChanged, this, NotLooked);
    }

  private:
    static QString SeenOn(AvahiIfIndex interface, AvahiProtocol protocol) {
        return QString::number(interface) + QLatin1Char('/') + QString::number(protocol);
    }

    static void ClientChanged(AvahiClient* client, AvahiClientState state, void* self) {
        auto* b = static_cast<AvahiBrowser*>(self);
        if (state == AVAHI_CLIENT_S_RUNNING && !b->browser_) {
            b->browser_ =
                avahi_service_browser_new(client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, ServiceType,
                                          nullptr, AvahiLookupFlags(0), Browsed, b);
            if (!b->browser_) SayOnce(NotLooked, avahi_client_errno(client));
        } else if (state == AVAHI_CLIENT_FAILURE) {
            SayOnce(NotLooked, avahi_client_errno(client));
        }
    }

    static void Browsed(AvahiServiceBrowser* browser, AvahiIfIndex interface,
                        AvahiProtocol protocol, AvahiBrowserEvent event, const char* name,
                        const char* type, const char* domain, AvahiLookupResultFlags, void* self) {
        auto* b = static_cast<AvahiBrowser*>(self);
        AvahiClient* client = avahi_service_browser_get_client(browser);
        if (event == AVAHI_BROWSER_NEW) {
            // Freed when it has answered; with the client, if it never does.
            if (!avahi_service_resolver_new(client, interface, protocol, name, type, domain,
                                            AVAHI_PROTO_UNSPEC, AvahiLookupFlags(0), Resolved, b))
                SayOnce(NotLooked, avahi_client_errno(client));
        } else if (event == AVAHI_BROWSER_REMOVE) {
            if (b->callbacks_.lost)
                b->callbacks_.lost(QString::fromUtf8(name), SeenOn(interface, protocol));
        } else if (event == AVAHI_BROWSER_FAILURE) {
            SayOnce(NotLooked, avahi_client_errno(client));
        }
    }

    static void Resolved(AvahiServiceResolver* resolver, AvahiIfIndex interface,
                         AvahiProtocol protocol, AvahiResolverEvent event, const char* name,
                         const char*, const char*, const char* host, const AvahiAddress*,
                         uint16_t port, AvahiStringList* txt, AvahiLookupResultFlags, void* self) {
        auto* b = static_cast<AvahiBrowser*>(self);
        if (event == AVAHI_RESOLVER_FOUND && b->callbacks_.found) {
            ResolvedService service;
            service.instance = QString::fromUtf8(name);
            service.seenOn = SeenOn(interface, protocol);
            service.host = QString::fromUtf8(host);
            service.port = port;
            for (AvahiStringList* item = txt; item; item = avahi_string_list_get_next(item))
                service.txt << QByteArray(
                    reinterpret_cast<const char*>(avahi_string_list_get_text(item)),
                    qsizetype(avahi_string_list_get_size(item)));
            b->callbacks_.found(service);
        }
        avahi_service_resolver_free(resolver);
    }

    AvahiClient* client_ = nullptr;
    AvahiServiceBrowser* browser_ = nullptr;
    Callbacks callbacks_;
};

}  // namespace

std::unique_ptr<ClassAnnouncer> SystemAnnouncer() {
    return std::make_unique<AvahiAnnouncer>();
}

std::unique_ptr<ClassBrowser> SystemBrowser() {
    return std::make_unique<AvahiBrowser>();
}

}  // namespace ClassFind
