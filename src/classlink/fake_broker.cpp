#include "classlink/fake_broker.h"

namespace ClassLink {

MakeConnection FakeBroker::Maker(FakeBroker** made) {
    return [made](const ClassAddress&, const QString& clientId, const Will& will,
                  Callbacks callbacks) -> std::unique_ptr<BrokerConnection> {
        auto broker = std::make_unique<FakeBroker>(clientId, will, std::move(callbacks));
        *made = broker.get();
        return broker;
    };
}

int FakeBroker::publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain) {
    if (!up_) return -1;
    sent.push_back({topic, payload, qos, retain, next_});
    return next_++;
}

void FakeBroker::setConnected(bool up) {
    up_ = up;
    if (callbacks_.fault) callbacks_.fault(up ? LinkFault::None : LinkFault::Lost);
    if (callbacks_.connection) callbacks_.connection(up);
}

void FakeBroker::sayFault(LinkFault fault) {
    if (callbacks_.fault) callbacks_.fault(fault);
}

void FakeBroker::acknowledge(int message) {
    for (const Sent& s : sent) {
        if (s.qos == 0 || s.message <= acknowledged_ || (message >= 0 && s.message != message))
            continue;
        if (callbacks_.acknowledged) callbacks_.acknowledged(s.message);
    }
    if (message < 0 && !sent.empty()) acknowledged_ = sent.back().message;
}

void FakeBroker::deliver(const QByteArray& topic, const QByteArray& payload) {
    if (callbacks_.received) callbacks_.received(topic, payload);
}

}  // namespace ClassLink
