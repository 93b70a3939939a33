// A window as it was built: the geometry and font of every control, taken before the
// first zoom, from which the window is laid out at any factor.
#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

class WindowDesign : public QObject {
    Q_OBJECT
  public:
    // The design of `window`, taken now the first time it is asked for and kept with the
    // window from then on.
    static WindowDesign& of(QWidget& window);
    static bool taken(const QWidget& window);

    QSize size() const { return size_; }
    bool fixed() const { return fixed_; }  // a window of fixed size grows with the factor
    // Every control and font at `factor` and every picture drawn at `factor` times the
    // screen's pixel ratio; a window of fixed size takes its size at `factor`.
    void layOut(double factor);
    // The same inside a window of another size, the design's top left corner at `offset`.
    void layOutAt(double factor, QPoint offset);

  private:
    explicit WindowDesign(QWidget& window);
    void take(QWidget& parent);

    struct Control {
        QPointer<QWidget> widget;
        QRect rect;
        QFont font;
        bool placed;  // placed by the design, not by a layout
        bool inWindow;
    };
    QWidget& window_;
    QSize size_;
    bool fixed_;
    QFont font_;
    std::vector<Control> controls_;
};
