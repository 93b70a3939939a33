// A class opened on a PC, as it is announced on the local network over DNS-SD: its service
// type, its instance name and TXT record, and what a group's Kelvira makes of a service it
// resolved: the class's address (mqtt://HOST[:PORT]/CLASS, classlink/class_address.h).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ClassFind {

// The service type of a class a class view opened.
inline constexpr const char* ServiceType = "_kelvira-class._tcp";

// The instance name of the class `className` opened on the PC `pc`: "2-1 @ teacher-pc", cut
// to the 63 bytes of UTF-8 a DNS label holds (never inside a character). It names the class
// for the people who look; the TXT record holds the class's whole name.
QString InstanceName(const QString& className, const QString& pc);

// The TXT record of the class `className`: its strings, "v=1" and "class=<name>" in UTF-8.
QList<QByteArray> TxtRecord(const QString& className);

// A service of the class's type as a browse resolved it.
struct ResolvedService {
    QString instance;  // the instance name
    QString seenOn;    // where it was seen (interface, protocol); one service may be seen twice
    QString host;      // the PC's host name, "teacher-pc.local" (a final dot is dropped)
    int port = 0;      // 0: not given
    QList<QByteArray> txt;
};

// A class found on the network, and the address a group joins it at.
struct FoundClass {
    QString instance, seenOn;
    QString className;
    QString pc;       // the PC's name as people say it: the host without ".local"
    QString address;  // mqtt://HOST[:PORT]/CLASS, the port left out when it is 1883
};

// The class `service` announces; false when it announces none Kelvira can join (no class in
// its TXT record, or one that cannot stand in a topic, or no host).
bool ClassFromService(const ResolvedService& service, FoundClass& found);

// The address of the class `className` on the PC `host` (a name or an address) at `port`.
QString ClassAddressOf(const QString& host, int port, const QString& className);

// The address of the class `className` on the PC typed as the class view shows it: "PC" or
// "PC:PORT". Empty when either is missing or the port is no port.
QString TypedClassAddress(const QString& pc, const QString& className);

}  // namespace ClassFind
