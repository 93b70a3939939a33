// One connection to a class's MQTT broker through libmosquitto (MQTT 5, or 3.1.1 with a broker
// that knows no better). Its network work, the connection and every reconnection included,
// runs on a thread of its own: a broker that is absent, slow or unreachable never holds up the
// caller. What the broker says comes back through the callbacks, on that thread: a caller with
// a window posts it on.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <thread>

#include "classlink/class_address.h"
#include "classlink/link_fault.h"

struct mosquitto;

namespace ClassLink {

class BrokerLink {
  public:
    struct Callbacks {
        std::function<void(bool connected)> connection;
        // Why the broker is not reached or drops what is sent; None once all is well again.
        std::function<void(LinkFault fault)> fault;
        std::function<void(int message)> acknowledged;  // a QoS 1 message reached the broker
        std::function<void(const QByteArray& topic, const QByteArray& payload)> received;
    };
    struct Will {
        QByteArray topic, payload;
    };

    // Prepares the connection: the client's name, the user, TLS and the last will; nothing
    // is sent until start().
    BrokerLink(const ClassAddress& address, const QString& clientId, const Will& will,
               Callbacks callbacks);
    ~BrokerLink();  // says goodbye to the broker (the will is not sent) and ends the thread
    BrokerLink(const BrokerLink&) = delete;
    BrokerLink& operator=(const BrokerLink&) = delete;

    // Connects on the network thread, and keeps connecting again whenever the line is lost.
    void start();
    // Subscribed again at every connection, so that the broker sends what it retains anew.
    void subscribe(const QList<QByteArray>& patterns);
    // Queues a message; its number, for acknowledged(), or -1 when it could not be queued
    // (no connection). Safe from any thread.
    int publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain);
    bool connected() const;
    // What went wrong in setting up, in words; empty when nothing did. A link with such an
    // error never connects; its fault says why (fault()).
    QString error() const { return error_; }
    LinkFault setUpFault() const { return setUpFault_; }

  private:
    struct Shared;  // what the network thread holds, also after a goodbye it could not wait for
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    QString error_;
    LinkFault setUpFault_ = LinkFault::None;
};

}  // namespace ClassLink
