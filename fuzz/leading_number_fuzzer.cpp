// Arbitrary bytes, decoded as a line of a configuration file, as the text of a number.
#include <cmath>
#include <cstdlib>
#include <string>

#include "config/customization.h"
#include "config/rounding.h"
#include "config/text_lines.h"
#include "core/vexo.h"
#include "fuzz_support.h"

namespace {

// Plain decimal text that the C library reads whole: the two readers must agree on it.
void CompareWithCLibrary(const QString& text, double value) {
    if (text.isEmpty() || text.size() > 400) return;
    for (QChar c : text)
        if (!QStringView(u"0123456789.eE+-").contains(c)) return;
    const std::string ascii = text.toStdString();
    char* end = nullptr;
    const double expected = std::strtod(ascii.c_str(), &end);
    if (end != ascii.c_str() + ascii.size()) return;
    Require(value == expected, "agrees with strtod on plain decimal text");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = Vexo::DecodeLine(BytesOf(data, size));
    const double value = Vexo::LeadingNumber(text);
    Require(!std::isnan(value), "never NaN");
    Require(Vexo::LeadingNumber(text + u'#') == value, "a character that cannot continue stops");
    QString withoutBlanks = text;
    withoutBlanks.remove(u' ').remove(u'\t').remove(u'\n');
    Require(Vexo::LeadingNumber(withoutBlanks) == value, "blanks are skipped wherever they stand");
    if (const auto whole = Vexo::ToInt16(value))
        Require(std::fabs(*whole - value) <= 0.5, "rounding moves by at most a half");
    CompareWithCLibrary(text, value);
    return 0;
}
