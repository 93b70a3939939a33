// The widget that shows a picture surface. It never draws on its own: it copies the
// surface's pixels to the screen whenever the surface has changed.
#pragma once

#include <QWidget>

class Surface;

class PictureBox : public QWidget {
  public:
    PictureBox(Surface& surface, QWidget* parent);
    // While set, every change is painted at once (start-up log); otherwise repaints are
    // coalesced into one per turn of the event loop.
    void setImmediate(bool immediate) { immediate_ = immediate; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Surface& surface_;
    bool immediate_ = false;
};
