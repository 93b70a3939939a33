#include "classview/class_graph.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace ClassView {

namespace {

const QColor Back(192, 192, 192);
const QColor Grid(0, 0, 128);
const QColor Lettering(0, 0, 0);

// Seconds between two lines of the time grid: about eight lines across.
int TimeStep(double seconds) {
    for (int step : {15, 30, 60, 120, 300, 600, 900, 1200, 1800})
        if (seconds / step <= 8) return step;
    return 3600;
}

// Degrees between two lines of the temperature grid: at most about a dozen lines, whatever
// the range.
double DegreeStep(double range) {
    for (double decade = 10;; decade *= 10)
        for (const double step : {decade, 2 * decade, 5 * decade})
            if (range / step <= 12) return step;
}

// One trace, at most two points a pixel column: the lowest and the highest of the ticks
// that fall into it, from the columns the group keeps.
QPolygonF TracePoints(const TraceColumns& trace, const QRectF& plot, double lo, double hi) {
    QPolygonF points;
    const double dy = plot.height() / (hi - lo);
    for (int c = 0; c < trace.columns(); ++c) {
        const float low = trace.low(c), high = trace.high(c);
        if (std::isnan(low)) continue;
        const double x = plot.left() + c;
        points << QPointF(x, plot.bottom() - (low - lo) * dy);
        if (high != low) points << QPointF(x, plot.bottom() - (high - lo) * dy);
    }
    return points;
}

}  // namespace

std::vector<double> GridDegrees(double lo, double hi) {
    std::vector<double> lines;
    if (!(hi > lo)) return lines;
    const double step = DegreeStep(hi - lo);
    for (double d = std::ceil(lo / step) * step; d <= hi + 1e-9; d += step) lines.push_back(d);
    return lines;
}

QColor TraceColour(int n) {
    // Hues by the golden angle, alternately darker, so that neighbours differ most.
    const int hue = static_cast<int>(std::fmod(n * 137.508, 360.0));
    return QColor::fromHsv(hue, 230, n % 2 ? 150 : 230);
}

void DrawClassGraph(QPainter& painter, const QRect& area, const ClassModel& model, int picked,
                    double scale) {
    painter.save();
    painter.fillRect(area, Back);
    QFont font = painter.font();
    font.setPixelSize(std::max(8, static_cast<int>(std::lround(14 * scale))));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const auto [lo, hi] = model.range();
    const int span = TimeSpan(model.lastTick());
    const double seconds = span / 2.0;

    // The legend on the right, one line a group, never wider than a quarter of the graph.
    const QStringList& names = model.shownNames();
    const int longestName = area.width() / 4;
    int legendWidth = 0;
    for (const QString& name : names)
        legendWidth = std::max(legendWidth, std::min(longestName, metrics.horizontalAdvance(name)));
    legendWidth += static_cast<int>(30 * scale);
    const int margin = static_cast<int>(std::lround(10 * scale));
    const QRectF plot(area.left() + metrics.horizontalAdvance(QStringLiteral("-100")) + margin,
                      area.top() + margin, 0, 0);
    QRectF p = plot;
    p.setRight(area.right() - legendWidth - margin);
    p.setBottom(area.bottom() - 2 * metrics.height() - margin);
    if (p.width() < 10 || p.height() < 10) {
        painter.restore();
        return;
    }

    // Grid and numbers: a few lines of degrees, and a time step that gives about eight lines.
    painter.setPen(QPen(Grid, std::max(1.0, std::round(scale))));
    const double dy = p.height() / (hi - lo);
    for (const double d : GridDegrees(lo, hi)) {
        const double y = p.bottom() - (d - lo) * dy;
        painter.setPen(QPen(Grid, std::max(1.0, std::round(scale))));
        painter.drawLine(QPointF(p.left(), y), QPointF(p.right(), y));
        painter.setPen(Lettering);
        painter.drawText(QRectF(area.left(), y - metrics.height() / 2.0,
                                p.left() - area.left() - margin / 2.0, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(d));
    }
    const int step = TimeStep(seconds);
    for (int s = 0; s <= seconds; s += step) {
        const double x = p.left() + s / seconds * p.width();
        painter.setPen(QPen(Grid, std::max(1.0, std::round(scale))));
        painter.drawLine(QPointF(x, p.top()), QPointF(x, p.bottom()));
        painter.setPen(Lettering);
        painter.drawText(QRectF(x - 40 * scale, p.bottom() + margin / 2.0, 80 * scale,
                                metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(s));
    }
    painter.drawText(QRectF(p.left(), p.bottom() + metrics.height() + margin / 2.0, p.width(),
                            metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("秒"));

    // The traces, the picked one last and strongest.
    const std::vector<Group>& groups = model.groups();
    // Lines as wide as whole pixels (a one-pixel pen is drawn directly, a wider one as its
    // outline, at a tenth of the speed); a trace behind the picked one is paled, not
    // transparent, for the same reason.
    auto draw = [&](size_t i, int width, bool pale) {
        QColor colour = TraceColour(groups[i].colour);
        if (pale)
            colour = QColor((colour.red() + 2 * Back.red()) / 3,
                            (colour.green() + 2 * Back.green()) / 3,
                            (colour.blue() + 2 * Back.blue()) / 3);
        painter.setPen(QPen(colour, width <= 1 ? 0 : width));
        groups[i].trace.follow(groups[i].degrees, p.width(), span);
        painter.drawPolyline(TracePoints(groups[i].trace, p, lo, hi));
    };
    painter.setClipRect(p.adjusted(-1, -1, 1, 1));
    const int thin = static_cast<int>(std::lround(std::max(1.0, scale)));
    for (size_t i = 0; i < groups.size(); ++i)
        if (static_cast<int>(i) != picked) draw(i, groups.size() > 8 ? 1 : 2 * thin, picked >= 0);
    if (picked >= 0 && static_cast<size_t>(picked) < groups.size()) draw(picked, 3 * thin, false);
    painter.setClipping(false);

    // The legend.
    double y = p.top();
    for (size_t i = 0; i < groups.size(); ++i) {
        const QRectF swatch(p.right() + margin, y + metrics.height() / 2.0 - 2 * scale,
                            16 * scale, 4 * scale);
        painter.fillRect(swatch, TraceColour(groups[i].colour));
        QFont f = font;
        f.setBold(static_cast<int>(i) == picked);
        painter.setFont(f);
        painter.setPen(Lettering);
        const QFontMetrics fm(f);
        painter.drawText(QPointF(swatch.right() + 4 * scale, y + metrics.ascent()),
                         fm.elidedText(names.value(static_cast<qsizetype>(i)), Qt::ElideMiddle,
                                       longestName));
        y += metrics.height();
    }
    painter.restore();
}

}  // namespace ClassView
