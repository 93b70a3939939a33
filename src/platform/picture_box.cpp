#include "platform/picture_box.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/surface.h"

PictureBox::PictureBox(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.changed = [this](const QRect& area) { surfaceChanged(area); };
}

void PictureBox::setImmediate(bool immediate) {
    immediate_ = immediate;
    waiting_ = QRegion();
    lastShown_.invalidate();
}

void PictureBox::surfaceChanged(const QRect& area) {
    QRect dirty = rect();
    if (area.isNull())
        scale_ = surface_.ratio() / devicePixelRatioF();
    else if (scale_ == 1)
        dirty = area;
    else
        dirty = QRectF(area.x() * scale_, area.y() * scale_, area.width() * scale_,
                       area.height() * scale_)
                    .toAlignedRect();
    if (!immediate_ || !isVisible()) {
        update(dirty);
        return;
    }
    waiting_ += dirty;
    if (lastShown_.isValid() && lastShown_.elapsed() < FrameMs) {
        update(dirty);  // the next repaint at once takes it, or else the event loop
        return;
    }
    repaint(waiting_);
    waiting_ = QRegion();
    lastShown_.start();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const double d = devicePixelRatioF();
    const QImage& image = surface_.image();
    const QRect shown(QPoint(), (QSizeF(image.size()) / d).toSize());
    for (const QRect& area : event->region()) {
        // A widget a rounding larger than the picture shows the window's colour there.
        if (!shown.contains(area)) painter.fillRect(area, palette().window());
        const QRect target = area.intersected(shown);
        const QRectF source(target.x() * d, target.y() * d, target.width() * d,
                            target.height() * d);
        painter.drawImage(QRectF(target), image, source);
    }
}
