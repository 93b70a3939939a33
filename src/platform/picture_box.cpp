#include "platform/picture_box.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/surface.h"

PictureBox::PictureBox(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.changed = [this] {
        if (immediate_ && isVisible())
            repaint();
        else
            update();
    };
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), surface_.image(), event->rect());
}
