// Reading back what the display routines drew: the numbers and marks found in a surface's
// operation log, the pen after each operation, and pixel counts.
#pragma once

#include <QPointF>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "config/palette.h"
#include "core/vexo.h"
#include "display/glyph_table.h"
#include "platform/surface.h"

// Colours, range and modes as after a start-up without a customization file.
inline void UseStartUpDefaults() {
    using namespace Vexo;
    KelviraBack = PaletteColour(6);
    KelviraMemori = PaletteColour(7);
    KelviraWaku = PaletteColour(15);
    KelviraGlass = PaletteColour(15);
    KelviraGlassWaku = PaletteColour(0);
    KelviraEki = PaletteColour(12);
    KelviraMozi = PaletteColour(15);
    GrphBack = PaletteColour(7);
    GrphMemori = PaletteColour(1);
    GrphWaku = PaletteColour(15);
    GrphLine = PaletteColour(12);
    GrphTateMozi = PaletteColour(0);
    GrphYokoMozi = PaletteColour(0);
    KionMode = True;
    ZidouMode = True;
    ScaleMax = 100;
    ScaleMin = -10;
}

// The pen after an operation, given the pen before it.
inline QPointF PenAfter(const SurfaceOp& op, QPointF pen) {
    switch (op.kind) {
        case SurfaceOp::PSet:
            return op.relative ? pen + op.a : op.a;
        case SurfaceOp::Line:
            return op.fromPen && op.relative ? pen + op.b : op.b;
        case SurfaceOp::Box:
        case SurfaceOp::FilledBox:
            return op.b;
        case SurfaceOp::Circle:
            return op.a;
        case SurfaceOp::Print:
            return pen;
    }
    return pen;
}

// One run of glyphs drawn back to back: its text ('C' and 'S' stand for the two marks),
// the pen where it started and its stroke colour.
struct DrawnText {
    QPointF start;
    QString text;
    Colour colour = 0;
};

// Length of the glyph's steps matched at ops[i] (0 when they do not match); fills the stroke
// colour the glyph uses, if it has any stroke.
inline int MatchGlyph(const std::vector<SurfaceOp>& ops, size_t i, const Vexo::Glyph& glyph,
                      Colour move, std::optional<Colour>& stroke) {
    int n = 0;
    for (const Vexo::GlyphStep& step : glyph) {
        if (i + n >= ops.size()) return 0;
        const SurfaceOp& op = ops[i + n];
        const QPointF offset(step.dx, step.dy);
        if (step.kind == Vexo::GlyphStep::Stroke) {
            if (op.kind != SurfaceOp::Line || !op.fromPen || !op.relative || op.b != offset)
                return 0;
        } else if (op.kind != SurfaceOp::PSet || !op.relative || op.a != offset) {
            return 0;
        }
        if (step.kind == Vexo::GlyphStep::Move) {
            if (op.colour != move) return 0;
        } else {
            if (stroke && *stroke != op.colour) return 0;
            stroke = op.colour;
        }
        ++n;
    }
    return n;
}

inline std::vector<DrawnText> DecodeTexts(const std::vector<SurfaceOp>& ops, Colour move) {
    const QString names = QStringLiteral("0123456789 -CS");
    std::vector<DrawnText> found;
    QPointF pen;
    size_t runEnd = SIZE_MAX;  // index just past the last glyph matched
    for (size_t i = 0; i < ops.size();) {
        int matched = 0;
        QChar name;
        std::optional<Colour> stroke;
        for (const QChar c : names) {
            const Vexo::Glyph& glyph = c == 'C'   ? Vexo::CelsiusMark()
                                       : c == 'S' ? Vexo::SecondsMark()
                                                  : *Vexo::NumberGlyph(c);
            std::optional<Colour> colour;
            if (const int n = MatchGlyph(ops, i, glyph, move, colour)) {
                matched = n;
                name = c;
                stroke = colour;
                break;
            }
        }
        if (!matched) {
            pen = PenAfter(ops[i], pen);
            ++i;
            continue;
        }
        if (runEnd != i) found.push_back({pen, {}, 0});
        found.back().text += name;
        if (stroke) found.back().colour = *stroke;
        for (int k = 0; k < matched; ++k) pen = PenAfter(ops[i + k], pen);
        i += matched;
        runEnd = i;
    }
    return found;
}

// The steps of a glyph replay as text: "m" move, "p" marked move, "s" stroke, each with its
// offset ("m6,0 s9,0"); anything else shows as "?".
inline QString StepsText(const std::vector<SurfaceOp>& ops, Colour move, Colour stroke) {
    QStringList steps;
    for (const SurfaceOp& op : ops) {
        QString kind = QStringLiteral("?");
        QPointF offset = op.a;
        if (op.kind == SurfaceOp::PSet && op.relative && op.colour == move) kind = "m";
        if (op.kind == SurfaceOp::PSet && op.relative && op.colour == stroke) kind = "p";
        if (op.kind == SurfaceOp::Line && op.fromPen && op.relative && op.colour == stroke) {
            kind = "s";
            offset = op.b;
        }
        steps << kind + QString::number(offset.x()) + "," + QString::number(offset.y());
    }
    return steps.join(' ');
}

inline int CountColour(const Surface& surface, QRect area, Colour colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (surface.pixel(x, y) == colour) ++count;
    return count;
}

// Lines drawn between two absolute points.
inline std::vector<SurfaceOp> AbsoluteLines(const std::vector<SurfaceOp>& ops) {
    std::vector<SurfaceOp> lines;
    for (const SurfaceOp& op : ops)
        if (op.kind == SurfaceOp::Line && !op.fromPen) lines.push_back(op);
    return lines;
}
