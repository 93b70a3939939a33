// What Windows says about a COM port that did not open: its error tells a port that is not
// there from one another program holds; no group gives a user a port.
#include "device/port_fault.h"

namespace Vexo {

PortFacts GatherPortFacts(const QString& path, SerialFault error, const QString& errorText) {
    PortFacts facts;
    facts.path = path;
    facts.error = error;
    facts.errorText = errorText;
    facts.exists = error != SerialFault::NotFound;
    facts.accessible = true;
    return facts;
}

}  // namespace Vexo
