#include "zoom/zoom_steps.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr double Steps[] = {1, 1.5, 2, 2.5, 3};
// Factors this close to a step count as the step.
constexpr double Near = 1e-6;

int Scaled(int designed, double factor) {
    return static_cast<int>(std::lround(designed * factor));
}

}  // namespace

double ZoomStepUp(double factor) {
    for (const double step : Steps)
        if (step > factor + Near) return step;
    return *std::prev(std::end(Steps));
}

double ZoomStepUpWithin(double factor, QSize design, QSize available) {
    const double up = ZoomStepUp(factor);
    if (up <= factor) return factor;
    const QSize size = ScaledSize(design, up);
    return size.width() <= available.width() && size.height() <= available.height() ? up : factor;
}

double ZoomStepDown(double factor) {
    for (auto step = std::rbegin(Steps); step != std::rend(Steps); ++step)
        if (*step < factor - Near) return *step;
    return Steps[0];
}

double StartZoom(double factor) {
    return std::clamp(factor, Steps[0], *std::prev(std::end(Steps)));
}

double FitZoom(QSize available, QSize design) {
    return std::min(double(available.width()) / design.width(),
                    double(available.height()) / design.height());
}

QRect ScaledRect(const QRect& designed, double factor) {
    const int left = Scaled(designed.x(), factor);
    const int top = Scaled(designed.y(), factor);
    return QRect(left, top, Scaled(designed.x() + designed.width(), factor) - left,
                 Scaled(designed.y() + designed.height(), factor) - top);
}

QSize ScaledSize(const QSize& designed, double factor) {
    return QSize(Scaled(designed.width(), factor), Scaled(designed.height(), factor));
}

QFont ScaledFont(const QFont& designed, double factor) {
    QFont font = designed;
    if (designed.pixelSize() > 0)
        font.setPixelSize(std::max(1, Scaled(designed.pixelSize(), factor)));
    else if (designed.pointSizeF() > 0)
        font.setPointSizeF(designed.pointSizeF() * factor);
    return font;
}
