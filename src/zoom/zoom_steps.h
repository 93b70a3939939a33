// The factors the main window can be shown at, and how a design is scaled by one.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// The steps of the zoom keys: 1, 1.5, 2, 2.5 and 3 times the design.
double ZoomStepUp(double factor);    // the next step above `factor`; the largest stays
// The next step above `factor` at which `design` fits into `available`; `factor` itself when
// none does.
double ZoomStepUpWithin(double factor, QSize design, QSize available);
double ZoomStepDown(double factor);  // the next step below `factor`; the smallest stays
// A factor asked for by the customization file, held to the range of the steps; a factor
// between two steps is kept as it is.
double StartZoom(double factor);
// The largest factor at which `design` fits into `available`.
double FitZoom(QSize available, QSize design);

// A designed rectangle at a factor. Its edges are scaled and rounded, so that controls
// that touch or overlap in the design still do.
QRect ScaledRect(const QRect& designed, double factor);
QSize ScaledSize(const QSize& designed, double factor);
// A designed font at a factor: its pixel (or point) size times the factor.
QFont ScaledFont(const QFont& designed, double factor);
