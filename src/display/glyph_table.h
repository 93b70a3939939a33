// The stroke glyphs: the characters of a number and the two unit marks, each an ordered
// list of steps relative to the pen. The steps are data; glyphs.cpp replays them.
#pragma once

#include <QString>
#include <cstdint>

namespace Vexo {

struct GlyphStep {
    enum Kind : uint8_t {
        Move,    // the pen moves; the point reached is set in the move colour
        Marked,  // the pen moves; the point reached is set in the stroke colour
        Stroke,  // a line from the pen to the pen plus the offset, in the stroke colour
    };
    Kind kind;
    int8_t dx;
    int8_t dy;
};

struct Glyph {
    const GlyphStep* first;
    const GlyphStep* last;  // one past the final step
    int endX;               // where the pen stands after the glyph, from where it started
    int endY;
    const GlyphStep* begin() const { return first; }
    const GlyphStep* end() const { return last; }
};

// The glyph of '0'..'9', ' ' or '-'; nullptr for any other character.
const Glyph* NumberGlyph(QChar character);
// The degree-Celsius mark ("C") and the kanji for seconds ("S").
const Glyph& CelsiusMark();
const Glyph& SecondsMark();

}  // namespace Vexo
