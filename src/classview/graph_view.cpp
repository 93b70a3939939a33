#include "classview/graph_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "classview/class_tiles.h"
#include "classview/read_off.h"
#include "classview/results_table.h"
#include "zoom/zoom.h"

namespace ClassView {

namespace {

const QColor ReadOffLine(0, 0, 0);
const QColor StretchShade(255, 255, 255, 60);
const QColor BoxBack(255, 255, 255, 235);

DegreesAt DegreesOf(const Group& g) {
    return [&g](int tick) { return g.degrees.at(tick); };
}

}  // namespace

GraphView::GraphView(ClassModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(400, 250);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);
}

void GraphView::setTool(Tool tool) {
    if (tool == tool_) return;
    tool_ = tool;
    freshPrediction_ = tool == Tool::Predict;
    drawing_ = false;
    stretching_ = false;
    clearReadOff();
    setCursor(tool == Tool::Cursor ? Qt::ArrowCursor : Qt::CrossCursor);
    if (toolChanged) toolChanged();
}

void GraphView::setPicked(int group) {
    picked_ = group;
}

void GraphView::setLegend(bool legend) {
    legend_ = legend;
}

GraphLook GraphView::look() const {
    return GraphLook{CurrentZoom(), picked_, legend_};
}

GraphFrame GraphView::frame() const {
    return FrameOf(rect(), model_, look(), font());
}

void GraphView::setCursorTick(int tick) {
    cursor_ = tick;
    update();
}

void GraphView::pickPoint(int group, int tick) {
    if (group < 0 || static_cast<size_t>(group) >= model_.groups().size()) return;
    if (firstTick_ < 0 || secondTick_ >= 0) {
        pointsGroup_ = group;
        firstTick_ = tick;
        secondTick_ = -1;
    } else {
        secondTick_ = tick;
    }
    update();
}

void GraphView::setStretch(int from, int to) {
    stretchFrom_ = std::min(from, to);
    stretchTo_ = std::max(from, to);
    update();
}

void GraphView::clearReadOff() {
    pointsGroup_ = firstTick_ = secondTick_ = -1;
    stretchFrom_ = stretchTo_ = -1;
    update();
}

int GraphView::tickAt(const GraphFrame& frame, double x) const {
    if (frame.plot.isEmpty()) return -1;
    const int tick = static_cast<int>(std::lround(frame.secondsAtX(x) * 2));
    return std::clamp(tick, 0, frame.span - 1);
}

int GraphView::nearestGroup(int tick, double degrees) const {
    if (picked_ >= 0) return picked_;
    const auto& groups = model_.groups();
    int nearest = -1;
    double distance = 0;
    for (size_t i = 0; i < groups.size(); ++i) {
        const float d = groups[i].degrees.at(tick);
        if (std::isnan(d)) continue;
        if (nearest < 0 || std::abs(d - degrees) < distance) {
            nearest = static_cast<int>(i);
            distance = std::abs(d - degrees);
        }
    }
    return nearest;
}

std::vector<GraphView::Line> GraphView::readOff() const {
    std::vector<Line> lines;
    const auto& groups = model_.groups();
    const QStringList& names = model_.shownNames();
    auto colour = [&groups](size_t i) { return TraceColour(groups[i].colour); };
    if (tool_ == Tool::Stretch && stretchFrom_ >= 0) {
        lines.push_back({QColor(), TimeShown(stretchFrom_ / 2.0) + QStringLiteral(" 〜 ") +
                                       TimeShown(stretchTo_ / 2.0)});
        for (size_t i = 0; i < groups.size(); ++i) {
            const Stretch s = StretchOf(DegreesOf(groups[i]), stretchFrom_, stretchTo_);
            QString text = names.value(static_cast<qsizetype>(i)) + QStringLiteral("　");
            text += s.ticks == 0 ? QStringLiteral("--")
                                 : QStringLiteral("たかい %1　ひくい %2　へいきん %3")
                                       .arg(DegreesShown(s.highest), DegreesShown(s.lowest),
                                            DegreesShown(s.mean));
            lines.push_back({colour(i), text});
        }
        return lines;
    }
    if (tool_ == Tool::TwoPoints && firstTick_ >= 0 &&
        static_cast<size_t>(pointsGroup_) < groups.size()) {
        const Group& g = groups[static_cast<size_t>(pointsGroup_)];
        const float a = g.degrees.at(firstTick_);
        lines.push_back({colour(static_cast<size_t>(pointsGroup_)), names.value(pointsGroup_)});
        lines.push_back(
            {QColor(),
             QStringLiteral("1: %1　%2").arg(TimeShown(firstTick_ / 2.0), DegreesShown(a))});
        if (secondTick_ < 0) {
            lines.push_back({QColor(), QStringLiteral("2つめの てんを クリック")});
            return lines;
        }
        const float b = g.degrees.at(secondTick_);
        lines.push_back(
            {QColor(),
             QStringLiteral("2: %1　%2").arg(TimeShown(secondTick_ / 2.0), DegreesShown(b))});
        const Difference d = Between(firstTick_ / 2.0, a, secondTick_ / 2.0, b);
        const QString seconds =
            (d.seconds < 0 ? QStringLiteral("-") : QString()) + TimeShown(std::abs(d.seconds));
        lines.push_back({QColor(), QStringLiteral("Δ秒　") + seconds});
        lines.push_back({QColor(), QStringLiteral("Δ℃　") + ChangeShown(d.degrees)});
        lines.push_back({QColor(), QStringLiteral("℃/分　") +
                                       (std::isnan(d.perMinute)
                                            ? QStringLiteral("--")
                                            : ChangeShown(d.perMinute) + QStringLiteral("/分"))});
        return lines;
    }
    if (tool_ == Tool::Predict || cursor_ < 0) return lines;
    lines.push_back({QColor(), TimeShown(cursor_ / 2.0)});
    for (size_t i = 0; i < groups.size(); ++i)
        lines.push_back({colour(i), names.value(static_cast<qsizetype>(i)) + QStringLiteral("　") +
                                        DegreesShown(groups[i].degrees.at(cursor_))});
    const double predicted = PredictionAt(model_.prediction(), cursor_ / 2.0);
    if (!std::isnan(predicted))
        lines.push_back({PredictionColour(), QStringLiteral("よそう　") + DegreesShown(predicted)});
    return lines;
}

