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
    painter.drawImage(contents.topLeft(), lettering(contents.size(), baseline - contents.y()));
}

// The text drawn as its widened outline, once for each text, font, colour and size: the
// read-out changes on every poll, between few values.
const QImage& ReadoutBox::lettering(QSize size, int baseline) {
    const QColor ink = palette().color(QPalette::Text);
    const double ratio = devicePixelRatioF();
    const QString key = QStringLiteral("%1|%2|%3|%4x%5@%6|%7")
                            .arg(text(), font().key(), ink.name())
                            .arg(size.width())
                            .arg(size.height())
                            .arg(ratio)
                            .arg(baseline);
    const auto cached = letterings_.constFind(key);
    if (cached != letterings_.constEnd()) return *cached;
    if (letterings_.size() >= MaxLetterings) letterings_.clear();

    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QPainterPath outline;
    outline.addText(0, baseline, font(), text());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline, ink);
    // FreeType widens an emboldened glyph by a 24th of its size: half of that on each side.
    painter.strokePath(outline, QPen(ink, font().pixelSize() / 24.0, Qt::SolidLine,
                                     Qt::RoundCap, Qt::RoundJoin));
    painter.end();
    return *letterings_.insert(key, image);
}
