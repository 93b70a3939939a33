// The class's graph in the class view's window, and the teacher's tools on it. With the
// pointer (mouse, pen or finger) the teacher reads the graph off: the cursor shows the time
// and each group's degrees under it; two points picked on a trace give the seconds and
// degrees between them and the degrees a minute; a stretch dragged across gives each group's
// highest, lowest and mean there. The prediction is drawn here in a few strokes: the first
// stroke after the tool is taken replaces the prediction there was, each next one the stretch
// of time it covers. What is read off stands in a box on the graph, in columns when the
// groups are many.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "classview/class_graph.h"
#include "classview/class_model.h"
#include "classview/lesson_steps.h"

namespace ClassView {

class GraphView : public QWidget {
  public:
    enum class Tool { Cursor, Predict, TwoPoints, Stretch };

    // `model` outlives the view; the view draws the prediction into it.
    GraphView(ClassModel& model, QWidget* parent);

    void setTool(Tool tool);
    Tool tool() const { return tool_; }
    // The group drawn stronger (-1: none); whether the legend names the groups.
    void setPicked(int group);
    void setLegend(bool legend);
    GraphLook look() const;
    GraphFrame frame() const;

    // The tick under the cursor; -1 when the cursor is off the graph.
    int cursorTick() const { return cursor_; }
    void setCursorTick(int tick);
    // Picks a point of `group`'s trace at `tick`: the first of two, or the second of the
    // first's group.
    void pickPoint(int group, int tick);
    // Takes the stretch from `from` to `to` (ticks, either order).
    void setStretch(int from, int to);
    // Forgets the points and the stretch.
    void clearReadOff();

    // A line of what is read off: its text, after a swatch of the group's colour when valid.
    struct Line {
        QColor swatch;
        QString text;
    };
    // What the box on the graph shows now: for the tool in use, the stretch, the two points
    // or else the cursor; nothing when there is nothing to read.
    std::vector<Line> readOff() const;

    // The graph as shown, with what is read off, at the window's scale, its legend naming
    // every group.
    QImage picture() const;

    // Called when a stroke has changed the prediction, and when the tool changed.
    std::function<void()> predictionDrawn;
    std::function<void()> toolChanged;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void paint(QPainter& painter, const GraphLook& look) const;
    void paintReadOff(QPainter& painter, const GraphFrame& frame) const;
    int tickAt(const GraphFrame& frame, double x) const;
    // The group whose trace passes nearest to `degrees` at `tick`; -1 for none.
    int nearestGroup(int tick, double degrees) const;

    ClassModel& model_;
    Tool tool_ = Tool::Cursor;
    int picked_ = -1;
    bool legend_ = true;
    int cursor_ = -1;
    // The two points: their group and ticks (-1: not picked).
    int pointsGroup_ = -1, firstTick_ = -1, secondTick_ = -1;
    int stretchFrom_ = -1, stretchTo_ = -1;
    int stretchAnchor_ = -1;  // where the drag began
    bool stretching_ = false;
    // The stroke being drawn, on the frame it began on.
    bool drawing_ = false;
    bool freshPrediction_ = false;  // the next stroke replaces the prediction
    GraphFrame strokeFrame_;
    Stroke stroke_;
};

}  // namespace ClassView
