// One connection to a class's MQTT broker through libmosquitto (MQTT 5, or 3.1.1 with a broker
// that knows no better). Its network work, the connection and every reconnection included,
// runs on a thread of its own: a broker that is absent, slow or unreachable never holds up the
// caller. What the broker says comes back through the callbacks, on that thread: a caller with
// a window posts it on.
#pragma once

#include <memory>
#include <thread>

#include "classlink/broker_connection.h"

struct mosquitto;

namespace ClassLink {

class BrokerLink : public BrokerConnection {
  public:
    // Prepares the connection: the client's name, the user, TLS and the last will; nothing
    // is sent until start().
    BrokerLink(const ClassAddress& address, const QString& clientId, const Will& will,
               Callbacks callbacks);
    ~BrokerLink() override;  // says goodbye to the broker (the will is not sent), ends the thread
    BrokerLink(const BrokerLink&) = delete;
    BrokerLink& operator=(const BrokerLink&) = delete;

    // Connects on the network thread, and keeps connecting again whenever the line is lost.
    void start() override;
    void subscribe(const QList<QByteArray>& patterns) override;
    // Safe from any thread.
    int publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain) override;
    bool connected() const override;
    QString error() const override { return error_; }
    LinkFault setUpFault() const override { return setUpFault_; }

  private:
    struct Shared;  // what the network thread holds, also after a goodbye it could not wait for
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    QString error_;
    LinkFault setUpFault_ = LinkFault::None;
};

}  // namespace ClassLink
