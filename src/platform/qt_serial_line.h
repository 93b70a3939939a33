// The serial line over QSerialPort. Nothing here waits: writes are queued and leave
// from the event loop, reads take what the event loop has already collected. Modem
// control lines are never touched (a pseudo-terminal refuses them).
//
// When the line goes away, QSerialPort reports a read or resource error on every turn
// of the event loop for as long as the port stays open. The first such error closes
// the port (on the next turn of the loop, outside QSerialPort's own notification), so a
// lost line costs nothing until someone opens the port again.
#pragma once

#include <QSerialPort>
#include <functional>

#include "platform/serial_line.h"

class QtSerialLine : public SerialLine {
  public:
    // The device a port number stands for is asked of `deviceOf` at every setCommPort: which
    // one it is, is decided where the line is wired in.
    using DeviceOf = std::function<QString(int port)>;
    explicit QtSerialLine(DeviceOf deviceOf);
    void setCommPort(int16_t port) override;
    void setSettings(const QString& settings) override;
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return port_.isOpen() && !lost_; }
    void setInputMode(int) override {}
    void setSThreshold(int) override {}
    void setRThreshold(int) override {}
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    QString lastError() const override { return error_; }
    SerialFault lastErrorCode() const override { return errorCode_; }

  private:
    void onError(QSerialPort::SerialPortError error);
    void remember(QSerialPort::SerialPortError error);

    DeviceOf deviceOf_;
    QSerialPort port_;
    bool lost_ = false;  // the line ended; the port is closed on the next turn of the loop
    QString error_;
    SerialFault errorCode_ = SerialFault::None;
};
