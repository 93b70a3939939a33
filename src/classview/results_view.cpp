#include "classview/results_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ClassView {

namespace {

const QColor Back(255, 255, 255);
const QColor HeadBack(255, 255, 160);
const QColor OddBack(236, 236, 236);
const QColor MeanBack(210, 230, 255);
const QColor Rule(128, 128, 128);

// Measured at this size and scaled: text widths grow with the lettering.
constexpr int MeasuredPixels = 100;

// How the table stands in its place: the lettering's size, the blocks side by side, the
// rows of a block and the width of each column.
struct Fit {
    int pixels = 0;
    int blocks = 1;
    int rowsPerBlock = 0;
    std::vector<double> widths;  // at `pixels`
};

}  // namespace

ResultsView::ResultsView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ResultsView::setTable(const ResultsTable& table, const std::vector<QColor>& colours) {
    if (table == table_ && colours == colours_) return;
    table_ = table;
    colours_ = colours;
    update();
}

void ResultsView::setLarge(bool large) {
    large_ = large;
    update();
}

int ResultsView::stripHeight(int lines) const {
    QFont f = font();
    f.setPixelSize(std::lround(font().pixelSize() > 0 ? font().pixelSize() * 1.25 : 20));
    return lines * QFontMetrics(f).height() + 4;
}

void ResultsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Back);
    if (table_.head.isEmpty()) return;
    const int columns = static_cast<int>(table_.head.size());
    const int groupRows = static_cast<int>(table_.rows.size());
    const bool mean = table_.mean.has_value();

    // Every column's width at the measured size, with room for a swatch before the names.
    QFont measured = font();
    measured.setPixelSize(MeasuredPixels);
    measured.setBold(true);
    const QFontMetrics m(measured);
    std::vector<double> widths(static_cast<size_t>(columns), 0.0);
    auto widen = [&](const QStringList& row) {
        for (int c = 0; c < columns && c < row.size(); ++c)
            widths[static_cast<size_t>(c)] = std::max<double>(
                widths[static_cast<size_t>(c)], m.horizontalAdvance(row[c]) + 0.8 * MeasuredPixels);
    };
    widen(table_.head);
    for (const QStringList& row : table_.rows) widen(row);
    if (mean) widen(*table_.mean);
    widths[0] += 0.9 * MeasuredPixels;  // the swatch
    double rowWidth = 0;
    for (const double w : widths) rowWidth += w;
    const double lineFactor = double(m.height()) / MeasuredPixels * 1.15;

    // The largest lettering that fits, in one, two or three blocks side by side.
    const double basePixels = font().pixelSize() > 0 ? font().pixelSize() : 16;
    const int most = static_cast<int>(basePixels * (large_ ? 2.6 : 1.25));
    const int least = std::max(8, static_cast<int>(basePixels * 0.75));
    Fit fit;
    for (int px = most; px >= least && fit.pixels == 0; --px) {
        for (int blocks = 1; blocks <= (large_ ? 3 : 1); ++blocks) {
            const int perBlock = std::max(1, (groupRows + blocks - 1) / blocks);
            const int lines = 1 + perBlock + (mean ? 1 : 0);
            const double lineHeight = px * lineFactor;
            const double blockWidth = rowWidth * px / MeasuredPixels;
            if (lines * lineHeight <= height() && blocks * blockWidth <= width()) {
                fit = {px, blocks, perBlock, {}};
                break;
            }
        }
    }
    if (fit.pixels == 0)  // the least lettering, as many rows as fit
        fit = {least,
               large_ ? 3 : 1,
               std::max(1, (groupRows + (large_ ? 2 : 0)) / (large_ ? 3 : 1)),
               {}};
    for (const double w : widths) fit.widths.push_back(w * fit.pixels / MeasuredPixels);
    drawnPixels_ = fit.pixels;

    QFont plain = font();
    plain.setPixelSize(fit.pixels);
    QFont bold = plain;
    bold.setBold(true);
    const double lineHeight = fit.pixels * lineFactor;
    const double blockWidth = rowWidth * fit.pixels / MeasuredPixels;
    const double gap = fit.blocks > 1 ? (width() - fit.blocks * blockWidth) / (fit.blocks - 1) : 0;
    const double pad = fit.pixels * 0.4;

    auto drawRow = [&](const QStringList& row, double x, double y, const QColor& back,
                       const QColor& swatch, bool strong, bool alignNumbersRight) {
        painter.fillRect(QRectF(x, y, blockWidth, lineHeight), back);
        painter.setFont(strong ? bold : plain);
        painter.setPen(Qt::black);
        double cx = x;
        for (int c = 0; c < columns; ++c) {
            const double w = fit.widths[static_cast<size_t>(c)];
            QRectF cell(cx + pad, y, w - 2 * pad, lineHeight);
            if (c == 0 && swatch.isValid()) {
                const double side = lineHeight * 0.55;
                painter.fillRect(QRectF(cell.left(), y + (lineHeight - side) / 2, side, side),
                                 swatch);
                cell.setLeft(cell.left() + side + pad);
            }
            const Qt::Alignment align =
                c == 0 || !alignNumbersRight ? Qt::AlignLeft : Qt::AlignRight;
            painter.drawText(cell, align | Qt::AlignVCenter, row.value(c));
            cx += w;
        }
    };

    for (int b = 0; b < fit.blocks; ++b) {
        const double x = b * (blockWidth + gap);
        drawRow(table_.head, x, 0, HeadBack, QColor(), true, false);
        for (int r = 0; r < fit.rowsPerBlock; ++r) {
            const int i = b * fit.rowsPerBlock + r;
            if (i >= groupRows) break;
            const double y = (1 + r) * lineHeight;
            if (y + lineHeight > height() - (mean ? lineHeight : 0)) break;
            drawRow(table_.rows[static_cast<size_t>(i)], x, y, r % 2 ? OddBack : Back,
                    colours_.size() > static_cast<size_t>(i) ? colours_[static_cast<size_t>(i)]
                                                             : QColor(),
                    false, true);
        }
        painter.setPen(Rule);
        painter.drawLine(QPointF(x, lineHeight), QPointF(x + blockWidth, lineHeight));
    }
    if (mean) {
        // The class's average closes the table, under its last block.
        const double y =
            std::min<double>(height() - lineHeight, (1 + fit.rowsPerBlock) * lineHeight);
        const double x = (fit.blocks - 1) * (blockWidth + gap);
        drawRow(*table_.mean, x, y, MeanBack, QColor(), true, true);
        painter.setPen(Rule);
        painter.drawLine(QPointF(x, y), QPointF(x + blockWidth, y));
    }
}

}  // namespace ClassView
