// Numbers as the configuration files and entry boxes write them: the leading-number rule and
// rounding to a 16-bit whole number.
#include <QtTest>
#include <cmath>
#include <limits>

#include "config/customization.h"
#include "config/rounding.h"
#include "core/vexo.h"

class NumbersTest : public QObject {
    Q_OBJECT
  private slots:
    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("lone minus") << "-" << 0.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("integer") << "42" << 42.0;
        QTest::newRow("stops at letters") << "12AB" << 12.0;
        QTest::newRow("blanks inside") << "1 2" << 12.0;
        QTest::newRow("blanks, tabs, LF anywhere") << " \t-\n1 .\t5" << -1.5;
        QTest::newRow("CR is not skipped") << "1\r2" << 1.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("two signs") << "--5" << 0.0;
        QTest::newRow("sign after digits stops") << "3-4" << 3.0;
        QTest::newRow("negative zero is zero") << "-0" << 0.0;
        QTest::newRow("fraction") << "25.5" << 25.5;
        QTest::newRow("leading point") << ".25" << 0.25;
        QTest::newRow("trailing point") << "7." << 7.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1.5E3" << 1500.0;
        QTest::newRow("small e") << "2e2" << 200.0;
        QTest::newRow("negative exponent") << "25E-1" << 2.5;
        QTest::newRow("exponent with blanks") << "1 E + 2" << 100.0;
        QTest::newRow("exponent without digits") << "5E" << 5.0;
        QTest::newRow("exponent sign without digits") << "5E-x" << 5.0;
        QTest::newRow("hexadecimal") << "&H1F" << 31.0;
        QTest::newRow("hexadecimal small letters") << "&hff" << 255.0;
        QTest::newRow("hex stops at non-digit") << "&H1G" << 1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O18" << 1.0;
        QTest::newRow("ampersand alone") << "&" << 0.0;
        QTest::newRow("ampersand other letter") << "&X12" << 0.0;
        QTest::newRow("full-width digits are no digits") << "１２" << 0.0;
        QTest::newRow("underflow") << "1E-400" << 0.0;
        QTest::newRow("many fraction digits then big exponent")
            << "0." + QString(400, '0') + "1E405" << 1e4;
        QTest::newRow("long mantissa") << QString(100000, '0') + "3" << 3.0;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        const double read = Vexo::LeadingNumber(text);
        QCOMPARE(read, value);
        QVERIFY(!std::signbit(read) || value < 0);
    }

    void numbersBeyondDoubleAreInfinite_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("exponent") << "1E400" << inf;
        QTest::newRow("negative") << "-1E400" << -inf;
        QTest::newRow("huge exponent") << "1E99999999999999999999999" << inf;
        QTest::newRow("many digits") << QString(400, '9') << inf;
        QTest::newRow("long hexadecimal") << "&H" + QString(300, 'F') << inf;
        QTest::newRow("zero with huge exponent") << "0E99999" << 0.0;
    }
    void numbersBeyondDoubleAreInfinite() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Vexo::LeadingNumber(text), value);
    }

    void roundsHalvesToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("whole");
        QTest::newRow("25.4") << 25.4 << 25;
        QTest::newRow("25.5") << 25.5 << 26;
        QTest::newRow("26.5") << 26.5 << 26;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("-2.6") << -2.6 << -3;
        QTest::newRow("just below a half") << 0.49999999999999994 << 0;
        QTest::newRow("just below minus a half") << -0.49999999999999994 << 0;
        QTest::newRow("top") << 32767.0 << 32767;
        QTest::newRow("bottom") << -32768.0 << -32768;
        QTest::newRow("half below bottom rounds to even") << -32768.5 << -32768;
    }
    void roundsHalvesToEven() {
        QFETCH(double, value);
        QFETCH(int, whole);
        const auto rounded = Vexo::ToInt16(value);
        QVERIFY(rounded.has_value());
        QCOMPARE(int(*rounded), whole);
    }

    void overflowIsReported_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("above") << 32768.0;
        QTest::newRow("rounds above") << 32767.5;
        QTest::newRow("below") << -32769.0;
        QTest::newRow("rounds below") << -32769.5;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    }
    void overflowIsReported() {
        QFETCH(double, value);
        QVERIFY(!Vexo::ToInt16(value).has_value());
    }
};

QTEST_GUILESS_MAIN(NumbersTest)
#include "numbers_test.moc"
