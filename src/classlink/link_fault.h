// Why a class's broker is not reached, or drops what is sent to it, in words a teacher can
// act on. The broker link finds the fault; the group's title and log and the class view's
// window say it.
#pragma once

#include <QString>

namespace ClassLink {

enum class LinkFault {
    None,          // connected, and what is sent arrives
    Connecting,    // trying; nothing is known against it yet
    NameNotFound,  // the broker's host name cannot be looked up
    Refused,       // nothing listens at the broker's address and port
    Unreachable,   // no way to the broker's machine
    Silent,        // the broker does not answer
    Lost,          // the line was lost; connecting again
    BadLogin,      // the user name or password was refused
    NeedsLogin,    // the broker lets nobody in without a user name and password
    NotAllowed,    // the broker lets this user (or none) not in
    Busy,          // the broker says it cannot take the connection now
    Untrusted,     // the broker's certificate cannot be checked against the CA
    WrongHost,     // the broker's certificate is for another host name
    Tls,           // TLS failed otherwise
    NoTls,         // this build of Kelvira has no TLS
    NoCaFile,      // the address's cafile cannot be read
    Denied,        // the broker drops what is published: the user may not write as this group
    TakenOver,     // another client signed in with this client's name and put it off
    NotTls,        // TLS was spoken to a port that does not speak it (mqtts:// to 1883)
    NoLibrary,     // libmosquitto cannot be loaded
};

// The fault in a few words, e.g. "ユーザー名かパスワードが違います".
QString LinkFaultText(LinkFault fault);

// What a connection that ended with a system error (errno) was told: refused, unreachable,
// silent, or lost otherwise.
LinkFault FaultOfSystemError(int error, bool wasConnected);

// The fault a broker's refusal names, by its CONNACK code (MQTT 3.1.1 or 5); None for 0.
LinkFault FaultOfRefusal(int code);

// The fault a TLS error message of libmosquitto names; None when it names none.
LinkFault FaultOfTlsMessage(const QString& message);

// The fault of a TLS connection whose line ended before the broker answered: closed by the
// other end (`closed`), or with the system's error `error`. A port that does not speak TLS
// takes the greeting for garbage and closes the line; None for an end of another kind
// (refused, unreachable, timed out).
LinkFault FaultOfTlsLineEnd(bool closed, int error);

}  // namespace ClassLink
