#include "classlink/broker_link.h"

#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <optional>

#include "classlink/mosquitto_api.h"

namespace ClassLink {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int KeepAliveSeconds = 10;
// How long a connection may wait for the broker's answer before it counts as silent.
constexpr auto SilentAfter = std::chrono::seconds(8);
// Between two attempts: soon after a lost line, seldom when the broker refused the user.
constexpr auto RetryAfter = std::chrono::seconds(1);
constexpr auto RetryRefusedAfter = std::chrono::seconds(10);
// How long the end of the program waits for the network thread; a broker that does not
// answer is left behind with it.
constexpr auto LongestGoodbye = std::chrono::milliseconds(1500);
// MQTT 5's "unsupported protocol version", and 3.1.1's: the broker is spoken to in 3.1.1.
constexpr int OldBroker = 0x84, OldBrokerV311 = 1;
// MQTT 5's "session taken over", sent by a broker that puts a client off for another.
constexpr int SessionTakenOver = 0x8E;
// A broker that puts a client off when another signs in under its name (Mosquitto with
// use_username_as_clientid: each group's user) mostly just closes the line. Closed so twice,
// the second time this soon after the broker let the client in again, and this soon after
// the first: another client holds the name, and comes back each time it is put off in turn.
// A broker restarted closes the line once.
constexpr auto PutOffSoonAfterConnecting = std::chrono::seconds(5);
constexpr auto PutOffAgainWithin = std::chrono::seconds(30);

}  // namespace

struct BrokerLink::Shared {
    const MosquittoApi* api = nullptr;
    mosquitto* mosq = nullptr;
    ClassAddress address;
    std::mutex lock;  // guards the callbacks, which the owner clears when it goes
    Callbacks callbacks;
    QList<QByteArray> subscriptions;
    std::atomic<bool> connected{false};
    std::atomic<bool> stopping{false};
    std::atomic<bool> finished{false};

    // The network thread's own: the fault told last, and what this attempt has learnt.
    LinkFault fault = LinkFault::None;
    bool attemptFaulted = false;
    bool attemptConnected = false;
    Clock::time_point attemptStart;
    Clock::time_point connectedAt;
    std::optional<Clock::time_point> lastPutOff;  // the line closed by the broker, once in
    bool oldBroker = false;

    ~Shared() {
        if (mosq) api->destroy(mosq);
    }

    template <typename Call>
    void tell(Call call) {
        const std::lock_guard<std::mutex> guard(lock);
        call(callbacks);
    }

    void setFault(LinkFault f) {
        if (f != LinkFault::None && f != LinkFault::Connecting) attemptFaulted = true;
        if (f == fault) return;
        fault = f;
        tell([f](Callbacks& c) {
            if (c.fault) c.fault(f);
        });
    }

    static Shared& Of(void* self) { return *static_cast<Shared*>(self); }

    static void OnConnect(mosquitto* mosq, void* self, int rc, int, const mosquitto_property*) {
        Shared& s = Of(self);
        if (rc != 0) {
            if ((rc == OldBroker || rc == OldBrokerV311) && !s.oldBroker) {
                s.oldBroker = true;  // tried again soon, in 3.1.1
                s.api->int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
                s.attemptFaulted = true;  // no fault to tell: the attempt simply ends
                return;
            }
            LinkFault f = FaultOfRefusal(rc);
            // A broker refuses a wrong password and a missing one alike, as "not authorised".
            if (f == LinkFault::NotAllowed && (rc == 5 || rc == 0x87))
                f = s.address.user.isEmpty() ? LinkFault::NeedsLogin : LinkFault::BadLogin;
            s.setFault(f);
            return;
        }
        for (const QByteArray& pattern : s.subscriptions)
            s.api->subscribe(mosq, nullptr, pattern.constData(), 1);
        s.attemptConnected = true;
        s.connectedAt = Clock::now();
        s.connected = true;
        s.setFault(LinkFault::None);
        s.tell([](Callbacks& c) {
            if (c.connection) c.connection(true);
        });
    }

    static void OnDisconnect(mosquitto*, void* self, int rc, const mosquitto_property*) {
        const int error = errno;
        Shared& s = Of(self);
        const bool was = s.connected.exchange(false);
        if (was)
            s.tell([](Callbacks& c) {
                if (c.connection) c.connection(false);
            });
        if (s.stopping || s.attemptFaulted) return;
        if (rc == SessionTakenOver)
            s.setFault(LinkFault::TakenOver);
        else if (!s.attemptConnected && rc == MOSQ_ERR_KEEPALIVE)
            s.setFault(LinkFault::Silent);
        else if (!s.attemptConnected)
            s.setFault(s.tlsLineEnd(rc, error, LinkFault::Refused));
        else if (rc == MOSQ_ERR_CONN_LOST && s.putOffAgain())
            s.setFault(LinkFault::TakenOver);
        else
            s.setFault(LinkFault::Lost);
    }

