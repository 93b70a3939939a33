// Avahi's main-loop seam on Qt's event loop, so that Avahi's callbacks come on the thread of
// the window: its watches as socket notifiers, its timeouts as single-shot timers.
#pragma once

struct AvahiPoll;

namespace ClassFind {

const AvahiPoll* QtAvahiPoll();

}  // namespace ClassFind
