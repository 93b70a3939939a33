// What a teacher is told of a broker that is not reached: the system's errors, the broker's
// refusals and the TLS library's messages, each read as the fault it names.
#include <QtTest>
#include <cerrno>

#include "classlink/link_fault.h"

using ClassLink::LinkFault;

Q_DECLARE_METATYPE(LinkFault)

class LinkFaultTest : public QObject {
    Q_OBJECT
  private slots:
    void systemErrors_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("wasConnected");
        QTest::addColumn<LinkFault>("fault");
        QTest::newRow("refused") << ECONNREFUSED << false << LinkFault::Refused;
        QTest::newRow("no route") << EHOSTUNREACH << false << LinkFault::Unreachable;
        QTest::newRow("network down") << ENETDOWN << true << LinkFault::Unreachable;
        QTest::newRow("silent") << ETIMEDOUT << false << LinkFault::Silent;
        QTest::newRow("timed out once connected") << ETIMEDOUT << true << LinkFault::Lost;
        QTest::newRow("reset once connected") << ECONNRESET << true << LinkFault::Lost;
        QTest::newRow("anything else first") << EPROTO << false << LinkFault::Refused;
    }
    void systemErrors() {
        QFETCH(int, error);
        QFETCH(bool, wasConnected);
        QFETCH(LinkFault, fault);
        QCOMPARE(ClassLink::FaultOfSystemError(error, wasConnected), fault);
    }

    void refusals_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<LinkFault>("fault");
        QTest::newRow("accepted") << 0 << LinkFault::None;
        QTest::newRow("3.1.1 bad login") << 4 << LinkFault::BadLogin;
        QTest::newRow("5 bad login") << 0x86 << LinkFault::BadLogin;
        QTest::newRow("3.1.1 unavailable") << 3 << LinkFault::Busy;
        QTest::newRow("5 busy") << 0x89 << LinkFault::Busy;
        QTest::newRow("5 quota") << 0x97 << LinkFault::Busy;
        QTest::newRow("3.1.1 not authorised") << 5 << LinkFault::NotAllowed;
        QTest::newRow("5 banned") << 0x8A << LinkFault::NotAllowed;
    }
    void refusals() {
        QFETCH(int, code);
        QFETCH(LinkFault, fault);
        QCOMPARE(ClassLink::FaultOfRefusal(code), fault);
    }

    void tlsMessages_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<LinkFault>("fault");
        QTest::newRow("host") << "OpenSSL Error[0]: host name verification failed"
                              << LinkFault::WrongHost;
        QTest::newRow("CA") << "OpenSSL Error[0]: certificate verify failed" << LinkFault::Untrusted;
        QTest::newRow("other OpenSSL")
            << "OpenSSL Error[0]: sslv3 alert handshake failure" << LinkFault::Tls;
        // A port that speaks no TLS answers the greeting with something else, or closes.
        QTest::newRow("an answer in no TLS")
            << "OpenSSL Error[0]: wrong version number" << LinkFault::NotTls;
        QTest::newRow("closed at the greeting")
            << "OpenSSL Error[0]: error:0A000126:SSL routines::unexpected eof while reading"
            << LinkFault::NotTls;
        QTest::newRow("TLS otherwise") << "TLS handshake failed" << LinkFault::Tls;
        QTest::newRow("no TLS at all") << "Connection refused" << LinkFault::None;
        QTest::newRow("lower-case tls is no TLS fault") << "the tls word" << LinkFault::None;
    }
    void tlsMessages() {
        QFETCH(QString, message);
        QFETCH(LinkFault, fault);
        QCOMPARE(ClassLink::FaultOfTlsMessage(message), fault);
    }

    // A TLS line that ends before the broker answers: closed or reset by the other end is a
    // port that speaks no TLS; refused, unreachable or timed out is said as such.
    void tlsLineEnds_data() {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("error");
        QTest::addColumn<LinkFault>("fault");
        QTest::newRow("closed") << true << 0 << LinkFault::NotTls;
        QTest::newRow("reset") << false << ECONNRESET << LinkFault::NotTls;
        QTest::newRow("broken pipe") << false << EPIPE << LinkFault::NotTls;
        QTest::newRow("refused") << false << ECONNREFUSED << LinkFault::None;
        QTest::newRow("closed, refused") << true << ECONNREFUSED << LinkFault::None;
        QTest::newRow("timed out") << false << ETIMEDOUT << LinkFault::None;
    }
    void tlsLineEnds() {
        QFETCH(bool, closed);
        QFETCH(int, error);
        QFETCH(LinkFault, fault);
        QCOMPARE(ClassLink::FaultOfTlsLineEnd(closed, error), fault);
    }

    // Every fault has words of its own for the title and the log.
    void everyFaultIsSaid() {
        QSet<QString> said;
        for (int f = int(LinkFault::None); f <= int(LinkFault::NoLibrary); ++f) {
            const QString text = ClassLink::LinkFaultText(LinkFault(f));
            QVERIFY2(!text.isEmpty(), qPrintable(QString::number(f)));
            said.insert(text);
        }
        QCOMPARE(said.size(), int(LinkFault::NoLibrary) + 1);
    }
};

QTEST_GUILESS_MAIN(LinkFaultTest)
#include "link_fault_test.moc"
