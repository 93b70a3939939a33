// The calibration tables: value layout, conversion of each value, and the log.
#include <QtTest>

#include "config/calibration.h"
#include "config/file_errors.h"
#include "support/stage.h"

using namespace Vexo;

namespace {

using Table = std::array<int16_t, 256>;
using Values = QList<int>;

Table TableOf(const Values& values) {
    Table table{};
    for (qsizetype i = 0; i < values.size() && i < 256; ++i) table[i] = int16_t(values[i]);
    return table;
}

// A table file: header, then `values` with `perLine` of them on each line.
QByteArray Csv(const Values& values, int perLine, const QByteArray& end = "\r\n") {
    QByteArray file = "RAW,DEGREES" + end;
    for (qsizetype i = 0; i < values.size(); ++i) {
        file += QByteArray::number(values[i]);
        file += (i + 1) % perLine == 0 || i + 1 == values.size() ? end : ",";
    }
    return file;
}

Values Ramp(int count, int from = -20) {
    Values values;
    for (int i = 0; i < count; ++i) values << from + i / 4;
    return values;
}

QStringList Printed(const std::vector<SurfaceOp>& ops) {
    QStringList lines;
    for (const SurfaceOp& op : ops)
        if (op.kind == SurfaceOp::Print) lines << op.text;
    return lines;
}

const QString EkionLine = QStringLiteral("液温データ(EKION.CSV)読み込み。");
const QString KionLine = QStringLiteral("気温データ(KION.CSV)読み込み。");
const QString ShortLine = QStringLiteral("データが足りません！");
const QString TooLargeLine = QStringLiteral("データが大きすぎます！");

}  // namespace

