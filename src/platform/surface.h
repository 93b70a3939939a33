// A picture surface: pixels that stay until drawn over, a pen (current point) and the
// handful of drawing operations the program uses. Coordinates are pixels, origin top left.
// The picture is held at a pixel ratio: at 2 each pixel of the drawing is 2 x 2 pixels of
// the screen, lines and text are drawn at that size, not enlarged afterwards.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/colour.h"

// One call on a surface, as the caller made it. Tests attach a log to a surface to
// check the exact sequence of operations a routine performs.
struct SurfaceOp {
    enum Kind { PSet, Line, Box, FilledBox, Circle, Print };
    Kind kind;
    QPointF a;  // point-set point, line's first point, box corner, circle centre
    QPointF b;  // line's second point, box's other corner
    Colour colour = 0;
    bool relative = false;  // point-set offset / line's second point taken from the pen
    bool fromPen = false;   // line without a first point
    double radius = 0;
    QString text;
    bool operator==(const SurfaceOp& o) const;
};

// One painting as the surface shows it, its points resolved to whole pixels, kept so that
// the picture can be painted again at another pixel ratio.
struct Painting {
    enum Kind { Pixel, Line, Box, Fill, Circle, Text };
    Kind kind;
    QPoint a;  // the pixel, line's first end, box corner, circle centre, text position
    QPoint b;  // line's second end, box's other corner
    Colour colour = 0;
    int radius = 0;
    bool filled = false;  // circle interior in `fill`
    Colour fill = 0;
    QString text;
    QRect area;  // the pixels it may touch, on the surface
};

class Surface {
  public:
    Surface(int width, int height, Colour back, const QFont& font, Colour fore);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Point-set: one pixel; relative takes the point as an offset from the pen.
    void PSet(QPointF p, Colour c, bool relative = false);
    // Line between two absolute points.
    void Line(QPointF from, QPointF to, Colour c);
    // Line from the pen to `to`, absolute or relative to the pen.
    void LineFromPen(QPointF to, Colour c, bool relative = false);
    // Outline / filled rectangle, both corners inclusive, in any order.
    void Box(QPointF a, QPointF b, Colour c);
    void FilledBox(QPointF a, QPointF b, Colour c);
    // Circle outline; its interior is painted in the fill colour when a solid fill is set.
    void Circle(QPointF centre, double radius, Colour c);
    // Writes one line of text at the pen and moves the pen to the start of the next line.
    void Print(const QString& text);

    QPointF pen() const { return pen_; }
    void setPen(QPointF p) { pen_ = p; }
    void setSolidFill(Colour fill);  // design fill for circles; none by default
    void setForeColour(Colour fore) { fore_ = fore; }
    const QFont& font() const { return font_; }
    void clearAll();  // whole surface to the back colour, pen to (0,0)

    // Screen pixels per pixel of the drawing (1 as designed). Changing it paints again what
    // the surface shows, at the new ratio.
    void setRatio(double ratio);
    double ratio() const { return ratio_; }
    // How many paintings are kept for that; a painting wholly covered by a later filled box
    // is forgotten, so a page wiped and drawn again does not add up.
    size_t keptPaintings() const { return shown_.size(); }

    const QImage& image() const { return image_; }  // in screen pixels
    Colour pixel(int x, int y) const;  // RGB of one pixel of the image, for tests and checks
    int width() const { return size_.width(); }
    int height() const { return size_.height(); }

    std::vector<SurfaceOp>* log = nullptr;  // when set, every operation is appended
    // Called after every operation that painted, with the area it may have touched (a null
    // rectangle stands for the whole surface); the widget repaints that area.
    std::function<void(const QRect&)> changed;
    std::function<void(const QString&)> printed;  // called with every line printed

  private:
    void record(const SurfaceOp& op);
    void done(const QRect& area = QRect());
    // Paints, keeps and reports a painting.
    void show(Painting p);
    void paint(const Painting& p);
    void keep(Painting p);
    void stroke(QPoint from, QPoint to);
    void beginPainting();
    static QRect spanOf(QPoint a, QPoint b);
    static QPoint pixelOf(QPointF p);

    QSize size_;
    double ratio_ = 1;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QPointF pen_;
    Colour back_;
    Colour fore_;
    QFont font_;
    bool solidFill_ = false;
    Colour fill_ = 0;
    std::vector<Painting> shown_;
};
