#include "classview/class_graph.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace ClassView {

namespace {

const QColor Back(192, 192, 192);
const QColor Grid(0, 0, 128);
const QColor Lettering(0, 0, 0);
const QColor MarkerLine(40, 40, 40);

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

QFont LetteringFont(const QFont& base, double scale) {
    QFont font = base;
    font.setPixelSize(GraphLetteringPixels(scale));
    return font;
}

// The legend's columns: as many as the groups need to be named each on a line of its own
// within `height`, at most a quarter of `width` each.
struct Legend {
    int columns = 0, rows = 0, columnWidth = 0;
};
Legend LegendOf(const QStringList& names, const QFontMetrics& metrics, int width, int height,
                double scale) {
    Legend legend;
    if (names.isEmpty()) return legend;
    int longest = 0;
    for (const QString& name : names)
        longest = std::max(longest, std::min(width / 4, metrics.horizontalAdvance(name)));
    legend.columnWidth = longest + static_cast<int>(30 * scale);
    legend.rows = std::max(1, height / std::max(1, metrics.height()));
    legend.columns = static_cast<int>((names.size() + legend.rows - 1) / legend.rows);
    legend.rows = static_cast<int>((names.size() + legend.columns - 1) / legend.columns);
    return legend;
}

}  // namespace

int GraphLetteringPixels(double scale) {
    return std::max(8, static_cast<int>(std::lround(14 * scale)));
}

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

QColor PredictionColour() {
    return QColor(0, 0, 0);  // every trace is a full colour
}

GraphFrame FrameOf(const QRect& area, const ClassModel& model, const GraphLook& look,
                   const QFont& font) {
    GraphFrame frame;
    const QFontMetrics metrics(LetteringFont(font, look.scale));
    const auto [lo, hi] = model.range();
    frame.lo = lo;
    frame.hi = hi;
    frame.span = TimeSpan(model.shownLastTick());
    const int margin = static_cast<int>(std::lround(10 * look.scale));
    const double left = area.left() + metrics.horizontalAdvance(QStringLiteral("-100")) + margin;
    const double bottom = area.bottom() - 2 * metrics.height() - margin;
    const double top = area.top() + margin;
    const Legend legend = look.legend ? LegendOf(model.shownNames(), metrics, area.width(),
                                                 static_cast<int>(bottom - top), look.scale)
                                      : Legend{};
    const double right = area.right() - legend.columns * legend.columnWidth - margin;
    frame.plot = QRectF(QPointF(left, top), QPointF(right, bottom));
    if (frame.plot.width() < 10 || frame.plot.height() < 10) frame.plot = QRectF();
    return frame;
}

