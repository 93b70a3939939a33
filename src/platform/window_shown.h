// Tells when a top-level window has first reached the screen: the window system has exposed
// it and the paints that were waiting at that moment are done.
#pragma once

#include <QWidget>
#include <functional>

// Calls `report` once, from the event loop, after `window` (already shown) is on the screen.
void WhenShown(QWidget& window, std::function<void()> report);
