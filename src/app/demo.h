// The demonstration (--demo): the simulated Zanpo installed next to the program, cooling a
// cup of hot water on a pseudo-terminal, so that a teacher can try Kelvira without a box.
#pragma once

#include <QProcess>
#include <QString>

namespace App {

class DemoBox {
  public:
    DemoBox() = default;
    ~DemoBox();  // ends the box
    DemoBox(const DemoBox&) = delete;
    DemoBox& operator=(const DemoBox&) = delete;

    // Starts the box and returns the device it answers on; empty when that failed, and
    // `error` then says why. The box also ends when the program dies.
    QString start(QString& error);

  private:
    QProcess box_;
};

}  // namespace App
