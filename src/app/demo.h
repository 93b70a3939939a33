// The demonstration (--demo): a simulated Zanpo cooling a cup of hot water, so that a teacher
// can try Kelvira without a box. On Linux it is zanpo-sim, installed next to the program, on a
// pseudo-terminal (demo_posix.cpp); on Windows a box inside the program (demo_windows.cpp).
#pragma once

#include <QProcess>
#include <QString>
#include <memory>

#include "platform/serial_line.h"

namespace App {

// The simulated box's profile for the demonstration group `group`: a cup of hot water cooling,
// its heat, the room and how fast it cools taken from the group's name, so that the groups of
// a demonstrated class draw traces of their own.
QString DemoCup(const QString& group);

// Degrees at raw 0 and raw 255 of the demonstration's box: hot water seen through the liquid
// sensor of the example files.
constexpr double DemoSensorLow = -10, DemoSensorHigh = 110;

class DemoBox {
  public:
    DemoBox() = default;
    ~DemoBox();  // ends the box
    DemoBox(const DemoBox&) = delete;
    DemoBox& operator=(const DemoBox&) = delete;

    // Starts the box, its cup that of `group` (DemoCup); false when that failed, and `error`
    // then says why. The box also ends when the program dies.
    bool start(const QString& group, QString& error);
    // The device it answers on, which stands for every port number; empty for a box inside
    // the program.
    QString device() const { return device_; }
    // The line to a box inside the program; null where the port's own line reaches the box.
    std::unique_ptr<SerialLine> takeLine();

  private:
    QProcess box_;
    QString device_;
    std::unique_ptr<SerialLine> line_;
};

}  // namespace App
