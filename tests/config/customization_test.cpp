// The customization file: keys, message rules, log lines and bad input.
#include <QRandomGenerator>
#include <QtTest>
#include <functional>

#include "config/customization.h"
#include "config/file_errors.h"
#include "config/palette.h"
#include "support/shift_jis.h"
#include "support/stage.h"

using namespace Vexo;

namespace {

double StartFactor = 1;  // the factor the window is told to start at

// Palette number of a colour variable, -1 when it holds no palette colour.
int PaletteNumber(Colour colour) {
    for (int n = 0; n < 16; ++n)
        if (PaletteColour(n) == colour) return n;
    return -1;
}

const std::map<QString, std::function<double()>>& Settings() {
    static const std::map<QString, std::function<double()>> settings = {
        {"KelviraBack", [] { return PaletteNumber(KelviraBack); }},
        {"KelviraMemori", [] { return PaletteNumber(KelviraMemori); }},
        {"KelviraWaku", [] { return PaletteNumber(KelviraWaku); }},
        {"KelviraGlass", [] { return PaletteNumber(KelviraGlass); }},
        {"KelviraGlassWaku", [] { return PaletteNumber(KelviraGlassWaku); }},
        {"KelviraEki", [] { return PaletteNumber(KelviraEki); }},
        {"KelviraMozi", [] { return PaletteNumber(KelviraMozi); }},
        {"GrphBack", [] { return PaletteNumber(GrphBack); }},
        {"GrphMemori", [] { return PaletteNumber(GrphMemori); }},
        {"GrphWaku", [] { return PaletteNumber(GrphWaku); }},
        {"GrphLine", [] { return PaletteNumber(GrphLine); }},
        {"GrphTateMozi", [] { return PaletteNumber(GrphTateMozi); }},
        {"GrphYokoMozi", [] { return PaletteNumber(GrphYokoMozi); }},
        {"Kion", [] { return KionMode; }},
        {"Zidou", [] { return ZidouMode; }},
        {"Max", [] { return ScaleMax; }},
        {"Min", [] { return ScaleMin; }},
        {"Port", [] { return double(PortNumber); }},
        {"RequestByte", [] { return double(RequestBytes[0]); }},
        {"Bairitsu", [] { return StartFactor; }},
    };
    return settings;
}

const std::map<QString, double> Defaults = {
    {"KelviraBack", 6},
    {"KelviraMemori", 7},
    {"KelviraWaku", 15},
    {"KelviraGlass", 15},
    {"KelviraGlassWaku", 0},
    {"KelviraEki", 12},
    {"KelviraMozi", 15},
    {"GrphBack", 7},
    {"GrphMemori", 1},
    {"GrphWaku", 15},
    {"GrphLine", 12},
    {"GrphTateMozi", 0},
    {"GrphYokoMozi", 0},
    {"Kion", -1},
    {"Zidou", -1},
    {"Max", 100},
    {"Min", -10},
    {"Port", 1},
    {"RequestByte", 242},
    {"Bairitsu", 1},
};

struct Reader {
    Stage stage;
    std::vector<SurfaceOp> ops;
    Reader() {
        stage.picture2.log = &ops;
        // The window's factor as the zoom is handed it (the zoom holds it to its steps).
        StartFactor = 1;
        ApplyBairitsu = [](double factor) { StartFactor = factor; };
    }
    ~Reader() { ApplyBairitsu = nullptr; }
    void read(const QByteArray& content) { ReadCustomizationFrom({content, 0, {}}); }
    QStringList printed() const {
        QStringList lines;
        for (const SurfaceOp& op : ops)
            if (op.kind == SurfaceOp::Print) lines << op.text;
        return lines;
    }
};

using Row = std::array<int16_t, 4>;

// A file's bytes as the system's editor writes them.
QByteArray ShiftJis(const QString& text) {
    return SystemShiftJis(text);
}

}  // namespace

Q_DECLARE_METATYPE(Row)

