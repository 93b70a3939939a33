// A real browser for the tests: Debian's Chromium, headless, driven over its DevTools
// protocol on 127.0.0.1: a page opened, a script's answer read, a screenshot at a size.
#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <vector>

class QWebSocket;

class Chromium {
  public:
    Chromium();  // starts the browser; ok() says whether it answers
    ~Chromium();
    bool ok() const { return page_ != nullptr; }
    // Opens `url` in the browser's page at a tablet's `size`.
    bool open(const QString& url, QSize size);
    // The value of the script `expression` (a text, or a promise of one), or empty after
    // `timeoutMs`.
    QString evaluate(const QString& expression, int timeoutMs = 10000);
    // The bytes the page's own fetch() gets for `url` (relative to the page).
    QByteArray fetch(const QString& url);
    // The page as shown at `size`, saved as `path` (PNG).
    bool screenshot(const QString& path, QSize size);

    // Sends a DevTools command and waits for its answer (its "result"); empty on failure.
    QJsonObject call(const QString& method, const QJsonObject& params = {}, int timeoutMs = 10000);
    // The events the browser told of by `method` (those of a domain enabled, e.g. with
    // call("Network.enable")), their "params", oldest first.
    std::vector<QJsonObject> events(const QString& method) const;

  private:
    bool resize(QSize size);

    QTemporaryDir profile_;
    QProcess browser_;
    std::unique_ptr<QWebSocket> page_;
    int next_ = 1;
    std::map<int, QJsonObject> answers_;
    std::vector<QJsonObject> events_;
};
