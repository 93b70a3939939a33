// Where a class meets: an MQTT broker and the class's name, written as one address,
//   mqtt://[USER[:PASSWORD]@]HOST[:PORT]/CLASS[?cafile=PATH]
//   mqtts://...   the same over TLS (port 8883 by default), checked against the system's
//                 certificates, or against the CA file of `cafile`.
#pragma once

#include <QString>

namespace ClassLink {

struct ClassAddress {
    QString host;
    int port = 1883;
    bool tls = false;
    QString caFile;  // empty: the system's certificate store
    QString user;
    QString password;
    QString className;
    QString error;  // why the address was refused; empty when it is usable
    bool valid() const { return error.isEmpty(); }
};

ClassAddress ParseClassAddress(const QString& url);

// True when `name` may stand as one level of a topic: not empty, at most 64 characters, and
// none of "/", "+", "#" or a control character.
bool IsTopicLevel(const QString& name);

}  // namespace ClassLink
