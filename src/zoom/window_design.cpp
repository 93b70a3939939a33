#include "zoom/window_design.h"

#include <QAbstractScrollArea>
#include <QLayout>

#include "platform/picture_box.h"
#include "platform/surface.h"
#include "zoom/zoom_steps.h"

WindowDesign& WindowDesign::of(QWidget& window) {
    if (auto* design = window.findChild<WindowDesign*>(QString(), Qt::FindDirectChildrenOnly))
        return *design;
    return *new WindowDesign(window);
}

bool WindowDesign::taken(const QWidget& window) {
    return window.findChild<WindowDesign*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

WindowDesign::WindowDesign(QWidget& window)
    : QObject(&window),
      window_(window),
      size_(window.size()),
      fixed_(window.minimumSize() == window.maximumSize()),
      font_(window.font()) {
    take(window);
}

void WindowDesign::take(QWidget& parent) {
    // A scroll area places and paints its own viewport and bars.
    if (qobject_cast<QAbstractScrollArea*>(&parent)) return;
    for (QObject* child : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow()) continue;
        controls_.push_back({widget, widget->geometry(), widget->font(), parent.layout() == nullptr,
                             &parent == &window_});
        take(*widget);
    }
}

void WindowDesign::layOut(double factor) {
    if (fixed_) window_.setFixedSize(ScaledSize(size_, factor));
    layOutAt(factor, QPoint());
}

void WindowDesign::layOutAt(double factor, QPoint offset) {
    window_.setFont(ScaledFont(font_, factor));
    const double ratio = factor * window_.devicePixelRatioF();
    for (const Control& c : controls_) {
        if (!c.widget) continue;
        c.widget->setFont(ScaledFont(c.font, factor));
        if (c.placed)
            c.widget->setGeometry(
                ScaledRect(c.rect, factor).translated(c.inWindow ? offset : QPoint()));
        if (auto* picture = dynamic_cast<PictureBox*>(c.widget.data()))
            picture->surface().setRatio(ratio);
    }
}
