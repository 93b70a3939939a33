// Headless stand-in for the serial line: records what is written and hands out bytes
// a test has queued. Opening can be made to fail, and the line can be made to go away.
#pragma once

#include <vector>

#include "platform/serial_line.h"

class FakeSerialLine : public SerialLine {
  public:
    void setCommPort(int16_t port) override;
    void setSettings(const QString& s) override;
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return open_; }
    void setInputMode(int mode) override;
    void setSThreshold(int n) override;
    void setRThreshold(int n) override;
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    QString lastError() const override { return error; }
    SerialFault lastErrorCode() const override { return errorCode; }

    // Queues bytes as if the device had sent them.
    void receive(const QByteArray& bytes) { pending += bytes; }
    // The device goes away: the port closes itself and what was pending is lost.
    void lose();

    int16_t commPort = 0;
    QString settings;
    int inputMode = 0;
    int sThreshold = 0;
    int rThreshold = 0;
    bool failOpen = false;
    SerialFault failOpenCode = SerialFault::NotFound;
    int openAttempts = 0;
    std::vector<QByteArray> writes;  // each write as made
    QByteArray pending;              // received, not yet read
    int reads = 0;
    QString error;
    SerialFault errorCode = SerialFault::None;
    // Every operation in call order, e.g. "CommPort 1", "Open", "Output 00", "Input".
    std::vector<QString> calls;

  private:
    bool open_ = false;
};
