// A class opened on this PC: the configuration of the broker the class view brings for it,
// and what that broker's log says of the groups it refused. Text in, text out.
#pragma once

#include <QString>
#include <optional>

namespace ClassOpen {

// The teacher's user on the broker, which no group may take.
inline const char* const TeacherUser = "kelvira-teacher";

struct OpenClass {
    QString className;
    QString code;     // the groups' join code
    QString teacher;  // the teacher's secret
    int port = 1883;
    QString host;    // the address it listens on; empty: every address of the PC
    QString plugin;  // the path of the class's gate, the broker's plugin
    QString user;    // the broker runs as this user when it is started as root
};

// The broker's configuration: the class's gate as its plugin, its log on its standard
// error (unbuffered, so each line comes as it is said), and the same bounds on what it takes and
// keeps as the example configuration. It keeps nothing on disk.
QString BrokerConfiguration(const OpenClass& open);

struct Refusal {
    QString group;  // empty: the client gave no name, or one that cannot be a group's
    QString why;    // in words, e.g. "コードがちがいます"
};

// The refusal a line of the broker's log tells of, if it tells of one.
std::optional<Refusal> RefusalOfLogLine(const QString& line);

// Whether a line of the broker's log says it runs, or that its port is taken.
bool SaysRunning(const QString& line);
bool SaysPortTaken(const QString& line);

}  // namespace ClassOpen
