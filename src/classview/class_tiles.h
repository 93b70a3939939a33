// The groups above the class's graph, laid out for the class shown. Up to a dozen groups, a
// tile each: its name and state ("そくてい中", "ていし", "オフライン", "ファイル") on one line, the
// big read-out under them, a small thermometer column in the group's colour. More groups
// stand as a compact list in columns, a line each: the group's colour, name, read-out and
// state. No word is cut: the tiles and the list's columns are never narrower than their
// words, and there are fewer of them a row on a narrow window. Clicking a group picks its
// trace in the graph.
#pragma once

#include <QWidget>
#include <functional>

#include "classview/class_model.h"

namespace ClassView {

// Groups shown as tiles; more are listed.
constexpr int MostTiles = 12;

class GroupBoard : public QWidget {
  public:
    GroupBoard(const ClassModel& model, QWidget* parent);
    void setPicked(int group);
    std::function<void(int group)> clicked;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Tells the layout that the groups, or their names, changed.
    void groupsChanged();

    // Where each group stands at the board's width: tiles or lines in a grid.
    struct Placement {
        bool tiles = true;
        int columns = 1, rows = 0;
        int cellWidth = 0, cellHeight = 0;
    };
    Placement placement(int width) const;
    // The group at `point`; -1 for none.
    int groupAt(QPoint point) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // The narrowest a tile or a line may be, so that none of its words is cut.
    int leastWidth(bool tiles) const;
    QFont bigFont() const;
    void paintTile(QPainter& p, int group, const QRect& cell) const;
    void paintLine(QPainter& p, int group, const QRect& cell) const;

    const ClassModel& model_;
    int picked_ = -1;
};

// The state of a group in words: "そくてい中", "ていし", "オフライン", "ファイル".
QString GroupState(const Group& group);

}  // namespace ClassView
