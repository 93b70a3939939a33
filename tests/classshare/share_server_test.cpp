// The shared page's server, against whatever a browser or anything else in the room sends: the
// page, its assets and its feed for the token; a short refusal, counted, for all else; sixty
// browsers at once, each told every tick; a flood refused.
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QWebSocket>
#include <QtTest>
#include <memory>
#include <vector>

#include "classshare/request_head.h"
#include "classshare/share_server.h"

using ClassShare::HeadKind;

namespace {

const QString Id = "2026-12-08T10:42:05";

ClassLink::Message Status(const QString& group) {
    ClassLink::Message m;
    m.kind = ClassLink::Kind::Status;
    m.group = group;
    m.status = {group, true, true, "air", -10, 100, Id, "1.0.0"};
    return m;
}

ClassLink::Message Tick(const QString& group, int index, double degrees) {
    ClassLink::Message m;
    m.kind = ClassLink::Kind::Tick;
    m.group = group;
    m.tick = {Id, index, index / 2.0, degrees, 63};
    return m;
}

const QByteArray Handshake =
    "Host: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
    "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";

// A text frame "hi" as a browser sends it, masked.
const QByteArray MaskedText("\x81\x82\x01\x02\x03\x04\x69\x6b", 8);

}  // namespace

class ShareServerTest : public QObject {
    Q_OBJECT

    ClassView::ClassModel model_;
    std::unique_ptr<ClassShare::ShareServer> server_;
    quint16 port_ = 0;
    QString page_;

