#include "support/chromium.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTest>
#include <QWebSocket>

#include "support/box_rig.h"

Chromium::Chromium() {
    // As the machine's documentation asks: no background networking, no first run, a
    // profile of its own; the debugging port on 127.0.0.1, chosen by the browser.
    browser_.start("chromium", {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                                "--no-first-run", "--disable-background-networking",
                                "--disable-component-update", "--disable-sync",
                                "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0",
                                "--user-data-dir=" + profile_.path(), "about:blank"});
    if (!browser_.waitForStarted(10000)) return;
    QByteArray said;
    static const QRegularExpression listening(
        "DevTools listening on (ws://127\\.0\\.0\\.1:(\\d+)/\\S+)");
    QString port;
    BoxRig::waitFor(
        [&] {
            said += browser_.readAllStandardError();
            const auto m = listening.match(QString::fromUtf8(said));
            if (m.hasMatch()) port = m.captured(2);
            return !port.isEmpty();
        },
        15000);
    if (port.isEmpty()) return;
    // The page's own endpoint, from the list of targets.
    QNetworkAccessManager net;
    QNetworkReply* reply =
        net.get(QNetworkRequest(QUrl("http://127.0.0.1:" + port + "/json/list")));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    QString endpoint;
    for (const QJsonValue target : QJsonDocument::fromJson(reply->readAll()).array())
        if (target["type"].toString() == "page")
            endpoint = target["webSocketDebuggerUrl"].toString();
    reply->deleteLater();
    if (endpoint.isEmpty()) return;
    auto page = std::make_unique<QWebSocket>();
    QObject::connect(page.get(), &QWebSocket::textMessageReceived, [this](const QString& text) {
        const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
        if (o.contains("id"))
            answers_[o["id"].toInt()] = o;
        else if (o.contains("method"))
            events_.push_back(o);
    });
    page->open(QUrl(endpoint));
    if (BoxRig::waitFor([&] { return page->state() == QAbstractSocket::ConnectedState; }, 10000))
        page_ = std::move(page);
}

Chromium::~Chromium() {
    page_.reset();
    browser_.terminate();
    if (!browser_.waitForFinished(5000)) browser_.kill();
    browser_.waitForFinished(2000);
}

QJsonObject Chromium::call(const QString& method, const QJsonObject& params, int timeoutMs) {
    if (!page_) return {};
    const int id = next_++;
    page_->sendTextMessage(
        QJsonDocument(QJsonObject{{"id", id}, {"method", method}, {"params", params}})
            .toJson(QJsonDocument::Compact));
    if (!BoxRig::waitFor([&] { return answers_.count(id) > 0; }, timeoutMs)) return {};
    return answers_[id]["result"].toObject();
}

std::vector<QJsonObject> Chromium::events(const QString& method) const {
    std::vector<QJsonObject> told;
    for (const QJsonObject& e : events_)
        if (e["method"].toString() == method) told.push_back(e["params"].toObject());
    return told;
}

bool Chromium::resize(QSize size) {
    return !call("Emulation.setDeviceMetricsOverride", {{"width", size.width()},
                                                        {"height", size.height()},
                                                        {"deviceScaleFactor", 1},
                                                        {"mobile", true}})
                .isEmpty() ||
           page_;
}

bool Chromium::open(const QString& url, QSize size) {
    return resize(size) && call("Page.navigate", {{"url", url}}).contains("frameId");
}

QString Chromium::evaluate(const QString& expression, int timeoutMs) {
    const QJsonObject result = call(
        "Runtime.evaluate",
        {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}}, timeoutMs);
    return result["result"].toObject()["value"].toString();
}

QByteArray Chromium::fetch(const QString& url) {
    const QString base64 = evaluate(
        "fetch('" + url +
        "').then(r => r.arrayBuffer())"
        ".then(b => btoa(Array.from(new Uint8Array(b), c => String.fromCharCode(c)).join('')))");
    return QByteArray::fromBase64(base64.toLatin1());
}

bool Chromium::screenshot(const QString& path, QSize size) {
    resize(size);
    QTest::qWait(700);  // the page lays itself out and draws its graph anew at the size
    const QByteArray png = QByteArray::fromBase64(
        call("Page.captureScreenshot", {{"format", "png"}})["data"].toString().toLatin1());
    QFile file(path);
    return !png.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(png) == png.size();
}