class CalibrationTest : public QObject {
    Q_OBJECT
  private slots:
    void readsTables_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Values>("table");
        QTest::addColumn<int>("error");
        const int full = 0, past = FileErrors::InputPastEnd, overflow = FileErrors::Overflow;
        const Values ramp = Ramp(256);
        QTest::newRow("one per line") << Csv(ramp, 1) << ramp << full;
        QTest::newRow("ten per line") << Csv(ramp, 10) << ramp << full;
        QTest::newRow("all on one line") << Csv(ramp, 256) << ramp << full;
        QTest::newRow("LF-only file") << Csv(ramp, 7, "\n") << ramp << full;
        QTest::newRow("lone CR") << Csv(ramp, 3, "\r") << ramp << full;
        QTest::newRow("257 values") << Csv(Ramp(257), 1) << ramp << full;
        QTest::newRow("300 values") << Csv(Ramp(300), 16) << ramp << full;
        QTest::newRow("255 values") << Csv(Ramp(255), 1) << Ramp(255) << past;
        QTest::newRow("value in the header is lost") << Csv(ramp, 1).mid(13) << ramp.mid(1) << past;
        QTest::newRow("empty file") << QByteArray() << Values{} << past;
        QTest::newRow("header only") << QByteArray("header\r\n") << Values{} << past;
        QTest::newRow("rounding halves to even")
            << "h\r\n25.4,25.5,26.5,-0.5,-1.5," + Csv(Ramp(251), 1).mid(13)
            << Values{25, 26, 26, 0, -2} + Ramp(251) << full;
        QTest::newRow("quotes, blanks and tabs")
            << "h\r\n\"12\", \t7 ,\"-3\"\r\n" + Csv(Ramp(253), 1).mid(13)
            << Values{12, 7, -3} + Ramp(253) << full;
        QTest::newRow("blanks separate values") << "h\r\n12 34,5\r\n" + Csv(Ramp(253), 1).mid(13)
                                                << Values{12, 34, 5} + Ramp(253) << full;
        QTest::newRow("blanks beside commas make no value")
            << "h\r\n1 , 2\t,\t, 3 \r\n" + Csv(Ramp(252), 1).mid(13)
            << Values{1, 2, 0, 3} + Ramp(252) << full;
        QByteArray blankSeparated = "h\r\n";
        for (int i = 0; i < 256; ++i)
            blankSeparated += QByteArray::number(ramp[i]) + (i % 10 == 9 ? "\r\n" : " ");
        QTest::newRow("ten to a line, blank-separated") << blankSeparated << ramp << full;
        QTest::newRow("not numeric is 0") << "h\r\nabc,\"x\",9\r\n" + Csv(Ramp(253), 1).mid(13)
                                          << Values{0, 0, 9} + Ramp(253) << full;
        QTest::newRow("empty between commas is 0")
            << "h\r\n1,,3\r\n,4\r\n" + Csv(Ramp(251), 1).mid(13)
            << Values{1, 0, 3, 0, 4} + Ramp(251) << full;
        QTest::newRow("comma at line end and blank lines add nothing")
            << "h\r\n1,2,\r\n\r\n  \r\n3\r\n" + Csv(Ramp(253), 1).mid(13)
            << Values{1, 2, 3} + Ramp(253) << full;
        QTest::newRow("lone LF separates values")
            << "h\r\n1\n2\r\n" + Csv(Ramp(254), 1).mid(13) << Values{1, 2} + Ramp(254) << full;
        QTest::newRow("beyond 16 bits stays 0, the rest is read")
            << "h\r\n5,40000,-32769,1E400,32767,-32768\r\n" + Csv(Ramp(250), 1).mid(13)
            << Values{5, 0, 0, 0, 32767, -32768} + Ramp(250) << overflow;
        QTest::newRow("overflow then short") << QByteArray("h\r\n99999\r\n") << Values{} << past;
        QTest::newRow("binary garbage")
            << QByteArray("\xff\x82\r\n\x82\x00\xfe,\x81", 9) << Values{0, 0} << past;
    }
    void readsTables() {
        QFETCH(QByteArray, file);
        QFETCH(Values, table);
        QFETCH(int, error);
        Table read{};
        QCOMPARE(int(ReadTable(file, read).error), error);
        QCOMPARE(read, TableOf(table));
    }

    void logsEachFileItReads_data() {
        QTest::addColumn<bool>("ekion");
        QTest::addColumn<bool>("kion");
        QTest::addColumn<bool>("ekionShort");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<int>("error");
        QTest::newRow("none") << false << false << false << QStringList{}
                              << int(FileErrors::FileNotFound);
        QTest::newRow("both") << true << true << false << QStringList{EkionLine, KionLine} << 0;
        QTest::newRow("liquid only")
            << true << false << false << QStringList{EkionLine} << int(FileErrors::FileNotFound);
        QTest::newRow("air only") << false << true << false << QStringList{KionLine} << 0;
        QTest::newRow("short liquid table")
            << true << true << true << QStringList{EkionLine, ShortLine, KionLine} << 0;
        QTest::newRow("liquid value too large")
            << true << true << false << QStringList{EkionLine, TooLargeLine, KionLine} << 0;
        QTest::newRow("too large and short")
            << true << true << true << QStringList{EkionLine, TooLargeLine, ShortLine, KionLine}
            << 0;
        QTest::newRow("short liquid table, no air table")
            << true << false << true << QStringList{EkionLine, ShortLine}
            << int(FileErrors::FileNotFound);
    }
    void logsEachFileItReads() {
        QFETCH(bool, ekion);
        QFETCH(bool, kion);
        QFETCH(bool, ekionShort);
        QFETCH(QStringList, log);
        QFETCH(int, error);
        Stage stage;
        std::vector<SurfaceOp> ops;
        stage.picture2.log = &ops;
        const ConfigFile missing{std::nullopt, FileErrors::FileNotFound, {}};
        const bool tooLarge = log.contains(TooLargeLine);
        QByteArray liquidFile = Csv(Ramp(ekionShort ? 100 : 256, 0), 1);
        if (tooLarge) liquidFile.replace("\r\n0\r\n", "\r\n99999\r\n");  // the first value
        const ConfigFile liquid{liquidFile, 0, {}};
        const ConfigFile air{Csv(Ramp(256, -20), 8), 0, {}};
        ReadCalibrationFrom(ekion ? liquid : missing, kion ? air : missing);
        QCOMPARE(Printed(ops), log);
        QCOMPARE(int(FileError), error);
        if (!tooLarge)
            QCOMPARE(EkionTable, ekion ? TableOf(Ramp(ekionShort ? 100 : 256, 0)) : Table{});
        QCOMPARE(KionTable, kion ? TableOf(Ramp(256, -20)) : Table{});
    }
};

QTEST_MAIN(CalibrationTest)
#include "calibration_test.moc"