    // What the server answers to `bytes` sent on a new connection, then `then` once the
    // answer's head has come, until it closes it.
    QByteArray answer(const QByteArray& bytes, const QByteArray& then) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port_);
        if (!socket.waitForConnected(3000)) return "not connected";
        socket.write(bytes);
        QByteArray got;
        if (!then.isEmpty()) {
            if (!QTest::qWaitFor([&] { return (got += socket.readAll()).contains("\r\n\r\n"); },
                                 5000))
                return got;
            socket.write(then);
        }
        // Refused, it is closed; served a file, it stays open for the next request.
        (void)QTest::qWaitFor(
            [&] {
                got += socket.readAll();
                return socket.state() == QAbstractSocket::UnconnectedState ||
                       (got.startsWith("HTTP/1.1 200") && got.contains("\r\n\r\n"));
            },
            5000);
        return got + socket.readAll();
    }

  private slots:
    void init() {
        model_ = {};
        model_.take(Status("han1"));
        model_.take(Tick("han1", 0, 21.5));
        server_ = std::make_unique<ClassShare::ShareServer>(model_, "2-1");
        page_ = server_->start(QHostAddress::LocalHost, 0, "127.0.0.1");
        QVERIFY(!page_.isEmpty());
        port_ = QUrl(page_).port();
    }

    // Only the head decides where a connection goes; a head not yet whole waits for the rest.
    void theHeadAlone_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<HeadKind>("kind");
        QTest::newRow("half a head")
            << QByteArray("GET /t/ HTTP/1.1\r\nHost: x\r\n") << HeadKind::Unfinished;
        QTest::newRow("a page") << QByteArray("GET /t/page.js HTTP/1.1\r\nHost: x\r\n\r\n")
                                << HeadKind::Request;
        QTest::newRow("the feed") << "GET /t/feed HTTP/1.1\r\n" + Handshake << HeadKind::Feed;
        QTest::newRow("the feed, upgrade in capitals")
            << "GET /t/feed HTTP/1.1\r\nUPGRADE: WebSocket\r\n" + Handshake << HeadKind::Feed;
        QTest::newRow("another feed")
            << "GET /u/feed HTTP/1.1\r\n" + Handshake << HeadKind::OtherFeed;
        QTest::newRow("the feed by POST")
            << "POST /t/feed HTTP/1.1\r\n" + Handshake << HeadKind::OtherFeed;
        QTest::newRow("bare line feeds")
            << QByteArray("GET /t/ HTTP/1.1\nHost: x\n\r\n\r\n") << HeadKind::OutOfForm;
        QTest::newRow("two spaces")
            << QByteArray("GET  /t/ HTTP/1.1\r\n\r\n") << HeadKind::OutOfForm;
        QTest::newRow("HTTP/2") << QByteArray("GET /t/ HTTP/2\r\n\r\n") << HeadKind::OutOfForm;
        QTest::newRow("a header without colon")
            << QByteArray("GET /t/ HTTP/1.1\r\nHost\r\n\r\n") << HeadKind::OutOfForm;
        QTest::newRow("TLS") << QByteArray("\x16\x03\x01", 3) << HeadKind::OutOfForm;
        QTest::newRow("too long, unfinished")
            << QByteArray(ClassShare::MostHead, 'a') << HeadKind::OutOfForm;
    }
    void theHeadAlone() {
        QFETCH(QByteArray, head);
        QFETCH(HeadKind, kind);
        QCOMPARE(ClassShare::KindOfHead(head, "t"), kind);
    }

    // Each row on a connection of its own: what the server answers, and whether it counts it
    // refused. TOKEN stands for the sharing's token.
    void oneAnswerEach_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("then");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<int>("refused");
        const QByteArray close = " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
        QTest::newRow("the page") << "GET /TOKEN/" + close << QByteArray()
                                  << QByteArray("HTTP/1.1 200") << 0;
        QTest::newRow("dygraphs") << "GET /TOKEN/dygraph.min.js" + close << QByteArray()
                                  << QByteArray("HTTP/1.1 200") << 0;
        QTest::newRow("a wrong token") << "GET /0123456789abcdef0123456789abcdef/" + close
                                       << QByteArray() << QByteArray("HTTP/1.1 404") << 1;
        QTest::newRow("no token") << "GET /" + close << QByteArray() << QByteArray("HTTP/1.1 404")
                                  << 1;
        QTest::newRow("another file") << "GET /TOKEN/../../etc/passwd" + close << QByteArray()
                                      << QByteArray("HTTP/1.1 404") << 1;
        QTest::newRow("a file of dygraphs' folder")
            << "GET /TOKEN/dygraph.js" + close << QByteArray() << QByteArray("HTTP/1.1 404") << 1;
        QTest::newRow("a POST") << "POST /TOKEN/" + close << QByteArray()
                                << QByteArray("HTTP/1.1 404") << 1;
        QTest::newRow("not HTTP") << QByteArray("\x16\x03\x01\x02\x00\x01\xfc\x03\x03", 9)
                                  << QByteArray() << QByteArray("HTTP/1.1 400") << 1;
        QTest::newRow("a control character")
            << "GET /TOKEN/\x01" + close << QByteArray() << QByteArray("HTTP/1.1 400") << 1;
        QTest::newRow("a head too long")
            << "GET /TOKEN/ HTTP/1.1\r\nX: " + QByteArray(2 * ClassShare::MostHead, 'a')
            << QByteArray() << QByteArray("HTTP/1.1 400") << 1;
        QTest::newRow("the feed of a wrong token")
            << "GET /0123/feed HTTP/1.1\r\n" + Handshake << QByteArray()
            << QByteArray("HTTP/1.1 404") << 1;
        QTest::newRow("a frame from the browser") << "GET /TOKEN/feed HTTP/1.1\r\n" + Handshake
                                                  << MaskedText << QByteArray("HTTP/1.1 101") << 1;
        QTest::newRow("a frame of reserved bits")
            << "GET /TOKEN/feed HTTP/1.1\r\n" + Handshake
            << QByteArray("\xff\x80\x01\x02\x03\x04", 6) << QByteArray("HTTP/1.1 101") << 1;
        QTest::newRow("a pong from the browser")
            << "GET /TOKEN/feed HTTP/1.1\r\n" + Handshake
            << QByteArray("\x8a\x80\x01\x02\x03\x04", 6) << QByteArray("HTTP/1.1 101") << 1;
        QTest::newRow("an unmasked frame")
            << "GET /TOKEN/feed HTTP/1.1\r\n" + Handshake << QByteArray("\x81\x02hi")
            << QByteArray("HTTP/1.1 101") << 1;
    }
    void oneAnswerEach() {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, then);
        QFETCH(QByteArray, status);
        QFETCH(int, refused);
        sent.replace("TOKEN", server_->token().toLatin1());
        QElapsedTimer clock;
        clock.start();
        const QByteArray got = answer(sent, then);
        QVERIFY2(got.startsWith(status), got.left(200).constData());
        QTRY_COMPARE(server_->refused(), refused);
        qInfo("answered and closed in %lld ms", static_cast<long long>(clock.elapsed()));
    }

    // Sixty browsers follow the class at once: each gets the class so far, then each tick;
    // more than MostViewers are refused; switching off closes every one.
    void sixtyBrowsersAndMore() {
        QUrl feed(page_ + "feed");
        feed.setScheme("ws");
        std::vector<std::unique_ptr<QWebSocket>> browsers;
        std::vector<QStringList> told(ClassShare::MostViewers + 5);
        int closed = 0;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < ClassShare::MostViewers + 5; ++i) {
            auto b = std::make_unique<QWebSocket>();
            connect(b.get(), &QWebSocket::textMessageReceived, this,
                    [&told, i](const QString& t) { told[i] << t; });
            connect(b.get(), &QWebSocket::disconnected, this, [&closed] { ++closed; });
            b->open(feed);
            browsers.push_back(std::move(b));
            if (i == 59) {
                QTRY_COMPARE(server_->viewers(), 60);
                QTRY_VERIFY(std::all_of(told.begin(), told.begin() + 60,
                                        [](const QStringList& t) { return !t.isEmpty(); }));
                qInfo("60 browsers opened and told the class in %lld ms",
                      static_cast<long long>(clock.elapsed()));
            }
        }
        QTRY_COMPARE(closed, 5);
        QCOMPARE(server_->viewers(), ClassShare::MostViewers);
        QCOMPARE(server_->refused(), 5);
        QVERIFY(told[0].front().contains("\"t\":\"class\"") && told[0].front().contains("21.5"));

        const ClassLink::Message tick = Tick("han1", 1, 22.5);
        model_.take(tick);
        server_->taken(tick);
        for (int i = 0; i < ClassShare::MostViewers + 5; ++i)
            QTRY_COMPARE(!told[i].isEmpty() && told[i].last().contains("22.5"),
                         i < ClassShare::MostViewers);

        server_.reset();
        QTRY_COMPARE(closed, ClassShare::MostViewers + 5);
    }

    // A flood of requests: beyond MostRequestsPerSecond in a second the flooder is refused
    // and let go.
    void aFloodIsRefused() {
        const QByteArray get =
            "GET /" + server_->token().toLatin1() + "/ HTTP/1.1\r\nHost: x\r\n\r\n";
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port_);
        QVERIFY(socket.waitForConnected(3000));
        for (int i = 0; i < 2 * ClassShare::MostRequestsPerSecond; ++i) socket.write(get);
        QByteArray got;
        QTRY_VERIFY_WITH_TIMEOUT(
            (got += socket.readAll(), socket.state() == QAbstractSocket::UnconnectedState), 10000);
        got += socket.readAll();
        QVERIFY(got.count("HTTP/1.1 200") >= ClassShare::MostRequestsPerSecond);
        QVERIFY(got.count("HTTP/1.1 503") >= 1);
        QVERIFY(server_->refused() >= got.count("HTTP/1.1 503"));
    }
};

QTEST_MAIN(ShareServerTest)
#include "share_server_test.moc"
