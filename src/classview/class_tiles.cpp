#include "classview/class_tiles.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "classview/class_graph.h"

namespace ClassView {

namespace {

const QColor Online(255, 255, 0);
const QColor Away(210, 210, 210);

// The widest a state and a read-out are.
const QStringList States = {QStringLiteral("そくてい中"), QStringLiteral("ていし"),
                            QStringLiteral("オフライン"), QStringLiteral("ファイル")};
const QString WidestReading = QStringLiteral("-10.0℃");

// A name is given at most this many of the font's heights before it is shortened.
constexpr int NameEms = 6;

int Widest(const QFontMetrics& m, const QStringList& texts) {
    int widest = 0;
    for (const QString& t : texts) widest = std::max(widest, m.horizontalAdvance(t));
    return widest;
}

QString Reading(const Group& g) {
    return g.hasReading ? QString::number(g.reading, 'f', 1) + QStringLiteral("℃")
                        : QStringLiteral("--");
}

}  // namespace

QString GroupState(const Group& g) {
    if (g.fromFile) return QStringLiteral("ファイル");
    if (!g.online) return QStringLiteral("オフライン");
    return g.measuring ? QStringLiteral("そくてい中") : QStringLiteral("ていし");
}

GroupBoard::GroupBoard(const ClassModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void GroupBoard::setPicked(int group) {
    if (group == picked_) return;
    picked_ = group;
    update();
}

void GroupBoard::groupsChanged() {
    updateGeometry();
    update();
}

QFont GroupBoard::bigFont() const {
    QFont big = font();
    big.setPixelSize(
        std::max(8, font().pixelSize() * (model_.groups().size() > MostTiles ? 5 : 8) / 4));
    big.setBold(true);
    return big;
}

int GroupBoard::leastWidth(bool tiles) const {
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics m(font()), b(bold), big(bigFont());
    const int unit = m.height();
    int name = 0;
    for (const QString& n : model_.shownNames()) name = std::max(name, b.horizontalAdvance(n));
    name = std::min(name, NameEms * unit);
    const int state = Widest(m, States);
    const int reading = big.horizontalAdvance(WidestReading);
    if (tiles)  // the column, then the name and state over the read-out
        return 2 * unit + std::max(name + unit + state, reading) + unit / 2;
    return unit + name + unit / 2 + reading + unit / 2 + state + unit / 2;
}

GroupBoard::Placement GroupBoard::placement(int width) const {
    Placement p;
    const int n = static_cast<int>(model_.groups().size());
    if (n == 0) return p;
    p.tiles = n <= MostTiles;
    const QFontMetrics m(font());
    const int least = leastWidth(p.tiles);
    const int fit = std::max(1, width / std::max(1, least));
    p.columns = std::min(n, fit);
    p.rows = (n + p.columns - 1) / p.columns;
    p.columns = (n + p.rows - 1) / p.rows;  // rows as even as may be
    // A tile grows up to half again as wide as its words; a line takes its column's width.
    p.cellWidth = p.tiles ? std::min(width / p.columns, least * 3 / 2) : width / p.columns;
    p.cellHeight = p.tiles ? m.height() * 13 / 4 : QFontMetrics(bigFont()).height() + 2;
    return p;
}

int GroupBoard::heightForWidth(int width) const {
    const Placement p = placement(width);
    return p.rows * p.cellHeight;
}

QSize GroupBoard::sizeHint() const {
    return QSize(800, heightForWidth(800));
}

QSize GroupBoard::minimumSizeHint() const {
    return QSize(leastWidth(model_.groups().size() <= MostTiles), 0);
}

int GroupBoard::groupAt(QPoint point) const {
    const Placement p = placement(width());
    if (p.rows == 0 || point.x() < 0 || point.y() < 0) return -1;
    const int column = point.x() / std::max(1, p.cellWidth);
    const int row = point.y() / std::max(1, p.cellHeight);
    if (column >= p.columns || row >= p.rows) return -1;
    // Down the columns of the list, across the rows of tiles.
    const int group = p.tiles ? row * p.columns + column : column * p.rows + row;
    return group < static_cast<int>(model_.groups().size()) ? group : -1;
}

void GroupBoard::mousePressEvent(QMouseEvent* event) {
    const int group = groupAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && group >= 0 && clicked) clicked(group);
}

void GroupBoard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const Placement place = placement(width());
    const int n = static_cast<int>(model_.groups().size());
    for (int i = 0; i < n; ++i) {
        const int column = place.tiles ? i % place.columns : i / place.rows;
        const int row = place.tiles ? i / place.columns : i % place.rows;
        const QRect cell(column * place.cellWidth, row * place.cellHeight, place.cellWidth,
                         place.cellHeight);
        if (place.tiles)
            paintTile(p, i, cell.adjusted(1, 1, -1, -1));
        else
            paintLine(p, i, cell.adjusted(1, 1, -1, -1));
    }
}

