#include "classshare/share_server.h"

#include <QCryptographicHash>
#include <QFile>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QUrl>
#include <algorithm>

#include "classshare/feed_frames.h"

// The page, compiled into the program (share_page.qrc); named outside any namespace.
static void LoadPage() {
    Q_INIT_RESOURCE(share_page);
}

namespace ClassShare {

namespace {

// The lesson so far is sent some parts at a time, about this much, the next when less than
// this waits unsent.
constexpr qint64 PartWhenUnsentBelow = 256 * 1024;
// A refused connection is closed once nothing has come from it for this long.
constexpr int QuietMs = 100;
// A comment on the feed this often keeps it open through the room's network.
constexpr int KeepOpenSeconds = 20;

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

// HTTP's deflate: a zlib stream, which is what qCompress writes after its four bytes of length.
QByteArray Deflated(const QByteArray& bytes) {
    return qCompress(bytes, 9).mid(4);
}

// A frame as one event of the stream.
QByteArray Event(const QByteArray& frame) {
    return "data: " + frame + "\n\n";
}

QByteArray Tag(const QByteArray& bytes) {
    return '"' + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16) + '"';
}

const QByteArray Safety =
    "X-Content-Type-Options: nosniff\r\n"
    "Content-Security-Policy: default-src 'self'; connect-src 'self'; style-src 'self' "
    "'unsafe-inline'; img-src 'self' data:\r\n";

}  // namespace

// A connection: where it comes from, the bytes of the request that has not come whole, and
// once it follows the feed, where it stands in the lesson so far (the next group and tick to
// send).
struct ShareServer::Peer {
    QTcpSocket* socket = nullptr;
    QHostAddress address;
    quint64 since = 0;  // when it last came or was answered
    QByteArray in;
    bool spoke = false;     // something came on it
    bool answered = false;  // its first request has come whole
    bool heading = true;    // a request's head is on its way (else it is idle between requests)
    bool feed = false;
    bool opening = false;  // the lesson so far is still going out
    int group = 0;
    int tick = 0;
    bool fresh = false;  // the next part starts the group's ticks anew
    QTimer wait;         // for a request's head, or idle
};

ShareServer::ShareServer(const SharedLesson& lesson, const std::vector<PageFile>& extra)
    : lesson_(lesson), token_(MakeToken()) {
    LoadPage();
    files_ = {{QString(), "text/html; charset=utf-8", ReadAll(QStringLiteral(":/share/page.html"))},
              {QStringLiteral("page.js"), "text/javascript; charset=utf-8",
               ReadAll(QStringLiteral(":/share/page.js"))},
              {QStringLiteral("figures.js"), "text/javascript; charset=utf-8",
               ReadAll(QStringLiteral(":/share/figures.js"))},
              {QStringLiteral("tools.js"), "text/javascript; charset=utf-8",
               ReadAll(QStringLiteral(":/share/tools.js"))}};
    files_.insert(files_.end(), extra.begin(), extra.end());
    for (const PageFile& file : files_) deflated_[file.name] = Deflated(file.bytes);
    connect(&listener_, &QTcpServer::newConnection, this, [this] { accept(); });
    connect(&second_, &QTimer::timeout, this, [this] {
        requestsThisSecond_ = 0;
        requestsFrom_.clear();
        if (++seconds_ % KeepOpenSeconds != 0) return;
        for (auto& [socket, peer] : peers_)
            if (peer->feed && !peer->opening) socket->write(":\n\n");
    });
    second_.start(1000);
}

