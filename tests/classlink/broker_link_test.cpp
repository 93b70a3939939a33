// Why a class's broker is not reached, found on real brokers on 127.0.0.1: a wrong password,
// a broker that lets nobody in unsigned, nothing listening, a broker that never answers, a
// group writing under another's name, and TLS with the wrong CA, another host's certificate
// or a CA file that is not there.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QtTest>
#include <mutex>

#include "classlink/broker_link.h"
#include "support/broker.h"

using ClassLink::LinkFault;
Q_DECLARE_METATYPE(LinkFault)

namespace {

int Run(const QStringList& command) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(command.first(), command.mid(1));
    return p.waitForFinished(20000) ? p.exitCode() : -1;
}

// A port that takes connections and never says a word.
struct SilentPort {
    int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    int port = 0;
    SilentPort() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        ::bind(socket, reinterpret_cast<sockaddr*>(&a), size);
        ::listen(socket, 4);
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&a), &size);
        port = ntohs(a.sin_port);
    }
    ~SilentPort() { ::close(socket); }
};

}  // namespace

class BrokerLinkTest : public QObject {
    Q_OBJECT
  private slots:
    void saysWhyTheBrokerIsNotReached_data() {
        QTest::addColumn<QString>("kind");  // the broker's and the address's set-up
        QTest::addColumn<LinkFault>("fault");
        QTest::newRow("wrong password") << "password" << LinkFault::BadLogin;
        QTest::newRow("no user where all sign in") << "anonymous" << LinkFault::NeedsLogin;
        QTest::newRow("nothing listens") << "nothing" << LinkFault::Refused;
        QTest::newRow("a broker that never answers") << "silent" << LinkFault::Silent;
        QTest::newRow("a group writing as another") << "acl" << LinkFault::Denied;
        QTest::newRow("TLS, another CA") << "ca" << LinkFault::Untrusted;
        QTest::newRow("TLS, another host's certificate") << "host" << LinkFault::WrongHost;
        QTest::newRow("TLS, no CA file") << "nocafile" << LinkFault::NoCaFile;
        QTest::newRow("TLS to a plain port") << "plain" << LinkFault::NotTls;
        QTest::newRow("TLS, a CA the system does not hold") << "system" << LinkFault::Untrusted;
        QTest::newRow("all well") << "good" << LinkFault::None;
    }
    void saysWhyTheBrokerIsNotReached() {
        QFETCH(QString, kind);
        QFETCH(LinkFault, fault);
        QTemporaryDir dir;
        Broker broker;
        QStringList lines{"allow_anonymous false"};
        QString user = "han1:han1pw@";
        if (kind == "password" || kind == "anonymous" || kind == "acl" || kind == "good") {
            QVERIFY(Run({"mosquitto_passwd", "-c", "-b", dir.filePath("pw"), "han1", "han1pw"}) ==
                    0);
            lines << "password_file " + broker.share(dir.filePath("pw"));
            QFile acl(dir.filePath("acl"));
            QVERIFY(acl.open(QIODevice::WriteOnly));
            acl.write("pattern write kelvira/+/%u/#\n");
            acl.close();
            lines << "acl_file " + broker.share(acl.fileName());
            if (kind == "password") user = "han1:wrong@";
            if (kind == "anonymous") user.clear();
        }
        QString scheme = "mqtt", query;
        if (kind == "ca" || kind == "host" || kind == "nocafile" || kind == "system") {
            QVERIFY(
                MakeCertificates(dir.path(), kind == "host" ? "elsewhere.example" : "127.0.0.1"));
            lines = QStringList{"allow_anonymous true",
                                "certfile " + broker.share(dir.filePath("broker.pem")),
                                "keyfile " + broker.share(dir.filePath("broker.key"))};
            QTemporaryDir other;
            if (kind == "ca") QVERIFY(MakeCertificates(other.path(), "127.0.0.1"));
            const QString ca = kind == "ca" ? other.filePath("ca.pem") : dir.filePath("ca.pem");
            if (kind == "ca") QFile::copy(ca, dir.filePath("other-ca.pem"));
            scheme = "mqtts";
            if (kind != "system")
                query = "?cafile=" + (kind == "nocafile" ? dir.filePath("none.pem")
                                      : kind == "ca"     ? dir.filePath("other-ca.pem")
                                                         : ca);
            user.clear();
        }
        if (kind == "plain") {
            lines = QStringList{"allow_anonymous true"};
            scheme = "mqtts";
            user.clear();
        }
        broker.configure(lines);
        SilentPort silent;
        int port = broker.port();
        if (kind == "silent") port = silent.port;
        if (kind != "nothing" && kind != "silent")
            QVERIFY2(broker.start(), qPrintable(broker.log()));
        const auto address = ClassLink::ParseClassAddress(
            scheme + "://" + user + "127.0.0.1:" + QString::number(port) + "/2-1" + query);
        QVERIFY2(address.valid(), qPrintable(address.error));

        std::mutex lock;
        std::vector<LinkFault> faults;
        ClassLink::BrokerLink::Callbacks callbacks;
        callbacks.fault = [&](LinkFault f) {
            const std::lock_guard<std::mutex> guard(lock);
            faults.push_back(f);
        };
        ClassLink::BrokerLink link(address, "test-client", {}, callbacks);
        if (fault == LinkFault::NoCaFile) {
            QCOMPARE(link.setUpFault(), LinkFault::NoCaFile);
            return;
        }
        link.start();
        // The acl case: connected, then what it publishes under another's name is dropped.
        if (kind == "acl" || kind == "good") {
            QVERIFY(QTest::qWaitFor([&] { return link.connected(); }, 5000));
            const QByteArray topic =
                kind == "acl" ? "kelvira/2-1/han2/status" : "kelvira/2-1/han1/status";
            QVERIFY(link.publish(topic, "{}", 1, false) >= 0);
        }
        const bool told = QTest::qWaitFor(
            [&] {
                const std::lock_guard<std::mutex> guard(lock);
                return !faults.empty() && faults.back() == fault;
            },
            12000);
        // And it stays said as the link tries again.
        if (told && (kind == "plain" || kind == "system")) QTest::qWait(2500);
        const std::lock_guard<std::mutex> guard(lock);
        QString said;
        for (LinkFault f : faults) said += ClassLink::LinkFaultText(f) + " / ";
        QVERIFY2(told && faults.back() == fault, qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(BrokerLinkTest)
#include "broker_link_test.moc"
