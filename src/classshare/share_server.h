// The class shared with the pupils' tablets: one read-only page, served over HTTP by Qt's HTTP
// server, that follows the class live over one WebSocket (classshare/share_feed.h), drawn by
// dygraphs from the system's libjs-dygraphs. Every address holds a token made anew for each
// sharing; without it the server answers nothing. Whatever is not the page, its assets or its
// feed, a wrong token, a request or frame out of form, a flood, gets a short refusal and is
// counted. A browser that falls behind is dropped, never waited for.
#pragma once

#include <QHostAddress>
#include <QHttpServer>
#include <QString>
#include <QTimer>
#include <QWebSocketServer>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "classlink/class_messages.h"
#include "classview/class_model.h"

class QTcpSocket;
class QWebSocket;

namespace ClassShare {

// Browsers followed at once; more are refused.
constexpr int MostViewers = 80;
// Requests a second, from every browser together; more are refused.
constexpr int MostRequestsPerSecond = 1000;
// What may wait unsent for one browser before it is dropped.
constexpr qint64 MostUnsent = 1 << 20;
// Connections whose first request has not come whole; more are refused.
constexpr int MostWaiting = 100;
// How long a connection may take to send its first request's head.
constexpr int HeadWaitMs = 5000;

class ShareServer : public QAbstractHttpServer {
  public:
    // Shares `model` (which outlives the server) of the class `className`; the page's scripts
    // from `dygraphsFolder`.
    ShareServer(const ClassView::ClassModel& model, const QString& className,
                const QString& dygraphsFolder = QStringLiteral("/usr/share/javascript/dygraphs"));
    ~ShareServer() override;  // closes every connection

    // Listens on `host`:`port` (0: any free one); the page's address, its host written as
    // `shownHost`, or empty when it cannot listen.
    QString start(const QHostAddress& host, quint16 port, const QString& shownHost);
    // Hands a message the view has just taken on to every browser.
    void taken(const ClassLink::Message& message);

    int viewers() const { return static_cast<int>(feeds_.size()); }
    int refused() const { return refused_; }
    QString token() const { return token_; }
    // Called when viewers() or refused() has changed.
    std::function<void()> countsChanged;

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

  private:
    void refuse(QTcpSocket* socket, const QHttpServerRequest& request, int status);
    void acceptFeed();
    // Lets `feed` go, counted when `refused`; told why first when `closeIt`.
    void dropFeed(QWebSocket* feed, bool refused, bool closeIt = true);
    void send(QWebSocket* feed, const QString& frame);
    void counted();  // one more refused
    void told();

    const ClassView::ClassModel& model_;
    QString className_;
    QString token_;
    QByteArray page_, script_, dygraphs_, dygraphsStyle_;
    std::vector<std::unique_ptr<QWebSocket>> feeds_;
    int refused_ = 0;
    int requestsThisSecond_ = 0;
    QTimer second_;
    QWebSocketServer feedServer_{QStringLiteral("Kelvira"), QWebSocketServer::NonSecureMode};
    class Sockets;
    std::unique_ptr<Sockets> sockets_;  // the listening side, which sees every connection
};

// The page's address on the room's network: the first address of this machine a tablet can
// reach (IPv4, not the loopback), else 127.0.0.1.
QString RoomAddress();

}  // namespace ClassShare