ShareServer::~ShareServer() {
    listener_.close();
    for (QObject* socket : listener_.children()) socket->disconnect(this);
    for (auto& [socket, peer] : peers_) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

QString ShareServer::start(const QHostAddress& host, quint16 port, const QString& shownHost) {
    if (!listener_.listen(host, port)) return {};
    address_ =
        QStringLiteral("http://%1:%2/%3/").arg(shownHost).arg(listener_.serverPort()).arg(token_);
    return address_;
}

int ShareServer::viewers() const {
    return static_cast<int>(
        std::count_if(peers_.begin(), peers_.end(), [](const auto& p) { return p.second->feed; }));
}

void ShareServer::told() {
    if (countsChanged) countsChanged();
}

void ShareServer::accept() {
    while (QTcpSocket* socket = listener_.nextPendingConnection()) {
        const QHostAddress from = socket->peerAddress();
        if (!makeRoom()) {
            ++refused_;
            told();
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setReadBufferSize(MostRead);
        auto peer = std::make_unique<Peer>();
        peer->socket = socket;
        peer->address = from;
        peer->wait.setSingleShot(true);
        connect(&peer->wait, &QTimer::timeout, this, [this, socket] {
            const Peer& p = *peers_.at(socket);
            if (p.heading && p.spoke) return refuse(socket, "408 Request Timeout");
            // Idle between requests, or opened ahead by a browser and never used: closed,
            // not refused.
            forget(socket);
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
            Peer& p = *peers_.at(socket);
            if (p.opening) sendOpening(p);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            const bool unanswered = peers_.at(socket)->spoke && !peers_.at(socket)->answered;
            forget(socket);
            if (unanswered) {
                ++refused_;  // went without a whole request
                told();
            }
        });
        await(*peer, true);
        peers_[socket] = std::move(peer);
    }
}

bool ShareServer::makeRoom() {
    // Waiting for their heads: when the room's share is taken, the address holding the most
    // gives up its oldest for the newcomer, so that one address cannot shut the others out.
    QHash<QHostAddress, int> waiting;
    int all = 0;
    for (auto& [socket, peer] : peers_)
        if (peer->heading) ++waiting[peer->address], ++all;
    if (all >= MostWaiting) {
        Peer* oldest = nullptr;
        const QHostAddress most = std::max_element(waiting.begin(), waiting.end()).key();
        if (waiting[most] <= MostWaitingPerAddress) return false;
        for (auto& [socket, peer] : peers_)
            if (peer->heading && peer->address == most && (!oldest || peer->since < oldest->since))
                oldest = peer.get();
        refuse(oldest->socket, "408 Request Timeout");
    }
    if (static_cast<int>(peers_.size()) + closing_ < MostConnections) return true;
    // All taken: the connection idle longest between its requests is closed for the newcomer.
    Peer* idlest = nullptr;
    for (auto& [socket, peer] : peers_)
        if (!peer->heading && !peer->feed && (!idlest || peer->since < idlest->since))
            idlest = peer.get();
    if (!idlest) return false;
    forget(idlest->socket);
    return true;
}

// Waits for a request's head, or while the connection is idle between requests.
void ShareServer::await(Peer& peer, bool head) {
    peer.since = ++clock_;
    peer.heading = head;
    peer.wait.start(head ? HeadWaitMs : IdleMs);
}

void ShareServer::forget(QTcpSocket* socket) {
    const auto at = peers_.find(socket);
    if (at == peers_.end()) return;
    const bool wasFeed = at->second->feed;
    socket->disconnect(this);
    peers_.erase(at);
    socket->abort();
    socket->deleteLater();
    if (wasFeed) told();
}

void ShareServer::refuse(QTcpSocket* socket, const char* status) {
    ++refused_;
    socket->disconnect(this);
    peers_.erase(socket);
    ++closing_;
    connect(socket, &QObject::destroyed, this, [this] { --closing_; });
    socket->write(QByteArray("HTTP/1.1 ") + status +
                  "\r\nContent-Type: text/plain\r\nContent-Length: 8\r\nConnection: "
                  "close\r\n\r\nrefused\n");
    // Closed once the other side has fallen quiet, what else it sent read and dropped: closed
    // on unread bytes, the connection would be reset before the answers had arrived.
    auto* quiet = new QTimer(socket);
    quiet->setSingleShot(true);
    connect(quiet, &QTimer::timeout, socket, [socket] { socket->disconnectFromHost(); });
    connect(socket, &QTcpSocket::readyRead, quiet, [socket, quiet] {
        socket->readAll();
        quiet->start(QuietMs);
    });
    socket->readAll();
    quiet->start(QuietMs);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(HeadWaitMs, socket, [socket] { socket->abort(); });
    told();
}

void ShareServer::readFrom(QTcpSocket* socket) {
    Peer& peer = *peers_.at(socket);
    // The page sends nothing on its feed: whatever comes there is refused.
    if (peer.feed) return refuse(socket, "400 Bad Request");
    // A new request's head has begun: it has HeadWaitMs to come whole, however slowly it comes.
    if (!peer.heading) await(peer, true);
    peer.in += socket->readAll();
    peer.spoke = peer.spoke || !peer.in.isEmpty();
    while (!peer.in.isEmpty()) {
        const RequestHead head = ReadHead(peer.in);
        if (head.form == RequestHead::Form::Unfinished) return;
        if (head.form == RequestHead::Form::OutOfForm) return refuse(socket, "400 Bad Request");
        peer.in.remove(0, head.length);
        peer.answered = true;
        if (head.body) return refuse(socket, "400 Bad Request");  // the page sends no bodies
        if (++requestsFrom_[peer.address] > MostRequestsPerSecondFromOne ||
            ++requestsThisSecond_ > MostRequestsPerSecond)
            return refuse(socket, "503 Service Unavailable");
        answer(peer, head);
        // Refused, or the feed now: nothing more is read as requests.
        if (!peers_.count(socket) || peer.feed) return;
        // Closing once the answer is out; forgotten if the browser lingers.
        if (head.close) return await(peer, false);
        await(peer, !peer.in.isEmpty());
    }
}

void ShareServer::answer(Peer& peer, const RequestHead& head) {
    const QByteArray prefix = '/' + token_.toLatin1() + '/';
    if (head.method != "GET" || !head.path.startsWith(prefix))
        return refuse(peer.socket, "404 Not Found");
    const QString name = QString::fromLatin1(head.path.mid(prefix.size()));
    if (name == QLatin1String("feed")) {
        // Only the page itself opens the feed: a page elsewhere that a pupil was sent to
        // cannot read the lesson through the browser.
        if (!head.origin.isEmpty() && head.origin != "http://" + head.host)
            return refuse(peer.socket, "403 Forbidden");
        if (viewers() >= MostViewers) return refuse(peer.socket, "503 Service Unavailable");
        return startFeed(peer);
    }
    if (name == QLatin1String("lesson.csv"))
        return serve(peer, {name, "text/csv; charset=utf-8", lesson_.csv()}, head, true);
    const auto file = std::find_if(files_.begin(), files_.end(),
                                   [&name](const PageFile& f) { return f.name == name; });
    if (file == files_.end()) return refuse(peer.socket, "404 Not Found");
    serve(peer, *file, head, false);
}

void ShareServer::serve(Peer& peer, const PageFile& file, const RequestHead& head, bool lesson) {
    QByteArray headers = "HTTP/1.1 200 OK\r\nContent-Type: " + file.type + "\r\n" + Safety;
    QByteArray body = file.bytes;
    if (lesson) {
        // Always the lesson as it stands now, saved as a file by the browser.
        headers += "Cache-Control: no-store\r\nContent-Disposition: attachment; filename=\"" +
                   QUrl::toPercentEncoding(lesson_.csvName()) + "\"; filename*=UTF-8''" +
                   QUrl::toPercentEncoding(lesson_.csvName()) + "\r\n";
    } else {
        // The page's files stay as they are while the sharing lasts: the browser keeps them.
        const QByteArray tag = Tag(file.bytes);
        if (head.ifNoneMatch == tag) {
            peer.socket->write("HTTP/1.1 304 Not Modified\r\nETag: " + tag +
                               "\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        headers += "Cache-Control: private, max-age=86400\r\nETag: " + tag + "\r\n";
        if (head.deflate) {
            headers += "Content-Encoding: deflate\r\nVary: Accept-Encoding\r\n";
            body = deflated_.at(file.name);
        }
    }
    if (head.close) headers += "Connection: close\r\n";
    peer.socket->write(headers + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
                       body);
    if (head.close) peer.socket->disconnectFromHost();  // after what was written
}

void ShareServer::startFeed(Peer& peer) {
    peer.feed = true;
    peer.heading = false;
    peer.wait.stop();
    peer.socket->write(
        "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream; charset=utf-8\r\n"
        "Cache-Control: no-store\r\n" +
        Safety + "\r\nretry: 3000\n\n");
    send(peer, Event(lesson_.classFrame()));
    for (const QByteArray& frame : lesson_.stepFrames()) send(peer, Event(frame));
    peer.opening = true;
    peer.group = 0;
    peer.tick = 0;
    told();
    sendOpening(peer);
}

// The next part of the lesson so far, while little waits unsent; the opening is over once
// every group has gone out to its last tick.
void ShareServer::sendOpening(Peer& peer) {
    if (!peer.opening || peer.socket->bytesToWrite() >= PartWhenUnsentBelow) return;
    // The parts go out together, in one write: the socket hands one write to the system at a
    // time, and parts written one by one would cross it one turn of the event loop each.
    QByteArray parts;
    while (parts.size() < PartWhenUnsentBelow) {
        if (peer.group >= lesson_.groups()) {
            peer.opening = false;
            parts += Event(ReadyFrame());  // the lesson so far has all gone out
            break;
        }
        const int count = std::min(TicksPerFrame, lesson_.ticks(peer.group) - peer.tick);
        if (count <= 0 && !peer.fresh) {
            ++peer.group;
            peer.tick = 0;
            continue;
        }
        parts += Event(lesson_.ticksFrame(peer.group, peer.tick, std::max(count, 0), peer.fresh));
        peer.fresh = false;
        peer.tick += std::max(count, 0);
    }
    send(peer, parts);
}

bool ShareServer::send(Peer& peer, const QByteArray& event) {
    // A browser that does not keep up is let go: the others and the lesson are not held up.
    if (peer.socket->bytesToWrite() > MostUnsent) {
        letGoOf(peer);
        return false;
    }
    peer.socket->write(event);
    return true;
}

void ShareServer::letGoOf(Peer& peer) {
    ++letGo_;
    forget(peer.socket);
}

void ShareServer::tellGroup(const QByteArray& frame) {
    const QByteArray event = Event(frame);
    std::vector<QTcpSocket*> feeds;
    for (auto& [socket, peer] : peers_)
        if (peer->feed) feeds.push_back(socket);
    for (QTcpSocket* socket : feeds)
        if (peers_.count(socket)) send(*peers_.at(socket), event);
}

void ShareServer::tellTicks(int group, int from, int count, bool fresh) {
    std::vector<QTcpSocket*> feeds;
    for (auto& [socket, peer] : peers_)
        if (peer->feed) feeds.push_back(socket);
    // Each event is made once, whatever the number of tablets it goes to.
    std::map<int, QByteArray> madeUpTo;  // the ticks from `from`, by their end
    std::vector<QByteArray> anew;
    for (QTcpSocket* socket : feeds) {
        if (!peers_.count(socket)) continue;
        Peer& peer = *peers_.at(socket);
        const bool passed = !peer.opening || group < peer.group;
        if (peer.opening && group > peer.group) continue;  // the opening will send them
        if (fresh) {
            if (!passed) {
                peer.tick = 0;
                peer.fresh = true;
                continue;
            }
            // The group's ticks anew, a part at a time like the opening.
            if (anew.empty()) {
                const int all = lesson_.ticks(group);
                for (int at = 0; at == 0 || at < all; at += TicksPerFrame)
                    anew.push_back(Event(
                        lesson_.ticksFrame(group, at, std::min(TicksPerFrame, all - at), at == 0)));
            }
            for (const QByteArray& part : anew)
                if (!send(peer, part)) break;
            continue;
        }
        // Ticks the browser has not had yet go out with the opening; ticks it has are sent now.
        const int end = passed ? from + count : std::min(from + count, peer.tick);
        if (end <= from) continue;
        QByteArray& event = madeUpTo[end];
        if (event.isEmpty()) event = Event(lesson_.ticksFrame(group, from, end - from, false));
        send(peer, event);
    }
}

QString RoomAddress() {
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() && !a.isLinkLocal())
            return a.toString();
    return QStringLiteral("127.0.0.1");
}

}  // namespace ClassShare
