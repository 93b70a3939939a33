#include "classview/class_tiles.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "classview/class_graph.h"

namespace ClassView {

QString GroupState(const Group& g) {
    if (g.fromFile) return QStringLiteral("ファイル");
    if (!g.online) return QStringLiteral("オフライン");
    return g.measuring ? QStringLiteral("そくてい中") : QStringLiteral("ていし");
}

GroupTile::GroupTile(const ClassModel& model, int group, QWidget* parent)
    : QWidget(parent), model_(model), group_(group) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void GroupTile::setPicked(bool picked) {
    if (picked == picked_) return;
    picked_ = picked;
    update();
}

QSize GroupTile::sizeHint() const {
    const QFontMetrics m(font());
    return QSize(m.horizontalAdvance(QStringLiteral("そくてい中　")) + 3 * m.height(),
                 4 * m.height());
}

void GroupTile::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && clicked) clicked(group_);
}

void GroupTile::paintEvent(QPaintEvent*) {
    const Group& g = model_.groups()[static_cast<size_t>(group_)];
    QPainter p(this);
    const QColor colour = TraceColour(g.colour);
    p.fillRect(rect(), g.online || g.fromFile ? QColor(255, 255, 0) : QColor(210, 210, 210));
    const QFontMetrics m(font());
    const int unit = m.height();
    if (picked_) p.setPen(QPen(colour, std::max(2, unit / 5)));
    else p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    // The thermometer column: the reading's place in the class's range.
    const auto [lo, hi] = model_.range();
    const QRect column(unit / 2, unit / 2, unit / 2, height() - unit);
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
    QFont name = font();
    name.setBold(true);
    p.setFont(name);
    p.drawText(QRect(left, unit / 4, width() - left, unit), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(name).elidedText(model_.shownNames().value(group_), Qt::ElideMiddle,
                                             width() - left - unit / 4));
    QFont big = font();
    big.setPixelSize(2 * font().pixelSize());
    big.setBold(true);
    p.setFont(big);
    p.drawText(QRect(left, unit, width() - left, 2 * unit), Qt::AlignLeft | Qt::AlignVCenter,
               g.hasReading ? QString::number(g.reading, 'f', 1) + QStringLiteral("℃")
                            : QStringLiteral("--"));
    p.setFont(font());
    p.drawText(QRect(left, 3 * unit, width() - left, unit), Qt::AlignLeft | Qt::AlignVCenter,
               GroupState(g));
}

}  // namespace ClassView
