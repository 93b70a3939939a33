// The graph's picture surface as a whole, shared by the live page and the whole-run overview.
#pragma once

namespace Vexo {

// Wipes Picture2 for a new drawing of the graph: the square (1,1)-(398,398) in GrphBack, and
// everything around it back to the surface's own background. Nothing older survives a wipe:
// not the start-up log's long lines, not the black of the blanked graph, not seconds numbers
// that ran past the square's right edge.
void WipeGraph();

// The graph after the scale range has changed under it: while stopped with a recording, the
// whole run again in the new range, so the overview the class is looking at stays; otherwise
// the empty frame, which the next graph tick fills with the page.
void RedrawGraphForRange();

}  // namespace Vexo
