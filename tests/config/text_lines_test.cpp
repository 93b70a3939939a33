// Splitting a configuration file into lines and decoding them from Shift-JIS.
#include <QStringDecoder>
#include <QtTest>

#include "support/shift_jis.h"

#include "config/text_lines.h"

using Lines = QList<QByteArray>;

class TextLinesTest : public QObject {
    Q_OBJECT
  private slots:
    void splitsLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Lines>("lines");
        QTest::newRow("empty file") << QByteArray() << Lines{};
        QTest::newRow("no terminator") << QByteArray("a") << Lines{"a"};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Lines{"a", "b"};
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << Lines{"a", "b"};
        QTest::newRow("last line unterminated") << QByteArray("a\r\nb") << Lines{"a", "b"};
        QTest::newRow("terminator alone") << QByteArray("\r\n") << Lines{""};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\nx") << Lines{"", "", "x"};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\n") << Lines{"a", ""};
        QTest::newRow("lone LF stays in a CR file")
            << QByteArray("a\nb\r\nc\n") << Lines{"a\nb", "c\n"};
        QTest::newRow("LF first then CR LF") << QByteArray("\nx\r\n") << Lines{"\nx"};
        QTest::newRow("LF-only file") << QByteArray("a\nb\n") << Lines{"a", "b"};
        QTest::newRow("LF-only empty lines") << QByteArray("\n\na") << Lines{"", "", "a"};
        QTest::newRow("LF CR is LF then CR") << QByteArray("a\n\rb") << Lines{"a\n", "b"};
        QTest::newRow("NUL bytes kept")
            << QByteArray("a\0b\r\n", 5) << Lines{QByteArray("a\0b", 3)};
    }
    void splitsLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(Lines, lines);
        const std::vector<QByteArray> split = Vexo::SplitLines(bytes);
        QCOMPARE(Lines(split.begin(), split.end()), lines);
    }

    void endOfFileIsSeenBeforeEachLine() {
        Vexo::TextInput input = Vexo::OpenTextInput("one\r\ntwo\r\n");
        QVERIFY(!Vexo::AtEndOfFile(input));
        QCOMPARE(Vexo::ReadTextLine(input), QStringLiteral("one"));
        QCOMPARE(Vexo::ReadTextLine(input), QStringLiteral("two"));
        QVERIFY(Vexo::AtEndOfFile(input));
        QCOMPARE(Vexo::ReadRawLine(input), QByteArray());
    }

    void decodesShiftJis_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII") << QByteArray("Max=50;") << "Max=50;";
        QTest::newRow("hiragana") << QByteArray("\x82\xa0\x82\xc2\x82\xa2") << "あつい";
        QTest::newRow("wave dash as Windows writes it") << QByteArray("\x81\x60") << "\uFF5E";
        QTest::newRow("half-width katakana") << QByteArray("\xb1") << "\uFF71";
        QTest::newRow("backslash byte") << QByteArray("\x5c") << "\\";
        QTest::newRow("NEC circled one") << QByteArray("\x87\x40") << "\u2460";
        QTest::newRow("stray byte") << QByteArray(
                                           "a\xff"
                                           "b")
                                    << "a\uFFFDb";
        QTest::newRow("bytes 80 and A0") << QByteArray("\x80\xa0") << "\uFFFD\uFFFD";
        QTest::newRow("lead byte at the end") << QByteArray("a\x82") << "a\uFFFD";
        QTest::newRow("lead byte before a blank") << QByteArray("\x82 1") << "\uFFFD 1";
        QTest::newRow("lead byte before LF") << QByteArray("\x82\n") << "\uFFFD\n";
        QTest::newRow("unassigned pair") << QByteArray("\x85\x40") << "\uFFFD";
    }
    void decodesShiftJis() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Vexo::DecodeLine(bytes), text);
    }

    // The table reads every character as the system's decoder of the code page does: Qt's on
    // Linux, Windows's own on Windows. (The two differ only in three control characters, which
    // Qt's converter swaps as IBM's tables do: 1A, 1C and 7F stand for nothing a file holds.)
    void decodesAsTheSystemsDecoder() {
        for (int lead = 0; lead < 256; ++lead) {
            const char one = char(lead);
            const bool single = lead <= 0x7F || (lead >= 0xA1 && lead <= 0xDF);
            const bool swapped = lead == 0x1A || lead == 0x1C || lead == 0x7F;
            if (single && !swapped) QCOMPARE(Vexo::DecodeLine(QByteArray(&one, 1)), SystemFromShiftJis(QByteArray(&one, 1)));
            for (int trail = 0x40; trail <= 0xFC && !single; ++trail) {
                const char pair[] = {char(lead), char(trail)};
                const QString ours = Vexo::DecodeLine(QByteArray(pair, 2));
#ifdef _WIN32
                // Windows reads a pair it has no character for as its default, a middle dot.
                const bool unassigned = SystemFromShiftJis(QByteArray(pair, 2)) == u"\u30FB" &&
                                        !(lead == 0x81 && trail == 0x45);
                if (unassigned) continue;
#endif
                if (ours.size() == 1)
                    QVERIFY2(ours == SystemFromShiftJis(QByteArray(pair, 2)),
                             QByteArray(pair, 2).toHex().constData());
            }
        }
    }

    void decodesEveryByteWithoutLoss() {
        // Every single byte and every pair gives some text, never an empty result.
        for (int lead = 0; lead < 256; ++lead) {
            for (int trail = 0; trail < 256; ++trail) {
                const char pair[] = {char(lead), char(trail)};
                const QByteArray bytes(pair, 2);
                const QString text = Vexo::DecodeLine(bytes);
                QVERIFY2(!text.isEmpty() && text.size() <= 2, bytes.toHex().constData());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TextLinesTest)
#include "text_lines_test.moc"
