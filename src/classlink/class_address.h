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

// The address read from `url`. Its error never holds the password.
ClassAddress ParseClassAddress(const QString& url);

// `url` with its password, if any, written as "***" whatever its length: fit to be printed.
// Whatever might be a password is hidden: from the first ":" after the scheme (or from the
// first ":" of a text without one) to the last "@".
QString WithoutPassword(const QString& url);

// For an address with a user and no password: the password is the first line of `file`, read
// once. A file that cannot be read is an error of the address when it was `named`, and no
// password otherwise.
void TakePassword(ClassAddress& address, const QString& file, bool named);

// True when `name` may stand as one level of a topic: not empty, at most 64 characters, and
// none of "/", "+", "#" or a control character.
bool IsTopicLevel(const QString& name);

}  // namespace ClassLink
