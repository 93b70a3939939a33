// A connection to a class's MQTT broker as the class's rooms use it: connect, subscribe,
// publish, and hear back through callbacks (on any thread). The broker's, through libmosquitto
// (classlink/broker_link.h), or a stand-in that a test drives (classlink/fake_broker.h).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

#include "classlink/class_address.h"
#include "classlink/link_fault.h"

namespace ClassLink {

class BrokerConnection {
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

    virtual ~BrokerConnection() = default;
    // Connects, and keeps connecting again whenever the line is lost.
    virtual void start() = 0;
    // Subscribed again at every connection, so that the broker sends what it retains anew.
    virtual void subscribe(const QList<QByteArray>& patterns) = 0;
    // Queues a message; its number, for acknowledged(), or -1 when it could not be queued
    // (no connection).
    virtual int publish(const QByteArray& topic, const QByteArray& payload, int qos,
                        bool retain) = 0;
    virtual bool connected() const = 0;
    // What went wrong in setting up, in words, and as a fault; empty and None when nothing did.
    // A connection with such an error never connects.
    virtual QString error() const = 0;
    virtual LinkFault setUpFault() const = 0;
};

// Makes a connection for `address` under the client's name `clientId`, with its last will;
// nothing is sent before start().
using MakeConnection = std::function<std::unique_ptr<BrokerConnection>(
    const ClassAddress& address, const QString& clientId, const BrokerConnection::Will& will,
    BrokerConnection::Callbacks callbacks)>;

// The broker's own connection, through libmosquitto.
std::unique_ptr<BrokerConnection> ConnectToBroker(const ClassAddress& address,
                                                  const QString& clientId,
                                                  const BrokerConnection::Will& will,
                                                  BrokerConnection::Callbacks callbacks);

}  // namespace ClassLink
