#include "platform/surface.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

bool SurfaceOp::operator==(const SurfaceOp& o) const {
    return kind == o.kind && a == o.a && b == o.b && colour == o.colour && relative == o.relative &&
           fromPen == o.fromPen && radius == o.radius && text == o.text;
}

Surface::Surface(int width, int height, Colour back, const QFont& font, Colour fore)
    : size_(width, height),
      image_(width, height, QImage::Format_RGB32),
      back_(back),
      fore_(fore),
      font_(font) {
    image_.fill(ToQColor(back_));
    beginPainting();
}

Surface::~Surface() {
    painter_->end();
}

void Surface::beginPainting() {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setFont(font_);
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

void Surface::show(Painting p) {
    p.area = p.area.intersected(QRect(QPoint(), size_));
    if (p.area.isEmpty()) return;
    paint(p);
    const QRect area = p.area;
    keep(std::move(p));
    done(area);
}

// A line one pixel wide between two pixels, both ends painted. At a ratio above 1 a line
// along a row or a column runs the length of its pixels' blocks of the picture and is as
// thick as the ratio rounded, the same for every line, also at a ratio between whole numbers
// (where the blocks alternate in size); any other runs through the pixels' centres with a pen
// as wide as a pixel.
void Surface::stroke(QPoint from, QPoint to) {
    if (ratio_ == 1) {
        painter_->drawLine(from, to);
    } else if ((from.x() == to.x() || from.y() == to.y()) && ratio_ == std::floor(ratio_)) {
        painter_->fillRect(spanOf(from, to), painter_->pen().color());  // whole blocks
    } else if (from.x() == to.x() || from.y() == to.y()) {
        const QRect span = spanOf(from, to);
        const auto at = [this](int x) { return std::lround(x * ratio_); };
        const long thick = std::max(1L, std::lround(ratio_));
        const bool across = span.height() == 1;  // along a row
        const long left = at(span.left()), top = at(span.top());
        const long right = across ? at(span.right() + 1) : left + thick;
        const long bottom = across ? top + thick : at(span.bottom() + 1);
        // In the picture's own pixels: the painter scales by the ratio.
        painter_->fillRect(QRectF(left / ratio_, top / ratio_, (right - left) / ratio_,
                                  (bottom - top) / ratio_),
                           painter_->pen().color());
    } else {
        const QPointF centre(0.5, 0.5);
        painter_->drawLine(QPointF(from) + centre, QPointF(to) + centre);
    }
}

void Surface::paint(const Painting& p) {
    const QColor colour = ToQColor(p.colour);
    switch (p.kind) {
        case Painting::Pixel:
            if (ratio_ == 1)
                image_.setPixel(p.a, colour.rgb());
            else
                painter_->fillRect(QRect(p.a, QSize(1, 1)), colour);
            return;
        case Painting::Line:
            painter_->setPen(colour);
            stroke(p.a, p.b);
            return;
        case Painting::Box:
            painter_->setPen(colour);
            stroke(p.a, QPoint(p.b.x(), p.a.y()));
            stroke(QPoint(p.b.x(), p.a.y()), p.b);
            stroke(p.b, QPoint(p.a.x(), p.b.y()));
            stroke(QPoint(p.a.x(), p.b.y()), p.a);
            return;
        case Painting::Fill:
            painter_->fillRect(QRect(p.a, p.b), colour);
            return;
        case Painting::Circle:
            painter_->setPen(colour);
            painter_->setBrush(p.filled ? QBrush(ToQColor(p.fill)) : QBrush(Qt::NoBrush));
            if (ratio_ == 1)
                painter_->drawEllipse(p.a, p.radius, p.radius);
            else
                painter_->drawEllipse(QPointF(p.a) + QPointF(0.5, 0.5), p.radius, p.radius);
            painter_->setBrush(Qt::NoBrush);
            return;
        case Painting::Text:
            painter_->setPen(colour);
            painter_->drawText(
                QRect(p.a, QSize(size_.width() - p.a.x(), QFontMetrics(font_).height())),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, p.text);
            return;
    }
}

// What is wholly covered by a filled box no longer shows; nor does an outline drawn again.
void Surface::keep(Painting p) {
    if (p.kind == Painting::Fill) {
        // Areas are never empty: a plain comparison of their edges, at every poll that
        // moves the liquid column.
        const QRect& fill = p.area;
        const auto covered = [&fill](const Painting& q) {
            return q.area.left() >= fill.left() && q.area.right() <= fill.right() &&
                   q.area.top() >= fill.top() && q.area.bottom() <= fill.bottom();
        };
        shown_.erase(std::remove_if(shown_.begin(), shown_.end(), covered), shown_.end());
    } else if (p.kind == Painting::Box) {
        const auto same = [&p](const Painting& q) {
            return q.kind == Painting::Box && q.a == p.a && q.b == p.b && q.colour == p.colour;
        };
        shown_.erase(std::remove_if(shown_.begin(), shown_.end(), same), shown_.end());
    }
    shown_.push_back(std::move(p));
}

void Surface::PSet(QPointF p, Colour c, bool relative) {
    record({SurfaceOp::PSet, p, {}, c, relative, false, 0, {}});
    pen_ = relative ? pen_ + p : p;
    const QPoint px = pixelOf(pen_);
    show({Painting::Pixel, px, px, c, 0, false, 0, {}, QRect(px, QSize(1, 1))});
}

void Surface::Line(QPointF from, QPointF to, Colour c) {
    record({SurfaceOp::Line, from, to, c, false, false, 0, {}});
    pen_ = to;
    const QPoint a = pixelOf(from), b = pixelOf(to);
    show({Painting::Line, a, b, c, 0, false, 0, {}, spanOf(a, b)});
}

void Surface::LineFromPen(QPointF to, Colour c, bool relative) {
    record({SurfaceOp::Line, {}, to, c, relative, true, 0, {}});
    const QPoint a = pixelOf(pen_);
    pen_ = relative ? pen_ + to : to;
    const QPoint b = pixelOf(pen_);
    show({Painting::Line, a, b, c, 0, false, 0, {}, spanOf(a, b)});
}

void Surface::Box(QPointF a, QPointF b, Colour c) {
    record({SurfaceOp::Box, a, b, c, false, false, 0, {}});
    pen_ = b;
    const QRect span = spanOf(pixelOf(a), pixelOf(b));
    show({Painting::Box, span.topLeft(), span.bottomRight(), c, 0, false, 0, {}, span});
}

void Surface::FilledBox(QPointF a, QPointF b, Colour c) {
    record({SurfaceOp::FilledBox, a, b, c, false, false, 0, {}});
    pen_ = b;
    const QRect span = spanOf(pixelOf(a), pixelOf(b));
    show({Painting::Fill, span.topLeft(), span.bottomRight(), c, 0, false, 0, {}, span});
}

void Surface::Circle(QPointF centre, double radius, Colour c) {
    record({SurfaceOp::Circle, centre, {}, c, false, false, radius, {}});
    pen_ = centre;
    const int r = static_cast<int>(std::lround(radius));
    const QPoint at = pixelOf(centre);
    // The outline may reach one pixel beyond the radius.
    const int reach = std::abs(r) + 1;
    show({Painting::Circle,
          at,
          at,
          c,
          r,
          solidFill_,
          fill_,
          {},
          QRect(at - QPoint(reach, reach), at + QPoint(reach, reach))});
}

void Surface::Print(const QString& text) {
    record({SurfaceOp::Print, pen_, {}, fore_, false, false, 0, text});
    const QFontMetrics metrics(font_);
    const QPoint at = pixelOf(pen_);
    pen_ = QPointF(0, pen_.y() + metrics.height());
    if (printed) printed(text);
    // A long log runs off the bottom: lines there paint nothing and cost nothing.
    show({Painting::Text, at, at, fore_, 0, false, 0, text,
          QRect(at.x(), at.y(), size_.width() - at.x(), metrics.height())});
}

void Surface::setSolidFill(Colour fill) {
    solidFill_ = true;
    fill_ = fill;
}

void Surface::clearAll() {
    painter_->fillRect(QRectF(QPointF(), image_.deviceIndependentSize()), ToQColor(back_));
    pen_ = QPointF(0, 0);
    shown_.clear();
    done();
}

void Surface::setRatio(double ratio) {
    if (ratio == ratio_ || !(ratio > 0)) return;
    ratio_ = ratio;
    painter_->end();
    image_ =
        QImage(static_cast<int>(std::ceil(size_.width() * ratio - 1e-9)),
               static_cast<int>(std::ceil(size_.height() * ratio - 1e-9)), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(ToQColor(back_));
    beginPainting();
    for (const Painting& p : shown_) paint(p);
    done();
}

Colour Surface::pixel(int x, int y) const {
    return FromQRgb(image_.pixel(x, y));
}
