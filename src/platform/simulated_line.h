// A box inside the program, for the demonstration where no simulated box can run on a
// pseudo-terminal (Windows): a serial line that answers every request byte F2 with one raw
// byte of a profile (platform/box_profile.h), as zanpo-sim does.
#pragma once

#include <QElapsedTimer>
#include <memory>

#include "platform/box_profile.h"
#include "platform/serial_line.h"

class SimulatedLine : public SerialLine {
  public:
    explicit SimulatedLine(std::unique_ptr<sim::Profile> profile);
    void setCommPort(int16_t) override {}
    void setSettings(const QString&) override {}
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return open_; }
    void setInputMode(int) override {}
    void setSThreshold(int) override {}
    void setRThreshold(int) override {}
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    QString lastError() const override { return {}; }
    SerialFault lastErrorCode() const override { return SerialFault::None; }

  private:
    std::unique_ptr<sim::Profile> profile_;
    QElapsedTimer clock_;  // since the box was switched on
    bool open_ = false;
    QByteArray answers_;
};
