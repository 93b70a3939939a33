// The serial-port control MSComm1 as the program uses it: a port number, line settings,
// open, binary input, thresholds, write bytes and read everything received.
// No operation waits. Failures are reported by the return value and lastError(); a
// closed port ignores writes and reads nothing. A line that goes away (the device is
// unplugged or its driver ends) closes itself: portOpen() then reads false until the
// port is opened again.
#pragma once

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <cstdint>

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
    virtual QSerialPort::SerialPortError lastErrorCode() const = 0;  // the same, as a code
};

// The device a port number stands for: the one named on the command line or by
// KELVIRA_PORT<N>, else a USB serial adapter, else /dev/ttyS<N-1>. Which one is the device
// link's decision: these two are defined there (device/port_choice.cpp).
QString PortDeviceName(int port);
// True when that device is the last resort, /dev/ttyS<N-1>: nothing names the port's device
// and no Nth adapter is plugged in.
bool PortIsFallback(int port);
