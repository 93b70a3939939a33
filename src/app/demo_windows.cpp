// The demonstration on Windows: the box inside the program, answering through a stand-in line
// with the same profiles as zanpo-sim.
#include "app/demo.h"
#include "platform/simulated_line.h"

namespace App {

bool DemoBox::start(const QString& group, QString& error) {
    std::string why;
    auto profile = sim::MakeProfile(DemoCup(group).toStdString(), DemoSensorLow, DemoSensorHigh, why);
    if (!profile) {
        error = QString::fromStdString(why);
        return false;
    }
    line_ = std::make_unique<SimulatedLine>(std::move(profile));
    return true;
}

std::unique_ptr<SerialLine> DemoBox::takeLine() {
    return std::move(line_);
}

DemoBox::~DemoBox() = default;

}  // namespace App
