// Numbers and unit marks drawn with line strokes at the pen of a surface.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/colour.h"

class Surface;

namespace Vexo {

// A number, or a unit mark ("C", "S"), at the pen of the thermometer or the graph.
void DrawGaugeNumber(int16_t value, Colour colour);
void DrawGraphNumber(int16_t value, Colour colour);
void DrawMark(const QString& kind, Colour colour);

// A whole number as text with a sign position: " 5", " 0", "-10", " 100".
QString SignedText(long long value);

// Draws value at the pen, glyph by glyph. Moves set their point in moveColour, read afresh
// at every step (it names the surface's background variable); strokes and marked moves
// use strokeColour. The pen ends at the end of the last glyph, on the starting row.
void DrawNumber(Surface& surface, const Colour& moveColour, int16_t value, Colour strokeColour);

// How far DrawNumber moves the pen for value: the sum of its glyphs' advances.
int NumberWidth(int16_t value);

}  // namespace Vexo
