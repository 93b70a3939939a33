#include "classfind/service_record.h"

#include <QUrl>

#include "classlink/class_address.h"

namespace ClassFind {

namespace {

constexpr int LongestLabel = 63;  // bytes of one DNS label
constexpr int MqttPort = 1883;

// `text` in UTF-8 cut to `bytes`, at the start of a character.
QString CutUtf8(const QString& text, int bytes) {
    QByteArray utf8 = text.toUtf8();
    if (utf8.size() <= bytes) return text;
    int end = bytes;
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
    utf8.truncate(end);
    return QString::fromUtf8(utf8);
}

// The value of `key` in a TXT record: of its first string with that key, as DNS-SD has it
// (keys match without regard to case). Null when none has it.
QByteArray TxtValue(const QList<QByteArray>& txt, const QByteArray& key) {
    for (const QByteArray& item : txt) {
        const qsizetype equals = item.indexOf('=');
        const QByteArray name = equals < 0 ? item : item.left(equals);
        if (name.compare(key, Qt::CaseInsensitive) != 0) continue;
        return equals < 0 ? QByteArray("") : item.mid(equals + 1);
    }
    return {};
}

}  // namespace

QString InstanceName(const QString& className, const QString& pc) {
    return CutUtf8(className + QStringLiteral(" @ ") + pc, LongestLabel);
}

QList<QByteArray> TxtRecord(const QString& className) {
    return {QByteArrayLiteral("v=1"), QByteArrayLiteral("class=") + className.toUtf8()};
}

QString ClassAddressOf(const QString& host, int port, const QString& className) {
    if (!ClassLink::IsTopicLevel(className) || port < 1 || port > 65535) return {};
    QUrl url;
    url.setScheme(QStringLiteral("mqtt"));
    url.setHost(host, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return {};
    if (port != MqttPort) url.setPort(port);
    url.setPath(QLatin1Char('/') + className, QUrl::DecodedMode);
    return url.toString(QUrl::EncodeSpaces);
}

bool ClassFromService(const ResolvedService& service, FoundClass& found) {
    const QByteArray name = TxtValue(service.txt, QByteArrayLiteral("class"));
    if (name.isNull()) return false;
    QString host = service.host.trimmed();
    if (host.endsWith(QLatin1Char('.'))) host.chop(1);
    const QString address =
        ClassAddressOf(host, service.port == 0 ? MqttPort : service.port, QString::fromUtf8(name));
    if (address.isEmpty()) return false;
    found.instance = service.instance;
    found.seenOn = service.seenOn;
    found.className = QString::fromUtf8(name);
    found.pc = host;
    if (found.pc.endsWith(QStringLiteral(".local"), Qt::CaseInsensitive)) found.pc.chop(6);
    found.address = address;
    return true;
}

QString TypedClassAddress(const QString& pc, const QString& className) {
    // As typed with a Japanese input method too: full-width letters, digits and colon.
    const QString typed = pc.normalized(QString::NormalizationForm_KC).trimmed();
    if (typed.isEmpty()) return {};
    for (const QChar c : {u'/', u'@', u'?', u'#'})
        if (typed.contains(c)) return {};  // a PC's name and its port, nothing else
    const QUrl place(QStringLiteral("mqtt://") + typed, QUrl::StrictMode);
    if (!place.isValid() || place.host().isEmpty()) return {};
    return ClassAddressOf(place.host(), place.port(MqttPort), className.trimmed());
}

}  // namespace ClassFind