void GraphView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, look());
}

QImage GraphView::picture() const {
    QImage picture(size() * devicePixelRatioF(), QImage::Format_RGB32);
    picture.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(&picture);
    painter.setFont(font());
    // Copied or saved, the picture names every group itself.
    GraphLook named = look();
    named.legend = true;
    paint(painter, named);
    return picture;
}

void GraphView::paint(QPainter& painter, const GraphLook& look) const {
    DrawClassGraph(painter, rect(), model_, look);
    const GraphFrame f = FrameOf(rect(), model_, look, font());
    if (f.plot.isEmpty()) return;
    const double scale = CurrentZoom();
    const int thin = static_cast<int>(std::lround(std::max(1.0, scale)));
    painter.save();
    painter.setClipRect(f.plot.adjusted(-1, -1, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (drawing_ && stroke_.size() > 1) {
        QPolygonF line;
        for (const PredictionPoint& p : stroke_)
            line << QPointF(f.xOfSeconds(p.seconds), f.yOfDegrees(p.degrees));
        painter.setPen(QPen(PredictionColour(), 3 * thin, Qt::DashLine));
        painter.drawPolyline(line);
    }
    const auto& groups = model_.groups();
    if (tool_ == Tool::Stretch && stretchFrom_ >= 0) {
        const double left = f.xOfSeconds(stretchFrom_ / 2.0);
        const double right = f.xOfSeconds(stretchTo_ / 2.0);
        painter.fillRect(QRectF(left, f.plot.top(), std::max(right - left, 1.0), f.plot.height()),
                         StretchShade);
        painter.setPen(QPen(ReadOffLine, thin));
        painter.drawLine(QPointF(left, f.plot.top()), QPointF(left, f.plot.bottom()));
        painter.drawLine(QPointF(right, f.plot.top()), QPointF(right, f.plot.bottom()));
    }
    if (tool_ == Tool::TwoPoints && firstTick_ >= 0 &&
        static_cast<size_t>(pointsGroup_) < groups.size()) {
        const Group& g = groups[static_cast<size_t>(pointsGroup_)];
        std::vector<QPointF> points;
        for (const int tick : {firstTick_, secondTick_}) {
            if (tick < 0 || std::isnan(g.degrees.at(tick))) continue;
            points.emplace_back(f.xOfSeconds(tick / 2.0), f.yOfDegrees(g.degrees.at(tick)));
        }
        painter.setPen(QPen(ReadOffLine, 2 * thin));
        if (points.size() == 2) painter.drawLine(points[0], points[1]);
        painter.setBrush(QColor(255, 255, 255));
        for (const QPointF& p : points) painter.drawEllipse(p, 5.0 * thin, 5.0 * thin);
    }
    if (tool_ != Tool::Predict && cursor_ >= 0) {
        const double x = f.xOfSeconds(cursor_ / 2.0);
        painter.setPen(QPen(ReadOffLine, thin, Qt::DotLine));
        painter.drawLine(QPointF(x, f.plot.top()), QPointF(x, f.plot.bottom()));
        painter.setPen(QPen(ReadOffLine, thin));
        for (const Group& g : groups) {
            const float d = g.degrees.at(cursor_);
            if (std::isnan(d)) continue;
            painter.setBrush(TraceColour(g.colour));
            painter.drawEllipse(QPointF(x, f.yOfDegrees(d)), 3.5 * thin, 3.5 * thin);
        }
    }
    painter.restore();
    paintReadOff(painter, f);
}

// The box of what is read off, in the plot's corner away from the cursor, in as many columns
// as its lines need.
void GraphView::paintReadOff(QPainter& painter, const GraphFrame& f) const {
    const std::vector<Line> lines = readOff();
    if (lines.empty()) return;
    const double scale = CurrentZoom();
    // Large and bold for a few lines; a class's many, as the graph's lettering.
    const bool many = lines.size() > MostTiles + 2;
    QFont font = painter.font();
    font.setPixelSize(
        static_cast<int>(std::lround(GraphLetteringPixels(scale) * (many ? 1.0 : 1.15))));
    font.setBold(!many);
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height();
    const int pad = static_cast<int>(std::lround(6 * scale));
    const int swatch = lineHeight * 2 / 3;
    const int rows = std::max(1, (static_cast<int>(f.plot.height()) - 2 * pad) / lineHeight);
    const int columns = static_cast<int>((lines.size() + rows - 1) / rows);
    const int perColumn = static_cast<int>((lines.size() + columns - 1) / columns);
    int columnWidth = 0;
    for (const Line& line : lines)
        columnWidth = std::max(columnWidth, metrics.horizontalAdvance(line.text) +
                                                (line.swatch.isValid() ? swatch + pad : 0));
    columnWidth += 2 * pad;
    const QSizeF size(std::min<double>(columns * columnWidth + pad, f.plot.width()),
                      perColumn * lineHeight + 2 * pad);
    // Away from the cursor: on the right while it stands on the left half.
    const double cursorX = cursor_ >= 0 ? f.xOfSeconds(cursor_ / 2.0) : f.plot.right();
    const bool right = cursorX < f.plot.center().x();
    const QPointF corner(right ? f.plot.right() - size.width() - pad : f.plot.left() + pad,
                         f.plot.top() + pad);
    painter.save();
    painter.setFont(font);
    painter.fillRect(QRectF(corner, size), BoxBack);
    painter.setPen(QPen(ReadOffLine, 1));
    painter.drawRect(QRectF(corner, size));
    for (size_t i = 0; i < lines.size(); ++i) {
        const int column = static_cast<int>(i) / perColumn;
        const int row = static_cast<int>(i) % perColumn;
        double x = corner.x() + pad + column * columnWidth;
        const double y = corner.y() + pad + row * lineHeight;
        if (lines[i].swatch.isValid()) {
            painter.fillRect(QRectF(x, y + (lineHeight - swatch) / 2.0, swatch, swatch),
                             lines[i].swatch);
            x += swatch + pad;
        }
        painter.setPen(ReadOffLine);
        painter.drawText(QRectF(x, y, columnWidth, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         lines[i].text);
    }
    painter.restore();
}

void GraphView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const GraphFrame f = frame();
    if (f.plot.isEmpty()) return;
    const QPointF at = event->position();
    const int tick = tickAt(f, at.x());
    switch (tool_) {
        case Tool::Predict:
            drawing_ = true;
            strokeFrame_ = f;
            stroke_ = {{f.secondsAtX(at.x()), f.degreesAtY(at.y())}};
            break;
        case Tool::TwoPoints: {
            const int group = firstTick_ >= 0 && secondTick_ < 0
                                  ? pointsGroup_
                                  : nearestGroup(tick, f.degreesAtY(at.y()));
            pickPoint(group, tick);
            break;
        }
        case Tool::Stretch:
            stretching_ = true;
            stretchAnchor_ = tick;
            setStretch(tick, tick);
            break;
        case Tool::Cursor:
            break;
    }
    update();
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (drawing_) {
        // On the frame the stroke began on: the range does not move under the pen.
        stroke_.push_back({strokeFrame_.secondsAtX(at.x()), strokeFrame_.degreesAtY(at.y())});
        update();
        return;
    }
    const GraphFrame f = frame();
    const bool over = f.plot.adjusted(-4, 0, 4, 0).contains(at);
    if (stretching_) setStretch(stretchAnchor_, tickAt(f, at.x()));
    setCursorTick(over || stretching_ ? tickAt(f, at.x()) : -1);
}

void GraphView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (drawing_) {
        drawing_ = false;
        const double step = strokeFrame_.span / 2.0 / 150;
        const Prediction before = freshPrediction_ ? Prediction() : model_.prediction();
        const Prediction after = DrawStroke(before, stroke_, step);
        stroke_.clear();
        if (after != before) {  // a tap draws nothing
            model_.setPrediction(after);
            freshPrediction_ = false;
            if (predictionDrawn) predictionDrawn();
        }
    }
    if (stretching_) setStretch(stretchAnchor_, tickAt(frame(), event->position().x()));
    stretching_ = false;
    update();
}

void GraphView::leaveEvent(QEvent*) {
    if (!stretching_ && !drawing_) setCursorTick(-1);
}

}  // namespace ClassView
