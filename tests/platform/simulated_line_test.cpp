// The box inside the program: every request byte F2 is answered with one raw byte of its
// profile, nothing else is; nothing comes while the line is closed.
#include <QtTest>

#include "platform/simulated_line.h"

class SimulatedLineTest : public QObject {
    Q_OBJECT
  private slots:
    void answersEachRequest() {
        std::string error;
        SimulatedLine line(sim::MakeProfile("ramp:10:2", -20, 50, error));
        QVERIFY(!line.output(QByteArray(1, '\xF2')));  // closed
        QVERIFY(line.setPortOpen(true));
        line.output(QByteArray("\x00\x00\xFF", 3));  // the greeting asks nothing
        QCOMPARE(line.input(), QByteArray());
        line.output(QByteArray(1, '\xF2'));
        line.output(QByteArray(1, '\xF2'));
        QCOMPARE(line.input(), QByteArray("\x0A\x0C", 2));
        QCOMPARE(line.input(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(SimulatedLineTest)
#include "simulated_line_test.moc"
