// Sharing the lesson with the pupils' tablets, a room above the window's: the graph's menu
// asks for it here, and the room that shares fills these in at start-up. Unset, the menu
// offers no sharing.
#pragma once

#include <functional>

namespace Vexo {

struct TabletShareSeam {
    std::function<bool()> on;               // whether the lesson is shared now
    std::function<void(bool on)> switchTo;  // shares it, or stops sharing it
};

extern TabletShareSeam TabletShare;

}  // namespace Vexo