void DrawClassGraph(QPainter& painter, const QRect& area, const ClassModel& model,
                    const GraphLook& look) {
    const double scale = look.scale;
    const int picked = look.picked;
    painter.save();
    painter.fillRect(area, Back);
    const GraphFrame frame = FrameOf(area, model, look, painter.font());
    const QFont font = LetteringFont(painter.font(), scale);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QRectF p = frame.plot;
    if (p.isEmpty()) {
        painter.restore();
        return;
    }
    const double lo = frame.lo, hi = frame.hi;
    const int span = frame.span;
    const double seconds = span / 2.0;
    const int margin = static_cast<int>(std::lround(10 * scale));

    // Grid and numbers: a few lines of degrees, and a time step that gives about eight lines.
    const QPen gridPen(Grid, std::max(1.0, std::round(scale)));
    for (const double d : GridDegrees(lo, hi)) {
        const double y = frame.yOfDegrees(d);
        painter.setPen(gridPen);
        painter.drawLine(QPointF(p.left(), y), QPointF(p.right(), y));
        painter.setPen(Lettering);
        painter.drawText(QRectF(area.left(), y - metrics.height() / 2.0,
                                p.left() - area.left() - margin / 2.0, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(d));
    }
    const int step = TimeStep(seconds);
    for (int s = 0; s <= seconds; s += step) {
        const double x = frame.xOfSeconds(s);
        painter.setPen(gridPen);
        painter.drawLine(QPointF(x, p.top()), QPointF(x, p.bottom()));
        painter.setPen(Lettering);
        painter.drawText(
            QRectF(x - 40 * scale, p.bottom() + margin / 2.0, 80 * scale, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, QString::number(s));
    }
    painter.drawText(
        QRectF(p.left(), p.bottom() + metrics.height() + margin / 2.0, p.width(), metrics.height()),
        Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("秒"));

    // The traces, the picked one last and strongest.
    const std::vector<Group>& groups = model.groups();
    // Lines as wide as whole pixels (a one-pixel pen is drawn directly, a wider one as its
    // outline, at a tenth of the speed); a trace behind the picked one is paled, not
    // transparent, for the same reason.
    auto draw = [&](size_t i, int width, bool pale) {
        QColor colour = TraceColour(groups[i].colour);
        if (pale)
            colour =
                QColor((colour.red() + 2 * Back.red()) / 3, (colour.green() + 2 * Back.green()) / 3,
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

    // The prediction, dashed over the traces.
    if (!model.prediction().empty()) {
        QPolygonF line;
        for (const PredictionPoint& point : model.prediction())
            line << QPointF(frame.xOfSeconds(point.seconds), frame.yOfDegrees(point.degrees));
        QPen dashed(PredictionColour(), 3 * thin, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin);
        painter.setPen(dashed);
        painter.drawPolyline(line);
    }

    // The markers: a thin upright line each, its number and label at the top, set a line
    // lower where the one before would be overlapped.
    double labelEnd = -1e9;
    int row = 0;
    const std::vector<Marker>& markers = model.markers();
    std::vector<size_t> order(markers.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&markers](size_t a, size_t b) {
        return markers[a].seconds < markers[b].seconds;
    });
    for (const size_t i : order) {
        const double x = frame.xOfSeconds(markers[i].seconds);
        painter.setPen(QPen(MarkerLine, thin));
        painter.drawLine(QPointF(x, p.top()), QPointF(x, p.bottom()));
        const QString text = QString::number(i + 1) + QLatin1Char(' ') + markers[i].label;
        const double width = metrics.horizontalAdvance(text) + 6 * scale;
        row = x < labelEnd ? (row + 1) % 3 : 0;
        const QRectF box(std::min(x + 2 * scale, p.right() - width),
                         p.top() + row * (metrics.height() + 2 * scale), width, metrics.height());
        painter.fillRect(box, QColor(255, 255, 255));
        painter.setPen(Lettering);
        painter.drawText(box, Qt::AlignCenter, text);
        labelEnd = std::max(labelEnd, box.right());
    }
    painter.setClipping(false);

    // The legend, in columns when the groups are many: every group named.
    if (look.legend) {
        const Legend legend = LegendOf(model.shownNames(), metrics, area.width(),
                                       static_cast<int>(p.height()), scale);
        const QStringList& names = model.shownNames();
        for (size_t i = 0; i < groups.size(); ++i) {
            const int column = static_cast<int>(i) / legend.rows;
            const int line = static_cast<int>(i) % legend.rows;
            const double left = p.right() + margin + column * legend.columnWidth;
            const double y = p.top() + line * metrics.height();
            const QRectF swatch(left, y + metrics.height() / 2.0 - 2 * scale, 16 * scale,
                                4 * scale);
            painter.fillRect(swatch, TraceColour(groups[i].colour));
            QFont f = font;
            f.setBold(static_cast<int>(i) == picked);
            painter.setFont(f);
            painter.setPen(Lettering);
            const QFontMetrics fm(f);
            painter.drawText(QPointF(swatch.right() + 4 * scale, y + metrics.ascent()),
                             fm.elidedText(names.value(static_cast<qsizetype>(i)), Qt::ElideMiddle,
                                           legend.columnWidth - static_cast<int>(24 * scale)));
        }
    }
    painter.restore();
}

}  // namespace ClassView
