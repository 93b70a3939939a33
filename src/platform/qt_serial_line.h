// The serial line over QSerialPort.
#pragma once

#include <QSerialPort>

#include "platform/serial_line.h"

class QtSerialLine : public SerialLine {
public:
    QtSerialLine();
    void setCommPort(int16_t port) override;
    void setSettings(const QString& settings) override;
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return port_.isOpen(); }
    void setInputMode(int) override {}
    void setSThreshold(int) override {}
    void setRThreshold(int) override {}
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    QString lastError() const override { return error_; }

private:
    QSerialPort port_;
    QString error_;
};
