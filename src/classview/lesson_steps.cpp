#include "classview/lesson_steps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ClassView {

namespace {

// Points on either side of a point, averaged with it: the hand's wobble smoothed.
constexpr int SmoothingReach = 3;

double Hundredths(double degrees) {
    return std::round(degrees * 100) / 100;
}

// The degrees of a stroke sorted by time at `seconds`, between its points on either side.
double StrokeAt(const Stroke& sorted, double seconds) {
    const auto after =
        std::lower_bound(sorted.begin(), sorted.end(), seconds,
                         [](const PredictionPoint& p, double s) { return p.seconds < s; });
    if (after == sorted.begin()) return after->degrees;
    if (after == sorted.end()) return sorted.back().degrees;
    const PredictionPoint& a = *(after - 1);
    const PredictionPoint& b = *after;
    if (b.seconds == a.seconds) return b.degrees;
    return a.degrees + (b.degrees - a.degrees) * (seconds - a.seconds) / (b.seconds - a.seconds);
}

}  // namespace

Prediction DrawStroke(const Prediction& prediction, const Stroke& stroke, double step) {
    step = std::max(0.5, std::round(step * 2) / 2);
    Stroke sorted;
    for (const PredictionPoint& p : stroke)
        if (std::isfinite(p.seconds) && std::isfinite(p.degrees)) sorted.push_back(p);
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [](const PredictionPoint& a, const PredictionPoint& b) { return a.seconds < b.seconds; });
    if (sorted.empty()) return prediction;
    const double first = std::max(0.0, std::ceil(sorted.front().seconds / step) * step);
    const double last = std::floor(sorted.back().seconds / step) * step;
    std::vector<double> degrees;
    for (double s = first; s <= last + 1e-9; s += step) degrees.push_back(StrokeAt(sorted, s));
    if (degrees.size() < 2) return prediction;
    const int n = static_cast<int>(degrees.size());
    Prediction drawn;
    for (int i = 0; i < n; ++i) {
        // The ends keep their place: the reach shrinks towards them.
        const int reach = std::min({SmoothingReach, i, n - 1 - i});
        double sum = 0;
        for (int k = i - reach; k <= i + reach; ++k) sum += degrees[static_cast<size_t>(k)];
        drawn.push_back({first + i * step, Hundredths(sum / (2 * reach + 1))});
    }
    const double from = drawn.front().seconds, to = drawn.back().seconds;
    Prediction merged;
    for (const PredictionPoint& p : prediction)
        if (p.seconds < from || p.seconds > to) merged.push_back(p);
    merged.insert(merged.end(), drawn.begin(), drawn.end());
    std::sort(merged.begin(), merged.end(), [](const PredictionPoint& a, const PredictionPoint& b) {
        return a.seconds < b.seconds;
    });
    return merged;
}

double PredictionAt(const Prediction& prediction, double seconds) {
    if (prediction.empty() || seconds < prediction.front().seconds ||
        seconds > prediction.back().seconds)
        return std::numeric_limits<double>::quiet_NaN();
    return StrokeAt(prediction, seconds);
}

const QStringList& MarkerChoices() {
    static const QStringList choices = {QStringLiteral("氷を入れた"), QStringLiteral("火を消した"),
                                        QStringLiteral("かきまぜた")};
    return choices;
}

QString MarkerLabel(const QString& typed) {
    QString label;
    for (const char32_t c : typed.toUcs4()) {
        switch (QChar::category(c)) {
            case QChar::Other_Control:
            case QChar::Other_Format:
            case QChar::Other_Surrogate:
            case QChar::Other_PrivateUse:
            case QChar::Other_NotAssigned:
            case QChar::Separator_Line:
            case QChar::Separator_Paragraph:
                continue;
            default:
                label += QString::fromUcs4(&c, 1);
        }
    }
    label = label.trimmed();
    const QList<uint> codes = label.toUcs4();
    if (codes.size() > MarkerLabelLength)
        label =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(codes.data()), MarkerLabelLength);
    return label;
}

double MarkerSeconds(double seconds) {
    if (!(seconds > 0)) return 0;
    return std::round(seconds * 2) / 2;
}

}  // namespace ClassView
