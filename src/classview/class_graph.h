// The class's graph: every group's trace in its own colour on one automatic range and time
// axis, a legend, and one trace drawn stronger when a group is picked; over them the teacher's
// prediction, dashed, and the markers, thin upright lines with their labels. Drawn with a
// painter onto any device: the window, a picture to copy or save.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <vector>

#include "classview/class_model.h"

namespace ClassView {

// The colour of trace number `n`: well apart from its neighbours, 40 of them at least.
QColor TraceColour(int n);
// The prediction's colour: no trace's.
QColor PredictionColour();

// The degrees of the temperature grid's lines between `lo` and `hi`: ten degrees apart, or
// farther on a wide range, so that there are never more than about a dozen.
std::vector<double> GridDegrees(double lo, double hi);

// Where the graph stands in its area: the plot's rectangle and its two scales.
struct GraphFrame {
    QRectF plot;
    double lo = 0, hi = 1;  // the degrees at the plot's bottom and top
    int span = 300;         // the ticks across the plot
    double xOfSeconds(double seconds) const {
        return plot.left() + seconds * 2 / span * plot.width();
    }
    double secondsAtX(double x) const { return (x - plot.left()) / plot.width() * span / 2; }
    double yOfDegrees(double degrees) const {
        return plot.bottom() - (degrees - lo) / (hi - lo) * plot.height();
    }
    double degreesAtY(double y) const {
        return lo + (plot.bottom() - y) / plot.height() * (hi - lo);
    }
};

// How the graph is drawn: the window's zoom (lines and lettering grow with it), the group
// drawn stronger (-1: none), and whether the legend names the groups (the window's list of
// groups names them beside their colours when the class is large).
struct GraphLook {
    double scale = 1;
    int picked = -1;
    bool legend = true;
};

// The frame of the graph drawn into `area` with `look`, its lettering in `font` at the look's
// size; an empty plot when the area is too small for one.
GraphFrame FrameOf(const QRect& area, const ClassModel& model, const GraphLook& look,
                   const QFont& font);

// Draws the graph into `area`.
void DrawClassGraph(QPainter& painter, const QRect& area, const ClassModel& model,
                    const GraphLook& look);
inline void DrawClassGraph(QPainter& painter, const QRect& area, const ClassModel& model,
                           int picked, double scale) {
    DrawClassGraph(painter, area, model, GraphLook{scale, picked, true});
}

// The lettering's size at `scale`, in pixels.
int GraphLetteringPixels(double scale);

}  // namespace ClassView
