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
    const QRect dirty = area.isNull() ? rect() : area;
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
    for (const QRect& area : event->region()) painter.drawImage(area, surface_.image(), area);
}