void GroupBoard::paintTile(QPainter& p, int i, const QRect& cell) const {
    const Group& g = model_.groups()[static_cast<size_t>(i)];
    const QColor colour = TraceColour(g.colour);
    p.fillRect(cell, g.online || g.fromFile ? Online : Away);
    const QFontMetrics m(font());
    const int unit = m.height();
    if (i == picked_)
        p.setPen(QPen(colour, std::max(2, unit / 5)));
    else
        p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawRect(cell.adjusted(0, 0, -1, -1));

    // The thermometer column: the reading's place in the class's range.
    const auto [lo, hi] = model_.range();
    const QRect column(cell.left() + unit / 2, cell.top() + unit / 2, unit / 2,
                       cell.height() - unit);
    p.fillRect(column, Qt::white);
    if (g.hasReading) {
        const double share = std::clamp((g.reading - lo) / (hi - lo), 0.0, 1.0);
        const int level = static_cast<int>(std::lround(column.height() * share));
        p.fillRect(QRect(column.left(), column.bottom() - level + 1, column.width(), level),
                   colour);
    }
    p.setPen(Qt::black);
    p.drawRect(column);

    const int left = column.right() + unit / 2;
    const int right = cell.right() - unit / 4;
    const QString state = GroupState(g);
    p.setFont(font());
    const int stateWidth = m.horizontalAdvance(state);
    p.drawText(QRect(right - stateWidth, cell.top() + unit / 4, stateWidth, unit),
               Qt::AlignRight | Qt::AlignVCenter, state);
    QFont name = font();
    name.setBold(true);
    p.setFont(name);
    p.drawText(QRect(left, cell.top() + unit / 4, right - stateWidth - unit / 2 - left, unit),
               Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(name).elidedText(model_.shownNames().value(i), Qt::ElideMiddle,
                                             right - stateWidth - unit / 2 - left));
    p.setFont(bigFont());
    p.drawText(QRect(left, cell.top() + unit * 5 / 4, right - left, cell.height() - unit * 3 / 2),
               Qt::AlignLeft | Qt::AlignVCenter, Reading(g));
    p.setFont(font());
}

void GroupBoard::paintLine(QPainter& p, int i, const QRect& cell) const {
    const Group& g = model_.groups()[static_cast<size_t>(i)];
    const QColor colour = TraceColour(g.colour);
    const QFontMetrics m(font());
    const int unit = m.height();
    p.fillRect(cell, g.online || g.fromFile ? Online : Away);
    if (i == picked_) {
        p.setPen(QPen(colour, std::max(2, unit / 6)));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    const int side = unit * 2 / 3;
    p.fillRect(QRect(cell.left() + unit / 6, cell.center().y() - side / 2, side, side), colour);
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics b(bold), big(bigFont());
    const int state = Widest(m, States);
    const int reading = big.horizontalAdvance(WidestReading);
    const int stateLeft = cell.right() - unit / 3 - state;
    const int readingLeft = stateLeft - unit / 2 - reading;
    const int nameLeft = cell.left() + unit / 6 + side + unit / 6;
    p.setPen(Qt::black);
    p.setFont(bold);
    p.drawText(QRect(nameLeft, cell.top(), readingLeft - nameLeft - unit / 4, cell.height()),
               Qt::AlignLeft | Qt::AlignVCenter,
               b.elidedText(model_.shownNames().value(i), Qt::ElideMiddle,
                            readingLeft - nameLeft - unit / 4));
    p.setFont(bigFont());
    p.drawText(QRect(readingLeft, cell.top(), reading, cell.height()),
               Qt::AlignRight | Qt::AlignVCenter, Reading(g));
    p.setFont(font());
    p.drawText(QRect(stateLeft, cell.top(), state, cell.height()), Qt::AlignLeft | Qt::AlignVCenter,
               GroupState(g));
}

}  // namespace ClassView