    // The fault of a TLS connection's line that ended before the broker answered, or `otherwise`.
    LinkFault tlsLineEnd(int rc, int error, LinkFault otherwise) const {
        const LinkFault f =
            address.tls ? FaultOfTlsLineEnd(rc == MOSQ_ERR_CONN_LOST, error) : LinkFault::None;
        return f != LinkFault::None ? f : otherwise;
    }

    // The broker closed the line of a connection it had let in: true when it did so before,
    // and the client has held its name only briefly since (see PutOffSoonAfterConnecting).
    bool putOffAgain() {
        const auto now = Clock::now();
        const bool again = lastPutOff && now - *lastPutOff < PutOffAgainWithin &&
                           now - connectedAt < PutOffSoonAfterConnecting;
        lastPutOff = now;
        return again;
    }

    static void OnPublish(mosquitto*, void* self, int mid, int reason, const mosquitto_property*) {
        Shared& s = Of(self);
        // A reason of 0x80 or more: the broker took the message and dropped it.
        if (reason >= 0x80) {
            s.setFault(LinkFault::Denied);
            return;
        }
        if (s.fault == LinkFault::Denied) s.setFault(LinkFault::None);
        s.tell([mid](Callbacks& c) {
            if (c.acknowledged) c.acknowledged(mid);
        });
    }

    static void OnMessage(mosquitto*, void* self, const mosquitto_message* m) {
        if (!m->topic) return;
        const QByteArray topic(m->topic);
        const QByteArray payload(static_cast<const char*>(m->payload), m->payloadlen);
        Of(self).tell([&](Callbacks& c) {
            if (c.received) c.received(topic, payload);
        });
    }

    static void OnLog(mosquitto*, void* self, int level, const char* text) {
        Shared& s = Of(self);
        // The first error of an attempt is its cause; what OpenSSL says after it follows from it.
        if (!(level & MOSQ_LOG_ERR) || !text || s.attemptFaulted) return;
        const LinkFault f = FaultOfTlsMessage(QString::fromUtf8(text));
        if (f != LinkFault::None) s.setFault(f);
    }

    // The fault of an attempt that ended with `rc`, unless the attempt has said it already.
    void attemptEnded(int rc, int error) {
        if (attemptFaulted || stopping) return;
        if (rc == MOSQ_ERR_EAI)
            setFault(LinkFault::NameNotFound);
        else if (rc == MOSQ_ERR_TLS)
            setFault(tlsLineEnd(rc, error, LinkFault::Tls));
        else if (!attemptConnected && tlsLineEnd(rc, error, LinkFault::None) != LinkFault::None)
            setFault(tlsLineEnd(rc, error, LinkFault::None));
        else if (rc == MOSQ_ERR_KEEPALIVE)
            setFault(attemptConnected ? LinkFault::Lost : LinkFault::Silent);
        else
            setFault(FaultOfSystemError(error, attemptConnected));
    }

