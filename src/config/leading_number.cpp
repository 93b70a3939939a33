// The numeric value of the number at the start of a text. Blanks, tabs and line feeds are
// skipped wherever they stand ("1 2" is 12); then a sign, digits with at most one decimal
// point and an exponent, or &H / &O with hexadecimal / octal digits. Reading stops at the
// first character that cannot continue the number; a text without a number gives 0. A number
// beyond the range of a double gives an infinity of its sign, which every caller treats as
// too large for its field.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "core/vexo.h"

namespace Vexo {
namespace {

// The characters of a text with blanks, tabs and line feeds left out.
struct NumberCursor {
    const QString& text;
    qsizetype pos = 0;

    QChar peek() {
        while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t' || text[pos] == u'\n'))
            ++pos;
        return pos < text.size() ? text[pos] : QChar();
    }
    void advance() { ++pos; }
};

bool IsDecimalDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int DigitValue(QChar c, int base) {
    int value = 99;
    if (c >= u'0' && c <= u'9') value = c.unicode() - u'0';
    if (c >= u'A' && c <= u'F') value = c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f') value = c.unicode() - u'a' + 10;
    return value < base ? value : -1;
}

double ReadBased(NumberCursor& in, int base) {
    double value = 0;
    for (int digit; (digit = DigitValue(in.peek(), base)) >= 0; in.advance())
        value = value * base + digit;
    return value;
}

// Decimal exponent e of the number 0.d... x 10^e that mantissa x 10^exponent stands for;
// decides between infinity and zero when the value is beyond the range of a double.
int64_t Magnitude(const std::string& mantissa, int64_t exponent) {
    const size_t point = mantissa.find('.');
    const std::string whole = mantissa.substr(0, point);
    const size_t firstNonZero = whole.find_first_not_of('0');
    if (firstNonZero != std::string::npos)
        return static_cast<int64_t>(whole.size() - firstNonZero) + exponent;
    const std::string fraction = point == std::string::npos ? "" : mantissa.substr(point + 1);
    const size_t leadingZeros = fraction.find_first_not_of('0');
    return exponent - static_cast<int64_t>(leadingZeros);
}

double ReadDecimal(NumberCursor& in) {
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.advance();
    }
    std::string mantissa;
    bool anyDigit = false;
    bool seenPoint = false;
    for (QChar c = in.peek();; in.advance(), c = in.peek()) {
        if (IsDecimalDigit(c)) {
            anyDigit = true;
            mantissa += static_cast<char>(c.unicode());
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            mantissa += '.';
        } else {
            break;
        }
    }
    if (!anyDigit) return 0;

    // The exponent counts only when at least one digit follows "E" and its sign.
    int64_t exponent = 0;
    if (in.peek() == u'E' || in.peek() == u'e') {
        const qsizetype before = in.pos;
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            negativeExponent = in.peek() == u'-';
            in.advance();
        }
        if (IsDecimalDigit(in.peek())) {
            // Saturates far beyond any exponent a double can hold, whatever the mantissa.
            constexpr int64_t Limit = int64_t{1} << 40;
            for (; IsDecimalDigit(in.peek()); in.advance())
                exponent = std::min(Limit, exponent * 10 + (in.peek().unicode() - u'0'));
            if (negativeExponent) exponent = -exponent;
        } else {
            in.pos = before;
        }
    }

    if (mantissa.front() == '.') mantissa.insert(0, 1, '0');
    if (mantissa.back() == '.') mantissa.pop_back();
    const std::string number = mantissa + 'e' + std::to_string(exponent);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = Magnitude(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (value == 0) return 0;  // no negative zero: "-0" is 0
    return negative ? -value : value;
}

}  // namespace

double LeadingNumber(const QString& text) {
    NumberCursor in{text};
    if (in.peek() != u'&') return ReadDecimal(in);
    in.advance();
    const QChar kind = in.peek();
    in.advance();
    if (kind == u'H' || kind == u'h') return ReadBased(in, 16);
    if (kind == u'O' || kind == u'o') return ReadBased(in, 8);
    return 0;
}

}  // namespace Vexo
