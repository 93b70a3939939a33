#include "classshare/share_server.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QNetworkInterface>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <algorithm>

#include "classshare/request_head.h"
#include "classshare/share_feed.h"

// The page, compiled into the program (share_page.qrc); named outside any namespace.
static void LoadPage() {
    Q_INIT_RESOURCE(share_page);
}

namespace ClassShare {

namespace {

using Status = QHttpServerResponder::StatusCode;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString MakeToken() {
    QString token;
    for (int i = 0; i < 4; ++i)
        token += QStringLiteral("%1").arg(QRandomGenerator::system()->generate(), 8, 16,
                                          QLatin1Char('0'));
    return token;
}

}  // namespace

// Takes each connection as it comes and reads the head of its first request: the feed goes to
// the WebSocket server, any other request to the HTTP server, and a head out of form, or one
// that does not come in time, is refused here. A connection the HTTP server lets go without an
// answer (its parser found the request out of form) is counted as refused too.
class ShareServer::Sockets : public QTcpServer {
  public:
    explicit Sockets(ShareServer& share) : share_(share) {}
    ~Sockets() override {
        for (QTcpSocket* socket : findChildren<QTcpSocket*>()) socket->disconnect(this);
    }
    void served(QTcpSocket* socket) { unserved_.erase(socket); }

  protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        if (waiting_.size() >= MostWaiting) {
            share_.counted();
            socket->abort();
            socket->deleteLater();
            return;
        }
        waiting_.insert(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { look(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { gone(socket); });
        QTimer::singleShot(HeadWaitMs, socket, [this, socket] {
            if (waiting_.count(socket)) refuse(socket, "408 Request Timeout");
        });
    }

  private:
    void look(QTcpSocket* socket) {
        const HeadKind kind = KindOfHead(socket->peek(MostHead), share_.token_);
        if (kind == HeadKind::Unfinished) return;
        if (kind == HeadKind::OutOfForm) return refuse(socket, "400 Bad Request");
        if (kind == HeadKind::OtherFeed) return refuse(socket, "404 Not Found");
        waiting_.erase(socket);
        socket->disconnect(this);
        if (kind == HeadKind::Feed) {
            share_.feedServer_.handleConnection(socket);
        } else {
            unserved_.insert(socket);
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                if (unserved_.erase(socket)) share_.counted();
            });
            addPendingConnection(socket);
        }
        emit socket->readyRead();  // what came already is read by the server it went to
    }
    void refuse(QTcpSocket* socket, const char* status) {
        waiting_.erase(socket);
        socket->disconnect(this);
        share_.counted();
        socket->write(QByteArray("HTTP/1.1 ") + status +
                      "\r\nContent-Type: text/plain\r\nContent-Length: 8\r\nConnection: "
                      "close\r\n\r\nrefused\n");
        socket->disconnectFromHost();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
    void gone(QTcpSocket* socket) {
        if (!waiting_.erase(socket)) return;
        share_.counted();  // went without a whole head
        socket->deleteLater();
    }

    ShareServer& share_;
    std::set<QTcpSocket*> waiting_;   // whose head has not come whole yet
    std::set<QTcpSocket*> unserved_;  // handed to the HTTP server, not yet answered
};

ShareServer::ShareServer(const ClassView::ClassModel& model, const QString& className,
                         const QString& dygraphsFolder)
    : model_(model), className_(className), token_(MakeToken()) {
    LoadPage();
    page_ = ReadAll(QStringLiteral(":/share/page.html"));
    script_ = ReadAll(QStringLiteral(":/share/page.js"));
    dygraphs_ = ReadAll(dygraphsFolder + QStringLiteral("/dygraph.min.js"));
    dygraphsStyle_ = ReadAll(dygraphsFolder + QStringLiteral("/dygraph.min.css"));
    connect(&feedServer_, &QWebSocketServer::newConnection, this, [this] { acceptFeed(); });
    connect(&second_, &QTimer::timeout, this, [this] { requestsThisSecond_ = 0; });
    second_.start(1000);
}

ShareServer::~ShareServer() {
    for (auto& feed : feeds_) {
        feed->disconnect(this);
        feed->close(QWebSocketProtocol::CloseCodeGoingAway);
    }
    feeds_.clear();
}

QString ShareServer::start(const QHostAddress& host, quint16 port, const QString& shownHost) {
    sockets_ = std::make_unique<Sockets>(*this);
    if (!sockets_->listen(host, port)) return {};
    bind(sockets_.get());
    return QStringLiteral("http://%1:%2/%3/")
        .arg(shownHost)
        .arg(sockets_->serverPort())
        .arg(token_);
}

void ShareServer::counted() {
    ++refused_;
    told();
}

void ShareServer::told() {
    if (countsChanged) countsChanged();
}

void ShareServer::refuse(QTcpSocket* socket, const QHttpServerRequest& request, int status) {
    counted();
    makeResponder(request, socket).write(QByteArray("refused\n"), "text/plain", Status(status));
    socket->disconnectFromHost();  // after what was written
}

bool ShareServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    sockets_->served(socket);
    if (++requestsThisSecond_ > MostRequestsPerSecond) {
        refuse(socket, request, 503);
        return true;
    }
    const QString prefix = QLatin1Char('/') + token_ + QLatin1Char('/');
    const QString path = request.url().path();
    if (request.method() != QHttpServerRequest::Method::Get || !path.startsWith(prefix)) {
        refuse(socket, request, 404);
        return true;
    }
    const QString file = path.mid(prefix.size());
    const std::pair<const char*, const QByteArray*> found =
        file.isEmpty()                     ? std::pair{"text/html; charset=utf-8", &page_}
        : file == QLatin1String("page.js") ? std::pair{"text/javascript; charset=utf-8", &script_}
        : file == QLatin1String("dygraph.min.js")
            ? std::pair{"text/javascript; charset=utf-8", &dygraphs_}
        : file == QLatin1String("dygraph.min.css")
            ? std::pair{"text/css; charset=utf-8", &dygraphsStyle_}
            : std::pair{"", nullptr};
    if (!found.second) {
        refuse(socket, request, 404);
        return true;
    }
    makeResponder(request, socket)
        .write(*found.second,
               {{"Content-Type", found.first},
                {"Cache-Control", "no-store"},
                {"X-Content-Type-Options", "nosniff"},
                {"Content-Security-Policy",
                 "default-src 'self'; style-src 'self' 'unsafe-inline'; connect-src 'self' ws: "
                 "wss:; img-src 'self' data:"}},
               Status::Ok);
    return true;
}

void ShareServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    refuse(socket, request, 404);
}

void ShareServer::acceptFeed() {
    while (feedServer_.hasPendingConnections()) {
        std::unique_ptr<QWebSocket> feed(feedServer_.nextPendingConnection());
        if (!feed) continue;
        feed->setParent(nullptr);
        if (viewers() >= MostViewers || ++requestsThisSecond_ > MostRequestsPerSecond) {
            counted();
            feed->close(QWebSocketProtocol::CloseCodeGoingAway, QStringLiteral("refused"));
            feed->flush();
            QWebSocket* f = feed.release();
            QTimer::singleShot(0, f, [f] {
                f->abort();
                f->deleteLater();
            });
            continue;
        }
        QWebSocket* f = feed.get();
        // The page says nothing: whatever a browser sends is refused, and so is a frame out of
        // form.
        connect(f, &QWebSocket::textMessageReceived, this, [this, f] { dropFeed(f, true); });
        connect(f, &QWebSocket::binaryMessageReceived, this, [this, f] { dropFeed(f, true); });
        connect(f, &QWebSocket::pong, this, [this, f] { dropFeed(f, true); });
        connect(f, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this,
                [this, f] { dropFeed(f, false); });
        connect(f, &QWebSocket::disconnected, this, [this, f] {
            // Closed for a frame out of form, or the browser's own leaving.
            const auto code = f->closeCode();
            const bool outOfForm = code == QWebSocketProtocol::CloseCodeProtocolError ||
                                   code == QWebSocketProtocol::CloseCodeDatatypeNotSupported ||
                                   code == QWebSocketProtocol::CloseCodeWrongDatatype ||
                                   code == QWebSocketProtocol::CloseCodeTooMuchData;
            dropFeed(f, outOfForm, false);
        });
        feeds_.push_back(std::move(feed));
        told();
        send(f, QString::fromUtf8(ClassSnapshot(className_, model_)));
    }
}

void ShareServer::dropFeed(QWebSocket* feed, bool refused, bool closeIt) {
    const auto at = std::find_if(feeds_.begin(), feeds_.end(),
                                 [feed](const auto& f) { return f.get() == feed; });
    if (at == feeds_.end()) return;
    std::unique_ptr<QWebSocket> gone = std::move(*at);
    feeds_.erase(at);
    gone->disconnect(this);
    if (refused) ++refused_;
    if (closeIt) {
        // Said why, then let go without waiting for the browser's answer.
        gone->close(refused ? QWebSocketProtocol::CloseCodePolicyViolated
                            : QWebSocketProtocol::CloseCodeGoingAway,
                    QStringLiteral("refused"));
        gone->flush();
    }
    gone->abort();
    gone.release()->deleteLater();
    told();
}

void ShareServer::send(QWebSocket* feed, const QString& frame) {
    // A browser that does not keep up is let go: the others and the view are not held up.
    if (feed->bytesToWrite() > MostUnsent) {
        dropFeed(feed, false, false);
        return;
    }
    feed->sendTextMessage(frame);
}

void ShareServer::taken(const ClassLink::Message& message) {
    if (feeds_.empty()) return;
    const std::vector<QByteArray> frames = FramesOf(message, model_);
    for (const QByteArray& bytes : frames) {
        const QString frame = QString::fromUtf8(bytes);
        // Sent to each browser; one dropped meanwhile leaves the list.
        std::vector<QPointer<QWebSocket>> all;
        for (auto& f : feeds_) all.emplace_back(f.get());
        for (auto& f : all)
            if (f) send(f, frame);
    }
}

QString RoomAddress() {
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() && !a.isLinkLocal())
            return a.toString();
    return QStringLiteral("127.0.0.1");
}

}  // namespace ClassShare
