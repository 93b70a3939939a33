// Reading the number at the start of an entry box.
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "ui/fsettei.h"

namespace Vexo {

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

}  // namespace

double ReadBoxNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsBlank(text[i])) ++i;

    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

    // Mantissa digits, with at most one decimal point; `scale` is the power of ten of the
    // first significant digit, so that overflow and underflow can be told apart.
    std::string number;
    bool anyDigit = false, point = false, significant = false;
    long scale = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (IsDigit(c)) {
            anyDigit = true;
            if (c != u'0' && !significant) significant = true;
            if (!point && significant) ++scale;
            if (point && !significant) --scale;
            number += static_cast<char>(c.unicode());
        } else if (c == u'.' && !point) {
            point = true;
            number += '.';
        } else {
            break;
        }
    }
    if (!anyDigit) return 0;

    // Exponent: E, an optional sign and at least one digit; otherwise the E is not taken.
    long exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) expNegative = text[j++] == u'-';
        if (j < n && IsDigit(text[j])) {
            for (; j < n && IsDigit(text[j]); ++j)
                if (exponent < 100000) exponent = exponent * 10 + (text[j].unicode() - '0');
            if (expNegative) exponent = -exponent;
            number += 'e' + std::to_string(exponent);
        }
    }

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the double range: too large reads as infinity, too small as zero.
        value =
            (significant && scale + exponent > 0) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace Vexo
