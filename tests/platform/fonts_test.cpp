// The windows' fonts: the designed faces where installed, otherwise the stand-ins, and the
// families left out of the list never change the face that is drawn with.
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>
#include <thread>

#include "platform/fonts.h"

namespace {

const QStringList DesignedGothic = {"ＭＳ ゴシック", "IPAGothic", "Noto Sans Mono CJK JP",
                                    "Noto Sans CJK JP"};
const QStringList DesignedProportional = {"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP",
                                          "IPAGothic"};

QFont WithFamilies(const QFont& font, const QStringList& families) {
    QFont f = font;
    f.setFamilies(families);
    return f;
}

}  // namespace

class FontsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        // Another thread reads the configuration while this one asks for fonts, as at start-up.
        std::thread reader(ReadFontConfiguration);
        const QFont early = GothicFont(12);
        reader.join();
        QCOMPARE(early.families(), GothicFont(12).families());
    }

    void sameFaceAsTheDesignedList_data() {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QStringList>("designed");
        for (const double points : {9.75, 12.0, 15.75, 18.0})
            for (const bool bold : {false, true}) {
                const QString size = QString("%1 pt%2").arg(points).arg(bold ? " bold" : "");
                QTest::newRow(qPrintable("gothic " + size))
                    << GothicFont(points, bold) << DesignedGothic;
                QTest::newRow(qPrintable("proportional " + size))
                    << ProportionalGothicFont(points, bold) << DesignedProportional;
            }
    }
    void sameFaceAsTheDesignedList() {
        QFETCH(QFont, font);
        QFETCH(QStringList, designed);
        // What is left is the designed list in its order, without what is not installed.
        QStringList left = designed;
        left.removeIf([&](const QString& f) { return !font.families().contains(f); });
        QCOMPARE(font.families(), left);
        for (const QString& family : font.families()) QVERIFY(QFontDatabase::hasFamily(family));
        // And the face drawn with is the one the whole designed list gives.
        const QFontInfo chosen(font), designedChoice(WithFamilies(font, designed));
        QCOMPARE(chosen.family(), designedChoice.family());
        QCOMPARE(chosen.pixelSize(), designedChoice.pixelSize());
        QCOMPARE(chosen.bold(), designedChoice.bold());
    }
};

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
