// The lesson shared with the pupils' tablets: one read-only page, served over HTTP by the
// program itself on Qt's Network module, the same on Debian and Windows. The page follows the
// lesson live through Server-Sent Events (classshare/feed_frames.h), which the browser keeps
// and reconnects by itself, and offers the lesson as a CSV file. Every address holds a token
// made anew for each sharing; without it the server answers nothing. Whatever is not the page,
// its files, the lesson's file or the feed, a wrong token, a request out of form or with a
// body, a flood, gets a short refusal and is counted. What anyone in the room can hold is
// bounded (the constants below): connections, the time and bytes of every request's head,
// idle time, requests a second; nothing a browser sends beyond a head is kept. A tablet that
// falls behind is let go and counted, never waited for; the lesson so far goes out in parts as
// fast as each tablet takes them, so opening the page late is never a reason to be let go.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "classshare/request_head.h"
#include "classshare/shared_lesson.h"

class QTcpSocket;

namespace ClassShare {

// Browsers following the feed at once; more are refused.
constexpr int MostViewers = 80;
// Requests a second, from every browser together and from one address; more are refused, and
// what one address is refused does not count against the others.
constexpr int MostRequestsPerSecond = 1000;
constexpr int MostRequestsPerSecondFromOne = 400;
// What may wait unsent for one browser before it is let go.
constexpr qint64 MostUnsent = 1 << 20;
// Connections whose request has not come whole, in all; when they are all taken, an address
// holding more than a few gives up its oldest for a newcomer, from wherever it comes.
constexpr int MostWaiting = 100;
constexpr int MostWaitingPerAddress = 10;
// Connections open at once, those being refused included, well under the open files of a
// desktop's process (1 024 on Debian, where the broker's link and the lesson's file need
// theirs too). A newcomer beyond it takes the place of the one idle longest.
constexpr int MostConnections = 400;
// What is read from a connection before its request is looked at.
constexpr qint64 MostRead = 64 * 1024;
// How long a connection may take to send a request's head, the first or any later one.
constexpr int HeadWaitMs = 5000;
// How long a connection may stay idle between requests before it is closed.
constexpr int IdleMs = 5000;

// A file the page needs, served as it is: its name after the token, type and bytes.
struct PageFile {
    QString name;
    QByteArray type;
    QByteArray bytes;
};

class ShareServer : public QObject {
  public:
    // Shares `lesson` (which outlives the server) with the page's own files and `extra`
    // (the chart's).
    ShareServer(const SharedLesson& lesson, const std::vector<PageFile>& extra);
    ~ShareServer() override;  // closes every connection

    // Listens on `host`:`port` (0: any free one); the page's address, its host written as
    // `shownHost`, or empty when it cannot listen.
    QString start(const QHostAddress& host, quint16 port, const QString& shownHost);

    // What the sharing side tells as the lesson goes on: a group's frame (or another frame
    // every tablet takes whole: the lesson's steps), and ticks of a group
    // (from `from`, `count` of them) that it now holds; `fresh` when the group's ticks start
    // anew.
    void tellGroup(const QByteArray& frame);
    void tellTicks(int group, int from, int count, bool fresh);

    int viewers() const;
    // Connections open, those being refused included.
    int connections() const { return static_cast<int>(peers_.size()) + closing_; }
    int refused() const { return refused_; }
    int letGo() const { return letGo_; }
    QString token() const { return token_; }
    QString address() const { return address_; }  // the page's, once listening
    // Called when viewers(), refused() or letGo() has changed.
    std::function<void()> countsChanged;

  private:
    struct Peer;
    void accept();
    // Makes room for a newcomer; false when there is none.
    bool makeRoom();
    void await(Peer& peer, bool head);
    void readFrom(QTcpSocket* socket);
    void answer(Peer& peer, const RequestHead& head);
    void refuse(QTcpSocket* socket, const char* status);
    // A file; `lesson` for the lesson's, which is always new and saved by the browser.
    void serve(Peer& peer, const PageFile& file, const RequestHead& head, bool lesson);
    void startFeed(Peer& peer);
    void sendOpening(Peer& peer);
    bool send(Peer& peer, const QByteArray& event);
    void letGoOf(Peer& peer);
    void forget(QTcpSocket* socket);
    void told();

    const SharedLesson& lesson_;
    QString token_;
    QString address_;
    std::vector<PageFile> files_;
    std::map<QString, QByteArray> deflated_;  // the files compressed, by name
    std::map<QTcpSocket*, std::unique_ptr<Peer>> peers_;
    QTcpServer listener_;
    int closing_ = 0;    // refused connections not yet closed
    quint64 clock_ = 0;  // counts the connections' events, to tell the oldest
    int refused_ = 0;
    int letGo_ = 0;
    int requestsThisSecond_ = 0;
    QHash<QHostAddress, int> requestsFrom_;  // this second, by address
    int seconds_ = 0;
    QTimer second_;
};

// The page's address on the room's network: the first address of this machine a tablet can
// reach (IPv4, not the loopback), else 127.0.0.1.
QString RoomAddress();

}  // namespace ClassShare
