#include "platform/picture_box.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/surface.h"

PictureBox::PictureBox(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.changed = [this](const QRect& area) {
        const QRect dirty = area.isNull() ? rect() : area;
        if (immediate_ && isVisible())
            repaint(dirty);
        else
            update(dirty);
    };
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), surface_.image(), event->rect());
}