class CustomizationTest : public QObject {
    Q_OBJECT
  private slots:
    void missingFileKeepsDefaults() {
        Reader r;
        ScaleMax = 5;
        KelviraBack = PaletteColour(1);
        ReadCustomizationFrom({std::nullopt, FileErrors::FileNotFound, {}});
        for (const auto& [name, value] : Defaults) QCOMPARE(Settings().at(name)(), value);
        QCOMPARE(r.printed(), (QStringList{"基本数値設定中", "基本設定終了！", ""}));
        QCOMPARE(FileError, FileErrors::FileNotFound);
    }

    void emptyFileKeepsDefaults() {
        Reader r;
        r.read({});
        for (const auto& [name, value] : Defaults) QCOMPARE(Settings().at(name)(), value);
        QCOMPARE(r.printed(),
                 (QStringList{"基本数値設定中", "カスタマイズファイル(Vexo.txt) 読み込み中",
                              "基本設定終了！", ""}));
        QCOMPARE(FileError, int16_t(0));
    }

    void everyColourKeySetsItsOwnColour() {
        for (const auto& [name, value] : Defaults) {
            if (!name.startsWith("Kelvira") && !name.startsWith("Grph")) continue;
            Reader r;
            r.read(name.toLatin1() + "=13\r\n");
            for (const auto& [other, otherDefault] : Defaults)
                QCOMPARE(Settings().at(other)(), other == name ? 13.0 : otherDefault);
        }
    }

