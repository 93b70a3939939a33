// The sample configuration files shipped for trying the program out read without a fault.
#include <QtTest>

#include "config/calibration.h"
#include "config/customization.h"
#include "config/palette.h"
#include "support/stage.h"

using namespace Vexo;

namespace {

QByteArray Sample(const QString& name) {
    QFile file(qEnvironmentVariable("KELVIRA_SOURCE_DIR") + "/samples/" + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace

class SamplesTest : public QObject {
    Q_OBJECT
  private slots:
    void customizationFileReadsCleanly() {
        Stage stage;
        const QByteArray content = Sample("VEXO.TXT");
        QVERIFY(content.contains("\r\n"));
        ReadCustomizationFrom({content, 0, {}});
        QCOMPARE(FileError, int16_t(0));
        QCOMPARE(KelviraBack, PaletteColour(6));
        QCOMPARE(GrphMemori, PaletteColour(1));
        QCOMPARE(ScaleMax, 100.0);
        QCOMPARE(ScaleMin, -10.0);
        QCOMPARE(PortNumber, int16_t(1));
        QCOMPARE(AlertCount, int16_t(4));
        QCOMPARE(AlertRules[1], (std::array<int16_t, 4>{-1, 3000, 5, 14}));
        QCOMPARE(AlertRules[4], (std::array<int16_t, 4>{0, 1000, 8, 9}));
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(!AlertTexts[n].contains(QChar::ReplacementCharacter));
            QVERIFY(AlertTexts[n].contains(QStringLiteral("ど")));
        }
    }

    void tablesAreCompleteAndRising_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::newRow("air") << "KION.CSV" << -20 << 50;
        QTest::newRow("liquid") << "EKION.CSV" << -10 << 110;
    }
    void tablesAreCompleteAndRising() {
        QFETCH(QString, name);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        std::array<int16_t, 256> table{};
        QCOMPARE(ReadTable(Sample(name), table).error, int16_t(0));
        QCOMPARE(int(table.front()), lowest);
        QCOMPARE(int(table.back()), highest);
        QVERIFY(std::is_sorted(table.begin(), table.end()));
    }
};

QTEST_MAIN(SamplesTest)
#include "samples_test.moc"
