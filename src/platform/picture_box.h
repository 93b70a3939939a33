// The widget that shows a picture surface. It never draws on its own: it copies the
// surface's pixels to the screen, one to one, whenever the surface has changed. A surface
// held at a pixel ratio above the screen's shows that much larger.
#pragma once

#include <QElapsedTimer>
#include <QRegion>
#include <QWidget>

class Surface;

class PictureBox : public QWidget {
  public:
    // The shortest time between two repaints while painting at once: a screen shows no more
    // than one frame in that time.
    static constexpr int FrameMs = 16;

    PictureBox(Surface& surface, QWidget* parent);
    // While set (start-up, when the event loop does not run), changes reach the screen at
    // once, at most one repaint a frame: what changes within a frame of the last repaint
    // goes with the next one. Otherwise repaints are coalesced into one per turn of the
    // event loop.
    void setImmediate(bool immediate);
    Surface& surface() const { return surface_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void surfaceChanged(const QRect& area);

    Surface& surface_;
    // Widget pixels per pixel of the drawing, taken again whenever the whole surface changed
    // (as it does when its ratio changes).
    double scale_ = 1;
    bool immediate_ = false;
    QRegion waiting_;          // changed since the last repaint at once
    QElapsedTimer lastShown_;  // when that repaint was
};
