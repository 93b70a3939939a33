// The horizontal grid of the graph with its temperature numbers, shared by the live page
// and the whole-run overview.
#pragma once

namespace Vexo {

// Lines from x 50 to 380 every 10, 5 and 1 degrees (the last only for ranges under 50),
// numbered at x 3: every 10 degrees always, every 5 under a range of 60, every degree
// under 20.
void DrawTemperatureGrid();

}  // namespace Vexo
