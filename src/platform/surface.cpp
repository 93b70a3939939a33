#include "platform/surface.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

bool SurfaceOp::operator==(const SurfaceOp& o) const {
    return kind == o.kind && a == o.a && b == o.b && colour == o.colour && relative == o.relative &&
           fromPen == o.fromPen && radius == o.radius && text == o.text;
}

Surface::Surface(int width, int height, Colour back, const QFont& font, Colour fore)
    : image_(width, height, QImage::Format_RGB32), back_(back), fore_(fore), font_(font) {
    image_.fill(ToQColor(back_));
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setFont(font_);
}

Surface::~Surface() {
    painter_->end();
}

// Coordinates are kept as floats (the pen too); a pixel is the nearest whole point.
QPoint Surface::pixelOf(QPointF p) {
    return QPoint(static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y())));
}

void Surface::record(const SurfaceOp& op) {
    if (log) log->push_back(op);
}

void Surface::done(const QRect& area) {
    if (changed) changed(area);
}

// The pixels a line between two pixels can touch.
QRect Surface::spanOf(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

void Surface::touched(const QRect& area) {
    const QRect onSurface = area.intersected(image_.rect());
    if (!onSurface.isEmpty()) done(onSurface);
}

void Surface::PSet(QPointF p, Colour c, bool relative) {
    record({SurfaceOp::PSet, p, {}, c, relative, false, 0, {}});
    pen_ = relative ? pen_ + p : p;
    const QPoint px = pixelOf(pen_);
    if (!image_.rect().contains(px)) return;
    image_.setPixel(px, ToQColor(c).rgb());
    done(QRect(px, QSize(1, 1)));
}

void Surface::Line(QPointF from, QPointF to, Colour c) {
    record({SurfaceOp::Line, from, to, c, false, false, 0, {}});
    painter_->setPen(ToQColor(c));
    painter_->drawLine(pixelOf(from), pixelOf(to));
    pen_ = to;
    touched(spanOf(pixelOf(from), pixelOf(to)));
}

void Surface::LineFromPen(QPointF to, Colour c, bool relative) {
    record({SurfaceOp::Line, {}, to, c, relative, true, 0, {}});
    const QPointF from = pen_;
    const QPointF end = relative ? pen_ + to : to;
    painter_->setPen(ToQColor(c));
    painter_->drawLine(pixelOf(from), pixelOf(end));
    pen_ = end;
    touched(spanOf(pixelOf(from), pixelOf(end)));
}

void Surface::Box(QPointF a, QPointF b, Colour c) {
    record({SurfaceOp::Box, a, b, c, false, false, 0, {}});
    const QPoint p = pixelOf(a), q = pixelOf(b);
    const int x1 = std::min(p.x(), q.x()), x2 = std::max(p.x(), q.x());
    const int y1 = std::min(p.y(), q.y()), y2 = std::max(p.y(), q.y());
    painter_->setPen(ToQColor(c));
    painter_->drawLine(x1, y1, x2, y1);
    painter_->drawLine(x2, y1, x2, y2);
    painter_->drawLine(x2, y2, x1, y2);
    painter_->drawLine(x1, y2, x1, y1);
    pen_ = b;
    touched(spanOf(p, q));
}

void Surface::FilledBox(QPointF a, QPointF b, Colour c) {
    record({SurfaceOp::FilledBox, a, b, c, false, false, 0, {}});
    const QPoint p = pixelOf(a), q = pixelOf(b);
    const QPoint topLeft(std::min(p.x(), q.x()), std::min(p.y(), q.y()));
    const QPoint bottomRight(std::max(p.x(), q.x()), std::max(p.y(), q.y()));
    painter_->fillRect(QRect(topLeft, bottomRight), ToQColor(c));
    pen_ = b;
    touched(QRect(topLeft, bottomRight));
}

void Surface::Circle(QPointF centre, double radius, Colour c) {
    record({SurfaceOp::Circle, centre, {}, c, false, false, radius, {}});
    painter_->setPen(ToQColor(c));
    painter_->setBrush(solidFill_ ? QBrush(ToQColor(fill_)) : QBrush(Qt::NoBrush));
    const int r = static_cast<int>(std::lround(radius));
    const QPoint at = pixelOf(centre);
    painter_->drawEllipse(at, r, r);
    painter_->setBrush(Qt::NoBrush);
    pen_ = centre;
    // The outline may reach one pixel beyond the radius.
    const int reach = std::abs(r) + 1;
    touched(QRect(at - QPoint(reach, reach), at + QPoint(reach, reach)));
}

void Surface::Print(const QString& text) {
    record({SurfaceOp::Print, pen_, {}, fore_, false, false, 0, text});
    const QFontMetrics metrics(font_);
    const QPoint at = pixelOf(pen_);
    const QRect line(at.x(), at.y(), image_.width() - at.x(), metrics.height());
    pen_ = QPointF(0, pen_.y() + metrics.height());
    if (printed) printed(text);
    // A long log runs off the bottom: lines there paint nothing and cost nothing.
    if (!line.intersects(image_.rect())) return;
    painter_->setPen(ToQColor(fore_));
    painter_->drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    done(line);
}

void Surface::setSolidFill(Colour fill) {
    solidFill_ = true;
    fill_ = fill;
}

void Surface::clearAll() {
    painter_->fillRect(image_.rect(), ToQColor(back_));
    pen_ = QPointF(0, 0);
    done();
}

Colour Surface::pixel(int x, int y) const {
    return FromQRgb(image_.pixel(x, y));
}
