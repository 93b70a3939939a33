// The serial line over Windows's own COM ports: opened by name (\\.\COM<N>, for every N),
// the request written and whatever has arrived read without waiting (reads return at once),
// and the errors of a vanished adapter closing the line, as the Qt line does on Linux.
#pragma once

#include <QString>
#include <functional>

#include "platform/serial_line.h"

// Which errors of the system's serial calls (GetLastError) mean what: a port not there, one
// another program holds, a device gone away. Decided apart from the calls, on every system.
SerialFault ComFault(unsigned long error);
// True for an error after which the open port is of no more use and must be closed.
bool ComEndsTheLine(unsigned long error);
// The name CreateFile opens for the port `name` ("COM12" becomes \\.\COM12).
QString ComDeviceName(const QString& name);

#ifdef _WIN32
class ComLine : public SerialLine {
  public:
    using DeviceOf = std::function<QString(int port)>;
    explicit ComLine(DeviceOf deviceOf);
    ~ComLine() override;
    void setCommPort(int16_t port) override;
    void setSettings(const QString& settings) override;
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return handle_ != nullptr; }
    void setInputMode(int) override {}
    void setSThreshold(int) override {}
    void setRThreshold(int) override {}
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    QString lastError() const override { return error_; }
    SerialFault lastErrorCode() const override { return errorCode_; }

  private:
    void fail(unsigned long error);  // remembers it, and closes a line that has ended
    void close();

    DeviceOf deviceOf_;
    QString name_;
    int baud_ = 9600, dataBits_ = 8;
    char parity_ = 'N';
    int stopBits_ = 1;
    void* handle_ = nullptr;
    QString error_;
    SerialFault errorCode_ = SerialFault::None;
};
#endif
