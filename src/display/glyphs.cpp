#include "display/glyphs.h"

#include "core/vexo.h"
#include "display/glyph_table.h"
#include "platform/surface.h"

namespace Vexo {

namespace {

void Replay(Surface& surface, const Glyph& glyph, const Colour& moveColour, Colour strokeColour) {
    for (const GlyphStep& step : glyph) {
        const QPointF offset(step.dx, step.dy);
        switch (step.kind) {
            case GlyphStep::Move:
                surface.PSet(offset, moveColour, true);
                break;
            case GlyphStep::Marked:
                surface.PSet(offset, strokeColour, true);
                break;
            case GlyphStep::Stroke:
                surface.LineFromPen(offset, strokeColour, true);
                break;
        }
    }
}

}  // namespace

QString SignedText(long long value) {
    const QString digits = QString::number(value);
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

void DrawNumber(Surface& surface, const Colour& moveColour, int16_t value, Colour strokeColour) {
    for (const QChar c : SignedText(value)) {
        if (const Glyph* glyph = NumberGlyph(c)) Replay(surface, *glyph, moveColour, strokeColour);
    }
}

int NumberWidth(int16_t value) {
    int width = 0;
    for (const QChar c : SignedText(value))
        if (const Glyph* glyph = NumberGlyph(c)) width += glyph->endX;
    return width;
}

void DrawGaugeNumber(int16_t value, Colour colour) {
    DrawNumber(*Picture1, KelviraBack, value, colour);
}

void DrawGraphNumber(int16_t value, Colour colour) {
    DrawNumber(*Picture2, GrphBack, value, colour);
}

void DrawMark(const QString& kind, Colour colour) {
    if (kind == QLatin1String("C"))
        Replay(*Picture1, CelsiusMark(), KelviraBack, colour);
    else if (kind == QLatin1String("S"))
        Replay(*Picture2, SecondsMark(), GrphBack, colour);
}

}  // namespace Vexo
