// A tile for each group: its name, the big read-out, a small thermometer column in the
// group's colour, and whether it measures, has stopped or is offline. Clicking a tile picks
// its group's trace in the graph.
#pragma once

#include <QWidget>
#include <functional>

#include "classview/class_model.h"

namespace ClassView {

class GroupTile : public QWidget {
  public:
    GroupTile(const ClassModel& model, int group, QWidget* parent);
    void setPicked(bool picked);
    std::function<void(int group)> clicked;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const ClassModel& model_;
    int group_;
    bool picked_ = false;
};

// The state of a group in words: "そくてい中", "ていし", "オフライン", "ファイル".
QString GroupState(const Group& group);

}  // namespace ClassView