    void pause(Clock::duration length) {
        const auto until = Clock::now() + length;
        while (!stopping && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    void run() {
        setFault(LinkFault::Connecting);
        attemptStart = Clock::now();
        // Looking the broker's name up may take long: here, not on the caller's thread.
        int rc = api->connect_async(mosq, address.host.toUtf8().constData(), address.port,
                                    KeepAliveSeconds);
        int error = errno;
        while (!stopping) {
            if (rc == MOSQ_ERR_SUCCESS) {
                rc = api->loop(mosq, 500, 1);
                error = errno;
                if (rc == MOSQ_ERR_SUCCESS && !connected && !attemptFaulted &&
                    Clock::now() - attemptStart > SilentAfter)
                    setFault(LinkFault::Silent);
                continue;
            }
            attemptEnded(rc, error);
            if (fault == LinkFault::TakenOver) {
                // Connecting again would put the other client off in turn, and so on without
                // end: this one gives way.
                while (!stopping) std::this_thread::sleep_for(std::chrono::milliseconds(50));
                break;
            }
            const bool refused = fault == LinkFault::BadLogin || fault == LinkFault::NeedsLogin ||
                                 fault == LinkFault::NotAllowed;
            pause(refused ? RetryRefusedAfter : RetryAfter);
            if (stopping) break;
            attemptFaulted = attemptConnected = false;
            attemptStart = Clock::now();
            rc = api->reconnect_async(mosq);
            error = errno;
        }
        finished = true;
    }
};

BrokerLink::BrokerLink(const ClassAddress& address, const QString& clientId, const Will& will,
                       Callbacks callbacks)
    : shared_(std::make_shared<Shared>()) {
    Shared& s = *shared_;
    s.api = Mosquitto(&error_);
    if (!s.api) {
        setUpFault_ = LinkFault::NoLibrary;
        return;
    }
    const MosquittoApi& api = *s.api;
    s.address = address;
    s.callbacks = std::move(callbacks);
    s.mosq = api.create(clientId.toUtf8().constData(), true, &s);
    if (!s.mosq) {
        error_ = QStringLiteral("libmosquitto could not make a client");
        return;
    }
    api.int_option(s.mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V5);
    api.connect_v5_callback_set(s.mosq, Shared::OnConnect);
    api.disconnect_v5_callback_set(s.mosq, Shared::OnDisconnect);
    api.publish_v5_callback_set(s.mosq, Shared::OnPublish);
    api.message_callback_set(s.mosq, Shared::OnMessage);
    api.log_callback_set(s.mosq, Shared::OnLog);
    if (!address.user.isEmpty())
        api.username_pw_set(
            s.mosq, address.user.toUtf8().constData(),
            address.password.isEmpty() ? nullptr : address.password.toUtf8().constData());
    if (address.tls) {
        if (!address.caFile.isEmpty() && !QFileInfo(address.caFile).isReadable()) {
            setUpFault_ = LinkFault::NoCaFile;
        } else {
            int rc = MOSQ_ERR_SUCCESS;
            if (address.caFile.isEmpty()) {
                rc = api.int_option(s.mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
                // The TLS context made at the first connection, with the system's
                // certificates, serves every connection after it: libmosquitto would otherwise
                // refuse to make it again without a CA file, and never connect again.
                if (rc == MOSQ_ERR_SUCCESS)
                    rc = api.int_option(s.mosq, MOSQ_OPT_SSL_CTX_WITH_DEFAULTS, 0);
            } else {
                rc = api.tls_set(s.mosq, address.caFile.toLocal8Bit().constData(), nullptr, nullptr,
                                 nullptr, nullptr);
            }
            if (rc == MOSQ_ERR_NOT_SUPPORTED)
                setUpFault_ = LinkFault::NoTls;
            else if (rc != MOSQ_ERR_SUCCESS)
                setUpFault_ = LinkFault::Tls;
        }
        if (setUpFault_ != LinkFault::None) error_ = LinkFaultText(setUpFault_);
    }
    if (!will.topic.isEmpty())
        api.will_set(s.mosq, will.topic.constData(), static_cast<int>(will.payload.size()),
                     will.payload.constData(), 1, true);
}

BrokerLink::~BrokerLink() {
    Shared& s = *shared_;
    {
        const std::lock_guard<std::mutex> guard(s.lock);
        s.callbacks = Callbacks();
    }
    s.stopping = true;
    if (s.mosq) s.api->disconnect(s.mosq);
    if (!thread_.joinable()) return;
    const auto until = Clock::now() + LongestGoodbye;
    while (!s.finished && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (s.finished)
        thread_.join();
    else
        thread_.detach();  // it holds its share and ends by itself
}

void BrokerLink::start() {
    if (!shared_->mosq || !error_.isEmpty() || thread_.joinable()) return;
    thread_ = std::thread([shared = shared_] { shared->run(); });
}

void BrokerLink::subscribe(const QList<QByteArray>& patterns) {
    shared_->subscriptions = patterns;
}

bool BrokerLink::connected() const {
    return shared_->connected;
}

int BrokerLink::publish(const QByteArray& topic, const QByteArray& payload, int qos,
                        bool retain) {
    if (!shared_->mosq || !shared_->connected) return -1;
    int mid = 0;
    const int rc =
        shared_->api->publish(shared_->mosq, &mid, topic.constData(),
                              static_cast<int>(payload.size()), payload.constData(), qos, retain);
    return rc == MOSQ_ERR_SUCCESS ? mid : -1;
}

std::unique_ptr<BrokerConnection> ConnectToBroker(const ClassAddress& address,
                                                  const QString& clientId,
                                                  const BrokerConnection::Will& will,
                                                  BrokerConnection::Callbacks callbacks) {
    return std::make_unique<BrokerLink>(address, clientId, will, std::move(callbacks));
}

}  // namespace ClassLink
