#include "ui/readout_box.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFrame>

void ReadoutBox::paintEvent(QPaintEvent* event) {
    const QFont& shown = font();
    if (!shown.bold() || shown.pixelSize() < OutlinePixels) return QLineEdit::paintEvent(event);
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);

    // Where the line edit puts its text: the contents, a margin of two pixels, centred
    // vertically on the font's height.
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).adjusted(2, 0, -2, 0);
    const QFontMetrics metrics(shown);
    const int baseline =
        contents.y() + (contents.height() - metrics.height() + 1) / 2 + metrics.ascent();
    QPainterPath outline;
    outline.addText(contents.x(), baseline, shown, text());
    const QColor ink = palette().color(QPalette::Text);
    painter.setClipRect(contents);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline, ink);
    // FreeType widens an emboldened glyph by a 24th of its size: half of that on each side.
    painter.strokePath(outline, QPen(ink, shown.pixelSize() / 24.0, Qt::SolidLine, Qt::RoundCap,
                                     Qt::RoundJoin));
}
