#include "display/glyph_table.h"

#include <cstddef>

namespace Vexo {

namespace {

constexpr GlyphStep m(int dx, int dy) {
    return {GlyphStep::Move, static_cast<int8_t>(dx), static_cast<int8_t>(dy)};
}
constexpr GlyphStep p(int dx, int dy) {
    return {GlyphStep::Marked, static_cast<int8_t>(dx), static_cast<int8_t>(dy)};
}
constexpr GlyphStep s(int dx, int dy) {
    return {GlyphStep::Stroke, static_cast<int8_t>(dx), static_cast<int8_t>(dy)};
}

// A digit lies within x 1..11 and y -6..9 of the pen at its start; the minus sign is a
// bar at y -1..0. Each glyph ends with the pen on the starting row, one advance further.
constexpr GlyphStep Zero[] = {m(3, 0),  s(0, -4), s(2, -2),  s(4, 0),  s(2, 2), s(0, 11),
                              s(-2, 2), s(-4, 0), s(-2, -2), s(0, -8), m(9, 1)};
constexpr GlyphStep One[] = {m(3, -4), s(2, -2), s(0, 15), s(-2, 0), s(4, 0), m(2, -9)};
constexpr GlyphStep Two[] = {m(2, -3), s(0, -1), s(2, -2), s(4, 0), s(2, 2),
                             s(0, 3),  s(-8, 8), s(0, 2),  s(9, 0), m(-1, -9)};
constexpr GlyphStep Three[] = {m(2, -3), s(0, -1), s(2, -2),  s(4, 0), s(2, 2), s(0, 3),
                               s(-2, 2), s(-3, 0), m(3, 0),   p(0, 0), s(2, 2), s(0, 4),
                               s(-2, 2), s(-4, 0), s(-3, -3), m(9, -6)};
// The staircase climbs by (1,-1),(0,-1) pairs, but its tenth stroke goes down (0,1): the
// diagonal then ends at the top of the cell and the stem at its bottom.
constexpr GlyphStep Four[] = {m(1, 5),  s(9, 0),  m(-9, 0), s(1, -1), s(0, -1), s(1, -1),
                              s(0, -1), s(1, -1), s(0, -1), s(1, -1), s(0, -1), s(1, -1),
                              s(0, 1),  s(1, -1), s(0, -1), s(1, -1), s(0, 15), m(2, -9)};
constexpr GlyphStep Five[] = {m(3, 2), s(0, -8), s(8, 0),  m(-8, 8), s(2, -2),  s(4, 0),
                              s(2, 2), s(0, 5),  s(-2, 2), s(-4, 0), s(-3, -3), m(9, -6)};
constexpr GlyphStep Six[] = {m(3, 2),  s(0, -6), s(2, -2),  s(4, 0),  s(1, 1), p(-7, 7),
                             s(0, 4),  p(0, -4), s(2, -2),  s(4, 0),  s(2, 2), s(0, 5),
                             s(-2, 2), s(-4, 0), s(-2, -2), s(0, -2), m(8, -5)};
constexpr GlyphStep Seven[] = {m(2, -3), s(0, -3), s(8, 0), s(0, 4), s(-2, 2),
                               s(0, 2),  s(-2, 2), s(0, 5), m(4, -9)};
constexpr GlyphStep Eight[] = {m(3, -2), s(0, -2), s(2, -2),  s(4, 0),  s(2, 2),  s(0, 2),
                               s(-2, 2), s(-4, 0), s(-2, -2), m(6, 2),  s(2, 2),  s(0, 5),
                               s(-2, 2), s(-4, 0), s(-2, -2), s(0, -5), s(2, -2), m(6, 0)};
// Ends with a marked move: the last dot lands on its own right stem.
constexpr GlyphStep Nine[] = {m(3, 0),  s(0, -4), s(2, -2),  s(4, 0), s(2, 2), s(0, 4),
                              s(-2, 2), s(-4, 0), s(-2, -2), p(8, 1), p(0, 0), s(0, 6),
                              s(-2, 2), s(-4, 0), s(-2, -2), p(8, -7)};
constexpr GlyphStep Blank[] = {m(6, 0)};
constexpr GlyphStep Minus[] = {p(2, 0), s(6, 0), s(0, -1), s(-6, 0), m(8, 1)};

// A small ring at the upper left and a C drawn twice, the second two units further right
// and one unit narrower.
constexpr GlyphStep Celsius[] = {
    m(8, 0),  s(0, -4),  s(2, -2), s(4, 0),  s(2, 2),   s(0, 2),  m(0, 7),   s(0, 2),  s(-2, 2),
    s(-4, 0), s(-2, -2), s(0, -7), m(2, 0),  s(0, -4),  s(2, -2), s(3, 0),   s(2, 2),  s(0, 2),
    m(0, 7),  s(0, 2),   s(-2, 2), s(-3, 0), s(-2, -2), s(0, -7), p(-7, -7), s(1, -1), s(1, 0),
    s(1, 1),  s(0, 1),   s(-1, 1), s(-1, 0), s(-1, -1), s(0, -1), m(11, 8)};
// The kanji for seconds, stroke by stroke.
constexpr GlyphStep Seconds[] = {m(9, -8), s(-5, 5), p(0, 3),  s(6, 0),  p(-3, 0), s(0, -5),
                                 s(0, 14), p(0, -9), s(-2, 2), s(0, 4),  s(-2, 2), p(4, -8),
                                 s(3, 3),  p(2, -3), s(1, -1), s(0, -3), p(3, -4), s(0, 11),
                                 p(3, -6), s(0, 1),  s(1, 2),  p(0, 2),  s(0, 2),  s(-3, 3),
                                 s(-1, 0), s(-1, 1), s(-1, 0), m(8, -9)};

template <std::size_t N>
constexpr Glyph MakeGlyph(const GlyphStep (&steps)[N], int endX, int endY = 0) {
    return {steps, steps + N, endX, endY};
}

const Glyph Digits[] = {MakeGlyph(Zero, 12),  MakeGlyph(One, 9),    MakeGlyph(Two, 10),
                        MakeGlyph(Three, 10), MakeGlyph(Four, 10),  MakeGlyph(Five, 11),
                        MakeGlyph(Six, 11),   MakeGlyph(Seven, 10), MakeGlyph(Eight, 11),
                        MakeGlyph(Nine, 11)};
const Glyph BlankGlyph = MakeGlyph(Blank, 6);
const Glyph MinusGlyph = MakeGlyph(Minus, 10);
const Glyph CelsiusGlyph = MakeGlyph(Celsius, 14, 1);
const Glyph SecondsGlyph = MakeGlyph(Seconds, 22, -1);

}  // namespace

const Glyph* NumberGlyph(QChar character) {
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9') return &Digits[c - u'0'];
    if (c == u' ') return &BlankGlyph;
    if (c == u'-') return &MinusGlyph;
    return nullptr;
}

const Glyph& CelsiusMark() {
    return CelsiusGlyph;
}
const Glyph& SecondsMark() {
    return SecondsGlyph;
}

}  // namespace Vexo
