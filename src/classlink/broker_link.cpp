#include "classlink/broker_link.h"

#include "classlink/mosquitto_api.h"

#include <atomic>
#include <chrono>
#include <mutex>

namespace ClassLink {

namespace {

constexpr int KeepAliveSeconds = 10;
// How long the end of the program waits for the network thread; a broker that does not
// answer is left behind with it.
constexpr auto LongestGoodbye = std::chrono::milliseconds(1500);
// In flight at once: enough that a whole lesson sent again after a broken line goes quickly.
constexpr int InFlight = 100;

}  // namespace

struct BrokerLink::Shared {
    const MosquittoApi* api = nullptr;
    mosquitto* mosq = nullptr;
    ClassAddress address;
    std::mutex lock;  // guards the callbacks, which the owner clears when it goes
    Callbacks callbacks;
    QByteArray subscription;
    std::atomic<bool> connected{false};
    std::atomic<bool> stopping{false};
    std::atomic<bool> finished{false};

    ~Shared() {
        if (mosq) api->destroy(mosq);
    }

    template <typename Call>
    void tell(Call call) {
        const std::lock_guard<std::mutex> guard(lock);
        call(callbacks);
    }

    static void OnConnect(mosquitto* mosq, void* self, int rc) {
        auto* s = static_cast<Shared*>(self);
        if (rc != 0) return;
        if (!s->subscription.isEmpty())
            s->api->subscribe(mosq, nullptr, s->subscription.constData(), 1);
        s->connected = true;
        s->tell([](Callbacks& c) {
            if (c.connection) c.connection(true);
        });
    }
    static void OnDisconnect(mosquitto*, void* self, int) {
        auto* s = static_cast<Shared*>(self);
        s->connected = false;
        s->tell([](Callbacks& c) {
            if (c.connection) c.connection(false);
        });
    }
    static void OnPublish(mosquitto*, void* self, int mid) {
        static_cast<Shared*>(self)->tell([mid](Callbacks& c) {
            if (c.acknowledged) c.acknowledged(mid);
        });
    }
    static void OnMessage(mosquitto*, void* self, const mosquitto_message* m) {
        if (!m->topic) return;
        const QByteArray topic(m->topic);
        const QByteArray payload(static_cast<const char*>(m->payload), m->payloadlen);
        static_cast<Shared*>(self)->tell([&](Callbacks& c) {
            if (c.received) c.received(topic, payload);
        });
    }

    void run() {
        // Looking the broker's name up may take long: here, not on the caller's thread.
        api->connect_async(mosq, address.host.toUtf8().constData(), address.port,
                                KeepAliveSeconds);
        // loop_forever reconnects after a lost line by itself, and returns after errors it
        // does not retry (a name that could not be looked up) or a goodbye.
        while (!stopping) {
            api->loop_forever(mosq, 1000, 1);
            for (int i = 0; i < 10 && !stopping; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (!stopping) api->reconnect_async(mosq);
        }
        finished = true;
    }
};

BrokerLink::BrokerLink(const ClassAddress& address, const QString& clientId, const Will& will,
                       Callbacks callbacks, bool lasting)
    : shared_(std::make_shared<Shared>()) {
    Shared& s = *shared_;
    s.api = Mosquitto(&error_);
    if (!s.api) return;
    const MosquittoApi& api = *s.api;
    s.address = address;
    s.callbacks = std::move(callbacks);
    s.mosq = api.create(clientId.toUtf8().constData(), !lasting, &s);
    if (!s.mosq) {
        error_ = QStringLiteral("libmosquitto could not make a client");
        return;
    }
    api.int_option(s.mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    api.int_option(s.mosq, MOSQ_OPT_SEND_MAXIMUM, InFlight);
    api.reconnect_delay_set(s.mosq, 1, 2, false);
    api.connect_callback_set(s.mosq, Shared::OnConnect);
    api.disconnect_callback_set(s.mosq, Shared::OnDisconnect);
    api.publish_callback_set(s.mosq, Shared::OnPublish);
    api.message_callback_set(s.mosq, Shared::OnMessage);
    if (!address.user.isEmpty())
        api.username_pw_set(
            s.mosq, address.user.toUtf8().constData(),
            address.password.isEmpty() ? nullptr : address.password.toUtf8().constData());
    if (address.tls) {
        const int rc = address.caFile.isEmpty()
                           ? api.int_option(s.mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1)
                           : api.tls_set(s.mosq, address.caFile.toLocal8Bit().constData(),
                                               nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS)
            error_ = QStringLiteral("TLS: ") + QString::fromUtf8(api.strerror(rc));
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
    const auto until = std::chrono::steady_clock::now() + LongestGoodbye;
    while (!s.finished && std::chrono::steady_clock::now() < until)
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

void BrokerLink::subscribe(const QByteArray& pattern) {
    shared_->subscription = pattern;
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

}  // namespace ClassLink