    void keyLines_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("error");
        const int none = 0, invalid = FileErrors::InvalidCall, overflow = FileErrors::Overflow;
        // Colours: two characters after "=", modulo 16 keeping the sign.
        QTest::newRow("small letters, leading blanks")
            << QByteArray("  grphmemori=14\r\n") << "GrphMemori" << 14.0 << none;
        QTest::newRow("colour 20 is 4")
            << QByteArray("KelviraEki=20") << "KelviraEki" << 4.0 << none;
        QTest::newRow("negative colour")
            << QByteArray("KelviraEki=-1") << "KelviraEki" << 12.0 << invalid;
        QTest::newRow("only two characters")
            << QByteArray("KelviraBack=123") << "KelviraBack" << 12.0 << none;
        QTest::newRow("semicolon") << QByteArray("KelviraBack=7;") << "KelviraBack" << 7.0 << none;
        QTest::newRow("17 is 1") << QByteArray("KelviraBack=17") << "KelviraBack" << 1.0 << none;
        QTest::newRow("31 is 15") << QByteArray("KelviraBack=31") << "KelviraBack" << 15.0 << none;
        QTest::newRow("16 is 0") << QByteArray("KelviraBack=16") << "KelviraBack" << 0.0 << none;
        QTest::newRow("nothing after =")
            << QByteArray("KelviraBack=") << "KelviraBack" << 0.0 << none;
        QTest::newRow("blank then digit")
            << QByteArray("KelviraBack= 5") << "KelviraBack" << 5.0 << none;
        QTest::newRow("half rounds to even")
            << QByteArray("KelviraBack=.5") << "KelviraBack" << 0.0 << none;
        QTest::newRow("blank before =")
            << QByteArray("KelviraBack =5") << "KelviraBack" << 6.0 << none;
        QTest::newRow("GlassWaku is not Glass")
            << QByteArray("KelviraGlassWaku=3") << "KelviraGlass" << 15.0 << none;
        QTest::newRow("Glass") << QByteArray("kelviraglass=3") << "KelviraGlass" << 3.0 << none;
        // Modes: the whole rest of the line.
        QTest::newRow("Kion=0") << QByteArray("Kion=0\r\n") << "Kion" << 0.0 << none;
        QTest::newRow("Kion=-1") << QByteArray("Kion=-1\r\n") << "Kion" << -1.0 << none;
        QTest::newRow("Kion=-1 and a blank")
            << QByteArray("Kion=-1 \r\n") << "Kion" << -1.0 << none;
        QTest::newRow("Kion=1") << QByteArray("KION=1") << "Kion" << 1.0 << none;
        QTest::newRow("Kion= alone") << QByteArray("Kion=\r\n") << "Kion" << -1.0 << invalid;
        QTest::newRow("Kion text") << QByteArray("Kion=abc") << "Kion" << 0.0 << none;
        QTest::newRow("Kion huge") << QByteArray("Kion=1E999") << "Kion" << -1.0 << overflow;
        QTest::newRow("Zidou=0") << QByteArray("zidou=0") << "Zidou" << 0.0 << none;
        // Scale: the whole rest of the line, then clamped to -30..120.
        QTest::newRow("Max=100") << QByteArray("Max=100\r\n") << "Max" << 100.0 << none;
        QTest::newRow("Max=50") << QByteArray("Max=50\r\n") << "Max" << 50.0 << none;
        QTest::newRow("Max=50;") << QByteArray("Max=50;\r\n") << "Max" << 50.0 << none;
        QTest::newRow("Max=200 clamped") << QByteArray("Max=200 \r\n") << "Max" << 120.0 << none;
        QTest::newRow("Max=-99 clamped") << QByteArray("Max=-99") << "Max" << -30.0 << none;
        QTest::newRow("Min=-10") << QByteArray("Min=-10") << "Min" << -10.0 << none;
        QTest::newRow("Min=-99 clamped") << QByteArray("Min=-99 ") << "Min" << -30.0 << none;
        QTest::newRow("Min=130 clamped") << QByteArray("Min=130") << "Min" << 120.0 << none;
        QTest::newRow("Max fraction kept") << QByteArray("Max=12.5") << "Max" << 12.5 << none;
        QTest::newRow("Max= alone") << QByteArray("Max=") << "Max" << 100.0 << invalid;
        QTest::newRow("Max huge clamped") << QByteArray("Max=1E300") << "Max" << 120.0 << none;
        QTest::newRow("Max beyond double") << QByteArray("Max=1E400") << "Max" << 100.0 << overflow;
        QTest::newRow("Max 100000 digits")
            << "Max=" + QByteArray(100000, '9') << "Max" << 100.0 << overflow;
        QTest::newRow("later line wins")
            << QByteArray("Max=50\r\nMax=60\r\n") << "Max" << 60.0 << none;
        // Port: the whole rest of the line, rounded; the range is checked when the port opens.
        QTest::newRow("Port=2") << QByteArray("Port=2\r\n") << "Port" << 2.0 << none;
        QTest::newRow("Port=12") << QByteArray("Port=12") << "Port" << 12.0 << none;
        QTest::newRow("Port six blanks") << QByteArray("Port=2      ") << "Port" << 2.0 << none;
        QTest::newRow("Port=2.5") << QByteArray("Port=2.5") << "Port" << 2.0 << none;
        QTest::newRow("Port=3.5") << QByteArray("Port=3.5") << "Port" << 4.0 << none;
        QTest::newRow("Port= alone") << QByteArray("Port=") << "Port" << 1.0 << invalid;
        QTest::newRow("Port overflow") << QByteArray("Port=99999") << "Port" << 1.0 << overflow;
        // The window's factor: the whole rest of the line, handed to the zoom as it stands.
        QTest::newRow("Bairitsu=2") << QByteArray("BAIRITSU=2\r\n") << "Bairitsu" << 2.0 << none;
        QTest::newRow("Bairitsu between steps")
            << QByteArray("bairitsu=1.8") << "Bairitsu" << 1.8 << none;
        QTest::newRow("Bairitsu=5 handed on")
            << QByteArray("Bairitsu=5") << "Bairitsu" << 5.0 << none;
        QTest::newRow("Bairitsu text") << QByteArray("Bairitsu=x") << "Bairitsu" << 0.0 << none;
        QTest::newRow("Bairitsu= alone") << QByteArray("Bairitsu=") << "Bairitsu" << 1.0 << invalid;
        // Lines that are not key lines.
        QTest::newRow("comment") << QByteArray("'Max=50 \r\n") << "Max" << 100.0 << none;
        QTest::newRow("blank then comment") << QByteArray("  'Max=50 ") << "Max" << 100.0 << none;
        QTest::newRow("other first letter") << QByteArray("xMax=50 ") << "Max" << 100.0 << none;
        QTest::newRow("tab is not a leading blank")
            << QByteArray("\tMax=50") << "Max" << 100.0 << none;
        // Line ends.
        QTest::newRow("LF-only file") << QByteArray("Max=50\nMin=5\n") << "Min" << 5.0 << none;
        QTest::newRow("lone LF stays in the line")
            << QByteArray("Max=50\nMin=5\r\n") << "Min" << -10.0 << none;
        QTest::newRow("lone CR") << QByteArray("Max=50\rMin=5\r") << "Min" << 5.0 << none;
    }
    void keyLines() {
        QFETCH(QByteArray, file);
        QFETCH(QString, setting);
        QFETCH(double, value);
        QFETCH(int, error);
        Reader r;
        r.read(file);
        QCOMPARE(Settings().at(setting)(), value);
        QCOMPARE(int(FileError), error);
        QCOMPARE(AlertCount, int16_t(0));
    }

    void alertRules_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Row>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("thresholds");
        QTest::addColumn<int>("error");
        const Row before{7, 7, 7, 7};  // row 1 as it was before the file was read
        QTest::newRow("full rule") << ShiftJis("U30T5C12\r\nあつい\r\n") << Row{-1, 3000, 5, 12}
                                   << "あつい" << QStringList{"30"} << 0;
        QTest::newRow("falling, negative") << ShiftJis("D-2\r\nさむい\r\n") << Row{0, -200, 7, 7}
                                           << "さむい" << QStringList{"-2"} << 0;
        QTest::newRow("small letters")
            << QByteArray("d-5c9\r\nx\r\n") << Row{0, -500, 7, 9} << "x" << QStringList{"-5"} << 0;
        QTest::newRow("leading blanks")
            << QByteArray("  u25t10\r\nx") << Row{-1, 2500, 10, 7} << "x" << QStringList{"25"} << 0;
        QTest::newRow("colour then time: no time")
            << QByteArray("U25C12T10\r\nx") << Row{-1, 2500, 7, 12} << "x" << QStringList{"25"}
            << 0;
        QTest::newRow("decimal threshold")
            << QByteArray("U25.5T10C12\r\nx") << Row{-1, 2550, 10, 12} << "x" << QStringList{"25.5"}
            << 0;
        QTest::newRow("second decimal point ends the threshold")
            << QByteArray("D-0.25.5T3\r\nx") << Row{0, -25, 7, 7} << "x" << QStringList{"-0.25"}
            << 0;
        QTest::newRow("T without digits")
            << QByteArray("U1TC3\r\nx") << Row{-1, 100, 0, 3} << "x" << QStringList{"1"} << 0;
        QTest::newRow("minus signs anywhere")
            << QByteArray("U-5-3\r\nx") << Row{-1, -500, 7, 7} << "x" << QStringList{"-5-3"} << 0;
        QTest::newRow("no threshold")
            << QByteArray("UP\r\nx") << Row{-1, 0, 7, 7} << "x" << QStringList{""} << 0;
        QTest::newRow("threshold too large") << QByteArray("U400T3\r\nx") << Row{-1, 7, 3, 7} << "x"
                                             << QStringList{"400"} << int(FileErrors::Overflow);
        QTest::newRow("time too large") << QByteArray("U4T99999C2\r\nx") << Row{-1, 400, 7, 2}
                                        << "x" << QStringList{"4"} << int(FileErrors::Overflow);
        QTest::newRow("T line uses a row")
            << QByteArray("T10\r\nmessage\r\n") << before << "message" << QStringList{} << 0;
        QTest::newRow("any C line")
            << QByteArray("Colour\r\nmessage") << before << "message" << QStringList{} << 0;
        QTest::newRow("rule on the last line")
            << QByteArray("U30\r\n") << Row{-1, 3000, 7, 7} << "old" << QStringList{"30"}
            << int(FileErrors::InputPastEnd);
        QTest::newRow("message taken as it is")
            << QByteArray("U1\r\n  Max=50 'abc\r\n") << Row{-1, 100, 7, 7} << "  Max=50 'abc"
            << QStringList{"1"} << 0;
        QTest::newRow("message in Shift-JIS")
            << QByteArray("U1\r\n\x82\xa0\x81\x60\x82\r\n") << Row{-1, 100, 7, 7}
            << "あ\uFF5E\uFFFD" << QStringList{"1"} << 0;
        QTest::newRow("empty message")
            << QByteArray("U1\r\n\r\nx") << Row{-1, 100, 7, 7} << "" << QStringList{"1"} << 0;
    }
    void alertRules() {
        QFETCH(QByteArray, file);
        QFETCH(Row, row);
        QFETCH(QString, text);
        QFETCH(QStringList, thresholds);
        QFETCH(int, error);
        Reader r;
        AlertRules[1] = {7, 7, 7, 7};
        AlertTexts[1] = "old";
        r.read(file);
        QCOMPARE(AlertCount, int16_t(1));
        QCOMPARE(AlertRules[1], row);
        QCOMPARE(AlertTexts[1], text);
        QCOMPARE(AlertRules[2], (Row{0, 0, 0, 0}));
        QCOMPARE(r.printed().mid(2, r.printed().size() - 4), thresholds);
        QCOMPARE(int(FileError), error);
        QCOMPARE(ScaleMax, 100.0);  // a message line is never a key line
    }

    // Rules after the thirtieth are dropped whole; the file reads on after their messages.
    void rulesBeyondThirtyAreDropped() {
        Reader r;
        QByteArray file;
        for (int i = 1; i <= 34; ++i)
            file += "U" + QByteArray::number(i) + "T" + QByteArray::number(i) + "\r\nm" +
                    QByteArray::number(i) + "\r\n";
        file += "D99C3\r\nMax=50 \r\n";
        r.read(file);
        QCOMPARE(AlertCount, int16_t(30));
        for (int i = 1; i <= 30; ++i) {
            QCOMPARE(AlertRules[i], (Row{-1, int16_t(i * 100), int16_t(i), 0}));
            QCOMPARE(AlertTexts[i], "m" + QString::number(i));
        }
        QCOMPARE(ScaleMax, 100.0);  // the last rule's message is not a key line
        QCOMPARE(r.printed().size(), 2 + 30 + 2);
    }

    void logListsThresholdsInOrder() {
        Reader r;
        r.read(
            ShiftJis("' alerts\r\nU30T5C12\r\nあつい\r\nMax=40\r\nd10\r\nさむい\r\nT1\r\nx\r\n"));
        QCOMPARE(AlertTexts[2], QStringLiteral("さむい"));
        QCOMPARE(r.printed(),
                 (QStringList{"基本数値設定中", "カスタマイズファイル(Vexo.txt) 読み込み中", "30",
                              "10", "基本設定終了！", ""}));
        QCOMPARE(AlertCount, int16_t(3));
        QCOMPARE(ScaleMax, 40.0);
    }

    void badInputNeverStopsReading_data() {
        QTest::addColumn<QByteArray>("file");
        QRandomGenerator random(20240501);
        QByteArray garbage(1 << 20, 0);
        for (char& c : garbage) c = char(random.bounded(256));
        QTest::newRow("binary garbage") << garbage;
        QTest::newRow("invalid Shift-JIS") << QByteArray(1000, '\x82');
        QTest::newRow("NUL bytes") << QByteArray(1000, '\0');
        QTest::newRow("100000-character line")
            << "U" + QByteArray(100000, '-') + "\r\n" + QByteArray(100000, 'x');
        QByteArray big;
        while (big.size() < 10 * 1024 * 1024)
            big += "KelviraBack=9\r\nU12T3C4\r\nmsg\r\n' comment\r\nMax=" + QByteArray(200, '1') +
                   "\r\n";
        QTest::newRow("10 MB") << big;
    }
    void badInputNeverStopsReading() {
        QFETCH(QByteArray, file);
        Reader r;
        r.read(file + "\r\nMin=5\r\n");
        QCOMPARE(ScaleMin, 5.0);  // read on to the end
        QVERIFY(AlertCount <= 30);
        QCOMPARE(r.printed().last(), QString());
        QCOMPARE(r.printed()[r.printed().size() - 2], QStringLiteral("基本設定終了！"));
    }
};

QTEST_MAIN(CustomizationTest)
#include "customization_test.moc"
