// Writes the Shift-JIS (windows-31j) table that the configuration readers decode with, as C++
// source, from Qt's own decoder:
//   sjis-table > src/config/sjis_table.cpp
// The readers then decode the configuration files without setting up a converter of the
// system's at start-up. tests/config/text_lines_test.cpp checks the table against the decoder.
#include <QStringDecoder>
#include <cstdio>

namespace {

constexpr int LeadCount = 60;    // 0x81-0x9F, 0xE0-0xFC
constexpr int TrailCount = 188;  // 0x40-0x7E, 0x80-0xFC

int Lead(int i) {
    return i < 31 ? 0x81 + i : 0xE0 + (i - 31);
}
int Trail(int i) {
    return i < 63 ? 0x40 + i : 0x80 + (i - 63);
}

}  // namespace

int main() {
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        std::fputs("sjis-table: no windows-31j decoder\n", stderr);
        return 1;
    }
    std::puts("// The Shift-JIS (windows-31j) code page as Qt's decoder reads it, written by");
    std::puts("// tools/sjis-table. Do not edit: run the tool again.");
    std::puts("#include \"config/sjis_table.h\"\n");
    std::puts("namespace Vexo {\n");
    std::puts("// Single bytes: ASCII (with the code page's own control characters) and 0xA1-0xDF,");
    std::puts("// halfwidth katakana; U+FFFD for the bytes that begin a pair or stand for nothing.");
    std::fputs("const char16_t SjisSingles[256] = {", stdout);
    for (int b = 0; b <= 0xFF; ++b) {
        const char byte = static_cast<char>(b);
        const bool single = b <= 0x7F || (b >= 0xA1 && b <= 0xDF);
        const QString one = decoder.decode(QByteArrayView(&byte, 1));
        std::printf("%s0x%04X,", b % 12 == 0 ? "\n    " : " ",
                    single && one.size() == 1 ? one[0].unicode() : 0xFFFD);
    }
    std::puts("\n};\n");
    std::puts("// Two bytes: [lead][trail], lead 0x81-0x9F then 0xE0-0xFC, trail 0x40-0x7E then");
    std::puts("// 0x80-0xFC; U+FFFD where the code page assigns nothing.");
    std::puts("const char16_t SjisPairs[60][188] = {");
    for (int l = 0; l < LeadCount; ++l) {
        std::printf("    {  // 0x%02X", Lead(l));
        for (int t = 0; t < TrailCount; ++t) {
            const char pair[2] = {static_cast<char>(Lead(l)), static_cast<char>(Trail(t))};
            const QString one = decoder.decode(QByteArrayView(pair, 2));
            std::printf("%s0x%04X,", t % 12 == 0 ? "\n        " : " ",
                        one.size() == 1 ? one[0].unicode() : 0xFFFD);
        }
        std::puts("\n    },");
    }
    std::puts("};\n");
    std::puts("}  // namespace Vexo");
    return 0;
}
