// まとめ in the class view's window: the class's results table (classview/results_table.h),
// drawn as large as its place allows. Beneath the graph it is a strip of a few lines (the
// head, a few groups or the picked one, the class's average); shown large on the projector,
// it takes the graph's place with every group, in two or three blocks side by side when the
// groups are many, its lettering as large as fits.
#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

#include "classview/results_table.h"

namespace ClassView {

class ResultsView : public QWidget {
  public:
    explicit ResultsView(QWidget* parent);
    // The table to show, each row after a swatch of its group's colour (in the rows' order).
    void setTable(const ResultsTable& table, const std::vector<QColor>& colours);
    // Large: as large as fits, up to a projector's lettering; else a strip's.
    void setLarge(bool large);
    bool large() const { return large_; }
    // The height of a strip of `lines` lines (the head included), and the width of the
    // table's lines there, at the window's font.
    int stripHeight(int lines) const;
    int stripWidth() const;
    QSize sizeHint() const override { return QSize(stripWidth(), stripHeight(2)); }
    // The lettering's size the table was last drawn at, in pixels.
    int letteringPixels() const { return drawnPixels_; }
    const ResultsTable& table() const { return table_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double basePixels() const;
    int mostPixels(bool large) const;
    // A line's height for each pixel of lettering.
    double lineFactor() const;
    // Each column's width at a lettering of a hundred pixels; `wrapped`: with the head and
    // the average broken between their words.
    std::vector<double> measuredWidths(bool wrapped) const;

    ResultsTable table_;
    std::vector<QColor> colours_;
    bool large_ = false;
    int drawnPixels_ = 0;
};

}  // namespace ClassView
