// The teacher's own marks on the class's graph: the predicted curve (予想), drawn by hand in a
// few strokes and kept smoothed, and the markers of what was done at a time ("氷を入れた").
// Times are seconds on the lesson's axis (tick t at t / 2 seconds).
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ClassView {

struct PredictionPoint {
    double seconds = 0;
    double degrees = 0;
    bool operator==(const PredictionPoint& other) const {
        return seconds == other.seconds && degrees == other.degrees;
    }
};
using Prediction = std::vector<PredictionPoint>;  // sorted by seconds

// A stroke drawn by hand, its points as the pen went.
using Stroke = std::vector<PredictionPoint>;

// `prediction` with `stroke` drawn into it: the stroke taken every `step` seconds (a multiple
// of half a second), its wobble smoothed, and put in place of the stretch of time it covers.
// Seconds before 0 are left out; degrees are kept to the hundredth. A stroke shorter than two
// steps (a tap) changes nothing.
Prediction DrawStroke(const Prediction& prediction, const Stroke& stroke, double step);

// The predicted degrees at `seconds`, on the straight line between the points on either side;
// NaN outside the prediction.
double PredictionAt(const Prediction& prediction, double seconds);

struct Marker {
    double seconds = 0;  // a tick's time: a multiple of half a second
    QString label;
    bool operator==(const Marker& other) const {
        return seconds == other.seconds && label == other.label;
    }
};

// Markers a class keeps; more are not set.
constexpr int MaxMarkers = 100;
// Characters a marker's label keeps.
constexpr int MarkerLabelLength = 40;

// The labels offered for a marker, in the order of their keys 1, 2, 3.
const QStringList& MarkerChoices();

// A label as typed, made fit to keep: spaces at either end and characters that show nothing
// or move the text dropped, at most MarkerLabelLength characters.
QString MarkerLabel(const QString& typed);

// `seconds` as a marker's time: to the half second, not below 0.
double MarkerSeconds(double seconds);

}  // namespace ClassView
