// The broker of a class opened on this PC: Mosquitto, started by the class view as a process
// of its own with the class's configuration (broker_setup.h), and ended with it. Never the
// system's service: it listens on a port of its own and keeps nothing on disk.
#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "classlink/class_address.h"
#include "classopen/broker_setup.h"

namespace ClassOpen {

class OwnBroker {
  public:
    OwnBroker();
    ~OwnBroker();  // ends the broker
    OwnBroker(const OwnBroker&) = delete;
    OwnBroker& operator=(const OwnBroker&) = delete;

    // Starts `program` (Mosquitto) for `open`, on its port or, while another program holds
    // that, on one of the next `tries` - 1; false, with error(), when it does not run within
    // a few seconds.
    bool start(OpenClass open, const QString& program, int tries = 1);
    void stop();
    bool running() const { return process_.state() == QProcess::Running; }
    const OpenClass& open() const { return open_; }
    QString error() const { return error_; }
    // The teacher's way into the class: mqtt://kelvira-teacher:<secret>@127.0.0.1:<port>/<class>
    // (the address it listens on, when it listens on one alone).
    ClassLink::ClassAddress teacherAddress() const;
    qint64 processId() const { return process_.processId(); }

    // Told of each group the broker refused, as the broker tells it.
    std::function<void(const Refusal&)> refused;
    // Told when the broker ended without being asked.
    std::function<void()> ended;

  private:
    bool startOn(int port, const QString& program, bool& portTaken);
    void read();

    QTemporaryDir dir_;
    QProcess process_;
    OpenClass open_;
    QString error_;
    QByteArray pending_;  // what the broker said after its last whole line
    QStringList said_;    // what it said while it started
    bool runs_ = false, portTaken_ = false;
    bool stopping_ = false;
};

// Where Mosquitto's broker is: the system's on Debian, the one shipped beside the program on
// Windows (`besides`, the program's folder). Empty when there is none.
QString FindBrokerProgram(const QString& besides);

}  // namespace ClassOpen
