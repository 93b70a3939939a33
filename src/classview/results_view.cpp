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
    updateGeometry();  // its width follows its texts
    update();
}

void ResultsView::setLarge(bool large) {
    large_ = large;
    update();
}

double ResultsView::basePixels() const {
    return font().pixelSize() > 0 ? font().pixelSize() : 16;
}

int ResultsView::mostPixels(bool large) const {
    return static_cast<int>(basePixels() * (large ? 2.6 : 1.125));
}

double ResultsView::lineFactor() const {
    QFont measured = font();
    measured.setPixelSize(MeasuredPixels);
    measured.setBold(true);
    return double(QFontMetrics(measured).height()) / MeasuredPixels * 1.15;
}

std::vector<double> ResultsView::measuredWidths(bool wrapped) const {
    QFont measured = font();
    measured.setPixelSize(MeasuredPixels);
    measured.setBold(true);
    const QFontMetrics m(measured);
    const auto columns = static_cast<size_t>(table_.head.size());
    std::vector<double> widths(columns, 0.0);
    // A wrapped head or average is as wide as its widest word.
    auto widen = [&](const QStringList& row, bool wraps) {
        for (size_t c = 0; c < columns && c < static_cast<size_t>(row.size()); ++c) {
            const QString& text = row[static_cast<qsizetype>(c)];
            int width = 0;
            for (const QString& word : wraps ? text.split(QLatin1Char(' ')) : QStringList{text})
                width = std::max(width, m.horizontalAdvance(word));
            widths[c] = std::max<double>(widths[c], width + 0.6 * MeasuredPixels);
        }
    };
    widen(table_.head, wrapped);
    for (const QStringList& row : table_.rows) widen(row, false);
    if (table_.mean) widen(*table_.mean, wrapped);
    if (!widths.empty()) widths[0] += 0.8 * MeasuredPixels;  // the swatch
    return widths;
}

int ResultsView::stripHeight(int lines) const {
    return static_cast<int>(std::ceil(lines * mostPixels(false) * lineFactor())) + 1;
}

int ResultsView::stripWidth() const {
    double width = 0;
    for (const double w : measuredWidths(false)) width += w;
    return static_cast<int>(std::ceil(width * mostPixels(false) / MeasuredPixels)) + 1;
}

void ResultsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Back);
    if (table_.head.isEmpty()) return;
    const int columns = static_cast<int>(table_.head.size());
    const int groupRows = static_cast<int>(table_.rows.size());
    const bool mean = table_.mean.has_value();
    // Large, the head and the average break between their words, over two lines: the columns
    // stay as narrow as their figures.
    const int wrapLines = large_ ? 2 : 1;

    // Every column's width at the measured size, scaled to the lettering chosen.
    const std::vector<double> widths = measuredWidths(large_);
    double rowWidth = 0;
    for (const double w : widths) rowWidth += w;
    const double lineFactor = this->lineFactor();
    auto linesOf = [&](int rows) { return wrapLines + rows + (mean ? wrapLines : 0); };

    // The largest lettering that fits, in one, two or three blocks side by side; when none
    // does, the least, in as many blocks as are wide enough, and the rows that fit.
    const int most = mostPixels(large_);
    const int least = std::max(8, static_cast<int>(basePixels() * 0.75));
    const int mostBlocks = large_ ? 3 : 1;
    Fit fit;
    for (int px = most; px >= least && fit.pixels == 0; --px) {
        for (int blocks = 1; blocks <= mostBlocks; ++blocks) {
            const int perBlock = (groupRows + blocks - 1) / blocks;
            if (linesOf(perBlock) * px * lineFactor <= height() &&
                blocks * rowWidth * px / MeasuredPixels <= width()) {
                fit = {px, blocks, perBlock, {}};
                break;
            }
        }
    }
    if (fit.pixels == 0) {
        int blocks = mostBlocks;
        while (blocks > 1 && blocks * rowWidth * least / MeasuredPixels > width()) --blocks;
        fit = {least, blocks, (groupRows + blocks - 1) / blocks, {}};
    }
    for (const double w : widths) fit.widths.push_back(w * fit.pixels / MeasuredPixels);
    drawnPixels_ = fit.pixels;

    QFont plain = font();
    plain.setPixelSize(fit.pixels);
    QFont bold = plain;
    bold.setBold(true);
    const double lineHeight = fit.pixels * lineFactor;
    const double blockWidth = rowWidth * fit.pixels / MeasuredPixels;
    const double gap = fit.blocks > 1 ? (width() - fit.blocks * blockWidth) / (fit.blocks - 1) : 0;
    const double pad = fit.pixels * 0.3;

    auto drawRow = [&](const QStringList& row, double x, double y, int lines, const QColor& back,
                       const QColor& swatch, bool strong, bool alignNumbersRight) {
        const double height = lines * lineHeight;
        painter.fillRect(QRectF(x, y, blockWidth, height), back);
        painter.setFont(strong ? bold : plain);
        painter.setPen(Qt::black);
        double cx = x;
        for (int c = 0; c < columns; ++c) {
            const double w = fit.widths[static_cast<size_t>(c)];
            QRectF cell(cx + pad, y, w - 2 * pad, height);
            if (c == 0 && swatch.isValid()) {
                const double side = lineHeight * 0.55;
                painter.fillRect(QRectF(cell.left(), y + (height - side) / 2, side, side), swatch);
                cell.setLeft(cell.left() + side + pad);
            }
            const Qt::Alignment align =
                c == 0 || !alignNumbersRight ? Qt::AlignLeft : Qt::AlignRight;
            painter.drawText(cell, align | Qt::AlignVCenter | (lines > 1 ? Qt::TextWordWrap : 0),
                             row.value(c));
            cx += w;
        }
    };

    const double headHeight = wrapLines * lineHeight;
    const double meanHeight = mean ? wrapLines * lineHeight : 0;
    int lastRows = 0;  // the rows of the last block drawn
    for (int b = 0; b < fit.blocks; ++b) {
        const double x = b * (blockWidth + gap);
        drawRow(table_.head, x, 0, wrapLines, HeadBack, QColor(), true, false);
        int r = 0;
        for (; r < fit.rowsPerBlock; ++r) {
            const int i = b * fit.rowsPerBlock + r;
            const double y = headHeight + r * lineHeight;
            if (i >= groupRows || y + lineHeight > height() - meanHeight) break;
            drawRow(table_.rows[static_cast<size_t>(i)], x, y, 1, r % 2 ? OddBack : Back,
                    colours_.size() > static_cast<size_t>(i) ? colours_[static_cast<size_t>(i)]
                                                             : QColor(),
                    false, true);
        }
        lastRows = r;
        painter.setPen(Rule);
        painter.drawLine(QPointF(x, headHeight), QPointF(x + blockWidth, headHeight));
    }
    if (mean) {
        // The class's average closes the table, under its last block.
        const double y = headHeight + lastRows * lineHeight;
        const double x = (fit.blocks - 1) * (blockWidth + gap);
        drawRow(*table_.mean, x, y, wrapLines, MeanBack, QColor(), true, true);
        painter.setPen(Rule);
        painter.drawLine(QPointF(x, y), QPointF(x + blockWidth, y));
    }
}

}  // namespace ClassView
