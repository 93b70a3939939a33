// Stand-in for the broker's connection, as the fake serial line is for the port: it keeps
// what is published and subscribed, and the test says when the line comes up or goes, and
// when a message is acknowledged. The callbacks are called on the test's own thread.
#pragma once

#include <vector>

#include "classlink/broker_connection.h"

namespace ClassLink {

class FakeBroker : public BrokerConnection {
  public:
    struct Sent {
        QByteArray topic, payload;
        int qos = 0;
        bool retain = false;
        int message = 0;
    };

    FakeBroker(const QString& asClient, const Will& lastWill, Callbacks callbacks)
        : clientId(asClient), will(lastWill), callbacks_(std::move(callbacks)) {}
    // A maker of connections that hands each one made to `made` (which outlives them).
    static MakeConnection Maker(FakeBroker** made);

    void start() override { started = true; }
    void subscribe(const QList<QByteArray>& patterns) override { subscriptions = patterns; }
    int publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain) override;
    bool connected() const override { return up_; }
    QString error() const override { return {}; }
    LinkFault setUpFault() const override { return LinkFault::None; }

    // The line comes up or goes, as the broker's would.
    void setConnected(bool up);
    void sayFault(LinkFault fault);
    // The broker acknowledges message `message` (-1: every one not yet acknowledged).
    void acknowledge(int message = -1);
    // A message arrives on a subscription.
    void deliver(const QByteArray& topic, const QByteArray& payload);

    QString clientId;
    Will will;
    bool started = false;
    QList<QByteArray> subscriptions;
    std::vector<Sent> sent;  // every message published, in order

  private:
    Callbacks callbacks_;
    bool up_ = false;
    int next_ = 1;
    int acknowledged_ = 0;  // messages up to this one are acknowledged
};

}  // namespace ClassLink
