// Headless stand-in for the serial line: records what is written and hands out bytes
// a test has queued. Opening can be made to fail.
#pragma once

#include <vector>

#include "platform/serial_line.h"

class FakeSerialLine : public SerialLine {
public:
    void setCommPort(int16_t port) override { commPort = port; }
    void setSettings(const QString& s) override { settings = s; }
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return open_; }
    void setInputMode(int mode) override { inputMode = mode; }
    void setSThreshold(int n) override { sThreshold = n; }
    void setRThreshold(int n) override { rThreshold = n; }
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    QString lastError() const override { return error; }

    // Queues bytes as if the device had sent them.
    void receive(const QByteArray& bytes) { pending += bytes; }

    int16_t commPort = 0;
    QString settings;
    int inputMode = 0;
    int sThreshold = 0;
    int rThreshold = 0;
    bool failOpen = false;
    std::vector<QByteArray> writes;  // each write as made
    QByteArray pending;              // received, not yet read
    int reads = 0;
    QString error;

private:
    bool open_ = false;
};
