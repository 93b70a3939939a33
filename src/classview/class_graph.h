// The class's graph: every group's trace in its own colour on one automatic range and time
// axis, a legend, and one trace drawn stronger when a group is picked. Drawn with a painter
// onto any device: the window, a picture to copy or save.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <vector>

#include "classview/class_model.h"

namespace ClassView {

// The colour of trace number `n`: well apart from its neighbours, 40 of them at least.
QColor TraceColour(int n);

// The degrees of the temperature grid's lines between `lo` and `hi`: ten degrees apart, or
// farther on a wide range, so that there are never more than about a dozen.
std::vector<double> GridDegrees(double lo, double hi);

// Draws the graph into `area`; `picked` is the group drawn stronger (-1: none); `scale` is the
// window's zoom (lines and lettering grow with it).
void DrawClassGraph(QPainter& painter, const QRect& area, const ClassModel& model, int picked,
                    double scale);

}  // namespace ClassView
