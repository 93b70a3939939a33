// The serial-port control MSComm1 as the program uses it: a port number, line settings,
// open, binary input, thresholds, write bytes and read everything received.
// No operation waits. Failures are reported by the return value and lastError(); a
// closed port ignores writes and reads nothing. A line that goes away (the device is
// unplugged or its driver ends) closes itself: portOpen() then reads false until the
// port is opened again.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Why an operation of the serial line failed, whatever the system beneath it.
enum class SerialFault {
    None,
    NotFound,  // there is no such device
    Refused,   // the device is there and may not be opened: another program has it, or the user
               // may not
    Gone,      // the device went away while it was open
    Other,
};

class SerialLine {
  public:
    virtual ~SerialLine() = default;
    virtual void setCommPort(int16_t port) = 0;
    virtual void setSettings(const QString& settings) = 0;  // e.g. "9600,N,8,1"
    virtual bool setPortOpen(bool open) = 0;  // false when it failed; opens with nothing received
    virtual bool portOpen() const = 0;
    virtual void setInputMode(int mode) = 0;  // 1: binary
    virtual void setSThreshold(int n) = 0;
    virtual void setRThreshold(int n) = 0;
    virtual bool output(const QByteArray& bytes) = 0;  // false when nothing could be written
    virtual QByteArray input() = 0;                    // all bytes received so far
    virtual QString lastError() const = 0;             // why the last operation failed
    virtual SerialFault lastErrorCode() const = 0;  // the same, as a fault
};
