// The demonstration (--demo): the simulated Zanpo installed next to the program, cooling a
// cup of hot water on a pseudo-terminal, so that a teacher can try Kelvira without a box.
#pragma once

#include <QProcess>
#include <QString>

namespace App {

// The simulated box's profile for the demonstration group `group`: a cup of hot water cooling,
// its heat, the room and how fast it cools taken from the group's name, so that the groups of
// a demonstrated class draw traces of their own.
QString DemoCup(const QString& group);

class DemoBox {
  public:
    DemoBox() = default;
    ~DemoBox();  // ends the box
    DemoBox(const DemoBox&) = delete;
    DemoBox& operator=(const DemoBox&) = delete;

    // Starts the box, its cup that of `group` (DemoCup), and returns the device it answers
    // on; empty when that failed, and `error` then says why. The box also ends when the
    // program dies.
    QString start(const QString& group, QString& error);

  private:
    QProcess box_;
};

}  // namespace App
